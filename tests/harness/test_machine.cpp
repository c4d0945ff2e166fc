#include "harness/test_machine.h"

#include <gtest/gtest.h>

#include <sstream>

#include "harness/test_medium.h"

namespace nodexa::test {

std::string TestMachine::Fixture(const std::string& name) {
  const std::string text = ReadBinary((ProgramDirectory() / "fixtures" / name).string());
  if (text.empty()) ADD_FAILURE() << "no fixture " << name << " beside the test program";
  return text;
}

void TestMachine::RememberDeletions(const std::string& registryText) {
  std::istringstream in(registryText);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.compare(0, 2, "[-") == 0) deletions.push_back(line);
  }
}

std::string WindowsMachineRegistry() {
  return TestMachine::IsStandIn() ? TestMachine::Fixture("windows_machine.reg") : "REGEDIT4\n";
}

std::string TestMachine::Folder() const { return folder.Path().string(); }

}  // namespace nodexa::test
