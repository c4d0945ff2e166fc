// The Plug and Play side of a test's machine.
//
// On the POSIX stand-in the machine folder gets a system folder holding
// copies of the stand-in system modules (SetupApi.dll, newdev.dll,
// cfgmgr32.dll; a test may swap in a variant lacking a function), facts.ini
// names it as the system folder, and devices.ini lists the devices (format
// in docs/posix-machine.md). The copies are the test's own, so their
// journals are too. On Windows, and under Wine, the real device tree and
// system modules answer and every call here does nothing.
#ifndef NODEXA_TESTS_HARNESS_TEST_DEVICES_H_
#define NODEXA_TESTS_HARNESS_TEST_DEVICES_H_

#include <filesystem>
#include <string>
#include <vector>

#include "harness/test_machine.h"

namespace nodexa::test {

class TestDevices {
 public:
  explicit TestDevices(TestMachine& testMachine);
  TestDevices(const TestDevices&) = delete;
  TestDevices& operator=(const TestDevices&) = delete;

  // Replaces devices.ini.
  void SetDevices(const std::string& devicesText) const;
  // Replaces facts.ini with `factsText` plus the SystemDirectory fact.
  void SetFacts(const std::string& factsText) const;
  // Copies the built stand-in `variant` ("SetupApi-no-SetupCloseInfFile.dll")
  // into the system folder as `name`, or removes `name` from it.
  void InstallModule(const std::string& variant, const std::string& name) const;
  void RemoveModule(const std::string& name) const;

  // The journal of the system module `name` without its Load and Unload
  // lines, one entry per line (fields separated by tabs), and its reset.
  std::vector<std::string> Journal(const std::string& name) const;
  void ClearJournal(const std::string& name) const;

  const std::filesystem::path& SystemFolder() const { return system; }

 private:
  TestMachine& machine;
  std::filesystem::path system;
};

}  // namespace nodexa::test

#endif  // NODEXA_TESTS_HARNESS_TEST_DEVICES_H_
