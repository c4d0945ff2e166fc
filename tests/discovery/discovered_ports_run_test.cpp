// hcpGetDiscoveredPorts with the stand-in host-communication module: what
// the module lists under each filter and what reaches PortResults.
#include <gtest/gtest.h>

#include <fstream>

#include "discovery/discovered_ports.h"
#include "discovery/discovery_run.h"
#include "discovery/port_results.h"
#include "harness/test_machine.h"
#include "harness/test_medium.h"
#include "nodexa/nodexa.h"
#include "support/ini_file.h"
#include "support/resolver.h"

namespace nodexa {
namespace {

using Lines = std::vector<std::string>;

const std::string kParameters = "<UNICAST>1</UNICAST><LocalSubnets>1</LocalSubnets>";

class DiscoveredPortsRunTest : public ::testing::Test {
 protected:
  DiscoveredPortsRunTest() {
    SetupDebugLog(medium.LogPath().c_str());
    medium.InstallModule("QVXAhcp.dll", "QVXAhcp.dll");
  }
  ~DiscoveredPortsRunTest() override {
    SetupDebugLog("");
    PortResults().clear();
  }

  void Devices(const std::string& answers) const { medium.SetAnswers("QVXAhcp.dll", answers); }
  void Product(const std::string& text) const {
    std::ofstream(medium.Root() / "Install" / "Config" / "product.ini", std::ios::binary) << text;
  }

