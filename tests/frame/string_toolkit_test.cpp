#include "frame/string_toolkit.h"

#include <gtest/gtest.h>

namespace nodexa {
namespace {

TEST(CompareNoCase, FoldsOnlyAsciiLetters) {
  EXPECT_EQ(CompareNoCase("Inkjet", "inkjet"), 0);
  EXPECT_EQ(CompareNoCase("LASERPRINTER", "LaserPrinter"), 0);
  EXPECT_LT(CompareNoCase("abc", "abd"), 0);
  EXPECT_GT(CompareNoCase("b", "A"), 0);
  EXPECT_LT(CompareNoCase("ab", "abc"), 0);
  // '[' lies between 'Z' and 'a': folding to lower case puts both letters
  // after it, folding to upper case would put them before.
  EXPECT_GT(CompareNoCase("Z", "["), 0);
  EXPECT_GT(CompareNoCase("a", "["), 0);
  // Latin-1 capital E acute (0xC9) and small (0xE9) do not fold.
  EXPECT_NE(CompareNoCase("\xC9", "\xE9"), 0);
  // Bytes above 0x7F compare as unsigned characters.
  EXPECT_GT(CompareNoCase("\xE9", "z"), 0);
}

TEST(ReplaceAll, CountsAndReplacesEveryOccurrence) {
  const struct {
    const char* text;
    const char* from;
    const char* to;
    int count;
    const char* result;
  } cases[] = {
      // Inserted text is never scanned again.
      {"aaa", "a", "aa", 3, "aaaaaa"},
      {"abab", "ab", "b", 2, "bb"},
      {"<1284STRID>a</1284STRID><X>1</X><1284STRID>b</1284STRID>", "1284STRID", "STRID1284", 4,
       "<STRID1284>a</STRID1284><X>1</X><STRID1284>b</STRID1284>"},
      {"abc", "", "x", 0, "abc"},
      {"abc", "z", "x", 0, "abc"},
      {"abc", "abc", "", 1, ""},
  };
  for (const auto& c : cases) {
    std::string text = c.text;
    EXPECT_EQ(ReplaceAll(text, c.from, c.to), c.count) << c.text << " " << c.from;
    EXPECT_EQ(text, c.result) << c.text << " " << c.from;
  }
}

TEST(Trim, RemovesTheCLocaleWhiteSpaceClass) {
  EXPECT_EQ(TrimLeft(" \t\n\v\f\rx y \r\n"), "x y \r\n");
  EXPECT_EQ(TrimRight(" \t x y\t\n\v\f\r "), " \t x y");
  EXPECT_EQ(Trim(" \t "), "");
  // A non-breaking space in code page 1252 is not white space.
  EXPECT_EQ(Trim("\xA0x\xA0"), "\xA0x\xA0");
}

struct SubstringCase {
  const char* what;
  std::string actual;
  const char* expected;
};

TEST(Substrings, ClampInsteadOfFailing) {
  const std::string s = "abcdef";
  const SubstringCase cases[] = {
      {"Left 2", Left(s, 2), "ab"},       {"Left -1", Left(s, -1), ""},
      {"Left 99", Left(s, 99), "abcdef"}, {"Mid 2", Mid(s, 2), "cdef"},
      {"Mid -3", Mid(s, -3), "abcdef"},   {"Mid 99", Mid(s, 99), ""},
      {"Mid 2,3", Mid(s, 2, 3), "cde"},   {"Mid 4,99", Mid(s, 4, 99), "ef"},
      {"Mid 2,-1", Mid(s, 2, -1), ""},    {"Mid -2,2", Mid(s, -2, 2), "ab"},
      {"Right 2", Right(s, 2), "ef"},     {"Right 99", Right(s, 99), "abcdef"},
      {"Right -5", Right(s, -5), ""},
  };
  for (const SubstringCase& c : cases) EXPECT_EQ(c.actual, c.expected) << c.what;
  EXPECT_EQ(IndexOf(s, "cd"), 2);
  EXPECT_EQ(IndexOf(s, "x"), -1);
  EXPECT_EQ(IndexOf(s, ""), 0);
}

TEST(Format, FormatsLikePrintf) {
  EXPECT_EQ(Format("<%s>%d</%s>", "CPDATTACHED", 1, "CPDATTACHED"), "<CPDATTACHED>1</CPDATTACHED>");
  EXPECT_EQ(Format("%lu", 4294967295UL), "4294967295");
  EXPECT_EQ(Format("%s", ""), "");
}

TEST(Format, GrowsPastTheFirstScratchBuffer) {
  const std::string long3000(3000, 'x');
  EXPECT_EQ(Format("[%s]", long3000.c_str()), "[" + long3000 + "]");
  const std::string long43007(43007, 'y');
  EXPECT_EQ(Format("%s!", long43007.c_str()), long43007 + "!");
}

TEST(Format, CutsWhatDoesNotFitTheLargestBuffer) {
  const std::string huge(50000, 'z');
  const std::string result = Format("a%s", huge.c_str());
  ASSERT_EQ(result.size(), 43008u);
  EXPECT_EQ(result, "a" + huge.substr(0, 43007));
}

TEST(Duplicate, IsAWritableTerminatedCopy) {
  std::vector<char> copy = Duplicate("abc");
  ASSERT_EQ(copy.size(), 4u);
  EXPECT_STREQ(copy.data(), "abc");
  copy[0] = 'x';
  EXPECT_STREQ(Duplicate("").data(), "");
}

}  // namespace
}  // namespace nodexa
