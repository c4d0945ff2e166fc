#include "discovery/port_results.h"
#include "discovery/port_search.h"
#include "nodexa/nodexa.h"

extern "C" NODEXA_API NodexaList* FindPorts(const NodexaList* request) {
  try {
    return nodexa::SearchPorts(request);
  } catch (...) {
    return &nodexa::PortResults();
  }
}
