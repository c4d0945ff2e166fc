#include "rules/rule_engine.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "harness/test_medium.h"
#include "harness/case_name.h"
#include "support/ini_section.h"
#include "harness/log_capture.h"

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

void PrintTo(const RuleSetCase& c, std::ostream* out) { *out << c.name; }

class RuleSetTable : public ::testing::TestWithParam<RuleSetCase> {};

TEST_P(RuleSetTable, SelectsAndDescribes) {
  const RuleSetCase& c = GetParam();
  const RuleFile file("[NetworkInstallData]\r\nOther=<Filter><X>1</X></Filter>\r\nSet=" + c.rules +
                      "\r\n[GENERAL]\r\n" + c.general);
  RuleEngine engine(c.records);
  EXPECT_EQ(engine.ApplyRules("NetworkInstallData", "Set"), c.expected);
}

const char kModelRules[] = "<Filter><MODEL_ID>ABC</MODEL_ID></Filter><Output><LOCALPORT/></Output>";

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
        RuleSetCase{"GeneralKeyInAnyCase",
                    "<Filter><MODEL_ID>%productkey%</MODEL_ID></Filter>"
                    "<Output><LOCALPORT/><Label>%ProductKey%</Label></Output>",
                    "ProductKey=QX100\r\n",
                    {"<MODEL_ID>qx100</MODEL_ID><LOCALPORT>IP_1</LOCALPORT>",
                     "<MODEL_ID>QX200</MODEL_ID><LOCALPORT>IP_2</LOCALPORT>"},
                    {"IP_1|QX100"}},
        RuleSetCase{"AmpersandInRecords",
                    "<Filter><Any>1</Any></Filter><Output><NAME/></Output>",
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
        RuleSetCase{"SelfReferringGeneralValue",
                    "<Filter><Any>1</Any></Filter><Output><Label>%Loop%</Label></Output>",
                    "Loop=a%LOOP%b\r\n",
                    {"<X>1</X>"},
                    {"a#LOOP#b"}},
        RuleSetCase{"GeneralValueReferringDown",
                    "<Filter><Any>1</Any></Filter><Output><Label>%first%</Label></Output>",
                    "First=%SECOND%x\r\nSecond=y\r\n",
                    {"<X>1</X>"},
                    {"yx"}},
        RuleSetCase{"GeneralValueReferringUp",
                    "<Filter><Any>1</Any></Filter><Output><Label>z%first%</Label></Output>",
                    "Second=y\r\nFirst=%SECOND%x\r\n",
                    {"<X>1</X>"},
                    {"z#SECOND#x"}},
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
        RuleSetCase{"MalformedBeforeAnyRule",
                    "<Filter><<A>1</A></Filter><Output><B/></Output>",
                    "",
                    {"<A>1</A><B>b</B>"},
                    {}},
        RuleSetCase{"MalformedRecordKeepsWhatWasRead",
                    kModelRules,
                    "",
                    {"<LOCALPORT>IP_1</LOCALPORT><MODEL_ID>abc</MODEL_ID><<NEXT>",
                     "<MODEL_ID>abc</MODEL_ID><<LOCALPORT>IP_2</LOCALPORT>"},
                    {"IP_1"}},
        RuleSetCase{"RuleTextThatIsNoXml", "hello & goodbye", "", {"<A>1</A>"}, {}}),
    test::CaseName());

TEST(RuleEngine, MissingKeySectionOrFileGivesNothing) {
  const Lines records{"<MODEL_ID>abc</MODEL_ID><LOCALPORT>IP_1</LOCALPORT>"};
  {
    const RuleFile file(std::string("[NetworkInstallData]\r\nSet=") + kModelRules + "\r\n");
    RuleEngine engine(records);
    EXPECT_EQ(engine.ApplyRules("NetworkInstallData", "Set"), Lines{"IP_1"});
    EXPECT_EQ(engine.ApplyRules("NetworkInstallData", "set"), Lines{"IP_1"});
    EXPECT_EQ(engine.ApplyRules("NetworkInstallData", "Missing"), Lines{});
    EXPECT_EQ(engine.ApplyRules("OtherSection", "Set"), Lines{});
  }
  {
    const RuleFile file(std::string("[networkinstalldata]\r\n[GENERAL]\r\nSet=") + kModelRules);
    RuleEngine engine(records);
    EXPECT_EQ(engine.ApplyRules("NetworkInstallData", "Set"), Lines{});
  }
  {
    const test::TestMedium medium;  // no Setup\Config\Product.ini at all
    RuleEngine engine(records);
    EXPECT_EQ(engine.ApplyRules("NetworkInstallData", "Set"), Lines{});
  }
}

TEST(RuleEngine, WritesNothingToTheLog) {
  const test::LogCapture log;
  const RuleFile file(std::string("[NetworkInstallData]\r\nSet=<Filter><A>1/0</A><B>") +
                      "</Filter><<\r\n[GENERAL]\r\nK=%K%\r\n");
  RuleEngine engine({"<A>x</A><<", "<A></A>"});
  EXPECT_EQ(engine.ApplyRules("NetworkInstallData", "Set"), Lines{});
  EXPECT_EQ(engine.ApplyRules("NetworkInstallData", "Missing"), Lines{});
  EXPECT_EQ(log.Lines(), Lines{});
}

