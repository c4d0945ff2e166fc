#include <strings.h>

#include <cstdlib>
#include <fstream>

#include "posix_machine.h"

namespace nodexa::platform {

namespace {

std::string Trimmed(const std::string& text) {
  const char* blanks = " \t\r\n\v\f";
  const size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

}  // namespace

std::string MachineDirectory() {
  const char* directory = std::getenv("NODEXA_MACHINE");
  if (directory == nullptr || *directory == '\0') return std::string();
  std::string path = directory;
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::string MachineFile(const char* name) {
  const std::string directory = MachineDirectory();
  return directory.empty() ? std::string() : directory + "/" + name;
}

std::string MachineSection::Get(const char* key) const {
  std::string value;
  for (const auto& entry : values) {
    if (strcasecmp(entry.first.c_str(), key) == 0) value = entry.second;
  }
  return value;
}

std::vector<MachineSection> ReadMachineSections(const char* fileName) {
  std::vector<MachineSection> sections;
  const std::string path = MachineFile(fileName);
  if (path.empty()) return sections;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    line = Trimmed(line);
    if (line.empty() || line[0] == '#' || line[0] == ';') continue;
    if (line.front() == '[' && line.back() == ']') {
      sections.push_back({Trimmed(line.substr(1, line.size() - 2)), {}});
      continue;
    }
    const size_t equals = line.find('=');
    if (sections.empty() || equals == std::string::npos) continue;
    sections.back().values.emplace_back(Trimmed(line.substr(0, equals)),
                                        Trimmed(line.substr(equals + 1)));
  }
  return sections;
}

std::optional<std::string> MachineFact(const char* name) {
  const std::string path = MachineFile("facts.ini");
  if (path.empty()) return std::nullopt;
  std::ifstream in(path);
  std::string line;
  std::optional<std::string> value;
  while (std::getline(in, line)) {
    line = Trimmed(line);
    if (line.empty() || line[0] == '#' || line[0] == ';' || line[0] == '[') continue;
    const size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    if (strcasecmp(Trimmed(line.substr(0, equals)).c_str(), name) == 0) {
      value = Trimmed(line.substr(equals + 1));
    }
  }
  return value;
}

}  // namespace nodexa::platform
