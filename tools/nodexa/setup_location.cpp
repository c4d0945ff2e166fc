#include "setup_location.h"

#include <algorithm>
#include <system_error>
#include <vector>

#include "frame/setup_medium.h"
#include "platform/win32_api.h"

namespace nodexa::cli {

namespace fs = std::filesystem;

fs::path ProgramDirectory() {
  std::vector<char> buffer(4096, '\0');
  const DWORD length =
      GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  std::string path(buffer.data(), length);
  // The POSIX stand-in hands paths back with backslashes.
  if (fs::path::preferred_separator == '/') std::replace(path.begin(), path.end(), '\\', '/');
  return fs::path(path).parent_path();
}

fs::path DemoFolder(const std::string& name) {
  const fs::path program = ProgramDirectory();
  for (const fs::path& candidate :
       {program / ".." / "demo" / name, program / ".." / "share" / "nodexa" / "demo" / name}) {
    std::error_code error;
    if (fs::is_directory(candidate, error)) return fs::weakly_canonical(candidate, error);
  }
  return fs::path();
}

std::string ExecutableDirectoryOf(const fs::path& medium) {
  std::error_code error;
  fs::path absolute = fs::absolute(medium, error);
  if (error) absolute = medium;
  return (absolute.lexically_normal() / "Setup" / "Bin").make_preferred().string();
}

std::string Environment(const char* name) {
  const DWORD needed = GetEnvironmentVariableA(name, nullptr, 0);
  if (needed == 0) return std::string();
  std::vector<char> value(needed + 1, '\0');
  const DWORD length = GetEnvironmentVariableA(name, value.data(), needed + 1);
  return length > 0 && length <= needed ? std::string(value.data(), length) : std::string();
}

void SetEnvironment(const char* name, const std::string& value) {
  SetEnvironmentVariableA(name, value.c_str());
}

std::string PointLibraryAt(const std::string& medium, const std::string& machine) {
  std::string directory = Environment(kExecutableDirectoryVariable);
  if (!medium.empty()) {
    directory = ExecutableDirectoryOf(medium);
  } else if (directory.empty()) {
    const fs::path demo = DemoFolder("medium");
    if (!demo.empty()) directory = ExecutableDirectoryOf(demo);
  }
  SetExecutableDirectoryOverride(directory);
  if (!machine.empty()) {
    std::error_code error;
    const fs::path absolute = fs::absolute(machine, error);
    SetEnvironment(kMachineVariable, error ? machine : absolute.lexically_normal().string());
  } else if (Environment(kMachineVariable).empty()) {
    const fs::path demo = DemoFolder("machine");
    if (!demo.empty()) SetEnvironment(kMachineVariable, demo.string());
  }
  return directory;
}

}  // namespace nodexa::cli
