// A stand-in machine folder for one test: NODEXA_MACHINE names a fresh
// folder while the object lives, and the previous value comes back after.
// Only the POSIX build reads it; on Windows the real machine answers.
#ifndef NODEXA_TESTS_HARNESS_TEST_MACHINE_H_
#define NODEXA_TESTS_HARNESS_TEST_MACHINE_H_

#include <filesystem>
#include <optional>
#include <string>

#include "harness/temp_dir.h"

namespace nodexa::test {

class TestMachine {
 public:
  TestMachine();
  ~TestMachine();
  TestMachine(const TestMachine&) = delete;
  TestMachine& operator=(const TestMachine&) = delete;

  const std::filesystem::path& Root() const { return root.Path(); }
  // Replaces facts.ini with `lines` ("Name=Value" lines).
  void SetFacts(const std::string& lines) const;
  // Replaces spooler.ini: "[Port NAME]" and "[Printer NAME]" sections and
  // the [Faults] switches.
  void SetSpooler(const std::string& text) const;

 private:
  TempDir root;
  std::optional<std::string> previous;
};

}  // namespace nodexa::test

#endif  // NODEXA_TESTS_HARNESS_TEST_MACHINE_H_
