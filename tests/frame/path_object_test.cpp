#include "frame/path_object.h"

#include <gtest/gtest.h>

namespace nodexa {
namespace {

struct FullPathCase {
  const char* input;
  const char* directory;
  const char* fileName;
};

class SetFullPathTable : public ::testing::TestWithParam<FullPathCase> {};

TEST_P(SetFullPathTable, SplitsIntoDirectoryAndFileName) {
  const FullPathCase& c = GetParam();
  PathObject path;
  ASSERT_TRUE(path.SetFullPath(c.input));
  EXPECT_EQ(path.GetDirectory(), c.directory) << c.input;
  EXPECT_EQ(path.GetFileName(), c.fileName) << c.input;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SetFullPathTable,
    ::testing::Values(FullPathCase{"C:\\dir\\file.txt", "C:\\dir", "file.txt"},
                      FullPathCase{"C:\\", "C:", ""}, FullPathCase{"C:", "C:", ""},
                      FullPathCase{"file.txt", "", "file.txt"},
                      FullPathCase{"  C:\\a\\b.c  ", "C:\\a", "b.c"},
                      FullPathCase{"C:/dir/sub/file", "C:\\dir\\sub", "file"},
                      FullPathCase{"\\\\server\\share\\x.ini", "\\\\server\\share", "x.ini"},
                      FullPathCase{"C:\\dir\\", "C:\\dir", ""},
                      FullPathCase{"C:\\Common\\x64\\*hcp.dll", "C:\\Common\\x64", "*hcp.dll"},
                      FullPathCase{"C:\\a.b\\c", "C:\\a.b", "c"},
                      FullPathCase{"C:\\a\\archive.tar.gz", "C:\\a", "archive.tar.gz"},
                      FullPathCase{"..\\Config\\Product.ini", "..\\Config", "Product.ini"}));

TEST(PathObject, BlankFullPathFailsAndChangesNothing) {
  PathObject path("C:\\keep\\me.txt");
  EXPECT_FALSE(path.SetFullPath(" \t "));
  EXPECT_FALSE(path.SetFullPath(""));
  EXPECT_EQ(path.FullPath(), "C:\\keep\\me.txt");
}

TEST(PathObject, DirectoryNormalisationRemovesOneTrailingSeparator) {
  PathObject path;
  path.SetDirectory("D:/setup/");
  EXPECT_EQ(path.GetDirectory(), "D:\\setup");
  path.SetDirectory("D:\\setup\\\\");
  EXPECT_EQ(path.GetDirectory(), "D:\\setup\\");
}

TEST(PathObject, AppendDirectory) {
  PathObject path;
  path.SetDirectory("D:");
  path.AppendDirectory("Common");
  EXPECT_EQ(path.GetDirectory(), "D:\\Common");
  path.AppendDirectory("\\x64\\");
  EXPECT_EQ(path.GetDirectory(), "D:\\Common\\x64");
  path.AppendDirectory("");
  EXPECT_EQ(path.GetDirectory(), "D:\\Common\\x64");
  path.AppendDirectory("a/b");
  EXPECT_EQ(path.GetDirectory(), "D:\\Common\\x64\\a\\b");

  PathObject empty;
  empty.AppendDirectory("Common");
  EXPECT_EQ(empty.GetDirectory(), "\\Common");
}

TEST(PathObject, FullPath) {
  PathObject path;
  path.SetDirectory("C:\\Setup");
  EXPECT_EQ(path.FullPath(), "C:\\Setup");
  path.SetFileName("*inst.dll");
  EXPECT_EQ(path.FullPath(), "C:\\Setup\\*inst.dll");
  EXPECT_TRUE(path.HasDirectory());
  EXPECT_TRUE(path.HasFileName());
  EXPECT_FALSE(PathObject().HasDirectory());
}

struct ParentCase {
  const char* directory;
  const char* parent;
};

class ParentTable : public ::testing::TestWithParam<ParentCase> {};

TEST_P(ParentTable, GoesOneLevelUp) {
  PathObject path;
  path.SetDirectory(GetParam().directory);
  path.SetFileName("file.txt");
  const PathObject parent = path.Parent();
  EXPECT_EQ(parent.GetDirectory(), GetParam().parent) << GetParam().directory;
  EXPECT_EQ(parent.GetFileName(), "");
}

INSTANTIATE_TEST_SUITE_P(Cases, ParentTable,
                         ::testing::Values(ParentCase{"C:\\a\\b", "C:\\a"},
                                           ParentCase{"C:\\a", "C:"}, ParentCase{"C:", "C:"},
                                           ParentCase{"\\Common", ""},
                                           ParentCase{"D:\\Setup\\Bin", "D:\\Setup"},
                                           ParentCase{"", ""}));

TEST(PathObject, ComparisonIgnoresCaseDirectoryFirst) {
  const PathObject a("C:\\Dir\\File.TXT");
  const PathObject b("c:\\dir\\file.txt");
  EXPECT_EQ(a.Compare(b), 0);
  EXPECT_TRUE(a == b);
  EXPECT_EQ(PathObject("C:\\a\\z").Compare(PathObject("C:\\b\\a")), -1);
  EXPECT_EQ(PathObject("C:\\b\\a").Compare(PathObject("C:\\a\\z")), 1);
  EXPECT_TRUE(PathObject("C:\\a\\x") < PathObject("C:\\a\\y"));
  EXPECT_NE(PathObject("C:\\a\\x"), PathObject("C:\\a\\y"));
}

}  // namespace
}  // namespace nodexa
