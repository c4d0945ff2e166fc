// The nodexa command run as a program, as a person or a script runs it:
// arguments in, text or JSON and an exit status out. Each test works on a
// copy of the demo medium (and, on POSIX, the demo machine). What the
// exports make of the values is for the export tests; here it is how the
// command hands them over and reports the answer.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>
#include <optional>

#include "harness/child_process.h"
#include "harness/temp_dir.h"
#include "harness/test_machine.h"
#include "harness/test_medium.h"
#include "platform/win32_api.h"

namespace {

namespace fs = std::filesystem;
using nodexa::test::ChildResult;
using nodexa::test::ReadBinary;
using nodexa::test::TestMachine;
using nodexa::test::TextLines;
using Json = nlohmann::ordered_json;
using Strings = std::vector<std::string>;

constexpr char kKey[] = "SOFTWARE\\Quorvex\\Nodexa";
// What the Windows build imports into the real registry: just the key the
// library stores its answers under.
constexpr char kKeyImport[] =
    "REGEDIT4\n\n[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Quorvex\\Nodexa]\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Quorvex\\Nodexa]\n";

fs::path Command() { return nodexa::test::ProgramDirectory() / NODEXA_COMMAND_FILE; }
fs::path Demo() { return nodexa::test::ProgramDirectory().parent_path() / "demo"; }

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

Strings With(Strings first, const Strings& more) {
  first.insert(first.end(), more.begin(), more.end());
  return first;
}

class CommandTest : public ::testing::Test {
 protected:
  CommandTest() {
    // Tables fit COLUMNS when it is set; the tests set it where they mean to.
    SetEnvironmentVariableA("COLUMNS", nullptr);
    // Windows has its real registry and spooler instead.
    if (TestMachine::IsStandIn()) {
      machine.emplace(ReadBinary((Demo() / "machine" / "registry.reg").string()),
                      ReadBinary((Demo() / "machine" / "facts.ini").string()));
      machine->SetSpooler(ReadBinary((Demo() / "machine" / "spooler.ini").string()));
    }
    fs::copy(Demo() / "medium", medium.Path(), fs::copy_options::recursive);
    // The demo's discovery waits a moment for the spinner; the tests need not.
    std::ofstream(Answers("QVXAhcp"), std::ios::binary | std::ios::app) << "\nDiscover.wait=0\n";
  }

  // The command's output with Windows line ends read as '\n'.
  ChildResult Run(const Strings& arguments) const {
    Strings all = {"--medium", medium.Path().string()};
    if (TestMachine::IsStandIn()) all.insert(all.end(), {"--machine", machine->Folder()});
    ChildResult result = nodexa::test::RunProgram(Command(), With(all, arguments));
    for (std::string* text : {&result.out, &result.err}) {
      text->erase(std::remove(text->begin(), text->end(), '\r'), text->end());
    }
    return result;
  }

  fs::path Answers(const std::string& module) const {
    return medium.Path() / "Common" / "x64" / (module + ".answers");
  }

  // The key the library stores its answers under, in the real registry of
  // the Windows build (the demo machine has it).
  void UseRegistryKey() {
    if (!machine) machine.emplace(kKeyImport);
  }

