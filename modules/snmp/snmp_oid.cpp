#include "snmp/snmp_oid.h"

namespace nodexa::snmp {

std::optional<Oid> ParseOid(std::string_view text) {
  if (!text.empty() && text.front() == '.') text.remove_prefix(1);
  Oid oid;
  size_t position = 0;
  while (true) {
    const size_t start = position;
    uint64_t arc = 0;
    while (position < text.size() && text[position] >= '0' && text[position] <= '9') {
      arc = arc * 10 + static_cast<uint64_t>(text[position] - '0');
      if (arc > UINT32_MAX) return std::nullopt;
      ++position;
    }
    const size_t digits = position - start;
    if (digits == 0 || (digits > 1 && text[start] == '0')) return std::nullopt;
    if (oid.size() == kMaxOidArcs) return std::nullopt;
    oid.push_back(static_cast<uint32_t>(arc));
    if (position == text.size()) return oid;
    if (text[position] != '.') return std::nullopt;
    ++position;
  }
}

std::string FormatOid(const Oid& oid) {
  std::string text;
  for (size_t i = 0; i < oid.size(); ++i) {
    if (i > 0) text += '.';
    text += std::to_string(oid[i]);
  }
  return text;
}

}  // namespace nodexa::snmp
