#include "port_results.h"

#include <utility>

namespace nodexa {

namespace {
// Built when the library is loaded, like every other global of it, so the
// setup program's pointer always refers to a constructed list.
std::vector<std::string> portResults;
PortList published;
bool markDiscovered = false;
}  // namespace

std::vector<std::string>& PortResults() { return portResults; }

NodexaList* PublishPortResults() {
  std::vector<std::string> lines = std::move(portResults);
  portResults.clear();
  published.Assign(std::move(lines));
  return published.get();
}

NodexaList* PublishedPortResults() noexcept { return published.get(); }

bool MarkDiscovered() { return markDiscovered; }

void SetMarkDiscovered(bool on) { markDiscovered = on; }

}  // namespace nodexa
