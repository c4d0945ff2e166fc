// Device over the device-installation services: on POSIX the stand-in
// SetupApi.dll, newdev.dll and cfgmgr32.dll answering from devices.ini; in
// the Windows build (under Wine) the system's own modules.
#include "device/device.h"

#include <gtest/gtest.h>

#include <fstream>

#include "device_fixture.h"
#include "harness/temp_dir.h"

namespace nodexa::test {
namespace {

struct PortsCase {
  const char* name;
  std::string devices;
  std::string expected;
};

TEST_F(StandInDeviceTest, GetPortsJoinsPresentPortsInEnumerationOrder) {
  const std::string longPort(259, 'P');
  const std::string tooLongPort(260, 'Q');
  const PortsCase cases[] = {
      {"two printers", UsbPrinter("USB\\A\\1", "USB001") + UsbPrinter("USB\\A\\2", "USB002"),
       "USB001|USB002"},
      {"file order decides", UsbPrinter("USB\\A\\2", "USB002") + UsbPrinter("USB\\A\\1", "USB001"),
       "USB002|USB001"},
      {"no PortName adds nothing",
       UsbPrinter("USB\\A\\1", "USB001") + UsbPrinter("USB\\A\\3", "") +
           UsbPrinter("USB\\A\\2", "USB002"),
       "USB001|USB002"},
      {"empty PortName adds nothing",
       UsbPrinter("USB\\A\\1", "", "PortName=\n") + UsbPrinter("USB\\A\\2", "USB002"), "USB002"},
      {"root-enumerated skipped",
       UsbPrinter("ROOT\\PRINTER\\0000", "ROOT01") + UsbPrinter("USB\\A\\1", "USB001"), "USB001"},
      {"root enumerator in any case",
       UsbPrinter("USB\\A\\9", "VIRTUAL1", "Enumerator=Root") + UsbPrinter("USB\\A\\1", "USB001"),
       "USB001"},
      {"phantom skipped",
       UsbPrinter("USB\\A\\1", "USB001") + UsbPrinter("USB\\A\\2", "USB002", "Present=0"),
       "USB001"},
      {"identifier without case",
       DeviceSection("USB\\A\\1", "HardwareID=usbprint\\QUORVEXqx100\nPortName=USB001"), "USB001"},
      {"identifier among several",
       DeviceSection("USB\\A\\1", "HardwareID=USBPRINT\\QuorvexQX100Series\nHardwareID=" +
                                      kPrinterId + "\nPortName=USB004"),
       "USB004"},
      {"longer identifier is another model",
       DeviceSection("USB\\A\\1", "HardwareID=USBPRINT\\QuorvexQX1000\nPortName=USB001"), ""},
      {"compatible identifier does not count",
       DeviceSection("USB\\A\\1", "CompatibleID=" + kPrinterId + "\nPortName=USB001"), ""},
      {"device without identifiers", DeviceSection("USB\\A\\1", "PortName=USB001"), ""},
      {"259 characters fit", UsbPrinter("USB\\A\\1", longPort), longPort},
      {"260 characters count as none",
       UsbPrinter("USB\\A\\1", tooLongPort) + UsbPrinter("USB\\A\\2", "USB002"), "USB002"},
      {"no devices", "", ""},
  };
  for (const PortsCase& c : cases) {
    devices.SetDevices(c.devices);
    devices.ClearJournal("SetupApi.dll");
    {
      Device device(kPrinterId);
      EXPECT_TRUE(device.IsUsable()) << c.name;
      EXPECT_EQ(device.GetPorts(), c.expected) << c.name;
    }
    EXPECT_EQ(CallsOf(devices.Journal("SetupApi.dll"), "SetupDiGetClassDevsA"),
              Lines{"SetupDiGetClassDevsA\t0x6\t-"})
        << c.name;
    ExpectSetsReleased();
  }
  EXPECT_TRUE(log.Lines().empty());
}

TEST_F(StandInDeviceTest, PortNameInTheRegistryItselfComesFirst) {
  devices.SetDevices(UsbPrinter("USB\\A\\1", "USB001") + UsbPrinter("USB\\A\\2", ""));
  machine.Import(
      "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Enum\\USB\\A\\1\\Device Parameters]\n"
      "\"PortName\"=\"USB007\"\n"
      "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Enum\\USB\\A\\2\\Device Parameters]\n"
      "\"PortName\"=\"USB008\"\n");
  EXPECT_EQ(Device(kPrinterId).GetPorts(), "USB007|USB008");
}

TEST_F(StandInDeviceTest, PortListLongerThanTheBufferLeavesWholeNamesOut) {
  const std::string first(150, 'A');
  const std::string second(150, 'B');
  devices.SetDevices(UsbPrinter("USB\\A\\1", first) + UsbPrinter("USB\\A\\2", second) +
                     UsbPrinter("USB\\A\\3", "USB003"));
  EXPECT_EQ(Device(kPrinterId).GetPorts(), first + "|USB003");
  EXPECT_EQ(log.Lines(), Lines{"Device::GetPorts: no room for port " + second});
}

TEST_F(StandInDeviceTest, FirstPortOperationStopsAtTheFirstMatch) {
  devices.SetDevices(UsbPrinter("USB\\A\\1", "") + UsbPrinter("USB\\A\\2", "USB002") +
                     UsbPrinter("USB\\A\\3", "USB003"));
  Device device(kPrinterId);
  std::string buffer = "stale";
  EXPECT_TRUE(
      device.ForEachDevice(Device::FirstPortOperation, buffer, kPrinterId, Device::PresentOnly));
  EXPECT_EQ(buffer, "");  // the first match has no PortName
  std::string unknown = "kept";
  EXPECT_FALSE(device.ForEachDevice(6, unknown, kPrinterId, Device::PresentOnly));
  EXPECT_EQ(unknown, "kept");
}

struct MissingFunctionCase {
  const char* function;
  const char* line;
};

TEST_F(StandInDeviceTest, ConstructorLogsEachMissingFunction) {
  const MissingFunctionCase cases[] = {
      {"SetupDiEnumDeviceInfo", "Device::ctor: no SetupDiEnumDeviceInfo function!"},
      {"SetupDiGetINFClassA", "Device::ctor: no SetupDiGetINFClassA function!"},
      {"SetupDiGetClassDevsA", "Device::ctor: no SetupDiGetClassDevsA function!"},
      {"SetupDiDestroyDeviceInfoList", "Device::ctor: no SetupDiDestroyDeviceInfoListA function!"},
      {"SetupDiCallClassInstaller", "Device::ctor: no SetupDiCallClassInstallerA function!"},
      {"SetupDiGetDeviceRegistryPropertyA",
       "Device::ctor: no SetupDiGetDeviceRegistryPropertyA function!"},
      {"SetupDiCreateDeviceInfoA", "Device::ctor: no SetupDiCreateDeviceInfoW function!"},
      {"SetupDiCreateDeviceInfoList", "Device::ctor: no SetupDiCreateDeviceInfoList function!"},
      {"SetupDiSetDeviceRegistryPropertyA",
       "Device::ctor: no SetupDiSetDeviceRegistryProperty function!"},
      {"SetupOpenInfFileA", "Device::ctor: no SetupOpenInfFile function!"},
      {"SetupCloseInfFile", "Device::ctor: no SetupCloseInfFile function!"},
      {"SetupDiOpenDevRegKey", "Device::ctor: no SetupDiOpenDevRegKey function!"},
  };
  devices.SetDevices(UsbPrinter("USB\\A\\1", "USB001"));
  for (const MissingFunctionCase& c : cases) {
    devices.InstallModule(std::string("SetupApi-no-") + c.function + ".dll", "SetupApi.dll");
    log.Clear();
    Device device(kPrinterId);
    EXPECT_FALSE(device.IsUsable()) << c.function;
    EXPECT_EQ(device.GetPorts(), "") << c.function;
    EXPECT_FALSE(device.IsPresent(true)) << c.function;
    EXPECT_EQ(log.Lines(), Lines{c.line}) << c.function;
  }
}

TEST_F(StandInDeviceTest, WithoutSetupApiNothingIsFound) {
  devices.SetDevices(UsbPrinter("USB\\A\\1", "USB001"));
  devices.RemoveModule("SetupApi.dll");
  Device device(kPrinterId);
  EXPECT_FALSE(device.IsUsable());
  EXPECT_EQ(device.GetPorts(), "");
  device.SetInfPath("C:\\Windows\\Inf\\printer.inf");
  EXPECT_FALSE(device.install());
  EXPECT_EQ(log.Lines(), (Lines{"Device::ctor: Could not load SetupApi.dll!",
                                "Device::install: SetupAPI library was not loaded. Stop."}));
}

TEST_F(StandInDeviceTest, SetThatCannotBeOpenedFindsNothing) {
  devices.SetDevices(UsbPrinter("USB\\A\\1", "USB001"));
  devices.SetFacts("FailSetupDiGetClassDevsA=8\n");
  Device device(kPrinterId);
  std::string buffer;
  EXPECT_FALSE(device.ForEachDevice(Device::PortsOperation, buffer, kPrinterId, 1));
  EXPECT_EQ(device.GetPorts(), "");
  EXPECT_TRUE(CallsOf(devices.Journal("SetupApi.dll"), "SetupDiDestroyDeviceInfoList").empty());
}

struct PresenceCase {
  const char* name;
  std::string devices;
  bool includeRoot;
  bool present;
  size_t statusCalls;
};

TEST_F(StandInDeviceTest, IsPresentNeedsAReadableDeviceNodeStatus) {
  const PresenceCase cases[] = {
      {"present", UsbPrinter("USB\\A\\1", "USB001"), false, true, 1},
      {"status unreadable", UsbPrinter("USB\\A\\1", "USB001", "NodeStatus=13"), false, false, 1},
      {"second answers",
       UsbPrinter("USB\\A\\1", "", "NodeStatus=0x1B") + UsbPrinter("USB\\A\\2", "") +
           UsbPrinter("USB\\A\\3", ""),
       false, true, 2},
      {"phantom", UsbPrinter("USB\\A\\1", "USB001", "Present=0\nNodeStatus=0"), true, false, 0},
      {"root left out", UsbPrinter("ROOT\\PRINTER\\0000", ""), false, false, 0},
      {"root included", UsbPrinter("ROOT\\PRINTER\\0000", ""), true, true, 1},
      {"other model", DeviceSection("USB\\A\\1", "HardwareID=USBPRINT\\Other"), true, false, 0},
  };
  for (const PresenceCase& c : cases) {
    devices.SetDevices(c.devices);
    devices.ClearJournal("cfgmgr32.dll");
    EXPECT_EQ(Device(kPrinterId).IsPresent(c.includeRoot), c.present) << c.name;
    EXPECT_EQ(CallsOf(devices.Journal("cfgmgr32.dll"), "CM_Get_DevNode_Status").size(),
              c.statusCalls)
        << c.name;
  }
  EXPECT_TRUE(log.Lines().empty());
}

TEST_F(StandInDeviceTest, IsPresentAsksForTheGivenIdentifierOrTheDevicesOwn) {
  devices.SetDevices(UsbPrinter("USB\\A\\1", "") +
                     DeviceSection("USB\\A\\2", "HardwareID=USBPRINT\\Other\nDeviceDesc=Other"));
  Device device(kPrinterId);
  EXPECT_TRUE(device.IsPresent(false));
  EXPECT_TRUE(device.IsPresent(false, "usbprint\\other"));
  EXPECT_FALSE(device.IsPresent(false, "USBPRINT\\Third"));
  std::string answer;
  EXPECT_TRUE(device.ForEachDevice(Device::PresentByDescriptionOperation, answer, "other",
                                   Device::PresentOnly));
  EXPECT_EQ(answer, "1");
  EXPECT_EQ(CallsOf(devices.Journal("cfgmgr32.dll"), "CM_Get_DevNode_Status").back(),
            "CM_Get_DevNode_Status\t2");
}

TEST_F(StandInDeviceTest, IsPresentWithoutConfigurationManagerIsFalse) {
  devices.SetDevices(UsbPrinter("USB\\A\\1", "USB001"));
  devices.RemoveModule("cfgmgr32.dll");
  EXPECT_FALSE(Device(kPrinterId).IsPresent(true));
  devices.InstallModule("cfgmgr32-no-CM_Get_DevNode_Status.dll", "cfgmgr32.dll");
  EXPECT_FALSE(Device(kPrinterId).IsPresent(true));
  EXPECT_EQ(log.Lines(), (Lines{"Device::ForEachDevice: Could not load cfgmgr32.dll!",
                                "Device::ForEachDevice: no CM_Get_DevNode_Status function!"}));
}

TEST_F(StandInDeviceTest, RemoveUnknownDevicesRemovesPresentUnknownOnesWithTheIdentifier) {
  devices.SetDevices(
      DeviceSection("USB\\U\\1", "HardwareID=" + kPrinterId + "\nClass=Unknown") +
      DeviceSection("ROOT\\UNKNOWN\\0000", "HardwareID=" + kPrinterId + "\nClass=UNKNOWN") +
      UsbPrinter("USB\\P\\1", "USB001") +
      DeviceSection("USB\\U\\2", "HardwareID=USBPRINT\\Other\nClass=Unknown") +
      DeviceSection("USB\\U\\3", "HardwareID=" + kPrinterId + "\nClass=Unknown\nPresent=0") +
      DeviceSection("USB\\U\\4", "HardwareID=" + kPrinterId));
  Device(kPrinterId).RemoveUnknownDevices(false, kPrinterId);
  EXPECT_EQ(CallsOf(devices.Journal("SetupApi.dll"), "SetupDiCallClassInstaller"),
            Lines{"SetupDiCallClassInstaller\tDIF_REMOVE\tUSB\\U\\1"});
  devices.ClearJournal("SetupApi.dll");
  Device(kPrinterId).RemoveUnknownDevices(true, kPrinterId);
  EXPECT_EQ(CallsOf(devices.Journal("SetupApi.dll"), "SetupDiCallClassInstaller"),
            (Lines{"SetupDiCallClassInstaller\tDIF_REMOVE\tUSB\\U\\1",
                   "SetupDiCallClassInstaller\tDIF_REMOVE\tROOT\\UNKNOWN\\0000"}));
  ExpectSetsReleased();
}

TEST_F(StandInDeviceTest, RemoveRootDeviceStopsAfterTheFirstRemoval) {
  devices.SetDevices(UsbPrinter("USB\\A\\1", "USB001") + UsbPrinter("ROOT\\PRINTER\\0000", "") +
                     UsbPrinter("ROOT\\PRINTER\\0001", ""));
  EXPECT_TRUE(Device(kPrinterId).RemoveRootDevice(kPrinterId));
  EXPECT_EQ(CallsOf(devices.Journal("SetupApi.dll"), "SetupDiCallClassInstaller"),
            Lines{"SetupDiCallClassInstaller\tDIF_REMOVE\tROOT\\PRINTER\\0000"});
  EXPECT_TRUE(log.Lines().empty());

  // A failed removal is logged and the next root device tried.
  devices.ClearJournal("SetupApi.dll");
  devices.SetFacts("FailSetupDiCallClassInstaller=5\n");
  EXPECT_TRUE(Device(kPrinterId).RemoveRootDevice(kPrinterId));
  EXPECT_EQ(CallsOf(devices.Journal("SetupApi.dll"), "SetupDiCallClassInstaller").size(), 2u);
  EXPECT_EQ(log.Lines(), (Lines{"Failed to remove root device", "Failed to remove root device"}));
  ExpectSetsReleased();
}

TEST_F(StandInDeviceTest, DevicesOfTheInfClassOnly) {
  TempDir folder;
  const std::string inf = folder.File("printer.inf");
  std::ofstream(inf) << "[Version]\nClass=Printer\nClassGUID=" << kPrinterClassGuid << "\n";
  devices.SetDevices(UsbPrinter("USB\\A\\1", "USB001") +
                     DeviceSection("USB\\B\\1", "HardwareID=" + kPrinterId +
                                                    "\nClassGUID={36FC9E60-C465-11CF-8056-"
                                                    "444553540000}\nPortName=USB009"));
  Device device(kPrinterId);
  std::string ports;
  EXPECT_TRUE(device.ForEachDevice(Device::PortsOperation, ports, kPrinterId, 1, inf));
  EXPECT_EQ(ports, "USB001");
  // An INF without a class leaves every class in.
  std::ofstream(inf) << "[Version]\nSignature=\"$Windows NT$\"\n";
  EXPECT_TRUE(device.ForEachDevice(Device::PortsOperation, ports, kPrinterId, 1, inf));
  EXPECT_EQ(ports, "USB001|USB009");
  EXPECT_EQ(
      CallsOf(devices.Journal("SetupApi.dll"), "SetupDiGetClassDevsA"),
      (Lines{"SetupDiGetClassDevsA\t0x2\t" + kPrinterClassGuid, "SetupDiGetClassDevsA\t0x6\t-"}));
}

// The system's own services: Wine's setupapi knows no printer of this model.
TEST_F(DeviceTest, RealServicesKnowNoSuchPrinter) {
  if (TestMachine::IsStandIn()) GTEST_SKIP() << "the stand-in cases cover this machine";
  Device device(kPrinterId);
  EXPECT_TRUE(device.IsUsable());
  EXPECT_EQ(device.GetPorts(), "");
  EXPECT_FALSE(device.IsPresent(true));
  std::string buffer = "stale";
  EXPECT_TRUE(device.ForEachDevice(Device::PortsOperation, buffer, kPrinterId,
                                   Device::PresentOnly | Device::IncludeRoot));
  EXPECT_EQ(buffer, "");
  EXPECT_TRUE(log.Lines().empty());
}

}  // namespace
}  // namespace nodexa::test
