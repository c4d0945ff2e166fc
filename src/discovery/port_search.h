// The two port searches that answer with the library's own result list:
// FindPorts (discovered network devices of one kind) and FindAllPorts (the
// same, marked as discovered, followed by the spooler's local ports).
//
// A request is a list of strings: the printer type ("Inkjet",
// "LaserPrinter", "LaserScanner", any letter case), then remote subnets to
// search besides the local ones ("a.b.c.d" or "a.b.c.d:mask"). A null or
// empty request still runs a discovery, with no type, which lists no
// device. Both searches empty PortResults first and always answer it;
// failures below them only leave it shorter and are logged where they
// happen.
#ifndef NODEXA_DISCOVERY_PORT_SEARCH_H_
#define NODEXA_DISCOVERY_PORT_SEARCH_H_

#include <string>
#include <vector>

namespace nodexa {

// "<UNICAST>1</UNICAST><LocalSubnets>1</LocalSubnets>", followed, when the
// request names subnets, by a RemoteSubnets element holding each entry as
// given, with ":255.255.255.0" added to entries without ':', each ended by
// ';'.
std::string DiscoveryParameters(const std::vector<std::string>& request);

// The request's printer type (entry 0), or "" for an empty request.
std::string RequestedType(const std::vector<std::string>& request);

// CPDATTACHED 1 for "Inkjet", 0 for "LaserPrinter" and "LaserScanner",
// and the empty filter for any other type.
std::string EnumerationFilter(const std::string& type);

// FindPorts: inkjet printers are matched against product.ini's product key
// (section "GENERAL", key "ProductKey"); other types get no model list.
void SearchPorts(const std::vector<std::string>& request);

// FindAllPorts: inkjet printers are matched against the product value
// "MODEL", laser printers against the product's model list; the spooler's
// local ports follow, without lines already listed (case of A to Z
// ignored).
void SearchAllPorts(const std::vector<std::string>& request);

}  // namespace nodexa

#endif  // NODEXA_DISCOVERY_PORT_SEARCH_H_
