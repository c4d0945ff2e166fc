// The port records the three port searches hand back, read into named
// fields for display: discovered inkjet, laser and scanner records, local
// port records and the output lines of a rule set. A record keeps its raw
// line; fields are named after what the library put into them.
//
// Reading never fails: a line that fits none of the layouts it may have is
// kept as an "unrecognised" record with numbered fields.
#ifndef NODEXA_TOOLS_NODEXA_PORT_RECORDS_H_
#define NODEXA_TOOLS_NODEXA_PORT_RECORDS_H_

#include <string>
#include <utility>
#include <vector>

namespace nodexa::cli {

enum class RecordKind { Inkjet, Laser, Scanner, LocalPort, RuleLine, Unrecognised };

// "inkjet", "laser", "scanner", "local port", "rule-set line", "unrecognised".
const char* KindName(RecordKind kind);

using Field = std::pair<std::string, std::string>;

struct PortRecord {
  RecordKind kind = RecordKind::Unrecognised;
  // Marked "%DiscoveredPrinter%" by FindAllPorts.
  bool discovered = false;
  std::string raw;
  std::vector<Field> fields;
};

// The field names of a fixed layout, without the discovery marker; empty
// for rule-set lines and unrecognised records.
const std::vector<std::string>& FieldNames(RecordKind kind);

// The kind of discovered record a printer type yields: "Inkjet",
// "LaserPrinter" or "LaserScanner" in any case; Unrecognised otherwise.
RecordKind DiscoveredKind(const std::string& printerType);

// The lines of FindPorts (`marked` false) or FindAllPorts (`marked` true,
// discovered records carry the marker and local port records follow).
std::vector<PortRecord> ReadPortLines(const std::vector<std::string>& lines,
                                      const std::string& printerType, bool marked);

// The lines of FindAllPortsFiltered, one field per Output rule of the rule
// set, named after the rules.
std::vector<PortRecord> ReadRuleLines(const std::vector<std::string>& lines,
                                      const std::vector<std::string>& outputNames);

// The line cut at every '|', empty fields kept.
std::vector<std::string> SplitFields(const std::string& line);

}  // namespace nodexa::cli

#endif  // NODEXA_TOOLS_NODEXA_PORT_RECORDS_H_
