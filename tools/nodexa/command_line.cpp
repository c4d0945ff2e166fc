#include "command_line.h"

#include "json_report.h"
#include "nodexa/nodexa.h"
#include "setup_location.h"
#include "terminal.h"

namespace nodexa::cli {

namespace {

constexpr char kDescription[] =
    "Calls the exports of the Nodexa library, the network support of the Quorvex setup "
    "program, against a setup medium (by default the demo medium built beside this command).";

constexpr char kExitStatus[] =
    "Exit status: 0 when the export answers 1 or a non-empty list, 1 when it answers 0 or an "
    "empty list, 2 for a usage error.";
constexpr char kFooter[] =
    "The global options may also follow the subcommand.\n"
    "Run 'nodexa SUBCOMMAND --help' for the values a subcommand takes.";

// The subcommand named on the command line, for messages; "" for none.
std::string ChosenName(const CLI::App& app) {
  const auto chosen = app.get_subcommands();
  return chosen.empty() ? std::string() : chosen.front()->get_name();
}

}  // namespace

CommandLine::CommandLine() : app(kDescription, "nodexa") {
  app.require_subcommand(1);
  app.fallthrough();
  const std::string global = "Global options";
  app.add_option("--medium", options.medium,
                 "The setup medium's root folder (holding Install, Common and Setup); default: "
                 "the demo medium")
      ->type_name("DIR")
      ->group(global)
      ->check(CLI::ExistingDirectory);
  app.add_option("--machine", options.machine,
                 "The POSIX machine folder (registry.reg, facts.ini, spooler.ini) standing for "
                 "the Windows machine; default: the demo machine. POSIX build only: on Windows "
                 "the real registry and spooler answer and this option is ignored")
      ->type_name("DIR")
      ->group(global)
      ->check(CLI::ExistingDirectory);
  app.add_option("--log", options.log,
                 "Append the library's diagnostic log to FILE (calls SetupDebugLog)")
      ->type_name("FILE")
      ->group(global);
  app.add_flag("--json", options.json, "Print the result as JSON")->group(global);
  app.add_flag("--raw", options.raw,
               "Print port records exactly as the library returns them, one per line")
      ->group(global);
  app.failure_message([](const CLI::App* failed, const CLI::Error& error) {
    const std::string chosen = ChosenName(*failed);
    const std::string name = chosen.empty() ? "nodexa" : "nodexa " + chosen;
    std::string message = error.what();
    // A misspelt subcommand is left over as an argument; say so rather than
    // that a subcommand is missing.
    const std::vector<std::string> leftOver = failed->remaining();
    if (chosen.empty() && !leftOver.empty() && leftOver.front().rfind('-', 0) != 0) {
      message = "'" + leftOver.front() + "' is not a subcommand";
    }
    return name + ": " + message + "\nRun '" + name + " --help' for usage.\n";
  });
  AddPortSearchCommands(*this);
  AddTextCommands(*this);
  for (CLI::App* subcommand : app.get_subcommands([](CLI::App*) { return true; })) {
    subcommand->footer(std::string(kExitStatus) + "\n" +
                       "Global options (see 'nodexa --help') may come before or after it.");
  }
  app.footer(std::string(kExitStatus) + "\n" + kFooter);
}

void CommandLine::OnChosen(CLI::App* subcommand, std::function<Report()> action) {
  actions.emplace_back(subcommand, std::move(action));
}

std::optional<int> CommandLine::Parse(int argc, const char* const* argv, std::ostream& out,
                                      std::ostream& err) {
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    const int status = app.exit(error, out, err);
    return status == 0 ? 0 : kUsageError;
  }
  return std::nullopt;
}

int CommandLine::Run(std::ostream& out, std::ostream& err) {
  executableDirectory = PointLibraryAt(options.medium, options.machine);
  // Without a medium the library takes the program's own folder.
  if (executableDirectory.empty()) executableDirectory = ProgramDirectory().string();
  if (!options.log.empty()) SetupDebugLog(ArgumentText(options.log).c_str());
  for (const auto& [subcommand, action] : actions) {
    if (!subcommand->parsed()) continue;
    Report report = action();
    if (!report.list && report.result != 1) {
      const std::string log = ArgumentText(options.log);
      if (report.question) {
        report.meaning += log.empty() ? " (A failure answers 0 as well: --log FILE would show it.)"
                                      : " (A failure would be logged in " + log + ".)";
      } else {
        report.meaning += log.empty() ? " Run again with --log FILE to see why."
                                      : " The reason is in " + log + ".";
      }
    }
    if (options.json) {
      out << ReportJson(report);
    } else {
      out << PrintedText(FormatReport(report, options.raw));
    }
    return ExitStatus(report);
  }
  err << "nodexa: no subcommand to run\n";
  return kUsageError;
}

}  // namespace nodexa::cli
