#include "discovery/port_results.h"
#include "discovery/port_search.h"
#include "exports/export_lock.h"
#include "exports/port_request.h"
#include "nodexa/nodexa.h"

extern "C" NODEXA_API NodexaList* FindAllPorts(const NodexaList* request) {
  try {
    const nodexa::ExportLock lock;
    if (auto lines = nodexa::ReadPortRequest(request, "FindAllPorts")) {
      nodexa::SearchAllPorts(*lines);
    }
    return nodexa::PublishPortResults();
  } catch (...) {
    return nodexa::PublishedPortResults();
  }
}
