#include "rules/rule_operators.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness/case_name.h"

namespace nodexa {
namespace {

struct OperatorCase {
  const char* name;
  const char* op;
  std::vector<std::string> operands;
  const char* expected;
};

void PrintTo(const OperatorCase& c, std::ostream* out) { *out << c.name; }

class OperatorTable : public ::testing::TestWithParam<OperatorCase> {};

TEST_P(OperatorTable, Applies) {
  const OperatorCase& c = GetParam();
  EXPECT_EQ(ApplyOperator(c.op, c.operands), c.expected) << c.op;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OperatorTable,
    ::testing::Values(OperatorCase{"SumOfDigits", "+", {"2", "3"}, "5"},
                      OperatorCase{"SumOfEmpty", "+", {"", ""}, "0"},
                      OperatorCase{"ConcatenatesSigned", "+", {"-1", "2"}, "-12"},
                      OperatorCase{"ConcatenatesWords", "+", {"a", "b"}, "ab"},
                      OperatorCase{"SumWraps", "+", {"2147483647", "2147483647"}, "-2"},
                      OperatorCase{"Difference", "-", {"3", "10"}, "-7"},
                      OperatorCase{"DifferenceOfWords", "-", {"x", "y"}, "0"},
                      OperatorCase{"DifferenceReadsLeadingNumber", "-", {"12ab", " 2"}, "10"},
                      OperatorCase{"Product", "*", {"-3", "4"}, "-12"},
                      OperatorCase{"Quotient", "/", {"-7", "2"}, "-3"},
                      OperatorCase{"QuotientByZero", "/", {"1", "0"}, ""},
                      OperatorCase{"QuotientByWord", "/", {"1", "zero"}, ""},
                      OperatorCase{"QuotientOverflow", "/", {"-2147483648", "-1"}, "-2147483648"},
                      OperatorCase{"BitwiseAndUnsigned", "&", {"-1", "4294967295"}, "-1"},
                      OperatorCase{"BitwiseAnd", "&", {"12", "10"}, "8"},
                      OperatorCase{"BitwiseOrSigned", "|", {"-2", "1"}, "-1"},
                      OperatorCase{"EqualFolded", "==", {"Inkjet", "INKJET"}, "1"},
                      OperatorCase{"EqualNotTrimmed", "==", {"a", "a "}, "0"},
                      OperatorCase{"AndBothSet", "&&", {"2", "3"}, "1"},
                      OperatorCase{"AndOneClear", "&&", {"2", "0"}, "0"},
                      OperatorCase{"AndEmptyIsZero", "&&", {"", "1"}, "0"},
                      OperatorCase{"AndSigned", "&&", {"-1", "1"}, ""},
                      OperatorCase{"OrOneSet", "||", {"0", "7"}, "1"},
                      OperatorCase{"OrNoneSet", "||", {"0", ""}, "0"},
                      OperatorCase{"OrWord", "||", {"1", "x"}, ""},
                      OperatorCase{"ConditionalSet", "?", {"-1", "b", "c"}, "b"},
                      OperatorCase{"ConditionalWord", "?", {"yes", "b", "c"}, "c"},
                      OperatorCase{"NotZero", "!", {"0"}, "1"},
                      OperatorCase{"NotWord", "!", {"word"}, "1"},
                      OperatorCase{"NotNumber", "!", {" 3x"}, "0"},
                      OperatorCase{"PlusMinus", "+-", {"1", "2"}, ""},
                      OperatorCase{"TwoStars", "**", {"1", "2"}, ""},
                      OperatorCase{"TwoPipes", "|+", {"1", "2"}, ""},
                      OperatorCase{"Unknown", "%", {"1", "2"}, ""},
                      OperatorCase{"MissingOperands", "-", {}, "0"},
                      OperatorCase{"MissingBranch", "?", {"0", "b"}, ""}),
    test::CaseName());

}  // namespace
}  // namespace nodexa
