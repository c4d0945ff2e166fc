#include "registry_store.h"

#include <algorithm>
#include <utility>

namespace nodexa::platform {

namespace {

char Folded(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool FoldedLess(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(Folded(x)) < static_cast<unsigned char>(Folded(y));
  });
}

const char* const kRootNames[] = {"HKEY_LOCAL_MACHINE", "HKEY_CURRENT_USER", "HKEY_USERS",
                                  "HKEY_CURRENT_CONFIG"};

// Where `name` is or would go among keys kept in name order.
std::vector<StoredKey>::const_iterator Place(const std::vector<StoredKey>& keys,
                                             const std::string& name) {
  return std::lower_bound(
      keys.begin(), keys.end(), name,
      [](const StoredKey& key, const std::string& wanted) { return FoldedLess(key.name, wanted); });
}

}  // namespace

bool SameRegistryName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return Folded(x) == Folded(y); });
}

const StoredKey* StoredKey::FindSubKey(const std::string& subKeyName) const {
  const auto found = Place(subKeys, subKeyName);
  return found != subKeys.end() && SameRegistryName(found->name, subKeyName) ? &*found : nullptr;
}

StoredKey* StoredKey::FindSubKey(const std::string& subKeyName) {
  return const_cast<StoredKey*>(std::as_const(*this).FindSubKey(subKeyName));
}

StoredKey& StoredKey::AddSubKey(const std::string& subKeyName, bool volatileKey) {
  const auto place = subKeys.begin() + (Place(subKeys, subKeyName) - subKeys.cbegin());
  if (place != subKeys.end() && SameRegistryName(place->name, subKeyName)) {
    if (!volatileKey) place->isVolatile = false;
    return *place;
  }
  StoredKey key;
  key.name = subKeyName;
  key.isVolatile = volatileKey;
  return *subKeys.insert(place, std::move(key));
}

bool StoredKey::RemoveSubKey(const std::string& subKeyName) {
  StoredKey* key = FindSubKey(subKeyName);
  if (key == nullptr) return false;
  subKeys.erase(subKeys.begin() + (key - subKeys.data()));
  return true;
}

const StoredValue* StoredKey::FindValue(const std::string& valueName) const {
  for (const auto& value : values) {
    if (SameRegistryName(value.name, valueName)) return &value;
  }
  return nullptr;
}

StoredValue* StoredKey::FindValue(const std::string& valueName) {
  return const_cast<StoredValue*>(std::as_const(*this).FindValue(valueName));
}

StoredValue& StoredKey::SetValue(const std::string& valueName, uint32_t type,
                                 std::vector<uint8_t> data, bool volatileValue) {
  if (StoredValue* value = FindValue(valueName)) {
    value->type = type;
    value->data = std::move(data);
    value->isVolatile = volatileValue;
    return *value;
  }
  return values.emplace_back(StoredValue{valueName, type, std::move(data), volatileValue, {}});
}

bool StoredKey::RemoveValue(const std::string& valueName) {
  StoredValue* value = FindValue(valueName);
  if (value == nullptr) return false;
  values.erase(values.begin() + (value - values.data()));
  return true;
}

RegistryStore::RegistryStore() {
  for (const char* name : kRootNames) {
    StoredKey root;
    root.name = name;
    roots.push_back(std::move(root));
  }
}

bool RegistryStore::ParseKeyName(const std::string& fullName, KeyPath& path) {
  path.clear();
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= fullName.size()) {
    size_t end = fullName.find('\\', start);
    if (end == std::string::npos) end = fullName.size();
    if (end > start) parts.push_back(fullName.substr(start, end - start));
    start = end + 1;
  }
  if (parts.empty()) return false;
  if (SameRegistryName(parts[0], "HKEY_CLASSES_ROOT")) {
    path = {kRootNames[0], "SOFTWARE", "Classes"};
  } else {
    for (const char* name : kRootNames) {
      if (SameRegistryName(parts[0], name)) path.push_back(name);
    }
    if (path.empty()) return false;
  }
  path.insert(path.end(), parts.begin() + 1, parts.end());
  return true;
}

const StoredKey* RegistryStore::Find(const KeyPath& path) const {
  if (path.empty()) return nullptr;
  const StoredKey* key = nullptr;
  for (const StoredKey& root : roots) {
    if (SameRegistryName(root.name, path[0])) key = &root;
  }
  for (size_t i = 1; key != nullptr && i < path.size(); ++i) key = key->FindSubKey(path[i]);
  return key;
}

StoredKey* RegistryStore::Find(const KeyPath& path) {
  return const_cast<StoredKey*>(std::as_const(*this).Find(path));
}

StoredKey* RegistryStore::Create(const KeyPath& path, bool volatileKey) {
  StoredKey* key = Find(KeyPath(path.begin(), path.begin() + (path.empty() ? 0 : 1)));
  for (size_t i = 1; key != nullptr && i < path.size(); ++i) {
    // Parents that exist keep what they are; only the key itself is made
    // lasting, since its own path brings its parents back when read.
    StoredKey* existing = key->FindSubKey(path[i]);
    key = existing != nullptr && i + 1 < path.size() ? existing
                                                     : &key->AddSubKey(path[i], volatileKey);
  }
  return key;
}

bool RegistryStore::Delete(const KeyPath& path) {
  if (path.size() < 2) return false;
  StoredKey* parent = Find(KeyPath(path.begin(), path.end() - 1));
  return parent != nullptr && parent->RemoveSubKey(path.back());
}

}  // namespace nodexa::platform
