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

namespace nodexa::cli {

// A string value the library wrote below HKEY_LOCAL_MACHINE.
struct StoredValue {
  std::string key;
  std::string name;
  std::optional<std::string> value;  // none: not there (e.g. the key is missing)
  // Names of the value's '|'-separated parts, when it has parts.
  std::vector<std::string> partNames;
};

struct Report {
  std::string command;     // the subcommand, e.g. "find-all-ports"
  std::string exportName;  // e.g. "FindAllPorts"

  // List exports: the list handed over and the records that came back.
  bool list = false;
  std::vector<std::string> request;
  std::vector<PortRecord> records;
  std::string ruleSet;  // the rule-set key of a filtered search

  // Text exports: the '|'-joined argument (none for an export without
  // one) and the 32-bit result.
  std::optional<std::string> argument;
  int32_t result = 0;
  std::string meaning;  // one sentence saying what the result means
  // The export answers a yes/no question, so 0 is an answer, not only a
  // failure.
  bool question = false;
  std::optional<StoredValue> stored;
};

// 0 for a result of 1 or a non-empty list, 1 otherwise.
int ExitStatus(const Report& report);

// The report as people read it. With `raw`, a list export prints its lines
// exactly as the library returned them, one per line, and nothing else.
std::string FormatReport(const Report& report, bool raw);

// The parts of a stored value as one record, fields named by partNames.
PortRecord StoredRecord(const StoredValue& stored);

}  // namespace nodexa::cli

#endif  // NODEXA_TOOLS_NODEXA_REPORT_H_
