// The nodexa command run as a program, as a person or a script runs it:
// arguments in, text or JSON and an exit status out. Each test works on a
// copy of the demo medium (and, on POSIX, the demo machine), so the texts
// the stand-in modules receive show how the command joined its arguments.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>

#include "harness/child_process.h"
#include "harness/temp_dir.h"
#include "harness/test_machine.h"
#include "harness/test_medium.h"
#include "platform/win32_api.h"

namespace {

namespace fs = std::filesystem;
using nodexa::test::ChildResult;
using nodexa::test::ProgramDirectory;
using nodexa::test::ReadBinary;
using nodexa::test::TestMachine;
using Json = nlohmann::ordered_json;
using Strings = std::vector<std::string>;

constexpr char kKey[] = "SOFTWARE\\Quorvex\\Nodexa";
// What the Windows build imports into the real registry: just the key the
// library stores its answers under (the demo's registry.reg is a whole
// stand-in machine, not for a real registry).
constexpr char kKeyImport[] =
    "REGEDIT4\n\n[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Quorvex\\Nodexa]\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Quorvex\\Nodexa]\n";

fs::path Command() { return ProgramDirectory() / NODEXA_COMMAND_FILE; }
fs::path Demo() { return ProgramDirectory().parent_path() / "demo"; }

std::string DemoFile(const std::string& relative) {
  return ReadBinary((Demo() / relative).string());
}

Strings Lines(const std::string& text) {
  Strings lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class CommandTest : public ::testing::Test {
 protected:
  CommandTest() {
    // On POSIX a copy of the demo machine; the Windows build has its real
    // registry and spooler, and imports the key only where a test needs it.
    if (TestMachine::IsStandIn()) {
      machine.emplace(DemoFile("machine/registry.reg"), DemoFile("machine/facts.ini"));
      machine->SetSpooler(DemoFile("machine/spooler.ini"));
    }
    fs::copy(Demo() / "medium", medium.Path(), fs::copy_options::recursive);
    // Journals of earlier runs of the demo itself.
    for (const auto& entry : fs::recursive_directory_iterator(medium.Path())) {
      if (entry.path().extension() == ".journal") fs::remove(entry.path());
    }
    // The demo's discovery takes a moment, for the spinner; the tests need
    // not wait.
    std::ofstream(medium.Path() / "Common" / "x64" / "QVXAhcp.answers",
                  std::ios::binary | std::ios::app)
        << "\nDiscover.wait=0\n";
  }

  // Runs the command on this test's medium and machine.
  ChildResult Run(const Strings& arguments) const {
    Strings all = {"--medium", medium.Path().string()};
    if (TestMachine::IsStandIn()) {
      all.push_back("--machine");
      all.push_back(machine->Folder());
    }
    all.insert(all.end(), arguments.begin(), arguments.end());
    return nodexa::test::RunProgram(Command(), all);
  }

  fs::path ModuleFile(const std::string& name) const {
    return name == "QVXAgrd" ? medium.Path() / "Setup" / "Bin" / (name + ".dll")
                             : medium.Path() / "Common" / "x64" / (name + ".dll");
  }
  void SetAnswers(const std::string& module, const std::string& answers) const {
    std::ofstream(fs::path(ModuleFile(module)).replace_extension(".answers"), std::ios::binary)
        << answers;
  }
  // The journal line of `function`, with its arguments as received.
  std::string Received(const std::string& module, const std::string& function) const {
    const Strings lines =
        Lines(ReadBinary(fs::path(ModuleFile(module)).replace_extension(".journal").string()));
    for (const std::string& line : lines) {
      if (line.rfind(function + "\t", 0) == 0 || line == function) return line;
    }
    return "(" + function + " not called)";
  }

  // The key the library stores its answers under, in the real registry of
  // the Windows build (the demo machine has it).
  void UseRegistryKey() {
    if (!machine) machine.emplace(kKeyImport);
  }

  nodexa::test::TempDir medium;
  std::optional<TestMachine> machine;
};

// --- usage -----------------------------------------------------------------

// Argument parsing is the same code on both systems, and every program
// start costs about a second under Wine: the Windows build runs the rows
// marked for it.
struct UsageCase {
  Strings arguments;
  const char* message;  // part of what standard error says
  bool windowsToo = false;
};

TEST_F(CommandTest, UsageErrorsExitWithTwoAndSayWhy) {
  const UsageCase cases[] = {
      {{}, "A subcommand is required", true},
      {{"print-everything"}, "'print-everything' is not a subcommand", true},
      {{"ina-attached"}, "PORT is required"},
      {{"ina-attached", "USB001", "USB002"}, "USB002"},
      {{"configure-ip", "2", "10.1.2.3", "10.1.2.255"}, "MASK is required", true},
      {{"configure-ip", "2", "10.1.2.3", "10.1.2.255", "255.255.255.0", "A|B", "00", "10.1.2.1"},
       "'A|B' holds a '|'"},
      {{"configure-ip", "2", "1", "2", "3", "4", "5", "6", "--static", "10.1.2.9"}, "--static"},
      {{"register-subnets"}, "SUBNET is required"},
      {{"register-subnets", "10.1.300.0"}, "'10.1.300.0' is not a subnet", true},
      {{"register-subnets", "10.1.2.0:255.255"}, "is not a subnet"},
      {{"create-p2p-port"}, "TARGET is required"},
      {{"create-p2p-port", "A", "B", "C"}, "At Most 2 required but received 3"},
      {{"verify-shared-printer", "FRONTDESK", "QVXIJ5200"}, "DRIVER is required"},
      {{"add-firewall-exception", "LAN"}, "LAN not in {P2P,NA,Local}"},
      {{"remove-firewall-exception", "now"}, "now"},
      {{"set-scanner-registration", "USB001", "PC"}, "CODEPAGE is required"},
      {{"set-scanner-registration", "USB001", "PC", "1252", "--pin", "1|2"}, "holds a '|'"},
      {{"validate-text", "a|b"}, "holds a '|'"},
      {{"--medium", (fs::path("no") / "such" / "medium").string(), "ina-attached", "USB001"},
       "Directory does not exist",
       true},
      {{"ina-attached", "USB001", "--unknown-option"}, "--unknown-option"},
  };
  for (const UsageCase& c : cases) {
    if (!TestMachine::IsStandIn() && !c.windowsToo) continue;
    const ChildResult result = nodexa::test::RunProgram(Command(), c.arguments);
    std::string shown;
    for (const std::string& argument : c.arguments) shown += " " + argument;
    EXPECT_EQ(result.exitStatus, 2) << shown << "\n" << result.err;
    EXPECT_TRUE(Contains(result.err, c.message)) << shown << "\n" << result.err;
    EXPECT_TRUE(Contains(result.err, "--help' for usage.")) << shown << "\n" << result.err;
    EXPECT_EQ(result.out, "") << shown;
  }
}

TEST_F(CommandTest, UsageErrorsNameTheSubcommandTheyConcern) {
  const ChildResult result = nodexa::test::RunProgram(Command(), {"verify-shared-printer", "A"});
  EXPECT_EQ(result.exitStatus, 2);
  EXPECT_EQ(Lines(result.err).back(), "Run 'nodexa verify-shared-printer --help' for usage.");
}

Strings Subcommands() {
  return {"find-ports",
          "find-all-ports",
          "find-filtered",
          "configure-ip",
          "register-subnets",
          "create-p2p-port",
          "verify-shared-printer",
          "add-firewall-exception",
          "remove-firewall-exception",
          "ina-attached",
          "ina-default",
          "get-scanner-registration",
          "set-scanner-registration",
          "validate-text",
          "ina-printer-exists"};
}

TEST_F(CommandTest, HelpForTheCommandAndEverySubcommand) {
  const ChildResult help = nodexa::test::RunProgram(Command(), {"--help"});
  EXPECT_EQ(help.exitStatus, 0);
  EXPECT_EQ(help.err, "");
  for (const char* option : {"--medium DIR", "--machine DIR", "--log FILE", "--json", "--raw"}) {
    EXPECT_TRUE(Contains(help.out, option)) << option;
  }
  EXPECT_TRUE(Contains(help.out, "POSIX build only")) << help.out;
  for (const std::string& name : Subcommands()) {
    EXPECT_TRUE(Contains(help.out, "  " + name + " ")) << name;
    if (!TestMachine::IsStandIn() && name != "configure-ip") continue;
    const ChildResult sub = nodexa::test::RunProgram(Command(), {name, "--help"});
    EXPECT_EQ(sub.exitStatus, 0) << name;
    EXPECT_TRUE(Contains(sub.out, "Usage: nodexa " + name)) << sub.out;
    EXPECT_TRUE(Contains(sub.out, "Exit status:")) << sub.out;
  }
}

// --- exports that take '|'-separated values ---------------------------------

struct CallCase {
  Strings arguments;
  const char* module;   // stand-in that receives the call
  const char* answers;  // its answers for the case (nullptr: the demo's)
  int exitStatus;
  const char* call;         // the export call the command reports
  const char* received;     // the journal line: function, tab, arguments
  bool windowsToo = false;  // run in the Windows build as well (see UsageCase)
};

const char kIdentity[] =
    "<IPADDRSOURCE>2</IPADDRSOURCE><IPADDRESS>192.168.10.41</IPADDRESS>"
    "<BROADCASTADDRESS>192.168.10.255</BROADCASTADDRESS><IPNETMASK>255.255.255.0</IPNETMASK>"
    "<IPNAME>QVX-IJ5200-FRONT</IPNAME><MACUAA>0080927A1B2C</MACUAA>"
    "<IPGATEWAY>192.168.10.1</IPGATEWAY>";
const Strings kCurrent = {"2",
                          "192.168.10.41",
                          "192.168.10.255",
                          "255.255.255.0",
                          "QVX-IJ5200-FRONT",
                          "0080927A1B2C",
                          "192.168.10.1"};

Strings With(Strings first, const Strings& more) {
  first.insert(first.end(), more.begin(), more.end());
  return first;
}

TEST_F(CommandTest, ValuesAreJoinedForTheExport) {
  const std::string automatic =
      std::string("Configure\t") + kIdentity + "\t<IPADDRSOURCE>1</IPADDRSOURCE>";
  const std::string fixed =
      std::string("Configure\t") + kIdentity +
      "\t<IPADDRSOURCE>0</IPADDRSOURCE><IPADDRESS>192.168.10.50</IPADDRESS>"
      "<IPNETMASK>255.255.255.0</IPNETMASK><IPGATEWAY>192.168.10.1</IPGATEWAY>";
  const std::string share =
      "CreateP2PPort\t<SYSTEMNAME>FRONTDESK</SYSTEMNAME><SHARENAME>QVXIJ5200</SHARENAME>";
  const CallCase cases[] = {
      {With({"configure-ip"}, kCurrent), "QVXAhcp", nullptr, 0,
       "ConfigurePortIP(\"2|192.168.10.41|192.168.10.255|255.255.255.0|QVX-IJ5200-FRONT|"
       "0080927A1B2C|192.168.10.1\") = 1",
       automatic.c_str(), true},
      {With(With({"configure-ip"}, kCurrent),
            {"--static", "192.168.10.50", "255.255.255.0", "192.168.10.1"}),
       "QVXAhcp", nullptr, 0, "|192.168.10.1|192.168.10.50|255.255.255.0|192.168.10.1\") = 1",
       fixed.c_str()},
      // An empty value is a value: it stays in its place.
      {{"configure-ip", "2", "", "", "", "", "", "0.0.0.0"},
       "QVXAhcp",
       nullptr,
       0,
       "ConfigurePortIP(\"2||||||0.0.0.0\") = 1",
       "Configure\t<IPADDRSOURCE>2</IPADDRSOURCE><IPADDRESS></IPADDRESS><BROADCASTADDRESS>"
       "</BROADCASTADDRESS><IPNETMASK></IPNETMASK><IPNAME></IPNAME><MACUAA></MACUAA>"
       "<IPGATEWAY>0.0.0.0</IPGATEWAY>\t<IPADDRSOURCE>1</IPADDRSOURCE>"},
      {With({"configure-ip"}, kCurrent), "QVXAhcp", "Configure.result=87\n", 1,
       "ConfigurePortIP(\"2|192.168.10.41|", automatic.c_str()},
      {{"register-subnets", "10.1.2.0", "10.9.0.0:255.255.0.0"},
       "QVXAhcp",
       nullptr,
       0,
       "RegisterNetworkSubnets(\"10.1.2.0|10.9.0.0:255.255.0.0\") = 1",
       "RegisterRemoteSubnets\t<RemoteSubnets>10.1.2.0:255.255.255.0;10.9.0.0:255.255.0.0;"
       "</RemoteSubnets>",
       true},
      {{"create-p2p-port", "\\\\FRONTDESK\\QVXIJ5200"},
       "QVXAinst",
       nullptr,
       0,
       "CreateP2PPortIP(\"\\\\FRONTDESK\\QVXIJ5200\") = 1",
       share.c_str(),
       true},
      {{"create-p2p-port", "FRONTDESK", "QVXIJ5200"},
       "QVXAinst",
       nullptr,
       0,
       "CreateP2PPortIP(\"FRONTDESK|QVXIJ5200\") = 1",
       share.c_str()},
      {{"create-p2p-port", "FRONTDESK", "QVXIJ5200"},
       "QVXAinst",
       "CreateP2PPort.result=5\n",
       1,
       "CreateP2PPortIP(\"FRONTDESK|QVXIJ5200\") = 0",
       share.c_str()},
      {{"add-firewall-exception", "na"},
       "QVXAinst",
       nullptr,
       0,
       "AddFirewallException(\"na\") = 1",
       "EnableFirewallExceptionsQcs\t<QCSNETWORKEXCEPTION>1</QCSNETWORKEXCEPTION>",
       true},
      {{"add-firewall-exception", "P2P"},
       "QVXAinst",
       nullptr,
       0,
       "AddFirewallException(\"P2P\") = 1",
       "CreateP2PExceptions"},
      {{"remove-firewall-exception"},
       "QVXAinst",
       nullptr,
       0,
       "RemoveFirewallException() = 1",
       "RemoveProgramFirewallException\t<PROGRAMPATH>"},
      {{"ina-attached", "USB001"},
       "QVXAinst",
       nullptr,
       0,
       "IsINAAttached(\"USB001\") = 1",
       "GetINAInfoQcs\t<PORTNAME>USB001</PORTNAME>\t1000",
       true},
      {{"ina-attached", "USB002"},
       "QVXAinst",
       "GetINAInfoQcs.text=<INASUPPORTED>0</INASUPPORTED>\n",
       1,
       "IsINAAttached(\"USB002\") = 0",
       "GetINAInfoQcs\t<PORTNAME>USB002</PORTNAME>\t1000"},
      {{"ina-default", "USB001"},
       "QVXAinst",
       nullptr,
       1,
       "IsINADefault(\"USB001\") = 0",
       "GetINAInfoQcs\t<PORTNAME>USB001</PORTNAME>\t1000"},
      {{"ina-default", "USB001"},
       "QVXAinst",
       "GetINAInfoQcs.text=<NETDEFAULTS>1</NETDEFAULTS>\n",
       0,
       "IsINADefault(\"USB001\") = 1",
       "GetINAInfoQcs\t<PORTNAME>USB001</PORTNAME>\t1000"},
      {{"set-scanner-registration", "USB001", "AB", "932", "--pin", "1234"},
       "QVXAinst",
       nullptr,
       0,
       "SetScannerRegisterInfo(\"USB001|AB|932|SOFTWARE\\Quorvex\\Nodexa|1234\") = 1",
       "SetScannerHostInfoQcs\t<PORTNAME>USB001</PORTNAME><PcName>410042000000</PcName>"
       "<CodePage>932</CodePage><PinNumber>1234</PinNumber>",
       true},
      // Without --pin the library's default PIN goes out.
      {{"set-scanner-registration", "USB001", "AB", "1252"},
       "QVXAinst",
       nullptr,
       0,
       "SetScannerRegisterInfo(\"USB001|AB|1252|SOFTWARE\\Quorvex\\Nodexa\") = 1",
       "SetScannerHostInfoQcs\t<PORTNAME>USB001</PORTNAME><PcName>414200</PcName>"
       "<CodePage>1252</CodePage><PinNumber>7391</PinNumber>"},
      {{"validate-text", "Front desk", "second"},
       "QVXAgrd",
       nullptr,
       0,
       "|Front desk|second|SOFTWARE\\Quorvex\\Nodexa\") = 1",
       "Validate\tsecond\tFront desk\t10\t1",
       true},
      {{"validate-text", "x"},
       "QVXAgrd",
       "Validate.result=0\n",
       1,
       "|x||SOFTWARE\\Quorvex\\Nodexa\") = 0",
       "Validate\t\tx\t1\t1"},
  };
  for (const CallCase& c : cases) {
    if (!TestMachine::IsStandIn() && !c.windowsToo) continue;
    std::string shown;
    for (const std::string& argument : c.arguments) shown += " " + argument;
    SetAnswers(c.module, c.answers != nullptr
                             ? c.answers
                             : DemoFile("medium/Common/x64/" + std::string(c.module) + ".answers"));
    fs::remove(fs::path(ModuleFile(c.module)).replace_extension(".journal"));
    const ChildResult result = Run(c.arguments);
    EXPECT_EQ(result.exitStatus, c.exitStatus) << shown << "\n" << result.out << result.err;
    EXPECT_TRUE(Contains(result.out, c.call)) << shown << "\n" << result.out;
    const std::string received =
        Received(c.module, std::string(c.received).substr(0, std::string(c.received).find('\t')));
    EXPECT_EQ(received.substr(0, std::string(c.received).size()), c.received) << shown;
    EXPECT_EQ(result.err, "") << shown;
  }
}

TEST_F(CommandTest, SharedPrinterIsCheckedWithTheSpooler) {
  const ChildResult result =
      Run({"verify-shared-printer", "FRONTDESK", "QVXIJ5200", "Quorvex InkJet 5200"});
  EXPECT_EQ(
      Received("QVXAinst", "VerifySharedPrinter"),
      "VerifySharedPrinter\t<SYSTEMNAME>FRONTDESK</SYSTEMNAME><SHARENAME>QVXIJ5200</SHARENAME>");
  EXPECT_TRUE(Contains(result.out,
                       "VerifySharedPrinterExists(\"FRONTDESK|QVXIJ5200|Quorvex "
                       "InkJet 5200\")"))
      << result.out;
  if (TestMachine::IsStandIn()) {
    // The demo machine's spooler knows the front desk's share.
    EXPECT_EQ(result.exitStatus, 0) << result.out;
    EXPECT_TRUE(Contains(result.out, "\\\\FRONTDESK\\QVXIJ5200 is shared with the driver"));
  } else {
    // Wine's spooler reaches no other computer.
    EXPECT_EQ(result.exitStatus, 1) << result.out;
  }
  const ChildResult otherDriver =
      Run({"verify-shared-printer", "FRONTDESK", "QVXIJ5200", "Quorvex LaserPro 8100"});
  EXPECT_EQ(otherDriver.exitStatus, 1);
  EXPECT_TRUE(Contains(otherDriver.out, "is not shared with the driver Quorvex LaserPro 8100."));
}

// --- answers through the registry --------------------------------------------

TEST_F(CommandTest, ScannerRegistrationIsReadBackFromTheRegistry) {
  UseRegistryKey();
  const ChildResult result = Run({"get-scanner-registration"});
  EXPECT_EQ(result.exitStatus, 0) << result.out << result.err;
  EXPECT_EQ(nodexa::test::ReadMachineString(kKey, "GetScannerRegisterInfo"),
            "QVX-WS-0142|1252|4826");
  EXPECT_EQ(Lines(result.out), (Strings{
                                   "GetScannerRegisterInfo(\"SOFTWARE\\Quorvex\\Nodexa\") = 1",
                                   "The registration was read.",
                                   "HKLM\\SOFTWARE\\Quorvex\\Nodexa \"GetScannerRegisterInfo\" = "
                                   "\"QVX-WS-0142|1252|4826\"",
                                   "PcName       CodePage  PinNumber",
                                   "QVX-WS-0142  1252      4826",
                               }));
}

TEST_F(CommandTest, AFailedWriteLeavesItsCodeInTheRegistry) {
  UseRegistryKey();
  SetAnswers("QVXAinst", "SetScannerHostInfoQcs.result=-5\n");
  const nodexa::test::TempDir logs;
  const std::string log = logs.File("nodexa.log");
  const ChildResult result =
      Run({"set-scanner-registration", "USB001", "AB", "1252", "--log", log, "--json"});
  EXPECT_EQ(result.exitStatus, 1);
  const Json json = Json::parse(result.out);
  EXPECT_EQ(json["export"], "SetScannerRegisterInfo");
  EXPECT_EQ(json["argument"], "USB001|AB|1252|SOFTWARE\\Quorvex\\Nodexa");
  EXPECT_EQ(json["result"], 0);
  EXPECT_EQ(json["exitStatus"], 1);
  EXPECT_EQ(json["stored"]["name"], "SetScannerRegisterInfo");
  EXPECT_EQ(json["stored"]["value"], "-5");
  EXPECT_EQ(nodexa::test::ReadMachineString(kKey, "SetScannerRegisterInfo"), "-5");
  EXPECT_TRUE(Contains(json["meaning"].get<std::string>(), "The reason is in " + log));
  EXPECT_EQ(Lines(ReadBinary(log)),
            Strings{"Nodexa::SetScannerRegisterInfo:Function in xxxxhcp.dll SetScannerHostInfo "
                    "failed with error code 4294967291"});
}

TEST_F(CommandTest, ValidatedTextIsStoredInTheAnsiCodePage) {
  UseRegistryKey();
  // A person types UTF-8 on POSIX; Windows hands the program ANSI text.
  const std::string typed = TestMachine::IsStandIn() ? "B\xC3\xBCro" : "B\xFCro";
  const ChildResult result = Run({"validate-text", typed});
  EXPECT_EQ(result.exitStatus, 0) << result.out << result.err;
  EXPECT_EQ(nodexa::test::ReadMachineString(kKey, "ValidateUnicodeString"), "B\xFCro");
  EXPECT_TRUE(Contains(result.out, "\"ValidateUnicodeString\" = \"" + typed + "\"")) << result.out;
  const ChildResult json = Run({"--json", "validate-text", typed});
  EXPECT_EQ(Json::parse(json.out)["stored"]["value"], "B\xC3\xBCro");
}

TEST_F(CommandTest, MissingKeyIsReported) {
  const ChildResult result = Run({"get-scanner-registration", "--key", "SOFTWARE\\NoSuchKey"});
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_TRUE(Contains(result.out, "HKLM\\SOFTWARE\\NoSuchKey \"GetScannerRegisterInfo\": not set"))
      << result.out;
}

TEST_F(CommandTest, AZeroPointsToTheLogOption) {
  SetAnswers("QVXAhcp", "Configure.result=87\n");
  const ChildResult failed = Run(With({"configure-ip"}, kCurrent));
  EXPECT_EQ(failed.exitStatus, 1);
  EXPECT_TRUE(Contains(failed.out, "were not changed. Run again with --log FILE to see why."))
      << failed.out;
  // For a question, 0 is an answer first.
  const ChildResult answered = Run({"ina-default", "USB001"});
  EXPECT_EQ(answered.exitStatus, 1);
  EXPECT_TRUE(Contains(answered.out,
                       "does not have its network defaults. (A failure answers 0 as well: "
                       "--log FILE would show it.)"))
      << answered.out;
}

TEST_F(CommandTest, GlobalOptionsGoBeforeOrAfterTheSubcommand) {
  const nodexa::test::TempDir logs;
  const std::string log = logs.File("a.log");
  SetAnswers("QVXAinst", "GetINAInfoQcs.result=31\n");
  for (const Strings& arguments : {Strings{"--json", "--log", log, "ina-attached", "USB001"},
                                   Strings{"ina-attached", "USB001", "--log", log, "--json"}}) {
    const ChildResult result = Run(arguments);
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(Json::parse(result.out)["argument"], "USB001");
  }
  EXPECT_EQ(Lines(ReadBinary(log)).size(), 2u);
}

TEST_F(CommandTest, WithoutOptionsTheDemoAnswers) {
  // Nothing in the environment points elsewhere.
  SetEnvironmentVariableA("NODEXA_EXECUTABLE_DIRECTORY", nullptr);
  const std::string machineFolder = machine ? machine->Folder() : std::string();
  SetEnvironmentVariableA("NODEXA_MACHINE", nullptr);
  const ChildResult result =
      nodexa::test::RunProgram(Command(), {"--json", "get-scanner-registration", "--key", "x"});
  SetEnvironmentVariableA("NODEXA_MACHINE",
                          TestMachine::IsStandIn() ? machineFolder.c_str() : nullptr);
  EXPECT_EQ(result.exitStatus, 0) << result.out << result.err;
  // The demo's scan-to-computer registration: its computer name is hex in the answers file.
  EXPECT_TRUE(Contains(DemoFile("medium/Common/x64/QVXAinst.answers"), "5156582d57532d3031343200"));
  EXPECT_EQ(Json::parse(result.out)["result"], 1);
}

// --- port searches ----------------------------------------------------------

// One table of the command's text output: its heading, column names and
// rows, cells cut at the header's column positions.
struct Table {
  std::string heading;
  Strings columns;
  std::vector<Strings> rows;
};

std::vector<Table> ReadTables(const std::string& text) {
  std::vector<Table> tables;
  const Strings lines = Lines(text);
  for (size_t i = 0; i < lines.size();) {
    Table table;
    table.heading = lines[i++];
    if (i == lines.size()) break;
    const std::string& header = lines[i++];
    std::vector<size_t> starts;
    for (size_t at = 0; at < header.size(); ++at) {
      if (header[at] != ' ' && (at == 0 || (at >= 2 && header.compare(at - 2, 2, "  ") == 0))) {
        starts.push_back(at);
      }
    }
    for (size_t k = 0; k < starts.size(); ++k) {
      const size_t end = k + 1 < starts.size() ? starts[k + 1] : std::string::npos;
      std::string name = header.substr(starts[k], end == std::string::npos ? end : end - starts[k]);
      table.columns.push_back(name.substr(0, name.find_last_not_of(' ') + 1));
    }
    for (; i < lines.size() && !lines[i].empty(); ++i) {
      Strings cells;
      for (size_t k = 0; k < starts.size(); ++k) {
        const size_t end = k + 1 < starts.size() ? starts[k + 1] : std::string::npos;
        std::string cell =
            starts[k] < lines[i].size()
                ? lines[i].substr(starts[k], end == std::string::npos ? end : end - starts[k])
                : "";
        const size_t last = cell.find_last_not_of(' ');
        cells.push_back(last == std::string::npos ? "" : cell.substr(0, last + 1));
      }
      table.rows.push_back(cells);
    }
    tables.push_back(table);
    ++i;  // the blank line between tables
  }
  return tables;
}

// The three outputs of one search agree: the JSON records, in order, are
// the table rows (same field names and values) and the raw lines.
void ExpectSameRecords(const ChildResult& table, const ChildResult& json, const ChildResult& raw) {
  const Json records = Json::parse(json.out)["records"];
  const Strings rawLines = Lines(raw.out);
  ASSERT_EQ(rawLines.size(), records.size()) << raw.out;
  size_t next = 0;
  for (const Table& section : ReadTables(table.out)) {
    EXPECT_NE(section.heading.find("(" + std::to_string(section.rows.size()) + ")"),
              std::string::npos)
        << section.heading;
    for (const Strings& row : section.rows) {
      ASSERT_LT(next, records.size()) << table.out;
      const Json& record = records[next];
      EXPECT_EQ(record["raw"], rawLines[next]);
      Strings names;
      Strings values;
      for (const auto& [name, value] : record["fields"].items()) {
        names.push_back(name);
        values.push_back(value.get<std::string>());
      }
      EXPECT_EQ(section.columns, names) << section.heading;
      EXPECT_EQ(row, values) << section.heading;
      ++next;
    }
  }
  EXPECT_EQ(next, records.size()) << table.out;
}

Json Field(const Json& record, const char* name) { return record["fields"][name]; }

TEST_F(CommandTest, FindAllPortsListsTheDemoPrintersThenTheLocalPorts) {
  const ChildResult table = Run({"find-all-ports", "Inkjet"});
  const ChildResult json = Run({"find-all-ports", "Inkjet", "--json"});
  const ChildResult raw = Run({"--raw", "find-all-ports", "Inkjet"});
  for (const ChildResult* result : {&table, &json, &raw}) {
    EXPECT_EQ(result->exitStatus, 0) << result->out << result->err;
    EXPECT_EQ(result->err, "");
  }
  ExpectSameRecords(table, json, raw);
  const Json parsed = Json::parse(json.out);
  EXPECT_EQ(parsed["export"], "FindAllPorts");
  EXPECT_EQ(parsed["request"], Json::array({"Inkjet"}));
  const Json& records = parsed["records"];
  ASSERT_GE(records.size(), 2u) << json.out;
  // The two InkJet 5200s of the demo network, configured and not.
  EXPECT_EQ(records[0]["kind"], "inkjet");
  EXPECT_EQ(records[0]["discovered"], true);
  EXPECT_EQ(Field(records[0], "PORTNAME"), "Quorvex_IJ5200_7A1B2C_P1");
  EXPECT_EQ(Field(records[0], "IPADDRESS"), "192.168.10.41");
  EXPECT_EQ(Field(records[0], "MODEL"), "Quorvex InkJet 5200 Series");
  EXPECT_EQ(Field(records[0], "CONFIGURED"), "1");
  EXPECT_EQ(Field(records[0], "BIDI"), "Bidi");
  EXPECT_EQ(Field(records[1], "PORTNAME"), "#unconfigured#");
  EXPECT_EQ(Field(records[1], "CONFIGURED"), "-1");
  EXPECT_EQ(Field(records[1], "BIDI"), "NoBidi");
  Strings localPorts;
  for (size_t i = 2; i < records.size(); ++i) {
    EXPECT_EQ(records[i]["kind"], "local port") << records[i]["raw"];
    localPorts.push_back(Field(records[i], "PORTNAME").get<std::string>());
  }
  if (TestMachine::IsStandIn()) {
    EXPECT_EQ(localPorts, (Strings{"LPT1:", "COM1:", "FILE:", "USB001", "PORTPROMPT:"}));
    EXPECT_EQ(records.back()["raw"], "PORTPROMPT:|\"Local Port\"");
  }
  EXPECT_EQ(ReadTables(table.out).front().heading, "Inkjet printers on the network (2)");
}

TEST_F(CommandTest, FindAllPortsWithoutATypeListsTheLocalPorts) {
  const ChildResult json = Run({"--json", "find-all-ports"});
  const Json parsed = Json::parse(json.out);
  EXPECT_EQ(parsed["request"], Json::array());
  for (const Json& record : parsed["records"]) EXPECT_EQ(record["kind"], "local port");
  if (TestMachine::IsStandIn()) {
    EXPECT_EQ(json.exitStatus, 0);
    EXPECT_EQ(parsed["records"].size(), 5u);
  }
}

TEST_F(CommandTest, FindPortsTakesTheTypeAndTheSubnets) {
  const ChildResult result = Run({"find-ports", "Inkjet", "10.1.0.0", "10.2.0.0:255.255.0.0"});
  EXPECT_EQ(result.exitStatus, 0) << result.out << result.err;
  EXPECT_EQ(Received("QVXAhcp", "Discover"),
            "Discover\t<UNICAST>1</UNICAST><LocalSubnets>1</LocalSubnets><RemoteSubnets>"
            "10.1.0.0:255.255.255.0;10.2.0.0:255.255.0.0;</RemoteSubnets>");
  // No marker and no local ports from FindPorts.
  const ChildResult raw = Run({"--raw", "find-ports", "Inkjet"});
  for (const std::string& line : Lines(raw.out)) {
    EXPECT_EQ(line.find("%DiscoveredPrinter%"), std::string::npos) << line;
    EXPECT_EQ(std::count(line.begin(), line.end(), '|'), 10) << line;
  }
}

TEST_F(CommandTest, FindPortsListsTheMakersScannersOnly) {
  const ChildResult table = Run({"find-ports", "LaserScanner"});
  const ChildResult json = Run({"find-ports", "LaserScanner", "--json"});
  const ChildResult raw = Run({"find-ports", "LaserScanner", "--raw"});
  EXPECT_EQ(json.exitStatus, 0) << json.out << json.err;
  ExpectSameRecords(table, json, raw);
  const Json records = Json::parse(json.out)["records"];
  ASSERT_EQ(records.size(), 1u) << json.out;
  EXPECT_EQ(records[0]["kind"], "scanner");
  EXPECT_EQ(Field(records[0], "NAME"), "QVX-MF7300-2F(192.168.10.63)");
  EXPECT_EQ(Field(records[0], "DISPLAYNAME"), "Quorvex ScanCenter MF7300 MFP");
}

TEST_F(CommandTest, AnEmptyListExitsWithOne) {
  // Laser records need the product-data table, which the library leaves empty.
  const ChildResult result = Run({"find-ports", "LaserPrinter"});
  EXPECT_EQ(result.exitStatus, 1);
  // Windows programs end their lines with CR LF.
  EXPECT_EQ(Lines(result.out), std::vector<std::string>{"No ports found."});
  const ChildResult json = Run({"--json", "find-ports", "LaserPrinter"});
  EXPECT_EQ(json.exitStatus, 1);
  EXPECT_EQ(Json::parse(json.out)["records"], Json::array());
}

TEST_F(CommandTest, FilteredSearchNamesFieldsAfterTheOutputRules) {
  const Strings arguments = {"find-filtered", "QuorvexInkJet_52007C3D", "QuorvexInkJet",
                             "--port",        "IP_192.168.10.99",       "--subnet",
                             "10.1.2.0"};
  const ChildResult table = Run(arguments);
  const ChildResult json = Run(With({"--json"}, arguments));
  const ChildResult raw = Run(With({"--raw"}, arguments));
  EXPECT_EQ(json.exitStatus, 0) << json.out << json.err;
  ExpectSameRecords(table, json, raw);
  const Json parsed = Json::parse(json.out);
  EXPECT_EQ(parsed["request"], Json::array({"QuorvexInkJet_52007C3D", "QuorvexInkJet",
                                            "IP_192.168.10.99", "", "10.1.2.0"}));
  const Json& records = parsed["records"];
  ASSERT_GE(records.size(), 3u) << json.out;
  for (const Json& record : records) {
    EXPECT_EQ(record["kind"], "rule-set line");
    Strings names;
    for (const auto& [name, value] : record["fields"].items()) names.push_back(name);
    EXPECT_EQ(names, (Strings{"Connection", "Port", "IPADDRESS", "MACUAA"}));
  }
  EXPECT_EQ(Field(records[0], "Port"), "QVX-IJ5200-FRONT");
  EXPECT_EQ(Field(records.back(), "Port"), "IP_192.168.10.99");
  EXPECT_EQ(Field(records.back(), "Connection"), "Local");
  EXPECT_EQ(
      ReadTables(table.out).front().heading.rfind("Ports chosen by the rule set QuorvexInkJet", 0),
      0u);
  EXPECT_EQ(Received("QVXAhcp", "Discover"),
            "Discover\t<UNICAST>1</UNICAST><LocalSubnets>1</LocalSubnets><RemoteSubnets>"
            "10.1.2.0:255.255.255.0;</RemoteSubnets>");
}

TEST_F(CommandTest, FilteredSearchRefusesPortNamesWithSemicolons) {
  const ChildResult result = Run({"find-filtered", "X", "QuorvexInkJet", "--port", "A;B"});
  EXPECT_EQ(result.exitStatus, 2);
  EXPECT_TRUE(Contains(result.err, "'A;B' holds a ';'")) << result.err;
}

}  // namespace
