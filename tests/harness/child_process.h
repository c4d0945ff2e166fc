// Runs another program of the build as a child process and collects what it
// printed and how it ended, for tests of command-line programs. Standard
// input is empty; standard output and standard error go to files in a
// scratch folder and are read back whole.
#ifndef NODEXA_TESTS_HARNESS_CHILD_PROCESS_H_
#define NODEXA_TESTS_HARNESS_CHILD_PROCESS_H_

#include <filesystem>
#include <string>
#include <vector>

namespace nodexa::test {

struct ChildResult {
  // The program's exit status; -1 when it could not be started or did not
  // end normally (a signal, a timeout).
  int exitStatus = -1;
  std::string out;
  std::string err;
};

// Runs `program` with `arguments` (passed as they are, each one argument)
// and waits for it to end.
ChildResult RunProgram(const std::filesystem::path& program,
                       const std::vector<std::string>& arguments);

}  // namespace nodexa::test

#endif  // NODEXA_TESTS_HARNESS_CHILD_PROCESS_H_
