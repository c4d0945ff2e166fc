#include "report.h"

#include "record_table.h"

namespace nodexa::cli {

int ExitStatus(const Report& report) {
  if (report.list) return report.records.empty() ? 1 : 0;
  return report.result == 1 ? 0 : 1;
}

PortRecord StoredRecord(const StoredValue& stored) {
  PortRecord record;
  record.raw = stored.value.value_or("");
  const std::vector<std::string> parts = SplitFields(record.raw);
  for (size_t i = 0; i < parts.size(); ++i) {
    record.fields.emplace_back(
        i < stored.partNames.size() ? stored.partNames[i] : "PART" + std::to_string(i + 1),
        parts[i]);
  }
  return record;
}

std::string FormatReport(const Report& report, bool raw) {
  std::string text;
  if (report.list) {
    if (raw) {
      for (const PortRecord& record : report.records) text += record.raw + "\n";
      return text;
    }
    if (report.records.empty()) return "No ports found.\n";
    return FormatRecords(report.records, report.ruleSet);
  }
  text = report.exportName + "(" +
         (report.argument ? "\"" + *report.argument + "\"" : std::string()) +
         ") = " + std::to_string(report.result) + "\n" + report.meaning + "\n";
  if (report.stored) {
    const StoredValue& stored = *report.stored;
    const std::string where = "HKLM\\" + stored.key + " \"" + stored.name + "\"";
    if (!stored.value) {
      text += where + ": not set\n";
    } else {
      text += where + " = \"" + *stored.value + "\"\n";
      if (!stored.partNames.empty()) text += FormatTable({StoredRecord(stored)});
    }
  }
  return text;
}

}  // namespace nodexa::cli
