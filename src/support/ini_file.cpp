#include "ini_file.h"

#include <utility>

#include "frame/debug_log.h"
#include "frame/string_toolkit.h"
#include "support/text_file.h"

namespace nodexa {

namespace {

// Splits one trimmed data line at its first '='. A line without one is all
// key; a line that starts with one cannot be split.
bool SplitKeyValue(const std::string& line, std::string& key, std::string& value) {
  const size_t equals = line.find('=');
  if (equals == std::string::npos) {
    key = line;
    value.clear();
    return true;
  }
  if (equals == 0) return false;
  key = TrimRight(line.substr(0, equals));
  value = Trim(line.substr(equals + 1));
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
    value = value.substr(1, value.size() - 2);
  }
  return true;
}

std::string AutoKey(int32_t counter) { return Format("KEY#%03d", counter); }

}  // namespace

IniFile::IniFile(bool autoNumber)
    : encoding(TextFile::Narrow), autoNumbering(autoNumber), keyCounter(0) {}

IniFile::IniFile(const std::string& fileName, bool autoNumber)
    : iniFileName(fileName), encoding(TextFile::Narrow), autoNumbering(autoNumber), keyCounter(0) {
  Read(fileName);
}

IniFile::~IniFile() = default;

bool IniFile::Read(const std::string& fileName) {
  TextFile file;
  if (!file.Open(fileName, TextFile::ReadMode, TextFile::Unknown)) return false;

  IniSection* current = nullptr;
  size_t lineNumber = 0;
  std::string line;
  while (file.ReadString(line)) {
    ++lineNumber;
    ReadLine(fileName, lineNumber, line, current);
  }

  encoding = file.Encoding() != TextFile::Unknown ? file.Encoding() : TextFile::Narrow;
  return true;
}

void IniFile::ReadLine(const std::string& fileName, size_t lineNumber, const std::string& rawLine,
                       IniSection*& current) {
  const std::string line = Trim(rawLine);
  if (line.empty() || line.front() == '#' || line.front() == ';') return;

  if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
    const std::string name = Trim(line.substr(1, line.size() - 2));
    if (name.empty()) {
      GetDebugLog() << "IniFile::Read " << fileName << " [line " << lineNumber << "]: Empty section"
                    << std::endl;
      return;
    }
    current = getOrCreateSection(name);
    keyCounter = 0;
    return;
  }

  if (current == nullptr) {
    GetDebugLog() << "IniFile::Read " << fileName << " [line " << lineNumber
                  << "]: Data found that does not belong to any section" << std::endl;
    return;
  }
  std::string key;
  std::string value;
  if (!SplitKeyValue(line, key, value)) {
    GetDebugLog() << "IniFile::Read " << fileName << " [line " << lineNumber
                  << "]: Could not parse name=value line" << std::endl;
    return;
  }
  if (value.empty() && autoNumbering) {
    value = std::move(key);
    key = AutoKey(++keyCounter);
  }
  current->AddValue(key, value);
}

std::string IniFile::GetValue(const std::string& section, const std::string& key) const {
  std::string value;
  if (const IniSection* found = findSection(section)) found->GetValue(key, value);
  return value;
}

IniSection* IniFile::findSection(const std::string& name) const {
  const auto found = firstByName.find(name);
  return found != firstByName.end() ? found->second : nullptr;
}

IniSection* IniFile::getOrCreateSection(const std::string& name) {
  if (IniSection* existing = findSection(name)) return existing;
  auto created = std::make_unique<IniSection>(name);
  IniSection* section = created.get();
  AddSection(std::move(created));
  return section;
}

void IniFile::AddSection(std::unique_ptr<IniSection> section) {
  if (!section) {
    GetDebugLog() << "IniFile::AddSection: attempted to add a NULL section!" << std::endl;
    return;
  }
  // A later section of a known name is listed but never found first.
  firstByName.emplace(section->Name(), section.get());
  sections.push_back(std::move(section));
}

std::unique_ptr<IniSection> IniFile::removeSection(const std::string& name, bool detach) {
  const auto indexed = firstByName.find(name);
  if (indexed == firstByName.end()) return nullptr;
  IniSection* const target = indexed->second;
  firstByName.erase(indexed);

  std::unique_ptr<IniSection> removed;
  for (auto it = sections.begin(); it != sections.end(); ++it) {
    if (it->get() == target) {
      removed = std::move(*it);
      sections.erase(it);
      break;
    }
  }
  // A later section of the same name becomes the first one.
  const NoCaseLess less;
  for (const auto& section : sections) {
    if (!less(section->Name(), name) && !less(name, section->Name())) {
      firstByName.emplace(section->Name(), section.get());
      break;
    }
  }
  if (!detach) removed.reset();
  return removed;
}

void IniFile::SetValue(const std::string& section, const std::string& key,
                       const std::string& value) {
  if (section.empty()) {
    GetDebugLog() << "IniFile::SetValue: section name cannot be empty" << std::endl;
    return;
  }
  if (key.empty()) {
    GetDebugLog() << "IniFile::SetValue: value name cannot be empty" << std::endl;
    return;
  }
  getOrCreateSection(section)->AddValue(key, value);
}

bool IniFile::Write(const std::string& fileName) {
  const std::string& target = fileName.empty() ? iniFileName : fileName;
  if (target.empty()) {
    GetDebugLog() << "IniFile::Write: empty file name!" << std::endl;
    return false;
  }
  TextFile file;
  if (!file.Open(target, TextFile::WriteMode, encoding)) {
    GetDebugLog() << "IniFile::Write: Failed to open " << target << " for writing." << std::endl;
    return false;
  }

  bool written = true;
  for (const auto& section : sections) {
    written = file.WriteString("[" + section->Name() + "]\n") && written;
    for (const std::string& key : section->Keys()) {
      std::string value;
      if (!section->GetValue(key, value)) continue;
      // Numbered keys were bare lines in the file and go back as such.
      const bool bare = autoNumbering && key.find('#') != std::string::npos;
      written = file.WriteString(bare ? value + "\n" : key + "=" + value + "\n") && written;
    }
    written = file.WriteString("\n") && written;
  }
  return written;
}

}  // namespace nodexa
