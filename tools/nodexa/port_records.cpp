#include "port_records.h"

namespace nodexa::cli {

namespace {

constexpr char kMarker[] = "%DiscoveredPrinter%";

bool EqualNoCase(const std::string& a, const char* b) {
  const std::string other(b);
  if (a.size() != other.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto fold = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    if (fold(a[i]) != fold(other[i])) return false;
  }
  return true;
}

// Where the marker sits in a discovered record: after the first field, or
// after the second (IPNAME) in scanner records.
size_t MarkerPosition(RecordKind kind) { return kind == RecordKind::Scanner ? 2 : 1; }

PortRecord Named(RecordKind kind, const std::string& line, std::vector<std::string> values,
                 const std::vector<std::string>& names) {
  PortRecord record;
  record.kind = kind;
  record.raw = line;
  for (size_t i = 0; i < values.size(); ++i) {
    record.fields.emplace_back(i < names.size() ? names[i] : "FIELD" + std::to_string(i + 1),
                               std::move(values[i]));
  }
  return record;
}

PortRecord Unrecognised(const std::string& line) {
  return Named(RecordKind::Unrecognised, line, SplitFields(line), {});
}

// A discovered record of `kind`, or none when the line does not have its
// layout (field count, and the marker where one is expected).
bool ReadDiscovered(const std::string& line, RecordKind kind, bool marked, PortRecord& record) {
  if (kind == RecordKind::Unrecognised) return false;
  std::vector<std::string> values = SplitFields(line);
  const std::vector<std::string>& names = FieldNames(kind);
  if (values.size() != names.size() + (marked ? 1 : 0)) return false;
  if (marked) {
    const size_t at = MarkerPosition(kind);
    if (values[at] != kMarker) return false;
    values.erase(values.begin() + static_cast<std::ptrdiff_t>(at));
  }
  record = Named(kind, line, std::move(values), names);
  record.discovered = marked;
  return true;
}

// A local port record: the port name, '|' and the description in double
// quotes.
bool ReadLocalPort(const std::string& line, PortRecord& record) {
  const size_t bar = line.find('|');
  if (bar == std::string::npos) return false;
  const std::string quoted = line.substr(bar + 1);
  if (quoted.size() < 2 || quoted.front() != '"' || quoted.back() != '"') return false;
  record =
      Named(RecordKind::LocalPort, line, {line.substr(0, bar), quoted.substr(1, quoted.size() - 2)},
            FieldNames(RecordKind::LocalPort));
  return true;
}

}  // namespace

const char* KindName(RecordKind kind) {
  switch (kind) {
    case RecordKind::Inkjet:
      return "inkjet";
    case RecordKind::Laser:
      return "laser";
    case RecordKind::Scanner:
      return "scanner";
    case RecordKind::LocalPort:
      return "local port";
    case RecordKind::RuleLine:
      return "rule-set line";
    case RecordKind::Unrecognised:
      break;
  }
  return "unrecognised";
}

const std::vector<std::string>& FieldNames(RecordKind kind) {
  static const std::vector<std::string> inkjet = {
      "PORTNAME",     "IPADDRESS",        "MODEL",  "MACUAA",    "CONFIGURED", "BIDI",
      "IPADDRSOURCE", "BROADCASTADDRESS", "IPNAME", "IPGATEWAY", "IPNETMASK"};
  static const std::vector<std::string> laser = {"IPNAME", "IPADDRESS", "MODEL", "CONFIGURED",
                                                 "BIDI"};
  static const std::vector<std::string> scanner = {"NAME",        "IPNAME",     "IPADDRESS",
                                                   "DISPLAYNAME", "CONFIGURED", "BIDI"};
  static const std::vector<std::string> localPort = {"PORTNAME", "DESCRIPTION"};
  static const std::vector<std::string> none;
  switch (kind) {
    case RecordKind::Inkjet:
      return inkjet;
    case RecordKind::Laser:
      return laser;
    case RecordKind::Scanner:
      return scanner;
    case RecordKind::LocalPort:
      return localPort;
    case RecordKind::RuleLine:
    case RecordKind::Unrecognised:
      break;
  }
  return none;
}

RecordKind DiscoveredKind(const std::string& printerType) {
  if (EqualNoCase(printerType, "Inkjet")) return RecordKind::Inkjet;
  if (EqualNoCase(printerType, "LaserPrinter")) return RecordKind::Laser;
  if (EqualNoCase(printerType, "LaserScanner")) return RecordKind::Scanner;
  return RecordKind::Unrecognised;
}

std::vector<PortRecord> ReadPortLines(const std::vector<std::string>& lines,
                                      const std::string& printerType, bool marked) {
  const RecordKind kind = DiscoveredKind(printerType);
  std::vector<PortRecord> records;
  for (const std::string& line : lines) {
    PortRecord record;
    if (ReadDiscovered(line, kind, marked, record) || (marked && ReadLocalPort(line, record))) {
      records.push_back(std::move(record));
    } else {
      records.push_back(Unrecognised(line));
    }
  }
  return records;
}

std::vector<PortRecord> ReadRuleLines(const std::vector<std::string>& lines,
                                      const std::vector<std::string>& outputNames) {
  std::vector<PortRecord> records;
  for (const std::string& line : lines) {
    // One Output rule gives the whole line, bars and all, as its value.
    std::vector<std::string> values =
        outputNames.size() == 1 ? std::vector<std::string>{line} : SplitFields(line);
    if (values.size() == outputNames.size()) {
      records.push_back(Named(RecordKind::RuleLine, line, std::move(values), outputNames));
    } else {
      records.push_back(Unrecognised(line));
    }
  }
  return records;
}

std::vector<std::string> SplitFields(const std::string& line) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (;;) {
    const size_t bar = line.find('|', start);
    fields.push_back(line.substr(start, bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  return fields;
}

}  // namespace nodexa::cli
