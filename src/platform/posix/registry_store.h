// The stand-in registry in memory: four root keys (HKEY_LOCAL_MACHINE,
// HKEY_CURRENT_USER, HKEY_USERS, HKEY_CURRENT_CONFIG), each a tree of keys
// holding typed values as raw bytes. Names are compared without regard to
// the case of A to Z and keep the spelling they were first given.
//
// Keys and values may be marked volatile: they exist while the store lives
// but are never written back (the hardware description, which Windows builds
// at start-up rather than keeping on disk).
//
// Keys and values carry the comment and blank lines that stood before them
// in the file ("notes"), so a rewrite puts those lines back beside them.
//
// Pointers and references into the tree stay valid only until the next
// change of the tree.
#ifndef NODEXA_PLATFORM_POSIX_REGISTRY_STORE_H_
#define NODEXA_PLATFORM_POSIX_REGISTRY_STORE_H_

#include <cstdint>
#include <string>
#include <vector>

namespace nodexa::platform {

// A key's place: the root's full name first ("HKEY_LOCAL_MACHINE"), then one
// entry per sub-key.
using KeyPath = std::vector<std::string>;

struct StoredValue {
  std::string name;  // "" is the key's default value
  uint32_t type = 0;
  std::vector<uint8_t> data;
  bool isVolatile = false;
  std::vector<std::string> notes;  // the lines above the value's line
};

struct StoredKey {
  std::string name;
  std::vector<StoredValue> values;  // in the order they were first set
  std::vector<StoredKey> subKeys;   // in name order, case ignored
  bool isVolatile = false;
  std::vector<std::string> notes;  // the lines above the key's header

  StoredKey* FindSubKey(const std::string& subKeyName);
  const StoredKey* FindSubKey(const std::string& subKeyName) const;
  // The existing sub-key or a new one; a volatile key stops being volatile
  // when it is added again as a lasting one.
  StoredKey& AddSubKey(const std::string& subKeyName, bool volatileKey = false);
  bool RemoveSubKey(const std::string& subKeyName);

  StoredValue* FindValue(const std::string& valueName);
  const StoredValue* FindValue(const std::string& valueName) const;
  // Replaces the value's type and data in place (its notes stay) or appends
  // a new value.
  StoredValue& SetValue(const std::string& valueName, uint32_t type, std::vector<uint8_t> data,
                        bool volatileValue = false);
  bool RemoveValue(const std::string& valueName);
};

// Equality of names the way the registry compares them.
bool SameRegistryName(const std::string& a, const std::string& b);

class RegistryStore {
 public:
  RegistryStore();

  // Turns a full key name ("HKEY_LOCAL_MACHINE\Software\X", root in any
  // case) into a path. HKEY_CLASSES_ROOT stands for the machine's classes
  // key, HKEY_LOCAL_MACHINE\SOFTWARE\Classes. Empty components are
  // skipped. False for an unknown root.
  static bool ParseKeyName(const std::string& fullName, KeyPath& path);

  StoredKey* Find(const KeyPath& path);
  const StoredKey* Find(const KeyPath& path) const;
  // Creates the key and any missing parents; null for an unknown root.
  StoredKey* Create(const KeyPath& path, bool volatileKey = false);
  // Removes the key with everything below it. Roots are never removed.
  bool Delete(const KeyPath& path);

  const std::vector<StoredKey>& Roots() const { return roots; }
  // Notes after the last key or value, which end the file.
  std::vector<std::string>& ClosingNotes() { return closingNotes; }
  const std::vector<std::string>& ClosingNotes() const { return closingNotes; }

 private:
  std::vector<StoredKey> roots;
  std::vector<std::string> closingNotes;
};

}  // namespace nodexa::platform

#endif  // NODEXA_PLATFORM_POSIX_REGISTRY_STORE_H_
