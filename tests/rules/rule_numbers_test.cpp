#include "rules/rule_numbers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "harness/case_name.h"

namespace nodexa {
namespace {

struct ReadCase {
  const char* name;
  std::string text;
  int32_t asSigned;
  uint32_t asUnsigned;
};

class ReadTable : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadTable, ReadsLikeStrtolAndStrtoulIn32Bits) {
  const ReadCase& c = GetParam();
  EXPECT_EQ(ReadSigned(c.text), c.asSigned) << c.text;
  EXPECT_EQ(ReadUnsigned(c.text), c.asUnsigned) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadTable,
    ::testing::Values(ReadCase{"Plain", "42", 42, 42u}, ReadCase{"Empty", "", 0, 0u},
                      ReadCase{"Word", "abc", 0, 0u}, ReadCase{"DigitsThenText", "12ab3", 12, 12u},
                      ReadCase{"LeadingBlanks", " \t\n\v\f\r7", 7, 7u},
                      ReadCase{"BlankAfterSign", "- 7", 0, 0u}, ReadCase{"PlusSign", "+8", 8, 8u},
                      ReadCase{"Negative", "-5", -5, 4294967291u},
                      ReadCase{"MinusZero", "-0", 0, 0u},
                      ReadCase{"Largest", "2147483647", 2147483647, 2147483647u},
                      ReadCase{"PastLargest", "2147483648", INT32_MAX, 2147483648u},
                      ReadCase{"Smallest", "-2147483648", INT32_MIN, 2147483648u},
                      ReadCase{"PastSmallest", "-2147483649", INT32_MIN, 2147483647u},
                      ReadCase{"UnsignedLargest", "4294967295", INT32_MAX, 4294967295u},
                      ReadCase{"PastUnsigned", "4294967296", INT32_MAX, UINT32_MAX},
                      ReadCase{"NegativePastUnsigned", "-4294967296", INT32_MIN, UINT32_MAX},
                      ReadCase{"ManyDigits", "000000000000000000000000000000012", 12, 12u},
                      ReadCase{"Huge", std::string(5000, '9'), INT32_MAX, UINT32_MAX},
                      ReadCase{"Hexadecimal", "0x1F", 0, 0u}),
    test::CaseName());

}  // namespace
}  // namespace nodexa
