// The SNMP discovery module through the library, inside the network rig
// (scripts/rig-run.sh): the records FindPorts and FindAllPorts give for the
// simulated printers the rig's manifest lists, computed here from the
// manifest alone. Run anywhere else, it fails: there is nothing to find.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "harness/test_medium.h"
#include "nodexa/nodexa.h"
#include "nodexa/port_list.h"
#include "rig/rig_manifest.h"

namespace {

using Lines = std::vector<std::string>;

using Printer = nodexa::test::RigHost;

uint32_t Address(const std::string& dotted) {
  uint32_t address = 0;
  std::stringstream stream(dotted);
  std::string part;
  while (std::getline(stream, part, '.'))
    address = address << 8 | static_cast<uint32_t>(std::stoul(part));
  return address;
}

std::string Dotted(uint32_t address) {
  return std::to_string(address >> 24) + '.' + std::to_string(address >> 16 & 0xFF) + '.' +
         std::to_string(address >> 8 & 0xFF) + '.' + std::to_string(address & 0xFF);
}

// The product is the InkJet 5200, named by its 1284 device ID or, for an
// agent without one, by its device description.
bool IsProduct(const Printer& printer) {
  return printer["deviceid"].find("MDL:InkJet 5200;") != std::string::npos ||
         (printer["deviceid"].empty() && printer["hrdescr"] == "Quorvex InkJet 5200");
}

// The inkjet record of a product printer with the model entry FindPorts
// (product.ini's ProductKey) or FindAllPorts (the configuration module's
// MODEL) matched it with.
const std::string kProductKey = "Quorvex InkJet 5200";
const std::string kModel = "Quorvex InkJet 5200 Series";

std::string Record(const Printer& p, const std::string& model, const std::string& marker) {
  const std::string& mac = p["mac"];
  const uint32_t broadcast = Address(p["ip"]) | ~Address(p["mask"]);
  return "Quorvex_IJ5200_" + mac.substr(mac.size() - 6) + "_P1|" + marker + p["ip"] + "|" + model +
         "|" + mac + "|1|Bidi|0|" + Dotted(broadcast) + "|" + p["sysname"] + "|" + p["gateway"] +
         "|" + p["mask"];
}

Lines Expected(const std::vector<Printer>& printers, const Lines& nets, const std::string& model,
               const std::string& marker = "") {
  std::vector<const Printer*> chosen;
  for (const Printer& printer : printers) {
    if (IsProduct(printer) && std::find(nets.begin(), nets.end(), printer["net"]) != nets.end()) {
      chosen.push_back(&printer);
    }
  }
  std::sort(chosen.begin(), chosen.end(), [](const Printer* a, const Printer* b) {
    return Address((*a)["ip"]) < Address((*b)["ip"]);
  });
  Lines records;
  for (const Printer* printer : chosen) records.push_back(Record(*printer, model, marker));
  return records;
}

class RigDiscoveryTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    printers = std::make_unique<std::vector<Printer>>(nodexa::test::ReadRigManifest());
    medium = std::make_unique<nodexa::test::TestMedium>();
    medium->InstallModule("QVXAhcp-snmp.dll", "QVXAhcp.dll");
    medium->InstallModule("QVXAcfg.dll", "QVXAcfg.dll");
    medium->SetAnswers("QVXAcfg.dll", "item.10000.1=" + kModel + "\n");
    std::ofstream(medium->Root() / "Install" / "Config" / "product.ini", std::ios::binary)
        << "[General]\nOEMDisplay=Quorvex\nProductKey=" << kProductKey
        << "\n[NetworkStuff]\nPORTNAME_PREFIX=Quorvex IJ5200\n";
  }
  static void TearDownTestSuite() {
    medium.reset();
    printers.reset();
  }

  static Lines Search(NodexaList* (*search)(const NodexaList*), const Lines& request) {
    const nodexa::PortList list(request);
    return nodexa::PortList::Read(search(list.get())).value_or(Lines{});
  }

  static inline std::unique_ptr<std::vector<Printer>> printers;
  static inline std::unique_ptr<nodexa::test::TestMedium> medium;
};

const std::string kMarker = "%DiscoveredPrinter%|";

TEST_F(RigDiscoveryTest, ManifestListsLocalAndRemotePrinters) {
  ASSERT_FALSE(Expected(*printers, {"local"}, kModel).empty()) << "run inside scripts/rig-run.sh";
  ASSERT_FALSE(Expected(*printers, {"remote"}, kModel).empty());
}

// The broadcast finds the local product printers, the agent that hides its
// reply among hostile datagrams included, and not the one that fell silent.
TEST_F(RigDiscoveryTest, FindPortsListsTheLocalProductPrinters) {
  EXPECT_EQ(Search(FindPorts, {"Inkjet"}),
            Expected(*printers, {"local", "hostile-valid"}, kProductKey));
}

TEST_F(RigDiscoveryTest, FindAllPortsMarksTheSamePrinters) {
  Lines discovered;
  for (const std::string& record : Search(FindAllPorts, {"Inkjet"})) {
    if (record.find(kMarker) != std::string::npos) discovered.push_back(record);
  }
  EXPECT_EQ(discovered, Expected(*printers, {"local", "hostile-valid"}, kModel, kMarker));
}

TEST_F(RigDiscoveryTest, RegisteredSubnetsAreSearchedToo) {
  std::string subnets;
  for (const Printer& printer : *printers) {
    if (printer["net"] != "remote") continue;
    const std::string subnet =
        Dotted(Address(printer["ip"]) & Address(printer["mask"])) + ":" + printer["mask"];
    if (subnets.find(subnet) == std::string::npos) subnets += (subnets.empty() ? "" : "|") + subnet;
  }
  ASSERT_EQ(RegisterNetworkSubnets(subnets.c_str()), 1);
  EXPECT_EQ(Search(FindPorts, {"Inkjet"}),
            Expected(*printers, {"local", "hostile-valid", "remote"}, kProductKey));
}

}  // namespace
