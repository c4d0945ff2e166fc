// Port records as text for people: one table per run of records of the same
// kind, columns named after the fields and as wide as their widest value
// (two blanks between columns), under a heading that names the kind and
// the count. A table may be fitted to a width: its widest columns narrow
// until the lines fit, and a cell cut short ends in an ellipsis.
#ifndef NODEXA_TOOLS_NODEXA_RECORD_TABLE_H_
#define NODEXA_TOOLS_NODEXA_RECORD_TABLE_H_

#include <string>
#include <vector>

#include "port_records.h"

namespace nodexa::cli {

// How wide tables may be: `columns` 0 for no limit; `ellipsis` ends a cut
// cell (one column wide, in the text's code page).
struct TableWidth {
  size_t columns = 0;
  std::string ellipsis = "~";
};

// One table: the header line and one line per record, each ended by '\n';
// trailing blanks are left off. Empty for no records. Every record should
// have the first record's field names; extra fields get numbered columns.
std::string FormatTable(const std::vector<PortRecord>& records, const TableWidth& width = {});

// The heading of a run of `count` records of `kind`, e.g. "Local ports (3)".
std::string Heading(RecordKind kind, size_t count, const std::string& ruleSet);

// Every run of records of one kind, in order: heading, table, blank line
// between runs.
std::string FormatRecords(const std::vector<PortRecord>& records, const std::string& ruleSet,
                          const TableWidth& width = {});

}  // namespace nodexa::cli

#endif  // NODEXA_TOOLS_NODEXA_RECORD_TABLE_H_
