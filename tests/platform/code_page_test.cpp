#include <gtest/gtest.h>

#include "platform/win32_api.h"

namespace {

// The two-call sizing the library relies on, through code page 1252 and
// back, the euro sign included.
TEST(CodePage, SizeQueryThenConversion) {
  const char* text = "caf\xE9\x80";
  EXPECT_EQ(MultiByteToWideChar(1252, 0, text, 5, nullptr, 0), 5);
  WCHAR wide[5] = {};
  ASSERT_EQ(MultiByteToWideChar(1252, 0, text, 5, wide, 5), 5);
  EXPECT_EQ(wide[3], static_cast<WCHAR>(0xE9));
  EXPECT_EQ(wide[4], static_cast<WCHAR>(0x20AC));

  char narrow[6] = {};
  EXPECT_EQ(WideCharToMultiByte(1252, 0, wide, 5, nullptr, 0, nullptr, nullptr), 5);
  ASSERT_EQ(WideCharToMultiByte(1252, 0, wide, 5, narrow, 5, nullptr, nullptr), 5);
  EXPECT_STREQ(narrow, text);
}

}  // namespace
