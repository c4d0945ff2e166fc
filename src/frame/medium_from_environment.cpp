// Test builds only: the executable directory named by the environment
// variable NODEXA_EXECUTABLE_DIRECTORY, so that test programs run the
// library against media of their own. Linked into the test build of the
// library (NodexaTesting) and into test programs, never into Nodexa.dll.
#include <vector>

#include "frame/setup_medium.h"
#include "platform/win32_api.h"

namespace nodexa {

namespace {

std::string FromEnvironment() {
  constexpr char kVariable[] = "NODEXA_EXECUTABLE_DIRECTORY";
  const DWORD needed = GetEnvironmentVariableA(kVariable, nullptr, 0);
  if (needed == 0) return std::string();
  std::vector<char> value(needed + 1, '\0');
  const DWORD length = GetEnvironmentVariableA(kVariable, value.data(), needed + 1);
  return length > 0 && length <= needed ? std::string(value.data(), length) : std::string();
}

[[maybe_unused]] const bool installed = (SetExecutableDirectorySource(&FromEnvironment), true);

}  // namespace

}  // namespace nodexa
