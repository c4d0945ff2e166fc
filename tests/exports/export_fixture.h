// What every export test shares: a machine with a key for the values the
// exports store, a setup medium with product.ini and a rule file, the
// library's log on the medium, and on the POSIX stand-in a spooler that
// offers a share and a USB printer of the model. The stand-in
// host-communication module's devices describe a small office network.
#ifndef NODEXA_TESTS_EXPORTS_EXPORT_FIXTURE_H_
#define NODEXA_TESTS_EXPORTS_EXPORT_FIXTURE_H_

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "exports/export_table.h"
#include "harness/device_descriptions.h"
#include "harness/test_devices.h"
#include "harness/test_machine.h"
#include "harness/test_medium.h"
#include "nodexa/nodexa.h"
#include "platform/win32_api.h"

namespace nodexa::test {

using Lines = std::vector<std::string>;

// The key below HKEY_LOCAL_MACHINE where the exports leave their answers;
// each answer value holds "earlier" until an export writes it. Each test
// program has a key of its own (NODEXA_RESULT_KEY), since under Wine the
// programs share one registry and CTest runs two at a time.
inline const char kResultKey[] = "SOFTWARE\\" NODEXA_RESULT_KEY;

inline std::string ExportRegistry() {
  return WindowsMachineRegistry() + "\n[-HKEY_LOCAL_MACHINE\\" + kResultKey + "]\n" +
         "[HKEY_LOCAL_MACHINE\\" + kResultKey + "]\n" +
         "\"GetScannerRegisterInfo\"=\"earlier\"\n\"SetScannerRegisterInfo\"=\"earlier\"\n"
         "\"ValidateUnicodeString\"=\"earlier\"\n";
}

// What every discovery asks the host-communication module for, before any
// remote subnets.
inline const std::string kDiscoveryBase = "<UNICAST>1</UNICAST><LocalSubnets>1</LocalSubnets>";

// A laser printer or scanner; scanners carry a MODEL_ID (`modelId` "" leaves
// the element out).
inline std::string NetworkDevice(const std::string& name, const std::string& address,
                                 const std::string& strid, const std::string& modelId) {
  std::string text = "<IPNAME>" + name + "</IPNAME><IPADDRESS>" + address +
                     "</IPADDRESS><IPNETMASK>255.255.255.0</IPNETMASK><SUBNETADDRESS>10.1.2.0"
                     "</SUBNETADDRESS><ADAPTERCAP>262144</ADAPTERCAP><1284STRID>" +
                     strid + "</1284STRID>";
  if (!modelId.empty()) text += "<MODEL_ID>" + modelId + "</MODEL_ID>";
  return text;
}

// Three QX-100 inkjets (configured, unconfigured, configured without
// adapter capabilities), one inkjet of another model, a laser printer and
// two scanners, one of the maker and one of another brand. The inkjets
// have a CPD attached.
inline std::string OfficeNetwork() {
  return "attached=" + InkjetDevice("QX100-3344AB", "10.1.2.3", "262144", "0011223344AB", "1") +
         "\nattached=" + InkjetDevice("QX100-3344CD", "0.0.0.0", "264192", "0011223344CD", "1") +
         "\nunattached=" + NetworkDevice("LP7", "10.1.2.7", "Quorvex LP-7", "") +
         "\nattached=" + InkjetDevice("QX100-3344EF", "10.1.2.4", "", "0011223344EF", "2") +
         "\nattached=" +
         InkjetDevice("QX900-000001", "10.1.2.5", "262144", "001122000001", "1", "QX-900") +
         "\nunattached=" + NetworkDevice("SX5", "10.1.2.9", "Quorvex SX-5", "31") +
         "\nunattached=" + NetworkDevice("ACME5", "10.1.2.10", "Acme SX-5", "32") + "\n";
}

// The inkjet records of OfficeNetwork for the model "QX-100 Series" and the
// port-name prefix "Quorvex QX Port"; `marker` is "" or the marker field.
inline Lines InkjetRecords(const std::string& marker) {
  const std::string tail = "|DHCP|10.1.2.255|";
  return {"Quorvex_QX_Port_3344AB_P1|" + marker + "10.1.2.3|QX-100 Series|0011223344AB|1|Bidi" +
              tail + "QX100-3344AB|10.1.2.1|255.255.255.0",
          "#unconfigured#|" + marker + "0.0.0.0|QX-100 Series|0011223344CD|-1|NoBidi" + tail +
              "QX100-3344CD|10.1.2.1|255.255.255.0",
          "Quorvex_QX_Port_3344EF_P2|" + marker + "10.1.2.4|QX-100 Series|0011223344EF|1|NoBidi" +
              tail + "QX100-3344EF|10.1.2.1|255.255.255.0"};
}

// A list an export answered, as lines; a list that cannot be read fails the
// test.
inline Lines ReadList(const NodexaList* found) {
  std::optional<Lines> lines = PortList::Read(found);
  EXPECT_TRUE(lines.has_value());
  return lines.value_or(Lines());
}

// The discovered records of OfficeNetwork among a port search's answer (-1
// for no list at all). Counting allocates nothing.
inline int32_t DiscoveredRecords(const NodexaList* found) {
  if (found == nullptr) return -1;
  int32_t records = 0;
  EXPECT_TRUE(PortList::ForEach(found, [&records](std::string_view r) {
    records += r.find("|10.1.2.") != std::string_view::npos ||
               r.find("|0.0.0.0|") != std::string_view::npos;
  }));
  return records;
}

// The number of lines of a filtered search, whose list the caller owns (-1
// for null).
inline int32_t FilteredLines(NodexaList* found) {
  const PortList owned = PortList::Adopt(found);
  if (owned.get() == nullptr) return -1;
  int32_t lines = 0;
  EXPECT_TRUE(PortList::ForEach(owned.get(), [&lines](std::string_view) { ++lines; }));
  return lines;
}

// A rule set "Addresses" giving the address of every record that has one,
// so a filtered search's lines count the discovered printers.
inline const char kAddressRuleFile[] =
    "[NetworkInstallData]\nAddresses=<Filter><Any>1</Any></Filter><Output><IPADDRESS/></Output>\n";

inline const char kProductIni[] =
    "[GENERAL]\nProductKey=QX-100 Series\nOEMDisplay=Quorvex\n"
    "[NetworkStuff]\nPORTNAME_PREFIX=Quorvex QX Port\n";

class ExportTest : public ::testing::Test {
 protected:
  ExportTest() : devices(machine) {
    SetupDebugLog(medium.LogPath().c_str());
    machine.SetSpooler("[Printer Office Laser]\nServer=\\\\SERVER\nShare=LASER\nDriver=QX\n");
    devices.SetDevices("[USB\\A\\1]\nHardwareID=USBPRINT\\QuorvexQX100\nPortName=USB001\n");
    Product(kProductIni);
    RuleFile(kAddressRuleFile);
  }
  ~ExportTest() override { SetupDebugLog(""); }

