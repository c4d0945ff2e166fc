// Tables for people: headings, column names and alignment.
#include <gtest/gtest.h>

#include "record_table.h"
#include "report.h"

namespace nodexa::cli {
namespace {

PortRecord Record(RecordKind kind, std::vector<Field> fields) {
  PortRecord record;
  record.kind = kind;
  record.fields = std::move(fields);
  return record;
}

TEST(RecordTableTest, ColumnsAreAsWideAsTheirWidestValue) {
  const std::string table = FormatTable(
      {Record(RecordKind::LocalPort, {{"PORTNAME", "LPT1:"}, {"DESCRIPTION", "Local Port"}}),
       Record(RecordKind::LocalPort, {{"PORTNAME", "PORTPROMPT:"}, {"DESCRIPTION", ""}})});
  EXPECT_EQ(table,
            "PORTNAME     DESCRIPTION\n"
            "LPT1:        Local Port\n"
            "PORTPROMPT:\n");
}

TEST(RecordTableTest, RunsOfOneKindGetAHeadingEach) {
  const std::vector<PortRecord> records = {
      Record(RecordKind::Laser, {{"IPNAME", "LP"},
                                 {"IPADDRESS", "1.2.3.4"},
                                 {"MODEL", "M"},
                                 {"CONFIGURED", "1"},
                                 {"BIDI", "Bidi"}}),
      Record(RecordKind::LocalPort, {{"PORTNAME", "COM1:"}, {"DESCRIPTION", "Local Port"}}),
      Record(RecordKind::LocalPort, {{"PORTNAME", "FILE:"}, {"DESCRIPTION", "Local Port"}}),
  };
  EXPECT_EQ(FormatRecords(records, ""),
            "Laser printers on the network (1)\n"
            "IPNAME  IPADDRESS  MODEL  CONFIGURED  BIDI\n"
            "LP      1.2.3.4    M      1           Bidi\n"
            "\n"
            "Local ports (2)\n"
            "PORTNAME  DESCRIPTION\n"
            "COM1:     Local Port\n"
            "FILE:     Local Port\n");
}

TEST(RecordTableTest, RuleSetRunsNameTheRuleSet) {
  EXPECT_EQ(Heading(RecordKind::RuleLine, 4, "QuorvexInkJet"),
            "Ports chosen by the rule set QuorvexInkJet (4)");
  EXPECT_EQ(FormatTable({}), "");
}

TEST(RecordTableTest, LongerRecordsGetNumberedColumns) {
  EXPECT_EQ(FormatTable({Record(RecordKind::Unrecognised, {{"FIELD1", "a"}}),
                         Record(RecordKind::Unrecognised, {{"FIELD1", "b"}, {"FIELD2", "c"}})}),
            "FIELD1  FIELD2\n"
            "a\n"
            "b       c\n");
}

TEST(ReportTest, ExitStatusFollowsTheAnswer) {
  Report text;
  text.result = 1;
  EXPECT_EQ(ExitStatus(text), 0);
  text.result = 0;
  EXPECT_EQ(ExitStatus(text), 1);
  // Anything but 1 is no success.
  text.result = 2;
  EXPECT_EQ(ExitStatus(text), 1);
  Report list;
  list.list = true;
  EXPECT_EQ(ExitStatus(list), 1);
  list.records.push_back(PortRecord());
  EXPECT_EQ(ExitStatus(list), 0);
}

TEST(ReportTest, TextReportShowsTheCallAndTheStoredValue) {
  Report report;
  report.exportName = "GetScannerRegisterInfo";
  report.argument = "SOFTWARE\\Q";
  report.result = 1;
  report.meaning = "Read.";
  report.stored = StoredValue{
      "SOFTWARE\\Q", "GetScannerRegisterInfo", "PC|1252|", {"PcName", "CodePage", "PinNumber"}};
  EXPECT_EQ(FormatReport(report, false),
            "GetScannerRegisterInfo(\"SOFTWARE\\Q\") = 1\n"
            "Read.\n"
            "HKLM\\SOFTWARE\\Q \"GetScannerRegisterInfo\" = \"PC|1252|\"\n"
            "PcName  CodePage  PinNumber\n"
            "PC      1252\n");
  report.stored->value.reset();
  report.argument.reset();
  EXPECT_EQ(FormatReport(report, false),
            "GetScannerRegisterInfo() = 1\n"
            "Read.\n"
            "HKLM\\SOFTWARE\\Q \"GetScannerRegisterInfo\": not set\n");
}

TEST(ReportTest, RawListsPrintTheLinesOnly) {
  Report report;
  report.list = true;
  report.records = ReadPortLines({"A|\"x\"", "B|\"y\""}, "", true);
  EXPECT_EQ(FormatReport(report, true), "A|\"x\"\nB|\"y\"\n");
  report.records.clear();
  EXPECT_EQ(FormatReport(report, true), "");
  EXPECT_EQ(FormatReport(report, false), "No ports found.\n");
}

}  // namespace
}  // namespace nodexa::cli
