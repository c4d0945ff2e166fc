#include <gtest/gtest.h>

#include "harness/temp_dir.h"
#include "nodexa/nodexa.h"

namespace {

TEST(Library, SetupDebugLogAlwaysSucceedsAndCreatesNothing) {
  nodexa::test::TempDir dir;
  const std::string file = dir.File("log.txt");
  EXPECT_EQ(SetupDebugLog(file.c_str()), 1);
  EXPECT_EQ(SetupDebugLog(nullptr), 1);
  EXPECT_EQ(SetupDebugLog(""), 1);
  // Switching the log on opens nothing: the file appears with the first line.
  EXPECT_FALSE(nodexa::test::FileExists(file));
}

}  // namespace
