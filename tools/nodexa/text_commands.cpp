// The subcommands of the exports that take one narrow string of
// '|'-separated values: each takes the values as separate arguments, joins
// them and reports the export's 1 or 0 in words.
#include <filesystem>
#include <memory>
#include <utility>

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
  std::string target;
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

Report Call(const char* command, const char* exportName, int32_t (*function)(const char*),
            const std::vector<std::string>& values, const std::string& ifOne,
            const std::string& ifZero) {
  Report report;
  report.command = command;
  report.exportName = exportName;
  report.arguments = ArgumentTexts(values);
  report.result = function(JoinedArgument(report).c_str());
  report.meaning = report.result == 1 ? ifOne : ifZero;
  return report;
}

// A call whose 0 answers a question rather than only reporting a failure.
Report Ask(const char* command, const char* exportName, int32_t (*function)(const char*),
           const std::vector<std::string>& values, const std::string& ifOne,
           const std::string& ifZero) {
  Report report = Call(command, exportName, function, values, ifOne, ifZero);
  report.question = true;
  return report;
}

// What the call left in the value `name` of HKLM\`key`, which held
// `before`. The library does not say whether it wrote the value: a changed
// value was written; an unchanged one was if it can be written back and the
// export writes it on every call that gets here (`writesAlways`).
StoredValue Stored(const std::string& key, const char* name, const MachineValue& before,
                   bool writesAlways, std::vector<std::string> partNames = {}) {
  const MachineValue after = ReadMachineValue(key, name);
  StoredValue stored{key, name, after.text, false, false, "", std::move(partNames)};
  if (!after.keyExists) {
    stored.refusal = "the key does not exist";
  } else if (after.text && after.text != before.text) {
    stored.written = true;
  } else {
    stored.refusal = WriteRefusal(key, name);
    stored.written = stored.refusal.empty() && after.text.has_value();
    if (stored.written && !writesAlways) {
      stored.written = false;
      stored.unchanged = true;
      stored.refusal = "unchanged since before the call";
    } else if (!stored.written && stored.refusal.empty()) {
      stored.refusal = "the registry did not take it (--log FILE shows why)";
    }
  }
  return stored;
}

// A required value, not empty unless `mayBeEmpty`.
CLI::Option* Value(CLI::App* sub, const std::string& name, std::string& value,
                   const std::string& description, bool mayBeEmpty = false) {
  CLI::Option* option = sub->add_option(name, value, description)->required();
  if (!mayBeEmpty) option->check(NotEmpty());
  return option;
}

void AddConfigureIp(CommandLine& commandLine, const std::shared_ptr<Values>& values) {
  CLI::App* sub = commandLine.Application().add_subcommand(
      "configure-ip",
      "Change a network printer's IP settings (ConfigurePortIP). The printer is named by the "
      "seven values discovery reported for it; without --static it is asked to take its "
      "address automatically");
  struct Current {
    const char* name;
    const char* description;
    CLI::Validator check;
  };
  const Current current[] = {
      {"SOURCE", "Its current address source (IPADDRSOURCE), a number", Decimal()},
      {"ADDRESS", "Its current IP address, e.g. 192.168.10.41", DottedAddress()},
      {"BROADCAST", "Its current broadcast address", DottedAddress()},
      {"MASK", "Its current subnet mask", DottedAddress()},
      {"NAME", "Its current IP host name (may be empty)", CLI::Validator()},
      {"MAC", "Its adapter's MAC address (MACUAA), 12 hexadecimal digits", MacAddress()},
      {"GATEWAY", "Its current gateway", DottedAddress()}};
  for (size_t i = 0; i < 7; ++i) {
    CLI::Option* option =
        Value(sub, current[i].name, values->current[i], current[i].description, i == 4);
    if (i != 4) option->check(current[i].check);
  }
  sub->add_option("--static", values->newSettings,
                  "Optional: give it this fixed address, subnet mask and gateway (three "
                  "dotted addresses, in that order)")
      ->expected(3)
      ->type_name("ADDRESS")
      ->check(DottedAddress());
  commandLine.OnChosen(sub, [values] {
    std::vector<std::string> all = values->current;
    all.insert(all.end(), values->newSettings.begin(), values->newSettings.end());
    return Call("configure-ip", "ConfigurePortIP", ConfigurePortIP, all,
                "The printer took the new IP settings.",
                "The printer's IP settings were not changed.");
  });
}

