#include "delimited_report.h"

#include <vector>

namespace nodexa::cli {

namespace {

std::string Cell(std::string text, char separator) {
  if (separator == '\t') {
    for (char& c : text) {
      if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    }
    return text;
  }
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

std::string Row(const std::vector<std::string>& cells, char separator) {
  std::string row;
  for (size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) row += separator;
    row += Cell(cells[i], separator);
  }
  return row + "\n";
}

}  // namespace

std::string FormatDelimited(const Report& report, char separator) {
  std::string text;
  if (report.list) {
    for (size_t first = 0; first < report.records.size();) {
      const RecordKind kind = report.records[first].kind;
      std::vector<std::string> header{"KIND"};
      for (const Field& field : report.records[first].fields) header.push_back(field.first);
      if (!text.empty()) text += "\n";
      text += Row(header, separator);
      size_t next = first;
      for (; next < report.records.size() && report.records[next].kind == kind; ++next) {
        std::vector<std::string> row{KindName(kind)};
        for (const Field& field : report.records[next].fields) row.push_back(field.second);
        text += Row(row, separator);
      }
      first = next;
    }
    return text;
  }
  std::vector<std::string> header{"EXPORT", "ARGUMENT", "RESULT", "MEANING"};
  std::vector<std::string> row{report.exportName, JoinedArgument(report),
                               std::to_string(report.result), report.meaning};
  if (report.stored) {
    header.push_back(report.stored->name);
    // Only what this call stored; an earlier value is not its answer.
    const bool answered = report.stored->written || report.stored->unchanged;
    row.push_back(answered ? report.stored->value.value_or("") : "");
  }
  return Row(header, separator) + Row(row, separator);
}

}  // namespace nodexa::cli