  void Product(const std::string& text) const {
    std::ofstream(medium.Root() / "Install" / "Config" / "product.ini", std::ios::binary) << text;
  }
  // The medium's rule file, Setup\Config\Product.ini.
  void RuleFile(const std::string& text) const {
    const std::filesystem::path folder = medium.Root() / "Setup" / "Config";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "Product.ini", std::ios::binary) << text;
  }
  // The host-communication stand-in with the office network's devices.
  void OfficeHcp() {
    medium.InstallModule("QVXAhcp.dll", "QVXAhcp.dll");
    medium.SetAnswers("QVXAhcp.dll", OfficeNetwork());
  }
  Lines Journal(const std::string& module = "QVXAhcp.dll") const { return medium.Journal(module); }
  // The host-communication module's journal with Enumerate's buffer sizes
  // left out, so its lines read "Enumerate", a tab and the filter.
  Lines Calls() const {
    Lines calls;
    for (std::string line : Journal()) {
      const size_t size =
          line.rfind("Enumerate\t", 0) == 0 ? line.find('\t', 10) : std::string::npos;
      if (size != std::string::npos) line.erase(10, size - 10 + 1);
      calls.push_back(line);
    }
    return calls;
  }
  std::optional<std::string> Stored(const char* value) const {
    return ReadMachineString(kResultKey, value);
  }

