// FindAllPortsFiltered through the built library: network, USB, spooler,
// shared-printer and supplied port records, chosen and described by a rule
// set of the medium's rule file. The USB printer and the installed printers
// are the stand-in machine's; the Windows build under Wine has neither, so
// there the tests check what Wine's own spooler and an empty device tree
// give.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>

#include "exports/export_fixture.h"

namespace {

using nodexa::test::Lines;
using nodexa::test::TestMachine;

using nodexa::test::kDiscoveryBase;

// "Ports" and "Details" pass every record; a Details line is the record's
// port, port description, product key and address, so it shows which kind
// of record it was. "Product" keeps the records with a product key and
// without an address: the product's local ports.
const char kRuleFile[] =
    "[NetworkInstallData]\n"
    "Ports=<Filter><Any>1</Any></Filter><Output><LOCALPORT/></Output>\n"
    "Details=<Filter><Any>1</Any></Filter>"
    "<Output><LOCALPORT/><LOCALPORTDESCRIPTION/><1284STRID/><IPADDRESS/></Output>\n"
    "Product=<Filter><Keyed>1284STRID.Empty()==0</Keyed><NoAddress>IPADDRESS.Empty()</NoAddress>"
    "</Filter>"
    "<Output><LOCALPORT/></Output>\n";

// The product's USB printer on USB001, a spooler that lists USB001 too and
// usb001 in other letter case, and installed printers: two of the product
// on shares (listed by name ignoring case, so "alpha" comes before "Zeta"),
// one of the product on LPT1:, one of another driver on a share and one
// that another computer offers.
const char kDevices[] =
    "[USB\\VID_1A2B&PID_0001\\5&2C]\n"
    "HardwareID=USBPRINT\\QuorvexInkJet_52007C3D\n"
    "Class=Printer\n"
    "PortName=USB001\n";
const char kSpooler[] =
    "[Port LPT1:]\nDescription=Printer Port\n"
    "[Port USB001]\nDescription=Virtual printer port for USB\n"
    "[Port usb001]\nDescription=Other case\n"
    "[Printer Zeta Office]\nDriver=QX-100 Series\nPort=\\\\server\\queue\n"
    "[Printer alpha desk]\nDriver=qx-100 series\nPort=\\\\Server\\Alpha\n"
    "[Printer Beta Local]\nDriver=QX-100 Series\nPort=LPT1:\n"
    "[Printer Acme]\nDriver=Acme Laser\nPort=\\\\server\\acme\n"
    "[Printer Remote]\nServer=\\\\OFFICE\nDriver=QX-100 Series\nPort=\\\\office\\remote\n";

class FindAllPortsFilteredTest : public nodexa::test::ExportTest {
 protected:
  FindAllPortsFilteredTest() {
    OfficeHcp();
    RuleFile(kRuleFile);
    devices.SetDevices(kDevices);
    machine.SetSpooler(kSpooler);
  }

