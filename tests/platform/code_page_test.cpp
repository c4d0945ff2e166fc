#include <gtest/gtest.h>

#include "platform/win32_api.h"

namespace {

// The two-call sizing and short-buffer conventions the library relies on.
TEST(CodePage, SizeQueryThenConversion) {
  const char* text = "caf\xE9";
  EXPECT_EQ(MultiByteToWideChar(1252, 0, text, -1, nullptr, 0), 5);  // with the NUL
  EXPECT_EQ(MultiByteToWideChar(1252, 0, text, 4, nullptr, 0), 4);
  WCHAR wide[5] = {};
  ASSERT_EQ(MultiByteToWideChar(1252, 0, text, -1, wide, 5), 5);
  EXPECT_EQ(wide[3], static_cast<WCHAR>(0xE9));
  EXPECT_EQ(wide[4], static_cast<WCHAR>(0));

  char narrow[5] = {};
  EXPECT_EQ(WideCharToMultiByte(1252, 0, wide, -1, nullptr, 0, nullptr, nullptr), 5);
  ASSERT_EQ(WideCharToMultiByte(1252, 0, wide, -1, narrow, 5, nullptr, nullptr), 5);
  EXPECT_STREQ(narrow, text);
}

TEST(CodePage, ShortBufferFailsWith122) {
  WCHAR wide[2] = {};
  SetLastError(0);
  EXPECT_EQ(MultiByteToWideChar(1252, 0, "abc", 3, wide, 2), 0);
  EXPECT_EQ(GetLastError(), 122u);
  char narrow[1] = {};
  const WCHAR source[] = {'a', 'b', 0};
  SetLastError(0);
  EXPECT_EQ(WideCharToMultiByte(1252, 0, source, 2, narrow, 1, nullptr, nullptr), 0);
  EXPECT_EQ(GetLastError(), 122u);
}

TEST(CodePage, UsedDefaultCharIsReported) {
  const WCHAR source[] = {'a', 0x3042};
  char narrow[2] = {};
  BOOL used = FALSE;
  ASSERT_EQ(WideCharToMultiByte(1252, 0, source, 2, narrow, 2, nullptr, &used), 2);
  EXPECT_EQ(narrow[1], '?');
  EXPECT_TRUE(used);
}

}  // namespace
