#include "frame/path_object.h"

#include <gtest/gtest.h>

namespace nodexa {
namespace {

struct PathCase {
  const char* input;
  const char* directory;
  const char* fileName;
  // The directory of Parent(), which has no file name.
  const char* parent;
};

class PathTable : public ::testing::TestWithParam<PathCase> {};

TEST_P(PathTable, SplitsAndGoesOneLevelUp) {
  const PathCase& c = GetParam();
  PathObject path;
  ASSERT_TRUE(path.SetFullPath(c.input));
  EXPECT_EQ(path.GetDirectory(), c.directory) << c.input;
  EXPECT_EQ(path.GetFileName(), c.fileName) << c.input;
  EXPECT_EQ(path.Parent().GetDirectory(), c.parent) << c.input;
  EXPECT_EQ(path.Parent().GetFileName(), "") << c.input;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PathTable,
    ::testing::Values(PathCase{"C:\\dir\\file.txt", "C:\\dir", "file.txt", "C:"},
                      PathCase{"C:\\", "C:", "", "C:"}, PathCase{"file.txt", "", "file.txt", ""},
                      PathCase{"  C:\\a\\b.c  ", "C:\\a", "b.c", "C:"},
                      PathCase{"C:/dir/sub/file", "C:\\dir\\sub", "file", "C:\\dir"},
                      PathCase{"\\\\server\\share\\x.ini", "\\\\server\\share", "x.ini",
                               "\\\\server"},
                      PathCase{"C:\\dir\\", "C:\\dir", "", "C:"},
                      PathCase{"\\Common\\x64\\*hcp.dll", "\\Common\\x64", "*hcp.dll", "\\Common"},
                      PathCase{"\\Common\\a.b", "\\Common", "a.b", ""},
                      PathCase{"C:\\a.b\\c", "C:\\a.b", "c", "C:"},
                      PathCase{"C:\\a\\archive.tar.gz", "C:\\a", "archive.tar.gz", "C:"},
                      PathCase{"..\\Config\\Product.ini", "..\\Config", "Product.ini", ".."}));

TEST(PathObject, BlankFullPathFailsAndChangesNothing) {
  PathObject path("C:\\keep\\me.txt");
  EXPECT_FALSE(path.SetFullPath(" \t "));
  EXPECT_FALSE(path.SetFullPath(""));
  EXPECT_EQ(path.FullPath(), "C:\\keep\\me.txt");
}

// Directories take backslashes and lose one trailing separator.
TEST(PathObject, SetAndAppendDirectory) {
  PathObject path;
  path.SetDirectory("D:\\setup\\\\");
  EXPECT_EQ(path.GetDirectory(), "D:\\setup\\");
  path.SetDirectory("D:/setup/");
  path.AppendDirectory("Common");
  path.AppendDirectory("\\x64\\");
  path.AppendDirectory("");
  path.AppendDirectory("a/b");
  EXPECT_EQ(path.GetDirectory(), "D:\\setup\\Common\\x64\\a\\b");
  path.SetFileName("*inst.dll");
  EXPECT_EQ(path.FullPath(), "D:\\setup\\Common\\x64\\a\\b\\*inst.dll");

  PathObject empty;
  empty.AppendDirectory("Common");
  EXPECT_EQ(empty.FullPath(), "\\Common");
}

}  // namespace
}  // namespace nodexa
