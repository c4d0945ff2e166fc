// The Windows machine a test runs against: its registry contents and, on
// POSIX, its facts.
//
// One REGEDIT4 text serves both builds. On POSIX it becomes registry.reg of
// a fresh machine folder that NODEXA_MACHINE names while the object lives
// (the previous value comes back afterwards). On Windows, and under Wine, it
// is written to a .reg file and imported into the real registry by running
// `regedit /S` as a child process. Fixtures begin with a [-KEY] line for
// every tree they fill, so each starts from a clean slate whatever an earlier
// test left; the object imports those deletions again when it goes.
#ifndef NODEXA_TESTS_HARNESS_TEST_MACHINE_H_
#define NODEXA_TESTS_HARNESS_TEST_MACHINE_H_

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "harness/temp_dir.h"

namespace nodexa::test {

class TestMachine {
 public:
  // True on the POSIX stand-in, where a test describes the whole machine
  // (system keys and facts included). False on Windows, where only the
  // fixtures' own keys may be written and facts.ini means nothing.
  static bool IsStandIn();
  // The text of tests/fixtures/`name`, copied beside the test programs.
  static std::string Fixture(const std::string& name);

  // No registry contents (POSIX: an empty registry.reg and no facts).
  TestMachine();
  explicit TestMachine(const std::string& registryText, const std::string& factsText = "");
  ~TestMachine();
  TestMachine(const TestMachine&) = delete;
  TestMachine& operator=(const TestMachine&) = delete;

  // Applies more REGEDIT4 text on top of what is there, as an import does.
  // False (with a test failure) when it could not be applied.
  bool Import(const std::string& registryText);
  // Replaces facts.ini. Does nothing on Windows.
  void SetFacts(const std::string& factsText);
  // Replaces spooler.ini ("[Port NAME]" and "[Printer NAME]" sections and
  // the [Faults] switches). Does nothing on Windows.
  void SetSpooler(const std::string& spoolerText);

  // POSIX: the machine folder, its registry file and that file's text.
  // Windows: the object's scratch folder, "" and "".
  std::string Folder() const;
  std::string RegistryFile() const;
  std::string RegistryText() const;

 private:
  void RememberDeletions(const std::string& registryText);

  TempDir folder;
  std::optional<std::string> previousMachine;
  std::vector<std::string> deletions;
  int imports = 0;
};

// The registry of a whole Windows machine (windows_machine.reg) on the POSIX
// stand-in, for tests of code that reads system facts; nothing on Windows,
// where the real machine answers.
std::string WindowsMachineRegistry();

// Registry keys this process has open: a number on the POSIX stand-in, none
// on Windows, which does not tell.
std::optional<size_t> OpenRegistryKeys();

}  // namespace nodexa::test

#endif  // NODEXA_TESTS_HARNESS_TEST_MACHINE_H_
