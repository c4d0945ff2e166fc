#include "frame/wide_text.h"

#include <gtest/gtest.h>

namespace nodexa {
namespace {

WideString W(std::initializer_list<unsigned> units) {
  WideString text;
  for (unsigned unit : units) text.push_back(static_cast<WCHAR>(unit));
  return text;
}

TEST(WideText, AnsiCodePageIs1252ByDefault) {
  EXPECT_EQ(GetACP(), 1252u);
  // e acute, euro sign (0x80 in 1252), and a plain letter.
  EXPECT_EQ(ToWide("\xE9\x80z"), W({0xE9, 0x20AC, 'z'}));
  EXPECT_EQ(ToNarrow(W({0xE9, 0x20AC, 'z'})), "\xE9\x80z");
}

TEST(WideText, EmptyInputGivesNothing) {
  EXPECT_TRUE(ToWide("").empty());
  EXPECT_TRUE(ToNarrow(WideString()).empty());
}

TEST(WideText, UnmappableCharactersBecomeTheDefaultCharacter) {
  // A Hiragana letter has no place in code page 1252.
  EXPECT_EQ(ToNarrow(W({'a', 0x3042, 'b'}), 1252), "a?b");
}

TEST(WideText, DoubleByteCodePages) {
  // Hiragana A is 0x82 0xA0 in Shift-JIS (932).
  EXPECT_EQ(ToWide("\x82\xA0x", 932), W({0x3042, 'x'}));
  EXPECT_EQ(ToNarrow(W({0x3042, 'x'}), 932), "\x82\xA0x");
  // Hangul GA is 0xB0 0xA1 in 949.
  EXPECT_EQ(ToNarrow(W({0xAC00}), 949), "\xB0\xA1");
}

TEST(WideText, KeepsEmbeddedNul) {
  const std::string narrow("a\0b", 3);
  EXPECT_EQ(ToWide(narrow), W({'a', 0, 'b'}));
  EXPECT_EQ(ToNarrow(W({'a', 0, 'b'})), narrow);
}

}  // namespace
}  // namespace nodexa
