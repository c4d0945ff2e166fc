// The subcommands of the three port searches. Each builds the request list
// from its arguments, runs the search under the spinner and reads the lines
// that come back into named records.
#include <filesystem>
#include <memory>

#include "command_line.h"
#include "nodexa/nodexa.h"
#include "rule_file.h"
#include "spinner.h"
#include "terminal.h"
#include "validators.h"

namespace nodexa::cli {

namespace {

struct SearchValues {
  std::string type;
  std::vector<std::string> subnets;
  std::string usbIdentity;
  std::string ruleSet;
  std::vector<std::string> ports;
};

const std::vector<std::string> kPrinterTypes = {"Inkjet", "LaserPrinter", "LaserScanner"};

// The type and the remote subnets, as FindPorts and FindAllPorts take them.
std::vector<std::string> TypeRequest(const SearchValues& values) {
  std::vector<std::string> request;
  if (values.type.empty()) return request;
  request.push_back(values.type);
  for (const std::string& subnet : ArgumentTexts(values.subnets)) request.push_back(subnet);
  return request;
}

// Why a search finds no printers of a type whatever the network holds; "".
std::string NothingToFind(const std::string& type, bool withLocalPorts) {
  if (DiscoveredKind(type) != RecordKind::Laser) return std::string();
  return withLocalPorts ? "FindAllPorts matches laser printers against the product-data "
                          "table's model list, which the library leaves empty, so it lists "
                          "local ports only."
                        : "FindPorts matches laser printers against a model list that is "
                          "empty for LaserPrinter by definition, so it never finds one.";
}

// The count in words, and the search's remark.
void Describe(Report& report, std::string note) {
  report.result = static_cast<int32_t>(report.records.size());
  report.meaning = report.records.empty()
                       ? "No ports found."
                       : std::to_string(report.records.size()) +
                             (report.records.size() == 1 ? " port found." : " ports found.");
  if (!note.empty()) report.meaning += " " + note;
  report.note = std::move(note);
}

std::vector<std::string> Search(NodexaList* (*search)(const NodexaList*),
                                const std::vector<std::string>& request) {
  const Spinner spinner(stderr, StandardErrorIsTerminal(), "Searching for printers...");
  const nodexa::PortList list(request);
  return nodexa::PortList::Read(search(list.get())).value_or(std::vector<std::string>());
}

void AddTypeOptions(CLI::App* sub, SearchValues& values, bool required) {
  CLI::Option* type = sub->add_option("TYPE", values.type,
                                      std::string(required ? "" : "Optional: ") +
                                          "Inkjet, LaserPrinter or LaserScanner")
                          ->check(CLI::IsMember(kPrinterTypes, CLI::ignore_case).description(""));
  if (required) type->required();
  sub->add_option("SUBNET", values.subnets,
                  "Optional: remote subnets to search besides the local ones, ADDRESS or "
                  "ADDRESS:MASK (default mask 255.255.255.0)")
      ->check(Subnet());
}

// A search that takes a printer type and remote subnets.
struct TypeSearch {
  const char* command;
  const char* exportName;
  const char* description;
  NodexaList* (*search)(const NodexaList*);
  bool withLocalPorts;  // the type is optional and local ports follow
};

void AddTypeSearch(CommandLine& commandLine, const std::shared_ptr<SearchValues>& values,
                   const TypeSearch& kind) {
  CLI::App* sub = commandLine.Application().add_subcommand(kind.command, kind.description);
  AddTypeOptions(sub, *values, !kind.withLocalPorts);
  commandLine.OnChosen(sub, [values, kind] {
    Report report;
    report.command = kind.command;
    report.exportName = kind.exportName;
    report.list = true;
    report.textArgument = false;
    report.arguments = TypeRequest(*values);
    report.records =
        ReadPortLines(Search(kind.search, report.arguments), values->type, kind.withLocalPorts);
    Describe(report, NothingToFind(values->type, kind.withLocalPorts));
    return report;
  });
}

}  // namespace

void AddPortSearchCommands(CommandLine& commandLine) {
  auto values = std::make_shared<SearchValues>();

  AddTypeSearch(commandLine, values,
                {"find-ports", "FindPorts",
                 "Find network printers of one type through discovery (FindPorts): inkjets of "
                 "the product, laser printers, or laser multifunction scanners",
                 FindPorts, false});
  AddTypeSearch(commandLine, values,
                {"find-all-ports", "FindAllPorts",
                 "Find every port for a printer (FindAllPorts): the network printers of a type "
                 "found by discovery, then the local spooler's ports",
                 FindAllPorts, true});

  CLI::App* filtered = commandLine.Application().add_subcommand(
      "find-filtered",
      "Find the ports a rule set of the product chooses (FindAllPortsFiltered): network "
      "printers, USB printers of the model, local ports, shared printers and the ports "
      "given, filtered and described by the rule set");
  filtered
      ->add_option("USB-ID", values->usbIdentity,
                   "The model's USB identity: what follows USBPRINT\\ in its hardware "
                   "identifier")
      ->required()
      ->check(NotEmpty());
  filtered
      ->add_option("RULE-SET", values->ruleSet,
                   "The rule set's key in the section NetworkInstallData of the rule file "
                   "(Setup\\Config\\Product.ini on the medium)")
      ->required()
      ->check(NotEmpty());
  filtered
      ->add_option("--port", values->ports, "Optional: a port name to offer as well (repeatable)")
      ->check(NotEmpty())
      ->check(Without(';'));
  filtered
      ->add_option("--subnet", values->subnets,
                   "Optional: a remote subnet to search, ADDRESS or ADDRESS:MASK (repeatable)")
      ->check(Subnet());
  commandLine.OnChosen(filtered, [values, &commandLine] {
    Report report;
    report.command = "find-filtered";
    report.exportName = "FindAllPortsFiltered";
    report.list = true;
    report.textArgument = false;
    report.ruleSet = ArgumentText(values->ruleSet);
    std::string ports;
    for (const std::string& port : ArgumentTexts(values->ports)) {
      ports += (ports.empty() ? "" : ";") + port;
    }
    report.arguments = {ArgumentText(values->usbIdentity), report.ruleSet, ports, ""};
    for (const std::string& subnet : ArgumentTexts(values->subnets)) {
      report.arguments.push_back(subnet);
    }
    std::vector<std::string> lines;
    {
      const Spinner spinner(stderr, StandardErrorIsTerminal(), "Searching for printers...");
      // The list is the caller's to delete.
      const nodexa::PortList arguments(report.arguments);
      const auto found = nodexa::PortList::Adopt(FindAllPortsFiltered(arguments.get()));
      if (found.get() != nullptr) lines = nodexa::PortList::Read(found.get()).value_or(lines);
    }
    const std::string ruleFile =
        (std::filesystem::path(commandLine.ExecutableDirectory()) / ".." / "Config" / "Product.ini")
            .make_preferred()
            .string();
    report.records = ReadRuleLines(lines, RuleSetOutputNames(ruleFile, report.ruleSet));
    Describe(report, "");
    return report;
  });
}

}  // namespace nodexa::cli
