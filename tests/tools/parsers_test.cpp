// What the command reads: subnet arguments, a rule set's Output rule names
// and the port searches' lines.
#include <gtest/gtest.h>

#include "delimited_report.h"
#include "port_records.h"
#include "rule_file.h"
#include "validators.h"

namespace nodexa::cli {
namespace {

using Names = std::vector<std::string>;

TEST(ValidatorsTest, Subnets) {
  for (std::string valid : {"10.1.2.0", "10.9.0.0:255.255.0.0", "0.0.0.0", "255.255.255.255"}) {
    EXPECT_EQ(Subnet()(valid), "") << valid;
  }
  for (std::string invalid :
       {"10.1.2", "10.1.2.0.", "10.1.2.256", "10.1..0", "10.1.2.0:", ":255.255.255.0",
        "10.1.2.0:255.255", "a.b.c.d", "1.2.3.4:1.2.3.4:1", "1000.1.2.0", "", " 10.1.2.0"}) {
    EXPECT_NE(Subnet()(invalid), "") << invalid;
  }
}

TEST(RuleFileTest, OutputRuleNamesInDocumentOrder) {
  const std::pair<const char*, Names> cases[] = {
      {"<Filter><MODEL_ID>A</MODEL_ID></Filter><Output><LOCALPORT/><L>MODEL_ID</L></Output>",
       {"LOCALPORT", "L"}},
      // Several Output elements, any case; Filter children are no output.
      {"<output><A>1</A></output><Filter><B/></Filter><OUTPUT><C /><D>x</D></OUTPUT>",
       {"A", "C", "D"}},
      {"<Output><A><X/>y</A><B/></Output>", {"A", "B"}},  // grandchildren belong to their rule
      {"<Output><1284STRID/></Output>", {"1284STRID"}},
      {"<Filter><A/></Filter>", {}},
      {"<Output><A/><B", {"A"}},  // a cut-off tag ends the scan
      {"</Output><Output><A/></Output>", {"A"}}};
  for (const auto& [rules, names] : cases) EXPECT_EQ(OutputRuleNames(rules), names) << rules;
}

struct LineCase {
  const char* type;
  bool marked;  // FindAllPorts marks discovered records and adds local ports
  const char* line;
  RecordKind kind;
  Names values;
};

TEST(PortRecordsTest, LinesBecomeRecordsOfTheirLayout) {
  // clang-format off
  const LineCase cases[] = {
      {"Inkjet", false, "P|1.2.3.4|M|MAC|1|Bidi|2|B|N|G|255.0.0.0", RecordKind::Inkjet,
       {"P", "1.2.3.4", "M", "MAC", "1", "Bidi", "2", "B", "N", "G", "255.0.0.0"}},
      {"inkjet", true, "#u#|%DiscoveredPrinter%|0.0.0.0|M||-1|NoBidi|||||", RecordKind::Inkjet,
       {"#u#", "0.0.0.0", "M", "", "-1", "NoBidi", "", "", "", "", ""}},
      {"LaserPrinter", true, "LP|%DiscoveredPrinter%|1.2.3.4|L|1|Bidi", RecordKind::Laser,
       {"LP", "1.2.3.4", "L", "1", "Bidi"}},
      // The scanner's marker follows its second field.
      {"LaserScanner", true, "MF(1.2.3.5)|MF|%DiscoveredPrinter%|1.2.3.5|D|1|Bidi",
       RecordKind::Scanner, {"MF(1.2.3.5)", "MF", "1.2.3.5", "D", "1", "Bidi"}},
      {"Inkjet", true, "LPT1:|\"Local Port\"", RecordKind::LocalPort, {"LPT1:", "Local Port"}},
      // Lines of no known layout keep every field.
      {"LaserScanner", true, "A|%DiscoveredPrinter%|B|C|D|E|F", RecordKind::Unrecognised,
       {"A", "%DiscoveredPrinter%", "B", "C", "D", "E", "F"}},
      {"LaserPrinter", true, "LP|1.2.3.4|L|1|Bidi", RecordKind::Unrecognised,
       {"LP", "1.2.3.4", "L", "1", "Bidi"}},
      // FindPorts lists no local ports: a quoted pair there is not one.
      {"Inkjet", false, "LPT1:|\"Local\"", RecordKind::Unrecognised, {"LPT1:", "\"Local\""}},
      {"Laser", false, "||||", RecordKind::Unrecognised, {"", "", "", "", ""}}};
  // clang-format on
  for (const LineCase& c : cases) {
    const std::vector<PortRecord> records = ReadPortLines({c.line}, c.type, c.marked);
    ASSERT_EQ(records.size(), 1u) << c.line;
    EXPECT_EQ(records[0].kind, c.kind) << c.line;
    EXPECT_EQ(records[0].discovered,
              c.marked && c.kind != RecordKind::LocalPort && c.kind != RecordKind::Unrecognised)
        << c.line;
    EXPECT_EQ(records[0].raw, c.line);
    Names values;
    for (const Field& field : records[0].fields) values.push_back(field.second);
    EXPECT_EQ(values, c.values) << c.line;
  }
}

}  // namespace
// Cells that hold the separator, quotes or line ends survive the trip into
// a spreadsheet; records of two kinds get a header each.
TEST(DelimitedReportTest, CellsRoundTripAndKindsGetHeaders) {
  Report search;
  search.list = true;
  for (const char* description : {"Local, \"old\" port", "tab\there"}) {
    PortRecord record;
    record.kind = RecordKind::LocalPort;
    record.fields = {{"PORTNAME", search.records.empty() ? "LPT1:" : "USB001"},
                     {"DESCRIPTION", description}};
    search.records.push_back(record);
  }
  EXPECT_EQ(FormatDelimited(search, ','),
            "KIND,PORTNAME,DESCRIPTION\nlocal port,LPT1:,\"Local, \"\"old\"\" port\"\n"
            "local port,USB001,tab\there\n");
  EXPECT_EQ(FormatDelimited(search, '\t'),
            "KIND\tPORTNAME\tDESCRIPTION\nlocal port\tLPT1:\tLocal, \"old\" port\n"
            "local port\tUSB001\ttab here\n");
  Report text;
  text.exportName = "IsINAAttached";
  text.arguments = {"USB001"};
  text.result = 1;
  text.meaning = "Attached.";
  EXPECT_EQ(FormatDelimited(text, ','),
            "EXPORT,ARGUMENT,RESULT,MEANING\nIsINAAttached,USB001,1,Attached.\n");
}

}  // namespace nodexa::cli
