#include "rules/rule_functions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rules/data_field.h"
#include "harness/case_name.h"

namespace nodexa {
namespace {

struct FunctionCase {
  const char* name;
  std::string subject;
  const char* function;
  std::vector<std::string> arguments;
  const char* expected;
};

void PrintTo(const FunctionCase& c, std::ostream* out) { *out << c.name; }

class FunctionTable : public ::testing::TestWithParam<FunctionCase> {};

TEST_P(FunctionTable, Applies) {
  const FunctionCase& c = GetParam();
  EXPECT_EQ(ApplyFunction(c.subject, c.function, c.arguments), c.expected) << c.function;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FunctionTable,
    ::testing::Values(
        FunctionCase{"Substr", "Alpha-100", "substr", {"6", "3"}, "100"},
        FunctionCase{"SubstrReadsNumbers", "Alpha-100", "substr", {" 1x", "2y"}, "lp"},
        FunctionCase{"SubstrWordsAreZero", "Alpha-100", "substr", {"a", "b"}, ""},
        FunctionCase{"SubstrHugeCount", "Alpha", "substr", {"1", "99999999999"}, "lpha"},
        FunctionCase{"SubstrHugeStart", "Alpha", "substr", {"99999999999", "1"}, ""},
        FunctionCase{"SubstrThreeArguments", "Alpha", "substr", {"0", "1", "2"}, ""},
        FunctionCase{"LengthInBytes", "\xC4pfel", "LENGTH", {}, "5"},
        FunctionCase{"ReplaceCaseSensitive", "aAa", "Replace", {"a", "b"}, "bAb"},
        FunctionCase{"ReplaceNotRescanned", "aa", "replace", {"a", "aa"}, "aaaa"},
        FunctionCase{"ReplaceEmptyOld", "abc", "Replace", {"", "x"}, "abc"},
        FunctionCase{"EmptyOfEmpty", "", "empty", {}, "1"},
        FunctionCase{"FindCaseSensitive", "Alpha", "Find", {"a"}, "4"},
        FunctionCase{"FindEmpty", "Alpha", "Find", {""}, "0"},
        FunctionCase{"IpToLongNoArguments", "10.0.0.1", "IpToLong", {}, "16777226"},
        FunctionCase{"UnknownKeepsSubject", "Alpha", "Upper", {"x"}, "Alpha"},
        FunctionCase{"EmptyNameKeepsSubject", "Alpha", "", {}, "Alpha"}),
    test::CaseName());

struct AddressCase {
  const char* name;
  const char* text;
  const char* expected;
};

void PrintTo(const AddressCase& c, std::ostream* out) { *out << c.name; }

class AddressTable : public ::testing::TestWithParam<AddressCase> {};

TEST_P(AddressTable, FirstOctetLowest) {
  EXPECT_EQ(IpToLong(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Cases, AddressTable,
                         ::testing::Values(AddressCase{"Described", "1.2.3.4", "67305985"},
                                           AddressCase{"HighOctets", "192.168.1.20", "335653056"},
                                           AddressCase{"Zero", "0.0.0.0", "0"},
                                           AddressCase{"Broadcast", "255.255.255.255",
                                                       "4294967295"},
                                           AddressCase{"Word", "printer", "4294967295"},
                                           AddressCase{"OctetTooLarge", "1.2.3.256", "4294967295"},
                                           AddressCase{"Empty", "", "4294967295"}),
                         test::CaseName());

TEST(LookupField, FirstMatchIgnoringCaseOrTheName) {
  const SourceRecord record{{"IpAddress", "10.0.0.1"}, {"IPADDRESS", "10.0.0.2"}};
  EXPECT_EQ(LookupField(record, "ipaddress"), "10.0.0.1");
  EXPECT_EQ(LookupField(record, "IPADDRESS2"), "IPADDRESS2");
  EXPECT_EQ(LookupField(SourceRecord(), ""), "");
  EXPECT_EQ(FindField(record, "IPADDRESS"), &record[0]);
  EXPECT_EQ(FindField(record, "MASK"), nullptr);
}

}  // namespace
}  // namespace nodexa
