// FindAllPorts through the built library: discovered records, marked, then
// the spooler's local ports (the stand-in's on POSIX, Wine's real spooler in
// the Windows build).
#include <gtest/gtest.h>

#include <algorithm>

#include "exports/export_fixture.h"

namespace {

using nodexa::test::Lines;
using nodexa::test::TestMachine;

using nodexa::test::kDiscoveryBase;
const std::string kMarker = "%DiscoveredPrinter%|";
const char kTooSmall[] = "PortAction::OurEnumPorts: Buffer is too small - trying again... 122";

// Local ports of the stand-in spooler: a port listed twice in other letter
// case, and a name listed twice with different descriptions.
const char kSpooler[] =
    "[Port LPT1:]\nMonitor=Local Port\nDescription=Printer Port\n"
    "[Port COM1:]\nDescription=Serial Port\n"
    "[Port lpt1:]\nDescription=PRINTER PORT\n"
    "[Port FILE:]\nDescription=Print to File\n"
    "[Port LPT1:]\nDescription=Second\n";
const Lines kLocalRecords{"LPT1:|\"Printer Port\"", "COM1:|\"Serial Port\"",
                          "FILE:|\"Print to File\"", "LPT1:|\"Second\""};

// Ports every Wine 8 prefix defines, with the description Wine's local
// port monitor gives them.
const Lines kWineRecords{"LPT1:|\"Local Port\"", "COM1:|\"Local Port\"", "FILE:|\"Local Port\""};

Lines Concat(Lines first, const Lines& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

class FindAllPortsTest : public nodexa::test::ExportTest {
 protected:
  FindAllPortsTest() {
    OfficeHcp();
    medium.InstallModule("QVXAcfg.dll", "QVXAcfg.dll");
    medium.SetAnswers("QVXAcfg.dll", "item.10000.1=QX-100 Series\n");
    machine.SetSpooler(kSpooler);
  }

  static Lines Find(const NodexaList* request) {
    const NodexaList* found = FindAllPorts(request);
    EXPECT_NE(found, nullptr);
    return nodexa::test::ReadList(found);
  }
  static Lines Find(const Lines& request) { return Find(nodexa::PortList(request).get()); }

  // Checks that `found` is `discovered` followed by the machine's local
  // ports: on the stand-in exactly `local`, in the Windows build the real
  // spooler's ports, among them kWineRecords.
  static void ExpectDiscoveredThenLocal(const Lines& found, const Lines& discovered,
                                        const Lines& local = kLocalRecords) {
    if (TestMachine::IsStandIn()) {
      EXPECT_EQ(found, Concat(discovered, local));
      return;
    }
    ASSERT_GE(found.size(), discovered.size() + kWineRecords.size());
    EXPECT_EQ(Lines(found.begin(), found.begin() + static_cast<long>(discovered.size())),
              discovered);
    const Lines tail(found.begin() + static_cast<long>(discovered.size()), found.end());
    for (const std::string& record : kWineRecords) {
      EXPECT_NE(std::find(tail.begin(), tail.end(), record), tail.end()) << record;
    }
    for (const std::string& record : tail) {
      EXPECT_EQ(record.find(kMarker), std::string::npos) << record;
      EXPECT_EQ(record.back(), '"') << record;
    }
  }

  // No two lines equal but for the case of A to Z.
  static void ExpectNoDuplicates(const Lines& found) {
    Lines folded;
    for (std::string line : found) {
      std::transform(line.begin(), line.end(), line.begin(),
                     [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
      folded.push_back(line);
    }
    std::sort(folded.begin(), folded.end());
    EXPECT_EQ(std::adjacent_find(folded.begin(), folded.end()), folded.end());
  }
};

TEST_F(FindAllPortsTest, InkjetRecordsOfTheModelValueThenLocalPorts) {
  const Lines found = Find({"Inkjet"});
  ExpectDiscoveredThenLocal(found, nodexa::test::InkjetRecords(kMarker));
  ExpectNoDuplicates(found);
  EXPECT_EQ(Calls(), (Lines{"Load", "Initialize\t1", "Discover\t" + kDiscoveryBase,
                            "Enumerate\t<CPDATTACHED>1</CPDATTACHED>",
                            "Enumerate\t<CPDATTACHED>1</CPDATTACHED>", "Uninitialize", "Unload"}));
  // The model value is item 10000, sub-item 1, asked for its size first.
  EXPECT_EQ(medium.Journal("QVXAcfg.dll"), (Lines{"Load", "GetConfigData\t0\t10000\t1\tnull\t0",
                                                  "GetConfigData\t0\t10000\t1\tbuffer\t14"}));
  EXPECT_EQ(medium.LogLines(), Lines{kTooSmall});
}

TEST_F(FindAllPortsTest, WithoutTheConfigurationModuleNoInkjetMatches) {
  std::filesystem::remove(medium.ModuleFolder() / "QVXAcfg.dll");
  ExpectDiscoveredThenLocal(Find(Lines{"Inkjet"}), {});
  EXPECT_EQ(medium.LogLines(), (Lines{"Could not locate config dll", kTooSmall}));
}

TEST_F(FindAllPortsTest, ScannerRecordsAreMarkedAfterIPNAME) {
  ExpectDiscoveredThenLocal(
      Find(Lines{"LaserScanner", "10.3.0.0:255.255.0.0", "10.4.0.0"}),
      {"SX5(10.1.2.9)|SX5|%DiscoveredPrinter%|10.1.2.9|Quorvex SX-5 MFP|1|Bidi"});
  EXPECT_EQ(Calls()[2], "Discover\t" + kDiscoveryBase +
                            "<RemoteSubnets>10.3.0.0:255.255.0.0;10.4.0.0:255.255.255.0;"
                            "</RemoteSubnets>");
  EXPECT_EQ(Calls()[3], "Enumerate\t<CPDATTACHED>0</CPDATTACHED>");
}

TEST_F(FindAllPortsTest, LaserPrintersMatchTheEmptyProductDataTable) {
  ExpectDiscoveredThenLocal(Find(Lines{"LaserPrinter"}), {});
  EXPECT_EQ(Calls()[3], "Enumerate\t<CPDATTACHED>0</CPDATTACHED>");
}

TEST_F(FindAllPortsTest, NullRequestListsOnlyLocalPorts) {
  ExpectDiscoveredThenLocal(Find(nullptr), {});
  EXPECT_EQ(Calls(), (Lines{"Load", "Initialize\t1", "Discover\t" + kDiscoveryBase, "Enumerate\t",
                            "Enumerate\t", "Uninitialize", "Unload"}));
  ExpectDiscoveredThenLocal(Find(Lines()), {});
}

TEST_F(FindAllPortsTest, TheMarkerStaysOnUntilFindPorts) {
  const nodexa::PortList request{"Inkjet"};
  ASSERT_EQ(Find(request.get()).front(), nodexa::test::InkjetRecords(kMarker).front());
  const NodexaList* found = FindPorts(request.get());
  EXPECT_EQ(found, FindAllPorts(request.get()));
  EXPECT_EQ(nodexa::test::ReadList(FindPorts(request.get())), nodexa::test::InkjetRecords(""));
}

// A failing spooler leaves the local ports out (the spooler table of the
// discovery tests has every way it can fail).
TEST_F(FindAllPortsTest, FailingSpoolerAddsNoLocalPorts) {
  if (!TestMachine::IsStandIn()) GTEST_SKIP() << "the stand-in spooler's fault switches";
  machine.SetSpooler(std::string(kSpooler) + "[Faults]\nEnumPortsError=1722\n");
  EXPECT_EQ(Find(Lines{"LaserScanner"}),
            Lines{"SX5(10.1.2.9)|SX5|%DiscoveredPrinter%|10.1.2.9|Quorvex SX-5 MFP|1|Bidi"});
  EXPECT_EQ(medium.LogLines(),
            Lines{"PortAction::OurEnumPorts: EnumPorts returned error code 1722"});
}

TEST_F(FindAllPortsTest, WithoutModuleOnlyLocalPorts) {
  std::filesystem::remove(medium.ModuleFolder() / "QVXAhcp.dll");
  ExpectDiscoveredThenLocal(Find(Lines{"Inkjet"}), {});
  const Lines log = medium.LogLines();
  EXPECT_NE(std::find(log.begin(), log.end(),
                      "Nodexa::GetHCPDLLFilePath:Cannot find the file xxxxhcp.dll"),
            log.end());
}

}  // namespace
