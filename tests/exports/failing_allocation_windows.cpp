#include "failing_allocation.h"

namespace nodexa::test {

// A stand-in links its own C++ runtime, whose operator new is its own.
bool InsideStandInModule() { return false; }

}  // namespace nodexa::test
