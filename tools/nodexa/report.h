// What one run of the command found out: the export called, what it was
// given, what it answered, and for the exports that answer through the
// registry the value they left there. Printed for people (FormatReport) or
// as JSON (ReportJson); the exit status follows from it.
#ifndef NODEXA_TOOLS_NODEXA_REPORT_H_
#define NODEXA_TOOLS_NODEXA_REPORT_H_

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "port_records.h"
#include "record_table.h"

namespace nodexa::cli {

// A string value the library writes below HKEY_LOCAL_MACHINE, as the call
// left it.
struct StoredValue {
  std::string key;
  std::string name;
  std::optional<std::string> value;  // what it holds now; none: not there
  bool written = false;              // this call stored `value`
  // It holds what it held before, which this call may have stored again.
  bool unchanged = false;
  std::string refusal;  // why it was not written, when known
  // Names of the value's '|'-separated parts, when it has parts.
  std::vector<std::string> partNames;
};

struct Report {
  std::string command;     // the subcommand, e.g. "find-all-ports"
  std::string exportName;  // e.g. "FindAllPorts"

  // What the library received: the list of a port search, or the values
  // that the text exports' one argument joins with '|'.
  std::vector<std::string> arguments;
  bool textArgument = true;  // false for the list exports and an export without one

  // List exports: the records that came back; `result` counts them.
  bool list = false;
  std::vector<PortRecord> records;
  std::string ruleSet;  // the rule-set key of a filtered search

  // The 32-bit result, or the number of lines a port search returned.
  int32_t result = 0;
  std::string meaning;  // what the result means, in words
  // A list export's remark printed after its records (also in `meaning`),
  // e.g. why a search cannot find a kind of printer.
  std::string note;
  // The export answers a yes/no question, so 0 is an answer, not only a
  // failure.
  bool question = false;
  std::optional<StoredValue> stored;
};

// The text argument of a text export: its values joined with '|'.
std::string JoinedArgument(const Report& report);

// 0 for a result of 1 or a non-empty list, 1 otherwise, and 1 when a value
// the export answers with was not stored.
int ExitStatus(const Report& report);

// The report as people read it. With `raw`, a list export prints its lines
// exactly as the library returned them, one per line, and nothing else;
// otherwise tables fit `width`.
std::string FormatReport(const Report& report, bool raw, const TableWidth& width = {});

// The parts of a stored value as one record, fields named by partNames.
PortRecord StoredRecord(const StoredValue& stored);

}  // namespace nodexa::cli

#endif  // NODEXA_TOOLS_NODEXA_REPORT_H_
