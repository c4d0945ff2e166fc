
#include <cstdlib>
#include <fstream>

#include "harness/test_machine.h"
#include "platform/win32_api.h"

namespace nodexa::test {

namespace {

constexpr char kMachineVariable[] = "NODEXA_MACHINE";

void WriteFile(const std::string& path, const std::string& text, bool append) {
  std::ofstream out(path, std::ios::binary | (append ? std::ios::app : std::ios::trunc));
  out << text;
}

}  // namespace

bool TestMachine::IsStandIn() { return true; }

TestMachine::TestMachine() : TestMachine("REGEDIT4\n") {}

TestMachine::TestMachine(const std::string& registryText, const std::string& factsText) {
  if (const char* previous = std::getenv(kMachineVariable)) previousMachine = previous;
  setenv(kMachineVariable, Folder().c_str(), 1);
  WriteFile(RegistryFile(), registryText, false);
  SetFacts(factsText);
}

TestMachine::~TestMachine() {
  if (previousMachine) {
    setenv(kMachineVariable, previousMachine->c_str(), 1);
  } else {
    unsetenv(kMachineVariable);
  }
}

bool TestMachine::Import(const std::string& registryText) {
  // The file is read top to bottom, so text appended to it applies on top
  // of what is there, exactly as an import into a live registry does.
  WriteFile(RegistryFile(), "\n" + registryText, true);
  ++imports;
  return true;
}

void TestMachine::SetFacts(const std::string& factsText) {
  WriteFile(folder.File("facts.ini"), factsText, false);
}

void TestMachine::SetSpooler(const std::string& spoolerText) {
  WriteFile(folder.File("spooler.ini"), spoolerText, false);
}

std::string TestMachine::RegistryFile() const { return folder.File("registry.reg"); }

std::string TestMachine::RegistryText() const { return ReadBinary(RegistryFile()); }

std::optional<size_t> OpenRegistryKeys() { return platform::OpenRegistryKeyCount(); }

}  // namespace nodexa::test
