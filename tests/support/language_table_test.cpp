#include "support/language_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "support/language_info.h"

namespace nodexa {
namespace {

TEST(LanguageTable, TitlesThen114Languages) {
  ASSERT_EQ(kLanguageTableSize, 115u);
  const char* const titles[] = {"Language", "ISO Code", "Win Code", "Mac Code", "CodePage"};
  for (int column = 0; column < kLanguageColumns; ++column) {
    EXPECT_STREQ(kLanguageTable[0].text[column], titles[column]) << column;
  }
}

// The columns keep their forms in every row.
TEST(LanguageTable, ColumnsHaveTheirForms) {
  const std::set<std::string> codePages = {"-1",   "0",    "431",  "874",  "932",  "936",
                                           "949",  "950",  "1250", "1251", "1252", "1253",
                                           "1254", "1255", "1256", "1257", "1258"};
  for (size_t row = 1; row < kLanguageTableSize; ++row) {
    const std::string iso = kLanguageTable[row].text[kIsoCode];
    EXPECT_TRUE(iso.size() == 2 || (iso.size() == 5 && iso[2] == '_')) << "row " << row;
    EXPECT_EQ(std::string(kLanguageTable[row].text[kWinCode]).substr(0, 2), "0x") << row;
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

TEST(LookupLanguage, AnswersTheRowsColumn) {
  const LookupCase cases[] = {
      {"pt_BR", 4, "1252", "row 76 matches whole"},
      {"pt_BR", 2, "0x416", "row 76, not row 75"},
      {"PT_br", 0, "Portuguese (Brazil)", "case-insensitive whole match"},
      {"pt_AO", 2, "0x16", "no such row: row 75 through \"pt\""},
      {"en_US", 4, "1252", "row 23 through \"en\""},
      {"EN", 0, "English", "case-insensitive"},
      {"enx", 3, "0", "three characters try the prefix"},
      {"zh_TW", 4, "950", "row 18 matches whole"},
      {"zh_TW", 1, "zh_TW", "row 18, not row 17"},
      {"zh_CN", 4, "936", "row 16 through \"zh\""},
      {"sr_YU", 4, "-1", "row 83 through \"sr\""},
      {"sr_YU", 2, "0x1a", "the first of three Serbian rows"},
      {"ts", 4, "431", "row 102"},
      {"af", 0, "Afrikaans", "the first row"},
      {"zu", 0, "Zulu", "the last row"},
      {"ISO Code", 0, "Icelandic", "the titles row takes no part"},
      {"", 4, "", "the empty string matches nothing"},
      {"xx_YY", 0, "", "neither whole nor prefix"},
      {"en", 5, "", "column above 4"},
      {"en", -1, "", "negative column"},
  };
  for (const LookupCase& c : cases) {
    EXPECT_EQ(LookupLanguage(c.language, c.column), c.expected)
        << '"' << c.language << "\" column " << c.column << ": " << c.why;
  }
}

}  // namespace
}  // namespace nodexa
