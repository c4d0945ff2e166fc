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
TEST(SplitPath, MatchesTheRuntimeSplitter) {
  const SplitCase cases[] = {
      {"C:\\dir\\file.txt", "C:", "\\dir\\", "file", ".txt"},
      {"C:", "C:", "", "", ""},
      {"C:file", "C:", "", "file", ""},
      {"file.tar.gz", "", "", "file.tar", ".gz"},
      {"C:/a/b/c.d", "C:", "/a/b/", "c", ".d"},
      {"\\a.b\\c", "", "\\a.b\\", "c", ""},
      {"\\\\server\\share\\x", "", "\\\\server\\share\\", "x", ""},
      {"a:b:c", "a:", "", "b:c", ""},
      {"", "", "", "", ""},
  };
  for (const SplitCase& c : cases) {
    const SplitPathParts parts = SplitPath(c.path);
    EXPECT_EQ(parts.drive, c.drive) << c.path;
    EXPECT_EQ(parts.directory, c.directory) << c.path;
    EXPECT_EQ(parts.baseName, c.baseName) << c.path;
    EXPECT_EQ(parts.extension, c.extension) << c.path;
  }
}

}  // namespace
}  // namespace nodexa::platform
