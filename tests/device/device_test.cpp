// Device over the stand-in SetupApi.dll, newdev.dll and cfgmgr32.dll of the
// POSIX build, answering from devices.ini: presence, removal and the driver
// installation, which no export reaches (the port listing is proven through
// the exports, in both builds); under Wine, the system's own services.
#include "device/device.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>

#include "harness/log_capture.h"
#include "harness/temp_dir.h"
#include "harness/test_devices.h"
#include "harness/test_machine.h"
#include "harness/test_medium.h"
#include "platform/win32_api.h"
#include "support/file_removal.h"

namespace nodexa::test {
namespace {

using Lines = std::vector<std::string>;

const std::string kPrinterId = "USBPRINT\\QuorvexQX100";
const std::string kPrinterClassGuid = "{4D36E979-E325-11CE-BFC1-08002BE10318}";

std::string DeviceSection(const std::string& instance, const std::string& lines) {
  return "[" + instance + "]\n" + lines + "\n";
}

// A present USB printer of the test model on `port` ("" for no PortName).
std::string UsbPrinter(const std::string& instance, const std::string& port,
                       const std::string& more = "") {
  return DeviceSection(instance, "HardwareID=" + kPrinterId +
                                     "\nClass=Printer\nClassGUID=" + kPrinterClassGuid + "\n" +
                                     (port.empty() ? "" : "PortName=" + port + "\n") + more);
}

// A driver INF whose models list `identifier` for 64-bit systems only.
std::string DriverInf(const std::string& identifier, const char* decoration = "NTamd64") {
  return "[Version]\nSignature=\"$Windows NT$\"\nClass=Printer ; the printer class\nClassGUID=" +
         kPrinterClassGuid + "\n[Manufacturer]\n\"Quorvex\"=Quorvex," + decoration +
         "\n[Quorvex]\n\"Quorvex Other\" = OTHER_Install, USBPRINT\\QuorvexOther\n[Quorvex." +
         decoration + "]\n\"Quorvex Model\" = MODEL_Install, " + identifier + ", QuorvexModel\n";
}

// The journal lines of `function`.
Lines CallsOf(const Lines& journal, const std::string& function) {
  Lines calls;
  for (const std::string& line : journal) {
    if (line == function || line.rfind(function + "\t", 0) == 0) calls.push_back(line);
  }
  return calls;
}

class DeviceTest : public ::testing::Test {
 protected:
  DeviceTest() : machine(WindowsMachineRegistry()), devices(machine) { rebootRequired = false; }
  ~DeviceTest() override { rebootRequired = false; }
  void SetUp() override {
    if (!TestMachine::IsStandIn()) GTEST_SKIP() << "the devices of a real machine are its own";
    WriteBinary(inf, DriverInf(kPrinterId));
  }

  Lines SetupCalls(const std::string& function) const {
    return CallsOf(devices.Journal("SetupApi.dll"), function);
  }
  // Every device set the stand-in opened was destroyed again.
  void ExpectSetsReleased() const {
    EXPECT_EQ(SetupCalls("SetupDiGetClassDevsA").size() +
                  SetupCalls("SetupDiCreateDeviceInfoList").size(),
              SetupCalls("SetupDiDestroyDeviceInfoList").size());
    EXPECT_EQ(OpenRegistryKeys().value_or(0), 0u);
  }

  TestMachine machine;
  TestDevices devices;
  LogCapture log;
  TempDir scratch;
  const std::string inf = scratch.File("qx100.inf");
};

// The system's INF folder: a fresh Windows folder named by the machine's facts.
struct InfFolder {
  explicit InfFolder(const TestDevices& devices, const std::string& moreFacts = "") {
    std::filesystem::create_directories(host);
    devices.SetFacts("WindowsDirectory=" + (scratch.Path() / "Win").string() + "\n" + moreFacts);
  }
  void Write(const std::string& file, const std::string& text) const {
    WriteBinary(host / file, text);
  }
  std::string Name(const std::string& file) const { return WindowsForm(host) + "\\" + file; }
  bool Has(const std::string& file) const { return std::filesystem::exists(host / file); }

