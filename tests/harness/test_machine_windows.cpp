#include <gtest/gtest.h>

#include <fstream>

#include "harness/process_start_windows.h"
#include "harness/test_machine.h"
#include "platform/win32_api.h"

namespace nodexa::test {

namespace {

constexpr DWORD kImportTimeout = 120000;

// Runs Wine's (or Windows') regedit on the file; true when it exits with 0.
bool ImportFile(const std::string& path) {
  std::string command = "regedit.exe /S \"" + path + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!StartProcess(command, false, startup, process)) {
    ADD_FAILURE() << "could not start " << command << " (error " << GetLastError() << ")";
    return false;
  }
  const UniqueProcessHandle child(process.hProcess);
  const UniqueProcessHandle thread(process.hThread);
  DWORD exitCode = 1;
  if (WaitForSingleObject(child.get(), kImportTimeout) != WAIT_OBJECT_0 ||
      !GetExitCodeProcess(child.get(), &exitCode) || exitCode != 0) {
    ADD_FAILURE() << command << " failed (exit code " << exitCode << ")";
    return false;
  }
  return true;
}

}  // namespace

bool TestMachine::IsStandIn() { return false; }

TestMachine::TestMachine() = default;

TestMachine::TestMachine(const std::string& registryText, const std::string& /*factsText*/) {
  Import(registryText);
}

TestMachine::~TestMachine() {
  if (deletions.empty()) return;
  std::string text = "REGEDIT4\r\n\r\n";
  for (const std::string& line : deletions) text += line + "\r\n";
  const std::string path = folder.File("cleanup.reg");
  std::ofstream(path, std::ios::binary) << text;
  ImportFile(path);
}

bool TestMachine::Import(const std::string& registryText) {
  RememberDeletions(registryText);
  const std::string path = folder.File("import" + std::to_string(++imports) + ".reg");
  std::ofstream(path, std::ios::binary) << registryText;
  return ImportFile(path);
}

void TestMachine::SetFacts(const std::string& /*factsText*/) {}

void TestMachine::SetSpooler(const std::string& /*spoolerText*/) {}

std::string TestMachine::RegistryFile() const { return std::string(); }

std::string TestMachine::RegistryText() const { return std::string(); }

std::optional<size_t> OpenRegistryKeys() { return std::nullopt; }

}  // namespace nodexa::test
