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
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "exports/port_search_fixture.h"
#include "harness/test_devices.h"
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

// The machine with a key for the answers the exports store. On the POSIX
// stand-in also a spooler that offers the share VerifySharedPrinterExists
// asks for and a USB printer of the model DoesINAPrinterExists asks about.
std::string Registry() {
  return nodexa::test::WindowsMachineRegistry() +
         "\n[-HKEY_LOCAL_MACHINE\\SOFTWARE\\NodexaHostileTest]\n"
         "[HKEY_LOCAL_MACHINE\\SOFTWARE\\NodexaHostileTest]\n";
}
const char kSpooler[] = "[Printer Office Laser]\nServer=\\\\SERVER\nShare=LASER\nDriver=QX\n";
const char kPrinters[] = "[USB\\A\\1]\nHardwareID=USBPRINT\\QuorvexQX100\nPortName=USB001\n";
const char kProduct[] =
    "[GENERAL]\nProductKey=QX-100 Series\nOEMDisplay=Quorvex\n"
    "[NetworkStuff]\nPORTNAME_PREFIX=Quorvex QX Port\n";

// What a call needs from the test: the module file it installed.
struct Scene {
  std::string module;
};

using nodexa::test::DiscoveredRecords;
using nodexa::test::FilteredLines;

struct ExportUnderTest {
  const char* name = "";
  const char* module = "";  // the stand-in's file name on the medium
  // The functions the export binds besides Initialize and Uninitialize; a
  // stand-in variant lacks each.
  std::vector<const char*> functions;
  // Answers of a well-behaved module, and the result the export gives then
  // (for the port searches: how many discovered records).
  std::string answers;
  int32_t (*call)(const Scene&) = nullptr;
  int32_t success = 1;
  // The registry value the export stores under kKey and what a success
  // stores there (null: the export stores nothing this test checks).
  const char* storedName = nullptr;
  const char* stored = nullptr;
  bool keepsModule = false;
  // Its answers need the stand-in machine (printers of the model).
  bool needsStandIn = false;
  // The text function that follows the buffer convention, and whether the
  // export judges the status of the call that fills the buffer.
  const char* bufferFunction = nullptr;
  bool judgesFillingCall = true;
  // The configuration module the export also asks, with its answers.
  bool asksConfiguration = false;
};

const char kInformation[] =
    "GetINAInfoQcs.text=<INASUPPORTED>1</INASUPPORTED><NETDEFAULTS>1</NETDEFAULTS>\n";
const char kScannerInfo[] =
    "GetScannerHostInfoQcs.text=<PcName>414200</PcName><CodePage>1252</CodePage>"
    "<PinNumber>1234</PinNumber>\n";
const char kModel[] = "item.10000.1=QX-100 Series\n";

