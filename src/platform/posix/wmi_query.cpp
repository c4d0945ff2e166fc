#include "../wmi_query.h"

namespace nodexa::platform {

// There is no COM here: the query fails where CoInitialize would.
bool QueryProcessorClockWmi(uint32_t& /*megahertz*/) { return false; }

}  // namespace nodexa::platform
