// The subcommands of the exports that take one narrow string of
// '|'-separated values: each takes the values as separate arguments, joins
// them and reports the export's 1 or 0 in words.
#include <filesystem>
#include <memory>

#include "command_line.h"
#include "machine_registry.h"
#include "nodexa/nodexa.h"
#include "terminal.h"
#include "validators.h"

namespace nodexa::cli {

namespace {

// The key below HKEY_LOCAL_MACHINE where the demo machine keeps the values
// the setup program reads back.
constexpr char kDefaultKey[] = "SOFTWARE\\Quorvex\\Nodexa";
// The validation component of the demo medium, beside the setup program.
constexpr char kDemoValidator[] = "QVXAgrd.dll";

struct Values {
  std::vector<std::string> current{7};
  std::vector<std::string> newSettings;
  std::vector<std::string> subnets;
  std::vector<std::string> target;
  std::string computer;
  std::string share;
  std::string driver;
  std::string kind;
  std::string port;
  std::string model;
  std::string key = kDefaultKey;
  std::string codePage;
  std::string pin;
  std::string text;
  std::string second;
  std::string module;
};

std::string Join(const std::vector<std::string>& values) {
  std::string joined;
  for (size_t i = 0; i < values.size(); ++i) {
    if (i > 0) joined += '|';
    joined += ArgumentText(values[i]);
  }
  return joined;
}

Report Call(const char* command, const char* exportName, int32_t (*function)(const char*),
            const std::string& argument, const std::string& ifOne, const std::string& ifZero) {
  Report report;
  report.command = command;
  report.exportName = exportName;
  report.argument = argument;
  report.result = function(argument.c_str());
  report.meaning = report.result == 1 ? ifOne : ifZero;
  return report;
}

// A call whose 0 answers a question rather than only reporting a failure.
Report Ask(const char* command, const char* exportName, int32_t (*function)(const char*),
           const std::string& argument, const std::string& ifOne, const std::string& ifZero) {
  Report report = Call(command, exportName, function, argument, ifOne, ifZero);
  report.question = true;
  return report;
}

void Stored(Report& report, const std::string& key, const char* name,
            std::vector<std::string> partNames = {}) {
  report.stored = StoredValue{key, name, ReadMachineString(key, name), std::move(partNames)};
}

CLI::Option* Value(CLI::App* sub, const std::string& name, std::string& value,
                   const std::string& description) {
  return sub->add_option(name, value, description)->required()->check(Without('|'));
}

void AddConfigureIp(CommandLine& commandLine, const std::shared_ptr<Values>& values) {
  CLI::App* sub = commandLine.Application().add_subcommand(
      "configure-ip",
      "Change a network printer's IP settings (ConfigurePortIP). The printer is named by the "
      "seven values discovery reported for it; without --static it is asked to take its "
      "address automatically");
  const char* names[] = {"SOURCE", "ADDRESS", "BROADCAST", "MASK", "NAME", "MAC", "GATEWAY"};
  const char* descriptions[] = {"Its current address source (IPADDRSOURCE)",
                                "Its current IP address",
                                "Its current broadcast address",
                                "Its current subnet mask",
                                "Its current IP host name",
                                "Its adapter's MAC address (MACUAA)",
                                "Its current gateway"};
  for (size_t i = 0; i < 7; ++i) Value(sub, names[i], values->current[i], descriptions[i]);
  sub->add_option("--static", values->newSettings,
                  "Give it this fixed address, subnet mask and gateway")
      ->expected(3)
      ->type_name("ADDRESS MASK GATEWAY")
      ->check(Without('|'));
  commandLine.OnChosen(sub, [values] {
    std::vector<std::string> all = values->current;
    all.insert(all.end(), values->newSettings.begin(), values->newSettings.end());
    return Call("configure-ip", "ConfigurePortIP", ConfigurePortIP, Join(all),
                "The printer took the new IP settings.",
                "The printer's IP settings were not changed.");
  });
}

void AddRegisterSubnets(CommandLine& commandLine, const std::shared_ptr<Values>& values) {
  CLI::App* sub = commandLine.Application().add_subcommand(
      "register-subnets",
      "Register remote subnets for printer discovery (RegisterNetworkSubnets); a subnet "
      "without a mask gets 255.255.255.0");
  sub->add_option("SUBNET", values->subnets, "ADDRESS or ADDRESS:MASK, e.g. 10.9.0.0:255.255.0.0")
      ->required()
      ->check(Subnet());
  commandLine.OnChosen(sub, [values] {
    return Call("register-subnets", "RegisterNetworkSubnets", RegisterNetworkSubnets,
                Join(values->subnets), "The subnets are registered for discovery.",
                "The subnets were not registered.");
  });
}

void AddPeerToPeer(CommandLine& commandLine, const std::shared_ptr<Values>& values) {
  CLI::App* create = commandLine.Application().add_subcommand(
      "create-p2p-port",
      "Create a port to a printer that another computer shares (CreateP2PPortIP)");
  create
      ->add_option("TARGET", values->target,
                   "The share's network path (\\\\COMPUTER\\SHARE), or COMPUTER and SHARE")
      ->required()
      ->expected(1, 2)
      ->check(Without('|'));
  commandLine.OnChosen(create, [values] {
    const std::string target = values->target.size() == 1
                                   ? values->target[0]
                                   : "\\\\" + values->target[0] + "\\" + values->target[1];
    return Call("create-p2p-port", "CreateP2PPortIP", CreateP2PPortIP, Join(values->target),
                "A port to " + ArgumentText(target) + " was created.",
                "No port to " + ArgumentText(target) + " was created.");
  });

  CLI::App* verify = commandLine.Application().add_subcommand(
      "verify-shared-printer",
      "Check that a computer shares a printer with the given driver "
      "(VerifySharedPrinterExists)");
  Value(verify, "COMPUTER", values->computer, "The computer that shares the printer");
  Value(verify, "SHARE", values->share, "The printer's share name");
  Value(verify, "DRIVER", values->driver, "The printer driver it must use");
  commandLine.OnChosen(verify, [values] {
    const std::string path = ArgumentText("\\\\" + values->computer + "\\" + values->share);
    return Ask("verify-shared-printer", "VerifySharedPrinterExists", VerifySharedPrinterExists,
               Join({values->computer, values->share, values->driver}),
               path + " is shared with the driver " + ArgumentText(values->driver) + ".",
               path + " is not shared with the driver " + ArgumentText(values->driver) + ".");
  });
}

void AddFirewall(CommandLine& commandLine, const std::shared_ptr<Values>& values) {
  CLI::App* add = commandLine.Application().add_subcommand(
      "add-firewall-exception",
      "Let the Quorvex communications service through the firewall for a kind of connection "
      "(AddFirewallException)");
  add->add_option("KIND", values->kind, "P2P (a shared printer), NA (network) or Local")
      ->required()
      ->check(CLI::IsMember({"P2P", "NA", "Local"}, CLI::ignore_case));
  commandLine.OnChosen(add, [values] {
    return Call("add-firewall-exception", "AddFirewallException", AddFirewallException,
                values->kind,
                "The firewall lets the communications service through for " + values->kind +
                    " connections.",
                "The firewall exception was not added.");
  });

  CLI::App* remove = commandLine.Application().add_subcommand(
      "remove-firewall-exception",
      "Remove the communications service's firewall exception (RemoveFirewallException)");
  commandLine.OnChosen(remove, [] {
    Report report;
    report.command = "remove-firewall-exception";
    report.exportName = "RemoveFirewallException";
    report.result = RemoveFirewallException();
    report.meaning = report.result == 1 ? "The firewall exception was removed."
                                        : "The firewall exception was not removed.";
    return report;
  });
}

void AddAdapterQueries(CommandLine& commandLine, const std::shared_ptr<Values>& values) {
  CLI::App* attached = commandLine.Application().add_subcommand(
      "ina-attached",
      "Ask whether an internal network adapter is attached on a printer port (IsINAAttached)");
  Value(attached, "PORT", values->port, "The printer port, e.g. USB001");
  commandLine.OnChosen(attached, [values] {
    const std::string port = ArgumentText(values->port);
    return Ask("ina-attached", "IsINAAttached", IsINAAttached, port,
               "An internal network adapter is attached on " + port + ".",
               "No internal network adapter is attached on " + port + ".");
  });

  CLI::App* defaults = commandLine.Application().add_subcommand(
      "ina-default",
      "Ask whether the internal network adapter on a port has its network defaults "
      "(IsINADefault)");
  Value(defaults, "PORT", values->port, "The printer port, e.g. USB001");
  commandLine.OnChosen(defaults, [values] {
    const std::string port = ArgumentText(values->port);
    return Ask("ina-default", "IsINADefault", IsINADefault, port,
               "The adapter on " + port + " has its network defaults.",
               "The adapter on " + port + " does not have its network defaults.");
  });

  CLI::App* exists = commandLine.Application().add_subcommand(
      "ina-printer-exists",
      "Ask whether a USB printer of a model has an internal network adapter "
      "(DoesINAPrinterExists)");
  Value(exists, "MODEL", values->model,
        "The model's USB identity: what follows USBPRINT\\ in its hardware identifier");
  commandLine.OnChosen(exists, [values] {
    const std::string model = ArgumentText(values->model);
    return Ask("ina-printer-exists", "DoesINAPrinterExists", DoesINAPrinterExists, model,
               "A USB printer " + model + " has an internal network adapter.",
               "No USB printer " + model + " has an internal network adapter.");
  });
}

CLI::Option* KeyOption(CLI::App* sub, std::string& key) {
  return sub
      ->add_option("--key", key,
                   "The key below HKEY_LOCAL_MACHINE that receives the answer; it must exist")
      ->capture_default_str()
      ->check(Without('|'));
}

void AddScannerRegistration(CommandLine& commandLine, const std::shared_ptr<Values>& values) {
  CLI::App* get = commandLine.Application().add_subcommand(
      "get-scanner-registration",
      "Read a multifunction device's scan-to-computer registration (GetScannerRegisterInfo); "
      "the library stores it under --key as the value GetScannerRegisterInfo");
  KeyOption(get, values->key);
  commandLine.OnChosen(get, [values] {
    const std::string key = ArgumentText(values->key);
    Report report =
        Call("get-scanner-registration", "GetScannerRegisterInfo", GetScannerRegisterInfo, key,
             "The registration was read.", "No registration could be read.");
    if (report.result == 1) {
      Stored(report, key, "GetScannerRegisterInfo", {"PcName", "CodePage", "PinNumber"});
    }
    return report;
  });

  CLI::App* set = commandLine.Application().add_subcommand(
      "set-scanner-registration",
      "Register this computer as a multifunction device's scan host (SetScannerRegisterInfo); "
      "a failure code is stored under --key as the value SetScannerRegisterInfo");
  Value(set, "PORT", values->port, "The device's printer port");
  Value(set, "COMPUTER", values->computer, "The computer name to register");
  Value(set, "CODEPAGE", values->codePage, "The code page of the name, e.g. 1252 or 932");
  set->add_option("--pin", values->pin, "The PIN (the library's default: 7391)")
      ->check(Without('|'));
  KeyOption(set, values->key);
  commandLine.OnChosen(set, [values] {
    std::vector<std::string> all = {values->port, values->computer, values->codePage, values->key};
    if (!values->pin.empty()) all.push_back(values->pin);
    Report report =
        Call("set-scanner-registration", "SetScannerRegisterInfo", SetScannerRegisterInfo,
             Join(all), "The registration was written.", "The registration was not written.");
    if (report.result != 1) Stored(report, ArgumentText(values->key), "SetScannerRegisterInfo");
    return report;
  });
}

void AddValidateText(CommandLine& commandLine, const std::shared_ptr<Values>& values) {
  CLI::App* sub = commandLine.Application().add_subcommand(
      "validate-text",
      "Pass user-entered text through the setup program's validation component "
      "(ValidateUnicodeString); its answer is stored under --key as the value "
      "ValidateUnicodeString");
  Value(sub, "TEXT", values->text, "The text to validate");
  sub->add_option("SECOND", values->second, "A second text handed to the component with it")
      ->check(Without('|'));
  sub->add_option("--module", values->module,
                  "The validation component's file; default: QVXAgrd.dll in the medium's "
                  "Setup\\Bin")
      ->check(Without('|'));
  KeyOption(sub, values->key);
  commandLine.OnChosen(sub, [values, &commandLine] {
    std::string module = values->module;
    if (module.empty()) {
      module = (std::filesystem::path(commandLine.ExecutableDirectory()) / kDemoValidator)
                   .make_preferred()
                   .string();
    }
    const std::string key = ArgumentText(values->key);
    Report report = Ask("validate-text", "ValidateUnicodeString", ValidateUnicodeString,
                        Join({module, values->text, values->second, values->key}),
                        "The component accepted the text.", "The component rejected the text.");
    if (report.result == 1) Stored(report, key, "ValidateUnicodeString");
    return report;
  });
}

}  // namespace

void AddTextCommands(CommandLine& commandLine) {
  auto values = std::make_shared<Values>();
  AddConfigureIp(commandLine, values);
  AddRegisterSubnets(commandLine, values);
  AddPeerToPeer(commandLine, values);
  AddFirewall(commandLine, values);
  AddAdapterQueries(commandLine, values);
  AddScannerRegistration(commandLine, values);
  AddValidateText(commandLine, values);
}

}  // namespace nodexa::cli
