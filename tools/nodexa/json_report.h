// The command's JSON output for scripts: UTF-8 text (library strings are
// converted from the ANSI code page), fields in the order the library wrote
// them. Every subcommand prints the same shape:
//
//   {"command": "find-ports", "export": "FindPorts",
//    "arguments": [...],            the list the library received (the text
//                                   exports: the values their '|'-joined
//                                   argument holds; [] for none)
//    "result": 1,                   the export's 1 or 0; a port search: the
//                                   number of lines it returned
//    "meaning": "...",              the result in words
//    "records": [{"kind", "discovered", "fields": {NAME: value}, "raw"}]
//                                   port searches only
//    "stored": {"key", "name", "value", "written", "refusal", "fields"}
//                                   exports that answer through the registry
//    "medium": "...", "machine": "..." or null,  what the library used
//    "log": "..."                   with --log only
//    "exitStatus": 0}
//
// A usage error prints {"command": NAME or null, "error": MESSAGE,
// "exitStatus": 2}.
#ifndef NODEXA_TOOLS_NODEXA_JSON_REPORT_H_
#define NODEXA_TOOLS_NODEXA_JSON_REPORT_H_

#include <string>

#include "report.h"

namespace nodexa::cli {

// Where the library was pointed for the call.
struct CallSetting {
  std::string medium;
  std::string machine;  // "" when there is none (Windows: the real machine)
  std::string log;      // "" without --log
};

// Indented JSON text ending in a line feed.
std::string ReportJson(const Report& report, const CallSetting& setting);

// A usage error as JSON; `command` "" when no subcommand was chosen.
std::string UsageErrorJson(const std::string& command, const std::string& message, int status);

}  // namespace nodexa::cli

#endif  // NODEXA_TOOLS_NODEXA_JSON_REPORT_H_
