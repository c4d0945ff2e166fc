// Every export that uses a companion module, against stand-ins that
// misbehave: needed sizes of 0, 1 and 0xFFFFFFFF, answers without their
// NUL, 122 on every call, 64 MB answers, a failing Initialize or
// Uninitialize, each function failing and each function missing. Whatever
// the module does, the export answers with its failure result or the right
// one, lets no exception out and releases the module (RegisterNetworkSubnets
// keeps it by design); the sanitizer build and the memory check add that
// nothing leaks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <vector>

#include "harness/test_machine.h"
#include "harness/test_medium.h"
#include "nodexa/nodexa.h"

namespace {

using Lines = std::vector<std::string>;
using nodexa::test::ReadMachineString;
using nodexa::test::TestMachine;
using nodexa::test::TestMedium;

const char kKey[] = "SOFTWARE\\NodexaHostileTest";
constexpr uint32_t k64MB = 64u << 20;

// The machine, a key for the answers the exports store, and on the POSIX
// stand-in a spooler that offers the share VerifySharedPrinterExists asks for.
std::string Registry() {
  return nodexa::test::WindowsMachineRegistry() +
         "\n[-HKEY_LOCAL_MACHINE\\SOFTWARE\\NodexaHostileTest]\n"
         "[HKEY_LOCAL_MACHINE\\SOFTWARE\\NodexaHostileTest]\n";
}
const char kSpooler[] = "[Printer Office Laser]\nServer=\\\\SERVER\nShare=LASER\nDriver=QX\n";

// What a call needs from the test: the module file it installed.
struct Scene {
  std::string module;
};

struct ExportUnderTest {
  const char* name;
  const char* module;  // the stand-in's file name on the medium
  // The functions the export binds besides Initialize and Uninitialize; a
  // stand-in variant lacks each.
  std::vector<const char*> functions;
  // Answers of a well-behaved module, and the result the export gives then.
  std::string answers;
  int32_t (*call)(const Scene&);
  int32_t success;
  // The registry value the export stores under kKey and what a success
  // stores there (null: the export stores nothing this test checks).
  const char* storedName = nullptr;
  const char* stored = nullptr;
  bool keepsModule = false;
  // For the text functions that follow the buffer convention.
  const char* bufferFunction = nullptr;
};

const char kInformation[] =
    "GetINAInfoQcs.text=<INASUPPORTED>1</INASUPPORTED><NETDEFAULTS>1</NETDEFAULTS>\n";
const char kScannerInfo[] =
    "GetScannerHostInfoQcs.text=<PcName>414200</PcName><CodePage>1252</CodePage>"
    "<PinNumber>1234</PinNumber>\n";

const std::vector<ExportUnderTest>& Exports() {
  static const std::vector<ExportUnderTest> exports = {
      {"ConfigurePortIP",
       "QVXAhcp.dll",
       {"Configure"},
       "",
       [](const Scene&) {
         return ConfigurePortIP(
             "10.0.0.5|1|10.0.0.255|255.255.255.0|QX|00-11-22-33-44-55|10.0.0.1");
       },
       1},
      {"RegisterNetworkSubnets",
       "QVXAhcp.dll",
       {"RegisterRemoteSubnets"},
       "",
       [](const Scene&) { return RegisterNetworkSubnets("10.1.2.0"); },
       1,
       nullptr,
       nullptr,
       true},
      {"CreateP2PPortIP",
       "QVXAinst.dll",
       {"CreateP2PPort"},
       "",
       [](const Scene&) { return CreateP2PPortIP("\\\\SERVER\\LASER"); },
       1},
      // Wine's spooler knows no other computer's shares.
      {"VerifySharedPrinterExists",
       "QVXAinst.dll",
       {"VerifySharedPrinter"},
       "",
       [](const Scene&) { return VerifySharedPrinterExists("SERVER|LASER|QX"); },
       TestMachine::IsStandIn() ? 1 : 0},
      {"AddFirewallException",
       "QVXAinst.dll",
       {"AddProgramFirewallException", "EnableFirewallExceptionsQcs", "CreateP2PExceptions"},
       "",
       [](const Scene&) { return AddFirewallException("P2P"); },
       1},
      {"RemoveFirewallException",
       "QVXAinst.dll",
       {"RemoveProgramFirewallException"},
       "",
       [](const Scene&) { return RemoveFirewallException(); },
       1},
      {"IsINAAttached",
       "QVXAinst.dll",
       {"GetINAInfoQcs"},
       kInformation,
       [](const Scene&) { return IsINAAttached("USB001"); },
       1,
       nullptr,
       nullptr,
       false,
       "GetINAInfoQcs"},
      {"IsINADefault",
       "QVXAinst.dll",
       {"GetINAInfoQcs"},
       kInformation,
       [](const Scene&) { return IsINADefault("USB001"); },
       1,
       nullptr,
       nullptr,
       false,
       "GetINAInfoQcs"},
      {"GetScannerRegisterInfo",
       "QVXAinst.dll",
       {"GetScannerHostInfoQcs"},
       kScannerInfo,
       [](const Scene&) { return GetScannerRegisterInfo(kKey); },
       1,
       "GetScannerRegisterInfo",
       "AB|1252|1234",
       false,
       "GetScannerHostInfoQcs"},
      {"SetScannerRegisterInfo",
       "QVXAinst.dll",
       {"SetScannerHostInfoQcs"},
       "",
       [](const Scene&) {
         return SetScannerRegisterInfo("USB001|AB|1252|SOFTWARE\\NodexaHostileTest|1234");
       },
       1},
      {"ValidateUnicodeString",
       "QVXAgrd.dll",
       {"CreateCGrdDlgInstance", "DestroyCGrdDlgInstance"},
       "",
       [](const Scene& scene) {
         return ValidateUnicodeString((scene.module + "|Office PC|Name|" + kKey).c_str());
       },
       1,
       "ValidateUnicodeString",
       "Office PC"},
  };
  return exports;
}

struct HostileCase {
  std::string what;
  const ExportUnderTest* target;
  std::string variant;  // the stand-in file installed as the module
  std::string answers;
  int32_t expected;
  // What the export stores under kKey; none: nothing.
  std::optional<std::string> stored;
};

void PrintTo(const HostileCase& c, std::ostream* out) { *out << c.target->name << ": " << c.what; }

std::string Stem(const char* module) {
  const std::string name = module;
  return name.substr(0, name.size() - 4);
}

// Every result key the module answers from set to `result`.
std::string AllResults(const ExportUnderTest& e, const std::string& result) {
  std::string answers;
  const std::string module = e.module;
  if (module == "QVXAgrd.dll") return "Validate.result=" + result + "\n";
  for (const char* function : {"Initialize", "Uninitialize"}) {
    answers += std::string(function) + ".result=" + result + "\n";
  }
  for (const char* function : e.functions)
    answers += std::string(function) + ".result=" + result + "\n";
  return answers;
}

std::vector<HostileCase> Cases() {
  std::vector<HostileCase> cases;
  for (const ExportUnderTest& e : Exports()) {
    const std::optional<std::string> good =
        e.stored != nullptr ? std::optional<std::string>(e.stored) : std::nullopt;
    const bool grd = std::string(e.module) == "QVXAgrd.dll";
    auto add = [&](const std::string& what, const std::string& more, int32_t expected,
                   std::optional<std::string> stored, const std::string& variant = "") {
      cases.push_back({what, &e, variant.empty() ? e.module : variant, e.answers + more, expected,
                       expected == e.success ? stored : std::nullopt});
    };

    add("well behaved", "", e.success, good);
    if (grd) {
      // The validator's answer is any non-zero result; 0 rejects the text.
      add("rejects", "Validate.result=0\n", 0, std::nullopt);
      add("122 as its result", "Validate.result=122\n", 1, good);
      add("no object", "CreateCGrdDlgInstance.null=1\n", 0, std::nullopt);
      add("negative length", "Validate.length=-1\n", 1, std::string());
      add("length past the buffer", "Validate.length=2147483647\n", 1, good);
      add("answer longer than the buffer", "Validate.answer=" + std::string(600, 'x') + "\n", 1,
          std::string(511, 'x'));
    } else {
      add("Initialize fails", "Initialize.result=1\n", e.success, good);
      add("Uninitialize fails", "Uninitialize.result=4294967295\n", e.success, good);
      add("every call fails", AllResults(e, "4294967295"), 0, std::nullopt);
      add("122 on every call", AllResults(e, "122"), 0, std::nullopt);
      add("Initialize missing", "", 0, std::nullopt, Stem(e.module) + "-no-Initialize.dll");
      add("Uninitialize missing", "", 0, std::nullopt, Stem(e.module) + "-no-Uninitialize.dll");
    }
    for (const char* function : e.functions) {
      add(std::string(function) + " missing", "", 0, std::nullopt,
          Stem(e.module) + "-no-" + function + ".dll");
    }
    if (e.bufferFunction != nullptr) {
      const std::string f = e.bufferFunction;
      // Longer than the 1000 bytes a fixed first try offers.
      const std::string longText = f + ".pad=2000\n";
      for (const char* needed : {"0", "1", "4294967295"}) {
        add(std::string("needs ") + needed, longText + f + ".needed=" + needed + "\n", 0,
            std::nullopt);
      }
      add("no NUL", f + ".nul=0\n", e.success, good);
      add("long without NUL", longText + f + ".nul=0\n", e.success, good);
      add("64 MB answer", f + ".pad=" + std::to_string(k64MB) + "\n", e.success, good);
      add("122 on every call of its own", f + ".result=122\n", 0, std::nullopt);
    }
  }
  return cases;
}

std::string CaseName(const ::testing::TestParamInfo<HostileCase>& info) {
  std::string name = std::string(info.param.target->name) + "_" + info.param.what;
  std::replace_if(
      name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); },
      '_');
  return name;
}

