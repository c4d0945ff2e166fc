#include "rules/expression_evaluator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness/case_name.h"
#include "rules/rule_functions.h"

namespace nodexa {
namespace {

const SourceRecord kNoFields;
const SourceRecord kModel{{"MODEL_ID", "Alpha-100"}};
const SourceRecord kFlag{{"F", "1"}};
const SourceRecord kEmptyPair{{"A", ""}, {"B", ""}};
const SourceRecord kAddress{
    {"IPADDRESS", "1.2.3.4"}, {"NOIP", "printer"}, {"HIGH", "192.168.1.20"}, {"BAD", "1.2.3.256"}};
const SourceRecord kRepeated{{"Name", "first"}, {"NAME", "second"}};
const SourceRecord kExtremes{
    {"LOW", "-2147483648"}, {"MINUS", "-1"}, {"UML", "\xC4"}, {"LOWUML", "\xE4"}, {"PADDED", "a "}};

struct EvaluateCase {
  const char* name;
  const SourceRecord* context;
  std::string expression;
  const char* expected;
};

class EvaluateTable : public ::testing::TestWithParam<EvaluateCase> {};

TEST_P(EvaluateTable, GivesTheDescribedValue) {
  const EvaluateCase& c = GetParam();
  EXPECT_EQ(Evaluate(*c.context, c.expression), c.expected) << "expression: " << c.expression;
}

INSTANTIATE_TEST_SUITE_P(
    Described, EvaluateTable,
    ::testing::Values(
        // Sums: digits add, anything else concatenates; empty values are digits.
        EvaluateCase{"Sum", &kNoFields, "2+3", "5"},
        EvaluateCase{"SumWithWord", &kNoFields, "2+x", "2x"},
        EvaluateCase{"SumOfEmptyFields", &kEmptyPair, "A+B", "0"},
        EvaluateCase{"SumOfEmptyLeaves", &kNoFields, "(-)+(-)", "0"},
        EvaluateCase{"SignedValueConcatenates", &kExtremes, "MINUS+2", "-12"},
        // The other operators read the leading number of each operand, words as 0.
        EvaluateCase{"DifferenceOfWords", &kNoFields, "x-y", "0"},
        EvaluateCase{"LeadingNumberOfWord", &kNoFields, "12ab-2", "10"},
        // Association, precedence, parentheses.
        EvaluateCase{"LeftAssociation", &kNoFields, "10-2-3", "5"},
        EvaluateCase{"ProductBindsTighter", &kNoFields, "2+3*4", "14"},
        EvaluateCase{"Parenthesised", &kNoFields, "(2+3)*4", "20"},
        EvaluateCase{"DivisionByZero", &kNoFields, "8/0", ""},
        EvaluateCase{"DivisionTruncates", &kNoFields, "7/2", "3"},
        EvaluateCase{"SignedLeafIsEmpty", &kNoFields, "-7/2", "0"},
        EvaluateCase{"SubtractionInstead", &kNoFields, "0-7", "-7"},
        EvaluateCase{"NegativeTruncatesTowardZero", &kNoFields, "(0-7)/2", "-3"},
        EvaluateCase{"SignAtFrontSplitsNothing", &kNoFields, "-5", ""},
        // Equality folds A to Z; operands are trimmed.
        EvaluateCase{"EqualIgnoringCase", &kNoFields, "A==a", "1"},
        EvaluateCase{"NotEqualTrimmed", &kNoFields, "A == b", "0"},
        EvaluateCase{"FieldValuesNotTrimmed", &kExtremes, "PADDED==a", "0"},
        // The conditional.
        EvaluateCase{"ConditionalTrue", &kNoFields, "1?X:Y", "X"},
        EvaluateCase{"ConditionalFalse", &kNoFields, "0?X:Y", "Y"},
        EvaluateCase{"ConditionalOnField", &kFlag, "F?yes:no", "yes"},
        EvaluateCase{"ConditionalOnNegative", &kExtremes, "MINUS?yes:no", "yes"},
        // Negation binds loosest.
        EvaluateCase{"NotZero", &kNoFields, "!0", "1"},
        EvaluateCase{"NotFive", &kNoFields, "!5", "0"},
        EvaluateCase{"NotWord", &kNoFields, "!word", "1"},
        EvaluateCase{"NotOfComparison", &kNoFields, "!A==B", "1"},
        EvaluateCase{"NotOfSum", &kNoFields, "!1+1", "0"},
        // Functions on a field.
        EvaluateCase{"Find", &kModel, "MODEL_ID.Find(100)", "6"},
        EvaluateCase{"FindMissing", &kModel, "MODEL_ID.Find(Beta)", "-1"},
        EvaluateCase{"Substr", &kModel, "MODEL_ID.substr(0,5)", "Alpha"},
        EvaluateCase{"LengthWithoutParentheses", &kModel, "MODEL_ID.length", "9"},
        EvaluateCase{"Replace", &kModel, "MODEL_ID.Replace(Alpha,Beta)", "Beta-100"},
        EvaluateCase{"EmptyOfText", &kModel, "MODEL_ID.Empty()", "0"},
        EvaluateCase{"FieldNameInOtherCase", &kModel, "model_id", "Alpha-100"},
        EvaluateCase{"ReplaceWithSignedLeaf", &kModel, "MODEL_ID.Replace(-,_)", "Alpha-100"},
        // Operator characters in an expression split, even inside quotes.
        EvaluateCase{"SpelledOutTextSplits", &kModel, "Alpha-100 == MODEL_ID", "0"},
        EvaluateCase{"QuotedTextSplits", &kModel, "MODEL_ID==\"Alpha-100\"", "-100"},
        EvaluateCase{"NoFieldStandsForItself", &kNoFields, "NOSUCHNAME.length", "10"},
        EvaluateCase{"SubstrOneArgument", &kModel, "MODEL_ID.substr(1)", ""},
        EvaluateCase{"LengthOneArgument", &kModel, "MODEL_ID.length(1)", ""},
        // Logical and bitwise operators.
        EvaluateCase{"LogicalAnd", &kNoFields, "2&&3", "1"},
        EvaluateCase{"LogicalAndOfWord", &kNoFields, "2&&x", ""},
        EvaluateCase{"LogicalAndOfEmpty", &kEmptyPair, "A&&1", "0"},
        EvaluateCase{"LogicalAndOfSigned", &kExtremes, "MINUS&&1", ""},
        EvaluateCase{"BitwiseAnd", &kNoFields, "6&3", "2"},
        EvaluateCase{"BitwiseOr", &kNoFields, "6|3", "7"},
        EvaluateCase{"EnclosingQuotesGo", &kNoFields, "\"a+b\"", "ab"},
        // A dotted number is a field name and a function name.
        EvaluateCase{"DottedNumber", &kNoFields, "1.2.3.4", "1"}),
    test::CaseName());

INSTANTIATE_TEST_SUITE_P(
    Splitting, EvaluateTable,
    ::testing::Values(
        // One pair of enclosing parentheses goes per evaluation; a second is text.
        EvaluateCase{"OnePairRemoved", &kNoFields, "(2+3)", "5"},
        EvaluateCase{"DoubledPairLeavesOne", &kNoFields, "((1))", "(1)"},
        EvaluateCase{"DoubledPairIsAWord", &kNoFields, "((2+3))*4", "0"},
        EvaluateCase{"OuterPairOfDoubled", &kNoFields, "((2+3)*4)", "20"},
        EvaluateCase{"PairsThatDoNotEnclose", &kNoFields, "(a)+(b)", "ab"},
        EvaluateCase{"EmptyParentheses", &kNoFields, "()", ""},
        // Quotes keep parentheses from counting, nothing else.
        EvaluateCase{"QuotedParenthesis", &kNoFields, "a+\")\"", "a)"},
        EvaluateCase{"QuotedOpening", &kNoFields, "a+\"(\"", "a("},
        EvaluateCase{"QuotedParenthesisInPair", &kNoFields, "(\")\")", ")"},
        EvaluateCase{"QuotedClosingBeforeEquals", &kNoFields, "a==\")\"", "0"},
        EvaluateCase{"QuotedOpeningKeepsParentheses", &kNoFields, "a==b\"(\"x)", "a==b\"(\"x)"},
        EvaluateCase{"QuotedOperands", &kNoFields, "\"a\"+\"b\"", "ab"},
        EvaluateCase{"UnbalancedOpening", &kNoFields, "a+(b", "a+(b"},
        // Two operator characters of one class make one operator.
        EvaluateCase{"LogicalOr", &kNoFields, "1||0", "1"},
        EvaluateCase{"LogicalOrOfZeros", &kNoFields, "0||0", "0"},
        EvaluateCase{"LogicalOrOfWord", &kNoFields, "x||1", ""},
        EvaluateCase{"LogicalAndOfZero", &kNoFields, "0&&1", "0"},
        EvaluateCase{"PlusMinus", &kNoFields, "2+-3", ""},
        EvaluateCase{"TwoStars", &kNoFields, "2**3", ""},
        EvaluateCase{"TwoSlashes", &kNoFields, "8//2", ""},
        EvaluateCase{"PairAtFront", &kNoFields, "-+5", ""},
        EvaluateCase{"OperandsTrimmed", &kNoFields, "  2 +  3 ", "5"},
        // The conditional stands only where nothing else splits.
        EvaluateCase{"ConditionalBelowSum", &kNoFields, "1?2+3:4", "1?23:4"},
        EvaluateCase{"ConditionalNonZero", &kNoFields, "2?X:Y", "X"},
        EvaluateCase{"ConditionalOnWord", &kNoFields, "x?X:Y", "Y"},
        EvaluateCase{"ConditionalEmptyBranch", &kNoFields, "1?:Y", ""},
        EvaluateCase{"QuestionWithoutColon", &kNoFields, "1?X", "1?X"},
        EvaluateCase{"QuestionAtFront", &kNoFields, "?X:Y", ""},
        EvaluateCase{"QuestionHidesEquality", &kNoFields, "a==a?", "a==a?"},
        EvaluateCase{"ColonBeforeQuestion", &kNoFields, "a:b?c", "b?c"},
        // Equality: a pair of '=' only, at the rightmost '=' outside parentheses.
        EvaluateCase{"SingleEqualsIsText", &kNoFields, "a=b", "a=b"},
        EvaluateCase{"NotEqualsIsText", &kNoFields, "a!=b", "a!=b"},
        EvaluateCase{"EqualsAtFront", &kNoFields, "=a", ""},
        EvaluateCase{"BareEquality", &kNoFields, "==", "1"},
        EvaluateCase{"TripleEquals", &kNoFields, "a===b", "0"},
        EvaluateCase{"ComparisonOfComparison", &kNoFields, "(a==b)==0", "1"},
        EvaluateCase{"ParenthesesAreAFlag", &kNoFields, "f(A==B(C))", "0"},
        EvaluateCase{"ComparisonOfFunction", &kModel, "MODEL_ID.substr(0,3)==alp", "1"},
        EvaluateCase{"FoldsOnlyAtoZ", &kExtremes, "UML==LOWUML", "0"},
        // Leaves.
        EvaluateCase{"EmptyExpression", &kNoFields, "", ""},
        EvaluateCase{"OnlyDots", &kNoFields, "...", "..."},
        EvaluateCase{"DotAtFront", &kNoFields, ".length", ".length"},
        EvaluateCase{"Underscore", &kNoFields, "_x", "_x"},
        EvaluateCase{"Backslash", &kNoFields, "\\x", "\\x"},
        EvaluateCase{"Hash", &kNoFields, "#x", ""},
        EvaluateCase{"AngleBracket", &kNoFields, "<x", ""},
        EvaluateCase{"NonAsciiStart", &kNoFields, "\xE9t\xE9", ""},
        EvaluateCase{"FirstOfRepeatedField", &kRepeated, "name", "first"},
        EvaluateCase{"TrailingDot", &kModel, "MODEL_ID.", "Alpha-100"},
        EvaluateCase{"ParenthesisBeforeDot", &kModel, "f(MODEL_ID.x)", "f(MODEL_ID"}),
    test::CaseName());

INSTANTIATE_TEST_SUITE_P(
    Functions, EvaluateTable,
    ::testing::Values(
        EvaluateCase{"NameIgnoresCase", &kModel, "MODEL_ID.SUBSTR(6,3)", "100"},
        EvaluateCase{"UnknownFunction", &kModel, "MODEL_ID.Unknown(1,2)", "Alpha-100"},
        EvaluateCase{"CountClipped", &kModel, "MODEL_ID.substr(6,99)", "100"},
        EvaluateCase{"StartAtEnd", &kModel, "MODEL_ID.substr(9,1)", ""},
        EvaluateCase{"StartPastEnd", &kModel, "MODEL_ID.substr(10,1)", ""},
        EvaluateCase{"NegativeStart", &kModel, "MODEL_ID.substr(0-1,2)", ""},
        EvaluateCase{"NegativeCountToEnd", &kModel, "MODEL_ID.substr(6,0-1)", "100"},
        EvaluateCase{"SubstrOfEmpty", &kEmptyPair, "A.substr(0,1)", ""},
        EvaluateCase{"BlanksAroundArguments", &kModel, "MODEL_ID.substr( 0 , 5 )", "Alpha"},
        EvaluateCase{"ArgumentsReadAsNumbers", &kModel, "MODEL_ID.substr(1x, 2y)", "lp"},
        EvaluateCase{"ArgumentsAreExpressions", &kModel, "MODEL_ID.substr(MODEL_ID.length-8,1+1)",
                     "lp"},
        EvaluateCase{"UnclosedCall", &kModel, "MODEL_ID.substr(0,2", "Al"},
        EvaluateCase{"LengthInBytes", &kExtremes, "UML.length", "1"},
        EvaluateCase{"TrailingSeparator", &kModel, "MODEL_ID.substr(6,)", ""},
        EvaluateCase{"BlankArgumentText", &kModel, "MODEL_ID.length( )", "9"},
        EvaluateCase{"FindWithoutArgument", &kModel, "MODEL_ID.Find()", ""},
        EvaluateCase{"FindTwoArguments", &kModel, "MODEL_ID.Find(a,b)", ""},
        EvaluateCase{"NestedCallCommaSplits", &kModel, "MODEL_ID.Find(MODEL_ID.substr(6,3))", ""},
        EvaluateCase{"NestedCall", &kModel, "MODEL_ID.Find(MODEL_ID.length)", "-1"},
        EvaluateCase{"FindDigit", &kModel, "MODEL_ID.Find(0)", "7"},
        EvaluateCase{"FindMatchesCase", &kModel, "MODEL_ID.Find(a)", "4"},
        EvaluateCase{"ReplaceEvery", &kModel, "MODEL_ID.Replace(0,1)", "Alpha-111"},
        EvaluateCase{"ReplaceMatchesCase", &kModel, "MODEL_ID.Replace(a,x)", "Alphx-100"},
        EvaluateCase{"ReplaceOneArgument", &kModel, "MODEL_ID.Replace(a)", ""},
        EvaluateCase{"EmptyWithArgument", &kModel, "MODEL_ID.Empty(x)", ""},
        EvaluateCase{"EmptyOfEmptyField", &kEmptyPair, "A.Empty()", "1"},
        EvaluateCase{"IpToLong", &kAddress, "IPADDRESS.IpToLong()", "67305985"},
        EvaluateCase{"IpToLongIgnoresArguments", &kAddress, "IPADDRESS.iptolong(1,2,3)",
                     "67305985"},
        EvaluateCase{"IpToLongOfNoAddress", &kAddress, "NOIP.IpToLong", "4294967295"},
        EvaluateCase{"IpToLongFirstOctetLowest", &kAddress, "HIGH.IpToLong", "335653056"},
        EvaluateCase{"IpToLongOctetTooLarge", &kAddress, "BAD.IpToLong", "4294967295"},
        EvaluateCase{"LengthOfAddress", &kAddress, "IPADDRESS.length", "7"}),
    test::CaseName());

INSTANTIATE_TEST_SUITE_P(
    Numbers, EvaluateTable,
    ::testing::Values(
        EvaluateCase{"SumWraps", &kNoFields, "2147483647+1", "-2147483648"},
        EvaluateCase{"HugeSumSaturatesThenWraps", &kNoFields, "99999999999+1", "-2147483648"},
        EvaluateCase{"HugeLeafIsItself", &kNoFields, "123456789012345678901234567890",
                     "123456789012345678901234567890"},
        EvaluateCase{"HugeOperandSaturates", &kNoFields, "123456789012345678901234567890+0",
                     "2147483647"},
        EvaluateCase{"ProductWraps", &kNoFields, "65536*65536", "0"},
        EvaluateCase{"DifferenceWraps", &kNoFields, "0-2147483647-2", "2147483647"},
        EvaluateCase{"SmallestNumber", &kNoFields, "0-2147483647-1", "-2147483648"},
        EvaluateCase{"SmallestByMinusOne", &kNoFields, "(0-2147483647-1)/(0-1)", "-2147483648"},
        EvaluateCase{"FieldsByMinusOne", &kExtremes, "LOW/MINUS", "-2147483648"},
        EvaluateCase{"FieldsTimesMinusOne", &kExtremes, "LOW*MINUS", "-2147483648"},
        EvaluateCase{"UnsignedAndAllBits", &kNoFields, "4294967295&4294967295", "-1"},
        EvaluateCase{"UnsignedAndSaturates", &kNoFields, "99999999999&1", "1"},
        EvaluateCase{"UnsignedAndOfMinusOne", &kExtremes, "MINUS&255", "255"},
        EvaluateCase{"SignedOrSaturates", &kNoFields, "99999999999|0", "2147483647"},
        EvaluateCase{"DivideByWord", &kNoFields, "1/x", ""},
        EvaluateCase{"WordDivided", &kNoFields, "x/2", "0"},
        EvaluateCase{"NotOfNegativeField", &kExtremes, "!MINUS", "0"}),
    test::CaseName());

// A chain of n sums nests n evaluations: the bound lets exactly
// kMaxEvaluationDepth through.
std::string SumChain(int terms) {
  std::string text = "1";
  for (int i = 1; i < terms; ++i) text += "+1";
  return text;
}

// `open` repeated, the core, then `close` repeated: a nesting `levels` deep.
std::string Nested(const std::string& open, const std::string& core, const std::string& close,
                   int levels) {
  std::string text;
  for (int i = 0; i < levels; ++i) text += open;
  text += core;
  for (int i = 0; i < levels; ++i) text += close;
  return text;
}

TEST(EvaluateDepth, NestingUpToTheBoundIsEvaluatedAndPastItEmpty) {
  // Seventeen copies of a 1 MiB field pass the bound on values made.
  const SourceRecord mebibyte{{"F", std::string(1 << 20, 'f')}};
  std::string copies = "F";
  for (int i = 0; i < 16; ++i) copies += "+F";
  const std::string negations(kMaxEvaluationDepth - 1, '!');
  const std::string inner = std::string(100000, '(') + "1+1" + std::string(100000, ')');
  const std::string word(1 << 20, 'x');
  const struct {
    const char* name;
    const SourceRecord* context;
    std::string expression;
    std::string expected;
  } cases[] = {
      {"chain up to the bound", &kNoFields, SumChain(kMaxEvaluationDepth),
       std::to_string(kMaxEvaluationDepth)},
      {"chain one past the bound", &kNoFields, SumChain(kMaxEvaluationDepth + 1), ""},
      {"long chain", &kNoFields, SumChain(20000), ""},
      // Negations count as levels.
      {"negations up to the bound", &kNoFields, negations + "0", "1"},
      {"negations past the bound", &kNoFields, negations + "!0", ""},
      {"deep operands", &kNoFields, Nested("1+(", "1", ")", 5000), ""},
      {"shallow operands", &kNoFields, Nested("1+(", "1", ")", 100), "101"},
      {"deep calls", &kModel, Nested("MODEL_ID.Find(", "MODEL_ID", ")", 2000), ""},
      // Find(Alpha-100) is 0, "0" is at 7.
      {"shallow calls", &kModel, "MODEL_ID.Find(MODEL_ID.Find(MODEL_ID))", "7"},
      // One pair goes; the rest is a word that names no field.
      {"deep parentheses do not nest", &kNoFields, "(" + inner + ")", inner},
      {"long word is itself", &kNoFields, word, word},
      {"values past their bound", &mebibyte, copies, ""},
  };
  for (const auto& c : cases)
    EXPECT_TRUE(Evaluate(*c.context, c.expression) == c.expected) << c.name;
}

TEST(ApplyFunction, ReplaceIsNotMadeLongerThanAllowed) {
  const std::vector<std::string> arguments{"A", "BB"};
  EXPECT_EQ(ApplyFunction("AAA", "Replace", arguments, 6), "BBBBBB");
  EXPECT_EQ(ApplyFunction("AAA", "Replace", arguments, 5), std::nullopt);
}

}  // namespace
}  // namespace nodexa
