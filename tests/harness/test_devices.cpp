#include "harness/test_devices.h"

#include <algorithm>
#include <fstream>

#include "harness/test_medium.h"

namespace nodexa::test {

namespace {

constexpr const char* kSystemModules[] = {"SetupApi.dll", "newdev.dll", "cfgmgr32.dll"};

std::filesystem::path JournalOf(const std::filesystem::path& module) {
  return std::filesystem::path(module).replace_extension(".journal");
}

}  // namespace

TestDevices::TestDevices(TestMachine& testMachine)
    : machine(testMachine), system(std::filesystem::path(testMachine.Folder()) / "system32") {
  if (!TestMachine::IsStandIn()) return;
  std::filesystem::create_directories(system);
  for (const char* module : kSystemModules) InstallModule(module, module);
  SetFacts("");
}

void TestDevices::SetDevices(const std::string& devicesText) const {
  if (!TestMachine::IsStandIn()) return;
  std::ofstream(std::filesystem::path(machine.Folder()) / "devices.ini", std::ios::binary)
      << devicesText;
}

void TestDevices::SetFacts(const std::string& factsText) const {
  machine.SetFacts("SystemDirectory=" + system.string() + "\n" + factsText);
}

void TestDevices::InstallModule(const std::string& variant, const std::string& name) const {
  if (!TestMachine::IsStandIn()) return;
  std::filesystem::copy_file(ProgramDirectory() / "system32" / variant, system / name,
                             std::filesystem::copy_options::overwrite_existing);
}

void TestDevices::RemoveModule(const std::string& name) const {
  if (!TestMachine::IsStandIn()) return;
  std::filesystem::remove(system / name);
}

std::vector<std::string> TestDevices::Journal(const std::string& name) const {
  std::vector<std::string> lines = ReadJournal(JournalOf(system / name));
  lines.erase(
      std::remove_if(lines.begin(), lines.end(),
                     [](const std::string& line) { return line == "Load" || line == "Unload"; }),
      lines.end());
  return lines;
}

void TestDevices::ClearJournal(const std::string& name) const {
  std::error_code ignored;
  std::filesystem::remove(JournalOf(system / name), ignored);
}

}  // namespace nodexa::test
