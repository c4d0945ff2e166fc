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

// What the library may search without the current drive or folder deciding
// where: on Windows a drive with its root or a UNC path, on POSIX a rooted
// path.
TEST(IsAbsolutePath, OnlyPathsThatNameOnePlace) {
  const struct {
    const char* path;
    bool windows;
    bool posix;
  } cases[] = {
      {"C:\\Setup\\Bin", true, false},
      {"c:/Setup", true, false},
      {"C:", true, false},
      {"C:Setup", false, false},
      {"\\\\server\\share", true, true},
      {"\\Setup\\Bin", false, true},
      {"/Setup/Bin", false, true},
      {"Setup\\Bin", false, false},
      {"", false, false},
  };
  for (const auto& c : cases) {
#if defined(_WIN32)
    EXPECT_EQ(IsAbsolutePath(c.path), c.windows) << c.path;
#else
    EXPECT_EQ(IsAbsolutePath(c.path), c.posix) << c.path;
#endif
  }
}

}  // namespace
}  // namespace nodexa::platform
