#include "rules/rule_engine.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "harness/case_name.h"
#include "harness/log_capture.h"
#include "harness/test_medium.h"
#include "rules/expression_evaluator.h"
#include "support/ini_section.h"

namespace nodexa {
namespace {

using Lines = std::vector<std::string>;

// A setup medium whose rule file, Setup\Config\Product.ini, holds `ini`.
class RuleFile {
 public:
  explicit RuleFile(const std::string& ini) {
    const std::filesystem::path folder = medium.Root() / "Setup" / "Config";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "Product.ini", std::ios::binary) << ini;
  }

 private:
  test::TestMedium medium;
};

struct RuleSetCase {
  const char* name;
  // The rule text of key "Set" in section NetworkInstallData.
  std::string rules;
  // Lines of the GENERAL section.
  std::string general;
  Lines records;
  Lines expected;
};

class RuleSetTable : public ::testing::TestWithParam<RuleSetCase> {};

TEST_P(RuleSetTable, SelectsAndDescribesWithoutLogging) {
  const RuleSetCase& c = GetParam();
  const test::LogCapture log;
  const RuleFile file("[NetworkInstallData]\r\nOther=<Filter><X>1</X></Filter>\r\nSet=" + c.rules +
                      "\r\n[GENERAL]\r\n" + c.general);
  RuleEngine engine(c.records);
  EXPECT_EQ(engine.ApplyRules("NetworkInstallData", "Set"), c.expected);
  EXPECT_EQ(log.Lines(), Lines{});
}

const char kModelRules[] = "<Filter><MODEL_ID>ABC</MODEL_ID></Filter><Output><LOCALPORT/></Output>";
const char kAnyRules[] = "<Filter><Any>1</Any></Filter><Output><NAME/></Output>";

// `rules` followed by an element no list reads, `size` bytes in all.
std::string PaddedTo(const std::string& rules, size_t size) {
  return rules + "<Pad>" + std::string(size - rules.size() - 11, 'x') + "</Pad>";
}

// A sum one evaluation deeper than the bound allows.
std::string TooDeep() {
  std::string text = "1";
  for (int i = 0; i < kMaxEvaluationDepth; ++i) text += "+1";
  return text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RuleSetTable,
    ::testing::Values(
        RuleSetCase{"FieldRuleIsEquality",
                    kModelRules,
                    "",
                    {"<MODEL_ID>abc</MODEL_ID><LOCALPORT>IP_1</LOCALPORT>",
                     "<MODEL_ID>xyz</MODEL_ID><LOCALPORT>IP_2</LOCALPORT>"},
                    {"IP_1"}},
        RuleSetCase{"CopiedAndComputedOutputs",
                    "<Filter><MODEL_ID>ABC</MODEL_ID></Filter>"
                    "<Output><LOCALPORT/><Label>MODEL_ID.substr(0,2)</Label></Output>",
                    "",
                    {"<LOCALPORT>IP_1</LOCALPORT><MODEL_ID>aBc</MODEL_ID>",
                     "<LOCALPORT>IP_2</LOCALPORT><MODEL_ID>ABCD</MODEL_ID>",
                     "<LOCALPORT>IP_3</LOCALPORT><MODEL_ID>ABC</MODEL_ID>"},
                    {"IP_1|aB", "IP_3|AB"}},
        RuleSetCase{"ConditionOnEmptyField",
                    "<Filter><NoAddress>IPADDRESS.Empty()</NoAddress></Filter>"
                    "<Output><LOCALPORT/></Output>",
                    "",
                    {"<IPADDRESS></IPADDRESS><LOCALPORT>empty</LOCALPORT>",
                     "<IPADDRESS>10.0.0.1</IPADDRESS><LOCALPORT>set</LOCALPORT>",
                     "<LOCALPORT>absent</LOCALPORT>", "<IPADDRESS/><LOCALPORT>bare</LOCALPORT>"},
                    {"empty", "bare"}},
        RuleSetCase{
            "FieldPresentTwice",
            kModelRules,
            "",
            {"<MODEL_ID>abc</MODEL_ID><MODEL_ID>ABC</MODEL_ID><LOCALPORT>both</LOCALPORT>",
             "<MODEL_ID>abc</MODEL_ID><MODEL_ID>xyz</MODEL_ID><LOCALPORT>first</LOCALPORT>",
             "<MODEL_ID>xyz</MODEL_ID><MODEL_ID>abc</MODEL_ID><LOCALPORT>second</LOCALPORT>"},
            {"both"}},
        RuleSetCase{"TwoEmptyOutputsKeepABar",
                    "<Filter><MODEL_ID>ABC</MODEL_ID></Filter><Output><A/><B/></Output>",
                    "",
                    {"<MODEL_ID>abc</MODEL_ID>", "<MODEL_ID>abc</MODEL_ID><B>b</B>"},
                    {"|", "|b"}},
        RuleSetCase{"OneEmptyOutputIsDropped",
                    "<Filter><MODEL_ID>ABC</MODEL_ID></Filter><Output><A/></Output>",
                    "",
                    {"<MODEL_ID>abc</MODEL_ID>", "<MODEL_ID>abc</MODEL_ID><A>a</A>"},
                    {"a"}},
        // GENERAL keys in any case, then the variables; unknown ones become #NAME#.
        RuleSetCase{"GeneralValuesThenVariables",
                    "<Filter><MODEL_ID>%productkey%</MODEL_ID></Filter>"
                    "<Output><LOCALPORT/><Label>%ProductKey%%NOSUCHNAME%</Label></Output>",
                    "ProductKey=QX100\r\n",
                    {"<MODEL_ID>qx100</MODEL_ID><LOCALPORT>IP_1</LOCALPORT>",
                     "<MODEL_ID>QX200</MODEL_ID><LOCALPORT>IP_2</LOCALPORT>"},
                    {"IP_1|QX100#NOSUCHNAME#"}},
        RuleSetCase{"AmpersandInRecords",
                    kAnyRules,
                    "",
                    {"<NAME>A&B</NAME>", "<NAME>A&amp;B</NAME>", "<NAME>A & B</NAME>"},
                    // Each run of text around the reference is trimmed by itself.
                    {"A&B", "A&amp;B", "A&B"}},
        RuleSetCase{"AmpersandOperatorInRules",
                    "<Filter><Both>F&&G</Both></Filter><Output><LOCALPORT/></Output>",
                    "",
                    {"<F>1</F><G>2</G><LOCALPORT>yes</LOCALPORT>",
                     "<F>1</F><G>0</G><LOCALPORT>no</LOCALPORT>"},
                    {"yes"}},
        RuleSetCase{"DigitLeadingFieldName",
                    "<Filter><1284STRID>MFG:Quorvex;MDL:QX</1284STRID></Filter>"
                    "<Output><LOCALPORT/><1284STRID/><Length>1284STRID.length</Length></Output>",
                    "",
                    {"<LOCALPORT>USB001</LOCALPORT><1284STRID>mfg:quorvex;mdl:qx</1284STRID>",
                     "<LOCALPORT>USB002</LOCALPORT><1284STRID>MFG:Other;MDL:QX</1284STRID>"},
                    {"USB001|mfg:quorvex;mdl:qx|18"}},
        RuleSetCase{"NoFilterSelectsNothing",
                    "<Output><LOCALPORT/><Label>1</Label></Output>",
                    "",
                    {"<LOCALPORT>IP_1</LOCALPORT>", "<LOCALPORT>IP_2</LOCALPORT>"},
                    {}},
        RuleSetCase{"ListsInDocumentOrder",
                    "<Filter><A>1</A></Filter><Other><B>zzz</B></Other><Output><B/></Output>"
                    "<filter><C>2</C></filter><OUTPUT><D/></OUTPUT>",
                    "",
                    {"<A>1</A><B>b</B><C>2</C><D>d</D>", "<A>1</A><B>b</B><C>3</C><D>d</D>"},
                    {"b|d"}},
        RuleSetCase{"ConditionMustNotBeZero",
                    "<Filter><Cond>FLAG</Cond></Filter><Output><Name/></Output>",
                    "",
                    {"<FLAG>0</FLAG><Name>zero</Name>", "<FLAG></FLAG><Name>empty</Name>",
                     "<FLAG>00</FLAG><Name>double</Name>", "<FLAG>1</FLAG><Name>one</Name>"},
                    {"empty", "double", "one"}},
        RuleSetCase{"DivisionByZeroPasses",
                    "<Filter><Cond>1/0</Cond></Filter><Output><Name/></Output>",
                    "",
                    {"<Name>n</Name>"},
                    {"n"}},
        RuleSetCase{"EmptyRecordsTakePart",
                    "<Filter><Cond>1</Cond></Filter><Output><Label>LOCALPORT</Label></Output>",
                    "",
                    {"", "not xml"},
                    {"LOCALPORT", "LOCALPORT"}},
        RuleSetCase{"MalformedRuleTextKeepsWhatWasRead",
                    "<Filter><A>1</A></Filter><Output><B/></Output><Filter><<C>2</C></Filter>",
                    "",
                    {"<A>1</A><B>b</B><C>3</C>", "<A>2</A><B>x</B>"},
                    {"b"}},
        RuleSetCase{"MalformedRecordKeepsWhatWasRead",
                    kModelRules,
                    "",
                    {"<LOCALPORT>IP_1</LOCALPORT><MODEL_ID>abc</MODEL_ID><<NEXT>",
                     "<MODEL_ID>abc</MODEL_ID><<LOCALPORT>IP_2</LOCALPORT>"},
                    {"IP_1"}}),
    test::CaseName());

// Hostile rule sets: text past its bound is not read, and an expression past
// the evaluation bounds fails every Filter check but outputs "".
INSTANTIATE_TEST_SUITE_P(
    Bounds, RuleSetTable,
    ::testing::Values(
        RuleSetCase{"TextAtTheBound",
                    PaddedTo(kAnyRules, kMaxRuleTextLength),
                    "",
                    {"<NAME>n</NAME>"},
                    {"n"}},
        RuleSetCase{"TextPastTheBound",
                    PaddedTo(kAnyRules, kMaxRuleTextLength + 1),
                    "",
                    {"<NAME>n</NAME>"},
                    {}},
        // An empty field once equalled the empty string of a failed evaluation.
        RuleSetCase{"TooDeepFieldRule",
                    "<Filter><E>" + TooDeep() + "</E></Filter><Output><NAME/></Output>",
                    "",
                    {"<E></E><NAME>n</NAME>"},
                    {}},
        RuleSetCase{"TooDeepCondition",
                    "<Filter><Cond>" + TooDeep() + "</Cond></Filter><Output><NAME/></Output>",
                    "",
                    {"<NAME>n</NAME>"},
                    {}},
        RuleSetCase{
            "TooDeepOutputIsEmpty",
            "<Filter><Any>1</Any></Filter><Output><NAME/><Label>" + TooDeep() + "</Label></Output>",
            "",
            {"<NAME>n</NAME>"},
            {"n|"}}),
    test::CaseName());

struct GeneralCase {
  const char* name;
  // Entries in section order.
  std::vector<std::pair<std::string, std::string>> entries;
  std::string text;
  const char* expected;
};

class GeneralTable : public ::testing::TestWithParam<GeneralCase> {};

TEST_P(GeneralTable, Expands) {
  const GeneralCase& c = GetParam();
  IniSection general("GENERAL");
  for (const auto& [key, value] : c.entries) general.AddValue(key, value);
  EXPECT_EQ(RuleEngine::ExpandGeneralValues(general, c.text), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GeneralTable,
    ::testing::Values(
        GeneralCase{"EveryOccurrence", {{"Key", "v"}}, "a%key%b%KEY%c%Key%", "avbvcv"},
        GeneralCase{"ValueAsWritten", {{"K", "MiXeD"}}, "x%k%", "xMiXeD"},
        GeneralCase{"NoReference", {{"K", "v"}}, "k %K x", "k %K x"},
        GeneralCase{"OtherNamesStay", {{"K", "v"}}, "%KEY%%K%", "%KEY%v"},
        GeneralCase{"ReferringDown", {{"A", "%B%1"}, {"B", "2"}}, "%a%", "21"},
        GeneralCase{"ReferringUpStays", {{"B", "2"}, {"A", "%B%1"}}, "%a%", "%B%1"},
        GeneralCase{"SelfReferenceOnce", {{"Loop", "x%LOOP%"}}, "%loop%", "x%LOOP%"},
        GeneralCase{"SelfReferenceTwice", {{"R", "%R%%R%"}}, "%r%-%R%", "%R%%R%-%R%%R%"},
        GeneralCase{"LowerCaseSelfReference", {{"Loop", "x%loop%"}}, "%LOOP%", "x%loop%"},
        GeneralCase{"EmptyValue", {{"K", ""}}, "a%K%%K%b", "ab"},
        GeneralCase{"NoEntries", {}, "%K%", "%K%"}),
    test::CaseName());

TEST(RuleEngine, DoublingGeneralValuesStopAtTheLengthBound) {
  // Each entry refers to the next twice: 2^40 copies of "x" unbounded.
  IniSection general("GENERAL");
  for (int i = 0; i < 40; ++i) {
    const std::string next = "%K" + std::to_string(i + 1) + "%";
    general.AddValue("K" + std::to_string(i), next + next);
  }
  general.AddValue("K40", "x");
  const std::string expanded = RuleEngine::ExpandGeneralValues(general, "<A>%k0%</A>");
  EXPECT_LE(expanded.size(), size_t{1} << 20);
  EXPECT_GT(expanded.size(), size_t{1} << 19);
  EXPECT_EQ(expanded.find("%K0%"), std::string::npos);
}

}  // namespace
}  // namespace nodexa
