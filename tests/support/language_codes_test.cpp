#include <gtest/gtest.h>

#include <string>

#include "support/language_info.h"
#include "support/locale_codes.h"
#include "support/maker_language_codes.h"

namespace nodexa {
namespace {

struct CodeCase {
  uint32_t languageId;
  const char* locale;
  int32_t makerCode;
};

// The documented examples and older conventions, the ends of both tables,
// and identifiers that are not listed.
const CodeCase kCodeCases[] = {
    {0x409, "en_US", 0},      {0x809, "en_UK", 0},   {0x401, "ar_SA", 0},  {0x2409, "en_JM", 0},
    {0x2009, "en_JM", 0},     {0x814, "no_NO", 45},  {0x414, "no_NO", 6},  {0x421, "in", 35},
    {0x403, "ca_AD", 39},     {0x81a, "sr_YU", 30},  {0xc1a, "sr_YU", 31}, {0x40c, "fr_FR", 1},
    {0x40d, "he_IL", 46},     {0x500a, "es_PR", 28}, {0x540a, "en_US", 0}, {0x1040c, "en_US", 0},
    {0xFFFFFFFF, "en_US", 0},
};

TEST(LanguageCodes, DocumentedExamplesAndSpotChecks) {
  EXPECT_EQ(kLocaleCodeCount, 88u);
  EXPECT_EQ(kMakerLanguageCodeCount, 77u);
  for (const CodeCase& c : kCodeCases) {
    EXPECT_EQ(GetLocaleCode(c.languageId), c.locale) << std::hex << c.languageId;
    EXPECT_EQ(GetLanguageCode(c.languageId), c.makerCode) << std::hex << c.languageId;
  }
}

// Every Spanish sub-language from 0x80a to 0x500a (steps of 0x400) is 28.
TEST(LanguageCodes, EverySpanishIdentifierIs28) {
  for (uint32_t id = 0x80a; id <= 0x500a; id += 0x400) {
    EXPECT_EQ(GetLanguageCode(id), 28) << std::hex << id;
    EXPECT_EQ(GetLocaleCode(id).substr(0, 3), "es_") << std::hex << id;
  }
}

// Every listed locale but the English and Arabic ones has a maker's number,
// and every maker's number belongs to a listed locale.
TEST(LanguageCodes, TheTwoTablesCoverTheSameLanguages) {
  for (size_t i = 0; i < kLocaleCodeCount; ++i) {
    const std::string language = std::string(kLocaleCodes[i].code).substr(0, 3);
    EXPECT_EQ(GetLanguageCode(kLocaleCodes[i].languageId) == 0,
              language == "en_" || language == "ar_")
        << kLocaleCodes[i].code;
  }
  for (size_t i = 0; i < kMakerLanguageCodeCount; ++i) {
    EXPECT_NE(GetLocaleCode(kMakerLanguageCodes[i].languageId), "en_US")
        << std::hex << kMakerLanguageCodes[i].languageId;
  }
}

}  // namespace
}  // namespace nodexa
