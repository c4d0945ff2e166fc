// Stand-in host-communication module ("*hcp.dll").
//
// Answers (see standin.h for the file's form):
//   attached=<tagged text>    a discovered device with a CPD attached (an
//                             inkjet printer the setup can install)
//   unattached=<tagged text>  a discovered device without one (a laser
//                             printer, a scanner)
//   device=<tagged text>      a discovered device listed whatever the filter
//   Enumerate.raw             the exact list bytes instead (\0 for NUL); the
//                             filter plays no part
//   Enumerate.probe           status of the size-0 probe (default 122 when
//                             the list is not empty, else 0)
//   Enumerate.needed          size announced by the probe (default: the
//                             list's)
//   Enumerate.write           bytes the filling call writes (default: all)
//   Enumerate.nul=0           the last device goes out without its NUL
//   Enumerate.pad=n           n blanks follow the list
//   <Function>.result         Initialize, Discover, Enumerate (filling call),
//                             Configure, RegisterRemoteSubnets
//   Discover.wait=ms          Discover takes that long, as a search of the
//                             network does
//
// The list Enumerate hands out holds the devices of the first three keys in
// file order, each followed by a NUL. The filter chooses among them as the
// library expects the real module to: one holding
// "<CPDATTACHED>1</CPDATTACHED>" lists the attached devices, one holding
// "<CPDATTACHED>0</CPDATTACHED>" the unattached ones, and any other filter,
// the empty one included, lists all. "device" entries pass every filter.
//
// Building with STANDIN_WITHOUT_<Function> leaves that function out.
#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

#include "common/lifecycle_exports.h"
#include "common/standin.h"

namespace {

enum class Attachment { Any, Attached, Unattached };

// What the filter asks for: the value of its CPDATTACHED element.
[[maybe_unused]] Attachment Wanted(const char* filter) {
  static const std::string kOpen = "<CPDATTACHED>";
  static const std::string kClose = "</CPDATTACHED>";
  const std::string text = filter != nullptr ? filter : "";
  const size_t open = text.find(kOpen);
  if (open == std::string::npos) return Attachment::Any;
  const size_t begin = open + kOpen.size();
  const size_t close = text.find(kClose, begin);
  if (close == std::string::npos) return Attachment::Any;
  const std::string value = text.substr(begin, close - begin);
  if (value == "1") return Attachment::Attached;
  if (value == "0") return Attachment::Unattached;
  return Attachment::Any;
}

[[maybe_unused]] std::string DeviceList(const standin::Answers& answers, Attachment wanted) {
  if (answers.Has("Enumerate.raw")) return answers.Text("Enumerate.raw");
  const auto listed = [wanted](const std::string& key) {
    return key == "device" || (key == "attached" && wanted != Attachment::Unattached) ||
           (key == "unattached" && wanted != Attachment::Attached);
  };
  // Sized first: lists of many thousand devices are built on every call.
  size_t size = 0;
  for (const auto& [key, device] : answers.Entries()) {
    if (listed(key)) size += device.size() + 1;
  }
  std::string list;
  list.reserve(size);
  for (const auto& [key, device] : answers.Entries()) {
    if (!listed(key)) continue;
    list += device;
    list += '\0';
  }
  return list;
}

// What the last probe read, for the filling call that follows it. Plain
// globals: a function-local static would take a lock of the runtime's.
[[maybe_unused]] standin::Answers probedAnswers;
[[maybe_unused]] bool probed = false;

}  // namespace

#if !defined(STANDIN_WITHOUT_Discover)
STANDIN_EXPORT int32_t Discover(const char* parameters) {
  standin::Journal("Discover", {parameters != nullptr ? parameters : "(null)"});
  standin::Wait("Discover");
  return standin::Result("Discover");
}
#endif

#if !defined(STANDIN_WITHOUT_Enumerate)
STANDIN_EXPORT int32_t Enumerate(char* buffer, uint32_t size, uint32_t* needed, char* filter) {
  standin::Journal("Enumerate", {std::to_string(size), filter != nullptr ? filter : "(null)"});
  // The filling call right after a probe answers from what the probe read:
  // the library makes both within one search, and a long device list is
  // then read once rather than twice.
  standin::Answers filling;
  if (size == 0) {
    probedAnswers = standin::Answers::Load();
  } else {
    filling = probed ? std::move(probedAnswers) : standin::Answers::Load();
  }
  probed = size == 0;
  const standin::Answers& answers = probed ? probedAnswers : filling;
  std::string list = DeviceList(answers, Wanted(filter));
  if (answers.Text("Enumerate.nul") == "0" && !list.empty() && list.back() == '\0') {
    list.pop_back();
  }
  list.append(static_cast<uint32_t>(answers.Number("Enumerate.pad")), ' ');
  const auto announced =
      static_cast<uint32_t>(answers.Number("Enumerate.needed", static_cast<int64_t>(list.size())));
  if (size == 0) {
    if (needed != nullptr) *needed = announced;
    return answers.Number("Enumerate.probe", list.empty() ? 0 : 122);
  }
  const auto written = static_cast<size_t>(
      static_cast<uint32_t>(answers.Number("Enumerate.write", static_cast<int64_t>(list.size()))));
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
