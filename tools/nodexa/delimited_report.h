// A report as comma- or tab-separated values, for spreadsheets and scripts
// (--format csv|tsv). A port search prints, for each run of records of one
// kind, a header row of the kind and its field names and a row per record,
// runs parted by a blank line. Any other export prints a header row
// (export, argument, result, meaning, and the stored value when it has one)
// and one row.
#ifndef NODEXA_TOOLS_NODEXA_DELIMITED_REPORT_H_
#define NODEXA_TOOLS_NODEXA_DELIMITED_REPORT_H_

#include <string>

#include "report.h"

namespace nodexa::cli {

// `separator` ',' quotes cells as RFC 4180 does; '\t' turns tabs and line
// ends inside a cell into blanks.
std::string FormatDelimited(const Report& report, char separator);

}  // namespace nodexa::cli

#endif  // NODEXA_TOOLS_NODEXA_DELIMITED_REPORT_H_
