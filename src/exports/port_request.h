// The request list of FindPorts and FindAllPorts as the searches take it.
#ifndef NODEXA_EXPORTS_PORT_REQUEST_H_
#define NODEXA_EXPORTS_PORT_REQUEST_H_

#include <optional>
#include <string>
#include <vector>

#include "discovery/port_results.h"
#include "frame/debug_log.h"
#include "nodexa/nodexa.h"

namespace nodexa {

// The request's entries (none for a null list). A list that does not
// describe one is refused: the result list is emptied, the export's line
// "Invalid Parameters passed to <export>" is logged, and nothing is answered.
inline std::optional<std::vector<std::string>> ReadPortRequest(const NodexaList* request,
                                                               const std::string& exportName) {
  std::optional<std::vector<std::string>> lines = PortList::Read(request);
  if (!lines) {
    PortResults().clear();
    NodexaLog((exportName + ":").c_str())
        << "Invalid Parameters passed to " << exportName << std::endl;
  }
  return lines;
}

}  // namespace nodexa

#endif  // NODEXA_EXPORTS_PORT_REQUEST_H_
