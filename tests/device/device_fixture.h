// A test machine with Plug and Play devices and the library's log captured,
// plus helpers to write devices.ini sections.
#ifndef NODEXA_TESTS_DEVICE_DEVICE_FIXTURE_H_
#define NODEXA_TESTS_DEVICE_DEVICE_FIXTURE_H_

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness/test_devices.h"
#include "harness/test_machine.h"
#include "harness/log_capture.h"

namespace nodexa::test {

using Lines = std::vector<std::string>;

inline const std::string kPrinterId = "USBPRINT\\QuorvexQX100";
inline const std::string kPrinterClassGuid = "{4D36E979-E325-11CE-BFC1-08002BE10318}";

// One devices.ini section.
inline std::string DeviceSection(const std::string& instance, const std::string& lines) {
  return "[" + instance + "]\n" + lines + "\n";
}

// A present USB printer of the test model on `port` ("" for no PortName).
inline std::string UsbPrinter(const std::string& instance, const std::string& port,
                              const std::string& more = "") {
  return DeviceSection(instance, "HardwareID=" + kPrinterId +
                                     "\nClass=Printer\nClassGUID=" + kPrinterClassGuid + "\n" +
                                     (port.empty() ? "" : "PortName=" + port + "\n") + more);
}

// The journal lines that start with `function`.
inline Lines CallsOf(const Lines& journal, const std::string& function) {
  Lines calls;
  for (const std::string& line : journal) {
    if (line.compare(0, function.size(), function) == 0 &&
        (line.size() == function.size() || line[function.size()] == '\t')) {
      calls.push_back(line);
    }
  }
  return calls;
}

class DeviceTest : public ::testing::Test {
 protected:
  DeviceTest() : machine(WindowsMachineRegistry()), devices(machine) {}

  // Every device set the stand-in opened was destroyed again.
  void ExpectSetsReleased() const {
    const Lines journal = devices.Journal("SetupApi.dll");
    EXPECT_EQ(CallsOf(journal, "SetupDiGetClassDevsA").size() +
                  CallsOf(journal, "SetupDiCreateDeviceInfoList").size(),
              CallsOf(journal, "SetupDiDestroyDeviceInfoList").size());
    if (const auto keys = OpenRegistryKeys()) {
      EXPECT_EQ(*keys, 0u);
    }
  }

  TestMachine machine;
  TestDevices devices;
  LogCapture log;
};

// Tests of the POSIX stand-in machine, where the test describes the devices.
class StandInDeviceTest : public DeviceTest {
 protected:
  void SetUp() override {
    if (!TestMachine::IsStandIn()) GTEST_SKIP() << "the devices of a real machine are its own";
  }
};

}  // namespace nodexa::test

#endif  // NODEXA_TESTS_DEVICE_DEVICE_FIXTURE_H_
