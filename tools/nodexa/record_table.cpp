#include "record_table.h"

#include <algorithm>

namespace nodexa::cli {

namespace {

std::string Row(const std::vector<std::string>& cells, const std::vector<size_t>& widths) {
  std::string line;
  for (size_t i = 0; i < cells.size(); ++i) {
    line += cells[i];
    if (i + 1 < cells.size()) line += std::string(widths[i] - cells[i].size() + 2, ' ');
  }
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line + "\n";
}

// Narrows the widest columns, one column at a time, until the line with two
// blanks between columns fits `limit`; a column keeps a character and the
// ellipsis at least.
void Fit(std::vector<size_t>& widths, size_t limit) {
  constexpr size_t kNarrowest = 2;
  size_t total = 2 * (widths.size() - 1);
  for (const size_t width : widths) total += width;
  while (total > limit) {
    const auto widest = std::max_element(widths.begin(), widths.end());
    if (*widest <= kNarrowest) break;
    --*widest;
    --total;
  }
}

void Cut(std::string& cell, size_t width, const std::string& ellipsis) {
  if (cell.size() > width) cell = cell.substr(0, width - 1) + ellipsis;
}

}  // namespace

std::string FormatTable(const std::vector<PortRecord>& records, const TableWidth& width) {
  if (records.empty()) return std::string();
  size_t columns = 0;
  for (const PortRecord& record : records) columns = std::max(columns, record.fields.size());
  std::vector<std::string> header(columns);
  for (size_t i = 0; i < columns; ++i) {
    header[i] = i < records.front().fields.size() ? records.front().fields[i].first
                                                  : "FIELD" + std::to_string(i + 1);
  }
  std::vector<std::vector<std::string>> rows;
  for (const PortRecord& record : records) {
    std::vector<std::string> cells(columns);
    for (size_t i = 0; i < record.fields.size(); ++i) cells[i] = record.fields[i].second;
    rows.push_back(std::move(cells));
  }
  std::vector<size_t> widths(columns);
  for (size_t i = 0; i < columns; ++i) {
    widths[i] = header[i].size();
    for (const auto& cells : rows) widths[i] = std::max(widths[i], cells[i].size());
  }
  if (width.columns > 0) {
    Fit(widths, width.columns);
    for (size_t i = 0; i < columns; ++i) {
      Cut(header[i], widths[i], width.ellipsis);
      for (auto& cells : rows) Cut(cells[i], widths[i], width.ellipsis);
    }
  }
  std::string text = Row(header, widths);
  for (const auto& cells : rows) text += Row(cells, widths);
  return text;
}

std::string Heading(RecordKind kind, size_t count, const std::string& ruleSet) {
  std::string title;
  switch (kind) {
    case RecordKind::Inkjet:
      title = "Inkjet printers on the network";
      break;
    case RecordKind::Laser:
      title = "Laser printers on the network";
      break;
    case RecordKind::Scanner:
      title = "Scanners on the network";
      break;
    case RecordKind::LocalPort:
      title = "Local ports";
      break;
    case RecordKind::RuleLine:
      title = "Ports chosen by the rule set " + ruleSet;
      break;
    case RecordKind::Unrecognised:
      title = "Unrecognised lines";
      break;
  }
  return title + " (" + std::to_string(count) + ")";
}

std::string FormatRecords(const std::vector<PortRecord>& records, const std::string& ruleSet,
                          const TableWidth& width) {
  std::string text;
  for (size_t start = 0; start < records.size();) {
    size_t end = start;
    while (end < records.size() && records[end].kind == records[start].kind) ++end;
    const std::vector<PortRecord> run(records.begin() + static_cast<std::ptrdiff_t>(start),
                                      records.begin() + static_cast<std::ptrdiff_t>(end));
    if (!text.empty()) text += "\n";
    text += Heading(records[start].kind, run.size(), ruleSet) + "\n" + FormatTable(run, width);
    start = end;
  }
  return text;
}

}  // namespace nodexa::cli
