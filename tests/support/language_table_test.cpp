#include "support/language_table.h"

#include <gtest/gtest.h>

#include <iterator>
#include <set>
#include <string>

#include "support/language_info.h"

namespace nodexa {
namespace {

struct Row {
  size_t number;
  const char* language;
  const char* iso;
  const char* win;
  const char* mac;
  const char* codePage;
};

// Every language row as the product documentation lists it.
const Row kExpectedRows[] = {
    {1, "Afrikaans", "af", "0x36", "141", "1252"},
    {2, "Albanian", "sq", "0x1c", "36", "1250"},
    {3, "Amharic", "am", "0x5e", "85", "-1"},
    {4, "Arabic", "ar", "0x01", "12", "1256"},
    {5, "Armenian", "hy", "0x2b", "51", "0"},
    {6, "Assamese", "as", "0x4d", "68", "-1"},
    {7, "Azerbaijani", "az", "0x2c", "49", "-1"},
    {8, "Azerbaijani", "az", "0x2c", "50", "-1"},
    {9, "Basque", "eu", "0x2d", "129", "1252"},
    {10, "Bengali (Bangla)", "bn", "0x45", "67", "-1"},
    {11, "Bulgarian", "bg", "0x02", "44", "1251"},
    {12, "Burmese", "my", "0x55", "77", "-1"},
    {13, "Byelorussian (Belarusian)", "be", "0x23", "46", "1251"},
    {14, "Cambodian", "km", "0x53", "78", "-1"},
    {15, "Catalan", "ca", "0x03", "130", "1252"},
    {16, "Chinese (Simplified)", "zh", "0x0804", "33", "936"},
    {17, "Chinese (Traditional)", "zh_HK", "0x0404", "19", "950"},
    {18, "Chinese (Traditional)", "zh_TW", "0x0404", "19", "950"},
    {19, "Croatian", "hr", "0x1a", "18", "1250"},
    {20, "Czech", "cs", "0x05", "38", "1250"},
    {21, "Danish", "da", "0x06", "7", "1252"},
    {22, "Dutch", "nl", "0x13", "4", "1252"},
    {23, "English", "en", "0x09", "0", "1252"},
    {24, "Estonian", "et", "0x25", "27", "1257"},
    {25, "Faeroese", "fo", "0x38", "30", "1252"},
    {26, "Farsi", "fa", "0x29", "31", "1256"},
    {27, "Finnish", "fi", "0x0b", "13", "1252"},
    {28, "French", "fr", "0x0c", "1", "1252"},
    {29, "Frisian", "fy", "0x62", "-1", "-1"},
    {30, "Galician", "gl", "0x56", "140", "1252"},
    {31, "Gaelic (Scottish)", "gd", "0x3c", "144", "-1"},
    {32, "Gaelic (Scottish)", "gd", "0x043c", "144", "-1"},
    {33, "Georgian", "ka", "0x37", "52", "0"},
    {34, "German", "de", "0x07", "2", "1252"},
    {35, "Greek", "el", "0x08", "14", "1253"},
    {36, "Greek", "el", "0x08", "148", "1253"},
    {37, "Guarani", "gn", "0x74", "133", "-1"},
    {38, "Gujarati", "gu", "0x47", "69", "0"},
    {39, "Hausa", "ha", "0x68", "-1", "-1"},
    {40, "Hebrew", "he", "0x0d", "10", "1255"},
    {41, "Hebrew", "iw", "0x0d", "10", "1255"},
    {42, "Hindi", "hi", "0x39", "21", "0"},
    {43, "Hungarian", "hu", "0x0e", "26", "1250"},
    {44, "Icelandic", "is", "0x0f", "15", "1252"},
    {45, "Indonesian", "id", "0x21", "81", "1252"},
    {46, "Indonesian", "in", "0x21", "81", "1252"},
    {47, "Inuktitut", "iu", "0x5d", "143", "-1"},
    {48, "Irish", "ga", "0x3c", "35", "-1"},
    {49, "Irish", "ga", "0x083c", "146", "-1"},
    {50, "Italian", "it", "0x10", "3", "1252"},
    {51, "Japanese", "ja", "0x11", "11", "932"},
    {52, "Kannada", "kn", "0x4b", "73", "0"},
    {53, "Kashmiri", "ks", "0x60", "61", "-1"},
    {54, "Kazakh", "kk", "0x3f", "48", "1251"},
    {55, "Kirghiz", "ky", "0x40", "54", "1251"},
    {56, "Korean", "ko", "0x12", "23", "949"},
    {57, "Laothian", "lo", "0x54", "79", "-1"},
    {58, "Latin", "la", "0x76", "131", "-1"},
    {59, "Latvian (Lettish)", "lv", "0x26", "28", "1257"},
    {60, "Lithuanian", "lt", "0x27", "24", "1257"},
    {61, "Macedonian", "mk", "0x2f", "43", "-1"},
    {62, "Malay", "ms", "0x3e", "83", "1252"},
    {63, "Malay", "ms", "0x3e", "84", "1252"},
    {64, "Malayalam", "ml", "0x4c", "72", "-1"},
    {65, "Maltese", "mt", "0x3a", "16", "-1"},
    {66, "Marathi", "mr", "0x4e", "66", "0"},
    {67, "Mongolian", "mn", "0x50", "57", "1251"},
    {68, "Mongolian", "mn", "0x50", "58", "1251"},
    {69, "Nepali", "ne", "0x61", "64", "-1"},
    {70, "Norwegian", "no", "0x14", "9", "1252"},
    {71, "Oriya", "or", "0x48", "71", "-1"},
    {72, "Oromo (Afan, Galla)", "om", "0x72", "87", "-1"},
    {73, "Pashto (Pushto)", "ps", "0x63", "59", "-1"},
    {74, "Polish", "pl", "0x15", "25", "1250"},
    {75, "Portuguese", "pt", "0x16", "8", "1252"},
    {76, "Portuguese (Brazil)", "pt_BR", "0x416", "8", "1252"},
    {77, "Portuguese (Portugal)", "pt_PT", "0x816", "8", "1252"},
    {78, "Punjabi", "pa", "0x46", "70", "0"},
    {79, "Rhaeto-Romance", "rm", "0x17", "-1", "-1"},
    {80, "Romanian", "ro", "0x18", "37", "-1"},
    {81, "Russian", "ru", "0x19", "32", "1251"},
    {82, "Sanskrit", "sa", "0x4f", "65", "0"},
    {83, "Serbian", "sr", "0x1a", "42", "-1"},
    {84, "Serbian", "sr", "0x081a", "42", "1250"},
    {85, "Serbian", "sr", "0x0c1a", "42", "1251"},
    {86, "Sindhi", "sd", "0x59", "62", "-1"},
    {87, "Sinhalese", "si", "0x5b", "76", "-1"},
    {88, "Slovak", "sk", "0x1b", "39", "1250"},
    {89, "Slovenian", "sl", "0x24", "40", "1250"},
    {90, "Somali", "so", "0x77", "88", "-1"},
    {91, "Spanish", "es", "0x0a", "6", "1252"},
    {92, "Swahili (Kiswahili)", "sw", "0x41", "89", "1252"},
    {93, "Swedish", "sv", "0x1d", "5", "1252"},
    {94, "Tagalog", "tl", "0x64", "82", "-1"},
    {95, "Tajik", "tg", "0x28", "55", "-1"},
    {96, "Tamil", "ta", "0x49", "74", "0"},
    {97, "Tatar", "tt", "0x44", "135", "1251"},
    {98, "Telugu", "te", "0x4a", "75", "0"},
    {99, "Thai", "th", "0x1e", "22", "874"},
    {100, "Tibetan", "bo", "0x51", "63", "-1"},
    {101, "Tigrinya", "ti", "0x73", "86", "-1"},
    {102, "Tsonga", "ts", "0x31", "-1", "431"},
    {103, "Turkish", "tr", "0x1f", "17", "1254"},
    {104, "Turkmen", "tk", "0x42", "56", "-1"},
    {105, "Ukrainian", "uk", "0x22", "45", "1251"},
    {106, "Urdu", "ur", "0x20", "20", "1256"},
    {107, "Uzbek", "uz", "0x43", "47", "1254"},
    {108, "Vietnamese", "vi", "0x2a", "80", "1258"},
    {109, "Welsh", "cy", "0x52", "128", "-1"},
    {110, "Xhosa", "xh", "0x34", "-1", "-1"},
    {111, "Yiddish", "yi", "0x3d", "41", "-1"},
    {112, "Yiddish", "ji", "0x3d", "41", "-1"},
    {113, "Yoruba", "yo", "0x6a", "-1", "-1"},
    {114, "Zulu", "zu", "0x35", "-1", "-1"},
};

TEST(LanguageTable, TitlesThen114Languages) {
  ASSERT_EQ(kLanguageTableSize, 115u);
  ASSERT_EQ(std::size(kExpectedRows), 114u);
  const char* const titles[] = {"Language", "ISO Code", "Win Code", "Mac Code", "CodePage"};
  for (int column = 0; column < kLanguageColumns; ++column) {
    EXPECT_STREQ(kLanguageTable[0].text[column], titles[column]) << column;
  }
}

TEST(LanguageTable, EveryRowHoldsItsFiveColumns) {
  for (const Row& row : kExpectedRows) {
    ASSERT_LT(row.number, kLanguageTableSize);
    const LanguageRow& actual = kLanguageTable[row.number];
    EXPECT_STREQ(actual.text[kLanguageName], row.language) << "row " << row.number;
    EXPECT_STREQ(actual.text[kIsoCode], row.iso) << "row " << row.number;
    EXPECT_STREQ(actual.text[kWinCode], row.win) << "row " << row.number;
    EXPECT_STREQ(actual.text[kMacCode], row.mac) << "row " << row.number;
    EXPECT_STREQ(actual.text[kCodePage], row.codePage) << "row " << row.number;
  }
}

// Independent of the listing above: the columns keep their forms.
TEST(LanguageTable, ColumnsHaveTheirForms) {
  const std::set<std::string> codePages = {"-1",   "0",    "431",  "874",  "932",  "936",
                                           "949",  "950",  "1250", "1251", "1252", "1253",
                                           "1254", "1255", "1256", "1257", "1258"};
  for (size_t row = 1; row < kLanguageTableSize; ++row) {
    const std::string iso = kLanguageTable[row].text[kIsoCode];
    const std::string win = kLanguageTable[row].text[kWinCode];
    EXPECT_TRUE(iso.size() == 2 || (iso.size() == 5 && iso[2] == '_')) << "row " << row;
    EXPECT_EQ(win.substr(0, 2), "0x") << "row " << row;
    EXPECT_EQ(codePages.count(kLanguageTable[row].text[kCodePage]), 1u) << "row " << row;
    EXPECT_STRNE(kLanguageTable[row].text[kMacCode], "") << "row " << row;
  }
}

struct LookupCase {
  const char* language;
  int32_t column;
  const char* expected;
  const char* why;
};

void PrintTo(const LookupCase& c, std::ostream* out) {
  *out << '"' << c.language << "\" column " << c.column << ": " << c.why;
}

class LookupLanguageTable : public ::testing::TestWithParam<LookupCase> {};

TEST_P(LookupLanguageTable, AnswersTheRowsColumn) {
  EXPECT_EQ(LookupLanguage(GetParam().language, GetParam().column), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LookupLanguageTable,
    ::testing::Values(LookupCase{"pt_BR", 4, "1252", "row 76 matches whole"},
                      LookupCase{"pt_BR", 0, "Portuguese (Brazil)", "row 76, not row 75"},
                      LookupCase{"pt_BR", 2, "0x416", "row 76's identifier"},
                      LookupCase{"pt_PT", 2, "0x816", "row 77"},
                      LookupCase{"pt_AO", 2, "0x16", "no such row: row 75 through \"pt\""},
                      LookupCase{"en_US", 4, "1252", "row 23 through \"en\""},
                      LookupCase{"en_US", 0, "English", "row 23 through \"en\""},
                      LookupCase{"zh_TW", 4, "950", "row 18 matches whole"},
                      LookupCase{"zh_TW", 1, "zh_TW", "row 18, not row 17"},
                      LookupCase{"zh_HK", 1, "zh_HK", "row 17"},
                      LookupCase{"zh_CN", 4, "936", "row 16 through \"zh\""},
                      LookupCase{"zh_SG", 0, "Chinese (Simplified)", "row 16 through \"zh\""},
                      LookupCase{"sr_YU", 4, "-1", "row 83 through \"sr\""},
                      LookupCase{"sr_YU", 2, "0x1a", "the first Serbian row"},
                      LookupCase{"", 4, "", "the empty string matches nothing"},
                      LookupCase{"", 0, "", "the empty string matches nothing"},
                      LookupCase{"en", 5, "", "column above 4"},
                      LookupCase{"en", -1, "", "negative column"},
                      LookupCase{"en", 3, "0", "Mac code column"},
                      LookupCase{"EN", 0, "English", "case-insensitive"},
                      LookupCase{"PT_br", 2, "0x416", "case-insensitive whole match"},
                      LookupCase{"Zh_tw", 4, "950", "case-insensitive whole match"},
                      LookupCase{"EN_us", 4, "1252", "case-insensitive prefix match"},
                      LookupCase{"e", 0, "", "one letter matches no row"},
                      LookupCase{"xx", 0, "", "two letters are not shortened"},
                      LookupCase{"xx_YY", 0, "", "neither whole nor prefix"},
                      LookupCase{"enx", 0, "English", "three characters try the prefix"},
                      LookupCase{"ISO Code", 0, "Icelandic", "the titles row takes no part"},
                      LookupCase{"Language", 0, "Latin", "the titles row takes no part"},
                      LookupCase{"az", 3, "49", "first of two Azerbaijani rows"},
                      LookupCase{"gd", 2, "0x3c", "first of two Gaelic rows"},
                      LookupCase{"ga", 3, "35", "first of two Irish rows"},
                      LookupCase{"el", 3, "14", "first of two Greek rows"},
                      LookupCase{"ms", 3, "83", "first of two Malay rows"},
                      LookupCase{"mn", 3, "57", "first of two Mongolian rows"},
                      LookupCase{"iw", 0, "Hebrew", "second Hebrew code"},
                      LookupCase{"in", 1, "in", "row 46"}, LookupCase{"ji", 1, "ji", "row 112"},
                      LookupCase{"ts", 4, "431", "Tsonga's code page"},
                      LookupCase{"th", 4, "874", "Thai"},
                      LookupCase{"ja_JP", 4, "932", "Japanese through \"ja\""},
                      LookupCase{"ko_KR", 4, "949", "Korean through \"ko\""},
                      LookupCase{"hy", 4, "0", "Unicode-only language"},
                      LookupCase{"zu", 0, "Zulu", "the last row"},
                      LookupCase{"af", 0, "Afrikaans", "the first row"}));

// Every ISO code finds its first row: a whole-string match never falls
// through to a later row.
TEST(LookupLanguage, EveryIsoCodeFindsItsFirstRow) {
  for (const Row& row : kExpectedRows) {
    const Row* first = nullptr;
    for (const Row& candidate : kExpectedRows) {
      if (std::string(candidate.iso) == row.iso) {
        first = &candidate;
        break;
      }
    }
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(LookupLanguage(row.iso, 0), first->language) << row.iso;
    EXPECT_EQ(LookupLanguage(row.iso, 3), first->mac) << row.iso;
    EXPECT_EQ(LookupLanguage(row.iso, 4), first->codePage) << row.iso;
  }
}

}  // namespace
}  // namespace nodexa
