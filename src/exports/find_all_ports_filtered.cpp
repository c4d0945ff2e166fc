#include <utility>

#include "discovery/filtered_port_search.h"
#include "nodexa/nodexa.h"

// The list is the caller's to delete; an empty argument list gives null.
extern "C" NODEXA_API NodexaList* FindAllPortsFiltered(const NodexaList* arguments) {
  try {
    const NodexaList none;
    auto lines = nodexa::FilterPorts(arguments != nullptr ? *arguments : none);
    if (!lines) return nullptr;
    return new NodexaList(std::move(*lines));
  } catch (...) {
    return nullptr;
  }
}
