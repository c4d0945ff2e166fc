// Port records built from discovered devices, one description at a time,
// with product.ini's settings held in memory; and the readers they rest on.
#include "discovery/discovered_ports.h"

#include <gtest/gtest.h>

#include <optional>

#include "discovery/discovered_device.h"
#include "harness/device_descriptions.h"
#include "support/ini_file.h"

namespace nodexa {
namespace {

using Lines = std::vector<std::string>;
using Records = std::vector<std::optional<std::string>>;
constexpr std::nullopt_t kNone = std::nullopt;

// An inkjet printer in its own subnet, as the module describes it.
std::string Inkjet(const std::string& address = "10.1.2.3", const std::string& cap = "262144",
                   const std::string& strid = "QX-100", const std::string& mac = "0011223344AB") {
  return test::InkjetDevice("QX100-3344AB", address, cap, mac, "1", strid);
}

// A scanner; `modelId` null leaves the MODEL_ID element out.
std::string Scanner(const std::string& strid, const char* modelId = "7") {
  return "<IPNAME>SC-9</IPNAME><IPADDRESS>10.1.2.9</IPADDRESS><1284STRID>" + strid +
         "</1284STRID>" + (modelId ? std::string("<MODEL_ID>") + modelId + "</MODEL_ID>" : "");
}

struct RecordCase {
  const char* name;
  const char* type;
  Lines models;
  const char* brand;   // General/OEMDisplay, "" for none
  const char* prefix;  // NetworkStuff/PORTNAME_PREFIX, "" for none
  bool marked;
  Lines descriptions;
  Records expected;  // one per description
};

TEST(DiscoveredPortRecords, BuildsExactRecords) {
  const std::string tail = "|DHCP|10.1.2.255|QX100-3344AB|10.1.2.1|255.255.255.0";
  const std::string ink = "QX_Port_3344AB_P1|10.1.2.3|QX-100 Series|0011223344AB|1|";
  const std::string sx = "SC-9(10.1.2.9)|SC-9|10.1.2.9|";
  const Lines qx = {"QX-100 Series"};
  // clang-format off
  const RecordCase cases[] = {
      {"configured inkjet", "Inkjet", qx, "", "QX Port", false, {Inkjet()}, {ink + "Bidi" + tail}},
      {"unconfigured inkjet takes the resolved name", "Inkjet", qx, "", "QX Port", false,
       {Inkjet("0.0.0.0")},
       {"#unconfigured#|0.0.0.0|QX-100 Series|0011223344AB|-1|Bidi" + tail}},
      {"prefix blanks become underscores", "inkjet", qx, "", "Quorvex  QX 100", false, {Inkjet()},
       {"Quorvex__QX_100_3344AB_P1|10.1.2.3|QX-100 Series|0011223344AB|1|Bidi" + tail}},
      {"no prefix", "Inkjet", qx, "", "", false, {Inkjet()},
       {"_3344AB_P1|10.1.2.3|QX-100 Series|0011223344AB|1|Bidi" + tail}},
      {"short MAC taken whole", "Inkjet", qx, "", "P", false,
       {Inkjet("10.1.2.3", "262144", "QX-100", "4AB"), Inkjet("10.1.2.3", "262144", "QX-100", "")},
       {"P_4AB_P1|10.1.2.3|QX-100 Series|4AB|1|Bidi" + tail,
        "P__P1|10.1.2.3|QX-100 Series||1|Bidi" + tail}},
      {"adapter capabilities", "Inkjet", qx, "", "QX Port", false,
       {Inkjet("10.1.2.3", "264192"), Inkjet("10.1.2.3", "")},
       {ink + "NoBidi" + tail, ink + "NoBidi" + tail}},
      {"marker after an inkjet's first field", "Inkjet", qx, "", "QX Port", true, {Inkjet()},
       {"QX_Port_3344AB_P1|%DiscoveredPrinter%|10.1.2.3|QX-100 Series|0011223344AB|1|Bidi" + tail}},
      {"laser records", "LaserPrinter", qx, "", "QX Port", false,
       {Inkjet(), Inkjet("0.0.0.0", "264192")},
       {"QX100-3344AB|10.1.2.3|QX-100 Series|1|Bidi", "QX100-3344AB|0.0.0.0|QX-100 Series|-1|NoBidi"}},
      {"marker after a laser's first field", "LaserPrinter", qx, "", "", true, {Inkjet()},
       {"QX100-3344AB|%DiscoveredPrinter%|10.1.2.3|QX-100 Series|1|Bidi"}},
      {"first entry holding the identification is the model", "LaserPrinter",
       {"QX-200 Series", "QX-100 Series", "QX-100 Plus"}, "", "", false,
       {Inkjet(), Inkjet("10.1.2.3", "262144", "QX-200"), Inkjet("10.1.2.3", "262144", "QX-1000"),
        Inkjet("10.1.2.3", "262144", "qx-100")},
       {"QX100-3344AB|10.1.2.3|QX-100 Series|1|Bidi", "QX100-3344AB|10.1.2.3|QX-200 Series|1|Bidi",
        kNone, kNone}},
      {"missing identification matches the first entry", "LaserPrinter",
       {"QX-200 Series", "QX-100 Series"}, "", "", false,
       {"<IPNAME>A</IPNAME><IPADDRESS>10.1.2.3</IPADDRESS>"}, {"A|10.1.2.3|QX-200 Series|-1|NoBidi"}},
      {"printers need a model list", "Inkjet", {}, "Quorvex", "", false,
       {Inkjet(), Scanner("Quorvex SX-5")}, {kNone, kNone}},
      {"unknown type lists nothing", "Printer", qx, "Quorvex", "", false,
       {Inkjet(), Scanner("Quorvex SX-5")}, {kNone, kNone}},
      {"maker-branded scanners", "LaserScanner", {}, "QUORVEX", "", false,
       {Scanner("Quorvex SX-5"), Scanner("OEM SX-5 by Quorvex"), Scanner("quorvex SX-5")},
       {sx + "Quorvex SX-5 MFP|-1|NoBidi", kNone, kNone}},
      {"OEM-branded scanners", "LaserScanner", {}, "Acme", "", false,
       {Scanner("Acme SX-5"), Scanner("Acme Quorvex SX-5"), Scanner("quorvex SX-5")},
       {sx + "Acme SX-5 MFP|-1|NoBidi", kNone, sx + "quorvex SX-5 MFP|-1|NoBidi"}},
      {"marker after a scanner's second field", "LaserScanner", {}, "Quorvex", "", true,
       {Scanner("Quorvex SX-5")}, {"SC-9(10.1.2.9)|SC-9|%DiscoveredPrinter%|10.1.2.9|Quorvex SX-5 MFP|-1|NoBidi"}},
      {"a model list suppresses scanners", "LaserScanner", {"Quorvex SX-5"}, "Quorvex", "", false,
       {Scanner("Quorvex SX-5")}, {kNone}},
      {"scanners need a brand", "LaserScanner", {}, "", "", false, {Scanner("Quorvex SX-5")}, {kNone}},
      {"scanners need an identification", "LaserScanner", {}, "Quorvex", "", false, {Scanner("")},
       {kNone}},
      {"model id carries over until a scanner uses it", "LaserScanner", {}, "Acme", "", false,
       {Scanner("Acme SX-1", nullptr), Scanner("", "7"), Scanner("Acme SX-2", nullptr),
        Scanner("Acme SX-3", nullptr), Scanner("Acme SX-4", "")},
       {kNone, kNone, sx + "Acme SX-2 MFP|-1|NoBidi", kNone, kNone}},
      {"a rejected scanner still uses up the model id", "LaserScanner", {}, "Quorvex", "", false,
       {Scanner("Acme SX-1"), Scanner("Quorvex SX-2", nullptr)}, {kNone, kNone}}};
  // clang-format on
  for (const RecordCase& c : cases) {
    IniFile product(true);
    if (*c.brand != '\0') product.SetValue("General", "OEMDisplay", c.brand);
    if (*c.prefix != '\0') product.SetValue("NetworkStuff", "PORTNAME_PREFIX", c.prefix);
    DiscoveredPortRecords records(c.models, c.type, product, c.marked);
    Records built;
    for (const std::string& description : c.descriptions)
      built.push_back(records.Build(description));
    EXPECT_EQ(built, c.expected) << c.name;
  }
}

// Every field of a device in order, the model id in brackets.
std::string Fields(const DiscoveredDevice& d) {
  return d.ipName + "," + d.ipAddrSource + "," + d.broadcastAddress + "," + d.ipGateway + "," +
         d.ipAddress + "," + d.adapterCap + "," + d.strid1284 + "," + d.ipNetmask + "," +
         d.subnetAddress + "," + d.macUaa + "," + d.adapterPort +
         (d.modelId ? ",[" + *d.modelId + "]" : "");
}

TEST(ReadDiscoveredDevice, ReadsTheFields) {
  // clang-format off
  const std::pair<std::string, const char*> cases[] = {
      {Inkjet() + "<MODEL_ID>12</MODEL_ID>",
       "QX100-3344AB,DHCP,10.1.2.255,10.1.2.1,10.1.2.3,262144,QX-100,255.255.255.0,10.1.2.0,0011223344AB,1,[12]"},
      // Names in any case, the later wins; only the upper-case digit name is renamed.
      {"<ipaddress>1</ipaddress><IpAddress>2</IpAddress><1284STRID>QX</1284STRID>", ",,,,2,,QX,,,,"},
      {"<IPADDRESS>1</IPADDRESS><1284strid>QX</1284strid>", ",,,,1,,,,,,"},
      {"<STRID1284>QX</STRID1284>", ",,,,,,QX,,,,"},
      {"<IPADDRESS> 10.0.0.1\n</IPADDRESS><MODEL_ID></MODEL_ID>", ",,,,10.0.0.1,,,,,,,[]"},
      {"<CPDATTACHED>1</CPDATTACHED><IPNAME>A &amp; B</IPNAME>", "A&B,,,,,,,,,,"},
      {"<IPNAME>n</IPNAME><<IPADDRESS>10.0.0.1</IPADDRESS>", "n,,,,,,,,,,"},  // stray angle stops
      {"<IPNAME>n</IPNAME><IPADDRESS>10.0.0.1", "n,,,,10.0.0.1,,,,,,"},  // unclosed last element
      {"<IPNAME>n</IPNAME><IPADDR", "n,,,,,,,,,,"},
      {"<IPNAME><IPADDRESS>10.0.0.1</IPADDRESS></IPNAME>", ",,,,,,,,,,"},  // nested: no fields
      {"just text", ",,,,,,,,,,"}};
  // clang-format on
  for (const auto& [description, fields] : cases) {
    EXPECT_EQ(Fields(ReadDiscoveredDevice(description)), fields) << description;
  }
}

TEST(IsConfigured, AddressInItsOwnSubnet) {
  // clang-format off
  const std::tuple<const char*, const char*, const char*, bool> cases[] = {
      {"10.1.2.3", "255.255.255.0", "10.1.2.0", true}, {"0.0.0.0", "255.255.255.0", "10.1.2.0", false},
      {"10.1.4.3", "255.255.255.0", "10.1.2.0", false}, {"10.1.3.3", "255.255.255.0", "10.1.2.0", true},
      {"10.1.7.3", "255.255.0.0", "10.1.0.0", true}, {"10.1.2.3", "255.255.255.0", "10.1.2.77", true},
      {"192.168.1.20", "255.255.255.0", "192.168.1.0", true},
      {"64.168.1.20", "255.255.255.0", "192.168.1.0", false},
      {"10.1.2.3", "", "", false}, {"", "", "", true}, {"10.1.2.300", "255.255.255.0", "10.1.2.0", true},
      {"0.0.0.0", "0.0.0.0", "10.1.2.0", true}};
  // clang-format on
  for (const auto& [address, mask, subnet, configured] : cases) {
    DiscoveredDevice device;
    device.ipAddress = address;
    device.ipNetmask = mask;
    device.subnetAddress = subnet;
    EXPECT_EQ(IsConfigured(device), configured) << address << " " << mask << " " << subnet;
  }
}

TEST(BidiText, Bit18WithoutBit11) {
  for (const char* cap : {"262144", "262145", " +262144", "262144abc"}) {
    EXPECT_STREQ(BidiText(cap), "Bidi") << cap;
  }
  for (const char* cap : {"264192", "", "2048", "abc262144", "0x40000", "2147745792",
                          "2621442621442621442621442621442621442621", "-26214426214426214426"}) {
    EXPECT_STREQ(BidiText(cap), "NoBidi") << cap;
  }
  EXPECT_EQ(ReadCapability("2147483648"), 2147483647);
  EXPECT_EQ(ReadCapability("-99999999999999999999"), -2147483647 - 1);
  EXPECT_EQ(ReadCapability("\t 42 7"), 42);
}

}  // namespace
}  // namespace nodexa
