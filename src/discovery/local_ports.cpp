#include "local_ports.h"

#include <unordered_set>

#include "discovery/port_action.h"

namespace nodexa {

namespace {

// The line as CompareNoCase sees it: up to its first NUL, with only the
// letters A to Z folded. Two lines are equal under CompareNoCase exactly
// when their keys are equal.
std::string FoldedKey(const std::string& line) {
  std::string key(line.c_str());
  for (char& c : key) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return key;
}

}  // namespace

std::string LocalPortRecord(const PORT_INFO_2A& port) {
  std::string record;
  if (port.pPortName != nullptr) record += port.pPortName;
  record += "|\"";
  if (port.pDescription != nullptr) record += port.pDescription;
  record += '"';
  return record;
}

void AppendUnlisted(std::vector<std::string>& lines, const std::vector<std::string>& candidates) {
  if (candidates.empty()) return;
  std::unordered_set<std::string> listed;
  listed.reserve(lines.size() + candidates.size());
  for (const std::string& line : lines) listed.insert(FoldedKey(line));
  for (const std::string& candidate : candidates) {
    if (listed.insert(FoldedKey(candidate)).second) lines.push_back(candidate);
  }
}

void AppendLocalPorts(std::vector<std::string>& lines) {
  DWORD count = 0;
  PortInfoArray ports;
  if (PortAction::OurEnumPorts(count, ports) != 0) return;
  const PORT_INFO_2A* entries = ports.Entries();
  const size_t usable = ports.Usable(count);
  std::vector<std::string> records;
  records.reserve(usable);
  for (size_t i = 0; i < usable; ++i) records.push_back(LocalPortRecord(entries[i]));
  AppendUnlisted(lines, records);
}

}  // namespace nodexa
