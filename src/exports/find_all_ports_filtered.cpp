#include "discovery/filtered_port_search.h"
#include "exports/export_lock.h"
#include "nodexa/nodexa.h"

// The list is the caller's to delete; an empty argument list gives null, and
// so does one that does not describe a list.
extern "C" NODEXA_API NodexaList* FindAllPortsFiltered(const NodexaList* arguments) {
  try {
    const nodexa::ExportLock lock;
    const auto lines =
        nodexa::FilterPorts(nodexa::PortList::Read(arguments).value_or(std::vector<std::string>()));
    if (!lines) return nullptr;
    return nodexa::PortList(*lines).Release();
  } catch (...) {
    return nullptr;
  }
}
