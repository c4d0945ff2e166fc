#include "command_line.h"

#include <cstring>
#include <filesystem>

#include "delimited_report.h"
#include "json_report.h"
#include "nodexa/nodexa.h"
#include "preflight.h"
#include "setup_location.h"
#include "suggestion.h"
#include "terminal.h"
#include "validators.h"

namespace nodexa::cli {

namespace {

constexpr char kDescription[] =
    "Calls the exports of the Nodexa library, the network support of the Quorvex setup "
    "program, against a setup medium (by default the demo medium built beside this command).";

constexpr char kExitStatus[] =
    "Exit status: 0 when the export answers 1 or a non-empty list, 1 when it answers 0 or an "
    "empty list or a value it answers with was not stored, 2 for a usage error.";
constexpr char kFooter[] =
    "The global options may also follow the subcommand.\n"
    "Environment: NODEXA_EXECUTABLE_DIRECTORY names the medium's Setup/Bin folder when "
    "--medium is not given; NODEXA_MACHINE (POSIX build) the machine folder when --machine is "
    "not given. Without either, the demo built beside the command is used.\n"
    "Run 'nodexa SUBCOMMAND --help' for the values a subcommand takes.";

std::string VersionText() {
  return std::string("nodexa ") + NODEXA_VERSION + " (library Nodexa " + NODEXA_VERSION +
         ", linked in; " + NODEXA_BUILD_KIND + " build" +
#ifdef _WIN32
         ", Windows" +
#else
         ", POSIX stand-in" +
#endif
         ")";
}

// The subcommand named on the command line, for messages; "" for none.
std::string ChosenName(const CLI::App& app) {
  const auto chosen = app.get_subcommands();
  return chosen.empty() ? std::string() : chosen.front()->get_name();
}

std::string Usage(const std::string& chosen) {
  const std::string name = chosen.empty() ? "nodexa" : "nodexa " + chosen;
  return "\nRun '" + name + " --help' for usage.\n";
}

// The parser's complaint in words that name what was wrong.
std::string Complaint(CLI::App& app, const CLI::App& failed, const CLI::Error& error) {
  const std::string chosen = ChosenName(failed);
  const std::vector<std::string> leftOver = failed.remaining();
  if (!chosen.empty() || leftOver.empty()) return error.what();
  const std::string& word = leftOver.front();
  if (word.rfind('-', 0) == 0) return "'" + word + "' is not an option";
  std::vector<std::string> names;
  for (const CLI::App* sub : app.get_subcommands([](CLI::App*) { return true; })) {
    names.push_back(sub->get_name());
  }
  const std::string closest = ClosestName(word, names);
  return "'" + word + "' is not a subcommand" +
         (closest.empty() ? std::string() : "; did you mean '" + closest + "'?");
}

// How wide tables may be: unlimited with --wide, else COLUMNS, else the
// terminal's width; unlimited for a file or a pipe unless COLUMNS is set.
TableWidth TableWidthFor(bool wide) {
  TableWidth width;
  if (wide) return width;
  const std::string columns = Environment("COLUMNS");
  if (!columns.empty() && columns.size() < 6 &&
      columns.find_first_not_of("0123456789") == std::string::npos) {
    width.columns = static_cast<size_t>(std::stoi(columns));
  } else {
    width.columns = static_cast<size_t>(TerminalColumns());
  }
  bool lossy = false;
  const std::string ellipsis = Utf8ToAnsi("\xE2\x80\xA6", lossy);
  if (!lossy && ellipsis.size() == 1) width.ellipsis = ellipsis;
  return width;
}

}  // namespace

CommandLine::CommandLine() : app(kDescription, "nodexa") {
  app.require_subcommand(1);
  app.fallthrough();
  app.set_version_flag("--version", VersionText(), "Print the command's and library's version");
  const std::string global = "Global options";
  const CLI::Validator folder = CLI::Validator(CLI::ExistingDirectory).description("");
  app.add_option("--medium", options.medium,
                 "The setup medium's root folder (holding Install, Common and Setup); default: "
                 "NODEXA_EXECUTABLE_DIRECTORY's medium, else the demo medium")
      ->type_name("DIR")
      ->group(global)
      ->check(folder);
  app.add_option("--machine", options.machine,
                 "The POSIX machine folder (registry.reg, facts.ini, spooler.ini) standing for "
                 "the Windows machine; default: NODEXA_MACHINE, else the demo machine. POSIX "
                 "build only: on Windows the real registry and spooler answer")
      ->type_name("DIR")
      ->group(global)
      ->check(folder);
  logOption = app.add_option("--log", options.log,
                             "Append the library's diagnostic log to FILE (calls SetupDebugLog); "
                             "the file must be writable")
                  ->type_name("FILE")
                  ->group(global)
                  ->check(Representable());
  app.add_flag("--json", options.json,
               "Print the result (or a usage error) as JSON; short for --format json")
      ->group(global);
  app.add_option("--format", options.format,
                 "How to print the result: table (the default), json, csv or tsv")
      ->type_name("FORMAT")
      ->group(global)
      ->check(CLI::IsMember({"table", "json", "csv", "tsv"}));
  app.add_flag("--raw", options.raw,
               "Print port records exactly as the library returns them, one per line")
      ->group(global);
  app.add_flag("--wide", options.wide,
               "Show tables whole; without it they fit the terminal (COLUMNS or its width), "
               "long cells cut with an ellipsis")
      ->group(global);
  AddPortSearchCommands(*this);
  AddTextCommands(*this);
  CheckEveryValue(app);
  for (CLI::App* subcommand : app.get_subcommands([](CLI::App*) { return true; })) {
    // A positional value's name says what it is; "TEXT" after it adds nothing.
    for (CLI::Option* option : subcommand->get_options()) {
      if (!option->nonpositional()) option->type_name("");
    }
    subcommand->footer(std::string(kExitStatus) + "\n" +
                       "Global options (see 'nodexa --help') may come before or after it.");
  }
  app.footer(std::string(kExitStatus) + "\n" + kFooter);
}

void CommandLine::OnChosen(CLI::App* subcommand, std::function<Report()> action) {
  actions.emplace_back(subcommand, std::move(action));
}

int CommandLine::UsageError(const std::string& message, std::ostream& out, std::ostream& err) {
  const std::string chosen = ChosenName(app);
  if (jsonWanted) out << UsageErrorJson(chosen, message, kUsageError);
  err << (chosen.empty() ? "nodexa" : "nodexa " + chosen) << ": " << message << Usage(chosen);
  return kUsageError;
}

std::optional<int> CommandLine::Parse(int argc, const char* const* argv, std::ostream& out,
                                      std::ostream& err) {
  // Known before parsing, so that a usage error is JSON as well.
  for (int i = 1; i < argc; ++i) {
    const bool formatJson = std::strcmp(argv[i], "--format=json") == 0 ||
                            (std::strcmp(argv[i], "--format") == 0 && i + 1 < argc &&
                             std::strcmp(argv[i + 1], "json") == 0);
    jsonWanted = jsonWanted || std::strcmp(argv[i], "--json") == 0 || formatJson;
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    // Help and the version end the run with status 0.
    if (error.get_exit_code() == 0) return app.exit(error, out, err);
    return UsageError(Complaint(app, *FailedApp(), error), out, err);
  }
  return std::nullopt;
}

CLI::App* CommandLine::FailedApp() {
  const auto chosen = app.get_subcommands();
  return chosen.empty() ? &app : chosen.front();
}

int CommandLine::Run(std::ostream& out, std::ostream& err) {
  if (logOption->count() > 0) {
    if (const std::string problem = LogFileProblem(options.log); !problem.empty()) {
      return UsageError("--log: " + problem, out, err);
    }
  }
  executableDirectory = PointLibraryAt(options.medium, options.machine);
  // Without a medium the library takes the program's own folder.
  if (executableDirectory.empty()) executableDirectory = ProgramDirectory().string();
  const std::filesystem::path root =
      std::filesystem::path(executableDirectory).parent_path().parent_path();
  if (const std::string missing = MediumProblem(root.string()); !missing.empty()) {
    std::string message = "'" + root.string() + "' is not a setup medium: " + missing;
    const std::filesystem::path above = root.parent_path().parent_path();
    if (root.has_relative_path() && MediumProblem(above.string()).empty()) {
      message += "; the medium is '" + above.string() + "'";
    }
    return UsageError(message, out, err);
  }
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
    if (options.json || options.format == "json") {
      out << ReportJson(report, {root.string(), Environment(kMachineVariable), options.log});
    } else if (options.format == "csv" || options.format == "tsv") {
      out << PrintedText(FormatDelimited(report, options.format == "csv" ? ',' : '\t'));
    } else {
      out << PrintedText(FormatReport(report, options.raw, TableWidthFor(options.wide)));
    }
    return ExitStatus(report);
  }
  err << "nodexa: no subcommand to run\n";
  return kUsageError;
}

}  // namespace nodexa::cli
