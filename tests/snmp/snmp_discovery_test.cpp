// The SNMP discovery module's own logic, without a network: subnet lists,
// settings, device records, and what its exports refuse. The search itself
// runs against simulated printers in the network rig (tests/rig).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness/test_medium.h"
#include "platform/win32_api.h"
#include "snmp/device_record.h"
#include "snmp/ipv4.h"
#include "snmp/module_settings.h"

namespace nodexa::snmp {
namespace {

struct SubnetCase {
  const char* text;
  bool valid;
  std::vector<Subnet> subnets;
};

TEST(SubnetList, ParsesWhatTheLibrarySendsAndNothingLoose) {
  const SubnetCase cases[] = {
      {"", true, {}},
      {"<RemoteSubnets>198.51.100.0:255.255.255.0;198.18.0.0:255.255.252.0;</RemoteSubnets>",
       true,
       {{0xC6336400, 0xFFFFFF00}, {0xC6120000, 0xFFFFFC00}}},
      {"198.51.100.77:255.255.255.192", true, {{0xC6336440, 0xFFFFFFC0}}},
      {"198.51.100.0:255.255.0.255;", false, {}},
      {"198.0.0.0:255.254.0.0;", false, {}},
      {"198.51.100.0;", false, {}},
      {"198.51.100:255.255.255.0;", false, {}},
      {"198.51.100.256:255.255.255.0;", false, {}},
      {"198.51.100.0 :255.255.255.0;", false, {}},
      {"198.51.100.0:255.255.255.0;;", false, {}},
  };
  for (const SubnetCase& c : cases) {
    const std::optional<std::vector<Subnet>> parsed = ParseSubnetList(c.text);
    EXPECT_EQ(parsed.has_value(), c.valid) << c.text;
    if (parsed) {
      EXPECT_EQ(*parsed, c.subnets) << c.text;
    }
  }
  std::string many;
  for (size_t i = 0; i <= kMaxSubnets; ++i) many += "198.51.100.0:255.255.255.0;";
  EXPECT_FALSE(ParseSubnetList(many));
}

TEST(SubnetList, SweepsEveryHostButNetworkAndBroadcast) {
  const std::vector<Ipv4> slash24 = HostAddresses({0xC6336400, 0xFFFFFF00});
  ASSERT_EQ(slash24.size(), 254u);
  EXPECT_EQ(slash24.front(), 0xC6336401u);
  EXPECT_EQ(slash24.back(), 0xC63364FEu);
  EXPECT_EQ(HostAddresses({0xC6336404, 0xFFFFFFFC}), (std::vector<Ipv4>{0xC6336405, 0xC6336406}));
  EXPECT_EQ(HostAddresses({0xC6336404, 0xFFFFFFFE}), (std::vector<Ipv4>{0xC6336404, 0xC6336405}));
  EXPECT_EQ(HostAddresses({0xC6336404, 0xFFFFFFFF}), (std::vector<Ipv4>{0xC6336404}));
}

TEST(Settings, TakesValuesInRangeFromItsSectionOnly) {
  const Settings read = ParseSettings(
      "[Other]\nCommunity=wrong\n[ snmp ]\r\n; a comment\nCommunity = office \nVersion=1\n"
      "Timeout=5\nRetries=3\nInFlight=0\nPace=abc\nQuietTime=99999999999\nReplyWindow=900\n");
  const Settings defaults;
  EXPECT_EQ(read.community, "office");
  EXPECT_EQ(read.version, Version::V1);
  EXPECT_EQ(read.timeoutMs, defaults.timeoutMs);  // below 10 ms
  EXPECT_EQ(read.retries, 3u);
  EXPECT_EQ(read.inFlight, defaults.inFlight);
  EXPECT_EQ(read.paceMicroseconds, defaults.paceMicroseconds);
  EXPECT_EQ(read.quietMs, defaults.quietMs);
  EXPECT_EQ(read.replyWindowMs, 900u);
}

DeviceAnswers Printer(const std::string& deviceId) {
  DeviceAnswers device;
  device.address = 0xC6336415;  // 198.51.100.21
  device.sysName = "QVX-IJ5200-021";
  device.mask = 0xFFFFFF80;
  device.gateway = 0xC6336401;
  device.ifIndex = 2;
  device.physAddress = std::string("\x02\x00\x00\x00\x00\x15", 6);
  device.deviceId = deviceId;
  return device;
}

TEST(DeviceRecord, CarriesEveryFieldTheLibraryReads) {
  const DeviceRecord record =
      MakeDeviceRecord(Printer("MFG:Quorvex;MDL:InkJet 5200;CMD:QVXRASTER;CLS:PRINTER;"));
  EXPECT_EQ(record.text,
            "<IPNAME>QVX-IJ5200-021</IPNAME><IPADDRSOURCE>0</IPADDRSOURCE>"
            "<IPADDRESS>198.51.100.21</IPADDRESS><IPNETMASK>255.255.255.128</IPNETMASK>"
            "<SUBNETADDRESS>198.51.100.0</SUBNETADDRESS>"
            "<BROADCASTADDRESS>198.51.100.127</BROADCASTADDRESS>"
            "<IPGATEWAY>198.51.100.1</IPGATEWAY><MACUAA>020000000015</MACUAA>"
            "<ADAPTERPORT>1</ADAPTERPORT><ADAPTERCAP>262144</ADAPTERCAP>"
            "<CPDATTACHED>1</CPDATTACHED><1284STRID>Quorvex InkJet 5200</1284STRID>");
  EXPECT_TRUE(record.cpdAttached);
}

// The part of a record from 1284STRID on, and the attachment it claims.
struct ModelCase {
  std::string deviceId;
  std::string description;
  std::string tail;
  bool attached;
};

TEST(DeviceRecord, NamesTheModelAndClassFromTheDeviceId) {
  const ModelCase cases[] = {
      {"MANUFACTURER:Lumina;MODEL:Lumina MFP420;COMMAND SET:PCL,PJL;CLASS:MFP;", "",
       "<1284STRID>Lumina MFP420</1284STRID><MODEL_ID>Lumina MFP420</MODEL_ID>", false},
      {std::string("\x00\x30", 2) + "MFG:Quorvex;MDL:MF7300;CMD:POSTSCRIPT;CLS:MFP;", "",
       "<1284STRID>Quorvex MF7300</1284STRID><MODEL_ID>MF7300</MODEL_ID>", false},
      {"", " Quorvex InkJet 5200 ", "<1284STRID>Quorvex InkJet 5200</1284STRID>", true},
      {"MFG:A<b>&c;MDL:x\x01y", "", "<1284STRID>A_b__c x_y</1284STRID>", true},
  };
  for (const ModelCase& c : cases) {
    DeviceAnswers device = Printer(c.deviceId);
    device.description = c.description;
    const DeviceRecord record = MakeDeviceRecord(device);
    const size_t model = record.text.find("<1284STRID>");
    ASSERT_NE(model, std::string::npos);
    EXPECT_EQ(record.text.substr(model), c.tail) << c.deviceId;
    EXPECT_EQ(record.cpdAttached, c.attached) << c.deviceId;
  }
}

TEST(DeviceRecord, KeepsHostileNamesInsideTheirElement) {
  DeviceAnswers device = Printer("");
  device.sysName = std::string("a;b</IPNAME>\0\xFF", 14);
  device.mask.reset();
  device.gateway.reset();
  device.physAddress.clear();
  const std::string text = MakeDeviceRecord(device).text;
  EXPECT_EQ(text.rfind("<IPNAME>a_b_/IPNAME___</IPNAME><IPADDRSOURCE>", 0), 0u) << text;
  EXPECT_NE(text.find("<IPNETMASK></IPNETMASK><SUBNETADDRESS></SUBNETADDRESS>"
                      "<BROADCASTADDRESS></BROADCASTADDRESS><IPGATEWAY>0.0.0.0</IPGATEWAY>"
                      "<MACUAA></MACUAA>"),
            std::string::npos);
}

// The module as the library loads it; nothing here reaches a network.
class SnmpModuleTest : public ::testing::Test {
 protected:
  SnmpModuleTest()
      : module(LoadLibraryA((test::ProgramDirectory() / "QVXAhcp-snmp.dll").string().c_str())) {}
  ~SnmpModuleTest() override {
    if (module != nullptr) FreeLibrary(module);
  }
  template <typename Function>
  Function* Bind(const char* name) {
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  }
  HMODULE module;
};

TEST_F(SnmpModuleTest, RefusesBadArguments) {
  ASSERT_NE(module, nullptr);
  auto* discover = Bind<int32_t(const char*)>("Discover");
  auto* enumerate = Bind<int32_t(char*, uint32_t, uint32_t*, const char*)>("Enumerate");
  auto* configure = Bind<int32_t(const char*, const char*)>("Configure");
  auto* registerSubnets = Bind<int32_t(const char*)>("RegisterRemoteSubnets");
  ASSERT_TRUE(discover && enumerate && configure && registerSubnets);

  EXPECT_EQ(discover(nullptr), 87);
  EXPECT_EQ(discover("<LocalSubnets>1</LocalSubnets><RemoteSubnets>198.51.100.0</RemoteSubnets>"),
            87);
  EXPECT_EQ(registerSubnets(nullptr), 87);
  EXPECT_EQ(registerSubnets("<RemoteSubnets>198.51.100.0:255.0.0.0;</RemoteSubnets>"), 87);
  EXPECT_EQ(registerSubnets(""), 0);
  EXPECT_EQ(configure("<IPADDRESS>198.51.100.21</IPADDRESS>", "<IPADDRSOURCE>1</IPADDRSOURCE>"),
            50);
  EXPECT_EQ(enumerate(nullptr, 0, nullptr, ""), 87);
  uint32_t needed = 99;
  EXPECT_EQ(enumerate(nullptr, 0, &needed, ""), 0) << "nothing was found";
  EXPECT_EQ(needed, 0u);
}

}  // namespace
}  // namespace nodexa::snmp