  TempDir scratch;
  std::filesystem::path host = scratch.Path() / "Win" / "Inf";
};

TEST_F(DeviceTest, IsPresentNeedsAMatchingDeviceWithAReadableNodeStatus) {
  // Devices, root devices included, present, node-status calls.
  // clang-format off
  const std::tuple<std::string, bool, bool, size_t> cases[] = {
      {UsbPrinter("USB\\A\\1", "USB001"), false, true, 1},
      {UsbPrinter("USB\\A\\1", "", "NodeStatus=13"), false, false, 1},  // status unreadable
      {UsbPrinter("USB\\A\\1", "", "NodeStatus=0x1B") + UsbPrinter("USB\\A\\2", ""), false, true, 2},
      {UsbPrinter("USB\\A\\1", "", "Present=0\nNodeStatus=0"), true, false, 0},  // phantom
      {UsbPrinter("ROOT\\PRINTER\\0000", ""), false, false, 0},
      {UsbPrinter("USB\\A\\9", "", "Enumerator=Root"), false, false, 0},
      {UsbPrinter("ROOT\\PRINTER\\0000", ""), true, true, 1},
      {DeviceSection("USB\\A\\1", "HardwareID=usbprint\\QUORVEXqx100"), false, true, 1},
      {DeviceSection("USB\\A\\1", "HardwareID=USBPRINT\\QuorvexQX100S\nHardwareID=" + kPrinterId),
       false, true, 1},
      {DeviceSection("USB\\A\\1", "HardwareID=USBPRINT\\Other"), true, false, 0},
      {DeviceSection("USB\\A\\1", "HardwareID=USBPRINT\\QuorvexQX1000"), false, false, 0},
      {DeviceSection("USB\\A\\1", "CompatibleID=" + kPrinterId), false, false, 0}};
  // clang-format on
  for (const auto& [description, includeRoot, present, statusCalls] : cases) {
    devices.SetDevices(description);
    devices.ClearJournal("cfgmgr32.dll");
    EXPECT_EQ(Device(kPrinterId).IsPresent(includeRoot), present) << description;
    EXPECT_EQ(CallsOf(devices.Journal("cfgmgr32.dll"), "CM_Get_DevNode_Status").size(), statusCalls)
        << description;
  }
  // Another identifier than the device's own.
  devices.SetDevices(DeviceSection("USB\\A\\2", "HardwareID=USBPRINT\\Other"));
  EXPECT_TRUE(Device(kPrinterId).IsPresent(false, "usbprint\\other"));
  EXPECT_TRUE(log.Lines().empty());
  ExpectSetsReleased();
}

// A service missing from the system folder is missing, even with a copy in
// the current folder, where anyone may put one.
TEST_F(DeviceTest, MissingServicesAreLoggedAndDoNothing) {
  devices.SetDevices(UsbPrinter("USB\\A\\1", "USB001"));
  const nodexa::test::TempDir planted;
  for (const char* module : {"SetupApi.dll", "newdev.dll", "cfgmgr32.dll"}) {
    std::filesystem::copy_file(nodexa::test::ProgramDirectory() / "system32" / module,
                               planted.Path() / module);
  }
  const nodexa::test::CurrentFolder inside(planted.Path());
  devices.InstallModule("cfgmgr32-no-CM_Get_DevNode_Status.dll", "cfgmgr32.dll");
  EXPECT_FALSE(Device(kPrinterId).IsPresent(true));
  devices.RemoveModule("cfgmgr32.dll");
  EXPECT_FALSE(Device(kPrinterId).IsPresent(true));
  bool restart = false;
  devices.InstallModule("newdev-no-UpdateDriverForPlugAndPlayDevicesA.dll", "newdev.dll");
  EXPECT_FALSE(Device(kPrinterId).UpdateDriver(nullptr, restart));
  devices.RemoveModule("newdev.dll");
  EXPECT_FALSE(Device(kPrinterId).UpdateDriver(nullptr, restart));
  devices.RemoveModule("SetupApi.dll");
  Device device(kPrinterId);
  device.SetInfPath(inf);
  EXPECT_FALSE(device.install());
  EXPECT_EQ(log.Lines(),
            (Lines{"Device::ForEachDevice: no CM_Get_DevNode_Status function!",
                   "Device::ForEachDevice: Could not load cfgmgr32.dll!",
                   "Device::UpdateDriver: no UpdateDriverForPlugAndPlayDevicesA function!",
                   "Device::UpdateDriver: Could not load newdev.dll!",
                   "Device::ctor: Could not load SetupApi.dll!",
                   "Device::install: SetupAPI library was not loaded. Stop."}));
}

TEST_F(DeviceTest, RemovalOfUnknownAndRootDevices) {
  devices.SetDevices(
      DeviceSection("USB\\U\\1", "HardwareID=" + kPrinterId + "\nClass=Unknown") +
      DeviceSection("ROOT\\UNKNOWN\\0000", "HardwareID=" + kPrinterId + "\nClass=UNKNOWN") +
      UsbPrinter("USB\\P\\1", "USB001") +
      DeviceSection("USB\\U\\2", "HardwareID=USBPRINT\\Other\nClass=Unknown") +
      DeviceSection("USB\\U\\3", "HardwareID=" + kPrinterId + "\nClass=Unknown\nPresent=0"));
  const std::string remove = "SetupDiCallClassInstaller\tDIF_REMOVE\t";
  Device(kPrinterId).RemoveUnknownDevices(false, kPrinterId);
  EXPECT_EQ(SetupCalls("SetupDiCallClassInstaller"), Lines{remove + "USB\\U\\1"});
  devices.ClearJournal("SetupApi.dll");
  Device(kPrinterId).RemoveUnknownDevices(true, kPrinterId);
  EXPECT_EQ(SetupCalls("SetupDiCallClassInstaller"),
            (Lines{remove + "USB\\U\\1", remove + "ROOT\\UNKNOWN\\0000"}));
  // The first root device removed ends the removal; a failure is logged and the next tried.
  devices.SetDevices(UsbPrinter("USB\\A\\1", "USB001") + UsbPrinter("ROOT\\PRINTER\\0000", "") +
                     UsbPrinter("ROOT\\PRINTER\\0001", ""));
  devices.ClearJournal("SetupApi.dll");
  EXPECT_TRUE(Device(kPrinterId).RemoveRootDevice(kPrinterId));
  EXPECT_EQ(SetupCalls("SetupDiCallClassInstaller"), Lines{remove + "ROOT\\PRINTER\\0000"});
  EXPECT_TRUE(log.Lines().empty());
  devices.SetFacts("FailSetupDiCallClassInstaller=5\n");
  EXPECT_TRUE(Device(kPrinterId).RemoveRootDevice(kPrinterId));
  EXPECT_EQ(log.Lines(), Lines(2, "Failed to remove root device"));
  ExpectSetsReleased();
}

TEST_F(DeviceTest, CreateRootDeviceKeepsAPresentOne) {
  devices.SetDevices(UsbPrinter("ROOT\\PRINTER\\0000", ""));
  Device device(kPrinterId);
  device.SetInfPath(inf);
  EXPECT_TRUE(device.CreateRootDevice());
  EXPECT_TRUE(SetupCalls("SetupDiCreateDeviceInfoList").empty());
}

TEST_F(DeviceTest, UpdateDriverTreatsOnlyCancellingAsFailure) {
  // The stand-in's facts, the answer, a restart reported, the log.
  // clang-format off
  const std::tuple<const char*, bool, bool, Lines> cases[] = {
      {"DriverUpdateNeedsRestart=1", true, true, {}},
      {"FailUpdateDriverForPlugAndPlayDevicesA=1223", false, false,
       {"User has cancelled the UpdatePnP and uninstaller will be launched. "}},
      {"FailUpdateDriverForPlugAndPlayDevicesA=1796", true, false,
       {"UpdatePnP returned code 1796. Ingnore it."}},
      {"FailUpdateDriverForPlugAndPlayDevicesA=0xE000020B", true, false,
       {"UpdatePnP failed with error 3758096907. Installation will continue."}}};
  // clang-format on
  for (const auto& [facts, result, restart, lines] : cases) {
    devices.SetFacts(std::string(facts) + "\n");
    log.Clear();
    Device device(kPrinterId);
    device.SetInfPath(inf);
    device.SetDriverInfPath("C:\\Drivers\\driver.inf");  // the driver's own INF comes first
    bool restartNeeded = !restart;
    EXPECT_EQ(device.UpdateDriver(nullptr, restartNeeded), result) << facts;
    EXPECT_EQ(restartNeeded, restart) << facts;
    EXPECT_EQ(log.Lines(), lines) << facts;
    EXPECT_EQ(
        devices.Journal("newdev.dll").back(),
        "UpdateDriverForPlugAndPlayDevicesA\t0\t" + kPrinterId + "\tC:\\Drivers\\driver.inf\t0");
  }
  EXPECT_FALSE(rebootRequired);  // only install notes it
}

TEST_F(DeviceTest, InstallRemovesUnknownDevicesThenUpdatesThroughARootDevice) {
  devices.SetDevices(DeviceSection("USB\\U\\1", "HardwareID=" + kPrinterId + "\nClass=Unknown"));
  devices.SetFacts("DriverUpdateNeedsRestart=1\n");
  Device device(kPrinterId);
  device.SetInfPath(inf);
  EXPECT_TRUE(device.install());
  EXPECT_TRUE(rebootRequired);
  // A root device of the INF's class with the model's identifier and manual-install flags.
  EXPECT_EQ(SetupCalls("SetupDiCreateDeviceInfoList"),
            Lines{"SetupDiCreateDeviceInfoList\t" + kPrinterClassGuid});
  EXPECT_EQ(SetupCalls("SetupDiSetDeviceRegistryPropertyA"),
            (Lines{"SetupDiSetDeviceRegistryPropertyA\tROOT\\PRINTER\\0000\t0xA\t4",
                   "SetupDiSetDeviceRegistryPropertyA\tROOT\\PRINTER\\0000\t0x1\t" + kPrinterId}));
  EXPECT_EQ(SetupCalls("SetupDiCallClassInstaller"),
            (Lines{"SetupDiCallClassInstaller\tDIF_REMOVE\tUSB\\U\\1",
                   "SetupDiCallClassInstaller\tDIF_REGISTERDEVICE\tROOT\\PRINTER\\0000\t" +
                       kPrinterId + "\t4",
                   "SetupDiCallClassInstaller\tDIF_REMOVE\tROOT\\PRINTER\\0000"}));
  EXPECT_EQ(devices.Journal("newdev.dll"),
            Lines{"UpdateDriverForPlugAndPlayDevicesA\t0\t" + kPrinterId + "\t" + inf + "\t0"});
  ExpectSetsReleased();
  // The update's answer is install's; a failed root device stops before the update.
  rebootRequired = false;
  devices.SetFacts("FailUpdateDriverForPlugAndPlayDevicesA=1223\n");
  EXPECT_FALSE(device.install());
  EXPECT_FALSE(rebootRequired);
  devices.ClearJournal("newdev.dll");
  log.Clear();
  devices.SetFacts("FailSetupDiCallClassInstaller=5\n");
  EXPECT_FALSE(device.install());
  device.SetInfPath(scratch.File("missing.inf"));
  EXPECT_FALSE(device.install());
  EXPECT_TRUE(devices.Journal("newdev.dll").empty());
  EXPECT_EQ(log.Lines(),
            (Lines{"Failed to create root device for " + kPrinterId,
                   "Device::CreateRootDevice: no device class in " + scratch.File("missing.inf")}));
  // Without an INF only the unknown devices go.
  log.Clear();
  devices.ClearJournal("newdev.dll");
  EXPECT_TRUE(Device(kPrinterId).install());
  EXPECT_EQ(log.Lines(), Lines{"Device::install: No inf for this device. Stop."});
  EXPECT_TRUE(devices.Journal("newdev.dll").empty());
}

TEST_F(DeviceTest, FindOemInfTakesTheFirstOemFileNamingTheModel) {
  InfFolder folder(devices);
  folder.Write("oem1.inf", DriverInf("USBPRINT\\QuorvexOther"));
  folder.Write("oem10.inf", DriverInf(kPrinterId, "NTx86"));  // not for this processor
  folder.Write("oem2.inf", DriverInf(kPrinterId));
  folder.Write("oem3.inf", DriverInf(kPrinterId));
  folder.Write("printer.inf", DriverInf(kPrinterId));
  std::filesystem::create_directories(folder.host / "oem0.inf");
  EXPECT_EQ(Device("usbprint\\quorvexqx100").FindOemInf(), folder.Name("oem2.inf"));
  EXPECT_EQ(Device("USBPRINT\\QuorvexQX200").FindOemInf(), "");
  EXPECT_EQ(Device("").FindOemInf(), "");
}

TEST_F(DeviceTest, UninstallRemovesEveryDeviceAndTheSystemsCopies) {
  InfFolder folder(devices, "FailSetupDiCallClassInstaller=5\n");
  for (const char* file : {"oem1.pnf", "oem2.pnf"}) folder.Write(file, "precompiled");
  folder.Write("oem1.inf", DriverInf("USBPRINT\\QuorvexOther"));
  folder.Write("oem2.inf", DriverInf(kPrinterId));
  std::filesystem::permissions(folder.host / "oem2.inf", std::filesystem::perms::owner_read);
  devices.SetDevices(UsbPrinter("USB\\A\\1", "USB001") +
                     UsbPrinter("USB\\A\\2", "USB002", "Present=0") +
                     UsbPrinter("ROOT\\PRINTER\\0000", "") +
                     DeviceSection("USB\\B\\1", "HardwareID=USBPRINT\\Other"));
  EXPECT_FALSE(Device(kPrinterId).uninstall());
  const std::string remove = "SetupDiCallClassInstaller\tDIF_REMOVE\t";
  EXPECT_EQ(SetupCalls("SetupDiCallClassInstaller"),
            (Lines{remove + "USB\\A\\1", remove + "USB\\A\\2", remove + "ROOT\\PRINTER\\0000"}));
  EXPECT_EQ(SetupCalls("SetupDiGetClassDevsA"), Lines{"SetupDiGetClassDevsA\t0x4\t-"});
  EXPECT_EQ(log.Lines(), Lines(3, "Failed to remove device " + kPrinterId));
  EXPECT_FALSE(folder.Has("oem2.inf") || folder.Has("oem2.pnf"));
  EXPECT_TRUE(folder.Has("oem1.inf") && folder.Has("oem1.pnf"));
  EXPECT_FALSE(rebootRequired);
}

TEST_F(DeviceTest, UninstallDefersWhatCannotBeDeleted) {
  InfFolder folder(devices, "FailDeleteFileA=32\n");
  folder.Write("oem4.inf", DriverInf(kPrinterId));
  folder.Write("oem4.PNF", "precompiled");
  machine.Import("[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager]\n");
  EXPECT_FALSE(Device(kPrinterId).uninstall());
  EXPECT_TRUE(rebootRequired);
  EXPECT_TRUE(folder.Has("oem4.inf"));
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Session Manager",
                          0, KEY_READ, &key),
            0);
  char pending[2048] = {};
  DWORD size = sizeof pending, type = 0;
  EXPECT_EQ(RegQueryValueExA(key, "PendingFileRenameOperations", nullptr, &type,
                             reinterpret_cast<LPBYTE>(pending), &size),
            0);
  RegCloseKey(key);
  EXPECT_EQ(type, static_cast<DWORD>(REG_MULTI_SZ));
  std::string oem = folder.Name("OEM4");
  for (char& c : oem) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  EXPECT_EQ(std::string(pending, size), "\\??\\" + oem + ".INF" + std::string(2, '\0') + "\\??\\" +
                                            oem + ".PNF" + std::string(3, '\0'));
}

// Wine's setupapi lists devices, none of them a printer of this model.
TEST(RealDevices, KnowNoPrinterOfTheModel) {
  if (TestMachine::IsStandIn()) GTEST_SKIP() << "the stand-in cases cover this machine";
  const LogCapture log;
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
