#include "ini_section.h"

#include <algorithm>
#include <utility>

#include "frame/debug_log.h"

namespace nodexa {

namespace {

unsigned char FoldedByte(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte + ('a' - 'A')) : byte;
}

}  // namespace

bool NoCaseLess::operator()(const std::string& a, const std::string& b) const {
  const size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; ++i) {
    const unsigned char left = FoldedByte(a[i]);
    const unsigned char right = FoldedByte(b[i]);
    if (left != right) return left < right;
  }
  return a.size() < b.size();
}

IniSection::IniSection(std::string name) : sectionName(std::move(name)), cursor(0) {}

IniSection::~IniSection() = default;

bool IniSection::GetValue(const std::string& key, std::string& value) const {
  const auto found = entries.find(key);
  if (found == entries.end()) return false;
  value = found->second;
  return true;
}

void IniSection::AddValue(const std::string& key, const std::string& value) {
  const auto found = entries.find(key);
  if (found != entries.end()) {
    found->second = value;
    return;
  }
  entries.emplace(key, value);
  keyOrder.push_back(key);
}

bool IniSection::First() {
  cursor = 0;
  return !keyOrder.empty();
}

void IniSection::Next() { ++cursor; }

bool IniSection::GetCurrentValue(std::string& key, std::string& value) const {
  if (cursor >= keyOrder.size()) return false;
  const std::string& current = keyOrder[cursor];
  const auto found = entries.find(current);
  if (found == entries.end()) {
    GetDebugLog() << "IniSection::GetCurrentValue: internal breakdown on item " << current
                  << std::endl;
    return false;
  }
  key = found->first;
  value = found->second;
  return true;
}

void IniSection::Merge(const IniSection& other, bool overwrite) {
  for (const auto& [key, value] : other.entries) {
    if (!overwrite && entries.count(key) != 0) continue;
    AddValue(key, value);
  }
}

void IniSection::removeKey(const std::string& key) {
  if (entries.erase(key) == 0) return;
  const NoCaseLess less;
  const auto inOrder = std::find_if(keyOrder.begin(), keyOrder.end(), [&](const std::string& k) {
    return !less(k, key) && !less(key, k);
  });
  if (inOrder != keyOrder.end()) keyOrder.erase(inOrder);
}

}  // namespace nodexa
