// Small text helpers the SNMP module shares: its INI settings and the
// IEEE-1284 device IDs it reads are both loose "key: value" texts.
#ifndef NODEXA_MODULES_SNMP_MODULE_TEXT_H_
#define NODEXA_MODULES_SNMP_MODULE_TEXT_H_

#include <string>
#include <string_view>

namespace nodexa::snmp {

// Blanks and control bytes off both ends (some agents keep the two length
// bytes of a 1284 device ID in front of it).
inline std::string_view Trimmed(std::string_view text) {
  const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

inline char UpperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

inline std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = UpperAscii(c);
  return upper;
}

// Equal but for the case of ASCII letters.
inline bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
  }
  return true;
}

}  // namespace nodexa::snmp

#endif  // NODEXA_MODULES_SNMP_MODULE_TEXT_H_