TEST(RuleEngine, LoadRuleSetReportsTheSection) {
  const RuleFile file(
      "[NetworkInstallData]\r\nSet=<Filter><A>1</A><B>x==y</B></Filter>\r\n[Empty]\r\n");
  RuleEngine engine(Lines{});
  std::vector<DataField> rules{DataField("kept", "k")};
  EXPECT_TRUE(engine.LoadRuleSet("NetworkInstallData", "Set", "Filter", rules));
  ASSERT_EQ(rules.size(), 3u);
  EXPECT_EQ(rules[1].name, "A");
  EXPECT_EQ(rules[2].value, "x==y");
  EXPECT_EQ(rules[2].text, "x==y");
  EXPECT_EQ(rules[2].source, nullptr);

  std::vector<DataField> none;
  EXPECT_TRUE(engine.LoadRuleSet("NetworkInstallData", "Absent", "Filter", none));
  EXPECT_TRUE(none.empty());
  EXPECT_FALSE(engine.LoadRuleSet("Empty", "Set", "Filter", none));
  EXPECT_FALSE(engine.LoadRuleSet("Missing", "Set", "Filter", none));
  EXPECT_TRUE(none.empty());
}

TEST(RuleEngine, RuleFileIsBesideTheSetupProgram) {
  const test::TestMedium medium;
  const std::string path = RuleEngine::RuleFilePath();
  EXPECT_NE(path.find("Bin\\..\\Config\\Product.ini"), std::string::npos) << path;
  EXPECT_EQ(path.find('/'), std::string::npos) << path;
}

TEST(RuleEngine, RecordsBecomeSourceRecords) {
  RuleEngine engine(
      {"<LOCALPORT>LPT1:</LOCALPORT><1284STRID>x</1284STRID>", "", "<A>1</A><a>2</a>"});
  const std::vector<SourceRecord>& sources = engine.Sources();
  ASSERT_EQ(sources.size(), 3u);
  ASSERT_EQ(sources[0].size(), 2u);
  EXPECT_EQ(sources[0][0].name, "LOCALPORT");
  EXPECT_EQ(sources[0][0].text, "LPT1:");
  EXPECT_EQ(sources[0][1].name, "STRID1284");
  EXPECT_EQ(sources[0][1].value, "x");
  EXPECT_TRUE(sources[1].empty());
  ASSERT_EQ(sources[2].size(), 2u);
  EXPECT_EQ(sources[2][1].name, "a");
}

struct FieldListCase {
  const char* name;
  std::string text;
  const char* wrapper;
  // Each field as name=text.
  Lines expected;
};

void PrintTo(const FieldListCase& c, std::ostream* out) { *out << c.name; }

class FieldListTable : public ::testing::TestWithParam<FieldListCase> {};

TEST_P(FieldListTable, ReadsTheWrappedChildren) {
  const FieldListCase& c = GetParam();
  std::vector<DataField> fields;
  EXPECT_TRUE(RuleEngine::ParseFieldList(c.text, c.wrapper, fields));
  Lines read;
  for (const DataField& field : fields) {
    EXPECT_EQ(field.value, field.text);
    read.push_back(field.name + "=" + field.text);
  }
  EXPECT_EQ(read, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FieldListTable,
    ::testing::Values(
        FieldListCase{"InOrder", "<A><x>1</x><y> 2 </y></A>", "A", {"x=1", "y=2"}},
        FieldListCase{"WrapperIgnoresCase", "<a><x>1</x></a>", "A", {"x=1"}},
        FieldListCase{
            "EveryWrapper", "<A><x/></A><B><z>9</z></B><A><y>2</y></A>", "A", {"x=", "y=2"}},
        FieldListCase{"OwnTextOnly", "<A>loose<x>1<deep>2</deep></x></A>", "A", {"x=1"}},
        FieldListCase{"Ampersands",
                      "<A><x>a&b</x><y>&amp;</y><z>a&&b</z></A>",
                      "A",
                      {"x=a&b", "y=&amp;", "z=a&&b"}},
        FieldListCase{"DigitLeadingNames", "<A><1284STRID>v</1284STRID></A>", "A", {"STRID1284=v"}},
        FieldListCase{"UnresolvedVariable", "<A><x>%NOSUCHNAME%</x></A>", "A", {"x=#NOSUCHNAME#"}},
        FieldListCase{"LonePercent", "<A><x>50%</x></A>", "A", {"x=50%"}},
        FieldListCase{"Empty", "", "A", {}}, FieldListCase{"NotXml", "a < b", "A", {}}),
    test::CaseName());

struct GeneralCase {
  const char* name;
  // Entries in section order.
  std::vector<std::pair<std::string, std::string>> entries;
  std::string text;
  const char* expected;
};

void PrintTo(const GeneralCase& c, std::ostream* out) { *out << c.name; }

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

TEST(RuleEngine, HostileRuleTextAndRecordsEndQuietly) {
  std::string deep(100000, '(');
  const std::string chain = std::string(3000, '!') + "0";
  std::string sums = "1";
  for (int i = 0; i < 5000; ++i) sums += "+1";
  const RuleFile file("[NetworkInstallData]\r\nSet=<Filter><Deep>" + deep + "</Deep><Chain>" +
                      chain + "</Chain></Filter><Output><Sums>" + sums +
                      "</Sums><Big>99999999999999999999*99999999999999999999</Big>"
                      "<Zero>5/(1-1)</Zero><Name/></Output>\r\n");
  RuleEngine engine({"<Name>n</Name>", std::string(5000, '<'), "<Name>" + deep + "</Name>"});
  // Deep parentheses are a word; the chains pass the nesting bound and are
  // empty, which passes as a condition and is an empty output.
  const Lines lines = engine.ApplyRules("NetworkInstallData", "Set");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "|1||n");
  EXPECT_EQ(lines[1], "|1||");
  EXPECT_EQ(lines[2].size(), deep.size() + 4);
  EXPECT_EQ(lines[2], "|1||" + deep);
}

}  // namespace
}  // namespace nodexa
