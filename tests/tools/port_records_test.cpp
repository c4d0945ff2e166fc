// Reading the port searches' lines into named records.
#include <gtest/gtest.h>

#include "port_records.h"

namespace nodexa::cli {
namespace {

using Fields = std::vector<Field>;
using Names = std::vector<std::string>;

// The field names of each record layout, in order.
const Names kInkjetNames{"PORTNAME",   "IPADDRESS", "MODEL",        "MACUAA",
                         "CONFIGURED", "BIDI",      "IPADDRSOURCE", "BROADCASTADDRESS",
                         "IPNAME",     "IPGATEWAY", "IPNETMASK"};
const Names kLaserNames{"IPNAME", "IPADDRESS", "MODEL", "CONFIGURED", "BIDI"};
const Names kScannerNames{"NAME", "IPNAME", "IPADDRESS", "DISPLAYNAME", "CONFIGURED", "BIDI"};
const Names kLocalNames{"PORTNAME", "DESCRIPTION"};
const Names kNumberedNames{"FIELD1", "FIELD2", "FIELD3", "FIELD4", "FIELD5", "FIELD6", "FIELD7"};

// The names paired with the values, one by one.
Fields Named(const Names& names, const std::vector<std::string>& values) {
  Fields fields;
  for (size_t i = 0; i < values.size(); ++i) fields.emplace_back(names.at(i), values[i]);
  return fields;
}

struct LineCase {
  const char* name;
  const char* type;
  bool marked;
  const char* line;
  RecordKind kind;
  bool discovered;
  Fields fields;
};

const LineCase kLineCases[] = {
    {"inkjet record of FindPorts", "Inkjet", false,
     "Q_7A1B2C_P1|10.1.2.3|IJ 5200|0080927A1B2C|1|Bidi|2|10.1.2.255|QVX|10.1.2.1|255.255.255.0",
     RecordKind::Inkjet, false,
     Named(kInkjetNames, {"Q_7A1B2C_P1", "10.1.2.3", "IJ 5200", "0080927A1B2C", "1", "Bidi", "2",
                          "10.1.2.255", "QVX", "10.1.2.1", "255.255.255.0"})},
    {"marked inkjet record with empty fields", "inkjet", true,
     "#unconfigured#|%DiscoveredPrinter%|0.0.0.0|M||-1|NoBidi|||||", RecordKind::Inkjet, true,
     Named(kInkjetNames,
           {"#unconfigured#", "0.0.0.0", "M", "", "-1", "NoBidi", "", "", "", "", ""})},
    {"marked laser record", "LaserPrinter", true, "LP|%DiscoveredPrinter%|10.1.2.4|L 8100|1|Bidi",
     RecordKind::Laser, true, Named(kLaserNames, {"LP", "10.1.2.4", "L 8100", "1", "Bidi"})},
    // The scanner's marker follows its second field.
    {"marked scanner record", "LaserScanner", true,
     "MF(10.1.2.5)|MF|%DiscoveredPrinter%|10.1.2.5|Q MF MFP|1|Bidi", RecordKind::Scanner, true,
     Named(kScannerNames, {"MF(10.1.2.5)", "MF", "10.1.2.5", "Q MF MFP", "1", "Bidi"})},
    {"scanner record without marker", "LaserScanner", false, "MF(1.2.3.4)|MF|1.2.3.4|D|-1|NoBidi",
     RecordKind::Scanner, false,
     Named(kScannerNames, {"MF(1.2.3.4)", "MF", "1.2.3.4", "D", "-1", "NoBidi"})},
    {"local port after discovered records", "Inkjet", true, "LPT1:|\"Local Port\"",
     RecordKind::LocalPort, false, Named(kLocalNames, {"LPT1:", "Local Port"})},
    {"local port without a type", "", true, "USB001|\"Virtual printer port for USB\"",
     RecordKind::LocalPort, false, Named(kLocalNames, {"USB001", "Virtual printer port for USB"})},
    {"local port with an empty description", "LaserScanner", true, "FILE:|\"\"",
     RecordKind::LocalPort, false, Named(kLocalNames, {"FILE:", ""})},
    // A laser-sized line where a scanner record is expected is not forced into the scanner's
    // layout.
    {"marker in the wrong place", "LaserScanner", true, "A|%DiscoveredPrinter%|B|C|D|E|F",
     RecordKind::Unrecognised, false,
     Named(kNumberedNames, {"A", "%DiscoveredPrinter%", "B", "C", "D", "E", "F"})},
    {"unmarked line in FindAllPorts that is no local port", "LaserPrinter", true,
     "LP|10.1.2.4|L|1|Bidi", RecordKind::Unrecognised, false,
     Named(kNumberedNames, {"LP", "10.1.2.4", "L", "1", "Bidi"})},
    // FindPorts lists no local ports: a quoted pair there is not one.
    {"local-port form in FindPorts", "Inkjet", false, "LPT1:|\"Local Port\"",
     RecordKind::Unrecognised, false, Named(kNumberedNames, {"LPT1:", "\"Local Port\""})},
    {"field count one short", "LaserPrinter", false, "LP|10.1.2.4|L|1", RecordKind::Unrecognised,
     false, Named(kNumberedNames, {"LP", "10.1.2.4", "L", "1"})},
};

TEST(PortRecordsTest, LinesBecomeNamedRecords) {
  for (const LineCase& c : kLineCases) {
    const std::vector<PortRecord> records = ReadPortLines({c.line}, c.type, c.marked);
    ASSERT_EQ(records.size(), 1u) << c.name;
    EXPECT_EQ(records[0].kind, c.kind) << c.name;
    EXPECT_EQ(records[0].discovered, c.discovered) << c.name;
    EXPECT_EQ(records[0].raw, c.line) << c.name;
    EXPECT_EQ(records[0].fields, c.fields) << c.name;
  }
}

TEST(PortRecordsTest, EveryLineKeepsItsPlace) {
  const std::vector<PortRecord> records =
      ReadPortLines({"LP|%DiscoveredPrinter%|1.2.3.4|M|1|Bidi", "junk", "COM1:|\"Local Port\""},
                    "LaserPrinter", true);
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0].kind, RecordKind::Laser);
  EXPECT_EQ(records[1].kind, RecordKind::Unrecognised);
  EXPECT_EQ(records[1].fields, (Fields{{"FIELD1", "junk"}}));
  EXPECT_EQ(records[2].kind, RecordKind::LocalPort);
}

