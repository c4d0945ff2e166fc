// Stand-in host-communication module ("*hcp.dll").
//
// Answers (see standin.h for the file's form):
//   device=<tagged text>   one discovered device; the list Enumerate hands
//                          out is every device followed by a NUL
//   Enumerate.raw          the exact list bytes instead (\0 for NUL)
//   Enumerate.probe        status of the size-0 probe (default 122 when the
//                          list is not empty, else 0)
//   Enumerate.needed       size announced by the probe (default: the list's)
//   Enumerate.write        bytes the filling call writes (default: all)
//   <Function>.result      Initialize, Discover, Enumerate (filling call),
//                          Configure, RegisterRemoteSubnets
// Building with STANDIN_WITHOUT_<Function> leaves that function out.
#include <algorithm>
#include <cstring>
#include <string>

#include "common/standin.h"

namespace {

[[maybe_unused]] std::string DeviceList(const standin::Answers& answers) {
  if (answers.Has("Enumerate.raw")) return answers.Text("Enumerate.raw");
  std::string list;
  for (const std::string& device : answers.All("device")) {
    list += device;
    list += '\0';
  }
  return list;
}

}  // namespace

#if !defined(STANDIN_WITHOUT_Initialize)
STANDIN_EXPORT int32_t Initialize() {
  standin::Journal("Initialize", {std::to_string(standin::InitializeCount())});
  return standin::Result("Initialize");
}
#endif

#if !defined(STANDIN_WITHOUT_Uninitialize)
STANDIN_EXPORT int32_t Uninitialize() {
  standin::Journal("Uninitialize");
  return standin::Result("Uninitialize");
}
#endif

#if !defined(STANDIN_WITHOUT_Discover)
STANDIN_EXPORT int32_t Discover(const char* parameters) {
  standin::Journal("Discover", {parameters != nullptr ? parameters : "(null)"});
  return standin::Result("Discover");
}
#endif

#if !defined(STANDIN_WITHOUT_Enumerate)
STANDIN_EXPORT int32_t Enumerate(char* buffer, uint32_t size, uint32_t* needed, char* filter) {
  standin::Journal("Enumerate", {std::to_string(size), filter != nullptr ? filter : "(null)"});
  const standin::Answers answers = standin::Answers::Load();
  const std::string list = DeviceList(answers);
  const auto announced =
      static_cast<uint32_t>(answers.Number("Enumerate.needed", static_cast<int64_t>(list.size())));
  if (size == 0) {
    if (needed != nullptr) *needed = announced;
    return answers.Number("Enumerate.probe", list.empty() ? 0 : 122);
  }
  const auto written = static_cast<size_t>(static_cast<uint32_t>(
      answers.Number("Enumerate.write", static_cast<int64_t>(list.size()))));
  std::memcpy(buffer, list.data(), std::min({written, list.size(), static_cast<size_t>(size)}));
  return answers.Number("Enumerate.result");
}
#endif

#if !defined(STANDIN_WITHOUT_Configure)
STANDIN_EXPORT int32_t Configure(const char* current, const char* requested) {
  standin::Journal("Configure", {current != nullptr ? current : "(null)",
                                 requested != nullptr ? requested : "(null)"});
  return standin::Result("Configure");
}
#endif

#if !defined(STANDIN_WITHOUT_RegisterRemoteSubnets)
STANDIN_EXPORT int32_t RegisterRemoteSubnets(const char* subnets) {
  standin::Journal("RegisterRemoteSubnets", {subnets != nullptr ? subnets : "(null)"});
  return standin::Result("RegisterRemoteSubnets");
}
#endif
