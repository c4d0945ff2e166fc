#include "report.h"

namespace nodexa::cli {

namespace {

// What became of the stored value, as lines for people.
std::string StoredText(const StoredValue& stored, const TableWidth& width) {
  const std::string where = "HKLM\\" + stored.key + " \"" + stored.name + "\"";
  if (stored.written) {
    std::string text = where + " = \"" + stored.value.value_or("") + "\"\n";
    if (!stored.partNames.empty()) text += FormatTable({StoredRecord(stored)}, width);
    return text;
  }
  if (stored.unchanged) {
    return where + " holds \"" + stored.value.value_or("") +
           "\" as before this call: the same code again, or none stored.\n";
  }
  std::string text = where + " was not written";
  if (!stored.refusal.empty()) text += ": " + stored.refusal;
  text += ".";
  if (stored.value) text += " It holds \"" + *stored.value + "\" from before.";
  return text + "\n";
}

}  // namespace

std::string JoinedArgument(const Report& report) {
  std::string joined;
  for (size_t i = 0; i < report.arguments.size(); ++i) {
    joined += (i > 0 ? "|" : "") + report.arguments[i];
  }
  return joined;
}

int ExitStatus(const Report& report) {
  if (report.list) return report.records.empty() ? 1 : 0;
  if (report.stored && !report.stored->written) return 1;
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

std::string FormatReport(const Report& report, bool raw, const TableWidth& width) {
  std::string text;
  if (report.list) {
    if (raw) {
      for (const PortRecord& record : report.records) text += record.raw + "\n";
      return text;
    }
    if (report.records.empty()) return report.meaning + "\n";
    text = FormatRecords(report.records, report.ruleSet, width);
    return report.note.empty() ? text : text + "\n" + report.note + "\n";
  }
  text = report.exportName + "(" +
         (report.textArgument ? "\"" + JoinedArgument(report) + "\"" : std::string()) +
         ") = " + std::to_string(report.result) + "\n" + report.meaning + "\n";
  if (report.stored) text += StoredText(*report.stored, width);
  return text;
}

}  // namespace nodexa::cli
