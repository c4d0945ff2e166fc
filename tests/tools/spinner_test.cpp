// The spinner draws only when enabled, and leaves a clean line behind.
#include <gtest/gtest.h>

#include <cstdio>
#include <thread>

#include "harness/temp_dir.h"
#include "spinner.h"

namespace nodexa::cli {
namespace {

std::string Drawn(bool enabled, std::chrono::milliseconds running) {
  const nodexa::test::TempDir folder;
  const std::string path = folder.File("stderr");
  std::FILE* file = std::fopen(path.c_str(), "wb");
  {
    const Spinner spinner(file, enabled, "Searching", std::chrono::milliseconds(5));
    std::this_thread::sleep_for(running);
  }
  std::fclose(file);
  return nodexa::test::ReadBinary(path);
}

TEST(SpinnerTest, DisabledWritesNothing) {
  EXPECT_EQ(Drawn(false, std::chrono::milliseconds(30)), "");
}

TEST(SpinnerTest, TurnsWhileRunningAndErasesItsLine) {
  const std::string drawn = Drawn(true, std::chrono::milliseconds(60));
  // The first frame is drawn at once, later ones every interval.
  EXPECT_EQ(drawn.rfind("\r| Searching", 0), 0u) << drawn;
  EXPECT_NE(drawn.find("\r/ Searching"), std::string::npos) << drawn;
  // The end: back to the start, blanks over frame, blank and label, back again.
  const std::string erase = "\r" + std::string(11, ' ') + "\r";
  ASSERT_GE(drawn.size(), erase.size());
  EXPECT_EQ(drawn.substr(drawn.size() - erase.size()), erase);
}

TEST(SpinnerTest, AQuickCallLeavesNothingBehind) {
  for (int run = 0; run < 20; ++run) {
    const std::string drawn = Drawn(true, std::chrono::milliseconds(0));
    // Stopped before the first frame, or right after it: never half a line.
    const std::string whole = "\r| Searching\r" + std::string(11, ' ') + "\r";
    EXPECT_TRUE(drawn.empty() || drawn == whole) << drawn;
  }
}

}  // namespace
}  // namespace nodexa::cli
