#include "frame/debug_log.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "harness/log_capture.h"
#include "harness/temp_dir.h"

namespace nodexa {
namespace {

using test::ReadBinary;

// What one "\n" becomes in a file written in text mode.
#if defined(_WIN32)
const std::string kLineEnd = "\r\n";
#else
const std::string kLineEnd = "\n";
#endif

// Each line is appended by its own open and close: an existing file keeps its
// content, a deleted one comes back, and lines are dropped while no path is set.
TEST(DebugLog, AppendsEachLineWhileAPathIsSet) {
  const test::TempDir dir;
  const std::string file = dir.File("log.txt");
  test::WriteBinary(file, "kept|");
  DebugLog log;
  log << "before a path" << std::endl;
  log.SetPath(file);
  log << "a" << std::endl;
  EXPECT_EQ(ReadBinary(file), "kept|a" + kLineEnd);

  ASSERT_EQ(std::remove(file.c_str()), 0);
  log << "b" << std::endl;
  log.SetPath("");
  log << "lost" << std::endl;
  log.SetPath(file);
  log << "c" << std::endl;
  EXPECT_EQ(ReadBinary(file), "b" + kLineEnd + "c" + kLineEnd);
}

TEST(DebugLog, UnwritableFileLosesTheLineOnly) {
  const test::TempDir dir;
  DebugLog log;
  log.SetPath(dir.File("missing-folder/log.txt"));
  log << "lost" << std::endl;
  EXPECT_TRUE(log.good());
  log.SetPath(dir.File("log.txt"));
  log << "kept" << std::endl;
  EXPECT_EQ(ReadBinary(dir.File("log.txt")), "kept" + kLineEnd);
}

// An allocation failing inside a message leaves a fragment pending and a
// stream that writes nothing more; the process log recovers before the next
// message and drops the fragment.
TEST(DebugLog, MessageCutShortIsDroppedAndTheNextWritten) {
  const test::LogCapture capture;
  GetDebugLog() << "Registry::openKey: cut";
  GetDebugLog().setstate(std::ios::badbit);
  NodexaLog("Tag:") << "message " << 7 << std::endl;
  GetDebugLog() << "Class::operation: more" << std::endl;
  EXPECT_EQ(capture.Lines(),
            (std::vector<std::string>{"Nodexa::Tag:message 7", "Class::operation: more"}));
}

}  // namespace
}  // namespace nodexa
