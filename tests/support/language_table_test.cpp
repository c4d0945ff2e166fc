#include "support/language_table.h"

#include <gtest/gtest.h>

#include "support/language_info.h"

namespace nodexa {
namespace {

struct LookupCase {
  const char* language;
  int32_t column;
  const char* expected;
};

// A whole match first, else the row of the first two characters.
TEST(LookupLanguage, AnswersTheRowsColumn) {
  const LookupCase cases[] = {
      {"pt_BR", 2, "0x416"},     {"PT_br", 0, "Portuguese (Brazil)"}, {"pt_AO", 2, "0x16"},
      {"en_US", 4, "1252"},      {"enx", 3, "0"},                     {"zh_TW", 4, "950"},
      {"zh_CN", 4, "936"},       {"af", 0, "Afrikaans"},              {"zu", 0, "Zulu"},
      {"ISO Code", 0, "Icelandic"},  // the titles row takes no part
      {"", 4, ""},               {"xx_YY", 0, ""},                    {"en", 5, ""},
      {"en", -1, ""},
  };
  for (const LookupCase& c : cases) {
    EXPECT_EQ(LookupLanguage(c.language, c.column), c.expected)
        << '"' << c.language << "\" column " << c.column;
  }
}

}  // namespace
}  // namespace nodexa
