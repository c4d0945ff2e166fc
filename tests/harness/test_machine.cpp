#include "harness/test_machine.h"

#include <fstream>
#include <vector>

#include "platform/win32_api.h"

namespace nodexa::test {

namespace {

constexpr char kMachineVariable[] = "NODEXA_MACHINE";

std::optional<std::string> Variable(const char* name) {
  const DWORD needed = GetEnvironmentVariableA(name, nullptr, 0);
  if (needed == 0) return std::nullopt;
  std::vector<char> buffer(needed);
  const DWORD length = GetEnvironmentVariableA(name, buffer.data(), needed);
  return std::string(buffer.data(), length);
}

}  // namespace

TestMachine::TestMachine() : previous(Variable(kMachineVariable)) {
  SetEnvironmentVariableA(kMachineVariable, root.Path().string().c_str());
}

TestMachine::~TestMachine() {
  SetEnvironmentVariableA(kMachineVariable, previous ? previous->c_str() : nullptr);
}

void TestMachine::SetFacts(const std::string& lines) const {
  std::ofstream(root.Path() / "facts.ini", std::ios::binary) << lines;
}

void TestMachine::SetSpooler(const std::string& text) const {
  std::ofstream(root.Path() / "spooler.ini", std::ios::binary) << text;
}

}  // namespace nodexa::test
