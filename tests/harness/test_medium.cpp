#include "harness/test_medium.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "platform/win32_api.h"

namespace nodexa::test {

namespace {

constexpr char kExecutableDirectoryVariable[] = "NODEXA_EXECUTABLE_DIRECTORY";

// A journal line as the module received its arguments: the stand-ins
// escape backslashes, tabs and line feeds inside arguments.
std::string Unescaped(const std::string& line) {
  std::string out;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '\\' && i + 1 < line.size()) {
      const char next = line[++i];
      out += next == 't' ? '\t' : next == 'n' ? '\n' : next;
    } else {
      out += line[i];
    }
  }
  return out;
}

}  // namespace

std::vector<std::string> ReadJournal(const std::filesystem::path& file) {
  std::vector<std::string> lines = TextLines(ReadBinary(file.string()));
  for (std::string& line : lines) line = Unescaped(line);
  return lines;
}

std::filesystem::path ProgramDirectory() {
  char buffer[4096] = {};
  const DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
  std::string path(buffer, length);
#if !defined(_WIN32)
  std::replace(path.begin(), path.end(), '\\', '/');
#endif
  return std::filesystem::path(path).parent_path();
}

TestMedium::TestMedium() {
  for (const char* folder : {"Install/Config", "Common/x64", "Setup/Bin"}) {
    std::filesystem::create_directories(root.Path() / folder);
  }
  const std::string bin = (root.Path() / "Setup" / "Bin").string();
  SetEnvironmentVariableA(kExecutableDirectoryVariable, bin.c_str());
}

TestMedium::~TestMedium() { SetEnvironmentVariableA(kExecutableDirectoryVariable, nullptr); }

std::filesystem::path TestMedium::ModuleFolder() const { return root.Path() / "Common" / "x64"; }

std::filesystem::path TestMedium::InstallModule(const std::string& variant,
                                                const std::string& name) {
  const std::filesystem::path target = ModuleFolder() / name;
  std::filesystem::copy_file(ProgramDirectory() / variant, target,
                             std::filesystem::copy_options::overwrite_existing);
  return target;
}

std::filesystem::path TestMedium::Beside(const std::string& name, const char* extension) const {
  return (ModuleFolder() / name).replace_extension(extension);
}

void TestMedium::SetAnswers(const std::string& name, const std::string& answers) const {
  std::ofstream(Beside(name, ".answers"), std::ios::binary) << answers;
}

std::vector<std::string> TestMedium::Journal(const std::string& name) const {
  return ReadJournal(Beside(name, ".journal"));
}

void TestMedium::ClearJournal(const std::string& name) const {
  std::error_code ignored;
  std::filesystem::remove(Beside(name, ".journal"), ignored);
}

std::string TestMedium::LogPath() const { return (root.Path() / "nodexa.log").string(); }

std::vector<std::string> TestMedium::LogLines() const { return TextLines(ReadBinary(LogPath())); }

}  // namespace nodexa::test
