// Checks of command-line values.
#include <gtest/gtest.h>

#include "validators.h"

namespace nodexa::cli {
namespace {

struct SubnetCase {
  const char* value;
  bool valid;
};

TEST(ValidatorsTest, Subnets) {
  const SubnetCase cases[] = {
      {"10.1.2.0", true},
      {"10.9.0.0:255.255.0.0", true},
      {"0.0.0.0", true},
      {"255.255.255.255", true},
      {"10.1.2", false},
      {"10.1.2.0.", false},
      {"10.1.2.256", false},
      {"10.1..0", false},
      {"10.1.2.0:", false},
      {":255.255.255.0", false},
      {"10.1.2.0:255.255", false},
      {"a.b.c.d", false},
      {"10.1.2.0:255.255.0.0:1", false},
      {"1000.1.2.0", false},
      {"", false},
      {" 10.1.2.0", false},
  };
  for (const SubnetCase& c : cases) {
    std::string value = c.value;
    const std::string message = Subnet()(value);
    EXPECT_EQ(message.empty(), c.valid) << c.value << ": " << message;
  }
}

TEST(ValidatorsTest, SeparatorsAreRefused) {
  std::string plain = "USB001";
  EXPECT_EQ(Without('|')(plain), "");
  std::string barred = "a|b";
  EXPECT_NE(Without('|')(barred).find("holds a '|'"), std::string::npos);
  std::string semicolon = "PORTA;PORTB";
  EXPECT_EQ(Without('|')(semicolon), "");
  EXPECT_NE(Without(';')(semicolon), "");
}

}  // namespace
}  // namespace nodexa::cli
