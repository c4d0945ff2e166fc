// FindPorts through the built library: records of the stand-in module's
// devices, the texts the module receives, and bad device descriptions.
#include <gtest/gtest.h>

#include "exports/export_fixture.h"

namespace {

using nodexa::test::Lines;

using nodexa::test::kDiscoveryBase;
const std::string kAttached = "<CPDATTACHED>1</CPDATTACHED>";
const std::string kUnattached = "<CPDATTACHED>0</CPDATTACHED>";

class FindPortsTest : public nodexa::test::ExportTest {
 protected:
  FindPortsTest() { OfficeHcp(); }
  Lines Find(const Lines& request) {
    const nodexa::PortList list(request);
    const NodexaList* found = FindPorts(list.get());
    EXPECT_NE(found, nullptr);
    return nodexa::test::ReadList(found);
  }
};

TEST_F(FindPortsTest, InkjetRecordsOfTheProductKey) {
  EXPECT_EQ(Find({"Inkjet"}), nodexa::test::InkjetRecords(""));
  EXPECT_EQ(Calls(), (Lines{"Load", "Initialize\t1", "Discover\t" + kDiscoveryBase,
                            "Enumerate\t" + kAttached, "Enumerate\t" + kAttached, "Uninitialize",
                            "Unload"}));
  EXPECT_TRUE(medium.LogLines().empty());
}

TEST_F(FindPortsTest, TypeInAnyCase) {
  EXPECT_EQ(Find({"INKJET"}), nodexa::test::InkjetRecords(""));
}

TEST_F(FindPortsTest, EachSearchReplacesTheSameList) {
  const nodexa::PortList inkjet{"Inkjet"};
  const NodexaList* first = FindPorts(inkjet.get());
  ASSERT_EQ(nodexa::test::ReadList(first).size(), 3u);
  const nodexa::PortList laser{"LaserPrinter"};
  EXPECT_EQ(FindPorts(laser.get()), first);
  EXPECT_TRUE(nodexa::test::ReadList(first).empty());
}

TEST_F(FindPortsTest, LaserPrintersHaveNoModelListHere) {
  EXPECT_TRUE(Find({"LaserPrinter"}).empty());
  EXPECT_EQ(Calls()[3], "Enumerate\t" + kUnattached);
}

struct BrandCase {
  const char* brand;
  Lines records;
};

TEST_F(FindPortsTest, ScannersByBrand) {
  const BrandCase cases[] = {
      {"Quorvex", {"SX5(10.1.2.9)|SX5|10.1.2.9|Quorvex SX-5 MFP|1|Bidi"}},
      {"quorvex", {"SX5(10.1.2.9)|SX5|10.1.2.9|Quorvex SX-5 MFP|1|Bidi"}},
      {"Acme", {"ACME5(10.1.2.10)|ACME5|10.1.2.10|Acme SX-5 MFP|1|Bidi"}},
      {"", {}},
  };
  for (const BrandCase& c : cases) {
    Product(std::string("[General]\nOEMDisplay=") + c.brand + "\n");
    EXPECT_EQ(Find({"LaserScanner"}), c.records) << c.brand;
  }
}

// How each subnet is written is the parameter table's business; here the
// request's subnets must reach the module.
TEST_F(FindPortsTest, RemoteSubnetsReachDiscover) {
  Find({"Inkjet", "10.1.0.0", "10.2.0.0:255.255.0.0"});
  ASSERT_GE(Journal().size(), 3u);
  EXPECT_EQ(Journal()[2], "Discover\t" + kDiscoveryBase +
                              "<RemoteSubnets>10.1.0.0:255.255.255.0;10.2.0.0:255.255.0.0;"
                              "</RemoteSubnets>");
}

TEST_F(FindPortsTest, NullRequestRunsAnUnfilteredDiscoveryAndListsNothing) {
  EXPECT_TRUE(nodexa::test::ReadList(FindPorts(nullptr)).empty());
  EXPECT_EQ(Calls(), (Lines{"Load", "Initialize\t1", "Discover\t" + kDiscoveryBase, "Enumerate\t",
                            "Enumerate\t", "Uninitialize", "Unload"}));
  medium.ClearJournal("QVXAhcp.dll");
  EXPECT_TRUE(Find({}).empty());
  EXPECT_EQ(Journal()[2], "Discover\t" + kDiscoveryBase);
  EXPECT_TRUE(medium.LogLines().empty());
}

TEST_F(FindPortsTest, WithoutProductIniOnlyDevicesWithoutIdentificationMatch) {
  std::filesystem::remove(medium.Root() / "Install" / "Config" / "product.ini");
  EXPECT_TRUE(Find({"Inkjet"}).empty());
  medium.SetAnswers("QVXAhcp.dll",
                    "attached=<IPADDRESS>10.1.2.3</IPADDRESS>"
                    "<IPNETMASK>255.255.255.0</IPNETMASK>"
                    "<SUBNETADDRESS>10.1.2.0</SUBNETADDRESS><MACUAA>0011223344AB"
                    "</MACUAA><ADAPTERPORT>1</ADAPTERPORT>\n");
  EXPECT_EQ(Find({"Inkjet"}),
            Lines{"_3344AB_P1|10.1.2.3||0011223344AB|1|NoBidi|||||255.255.255.0"});
}

TEST_F(FindPortsTest, BadDescriptionsGiveDefinedRecords) {
  medium.SetAnswers(
      "QVXAhcp.dll",
      "attached=<IPNAME>stray</IPNAME><<IPADDRESS>10.1.2.3</IPADDRESS><1284STRID>QX-100"
      "</1284STRID>\n"
      "attached=" +
          nodexa::test::InkjetDevice("short", "10.1.2.6",
                                     "2621442621442621442621442621442621442621", "4AB", "3") +
          "\n"
          "attached=<IPNAME>noid</IPNAME><IPADDRESS>10.1.2.8</IPADDRESS><IPNETMASK>255.255.255.0"
          "</IPNETMASK><SUBNETADDRESS>10.1.2.0</SUBNETADDRESS>\n"
          "attached=\n"
          "attached=<IPNAME>open<IPADDRESS>10.1.2.9</IPADDRESS><1284STRID>QX-100</1284STRID>\n"
          "attached=<1284STRID>QX-100</1284STRID><ADAPTERCAP>-</ADAPTERCAP><IPNAME>a&b</IPNAME>"
          "<IPADDRESS>10.1.2.11</IPADDRESS>\n");
  EXPECT_EQ(Find({"Inkjet"}),
            (Lines{"Quorvex_QX_Port__P||QX-100 Series||1|NoBidi|||stray||",
                   "Quorvex_QX_Port_4AB_P3|10.1.2.6|QX-100 Series|4AB|1|NoBidi|DHCP|10.1.2.255|"
                   "short|10.1.2.1|255.255.255.0",
                   "Quorvex_QX_Port__P|10.1.2.8|QX-100 Series||1|NoBidi|||noid||255.255.255.0",
                   "Quorvex_QX_Port__P||QX-100 Series||1|NoBidi|||||",
                   // Left open, IPNAME keeps its own text; its children are no fields.
                   "Quorvex_QX_Port__P||QX-100 Series||1|NoBidi|||open||",
                   // A bare '&' stops the reading inside IPNAME.
                   "Quorvex_QX_Port__P||QX-100 Series||1|NoBidi|||a||"}));
  EXPECT_TRUE(medium.LogLines().empty());
}

}  // namespace
