// Port records built from discovered devices, one description at a time,
// with product.ini's settings held in memory.
#include "discovery/discovered_ports.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <ostream>
#include <random>

#include "discovery/discovered_device.h"
#include "harness/device_descriptions.h"
#include "harness/case_name.h"
#include "support/ini_file.h"

namespace nodexa {
namespace {

using Lines = std::vector<std::string>;
using Records = std::vector<std::optional<std::string>>;

// An inkjet printer in its own subnet, as the module describes it.
std::string Inkjet(const std::string& address = "10.1.2.3", const std::string& cap = "262144",
                   const std::string& strid = "QX-100", const std::string& mac = "0011223344AB") {
  return test::InkjetDevice("QX100-3344AB", address, cap, mac, "1", strid);
}

// A scanner; `modelId` null leaves the MODEL_ID element out.
std::string Scanner(const std::string& strid, const char* modelId = "7") {
  std::string text =
      "<IPNAME>SC-9</IPNAME><IPADDRESS>10.1.2.9</IPADDRESS>"
      "<IPNETMASK>255.255.255.0</IPNETMASK><SUBNETADDRESS>10.1.2.0</SUBNETADDRESS>"
      "<ADAPTERCAP>264192</ADAPTERCAP><1284STRID>" +
      strid + "</1284STRID>";
  if (modelId != nullptr) text += std::string("<MODEL_ID>") + modelId + "</MODEL_ID>";
  return text;
}

const char kTail[] = "|DHCP|10.1.2.255|QX100-3344AB|10.1.2.1|255.255.255.0";

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

// Names the case in messages (gtest would otherwise print its bytes,
// padding included).
void PrintTo(const RecordCase& c, std::ostream* out) { *out << c.name; }

class RecordTable : public ::testing::TestWithParam<RecordCase> {};

TEST_P(RecordTable, BuildsExactRecords) {
  const RecordCase& c = GetParam();
  IniFile product(true);
  if (*c.brand != '\0') product.SetValue("General", "OEMDisplay", c.brand);
  if (*c.prefix != '\0') product.SetValue("NetworkStuff", "PORTNAME_PREFIX", c.prefix);
  DiscoveredPortRecords records(c.models, c.type, product, c.marked);
  Records built;
  for (const std::string& description : c.descriptions) built.push_back(records.Build(description));
  EXPECT_EQ(built, c.expected);
}

const std::string kRecordInk =
    std::string("QX_Port_3344AB_P1|10.1.2.3|QX-100 Series|0011223344AB|1|Bidi") + kTail;

INSTANTIATE_TEST_SUITE_P(
    Cases, RecordTable,
    ::testing::Values(
        RecordCase{"ConfiguredInkjet",
                   "Inkjet",
                   {"QX-100 Series"},
                   "",
                   "QX Port",
                   false,
                   {Inkjet()},
                   {kRecordInk}},
        RecordCase{
            "UnconfiguredInkjetTakesTheResolvedName",
            "Inkjet",
            {"QX-100 Series"},
            "",
            "QX Port",
            false,
            {Inkjet("0.0.0.0")},
            {std::string("#unconfigured#|0.0.0.0|QX-100 Series|0011223344AB|-1|Bidi") + kTail}},
        RecordCase{
            "PrefixBlanksBecomeUnderscores",
            "inkjet",
            {"QX-100 Series"},
            "",
            "Quorvex  QX 100",
            false,
            {Inkjet()},
            {std::string("Quorvex__QX_100_3344AB_P1|10.1.2.3|QX-100 Series|0011223344AB|1|Bidi") +
             kTail}},
        RecordCase{"NoPrefixStartsWithUnderscore",
                   "Inkjet",
                   {"QX-100 Series"},
                   "",
                   "",
                   false,
                   {Inkjet()},
                   {std::string("_3344AB_P1|10.1.2.3|QX-100 Series|0011223344AB|1|Bidi") + kTail}},
        RecordCase{"ShortMacIsTakenWhole",
                   "Inkjet",
                   {"QX-100 Series"},
                   "",
                   "P",
                   false,
                   {Inkjet("10.1.2.3", "262144", "QX-100", "4AB"),
                    Inkjet("10.1.2.3", "262144", "QX-100", "")},
                   {std::string("P_4AB_P1|10.1.2.3|QX-100 Series|4AB|1|Bidi") + kTail,
                    std::string("P__P1|10.1.2.3|QX-100 Series||1|Bidi") + kTail}},
        RecordCase{
            "AdapterCapabilities",
            "Inkjet",
            {"QX-100 Series"},
            "",
            "QX Port",
            false,
            {Inkjet("10.1.2.3", "264192"), Inkjet("10.1.2.3", "")},
            {std::string("QX_Port_3344AB_P1|10.1.2.3|QX-100 Series|0011223344AB|1|NoBidi") + kTail,
             std::string("QX_Port_3344AB_P1|10.1.2.3|QX-100 Series|0011223344AB|1|NoBidi") +
                 kTail}},
        RecordCase{"MarkerFollowsTheFirstFieldOfAnInkjetRecord",
                   "Inkjet",
                   {"QX-100 Series"},
                   "",
                   "QX Port",
                   true,
                   {Inkjet()},
                   {std::string("QX_Port_3344AB_P1|%DiscoveredPrinter%|10.1.2.3|QX-100 Series|"
                                "0011223344AB|1|Bidi") +
                    kTail}},
        RecordCase{"LaserRecords",
                   "LaserPrinter",
                   {"QX-100 Series"},
                   "",
                   "QX Port",
                   false,
                   {Inkjet(), Inkjet("0.0.0.0", "264192")},
                   {"QX100-3344AB|10.1.2.3|QX-100 Series|1|Bidi",
                    "QX100-3344AB|0.0.0.0|QX-100 Series|-1|NoBidi"}},
        RecordCase{"MarkerFollowsTheFirstFieldOfALaserRecord",
                   "LaserPrinter",
                   {"QX-100 Series"},
                   "",
                   "",
                   true,
                   {Inkjet()},
                   {"QX100-3344AB|%DiscoveredPrinter%|10.1.2.3|QX-100 Series|1|Bidi"}},
        RecordCase{
            "TheFirstEntryHoldingTheIdentificationIsTheModel",
            "LaserPrinter",
            {"QX-200 Series", "QX-100 Series", "QX-100 Plus"},
            "",
            "",
            false,
            {Inkjet(), Inkjet("10.1.2.3", "262144", "QX-200"),
             Inkjet("10.1.2.3", "262144", "QX-1000"), Inkjet("10.1.2.3", "262144", "qx-100")},
            {"QX100-3344AB|10.1.2.3|QX-100 Series|1|Bidi",
             "QX100-3344AB|10.1.2.3|QX-200 Series|1|Bidi", std::nullopt, std::nullopt}},
        RecordCase{"MissingIdentificationMatchesTheFirstEntry",
                   "LaserPrinter",
                   {"QX-200 Series", "QX-100 Series"},
                   "",
                   "",
                   false,
                   {"<IPNAME>A</IPNAME><IPADDRESS>10.1.2.3</IPADDRESS>"},
                   {"A|10.1.2.3|QX-200 Series|-1|NoBidi"}},
        RecordCase{"PrintersNeedAModelList",
                   "Inkjet",
                   {},
                   "Quorvex",
                   "",
                   false,
                   {Inkjet(), Scanner("Quorvex SX-5")},
                   {std::nullopt, std::nullopt}},
        RecordCase{"UnknownTypeListsNothing",
                   "Printer",
                   {"QX-100 Series"},
                   "Quorvex",
                   "",
                   false,
                   {Inkjet(), Scanner("Quorvex SX-5")},
                   {std::nullopt, std::nullopt}},
        RecordCase{
            "MakerBrandedScanners",
            "LaserScanner",
            {},
            "Quorvex",
            "",
            false,
            {Scanner("Quorvex SX-5"), Scanner("OEM SX-5 by Quorvex"), Scanner("quorvex SX-5")},
            {"SC-9(10.1.2.9)|SC-9|10.1.2.9|Quorvex SX-5 MFP|1|NoBidi", std::nullopt, std::nullopt}},
        RecordCase{"BrandComparedWithoutCase",
                   "LaserScanner",
                   {},
                   "QUORVEX",
                   "",
                   false,
                   {Scanner("Quorvex SX-5")},
                   {"SC-9(10.1.2.9)|SC-9|10.1.2.9|Quorvex SX-5 MFP|1|NoBidi"}},
        RecordCase{"OemBrandedScanners",
                   "LaserScanner",
                   {},
                   "Acme",
                   "",
                   false,
                   {Scanner("Acme SX-5"), Scanner("Acme Quorvex SX-5"), Scanner("quorvex SX-5")},
                   {"SC-9(10.1.2.9)|SC-9|10.1.2.9|Acme SX-5 MFP|1|NoBidi", std::nullopt,
                    "SC-9(10.1.2.9)|SC-9|10.1.2.9|quorvex SX-5 MFP|1|NoBidi"}},
        RecordCase{"MarkerFollowsTheSecondFieldOfAScannerRecord",
                   "LaserScanner",
                   {},
                   "Quorvex",
                   "",
                   true,
                   {Scanner("Quorvex SX-5")},
                   {"SC-9(10.1.2.9)|SC-9|%DiscoveredPrinter%|10.1.2.9|Quorvex SX-5 MFP|1|NoBidi"}},
        RecordCase{"AModelListSuppressesScanners",
                   "LaserScanner",
                   {"Quorvex SX-5"},
                   "Quorvex",
                   "",
                   false,
                   {Scanner("Quorvex SX-5")},
                   {std::nullopt}},
        RecordCase{"ScannersNeedABrand",
                   "LaserScanner",
                   {},
                   "",
                   "",
                   false,
                   {Scanner("Quorvex SX-5")},
                   {std::nullopt}},
        RecordCase{"ScannersNeedAnIdentification",
                   "LaserScanner",
                   {},
                   "Quorvex",
                   "",
                   false,
                   {Scanner("")},
                   {std::nullopt}},
        RecordCase{
            "ModelIdCarriesOverUntilAScannerUsesIt",
            "LaserScanner",
            {},
            "Acme",
            "",
            false,
            {Scanner("Acme SX-1", nullptr), Scanner("", "7"), Scanner("Acme SX-2", nullptr),
             Scanner("Acme SX-3", nullptr), Scanner("Acme SX-4", "")},
            {std::nullopt, std::nullopt, "SC-9(10.1.2.9)|SC-9|10.1.2.9|Acme SX-2 MFP|1|NoBidi",
             std::nullopt, std::nullopt}},
        RecordCase{"ARejectedScannerStillUsesUpTheModelId",
                   "LaserScanner",
                   {},
                   "Quorvex",
                   "",
                   false,
                   {Scanner("Acme SX-1"), Scanner("Quorvex SX-2", nullptr)},
                   {std::nullopt, std::nullopt}}),
    test::CaseName());

struct DeviceCase {
  const char* name;
  std::string description;
  DiscoveredDevice expected;
};

// Every field in order, for comparing and printing devices.
std::string Render(const DiscoveredDevice& d) {
  return d.ipName + "," + d.ipAddrSource + "," + d.broadcastAddress + "," + d.ipGateway + "," +
         d.ipAddress + "," + d.adapterCap + "," + d.strid1284 + "," + d.ipNetmask + "," +
         d.subnetAddress + "," + d.macUaa + "," + d.adapterPort + "," +
         (d.modelId ? "[" + *d.modelId + "]" : "(none)");
}

DiscoveredDevice Device(const char* address, const char* strid = "", const char* name = "") {
  DiscoveredDevice device;
  device.ipAddress = address;
  device.strid1284 = strid;
  device.ipName = name;
  return device;
}

DiscoveredDevice WithModelId(DiscoveredDevice device, const char* modelId) {
  device.modelId = modelId;
  return device;
}

void PrintTo(const DeviceCase& c, std::ostream* out) { *out << c.name; }

class DeviceTable : public ::testing::TestWithParam<DeviceCase> {};

TEST_P(DeviceTable, ReadsTheFields) {
  EXPECT_EQ(Render(ReadDiscoveredDevice(GetParam().description)), Render(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DeviceTable,
    ::testing::Values(
        DeviceCase{"EveryField", Inkjet() + "<MODEL_ID>12</MODEL_ID>",
                   [] {
                     DiscoveredDevice d;
                     d.ipName = "QX100-3344AB";
                     d.ipAddrSource = "DHCP";
                     d.broadcastAddress = "10.1.2.255";
                     d.ipGateway = "10.1.2.1";
                     d.ipAddress = "10.1.2.3";
                     d.adapterCap = "262144";
                     d.strid1284 = "QX-100";
                     d.ipNetmask = "255.255.255.0";
                     d.subnetAddress = "10.1.2.0";
                     d.macUaa = "0011223344AB";
                     d.adapterPort = "1";
                     d.modelId = "12";
                     return d;
                   }()},
        DeviceCase{"NamesInAnyCaseAndTheLaterWins",
                   "<ipaddress>10.0.0.1</ipaddress><IpAddress>10.0.0.2</IpAddress>"
                   "<1284STRID>QX</1284STRID>",
                   Device("10.0.0.2", "QX")},
        DeviceCase{"OnlyTheUpperCaseDigitNameIsRenamed",
                   "<IPADDRESS>1</IPADDRESS><1284strid>QX</1284strid><IPNAME>n</IPNAME>",
                   Device("1")},
        DeviceCase{"AlreadyRenamedIdentification", "<STRID1284>QX</STRID1284>", Device("", "QX")},
        DeviceCase{"TextsTrimmedByTheReader", "<IPADDRESS> 10.0.0.1\n</IPADDRESS>",
                   Device("10.0.0.1")},
        DeviceCase{"EmptyModelIdIsPresent", "<MODEL_ID></MODEL_ID>", WithModelId(Device(""), "")},
        DeviceCase{"OtherElementsIgnored", "<CPDATTACHED>1</CPDATTACHED><IPADDRESS>1</IPADDRESS>",
                   Device("1")},
        DeviceCase{"StrayAngleStopsTheReading",
                   "<IPNAME>n</IPNAME><<IPADDRESS>10.0.0.1</IPADDRESS>", Device("", "", "n")},
        // The reader delivers the text before the wrapper's mismatched end tag.
        DeviceCase{"UnclosedLastElementKeepsItsText", "<IPNAME>n</IPNAME><IPADDRESS>10.0.0.1",
                   Device("10.0.0.1", "", "n")},
        DeviceCase{"CutInsideATag", "<IPNAME>n</IPNAME><IPADDR", Device("", "", "n")},
        DeviceCase{"NestedElementsAreNotFields", "<IPNAME><IPADDRESS>10.0.0.1</IPADDRESS></IPNAME>",
                   Device("")},
        DeviceCase{"NoMarkupAtAll", "just text", Device("")}, DeviceCase{"Empty", "", Device("")},
        DeviceCase{"EntityDecoded", "<IPNAME>A &amp; B</IPNAME>", Device("", "", "A&B")}),
    test::CaseName());

struct SubnetCase {
  const char* name;
  const char* address;
  const char* mask;
  const char* subnet;
  bool configured;
};

void PrintTo(const SubnetCase& c, std::ostream* out) { *out << c.name; }

class SubnetTable : public ::testing::TestWithParam<SubnetCase> {};

TEST_P(SubnetTable, AddressInItsOwnSubnet) {
  DiscoveredDevice device;
  device.ipAddress = GetParam().address;
  device.ipNetmask = GetParam().mask;
  device.subnetAddress = GetParam().subnet;
  EXPECT_EQ(IsConfigured(device), GetParam().configured);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SubnetTable,
    ::testing::Values(
        SubnetCase{"InItsSubnet", "10.1.2.3", "255.255.255.0", "10.1.2.0", true},
        SubnetCase{"NoAddress", "0.0.0.0", "255.255.255.0", "10.1.2.0", false},
        SubnetCase{"OtherSubnet", "10.1.4.3", "255.255.255.0", "10.1.2.0", false},
        SubnetCase{"EverySubnetBitSetIsEnough", "10.1.3.3", "255.255.255.0", "10.1.2.0", true},
        SubnetCase{"WiderMask", "10.1.7.3", "255.255.0.0", "10.1.0.0", true},
        SubnetCase{"SubnetBitsBeyondTheMaskDoNotCount", "10.1.2.3", "255.255.255.0", "10.1.2.77",
                   true},
        SubnetCase{"HighBitsInHostOrder", "192.168.1.20", "255.255.255.0", "192.168.1.0", true},
        SubnetCase{"HighBitsMissing", "64.168.1.20", "255.255.255.0", "192.168.1.0", false},
        SubnetCase{"EmptyMaskAndSubnetAreAllOnes", "10.1.2.3", "", "", false},
        SubnetCase{"NothingAtAllIsAllOnes", "", "", "", true},
        SubnetCase{"RejectedAddressIsAllOnes", "10.1.2.300", "255.255.255.0", "10.1.2.0", true},
        SubnetCase{"ZeroMask", "0.0.0.0", "0.0.0.0", "10.1.2.0", true}),
    test::CaseName());

struct BidiCase {
  const char* name;
  const char* cap;
  const char* text;
};

void PrintTo(const BidiCase& c, std::ostream* out) { *out << c.name; }

class BidiTable : public ::testing::TestWithParam<BidiCase> {};

TEST_P(BidiTable, Bit18WithoutBit11) { EXPECT_STREQ(BidiText(GetParam().cap), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(
    Cases, BidiTable,
    ::testing::Values(BidiCase{"Bit18Only", "262144", "Bidi"},
                      BidiCase{"Bits18And11", "264192", "NoBidi"}, BidiCase{"Empty", "", "NoBidi"},
                      BidiCase{"Bit11Only", "2048", "NoBidi"},
                      BidiCase{"OtherBitsDoNotMatter", "262145", "Bidi"},
                      BidiCase{"LeadingBlanksAndSign", " +262144", "Bidi"},
                      BidiCase{"DigitsUpToTheFirstOther", "262144abc", "Bidi"},
                      BidiCase{"NotANumber", "abc262144", "NoBidi"},
                      BidiCase{"HexIsNotRead", "0x40000", "NoBidi"},
                      BidiCase{"AboveTheRangeIsHeldAtTheTop", "2147745792", "NoBidi"},
                      BidiCase{"FortyDigits", "2621442621442621442621442621442621442621", "NoBidi"},
                      BidiCase{"FortyDigitsNegative", "-2621442621442621442621442621442621442621",
                               "NoBidi"}),
    test::CaseName());

// Descriptions pieced together from element fragments, stray markup,
// entities and bytes that are not UTF-8: every one gives a record of its
// kind or none.
TEST(DiscoveredPortRecords, HostileDescriptionsGiveRecordsOfTheirKindOrNone) {
  const std::string longText(3000, 'x');
  const char* const pieces[] = {"<IPADDRESS>",
                                "</IPADDRESS>",
                                "<1284STRID>",
                                "</1284STRID>",
                                "<MACUAA>",
                                "</MACUAA>",
                                "<ADAPTERCAP>",
                                "</ADAPTERCAP>",
                                "<MODEL_ID>",
                                "</MODEL_ID>",
                                "<IPNAME>",
                                "</IPNAME>",
                                "10.1.2.3",
                                "255.255.255.0",
                                "QX-100",
                                "Quorvex",
                                "<",
                                ">",
                                "&amp;",
                                "&",
                                "\xE9",
                                "\xFF\xFE",
                                "<!--",
                                "-->",
                                "<![CDATA[",
                                "]]>",
                                "<?x?>",
                                "2621442621442621442621",
                                " ",
                                "\n",
                                longText.c_str(),
                                "1284STRID",
                                ";"};
  std::mt19937 random(77);
  IniFile product(true);
  product.SetValue("General", "OEMDisplay", "Quorvex");
  struct Kind {
    const char* type;
    Lines models;
    size_t fields;
  };
  const Kind kinds[] = {{"Inkjet", {"QX-100 Series"}, 11},
                        {"LaserPrinter", {"QX-100 Series"}, 5},
                        {"LaserScanner", {}, 6}};
  for (const Kind& kind : kinds) {
    DiscoveredPortRecords records(kind.models, kind.type, product, false);
    size_t built = 0;
    for (int i = 0; i < 3000; ++i) {
      std::string description;
      for (size_t n = random() % 12; n > 0; --n) {
        description += pieces[random() % (sizeof pieces / sizeof *pieces)];
      }
      const std::optional<std::string> record = records.Build(description);
      if (!record) continue;
      ++built;
      EXPECT_EQ(static_cast<size_t>(std::count(record->begin(), record->end(), '|')) + 1,
                kind.fields)
          << kind.type << ": " << description;
    }
    EXPECT_GT(built, 0u) << kind.type;
  }
}

TEST(ReadCapability, HeldInThe32BitRange) {
  EXPECT_EQ(ReadCapability("2147483647"), 2147483647);
  EXPECT_EQ(ReadCapability("2147483648"), 2147483647);
  EXPECT_EQ(ReadCapability("-2147483648"), -2147483647 - 1);
  EXPECT_EQ(ReadCapability("-99999999999999999999"), -2147483647 - 1);
  EXPECT_EQ(ReadCapability("-"), 0);
  EXPECT_EQ(ReadCapability("\t 42 7"), 42);
}

}  // namespace
}  // namespace nodexa
