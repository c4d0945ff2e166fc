#include <gtest/gtest.h>

#include "platform/win32_api.h"

namespace nodexa::platform {
namespace {

struct SplitCase {
  const char* path;
  const char* drive;
  const char* directory;
  const char* baseName;
  const char* extension;
};

// The same table runs against the C runtime's splitter on Windows and the
// POSIX implementation, so the two cannot drift apart.
class SplitPathTable : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitPathTable, MatchesTheRuntimeSplitter) {
  const SplitCase& c = GetParam();
  const SplitPathParts parts = SplitPath(c.path);
  EXPECT_EQ(parts.drive, c.drive) << c.path;
  EXPECT_EQ(parts.directory, c.directory) << c.path;
  EXPECT_EQ(parts.baseName, c.baseName) << c.path;
  EXPECT_EQ(parts.extension, c.extension) << c.path;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitPathTable,
    ::testing::Values(SplitCase{"C:\\dir\\file.txt", "C:", "\\dir\\", "file", ".txt"},
                      SplitCase{"C:", "C:", "", "", ""}, SplitCase{"C:\\", "C:", "\\", "", ""},
                      SplitCase{"C:file", "C:", "", "file", ""},
                      SplitCase{"file.tar.gz", "", "", "file.tar", ".gz"},
                      SplitCase{"C:/a/b/c.d", "C:", "/a/b/", "c", ".d"},
                      SplitCase{"\\a.b\\c", "", "\\a.b\\", "c", ""},
                      SplitCase{".ini", "", "", "", ".ini"},
                      SplitCase{"dir\\", "", "dir\\", "", ""},
                      SplitCase{"\\\\server\\share\\x", "", "\\\\server\\share\\", "x", ""},
                      SplitCase{"a:b:c", "a:", "", "b:c", ""}, SplitCase{"", "", "", "", ""}));

}  // namespace
}  // namespace nodexa::platform
