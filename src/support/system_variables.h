// The system variables of configuration texts ($NAME$): folders of the
// running system, language facts and machine measurements. Names are
// compared without regard to case; each query computes only the value
// asked for, afresh (measurements come from their process-wide caches).
#ifndef NODEXA_SUPPORT_SYSTEM_VARIABLES_H_
#define NODEXA_SUPPORT_SYSTEM_VARIABLES_H_

#include <string>

namespace nodexa {

// The value of one system variable; "" for an unknown name.
std::string GetSystemVariable(const std::string& name);

}  // namespace nodexa

#endif  // NODEXA_SUPPORT_SYSTEM_VARIABLES_H_