  nodexa::test::TempDir medium;
  std::optional<TestMachine> machine;
};

// Every program start costs about a second under Wine, and argument handling
// is the same code on both systems: the Windows build runs the marked rows.
struct UsageCase {
  Strings arguments;
  std::string message;  // part of what standard error says
  bool windowsToo = false;
};

// Values that could not reach the library intact, and places a run cannot
// use: refused before anything runs.
TEST_F(CommandTest, RefusedValuesExitWithTwoAndSayWhy) {
  const std::string demoMedium = (Demo() / "medium").string();
  const std::string bin = (Demo() / "medium" / "Setup" / "Bin").string();
  const nodexa::test::TempDir empty;
  const std::string noFolder = (empty.Path() / "no" / "log.txt").string();
  // clang-format off
  const UsageCase cases[] = {
      {{}, "A subcommand is required", true},
      {{"find-port", "Inkjet"}, "'find-port' is not a subcommand; did you mean 'find-ports'?", true},
      {{"--bogus"}, "'--bogus' is not an option", true},
      {{"ina-attached", "USB001", "--unknown-option"}, "--unknown-option"},
      {{"configure-ip", "2", "10.1.2.3", "10.1.2.255"}, "MASK is required", true},
      {{"configure-ip", "2", "192.168.10.500", "1.2.3.255", "255.0.0.0", "N", "0080927A1B2C",
        "1.2.3.1"}, "ADDRESS: '192.168.10.500' is not a dotted IPv4 address", true},
      {{"configure-ip", "2", "1.2.3.4", "1.2.3.255", "255.0.0.0", "N", "zz", "1.2.3.1"},
       "MAC: 'zz' is not a MAC address (12 hexadecimal digits"},
      {{"configure-ip", "2", "1.2.3.4", "1.2.3.255", "255.0.0.0", "A|B", "0080927A1B2C",
        "1.2.3.1"}, "NAME: 'A|B' holds a '|'"},
      {{"configure-ip", "2", "1.2.3.4", "1.2.3.255", "255.0.0.0", "N", "0080927A1B2C", "1.2.3.1",
        "--static", "10.1.2.9", "255.255.0"}, "'255.255.0' is not a dotted IPv4 address"},
      {{"register-subnets", "10.1.300.0"}, "'10.1.300.0' is not a subnet", true},
      {{"create-p2p-port", "A", "B", "C"}, "not expected: C"},
      {{"create-p2p-port", "\\\\B\xC3\x9CRO\\\xE5\x89\x8D\xE5\x8F\xB0"},
       "TARGET: '\\\\B\xC3\x9CRO\\\xE5\x89\x8D\xE5\x8F\xB0' cannot be written in the machine's "
       "ANSI code page 1252: the library would receive '\\\\B\xC3\x9CRO\\?\?'"},
      {{"set-scanner-registration", "USB001", "\xE6\x9D\xB1\xE4\xBA\xAC-PC", "932"},
       "the library would receive '?\?-PC'"},
      {{"validate-text", "\xE5\x89\x8D\xE5\x8F\xB0\xE6\x89\x93\xE5\x8D\xB0\xE6\x9C\xBA"},
       "TEXT: '\xE5\x89\x8D\xE5\x8F\xB0\xE6\x89\x93\xE5\x8D\xB0\xE6\x9C\xBA' cannot be written"},
      {{"verify-shared-printer", "A"}, "Run 'nodexa verify-shared-printer --help' for usage."},
      {{"add-firewall-exception", "LAN"}, "LAN not in {P2P,NA,Local}"},
      {{"ina-attached", ""}, "PORT: the value is empty, and the library needs one", true},
      {{"get-scanner-registration", "--key", ""}, "--key: the value is empty"},
      {{"set-scanner-registration", "USB001", "PC", "12x2"}, "CODEPAGE: '12x2' is not a decimal"},
      {{"set-scanner-registration", "USB001", "PC", "1252", "--pin", "1|2"}, "holds a '|'"},
      {{"find-filtered", "X", "QuorvexInkJet", "--port", "A|B"}, "--port: 'A|B' holds a '|'"},
      {{"find-filtered", "X", "QuorvexInkJet", "--port", "A;B"}, "'A;B' holds a ';'"},
      {{"find-filtered", "", "QuorvexInkJet"}, "USB-ID: the value is empty"},
      {{"--log", "", "ina-attached", "USB001"}, "--log: the file name is empty", true},
      {{"--log", noFolder, "ina-attached", "USB001"}, "cannot be opened for appending", true},
      {{"--log", empty.Path().string(), "ina-attached", "USB001"}, "' is a folder", true},
      {{"--medium", (fs::path("no") / "such").string(), "ina-attached", "USB001"},
       "Directory does not exist", true},
      {{"--medium", empty.Path().string(), "find-ports", "Inkjet"},
       "' is not a setup medium: no Common/x64/*hcp.dll, no Common/x64/*inst.dll, "
       "no Install/Config/product.ini", true},
      {{"--medium", bin, "find-ports", "Inkjet"}, "; the medium is '" + demoMedium + "'", true},
  };
  // clang-format on
  for (const UsageCase& c : cases) {
    if (!TestMachine::IsStandIn() && !c.windowsToo) continue;
    const ChildResult result = nodexa::test::RunProgram(Command(), c.arguments);
    EXPECT_EQ(result.exitStatus, 2) << ::testing::PrintToString(c.arguments) << "\n" << result.err;
    EXPECT_TRUE(Contains(result.err, c.message)) << ::testing::PrintToString(c.arguments) << "\n"
                                                 << result.err;
    EXPECT_TRUE(Contains(result.err, "--help' for usage."))
        << ::testing::PrintToString(c.arguments);
    EXPECT_EQ(result.out, "") << ::testing::PrintToString(c.arguments);
  }
}

TEST_F(CommandTest, HelpForTheCommandAndASubcommand) {
  const ChildResult help = nodexa::test::RunProgram(Command(), {"--help"});
  EXPECT_EQ(help.exitStatus, 0);
  EXPECT_TRUE(Contains(help.out, "  --machine DIR") && Contains(help.out, "  configure-ip "));
  const ChildResult sub = nodexa::test::RunProgram(Command(), {"configure-ip", "--help"});
  EXPECT_EQ(sub.exitStatus, 0);
  EXPECT_TRUE(Contains(sub.out, "Usage: nodexa configure-ip")) << sub.out;
  EXPECT_TRUE(Contains(sub.out, "Exit status:")) << sub.out;
  EXPECT_EQ(help.err + sub.err, "");
}

// --- exports that take '|'-separated values ---------------------------------

struct CallCase {
  Strings arguments;
  int exitStatus;
  const char* shown;  // part of standard output: the call and its answer in words
  bool windowsToo = false;
  const char* module = nullptr;  // a stand-in answering otherwise than in the demo
  const char* answers = nullptr;
};

TEST_F(CommandTest, ValuesAreJoinedAndTheAnswerDecidesTheExitStatus) {
  UseRegistryKey();
  // clang-format off
  const Strings configure = {"configure-ip", "2", "192.168.10.41", "192.168.10.255",
                             "255.255.255.0", "QVX-IJ5200-FRONT", "0080927A1B2C", "192.168.10.1"};
  const CallCase cases[] = {
      {configure, 0, "ConfigurePortIP(\"2|192.168.10.41|192.168.10.255|255.255.255.0|"
                     "QVX-IJ5200-FRONT|0080927A1B2C|192.168.10.1\") = 1\n"
                     "The printer took the new IP settings.", true},
      {With(configure, {"--static", "10.1.2.50", "255.255.0.0", "10.1.2.1"}), 0,
       "|192.168.10.1|10.1.2.50|255.255.0.0|10.1.2.1\") = 1"},
      // An empty host name is a value: it stays in its place.
      {{"configure-ip", "2", "0.0.0.0", "0.0.0.0", "0.0.0.0", "", "0080927A3D4E", "0.0.0.0"}, 0,
       "ConfigurePortIP(\"2|0.0.0.0|0.0.0.0|0.0.0.0||0080927A3D4E|0.0.0.0\") = 1"},
      // A failure's 0 points to the log.
      {configure, 1, "were not changed. Run again with --log FILE to see why.", false,
       "QVXAhcp", "Configure.result=87\n"},
      {{"register-subnets", "10.1.2.0", "10.9.0.0:255.255.0.0"}, 0,
       "RegisterNetworkSubnets(\"10.1.2.0|10.9.0.0:255.255.0.0\") = 1", true},
      {{"create-p2p-port", "FRONTDESK", "QVXIJ5200"}, 0,
       "CreateP2PPortIP(\"FRONTDESK|QVXIJ5200\") = 1", true},
      {{"add-firewall-exception", "na"}, 0, "AddFirewallException(\"na\") = 1", true},
      {{"ina-attached", "USB001"}, 0, "IsINAAttached(\"USB001\") = 1", true},
      // For a question, 0 is an answer first.
      {{"ina-default", "USB001"}, 1, "IsINADefault(\"USB001\") = 0\nThe adapter on USB001 does "
       "not have its network defaults. (A failure answers 0 as well: --log FILE would show it.)"},
      {{"set-scanner-registration", "USB001", "AB", "932", "--pin", "1234"}, 0,
       "SetScannerRegisterInfo(\"USB001|AB|932|SOFTWARE\\Quorvex\\Nodexa|1234\") = 1", true},
      // Without --pin the library's default goes out.
      {{"set-scanner-registration", "USB001", "AB", "1252"}, 0,
       "SetScannerRegisterInfo(\"USB001|AB|1252|SOFTWARE\\Quorvex\\Nodexa\") = 1"},
      // The demo machine's spooler knows the share; Wine's reaches no other computer.
      {{"verify-shared-printer", "FRONTDESK", "QVXIJ5200", "Quorvex InkJet 5200"}, 0,
       "(\"FRONTDESK|QVXIJ5200|Quorvex InkJet 5200\") = 1\n\\\\FRONTDESK\\QVXIJ5200 is shared"},
      {{"validate-text", "Front desk", "second"}, 0,
       "|Front desk|second|SOFTWARE\\Quorvex\\Nodexa\") = 1", true},
  };
  // clang-format on
  for (const CallCase& c : cases) {
    if (!TestMachine::IsStandIn() && !c.windowsToo) continue;
    const std::string demo = c.module ? ReadBinary(Answers(c.module).string()) : "";
    if (c.module) nodexa::test::WriteBinary(Answers(c.module), c.answers);
    const ChildResult result = Run(c.arguments);
    if (c.module) nodexa::test::WriteBinary(Answers(c.module), demo);
    EXPECT_EQ(result.exitStatus, c.exitStatus) << ::testing::PrintToString(c.arguments) << "\n"
                                               << result.out;
    EXPECT_TRUE(Contains(result.out, c.shown)) << ::testing::PrintToString(c.arguments) << "\n"
                                               << result.out;
    EXPECT_EQ(result.err, "") << ::testing::PrintToString(c.arguments);
  }
}

// --- answers through the registry --------------------------------------------

TEST_F(CommandTest, StoredValueIsShownWithItsParts) {
  UseRegistryKey();
  const ChildResult result = Run({"get-scanner-registration"});
  EXPECT_EQ(result.exitStatus, 0) << result.out << result.err;
  EXPECT_EQ(TextLines(result.out),
            (Strings{"GetScannerRegisterInfo(\"SOFTWARE\\Quorvex\\Nodexa\") = 1",
                     "The registration was read.",
                     "HKLM\\SOFTWARE\\Quorvex\\Nodexa \"GetScannerRegisterInfo\" = "
                     "\"QVX-WS-0142|1252|4826\"",
                     "PcName       CodePage  PinNumber", "QVX-WS-0142  1252      4826"}));
}

// Registry answers the library could not store: said so, with the reason,
// and exit status 1; an earlier value is never shown as this call's answer.
struct StoreCase {
  Strings arguments;
  bool readOnlyRegistry;  // the stand-in's read-only registry.reg binds every user
  const char* module;     // a stand-in answering otherwise than in the demo
  const char* answers;
  const char* shown;
};

TEST_F(CommandTest, AnswersThatWereNotStoredAreSaidSo) {
  UseRegistryKey();
  const char* old =
      "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Quorvex\\Nodexa]\n"
      "\"ValidateUnicodeString\"=\"Old text\"\n";
  // clang-format off
  const StoreCase cases[] = {
      {{"validate-text", "New text"}, true, nullptr, nullptr,
       "The component accepted the text.\nHKLM\\SOFTWARE\\Quorvex\\Nodexa "
       "\"ValidateUnicodeString\" was not written: access denied (error 5). It holds \"Old text\" "
       "from before.\n"},
      {{"get-scanner-registration", "--key", "SOFTWARE\\NoSuchKey"}, false, nullptr, nullptr,
       "HKLM\\SOFTWARE\\NoSuchKey \"GetScannerRegisterInfo\" was not written: the key does not "
       "exist.\n"},
      {{"set-scanner-registration", "USB001", "AB", "1252", "--key", "SOFTWARE\\NoSuchKey"}, false,
       "QVXAinst", "SetScannerHostInfoQcs.result=-5\n",
       "HKLM\\SOFTWARE\\NoSuchKey \"SetScannerRegisterInfo\" was not written: the key does not "
       "exist.\n"},
  };
  // clang-format on
  for (const StoreCase& c : cases) {
    if (!TestMachine::IsStandIn() && c.readOnlyRegistry) continue;
    ASSERT_TRUE(machine->Import(old));
    const std::string demo = c.module ? ReadBinary(Answers(c.module).string()) : "";
    if (c.module) nodexa::test::WriteBinary(Answers(c.module), c.answers);
    if (c.readOnlyRegistry) fs::permissions(machine->RegistryFile(), fs::perms::owner_read);
    const ChildResult result = Run(c.arguments);
    if (c.readOnlyRegistry) {
      fs::permissions(machine->RegistryFile(), fs::perms::owner_read | fs::perms::owner_write);
    }
    if (c.module) nodexa::test::WriteBinary(Answers(c.module), demo);
    EXPECT_EQ(result.exitStatus, 1) << ::testing::PrintToString(c.arguments) << result.out;
    EXPECT_TRUE(Contains(result.out, c.shown)) << ::testing::PrintToString(c.arguments) << "\n"
                                               << result.out;
  }
  EXPECT_EQ(nodexa::test::ReadMachineString(kKey, "ValidateUnicodeString"), "Old text");
}

TEST_F(CommandTest, JsonReportAndLogWhereverTheGlobalOptionsStand) {
  UseRegistryKey();
  nodexa::test::WriteBinary(Answers("QVXAinst"), "SetScannerHostInfoQcs.result=-5\n");
  const nodexa::test::TempDir logs;
  const std::string log = logs.File("nodexa.log");
  const Strings call = {"set-scanner-registration", "USB001", "AB", "1252"};
  const std::string earlier =
      "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Quorvex\\Nodexa]\n"
      "\"SetScannerRegisterInfo\"=\"-1\"\n";
  ASSERT_TRUE(machine->Import(earlier));
  const ChildResult before = Run(With({"--json", "--log", log}, call));
  ASSERT_TRUE(machine->Import(earlier));
  const ChildResult after = Run(With(call, {"--log", log, "--json"}));
  // The same code once more may be a new failure or none: it is not claimed.
  const ChildResult again = Run(call);
  EXPECT_EQ(after.exitStatus, 1);
  EXPECT_EQ(before.out, after.out);
  Json json = Json::parse(after.out);
  EXPECT_TRUE(Contains(json["meaning"].get<std::string>(), "The reason is in " + log));
  EXPECT_EQ(json["arguments"], Json::array({"USB001", "AB", "1252", kKey}));
  EXPECT_EQ(json["log"], log);
  EXPECT_EQ(
      json["stored"],
      (Json{
          {"key", kKey}, {"name", "SetScannerRegisterInfo"}, {"value", "-5"}, {"written", true}}));
  EXPECT_TRUE(Contains(again.out, "\"SetScannerRegisterInfo\" holds \"-5\" as before this call"))
      << again.out;
  EXPECT_EQ(TextLines(ReadBinary(log)).size(), 2u);
}

// Every subcommand's JSON has one shape: these fields, of these types, in
// this order, and nothing else. A subcommand without a row here fails.
TEST_F(CommandTest, EverySubcommandPrintsTheOneJsonShape) {
  UseRegistryKey();
  // clang-format off
  const Strings calls[] = {
      {"find-ports", "LaserScanner"},
      {"find-all-ports", "Inkjet"},
      {"find-filtered", "QuorvexInkJet_52007C3D", "QuorvexInkJet"},
      {"configure-ip", "2", "1.2.3.4", "1.2.3.255", "255.0.0.0", "N", "0080927A1B2C", "1.2.3.1"},
      {"register-subnets", "10.1.2.0"},
      {"create-p2p-port", "FRONTDESK", "QVXIJ5200"},
      {"verify-shared-printer", "FRONTDESK", "QVXIJ5200", "Quorvex InkJet 5200"},
      {"add-firewall-exception", "P2P"},
      {"remove-firewall-exception"},
      {"ina-attached", "USB001"},
      {"ina-default", "USB001"},
      {"ina-printer-exists", "QuorvexInkJet_52007C3D"},
      {"get-scanner-registration"},
      {"set-scanner-registration", "USB001", "AB", "1252"},
      {"validate-text", "Front desk"},
  };
  // clang-format on
  const auto is = [](Json::value_t type) {
    return [type](const Json& v) { return v.type() == type; };
  };
  const auto number = [](const Json& v) { return v.is_number_integer(); };
  const std::vector<std::pair<std::string, std::function<bool(const Json&)>>> shape = {
      {"command", is(Json::value_t::string)},
      {"export", is(Json::value_t::string)},
      {"arguments",
       [](const Json& v) {
         return v.is_array() &&
                std::all_of(v.begin(), v.end(), [](const Json& a) { return a.is_string(); });
       }},
      {"result", number},
      {"meaning", is(Json::value_t::string)},
      {"ruleSet", is(Json::value_t::string)},
      {"records", is(Json::value_t::array)},
      {"stored", is(Json::value_t::object)},
      {"medium", is(Json::value_t::string)},
      {"machine", [](const Json& v) { return v.is_string() || v.is_null(); }},
      {"log", is(Json::value_t::string)},
      {"exitStatus", number}};
  const nodexa::test::TempDir logs;
  Strings covered;
  for (const Strings& call : calls) {
    const ChildResult result = Run(With({"--json", "--log", logs.File("log.txt")}, call));
    const Json json = Json::parse(result.out);
    size_t next = 0;
    for (const auto& [name, value] : json.items()) {
      while (next < shape.size() && shape[next].first != name) ++next;
      ASSERT_LT(next, shape.size()) << call[0] << ": '" << name << "' out of place\n" << result.out;
      EXPECT_TRUE(shape[next].second(value)) << call[0] << ": " << name;
    }
    for (const char* always : {"command", "export", "arguments", "result", "meaning", "medium",
                               "machine", "log", "exitStatus"}) {
      EXPECT_TRUE(json.contains(always)) << call[0] << ": no " << always;
    }
    EXPECT_EQ(json.contains("records"), call[0].rfind("find-", 0) == 0) << call[0];
    EXPECT_EQ(json["command"], call[0]);
    EXPECT_EQ(json["exitStatus"], result.exitStatus) << call[0];
    covered.push_back(call[0]);
  }
  // Every subcommand the help lists has its row.
  size_t listed = 0;
  for (const std::string& line : TextLines(nodexa::test::RunProgram(Command(), {"--help"}).out)) {
    if (line.rfind("  ", 0) != 0 || line.size() < 3 || line[2] == ' ' || line[2] == '-') continue;
    const std::string name = line.substr(2, line.find(' ', 2) - 2);
    EXPECT_NE(std::find(covered.begin(), covered.end(), name), covered.end()) << name;
    ++listed;
  }
  EXPECT_EQ(listed, covered.size());
  // A usage error is JSON too.
  const ChildResult refused = nodexa::test::RunProgram(Command(), {"--json", "ina-attached", ""});
  EXPECT_EQ(Json::parse(refused.out),
            (Json{{"command", "ina-attached"},
                  {"error", "PORT: the value is empty, and the library needs one"},
                  {"exitStatus", 2}}));
  EXPECT_TRUE(Contains(refused.err, "PORT: the value is empty"));
}

TEST_F(CommandTest, TypedTextGoesInAsAnsiAndComesOutAsTyped) {
  UseRegistryKey();
  // A person types UTF-8 on POSIX; Windows hands the program ANSI text.
  const std::string typed = TestMachine::IsStandIn() ? "B\xC3\xBCro" : "B\xFCro";
  const ChildResult result = Run({"validate-text", typed});
  EXPECT_TRUE(Contains(result.out, "\"ValidateUnicodeString\" = \"" + typed + "\"")) << result.out;
  EXPECT_EQ(nodexa::test::ReadMachineString(kKey, "ValidateUnicodeString"), "B\xFCro");
  EXPECT_EQ(Json::parse(Run({"--json", "validate-text", typed}).out)["stored"]["value"],
            "B\xC3\xBCro");
}

// --- port searches ----------------------------------------------------------

TEST_F(CommandTest, SearchAsTableJsonOrRawLinesAndExitStatusOneForNone) {
  const Strings search = {"find-ports", "LaserScanner", "10.1.0.0"};
  const ChildResult text = Run(search);
  const ChildResult json = Run(With({"--json"}, search));
  const ChildResult raw = Run(With(search, {"--raw"}));
  EXPECT_EQ(text.exitStatus + json.exitStatus + raw.exitStatus, 0) << text.out << text.err;
  EXPECT_EQ(text.err + json.err + raw.err, "");
  // clang-format off
  EXPECT_EQ(TextLines(text.out), (Strings{"Scanners on the network (1)",
      "NAME                          IPNAME         IPADDRESS      DISPLAYNAME                    "
      "CONFIGURED  BIDI",
      "QVX-MF7300-2F(192.168.10.63)  QVX-MF7300-2F  192.168.10.63  Quorvex ScanCenter MF7300 MFP  "
      "1           Bidi"}));
  // clang-format on
  const Json report = Json::parse(json.out);
  EXPECT_EQ(report["arguments"], Json::array({"LaserScanner", "10.1.0.0"}));
  ASSERT_EQ(report["records"].size(), 1u);
  const Json& record = report["records"][0];
  EXPECT_EQ(record["kind"], "scanner");
  EXPECT_EQ(record["discovered"], false);
  EXPECT_EQ(TextLines(raw.out), Strings{record["raw"].get<std::string>()});
  // Laser records need the product-data table, which the library leaves empty.
  const ChildResult none = Run({"find-ports", "LaserPrinter"});
  EXPECT_EQ(none.exitStatus, 1);
  EXPECT_EQ(TextLines(none.out),
            Strings{"No ports found. FindPorts matches laser printers against a model list that "
                    "is empty for LaserPrinter by definition, so it never finds one."});
  EXPECT_EQ(Json::parse(Run({"--json", "find-ports", "LaserPrinter"}).out)["records"],
            Json::array());
}

TEST_F(CommandTest, EachKindOfRecordGetsItsOwnTable) {
  const ChildResult text = Run({"find-all-ports", "Inkjet"});
  EXPECT_EQ(text.exitStatus, 0);
  const Strings lines = TextLines(text.out);
  ASSERT_GE(lines.size(), 8u) << text.out;
  EXPECT_EQ(lines[0], "Inkjet printers on the network (2)");
  EXPECT_EQ(lines[2].substr(0, 40), "Quorvex_IJ5200_7A1B2C_P1  192.168.10.41 ");
  EXPECT_EQ(lines[4], "");
  EXPECT_EQ(lines[5].rfind("Local ports (", 0), 0u) << lines[5];
  EXPECT_TRUE(lines[6].rfind("PORTNAME  ", 0) == 0 && Contains(lines[6], "  DESCRIPTION"));
  const Json json = Json::parse(Run({"--json", "find-all-ports", "Inkjet"}).out);
  EXPECT_EQ(json["records"][0]["discovered"], true);
  EXPECT_EQ(json["records"].back()["kind"], "local port");
}

TEST_F(CommandTest, TablesFitTheWidthAndWideShowsThemWhole) {
  // Printed text: UTF-8 on POSIX, the ANSI code page (1252) on Windows.
  const bool utf8 = TestMachine::IsStandIn();
  const std::string ellipsis = utf8 ? "\xE2\x80\xA6" : "\x85";
  const auto columns = [utf8](const std::string& line) {
    return utf8 ? static_cast<size_t>(std::count_if(line.begin(), line.end(),
                                                    [](char c) { return (c & 0xC0) != 0x80; }))
                : line.size();
  };
  SetEnvironmentVariableA("COLUMNS", "100");
  const ChildResult fitted = Run({"find-all-ports", "Inkjet"});
  const ChildResult wide = Run({"find-all-ports", "Inkjet", "--wide"});
  SetEnvironmentVariableA("COLUMNS", nullptr);
  const Strings lines = TextLines(fitted.out);
  ASSERT_GE(lines.size(), 4u) << fitted.out;
  for (const std::string& line : lines) EXPECT_LE(columns(line), 100u) << line;
  // The widest columns gave way; narrow ones stayed whole.
  EXPECT_EQ(lines[3].rfind("#uncon" + ellipsis + "  0.0.0.0  ", 0), 0u) << lines[3];
  EXPECT_TRUE(Contains(lines[3], "  -1       NoBidi  0  ")) << lines[3];
  // The local ports' table fits as it is.
  ASSERT_TRUE(Contains(fitted.out, "Local ports") && Contains(wide.out, "Local ports"));
  const auto local = [](const std::string& text) { return text.substr(text.find("Local ports")); };
  EXPECT_EQ(local(fitted.out), local(wide.out));
  EXPECT_EQ(wide.out, Run({"find-all-ports", "Inkjet"}).out);
}

TEST_F(CommandTest, FilteredSearchNamesFieldsAfterTheOutputRules) {
  const ChildResult json =
      Run({"--json", "find-filtered", "QuorvexInkJet_52007C3D", "QuorvexInkJet", "--port",
           "IP_192.168.10.99", "--subnet", "10.1.2.0"});
  EXPECT_EQ(json.exitStatus, 0) << json.out << json.err;
  const Json report = Json::parse(json.out);
  EXPECT_EQ(report["arguments"], Json::array({"QuorvexInkJet_52007C3D", "QuorvexInkJet",
                                              "IP_192.168.10.99", "", "10.1.2.0"}));
  EXPECT_EQ(report["ruleSet"], "QuorvexInkJet");
  ASSERT_FALSE(report["records"].empty());
  const Json& last = report["records"].back();
  EXPECT_EQ(last["kind"], "rule-set line");
  Strings names;
  for (const auto& [name, value] : last["fields"].items()) names.push_back(name);
  EXPECT_EQ(names, (Strings{"Connection", "Port", "IPADDRESS", "MACUAA"}));
  EXPECT_EQ(last["fields"]["Port"], "IP_192.168.10.99");
}

}  // namespace
