// The boundary catch of every export that uses a companion module, proved by
// failing each allocation the call makes in turn: the first, then the
// second, and so on until a call completes without reaching the failure.
// Each time the export answers with its failure result or its right one,
// lets no exception out and releases the module, and afterwards the library
// works as before, its diagnostic log included.
//
// The exports are linked statically into this program, so their allocations
// come through the failing operator new of failing_allocation.cpp.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "exports/port_search_fixture.h"
#include "failing_allocation.h"
#include "frame/tagged_text.h"
#include "harness/test_devices.h"
#include "harness/test_machine.h"
#include "harness/test_medium.h"
#include "nodexa/nodexa.h"

namespace {

using Lines = std::vector<std::string>;
using nodexa::test::FailingAllocation;
using nodexa::test::TestMachine;

const char kKey[] = "SOFTWARE\\NodexaBoundaryTest";

std::string Registry() {
  return nodexa::test::WindowsMachineRegistry() +
         "\n[-HKEY_LOCAL_MACHINE\\SOFTWARE\\NodexaBoundaryTest]\n"
         "[HKEY_LOCAL_MACHINE\\SOFTWARE\\NodexaBoundaryTest]\n";
}

// The port searches' requests, built before any allocation is made to fail.
const NodexaList kInkjetRequest{"Inkjet"};
const NodexaList kFilteredRequest{"QuorvexQX100", "Addresses", "PORTA", ""};

using nodexa::test::DiscoveredRecords;

// The lines of a filtered search; null, its failure result, counts as none.
int32_t FilteredLineCount(const NodexaList* found) {
  return std::max(0, nodexa::test::FilteredLines(found));
}

struct BoundaryCase {
  const char* name;
  const char* module;  // stand-in file on the medium
  std::string answers;
  // The argument; "{module}" stands for the module's full path.
  const char* values;
  int32_t (*call)(const char* values);
  int32_t success;  // with no allocation failing
  bool keepsModule = false;
  // A failure may leave the port search's list shorter: any result from 0
  // to `success` is one.
  bool shorterOnFailure = false;
  // The configuration module's answers, for a search that asks it.
  const char* configuration = nullptr;
};

void PrintTo(const BoundaryCase& c, std::ostream* out) { *out << c.name; }

const BoundaryCase kCases[] = {
    {"ConfigurePortIP", "QVXAhcp.dll", "",
     "10.0.0.5|1|10.0.0.255|255.255.255.0|QX|00-11-22-33-44-55|10.0.0.1", ConfigurePortIP, 1},
    {"RegisterNetworkSubnets", "QVXAhcp.dll", "", "10.1.2.0|10.9.0.0:255.255.0.0",
     RegisterNetworkSubnets, 1, true},
    {"FindPorts", "QVXAhcp.dll", nodexa::test::OfficeNetwork(), "",
     [](const char*) { return DiscoveredRecords(FindPorts(&kInkjetRequest)); }, 3, false, true},
    {"FindAllPorts", "QVXAhcp.dll", nodexa::test::OfficeNetwork(), "",
     [](const char*) { return DiscoveredRecords(FindAllPorts(&kInkjetRequest)); }, 3, false, true,
     "item.10000.1=QX-100 Series\n"},
    {"FindAllPortsFiltered", "QVXAhcp.dll", nodexa::test::OfficeNetwork(), "",
     [](const char*) { return FilteredLineCount(FindAllPortsFiltered(&kFilteredRequest)); }, 7,
     false, true},
    {"CreateP2PPortIP", "QVXAinst.dll", "", "\\\\SERVER\\LASER", CreateP2PPortIP, 1},
    {"VerifySharedPrinterExists", "QVXAinst.dll", "", "SERVER|LASER|QX", VerifySharedPrinterExists,
     0},
    {"AddFirewallException", "QVXAinst.dll", "", "P2P", AddFirewallException, 1},
    {"RemoveFirewallException", "QVXAinst.dll", "", "",
     [](const char*) { return RemoveFirewallException(); }, 1},
    {"IsINAAttached", "QVXAinst.dll",
     "GetINAInfoQcs.text=<INASUPPORTED>1</INASUPPORTED>\nGetINAInfoQcs.pad=1500\n", "USB001",
     IsINAAttached, 1},
    // The printer of the model is on the POSIX stand-in machine only.
    {"DoesINAPrinterExists", "QVXAinst.dll", "GetINAInfoQcs.text=<INASUPPORTED>1</INASUPPORTED>\n",
     "QuorvexQX100", DoesINAPrinterExists, TestMachine::IsStandIn() ? 1 : 0},
    {"GetScannerRegisterInfo", "QVXAinst.dll",
     "GetScannerHostInfoQcs.text=<PcName>414200</PcName><CodePage>1252</CodePage>\n", kKey,
     GetScannerRegisterInfo, 1},
    {"SetScannerRegisterInfo", "QVXAinst.dll", "",
     "USB001|AB|932|SOFTWARE\\NodexaBoundaryTest|1234", SetScannerRegisterInfo, 1},
    {"ValidateUnicodeString", "QVXAgrd.dll", "",
     "{module}|Office PC|Name|SOFTWARE\\NodexaBoundaryTest", ValidateUnicodeString, 1},
};

std::string CaseName(const ::testing::TestParamInfo<BoundaryCase>& param) {
  return param.param.name;
}

class AllocationFailure : public ::testing::TestWithParam<BoundaryCase> {
 protected:
  AllocationFailure() : devices(machine) {
    devices.SetDevices("[USB\\A\\1]\nHardwareID=USBPRINT\\QuorvexQX100\nPortName=USB001\n");
    std::ofstream(medium.Root() / "Install" / "Config" / "product.ini", std::ios::binary)
        << "[GENERAL]\nProductKey=QX-100 Series\n[NetworkStuff]\nPORTNAME_PREFIX=QX Port\n";
    nodexa::test::WriteRuleFile(medium, nodexa::test::kAddressRuleFile);
    SetupDebugLog(medium.LogPath().c_str());
  }
  ~AllocationFailure() override { SetupDebugLog(""); }

