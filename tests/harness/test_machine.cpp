#include "harness/test_machine.h"

#include <gtest/gtest.h>

#include <vector>

#include "harness/test_medium.h"
#include "platform/win32_api.h"

namespace nodexa::test {

std::string TestMachine::Fixture(const std::string& name) {
  const std::string text = ReadBinary((ProgramDirectory() / "fixtures" / name).string());
  if (text.empty()) ADD_FAILURE() << "no fixture " << name << " beside the test program";
  return text;
}

void TestMachine::RememberDeletions(const std::string& registryText) {
  for (const std::string& line : TextLines(registryText)) {
    if (line.compare(0, 2, "[-") == 0) deletions.push_back(line);
  }
}

std::optional<std::string> ReadMachineString(const std::string& key, const std::string& value) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  DWORD type = 0;
  DWORD size = 0;
  std::optional<std::string> text;
  if (RegQueryValueExA(opened, value.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
      type == REG_SZ) {
    std::vector<char> data(size + 1, '\0');
    if (RegQueryValueExA(opened, value.c_str(), nullptr, &type,
                         reinterpret_cast<LPBYTE>(data.data()), &size) == ERROR_SUCCESS) {
      text = std::string(data.data());
    }
  }
  RegCloseKey(opened);
  return text;
}

std::string WindowsMachineRegistry() {
  return TestMachine::IsStandIn() ? TestMachine::Fixture("windows_machine.reg") : "REGEDIT4\n";
}

std::string TestMachine::Folder() const { return folder.Path().string(); }

}  // namespace nodexa::test
