#include "frame/string_toolkit.h"

#include <gtest/gtest.h>

namespace nodexa {
namespace {

TEST(CompareNoCase, FoldsOnlyAsciiLettersToLowerCase) {
  EXPECT_EQ(CompareNoCase("LASERPRINTER", "LaserPrinter"), 0);
  EXPECT_LT(CompareNoCase("abc", "abd"), 0);
  EXPECT_LT(CompareNoCase("ab", "abc"), 0);
  // '[' lies between 'Z' and 'a': folding to lower case puts both letters
  // after it, folding to upper case would put them before.
  EXPECT_GT(CompareNoCase("Z", "["), 0);
  EXPECT_GT(CompareNoCase("a", "["), 0);
  // Latin-1 capital E acute (0xC9) and small (0xE9) do not fold; bytes above
  // 0x7F compare as unsigned characters.
  EXPECT_NE(CompareNoCase("\xC9", "\xE9"), 0);
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
      {"a&amp;b&", "&", "&amp;", 2, "a&amp;amp;b&amp;"},
      {"abab", "ab", "b", 2, "bb"},
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

// Counts and positions out of range clamp instead of throwing.
TEST(Substrings, ClampInsteadOfFailing) {
  const std::string s = "abcdef";
  EXPECT_EQ(Left(s, -1), "");
  EXPECT_EQ(Left(s, 99), s);
  EXPECT_EQ(Mid(s, 99), "");
  EXPECT_EQ(Mid(s, -2, 2), "ab");
  EXPECT_EQ(Mid(s, 4, 99), "ef");
  EXPECT_EQ(Right(s, 2), "ef");
  EXPECT_EQ(Right(s, 99), s);
}

}  // namespace
}  // namespace nodexa
