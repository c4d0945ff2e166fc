// Object identifiers as SNMP names variables: a list of 32-bit arcs, read
// from and written as dotted text ("1.3.6.1.2.1.1.5.0").
#ifndef NODEXA_MODULES_SNMP_SNMP_OID_H_
#define NODEXA_MODULES_SNMP_SNMP_OID_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nodexa::snmp {

using Oid = std::vector<uint32_t>;

// SMI allows at most 128 sub-identifiers (RFC 2578, 3.5); longer names are
// refused wherever they come from.
constexpr size_t kMaxOidArcs = 128;

// Decimal arcs separated by single dots, one leading dot allowed. None for an
// empty arc, a sign, a leading zero, an arc above 2^32-1 or too many arcs.
std::optional<Oid> ParseOid(std::string_view text);

// The dotted form without a leading dot; "" for an empty list.
std::string FormatOid(const Oid& oid);

}  // namespace nodexa::snmp

#endif  // NODEXA_MODULES_SNMP_SNMP_OID_H_