  test::TestMachine machine{test::WindowsMachineRegistry()};
  test::TestMedium medium;
};

struct FilterCase {
  const char* name;
  const char* filter;
  Lines listed;
};

class FilterTable : public DiscoveredPortsRunTest,
                    public ::testing::WithParamInterface<FilterCase> {};

TEST_P(FilterTable, StandInListsByAttachment) {
  Devices(
      "attached=<A>1</A>\nunattached=<U>1</U>\ndevice=<D>1</D>\nattached=<A>2</A>\n"
      "unattached=<U>2</U>\n");
  const auto devices = DiscoveryRun("hcpGetDiscoveredPorts:", kParameters, GetParam().filter);
  ASSERT_TRUE(devices);
  EXPECT_EQ(*devices, GetParam().listed);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FilterTable,
    ::testing::Values(
        FilterCase{
            "Attached", "<CPDATTACHED>1</CPDATTACHED>", {"<A>1</A>", "<D>1</D>", "<A>2</A>"}},
        FilterCase{
            "Unattached", "<CPDATTACHED>0</CPDATTACHED>", {"<U>1</U>", "<D>1</D>", "<U>2</U>"}},
        FilterCase{"NoFilter", "", {"<A>1</A>", "<U>1</U>", "<D>1</D>", "<A>2</A>", "<U>2</U>"}},
        FilterCase{"AmongOtherElements",
                   "<X>0</X><CPDATTACHED>0</CPDATTACHED>",
                   {"<U>1</U>", "<D>1</D>", "<U>2</U>"}},
        FilterCase{"OtherValue",
                   "<CPDATTACHED>2</CPDATTACHED>",
                   {"<A>1</A>", "<U>1</U>", "<D>1</D>", "<A>2</A>", "<U>2</U>"}}),
    [](const ::testing::TestParamInfo<FilterCase>& row) { return std::string(row.param.name); });

TEST_F(DiscoveredPortsRunTest, RecordsFollowWhatIsAlreadyListed) {
  Devices(
      "attached=<IPNAME>a</IPNAME><IPADDRESS>10.1.2.3</IPADDRESS><1284STRID>QX-1</1284STRID>\n"
      "unattached=<IPNAME>b</IPNAME><IPADDRESS>10.1.2.4</IPADDRESS>"
      "<1284STRID>QX-2</1284STRID>\n");
  PortResults() = {"kept"};
  SetMarkDiscovered(false);
  hcpGetDiscoveredPorts(kParameters, "", {"QX-1 and QX-2"}, "LaserPrinter");
  EXPECT_EQ(PortResults(), (Lines{"kept", "a|10.1.2.3|QX-1 and QX-2|-1|NoBidi",
                                  "b|10.1.2.4|QX-1 and QX-2|-1|NoBidi"}));
  EXPECT_EQ(medium.Journal("QVXAhcp.dll")[3], "Enumerate\t0\t");
  EXPECT_TRUE(medium.LogLines().empty());
}

TEST_F(DiscoveredPortsRunTest, AModelListSuppressesScanners) {
  Product("[General]\nOEMDisplay=Quorvex\n");
  Devices(
      "unattached=<IPNAME>s</IPNAME><IPADDRESS>10.1.2.9</IPADDRESS>"
      "<1284STRID>Quorvex SX-5</1284STRID><MODEL_ID>4</MODEL_ID>\n");
  hcpGetDiscoveredPorts(kParameters, "<CPDATTACHED>0</CPDATTACHED>", {"Quorvex SX-5"},
                        "LaserScanner");
  EXPECT_TRUE(PortResults().empty());
  hcpGetDiscoveredPorts(kParameters, "<CPDATTACHED>0</CPDATTACHED>", {}, "LaserScanner");
  EXPECT_EQ(PortResults(), Lines{"s(10.1.2.9)|s|10.1.2.9|Quorvex SX-5 MFP|-1|NoBidi"});
}

TEST_F(DiscoveredPortsRunTest, NothingWithoutADiscovery) {
  Devices("Discover.result=1\nattached=<IPADDRESS>10.1.2.3</IPADDRESS>\n");
  PortResults() = {"kept"};
  hcpGetDiscoveredPorts(kParameters, "", {""}, "Inkjet");
  EXPECT_EQ(PortResults(), Lines{"kept"});
  EXPECT_TRUE(medium.LogLines().empty());
}

TEST_F(DiscoveredPortsRunTest, ProductIniIsReadFromTheMedium) {
  Product("[General]\nOEMDisplay=Acme\n[NetworkStuff]\nPORTNAME_PREFIX = Acme QX \n");
  Devices(
      "attached=<IPADDRESS>10.1.2.3</IPADDRESS><IPNETMASK>255.255.255.0</IPNETMASK>"
      "<SUBNETADDRESS>10.1.2.0</SUBNETADDRESS><MACUAA>00AA00BB00CC</MACUAA>"
      "<ADAPTERPORT>2</ADAPTERPORT>\n");
  hcpGetDiscoveredPorts(kParameters, "", {"QX"}, "Inkjet");
  EXPECT_EQ(PortResults(), Lines{"Acme_QX_BB00CC_P2|10.1.2.3|QX|00AA00BB00CC|1|NoBidi|||||"
                                 "255.255.255.0"});
}

TEST_F(DiscoveredPortsRunTest, UnconfiguredNameComesFromTheResolverTable) {
  Devices(
      "attached=<IPADDRESS>0.0.0.0</IPADDRESS><IPNETMASK>255.255.255.0</IPNETMASK>"
      "<SUBNETADDRESS>10.1.2.0</SUBNETADDRESS>\n");
  ResolverTable().SetValue("Global", "unconfigured", "Not set up");
  hcpGetDiscoveredPorts(kParameters, "", {""}, "Inkjet");
  ResolverTable().removeSection("Global", false);
  EXPECT_EQ(PortResults(), Lines{"Not set up|0.0.0.0|||-1|NoBidi|||||255.255.255.0"});
}

// FindAllPorts takes the laser printers' models from the process-wide
// product-data table, which only a host program fills.
TEST_F(DiscoveredPortsRunTest, FindAllPortsMatchesTheSecondModelOfTheProductData) {
  ProductDataTable().SetValue("Manufacturer", "KEY#001", "Quorvex");
  ProductDataTable().SetValue("Quorvex", "KEY#001", "QX-200 Series");
  ProductDataTable().SetValue("Quorvex", "KEY#002", "QX-100 Series");
  Devices(
      "unattached=<IPNAME>laser</IPNAME><IPADDRESS>10.1.2.3</IPADDRESS>"
      "<1284STRID>QX-100</1284STRID><ADAPTERCAP>262144</ADAPTERCAP>"
      "<IPNETMASK>255.255.255.0</IPNETMASK><SUBNETADDRESS>10.1.2.0</SUBNETADDRESS>\n");
  machine.SetSpooler("");
  const NodexaList request{"LaserPrinter"};
  const NodexaList* found = FindAllPorts(&request);
  ProductDataTable().removeSection("Manufacturer", false);
  ProductDataTable().removeSection("Quorvex", false);
  ASSERT_EQ(found, &PortResults());
  ASSERT_FALSE(found->empty());
  EXPECT_EQ(found->front(), "laser|%DiscoveredPrinter%|10.1.2.3|QX-100 Series|1|Bidi");
  // The stand-in spooler has no ports; a real one adds its local ports.
  if (test::TestMachine::IsStandIn()) {
    EXPECT_EQ(found->size(), 1u);
  }
}

}  // namespace
}  // namespace nodexa