  // The call's list, which the caller owns; fails the test on null.
  Lines Find(const Lines& arguments) {
    const nodexa::PortList list(arguments);
    const auto found = nodexa::PortList::Adopt(FindAllPortsFiltered(list.get()));
    EXPECT_NE(found.get(), nullptr);
    return found.get() != nullptr ? nodexa::test::ReadList(found.get()) : Lines{};
  }
};

// Remote subnets follow the four fixed entries, each with its mask.
TEST_F(FindAllPortsFilteredTest, RequestsLocalSubnetsAndEachRemoteSubnetWithItsMask) {
  Find({"QuorvexInkJet_52007C3D", "Ports", "", "", "10.1.2.0", "10.9.0.0:255.255.0.0"});
  const Lines calls = Calls();
  ASSERT_GE(calls.size(), 3u);
  EXPECT_EQ(calls[2], "Discover\t" + kDiscoveryBase +
                          "<RemoteSubnets>10.1.2.0:255.255.255.0;10.9.0.0:255.255.0.0;"
                          "</RemoteSubnets>");
  EXPECT_EQ(calls.back(), "Unload");
}

TEST_F(FindAllPortsFilteredTest, RecordsOfEveryKindInCollectionOrder) {
  if (!TestMachine::IsStandIn()) GTEST_SKIP() << "the stand-in's USB printer and printers";
  const Lines found = Find({"QuorvexInkJet_52007C3D", "Details", "PORTA;PORTB", "unused"});
  EXPECT_EQ(found, (Lines{
                       // Network printers as discovery found them.
                       "||QX-100|10.1.2.3",
                       "||QX-100|0.0.0.0",
                       "||Quorvex LP-7|10.1.2.7",
                       "||QX-100|10.1.2.4",
                       "||QX-900|10.1.2.5",
                       "||Quorvex SX-5|10.1.2.9",
                       "||Acme SX-5|10.1.2.10",
                       // The USB printer, which hides the spooler's USB001 but not usb001.
                       "USB001||QX-100 Series|",
                       "LPT1:|Printer Port||",
                       "usb001|Other case||",
                       // Product printers on shares, by name ignoring case.
                       "\\\\Server\\Alpha||QX-100 Series|",
                       "\\\\server\\queue||QX-100 Series|",
                       // The ports the caller named, last.
                       "PORTA||QX-100 Series|",
                       "PORTB||QX-100 Series|",
                   }));
  EXPECT_EQ(medium.LogLines(),
            Lines{"PortAction::OurEnumPorts: Buffer is too small - trying again... 122"});
}

TEST_F(FindAllPortsFilteredTest, AcceptAllListsEveryLocalPortInCollectionOrder) {
  const Lines found = Find({"QuorvexInkJet_52007C3D", "Ports", "PORTA;PORTB", ""});
  if (TestMachine::IsStandIn()) {
    EXPECT_EQ(found, (Lines{"USB001", "LPT1:", "usb001", "\\\\Server\\Alpha", "\\\\server\\queue",
                            "PORTA", "PORTB"}));
    return;
  }
  // Wine's spooler: its own ports, then the supplied ones.
  ASSERT_GE(found.size(), 3u);
  EXPECT_NE(std::find(found.begin(), found.end(), "LPT1:"), found.end());
  EXPECT_EQ(Lines(found.end() - 2, found.end()), (Lines{"PORTA", "PORTB"}));
}

TEST_F(FindAllPortsFilteredTest, RuleSetChoosesTheProductsLocalPorts) {
  // Only records built here carry an empty address with the product key.
  const Lines found = Find({"QuorvexInkJet_52007C3D", "Product", "PORTA", ""});
  if (TestMachine::IsStandIn()) {
    EXPECT_EQ(found, (Lines{"USB001", "\\\\Server\\Alpha", "\\\\server\\queue", "PORTA"}));
  } else {
    EXPECT_EQ(found, Lines{"PORTA"});
  }
}

TEST_F(FindAllPortsFilteredTest, WithoutProductKeyNoPrinterQualifiesAndRecordsCarryNone) {
  Product("[GENERAL]\nOEMDisplay=Quorvex\n");
  if (!TestMachine::IsStandIn()) GTEST_SKIP() << "the stand-in's USB printer and printers";
  const Lines found = Find({"QuorvexInkJet_52007C3D", "Details", "PORTA", ""});
  ASSERT_EQ(found.size(), 7u + 4u);
  EXPECT_EQ(Lines(found.begin() + 7, found.end()),
            (Lines{"USB001|||", "LPT1:|Printer Port||", "usb001|Other case||", "PORTA|||"}));
}

TEST_F(FindAllPortsFilteredTest, MissingOrEmptyRuleSetGivesAnEmptyList) {
  struct Case {
    const char* name;
    std::string ruleFile;
    std::string key;
  } cases[] = {
      {"key not in the section", kRuleFile, "NoSuchKey"},
      {"empty rule text", "[NetworkInstallData]\nEmpty=\n", "Empty"},
      {"no section", "[GENERAL]\nProductKey=QX-100 Series\n", "Ports"},
      {"no Filter element", "[NetworkInstallData]\nOut=<Output><LOCALPORT/></Output>\n", "Out"},
      {"malformed rule text", "[NetworkInstallData]\nBad=<Filter><Any>1</Filter>\n", "Bad"},
  };
  for (const Case& c : cases) {
    RuleFile(c.ruleFile);
    EXPECT_EQ(Find({"QuorvexInkJet_52007C3D", c.key, "PORTA", ""}), Lines{}) << c.name;
  }
  std::filesystem::remove(medium.Root() / "Setup" / "Config" / "Product.ini");
  EXPECT_EQ(Find({"QuorvexInkJet_52007C3D", "Ports", "PORTA", ""}), Lines{});
}

TEST_F(FindAllPortsFilteredTest, EmptyArgumentListGivesNullAndItsLogLine) {
  const nodexa::PortList empty;
  EXPECT_EQ(FindAllPortsFiltered(empty.get()), nullptr);
  EXPECT_EQ(FindAllPortsFiltered(nullptr), nullptr);
  EXPECT_EQ(medium.LogLines(),
            (Lines{"Nodexa::FindPortsFiltered:Invalid Parameters passed to FindPortsFiltered",
                   "Nodexa::FindPortsFiltered:Invalid Parameters passed to FindPortsFiltered"}));
  EXPECT_TRUE(Journal().empty());
}

TEST_F(FindAllPortsFilteredTest, ShortArgumentListsTakeMissingEntriesAsEmpty) {
  struct Case {
    Lines arguments;
    Lines standIn;
  } cases[] = {
      // No rule-set key: nothing is chosen, but discovery still ran.
      {{"QuorvexInkJet_52007C3D"}, {}},
      // No supplied ports.
      {{"QuorvexInkJet_52007C3D", "Ports"},
       {"USB001", "LPT1:", "usb001", "\\\\Server\\Alpha", "\\\\server\\queue"}},
      {{"QuorvexInkJet_52007C3D", "Ports", "PORTA"},
       {"USB001", "LPT1:", "usb001", "\\\\Server\\Alpha", "\\\\server\\queue", "PORTA"}},
  };
  for (const Case& c : cases) {
    medium.ClearJournal("QVXAhcp.dll");
    const Lines found = Find(c.arguments);
    if (TestMachine::IsStandIn()) {
      EXPECT_EQ(found, c.standIn) << c.arguments.size();
    }
    ASSERT_GE(Calls().size(), 3u);
    EXPECT_EQ(Calls()[2], "Discover\t" + kDiscoveryBase);
  }
}

}  // namespace
