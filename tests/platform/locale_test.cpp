// The POSIX machine's language fact behind GetUserDefaultLangID. The
// locale names behind GetLocaleInfoA are covered through GetUserLocale.
#include <gtest/gtest.h>

#include <string>

#include "harness/test_machine.h"
#include "platform/win32_api.h"

namespace {

struct LanguageIdCase {
  const char* fact;
  LANGID expected;
};

TEST(LanguageIdFacts, ReadTheIdentifierOrFallBackToUnitedStates) {
  const LanguageIdCase cases[] = {
      {"0x409", 0x409},
      {"0X80A", 0x80a},
      {"1033", 0x409},
      {"0409", 409},
      {"0xFFFF", 0xFFFF},
      {"0x10000", 0x409},
      {"0x40g", 0x409},
      {"-0", 0x409},
      {"+1", 0x409},
      {"", 0x409},
      {"99999999999999999999", 0x409},
  };
  nodexa::test::TestMachine machine;
  for (const LanguageIdCase& c : cases) {
    machine.SetFacts(std::string("LanguageId=") + c.fact + "\n");
    EXPECT_EQ(GetUserDefaultLangID(), c.expected) << '"' << c.fact << '"';
  }
}

}  // namespace