void AddRegisterSubnets(CommandLine& commandLine, const std::shared_ptr<Values>& values) {
  CLI::App* sub = commandLine.Application().add_subcommand(
      "register-subnets",
      "Register remote subnets for printer discovery (RegisterNetworkSubnets); a subnet "
      "without a mask gets 255.255.255.0");
  sub->add_option("SUBNET", values->subnets,
                  "One or more: ADDRESS or ADDRESS:MASK, e.g. 10.9.0.0:255.255.0.0")
      ->required()
      ->check(Subnet());
  commandLine.OnChosen(sub, [values] {
    return Call("register-subnets", "RegisterNetworkSubnets", RegisterNetworkSubnets,
                values->subnets, "The subnets are registered for discovery.",
                "The subnets were not registered.");
  });
}

void AddPeerToPeer(CommandLine& commandLine, const std::shared_ptr<Values>& values) {
  CLI::App* create = commandLine.Application().add_subcommand(
      "create-p2p-port",
      "Create a port to a printer that another computer shares (CreateP2PPortIP)");
  Value(create, "TARGET", values->target,
        "The share's network path \\\\COMPUTER\\SHARE, or the COMPUTER when SHARE follows");
  create->add_option("SHARE", values->share, "Optional: the share name on the computer TARGET")
      ->check(NotEmpty());
  commandLine.OnChosen(create, [values] {
    std::vector<std::string> given = {values->target};
    if (!values->share.empty()) given.push_back(values->share);
    const std::string target = given.size() == 1
                                   ? ArgumentText(values->target)
                                   : ArgumentText("\\\\" + values->target + "\\" + values->share);
    return Call("create-p2p-port", "CreateP2PPortIP", CreateP2PPortIP, given,
                "A port to " + target + " was created.", "No port to " + target + " was created.");
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
               {values->computer, values->share, values->driver},
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
      ->check(CLI::IsMember({"P2P", "NA", "Local"}, CLI::ignore_case).description(""));
  commandLine.OnChosen(add, [values] {
    return Call("add-firewall-exception", "AddFirewallException", AddFirewallException,
                {values->kind},
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
    report.textArgument = false;
    report.result = RemoveFirewallException();
    report.meaning = report.result == 1 ? "The firewall exception was removed."
                                        : "The firewall exception was not removed.";
    return report;
  });
}

// A yes/no question about one value, e.g. IsINAAttached about a port.
struct Question {
  const char* command;
  const char* exportName;
  int32_t (*function)(const char*);
  const char* description;
  const char* valueName;
  const char* valueDescription;
  // The answers in words: the text before the value and after it.
  std::pair<const char*, const char*> yes;
  std::pair<const char*, const char*> no;
};

void AddQuestion(CommandLine& commandLine, std::string& value, const Question& question) {
  CLI::App* sub = commandLine.Application().add_subcommand(question.command, question.description);
  Value(sub, question.valueName, value, question.valueDescription);
  commandLine.OnChosen(sub, [&value, question] {
    const std::string text = ArgumentText(value);
    return Ask(question.command, question.exportName, question.function, {value},
               question.yes.first + text + question.yes.second,
               question.no.first + text + question.no.second);
  });
}

void AddAdapterQueries(CommandLine& commandLine, const std::shared_ptr<Values>& values) {
  AddQuestion(commandLine, values->port,
              {"ina-attached",
               "IsINAAttached",
               IsINAAttached,
               "Ask whether an internal network adapter is attached on a printer port "
               "(IsINAAttached)",
               "PORT",
               "The printer port, e.g. USB001",
               {"An internal network adapter is attached on ", "."},
               {"No internal network adapter is attached on ", "."}});
  AddQuestion(commandLine, values->port,
              {"ina-default",
               "IsINADefault",
               IsINADefault,
               "Ask whether the internal network adapter on a port has its network defaults "
               "(IsINADefault)",
               "PORT",
               "The printer port, e.g. USB001",
               {"The adapter on ", " has its network defaults."},
               {"The adapter on ", " does not have its network defaults."}});
  AddQuestion(commandLine, values->model,
              {"ina-printer-exists",
               "DoesINAPrinterExists",
               DoesINAPrinterExists,
               "Ask whether a USB printer of a model has an internal network adapter "
               "(DoesINAPrinterExists)",
               "MODEL",
               "The model's USB identity: what follows USBPRINT\\ in its hardware "
               "identifier",
               {"A USB printer ", " has an internal network adapter."},
               {"No USB printer ", " has an internal network adapter."}});
}

CLI::Option* KeyOption(CLI::App* sub, std::string& key) {
  return sub
      ->add_option("--key", key,
                   "Optional: the key below HKEY_LOCAL_MACHINE that receives the answer; it "
                   "must exist")
      ->capture_default_str()
      ->check(NotEmpty());
}

void AddScannerRegistration(CommandLine& commandLine, const std::shared_ptr<Values>& values) {
  CLI::App* get = commandLine.Application().add_subcommand(
      "get-scanner-registration",
      "Read a multifunction device's scan-to-computer registration (GetScannerRegisterInfo); "
      "the library stores it under --key as the value GetScannerRegisterInfo");
  KeyOption(get, values->key);
  commandLine.OnChosen(get, [values] {
    const std::string key = ArgumentText(values->key);
    const MachineValue before = ReadMachineValue(key, "GetScannerRegisterInfo");
    Report report =
        Call("get-scanner-registration", "GetScannerRegisterInfo", GetScannerRegisterInfo,
             {values->key}, "The registration was read.", "No registration could be read.");
    if (report.result == 1) {
      report.stored =
          Stored(key, "GetScannerRegisterInfo", before, true, {"PcName", "CodePage", "PinNumber"});
    }
    return report;
  });

  CLI::App* set = commandLine.Application().add_subcommand(
      "set-scanner-registration",
      "Register this computer as a multifunction device's scan host (SetScannerRegisterInfo); "
      "a failure code is stored under --key as the value SetScannerRegisterInfo");
  Value(set, "PORT", values->port, "The device's printer port");
  Value(set, "COMPUTER", values->computer, "The computer name to register");
  Value(set, "CODEPAGE", values->codePage, "The code page of the name, e.g. 1252 or 932")
      ->check(Decimal());
  set->add_option("--pin", values->pin, "Optional: the PIN (the library's default: 7391)")
      ->check(NotEmpty());
  KeyOption(set, values->key);
  commandLine.OnChosen(set, [values] {
    std::vector<std::string> all = {values->port, values->computer, values->codePage, values->key};
    if (!values->pin.empty()) all.push_back(values->pin);
    const std::string key = ArgumentText(values->key);
    const MachineValue before = ReadMachineValue(key, "SetScannerRegisterInfo");
    Report report =
        Call("set-scanner-registration", "SetScannerRegisterInfo", SetScannerRegisterInfo, all,
             "The registration was written.", "The registration was not written.");
    // Only a module's failure code is stored; another failure leaves the value as it was.
    if (report.result != 1) report.stored = Stored(key, "SetScannerRegisterInfo", before, false);
    return report;
  });
}

void AddValidateText(CommandLine& commandLine, const std::shared_ptr<Values>& values) {
  CLI::App* sub = commandLine.Application().add_subcommand(
      "validate-text",
      "Pass user-entered text through the setup program's validation component "
      "(ValidateUnicodeString); its answer is stored under --key as the value "
      "ValidateUnicodeString");
  Value(sub, "TEXT", values->text, "The text to validate (may be empty)", true);
  sub->add_option("SECOND", values->second,
                  "Optional: a second text handed to the component with it");
  sub->add_option("--module", values->module,
                  "Optional: the validation component's file; default: QVXAgrd.dll in the "
                  "medium's Setup\\Bin")
      ->check(NotEmpty());
  KeyOption(sub, values->key);
  commandLine.OnChosen(sub, [values, &commandLine] {
    std::string module = values->module;
    if (module.empty()) {
      module = (std::filesystem::path(commandLine.ExecutableDirectory()) / kDemoValidator)
                   .make_preferred()
                   .string();
    }
    const std::string key = ArgumentText(values->key);
    const MachineValue before = ReadMachineValue(key, "ValidateUnicodeString");
    Report report = Ask("validate-text", "ValidateUnicodeString", ValidateUnicodeString,
                        {module, values->text, values->second, values->key},
                        "The component accepted the text.", "The component rejected the text.");
    if (report.result == 1) report.stored = Stored(key, "ValidateUnicodeString", before, true);
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
