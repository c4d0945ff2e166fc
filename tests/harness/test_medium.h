// A setup medium for one test: a fresh folder holding Install\Config,
// Common\x64 and Setup\Bin, which the library takes for the running setup
// program's medium while the object lives (through the executable-directory
// variable). Stand-in modules are copied onto it from the test program's
// folder, their answers written and their journals read back.
#ifndef NODEXA_TESTS_SUPPORT_TEST_MEDIUM_H_
#define NODEXA_TESTS_SUPPORT_TEST_MEDIUM_H_

#include <filesystem>
#include <string>
#include <vector>

#include "harness/temp_dir.h"

namespace nodexa::test {

// A stand-in module's journal, one entry per line, with the arguments as
// the module received them (fields separated by tabs).
std::vector<std::string> ReadJournal(const std::filesystem::path& file);

// The folder of the running test program, where the stand-ins are built.
std::filesystem::path ProgramDirectory();

class TestMedium {
 public:
  TestMedium();
  ~TestMedium();
  TestMedium(const TestMedium&) = delete;
  TestMedium& operator=(const TestMedium&) = delete;

  const std::filesystem::path& Root() const { return root.Path(); }
  std::filesystem::path ModuleFolder() const;

  // Copies the built stand-in `variant` (e.g. "QVXAhcp-no-Discover.dll")
  // into Common\x64 as `name`; returns the copy's path.
  std::filesystem::path InstallModule(const std::string& variant, const std::string& name);
  // Writes the answers file of the module installed as `name`.
  void SetAnswers(const std::string& name, const std::string& answers) const;
  // The journal of the module installed as `name`, one entry per line, with
  // the arguments as the module received them (fields separated by tabs).
  std::vector<std::string> Journal(const std::string& name) const;
  void ClearJournal(const std::string& name) const;

  // Switches the library's log to a file on the medium; LogLines reads it
  // back without line ends.
  std::string LogPath() const;
  std::vector<std::string> LogLines() const;

 private:
  std::filesystem::path Beside(const std::string& name, const char* extension) const;

  TempDir root;
};

}  // namespace nodexa::test

#endif  // NODEXA_TESTS_SUPPORT_TEST_MEDIUM_H_