std::vector<ExportUnderTest> MakeExports() {
  std::vector<ExportUnderTest> exports;
  // References handed out below stay valid.
  exports.reserve(32);
  auto add = [&exports](const char* name, const char* module, std::vector<const char*> functions,
                        int32_t (*call)(const Scene&)) -> ExportUnderTest& {
    ExportUnderTest& e = exports.emplace_back();
    e.name = name;
    e.module = module;
    e.functions = std::move(functions);
    e.call = call;
    return e;
  };

  add("ConfigurePortIP", "QVXAhcp.dll", {"Configure"}, [](const Scene&) {
    return ConfigurePortIP("10.0.0.5|1|10.0.0.255|255.255.255.0|QX|00-11-22-33-44-55|10.0.0.1");
  });
  add("RegisterNetworkSubnets", "QVXAhcp.dll", {"RegisterRemoteSubnets"}, [](const Scene&) {
    return RegisterNetworkSubnets("10.1.2.0");
  }).keepsModule = true;
  {
    ExportUnderTest& e =
        add("FindPorts", "QVXAhcp.dll", {"Discover", "Enumerate"}, [](const Scene&) {
          const NodexaList request{"Inkjet"};
          return DiscoveredRecords(FindPorts(&request));
        });
    e.answers = nodexa::test::OfficeNetwork();
    e.success = 3;
    e.bufferFunction = "Enumerate";
    e.judgesFillingCall = false;
  }
  {
    ExportUnderTest& e =
        add("FindAllPorts", "QVXAhcp.dll", {"Discover", "Enumerate"}, [](const Scene&) {
          const NodexaList request{"Inkjet"};
          return DiscoveredRecords(FindAllPorts(&request));
        });
    e.answers = nodexa::test::OfficeNetwork();
    e.success = 3;
    e.bufferFunction = "Enumerate";
    e.judgesFillingCall = false;
    e.asksConfiguration = true;
  }
  {
    ExportUnderTest& e =
        add("FindAllPortsFiltered", "QVXAhcp.dll", {"Discover", "Enumerate"}, [](const Scene&) {
          const NodexaList arguments{"QuorvexQX100", "Addresses", "PORTA", ""};
          return FilteredLines(FindAllPortsFiltered(&arguments));
        });
    e.answers = nodexa::test::OfficeNetwork();
    e.success = 7;
    e.bufferFunction = "Enumerate";
    e.judgesFillingCall = false;
  }
  add("CreateP2PPortIP", "QVXAinst.dll", {"CreateP2PPort"},
      [](const Scene&) { return CreateP2PPortIP("\\\\SERVER\\LASER"); });
  // Wine's spooler knows no other computer's shares.
  add("VerifySharedPrinterExists", "QVXAinst.dll", {"VerifySharedPrinter"}, [](const Scene&) {
    return VerifySharedPrinterExists("SERVER|LASER|QX");
  }).success = TestMachine::IsStandIn() ? 1 : 0;
  add("AddFirewallException", "QVXAinst.dll",
      {"AddProgramFirewallException", "EnableFirewallExceptionsQcs", "CreateP2PExceptions"},
      [](const Scene&) { return AddFirewallException("P2P"); });
  add("RemoveFirewallException", "QVXAinst.dll", {"RemoveProgramFirewallException"},
      [](const Scene&) { return RemoveFirewallException(); });
  for (ExportUnderTest* e : {&add("IsINAAttached", "QVXAinst.dll", {"GetINAInfoQcs"},
                                  [](const Scene&) { return IsINAAttached("USB001"); }),
                             &add("IsINADefault", "QVXAinst.dll", {"GetINAInfoQcs"},
                                  [](const Scene&) { return IsINADefault("USB001"); })}) {
    e->answers = kInformation;
    e->bufferFunction = "GetINAInfoQcs";
  }
  {
    ExportUnderTest& e = add("DoesINAPrinterExists", "QVXAinst.dll", {"GetINAInfoQcs"},
                             [](const Scene&) { return DoesINAPrinterExists("QuorvexQX100"); });
    e.answers = kInformation;
    e.bufferFunction = "GetINAInfoQcs";
    e.needsStandIn = true;
  }
  {
    ExportUnderTest& e = add("GetScannerRegisterInfo", "QVXAinst.dll", {"GetScannerHostInfoQcs"},
                             [](const Scene&) { return GetScannerRegisterInfo(kKey); });
    e.answers = kScannerInfo;
    e.storedName = "GetScannerRegisterInfo";
    e.stored = "AB|1252|1234";
    e.bufferFunction = "GetScannerHostInfoQcs";
  }
  add("SetScannerRegisterInfo", "QVXAinst.dll", {"SetScannerHostInfoQcs"}, [](const Scene&) {
    return SetScannerRegisterInfo("USB001|AB|1252|SOFTWARE\\NodexaHostileTest|1234");
  });
  {
    ExportUnderTest& e =
        add("ValidateUnicodeString", "QVXAgrd.dll",
            {"CreateCGrdDlgInstance", "DestroyCGrdDlgInstance"}, [](const Scene& scene) {
              return ValidateUnicodeString((scene.module + "|Office PC|Name|" + kKey).c_str());
            });
    e.storedName = "ValidateUnicodeString";
    e.stored = "Office PC";
  }
  return exports;
}