  TestMachine machine{Registry()};
  nodexa::test::TestDevices devices;
  nodexa::test::TestMedium medium;
};

TEST_P(AllocationFailure, EveryFailedAllocationEndsInAResultAndReleasesTheModule) {
  const BoundaryCase& c = GetParam();
  const std::string modulePath = medium.InstallModule(c.module, c.module).string();
  medium.SetAnswers(c.module, c.answers);
  if (c.configuration != nullptr) {
    medium.InstallModule("QVXAcfg.dll", "QVXAcfg.dll");
    medium.SetAnswers("QVXAcfg.dll", c.configuration);
  }
  std::string values = c.values;
  const size_t placeholder = values.find("{module}");
  if (placeholder != std::string::npos) values.replace(placeholder, 8, modulePath);

  size_t successes = 0;
  for (;; ++successes) {
    medium.ClearJournal(c.module);
    int32_t result = -1;
    bool escaped = false;
    bool failed = false;
    {
      const FailingAllocation failing(successes);
      try {
        result = c.call(values.c_str());
      } catch (...) {
        escaped = true;
      }
      failed = FailingAllocation::Failed();
    }
    ASSERT_FALSE(escaped) << "allocation " << successes;
    if (!failed) {
      EXPECT_EQ(result, c.success);
      break;
    }
    if (c.shorterOnFailure) {
      EXPECT_TRUE(result >= 0 && result <= c.success)
          << "allocation " << successes << ": " << result;
    } else {
      EXPECT_TRUE(result == 0 || result == c.success)
          << "allocation " << successes << ": " << result;
    }
    const Lines journal = medium.Journal(c.module);
    if (!c.keepsModule && !journal.empty()) {
      ASSERT_EQ(journal.back(), "Unload") << "allocation " << successes;
    }
  }
  RecordProperty("allocations", static_cast<int>(successes));
  EXPECT_GT(successes, 0u);

  // Afterwards everything works as before.
  EXPECT_EQ(c.call(values.c_str()), c.success);
}

INSTANTIATE_TEST_SUITE_P(Exports, AllocationFailure, ::testing::ValuesIn(kCases), CaseName);

// A message whose allocation fails is lost, but only that one: later lines
// reach the log whole. The failing call's message names a long module path,
// so it grows the log's line buffer and some failures land in the middle of
// writing it; nothing on its way there catches a failure.
TEST(AllocationFailureLog, LaterMessagesAreWrittenWhole) {
  nodexa::test::TestMedium medium;
  SetupDebugLog(medium.LogPath().c_str());
  const std::string missingModule = "missing" + std::string(100000, 'x') + ".dll|text|name|key";
  const Lines expected{"Nodexa::ValidateUnicodeString:Invalid Parameter passed"};

  for (size_t successes = 0;; ++successes) {
    bool failed = false;
    {
      const FailingAllocation failing(successes);
      EXPECT_EQ(ValidateUnicodeString(missingModule.c_str()), 0);
      failed = FailingAllocation::Failed();
    }
    std::filesystem::remove(medium.LogPath());
    EXPECT_EQ(ValidateUnicodeString("too|few"), 0);
    ASSERT_EQ(medium.LogLines(), expected) << "after failing allocation " << successes;
    std::filesystem::remove(medium.LogPath());
    if (!failed) break;
  }
  SetupDebugLog("");
}

// Inside the XML reader a failed allocation comes out as the failure, after
// expat has returned; it never makes a shorter list of tags.
TEST(AllocationFailureXml, ReadTagsGivesEveryTagOrFails) {
  const std::string text = "<IPADDRESS>10.1.2.3</IPADDRESS><HOSTNAME> QX-100 </HOSTNAME>" +
                           std::string(3000, ' ') + "<PAD>" + std::string(2000, 'p') + "</PAD>";
  const std::vector<nodexa::Tag> complete = nodexa::ReadTags("DiscoveredPort", text);
  ASSERT_EQ(complete.size(), 3u);
  for (size_t successes = 0;; ++successes) {
    std::vector<nodexa::Tag> tags;
    bool threw = false;
    bool failed = false;
    {
      const FailingAllocation failing(successes);
      try {
        tags = nodexa::ReadTags("DiscoveredPort", text);
      } catch (const std::bad_alloc&) {
        threw = true;
      }
      failed = FailingAllocation::Failed();
    }
    EXPECT_EQ(threw, failed) << "allocation " << successes;
    if (!threw) {
      ASSERT_EQ(tags.size(), complete.size()) << "allocation " << successes;
      EXPECT_EQ(tags.back().text, complete.back().text);
    }
    if (!failed) break;
  }
}

}  // namespace
