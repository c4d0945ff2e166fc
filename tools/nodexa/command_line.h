// The nodexa command line: global options, one subcommand per export, and
// what runs when a subcommand is chosen.
//
//   nodexa [--medium DIR] [--machine DIR] [--log FILE] [--json] [--format F] [--raw]
//          [--wide] SUBCOMMAND VALUES...
//
// The global options may also follow the subcommand. Exit status: 0 for a
// result of 1 or a non-empty list, 1 for a result of 0, an empty list or a
// registry answer that was not stored, 2 for a usage error (with a message
// on standard error, and a JSON error object on standard output with
// --json).
#ifndef NODEXA_TOOLS_NODEXA_COMMAND_LINE_H_
#define NODEXA_TOOLS_NODEXA_COMMAND_LINE_H_

#include <CLI/CLI.hpp>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "report.h"

namespace nodexa::cli {

inline constexpr int kUsageError = 2;

struct GlobalOptions {
  std::string medium;
  std::string machine;
  std::string log;
  bool json = false;
  std::string format = "table";  // table, json, csv or tsv
  bool raw = false;
  bool wide = false;
};

class CommandLine {
 public:
  CommandLine();
  CommandLine(const CommandLine&) = delete;
  CommandLine& operator=(const CommandLine&) = delete;

  // Reads the arguments. Answers the exit status when the command ends
  // here (help or version printed: 0; usage error: 2), none when a
  // subcommand is to run.
  std::optional<int> Parse(int argc, const char* const* argv, std::ostream& out, std::ostream& err);
  // Checks the log file and the medium (usage errors), points the library
  // at the medium and machine, switches on its log, runs the chosen
  // subcommand and prints its report. Answers the exit status.
  int Run(std::ostream& out, std::ostream& err);

  // For the subcommand families: the application to add subcommands to, and
  // the action to run when `subcommand` is chosen.
  CLI::App& Application() { return app; }
  void OnChosen(CLI::App* subcommand, std::function<Report()> action);

  const GlobalOptions& Options() const { return options; }
  // The executable directory the library uses (set by Run), "" for none.
  const std::string& ExecutableDirectory() const { return executableDirectory; }

 private:
  // Prints `message` as a usage error; answers kUsageError.
  int UsageError(const std::string& message, std::ostream& out, std::ostream& err);
  // The subcommand that was chosen, else the command itself.
  CLI::App* FailedApp();

  CLI::App app;
  GlobalOptions options;
  CLI::Option* logOption = nullptr;
  bool jsonWanted = false;
  std::vector<std::pair<CLI::App*, std::function<Report()>>> actions;
  std::string executableDirectory;
};

// The subcommands of the exports that take '|'-separated values.
void AddTextCommands(CommandLine& commandLine);
// The subcommands of the three port searches.
void AddPortSearchCommands(CommandLine& commandLine);

}  // namespace nodexa::cli

#endif  // NODEXA_TOOLS_NODEXA_COMMAND_LINE_H_