size_t Count(const Lines& journal, const std::string& event) {
  return static_cast<size_t>(std::count_if(
      journal.begin(), journal.end(),
      [&](const std::string& line) { return line == event || line.rfind(event + "\t", 0) == 0; }));
}

class HostileModules : public ::testing::TestWithParam<HostileCase> {
 protected:
  HostileModules() {
    machine.SetSpooler(kSpooler);
    SetupDebugLog(medium.LogPath().c_str());
  }
  ~HostileModules() override { SetupDebugLog(""); }

  TestMachine machine{Registry()};
  TestMedium medium;
};

TEST_P(HostileModules, AnswerIsTheFailureOrTheRightResultAndTheModuleIsReleased) {
  const HostileCase& c = GetParam();
  const ExportUnderTest& e = *c.target;
  Scene scene;
  scene.module = medium.InstallModule(c.variant, e.module).string();
  medium.SetAnswers(e.module, c.answers);

  int32_t result = -1;
  EXPECT_NO_THROW(result = e.call(scene));
  EXPECT_EQ(result, c.expected);

  if (e.storedName != nullptr) {
    EXPECT_EQ(ReadMachineString(kKey, e.storedName), c.stored);
  }

  const Lines journal = medium.Journal(e.module);
  ASSERT_FALSE(journal.empty());
  EXPECT_EQ(journal.front(), "Load");
  const bool initialized = Count(journal, "Initialize") > 0;
  if (e.keepsModule && initialized) {
    EXPECT_EQ(Count(journal, "Unload"), 0u);
    EXPECT_EQ(Count(journal, "Uninitialize"), 0u);
  } else {
    EXPECT_EQ(journal.back(), "Unload");
    EXPECT_EQ(Count(journal, "Load"), Count(journal, "Unload"));
    EXPECT_EQ(Count(journal, "Initialize"), Count(journal, "Uninitialize"));
    EXPECT_EQ(Count(journal, "CreateCGrdDlgInstance") -
                  (c.answers.find(".null=1") != std::string::npos ? 1 : 0),
              Count(journal, "DestroyCGrdDlgInstance"));
  }
}

INSTANTIATE_TEST_SUITE_P(Matrix, HostileModules, ::testing::ValuesIn(Cases()), CaseName);

}  // namespace
