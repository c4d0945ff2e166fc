// The report as JSON for scripts: UTF-8 text (library strings are converted
// from the ANSI code page), fields in the order the library wrote them.
//
//   {"command": ..., "export": ...,
//    list exports:  "request": [...], "records": [{"kind", "discovered",
//                   "fields": {NAME: value, ...}, "raw"}, ...]
//    text exports:  "argument": "a|b|c" or null, "result": 1,
//                   "meaning": ..., "stored": {"key", "name", "value",
//                   "fields"} when the export answers through the registry
//    "exitStatus": 0}
#ifndef NODEXA_TOOLS_NODEXA_JSON_REPORT_H_
#define NODEXA_TOOLS_NODEXA_JSON_REPORT_H_

#include <string>

#include "report.h"

namespace nodexa::cli {

// Indented JSON text ending in a line feed.
std::string ReportJson(const Report& report);

}  // namespace nodexa::cli

#endif  // NODEXA_TOOLS_NODEXA_JSON_REPORT_H_