struct RuleCase {
  const char* name;
  std::vector<std::string> outputNames;
  const char* line;
  RecordKind kind;
  Fields fields;
};

const RuleCase kRuleCases[] = {
    {"one field per rule",
     {"Connection", "Port", "IPADDRESS"},
     "Network|QVX|10.1.2.3",
     RecordKind::RuleLine,
     {{"Connection", "Network"}, {"Port", "QVX"}, {"IPADDRESS", "10.1.2.3"}}},
    {"empty values", {"A", "B"}, "|", RecordKind::RuleLine, {{"A", ""}, {"B", ""}}},
    // With one Output rule the whole line is its value, bars included.
    {"one rule", {"LOCALPORT"}, "a|b", RecordKind::RuleLine, {{"LOCALPORT", "a|b"}}},
    {"more values than rules",
     {"A", "B"},
     "1|2|3",
     RecordKind::Unrecognised,
     {{"FIELD1", "1"}, {"FIELD2", "2"}, {"FIELD3", "3"}}},
    {"rule names unknown", {}, "x|y", RecordKind::Unrecognised, {{"FIELD1", "x"}, {"FIELD2", "y"}}},
};

TEST(PortRecordsTest, RuleLinesTakeTheOutputRuleNames) {
  for (const RuleCase& c : kRuleCases) {
    const std::vector<PortRecord> records = ReadRuleLines({c.line}, c.outputNames);
    ASSERT_EQ(records.size(), 1u) << c.name;
    EXPECT_EQ(records[0].kind, c.kind) << c.name;
    EXPECT_FALSE(records[0].discovered) << c.name;
    EXPECT_EQ(records[0].fields, c.fields) << c.name;
  }
}

TEST(PortRecordsTest, TypesAreReadWithoutCase) {
  EXPECT_EQ(DiscoveredKind("INKJET"), RecordKind::Inkjet);
  EXPECT_EQ(DiscoveredKind("laserprinter"), RecordKind::Laser);
  EXPECT_EQ(DiscoveredKind("LaserScanner"), RecordKind::Scanner);
  EXPECT_EQ(DiscoveredKind("Laser"), RecordKind::Unrecognised);
  EXPECT_EQ(DiscoveredKind(""), RecordKind::Unrecognised);
}

TEST(PortRecordsTest, SplittingKeepsEmptyFields) {
  EXPECT_EQ(SplitFields(""), std::vector<std::string>{""});
  EXPECT_EQ(SplitFields("|a||"), (std::vector<std::string>{"", "a", "", ""}));
}

}  // namespace
}  // namespace nodexa::cli
