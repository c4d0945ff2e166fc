// Driver installation through Device: the root device, the driver update,
// the system's copies of the driver's INF, install and uninstall.
#include <gtest/gtest.h>

#include <filesystem>

#include "device/device.h"
#include "device_fixture.h"
#include "harness/temp_dir.h"
#include "platform/win32_api.h"
#include "support/file_removal.h"

namespace nodexa::test {
namespace {

const std::string kPrinterInf =
    "[Version]\n"
    "Signature=\"$Windows NT$\"\n"
    "Class=Printer ; the printer class\n"
    "ClassGUID=" +
    kPrinterClassGuid + "\n";

// A driver INF whose models list `identifier` for 64-bit systems only.
std::string DriverInf(const std::string& identifier, const char* decoration = "NTamd64") {
  return kPrinterInf +
         "[Manufacturer]\n"
         "\"Quorvex\"=Quorvex," +
         decoration +
         "\n"
         "[Quorvex]\n"
         "\"Quorvex Other\" = OTHER_Install, USBPRINT\\QuorvexOther\n"
         "[Quorvex." +
         decoration +
         "]\n"
         "\"Quorvex Model\" = MODEL_Install, " +
         identifier + ", QuorvexModel\n";
}

// The system's INF folder as this program opens it and as the library names
// it: on the stand-in a fresh Windows folder named by the machine's facts;
// under Windows the real one, where a test leaves only files it removes.
class InfFolder {
 public:
  InfFolder(const TestDevices& devices, const std::string& moreFacts = "") {
    if (TestMachine::IsStandIn()) {
      const std::filesystem::path windows = scratch.Path() / "Win";
      host = windows / "Inf";
      std::filesystem::create_directories(host);
      devices.SetFacts("WindowsDirectory=" + windows.string() + "\n" + moreFacts);
      name = WindowsForm(host);
    } else {
      char buffer[MAX_PATH] = {};
      GetWindowsDirectoryA(buffer, MAX_PATH);
      name = std::string(buffer) + "\\Inf";
      host = name;
    }
  }
  ~InfFolder() {
    for (const std::filesystem::path& file : written) {
      std::error_code ignored;
      std::filesystem::remove(file, ignored);
    }
  }
  InfFolder(const InfFolder&) = delete;
  InfFolder& operator=(const InfFolder&) = delete;

  // Writes a file into the folder; the folder forgets it when it goes.
  std::filesystem::path Write(const std::string& file, const std::string& text) {
    const std::filesystem::path path = host / file;
    WriteBinary(path, text);
    written.push_back(path);
    return path;
  }
  std::string Name(const std::string& file) const { return name + "\\" + file; }
  const std::filesystem::path& Host() const { return host; }

 private:
  TempDir scratch;
  std::filesystem::path host;
  std::string name;
  std::vector<std::filesystem::path> written;
};

class DeviceInstallTest : public StandInDeviceTest {
 protected:
  DeviceInstallTest() {
    rebootRequired = false;
    inf = scratch.File("qx100.inf");
    WriteBinary(inf, DriverInf(kPrinterId));
  }
  ~DeviceInstallTest() override { rebootRequired = false; }

