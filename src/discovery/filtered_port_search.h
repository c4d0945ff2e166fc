// The filtered port search: every port a printer of the product could use
// (network printers found by discovery, the model's USB printers, the
// spooler's local ports, installed printers of the product on network
// shares, ports the setup program names), each described as a record in
// tagged text, then chosen and formatted by a rule set of the product's
// rule file.
#ifndef NODEXA_DISCOVERY_FILTERED_PORT_SEARCH_H_
#define NODEXA_DISCOVERY_FILTERED_PORT_SEARCH_H_

#include <optional>
#include <string>
#include <vector>

namespace nodexa {

// The port records in collection order. `arguments`: USB identity (what
// follows "USBPRINT\"), rule-set key, ';'-separated extra ports, unused,
// then remote subnets. Missing entries count as empty.
std::vector<std::string> CollectPortRecords(const std::vector<std::string>& arguments);

// The rule set's output lines for the records (rule set "NetworkInstallData"
// with the argument list's key), or nothing (logged) for an empty list.
std::optional<std::vector<std::string>> FilterPorts(const std::vector<std::string>& arguments);

}  // namespace nodexa

#endif  // NODEXA_DISCOVERY_FILTERED_PORT_SEARCH_H_