  TestMachine machine{ExportRegistry()};
  TestDevices devices;
  TestMedium medium;
};

// `calls` between a module's load, first Initialize, Uninitialize and unload.
inline Lines Bracketed(const Lines& calls) {
  Lines lines{"Load", "Initialize\t1"};
  lines.insert(lines.end(), calls.begin(), calls.end());
  lines.insert(lines.end(), {"Uninitialize", "Unload"});
  return lines;
}

// One call of an export against a stand-in module: what the module answers,
// and the result, the module's journal, the log and the stored answer the
// call must give. In the argument and the expected texts "{module}" stands
// for the module's path and "{system}" for the system directory.
struct CallCase {
  CallCase(const char* caseName, const char* moduleFile, std::string moduleAnswers,
           std::string callArgument, int32_t (*exportCall)(const char*), int32_t callResult,
           Lines moduleJournal, Lines logLines)
      : name(caseName),
        module(moduleFile),
        answers(std::move(moduleAnswers)),
        argument(std::move(callArgument)),
        call(exportCall),
        result(callResult),
        journal(std::move(moduleJournal)),
        log(std::move(logLines)) {}

  // The answer value `value` under kResultKey holds `text` afterwards
  // ("earlier": untouched).
  CallCase Stores(const char* value, const char* text) const {
    CallCase c = *this;
    c.storedName = value;
    c.stored = text;
    return c;
  }
  // The stand-in installed as `module`, when not the one of that name.
  CallCase Variant(const char* file) const {
    CallCase c = *this;
    c.variant = file;
    return c;
  }
  CallCase Spooler(std::string text) const {
    CallCase c = *this;
    c.spooler = std::move(text);
    return c;
  }
  // Needs the POSIX stand-in's spooler or devices.
  CallCase StandInOnly() const {
    CallCase c = *this;
    c.standInOnly = true;
    return c;
  }

  const char* name;
  const char* module;  // the file on the medium
  std::string answers;
  std::string argument;
  int32_t (*call)(const char* argument);
  int32_t result;
  Lines journal;
  Lines log;
  const char* storedName = nullptr;
  const char* stored = nullptr;
  const char* variant = nullptr;
  std::string spooler;
  bool standInOnly = false;
};

inline void PrintTo(const CallCase& c, std::ostream* out) { *out << c.name; }

class CallTableTest : public ExportTest, public ::testing::WithParamInterface<CallCase> {
 protected:
  void Run(const CallCase& c) {
    if (c.standInOnly && !TestMachine::IsStandIn()) GTEST_SKIP() << "the stand-in machine's";
    medium.InstallModule(c.variant != nullptr ? c.variant : c.module, c.module);
    medium.SetAnswers(c.module, c.answers);
    if (!c.spooler.empty()) machine.SetSpooler(c.spooler);
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    const std::string module = WindowsForm(medium.ModuleFolder() / c.module);
    const auto expand = [&](const std::string& text) {
      return Substituted(Substituted(text, "module", module), "system", system);
    };
    const auto expandAll = [&](Lines lines) {
      for (std::string& line : lines) line = expand(line);
      return lines;
    };
    EXPECT_EQ(c.call(expand(c.argument).c_str()), c.result);
    EXPECT_EQ(Journal(c.module), expandAll(c.journal));
    EXPECT_EQ(medium.LogLines(), expandAll(c.log));
    if (c.storedName != nullptr) {
      EXPECT_EQ(Stored(c.storedName), std::optional<std::string>(c.stored));
    }
  }
};

inline std::string CallCaseName(const ::testing::TestParamInfo<CallCase>& info) {
  std::string name = info.param.name;
  for (char& ch : name) {
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  }
  return name;
}

}  // namespace nodexa::test

#endif  // NODEXA_TESTS_EXPORTS_EXPORT_FIXTURE_H_