  TempDir scratch;
  std::string inf;
};

const Lines kCreatedRootDevice = {
    "SetupDiCreateDeviceInfoList\t" + kPrinterClassGuid,
    "SetupDiCreateDeviceInfoA\tROOT\\PRINTER\\0000",
    "SetupDiSetDeviceRegistryPropertyA\tROOT\\PRINTER\\0000\t0xA\t4",
    "SetupDiSetDeviceRegistryPropertyA\tROOT\\PRINTER\\0000\t0x1\t" + kPrinterId,
    "SetupDiCallClassInstaller\tDIF_REGISTERDEVICE\tROOT\\PRINTER\\0000\t" + kPrinterId + "\t4",
    "SetupDiDestroyDeviceInfoList",
};

TEST_F(DeviceInstallTest, CreateRootDeviceRegistersOneInTheInfClass) {
  devices.SetDevices(DeviceSection("USB\\A\\1", "HardwareID=USBPRINT\\Other"));
  Device device(kPrinterId);
  device.SetInfPath(inf);
  EXPECT_TRUE(device.CreateRootDevice());
  Lines expected = {"SetupDiGetClassDevsA\t0x6\t-", "SetupDiDestroyDeviceInfoList"};
  expected.insert(expected.end(), kCreatedRootDevice.begin(), kCreatedRootDevice.end());
  EXPECT_EQ(devices.Journal("SetupApi.dll"), expected);
  EXPECT_TRUE(log.Lines().empty());
}

TEST_F(DeviceInstallTest, CreateRootDeviceKeepsAPresentOne) {
  devices.SetDevices(UsbPrinter("ROOT\\PRINTER\\0000", ""));
  Device device(kPrinterId);
  device.SetInfPath(inf);
  EXPECT_TRUE(device.CreateRootDevice());
  EXPECT_TRUE(CallsOf(devices.Journal("SetupApi.dll"), "SetupDiCreateDeviceInfoList").empty());
}

TEST_F(DeviceInstallTest, CreateRootDeviceFailures) {
  Device device(kPrinterId);
  device.SetInfPath(scratch.File("missing.inf"));
  EXPECT_FALSE(device.CreateRootDevice());
  device.SetInfPath(inf);
  devices.SetFacts("FailSetupDiCallClassInstaller=0xE0000219\n");
  EXPECT_FALSE(device.CreateRootDevice());
  EXPECT_EQ(log.Lines(),
            (Lines{"Device::CreateRootDevice: no device class in " + scratch.File("missing.inf"),
                   "Failed to create root device for " + kPrinterId}));
  ExpectSetsReleased();
}

struct UpdateCase {
  const char* fault;
  bool result;
  const char* line;
};

TEST_F(DeviceInstallTest, UpdateDriverTreatsOnlyCancellingAsFailure) {
  const UpdateCase cases[] = {
      {"0", true, nullptr},
      {"1223", false, "User has cancelled the UpdatePnP and uninstaller will be launched. "},
      {"1796", true, "UpdatePnP returned code 1796. Ingnore it."},
      {"5", true, "UpdatePnP failed with error 5. Installation will continue."},
      {"0xE000020B", true, "UpdatePnP failed with error 3758096907. Installation will continue."},
  };
  for (const UpdateCase& c : cases) {
    devices.SetFacts(std::string("FailUpdateDriverForPlugAndPlayDevicesA=") + c.fault + "\n");
    log.Clear();
    Device device(kPrinterId);
    device.SetInfPath(inf);
    bool restart = true;
    EXPECT_EQ(device.UpdateDriver(nullptr, restart), c.result) << c.fault;
    EXPECT_FALSE(restart) << c.fault;
    EXPECT_EQ(log.Lines(), c.line ? Lines{c.line} : Lines{}) << c.fault;
  }
  EXPECT_EQ(devices.Journal("newdev.dll").back(),
            "UpdateDriverForPlugAndPlayDevicesA\t0\t" + kPrinterId + "\t" + inf + "\t0");
}

TEST_F(DeviceInstallTest, UpdateDriverPrefersTheDriverInfAndReportsARestart) {
  devices.SetFacts("DriverUpdateNeedsRestart=1\n");
  Device device(kPrinterId);
  device.SetInfPath(inf);
  device.SetDriverInfPath("C:\\Drivers\\driver.inf");
  bool restart = false;
  EXPECT_TRUE(device.UpdateDriver(nullptr, restart));
  EXPECT_TRUE(restart);
  EXPECT_FALSE(rebootRequired);  // only install notes it
  EXPECT_EQ(devices.Journal("newdev.dll"), Lines{"UpdateDriverForPlugAndPlayDevicesA\t0\t" +
                                                 kPrinterId + "\tC:\\Drivers\\driver.inf\t0"});
}

TEST_F(DeviceInstallTest, UpdateDriverWithoutNewdev) {
  Device device(kPrinterId);
  bool restart = false;
  devices.RemoveModule("newdev.dll");
  EXPECT_FALSE(device.UpdateDriver(nullptr, restart));
  devices.InstallModule("newdev-no-UpdateDriverForPlugAndPlayDevicesA.dll", "newdev.dll");
  EXPECT_FALSE(device.UpdateDriver(nullptr, restart));
  EXPECT_EQ(log.Lines(),
            (Lines{"Device::UpdateDriver: Could not load newdev.dll!",
                   "Device::UpdateDriver: no UpdateDriverForPlugAndPlayDevicesA function!"}));
}

TEST_F(DeviceInstallTest, InstallRemovesUnknownDevicesThenUpdatesThroughARootDevice) {
  devices.SetDevices(DeviceSection("USB\\U\\1", "HardwareID=" + kPrinterId + "\nClass=Unknown") +
                     UsbPrinter("USB\\A\\1", "USB001", "Present=0"));
  devices.SetFacts("DriverUpdateNeedsRestart=1\n");
  Device device(kPrinterId);
  device.SetInfPath(inf);
  EXPECT_TRUE(device.install());
  EXPECT_TRUE(rebootRequired);
  EXPECT_EQ(CallsOf(devices.Journal("SetupApi.dll"), "SetupDiCallClassInstaller"),
            (Lines{"SetupDiCallClassInstaller\tDIF_REMOVE\tUSB\\U\\1", kCreatedRootDevice[4],
                   "SetupDiCallClassInstaller\tDIF_REMOVE\tROOT\\PRINTER\\0000"}));
  EXPECT_EQ(devices.Journal("newdev.dll"),
            Lines{"UpdateDriverForPlugAndPlayDevicesA\t0\t" + kPrinterId + "\t" + inf + "\t0"});
  // Unknown devices (root ones included), presence, root-device removal.
  EXPECT_EQ(CallsOf(devices.Journal("SetupApi.dll"), "SetupDiGetClassDevsA"),
            (Lines{"SetupDiGetClassDevsA\t0x6\t-", "SetupDiGetClassDevsA\t0x6\t-",
                   "SetupDiGetClassDevsA\t0x6\t-"}));
  EXPECT_TRUE(log.Lines().empty());
  ExpectSetsReleased();
}

TEST_F(DeviceInstallTest, InstallAnswersWithTheUpdate) {
  devices.SetFacts("FailUpdateDriverForPlugAndPlayDevicesA=1223\n");
  Device device(kPrinterId);
  device.SetInfPath(inf);
  EXPECT_FALSE(device.install());
  EXPECT_FALSE(rebootRequired);

  devices.SetFacts("FailSetupDiCallClassInstaller=5\n");
  devices.ClearJournal("newdev.dll");
  EXPECT_FALSE(device.install());
  EXPECT_TRUE(devices.Journal("newdev.dll").empty());
  EXPECT_EQ(log.Lines(),
            (Lines{"User has cancelled the UpdatePnP and uninstaller will be launched. ",
                   "Failed to create root device for " + kPrinterId}));
}

TEST_F(DeviceInstallTest, InstallWithoutInfStopsAfterTheUnknownDevices) {
  devices.SetDevices(DeviceSection("USB\\U\\1", "HardwareID=" + kPrinterId + "\nClass=unknown"));
  EXPECT_TRUE(Device(kPrinterId).install());
  EXPECT_EQ(CallsOf(devices.Journal("SetupApi.dll"), "SetupDiCallClassInstaller"),
            Lines{"SetupDiCallClassInstaller\tDIF_REMOVE\tUSB\\U\\1"});
  EXPECT_EQ(log.Lines(), Lines{"Device::install: No inf for this device. Stop."});
  EXPECT_TRUE(devices.Journal("newdev.dll").empty());
}

TEST_F(DeviceInstallTest, FindOemInfTakesTheFirstOemFileNamingTheModel) {
  InfFolder folder(devices);
  folder.Write("oem1.inf", DriverInf("USBPRINT\\QuorvexOther"));
  folder.Write("oem10.inf", DriverInf(kPrinterId, "NTx86"));  // not for this processor
  folder.Write("oem2.inf", DriverInf(kPrinterId));
  folder.Write("oem3.inf", DriverInf(kPrinterId));
  folder.Write("printer.inf", DriverInf(kPrinterId));
  std::filesystem::create_directories(folder.Host() / "oem0.inf");
  EXPECT_EQ(Device(kPrinterId).FindOemInf(), folder.Name("oem2.inf"));
  EXPECT_EQ(Device("usbprint\\quorvexqx100").FindOemInf(), folder.Name("oem2.inf"));
  EXPECT_EQ(Device("USBPRINT\\QuorvexQX200").FindOemInf(), "");
  EXPECT_EQ(Device("").FindOemInf(), "");
}

TEST_F(DeviceInstallTest, UninstallRemovesEveryDeviceAndTheSystemsCopies) {
  InfFolder folder(devices, "FailSetupDiCallClassInstaller=5\n");
  folder.Write("oem1.inf", DriverInf("USBPRINT\\QuorvexOther"));
  folder.Write("oem2.inf", DriverInf(kPrinterId));
  folder.Write("oem2.pnf", "precompiled");
  folder.Write("oem1.pnf", "precompiled");
  std::filesystem::permissions(folder.Host() / "oem2.inf", std::filesystem::perms::owner_read);
  devices.SetDevices(UsbPrinter("USB\\A\\1", "USB001") +
                     UsbPrinter("USB\\A\\2", "USB002", "Present=0") +
                     UsbPrinter("ROOT\\PRINTER\\0000", "") +
                     DeviceSection("USB\\B\\1", "HardwareID=USBPRINT\\Other"));
  EXPECT_FALSE(Device(kPrinterId).uninstall());
  EXPECT_EQ(CallsOf(devices.Journal("SetupApi.dll"), "SetupDiCallClassInstaller"),
            (Lines{"SetupDiCallClassInstaller\tDIF_REMOVE\tUSB\\A\\1",
                   "SetupDiCallClassInstaller\tDIF_REMOVE\tUSB\\A\\2",
                   "SetupDiCallClassInstaller\tDIF_REMOVE\tROOT\\PRINTER\\0000"}));
  EXPECT_EQ(CallsOf(devices.Journal("SetupApi.dll"), "SetupDiGetClassDevsA"),
            Lines{"SetupDiGetClassDevsA\t0x4\t-"});
  EXPECT_EQ(log.Lines(), Lines(3, "Failed to remove device " + kPrinterId));
  EXPECT_FALSE(std::filesystem::exists(folder.Host() / "oem2.inf"));
  EXPECT_FALSE(std::filesystem::exists(folder.Host() / "oem2.pnf"));
  EXPECT_TRUE(std::filesystem::exists(folder.Host() / "oem1.inf"));
  EXPECT_TRUE(std::filesystem::exists(folder.Host() / "oem1.pnf"));
  EXPECT_FALSE(rebootRequired);
}

TEST_F(DeviceInstallTest, UninstallDefersWhatCannotBeDeleted) {
  InfFolder folder(devices, "FailDeleteFileA=32\n");
  folder.Write("oem4.inf", DriverInf(kPrinterId));
  folder.Write("oem4.PNF", "precompiled");
  machine.Import("[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager]\n");
  EXPECT_FALSE(Device(kPrinterId).uninstall());
  EXPECT_TRUE(rebootRequired);
  EXPECT_TRUE(std::filesystem::exists(folder.Host() / "oem4.inf"));

  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Session Manager",
                          0, KEY_READ, &key),
            0);
  char pending[2048] = {};
  DWORD size = sizeof pending;
  DWORD type = 0;
  EXPECT_EQ(RegQueryValueExA(key, "PendingFileRenameOperations", nullptr, &type,
                             reinterpret_cast<LPBYTE>(pending), &size),
            0);
  RegCloseKey(key);
  EXPECT_EQ(type, static_cast<DWORD>(REG_MULTI_SZ));
  std::string upper = folder.Name("OEM4.INF");
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  std::string pnf = upper;
  pnf.replace(pnf.size() - 4, 4, ".PNF");
  const std::string expected =
      "\\??\\" + upper + std::string(2, '\0') + "\\??\\" + pnf + std::string(3, '\0');
  EXPECT_EQ(std::string(pending, size), expected);
}

// Under Windows the system's own INF folder and file calls do the work.
TEST_F(DeviceTest, UninstallRemovesTheSystemsCopyOfTheInf) {
  const std::string model = "USBPRINT\\QuorvexNodexaSelfTest";
  InfFolder folder(devices);
  folder.Write("oem97531.inf", DriverInf(model));
  folder.Write("oem97531.PNF", "precompiled");
  Device device(model);
  EXPECT_EQ(device.FindOemInf(), folder.Name("oem97531.inf"));
  EXPECT_FALSE(device.uninstall());
  EXPECT_FALSE(std::filesystem::exists(folder.Host() / "oem97531.inf"));
  EXPECT_FALSE(std::filesystem::exists(folder.Host() / "oem97531.PNF"));
  EXPECT_EQ(device.FindOemInf(), "");
  EXPECT_TRUE(log.Lines().empty());
}

}  // namespace
}  // namespace nodexa::test
