#include "port_results.h"

namespace nodexa {

namespace {
// Built when the library is loaded, like every other global of it, so the
// setup program's pointer always refers to a constructed list.
NodexaList portResults;
bool markDiscovered = false;
}  // namespace

NodexaList& PortResults() { return portResults; }

bool MarkDiscovered() { return markDiscovered; }

void SetMarkDiscovered(bool on) { markDiscovered = on; }

}  // namespace nodexa