const std::vector<ExportUnderTest>& Exports() {
  static const std::vector<ExportUnderTest> exports = MakeExports();
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
  // The configuration module's file and answers, for exports that ask it.
  std::string configurationVariant = "QVXAcfg.dll";
  std::string configurationAnswers = kModel;
};

void PrintTo(const HostileCase& c, std::ostream* out) { *out << c.target->name << ": " << c.what; }

std::string Stem(const char* module) {
  const std::string name = module;
  return name.substr(0, name.size() - 4);
}

// Every result key the module answers from set to `result`.
std::string AllResults(const ExportUnderTest& e, const std::string& result) {
  std::string answers;
  for (const char* function : {"Initialize", "Uninitialize"}) {
    answers += std::string(function) + ".result=" + result + "\n";
  }
  for (const char* function : e.functions) {
    answers += std::string(function) + ".result=" + result + "\n";
  }
  return answers;
}

std::vector<HostileCase> Cases() {
  std::vector<HostileCase> cases;
  for (const ExportUnderTest& e : Exports()) {
    const std::optional<std::string> good =
        e.stored != nullptr ? std::optional<std::string>(e.stored) : std::nullopt;
    const bool validation = std::string(e.module) == "QVXAgrd.dll";
    auto add = [&](const std::string& what, const std::string& more, int32_t expected,
                   std::optional<std::string> stored,
                   const std::string& variant = "") -> HostileCase& {
      cases.push_back({what, &e, variant.empty() ? e.module : variant, e.answers + more, expected,
                       expected == e.success ? stored : std::nullopt});
      return cases.back();
    };

    add("well behaved", "", e.success, good);
    if (validation) {
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
      add("122 from the filling call", f + ".result=122\n", e.judgesFillingCall ? 0 : e.success,
          std::nullopt);
    }
    if (e.asksConfiguration) {
      add("no model value", "", 0, std::nullopt).configurationAnswers = "result.10000.1=5\n";
      add("configuration size stored on every call", "", 0, std::nullopt).configurationAnswers =
          std::string(kModel) + "result.10000.1=3\n";
      add("64 MB model value", "", e.success, std::nullopt).configurationAnswers =
          std::string(kModel) + "pad.10000.1=" + std::to_string(k64MB) + "\n";
      add("GetConfigData missing", "", 0, std::nullopt).configurationVariant =
          "QVXAcfg-no-GetConfigData.dll";
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
  HostileModules() : devices(machine) {
    machine.SetSpooler(kSpooler);
    devices.SetDevices(kPrinters);
    std::ofstream(medium.Root() / "Install" / "Config" / "product.ini", std::ios::binary)
        << kProduct;
    nodexa::test::WriteRuleFile(medium, nodexa::test::kAddressRuleFile);
    SetupDebugLog(medium.LogPath().c_str());
  }
  ~HostileModules() override { SetupDebugLog(""); }

  TestMachine machine{Registry()};
  nodexa::test::TestDevices devices;
  TestMedium medium;
};

TEST_P(HostileModules, FailsOrAnswersRightAndReleasesTheModule) {
  const HostileCase& c = GetParam();
  const ExportUnderTest& e = *c.target;
  if (e.needsStandIn && !TestMachine::IsStandIn()) {
    GTEST_SKIP() << "needs printers of the model on the machine";
  }
  Scene scene;
  scene.module = medium.InstallModule(c.variant, e.module).string();
  medium.SetAnswers(e.module, c.answers);
  if (e.asksConfiguration) {
    medium.InstallModule(c.configurationVariant, "QVXAcfg.dll");
    medium.SetAnswers("QVXAcfg.dll", c.configurationAnswers);
  }

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
    const bool noObject = c.answers.find("CreateCGrdDlgInstance.null=1") != std::string::npos;
    EXPECT_EQ(Count(journal, "CreateCGrdDlgInstance") - (noObject ? 1 : 0),
              Count(journal, "DestroyCGrdDlgInstance"));
  }
}

INSTANTIATE_TEST_SUITE_P(Matrix, HostileModules, ::testing::ValuesIn(Cases()), CaseName);

}  // namespace
