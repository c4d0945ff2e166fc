// The code-page conversions the library relies on, with their two-call
// sizing. The same rows run against the POSIX stand-in and Windows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32_api.h"

namespace {

struct ConversionCase {
  const char* name;
  UINT codePage;
  std::string narrow;
  std::vector<WCHAR> wide;
};

TEST(CodePage, ConvertsBothWaysAfterASizeQuery) {
  const ConversionCase cases[] = {
      // The ANSI code page is 1252: e acute and the euro sign.
      {"AnsiIs1252", CP_ACP, "caf\xE9\x80", {'c', 'a', 'f', 0xE9, 0x20AC}},
      {"Cyrillic1251", 1251, "\xC0z", {0x410, 'z'}},
      // Double-byte: Hiragana A is two bytes in Shift-JIS.
      {"ShiftJis932", 932, "\x82\xA0" "A", {0x3042, 'A'}},
  };
  for (const ConversionCase& c : cases) {
    SCOPED_TRACE(c.name);
    const int narrowSize = static_cast<int>(c.narrow.size());
    const int wideSize = static_cast<int>(c.wide.size());
    EXPECT_EQ(MultiByteToWideChar(c.codePage, 0, c.narrow.data(), narrowSize, nullptr, 0),
              wideSize);
    std::vector<WCHAR> wide(c.wide.size());
    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(c.codePage, 0, c.narrow.data(), narrowSize, wide.data(),
                                  wideSize - 1),
              0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    ASSERT_EQ(MultiByteToWideChar(c.codePage, 0, c.narrow.data(), narrowSize, wide.data(),
                                  wideSize),
              wideSize);
    EXPECT_EQ(wide, c.wide);

    EXPECT_EQ(WideCharToMultiByte(c.codePage, 0, c.wide.data(), wideSize, nullptr, 0, nullptr,
                                  nullptr),
              narrowSize);
    std::string narrow(c.narrow.size(), '\0');
    ASSERT_EQ(WideCharToMultiByte(c.codePage, 0, c.wide.data(), wideSize, &narrow[0], narrowSize,
                                  nullptr, nullptr),
              narrowSize);
    EXPECT_EQ(narrow, c.narrow);
  }
}

TEST(CodePage, UnmappableCharactersBecomeTheDefaultCharacter) {
  const WCHAR wide[] = {'a', 0x3042};
  char narrow[2] = {};
  BOOL usedDefault = FALSE;
  ASSERT_EQ(WideCharToMultiByte(1252, 0, wide, 2, narrow, 2, nullptr, &usedDefault), 2);
  EXPECT_EQ(std::string(narrow, 2), "a?");
  EXPECT_TRUE(usedDefault);
}

}  // namespace
