// One section of an INI file in memory: its name as first written, and its
// entries, key to value, in the order the keys first appeared.
//
// Keys are one key whatever their case: a later spelling updates the value
// but keeps the first spelling and position. Look-ups are logarithmic. The
// section owns its strings only; IniFile owns the sections. Nothing fails
// loudly: absent keys answer false and leave the output untouched.
#ifndef NODEXA_SUPPORT_INI_SECTION_H_
#define NODEXA_SUPPORT_INI_SECTION_H_

#include <map>
#include <string>
#include <vector>

namespace nodexa {

// Orders texts after folding A to Z to lower case (what the C locale's
// tolower does) and collating bytes as the C locale does, in unsigned byte
// order. Two texts that differ only in the case of A to Z are equivalent.
struct NoCaseLess {
  bool operator()(const std::string& a, const std::string& b) const;
};

class IniSection {
 public:
  explicit IniSection(std::string name);
  virtual ~IniSection();
  IniSection(const IniSection&) = default;
  IniSection& operator=(const IniSection&) = default;
  IniSection(IniSection&&) = default;
  IniSection& operator=(IniSection&&) = default;

  const std::string& Name() const { return sectionName; }

  // True and the value when the key exists (in any case); else false with
  // `value` untouched.
  virtual bool GetValue(const std::string& key, std::string& value) const;

  // Stores the value. A new key goes to the end of the key order; an
  // existing one keeps its place and spelling.
  void AddValue(const std::string& key, const std::string& value);

  // Iteration over the key order: First rewinds and answers whether there is
  // any key; GetCurrentValue yields the key as stored and its value, or false
  // past the last key.
  bool First();
  void Next();
  virtual bool GetCurrentValue(std::string& key, std::string& value) const;

  // Adds every entry of `other` in its map order; without `overwrite` keys
  // already present here keep their values.
  void Merge(const IniSection& other, bool overwrite);

  // Forgets the key (in any case); an absent key changes nothing.
  void removeKey(const std::string& key);

  const std::vector<std::string>& Keys() const { return keyOrder; }

 private:
  std::string sectionName;
  size_t cursor;
  std::vector<std::string> keyOrder;
  std::map<std::string, std::string, NoCaseLess> entries;
};

}  // namespace nodexa

#endif  // NODEXA_SUPPORT_INI_SECTION_H_
