#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "support/language_info.h"
#include "support/locale_codes.h"
#include "support/maker_language_codes.h"

namespace nodexa {
namespace {

struct LocaleCase {
  uint32_t languageId;
  const char* code;
};

// Every identifier the locale-code table lists, as documented.
const LocaleCase kListedLocales[] = {
    {0x401, "ar_SA"},  {0x402, "bg_BG"},  {0x403, "ca_AD"},  {0x404, "zh_TW"},  {0x405, "cs_CZ"},
    {0x406, "da_DK"},  {0x407, "de_DE"},  {0x408, "el_GR"},  {0x40a, "es_ES"},  {0x40b, "fi_FI"},
    {0x40c, "fr_FR"},  {0x40d, "he_IL"},  {0x40e, "hu_HU"},  {0x40f, "is_IS"},  {0x410, "it_IT"},
    {0x411, "ja_JP"},  {0x412, "ko_KR"},  {0x413, "nl_NL"},  {0x414, "no_NO"},  {0x415, "pl_PL"},
    {0x416, "pt_BR"},  {0x418, "ro_RO"},  {0x419, "ru_RU"},  {0x41a, "hr_HR"},  {0x41b, "sk_SK"},
    {0x41c, "sq_AL"},  {0x41d, "sv_SE"},  {0x41e, "th_TH"},  {0x41f, "tr_TR"},  {0x421, "in"},
    {0x422, "uk_UA"},  {0x423, "be_BY"},  {0x424, "sl_SI"},  {0x425, "et_EE"},  {0x426, "lv_LV"},
    {0x427, "lt_LT"},  {0x42a, "vi_VN"},  {0x42d, "eu_ES"},  {0x436, "af_ZA"},  {0x438, "fo_FO"},
    {0x804, "zh_CN"},  {0x807, "de_CH"},  {0x809, "en_UK"},  {0x80a, "es_MX"},  {0x80c, "fr_BE"},
    {0x810, "it_CH"},  {0x812, "ko_KR"},  {0x813, "nl_BE"},  {0x814, "no_NO"},  {0x816, "pt_PT"},
    {0x81a, "sr_YU"},  {0x81d, "sv_FI"},  {0xc04, "zh_HK"},  {0xc07, "de_AT"},  {0xc09, "en_AU"},
    {0xc0a, "es_ES"},  {0xc0c, "fr_CA"},  {0xc1a, "sr_YU"},  {0x1004, "zh_SG"}, {0x1007, "de_LU"},
    {0x1009, "en_CA"}, {0x100a, "es_GT"}, {0x100c, "fr_CH"}, {0x1407, "de_LI"}, {0x1409, "en_NZ"},
    {0x140a, "es_CR"}, {0x140c, "fr_LU"}, {0x1809, "en_IE"}, {0x180a, "es_PA"}, {0x1c09, "en_ZA"},
    {0x1c0a, "es_DO"}, {0x2009, "en_JM"}, {0x200a, "es_VE"}, {0x2409, "en_JM"}, {0x240a, "es_CO"},
    {0x2809, "en_BZ"}, {0x280a, "es_PE"}, {0x2c09, "en_TT"}, {0x2c0a, "es_AR"}, {0x300a, "es_EC"},
    {0x340a, "es_CL"}, {0x380a, "es_UY"}, {0x3c0a, "es_PY"}, {0x400a, "es_BO"}, {0x440a, "es_SV"},
    {0x480a, "es_HN"}, {0x4c0a, "es_NI"}, {0x500a, "es_PR"},
};

struct MakerCase {
  uint32_t languageId;
  int32_t code;
};

// Every identifier with a maker's language number, as documented.
const MakerCase kListedMakerCodes[] = {
    {0x40c, 1},   {0x80c, 1},   {0xc0c, 1},   {0x100c, 1},  {0x140c, 1},  {0x407, 2},
    {0x807, 2},   {0xc07, 2},   {0x1007, 2},  {0x1407, 2},  {0x410, 3},   {0x810, 3},
    {0x406, 5},   {0x414, 6},   {0x413, 7},   {0x813, 7},   {0x41d, 8},   {0x81d, 8},
    {0x40b, 9},   {0x816, 10},  {0x411, 12},  {0x804, 13},  {0x1004, 13}, {0x404, 14},
    {0xc04, 14},  {0x405, 15},  {0x408, 16},  {0x40e, 17},  {0x40f, 18},  {0x412, 19},
    {0x812, 19},  {0x415, 20},  {0x416, 21},  {0x419, 22},  {0x41b, 23},  {0x41f, 24},
    {0x42a, 25},  {0x422, 26},  {0x41e, 27},  {0x40a, 28},  {0x80a, 28},  {0xc0a, 28},
    {0x100a, 28}, {0x140a, 28}, {0x180a, 28}, {0x1c0a, 28}, {0x200a, 28}, {0x240a, 28},
    {0x280a, 28}, {0x2c0a, 28}, {0x300a, 28}, {0x340a, 28}, {0x380a, 28}, {0x3c0a, 28},
    {0x400a, 28}, {0x440a, 28}, {0x480a, 28}, {0x4c0a, 28}, {0x500a, 28}, {0x424, 29},
    {0x81a, 30},  {0xc1a, 31},  {0x418, 32},  {0x427, 33},  {0x426, 34},  {0x421, 35},
    {0x438, 36},  {0x425, 37},  {0x41a, 38},  {0x403, 39},  {0x402, 40},  {0x423, 41},
    {0x42d, 42},  {0x41c, 43},  {0x436, 44},  {0x814, 45},  {0x40d, 46},
};

TEST(LocaleCodes, EveryListedIdentifierHasItsCode) {
  EXPECT_EQ(kLocaleCodeCount, std::size(kListedLocales));
  for (const LocaleCase& c : kListedLocales) {
    EXPECT_EQ(GetLocaleCode(c.languageId), c.code) << std::hex << c.languageId;
  }
}

TEST(LocaleCodes, OtherIdentifiersAreUnitedStatesEnglish) {
  for (uint32_t id :
       {0x409u, 0x0u, 0x9u, 0x417u, 0x420u, 0x440u, 0x10407u, 0x5409u, 0xFFFFu, 0xFFFFFFFFu}) {
    EXPECT_EQ(GetLocaleCode(id), "en_US") << std::hex << id;
  }
}

TEST(LocaleCodes, OlderConventionsAreKept) {
  EXPECT_EQ(GetLocaleCode(0x809), "en_UK");
  EXPECT_EQ(GetLocaleCode(0x401), "ar_SA");
  EXPECT_EQ(GetLocaleCode(0x2409), "en_JM");
  EXPECT_EQ(GetLocaleCode(0x2009), "en_JM");
  EXPECT_EQ(GetLocaleCode(0x421), "in");
  EXPECT_EQ(GetLocaleCode(0x403), "ca_AD");
  EXPECT_EQ(GetLocaleCode(0x81a), "sr_YU");
  EXPECT_EQ(GetLocaleCode(0xc1a), "sr_YU");
}

TEST(MakerLanguageCodes, EveryListedIdentifierHasItsNumber) {
  EXPECT_EQ(kMakerLanguageCodeCount, std::size(kListedMakerCodes));
  for (const MakerCase& c : kListedMakerCodes) {
    EXPECT_EQ(GetLanguageCode(c.languageId), c.code) << std::hex << c.languageId;
  }
}

TEST(MakerLanguageCodes, DocumentedExamples) {
  EXPECT_EQ(GetLanguageCode(0x409), 0);
  EXPECT_EQ(GetLanguageCode(0x401), 0);
  EXPECT_EQ(GetLanguageCode(0x809), 0);
  EXPECT_EQ(GetLanguageCode(0x814), 45);
  EXPECT_EQ(GetLanguageCode(0x414), 6);
  EXPECT_EQ(GetLanguageCode(0x40a), 28);
  EXPECT_EQ(GetLanguageCode(0x0), 0);
  EXPECT_EQ(GetLanguageCode(0x1040c), 0);  // a sort order is not ignored
}

// Every Spanish sub-language from 0x80a to 0x500a (steps of 0x400) is 28.
TEST(MakerLanguageCodes, EverySpanishIdentifierIs28) {
  int count = 0;
  for (uint32_t id = 0x80a; id <= 0x500a; id += 0x400) {
    EXPECT_EQ(GetLanguageCode(id), 28) << std::hex << id;
    EXPECT_EQ(GetLocaleCode(id).substr(0, 3), "es_") << std::hex << id;
    ++count;
  }
  EXPECT_EQ(count, 19);
  EXPECT_EQ(GetLanguageCode(0x540a), 0);
}

TEST(MakerLanguageCodes, NumbersFourAndElevenAreUnused) {
  for (size_t i = 0; i < kMakerLanguageCodeCount; ++i) {
    EXPECT_NE(kMakerLanguageCodes[i].code, 4);
    EXPECT_NE(kMakerLanguageCodes[i].code, 11);
    EXPECT_GE(kMakerLanguageCodes[i].code, 1);
    EXPECT_LE(kMakerLanguageCodes[i].code, 46);
  }
}

// Across the two tables: every listed locale but the English and Arabic ones
// has a maker's number, and nothing has a number without a locale code.
TEST(LanguageTables, LocaleAndMakerTablesAgree) {
  for (const LocaleCase& c : kListedLocales) {
    const std::string language = std::string(c.code).substr(0, 3);
    const bool withoutNumber = language == "en_" || language == "ar_";
    EXPECT_EQ(GetLanguageCode(c.languageId) == 0, withoutNumber) << c.code;
  }
  for (const MakerCase& c : kListedMakerCodes) {
    bool listed = false;
    for (const LocaleCase& locale : kListedLocales) listed |= locale.languageId == c.languageId;
    EXPECT_TRUE(listed) << std::hex << c.languageId;
  }
}

}  // namespace
}  // namespace nodexa
