#include "discovery_run.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "frame/companion_module.h"
#include "frame/host_communication.h"
#include "frame/module_buffer.h"
#include "frame/string_toolkit.h"

namespace nodexa {

std::vector<std::string> SplitDeviceList(std::string bytes) {
  // Records are NUL-separated; as ';'-separated text the tokenizer splits
  // them, keeping empty records between two separators. Split here as the
  // tokenizer (flags 0) would split the text: a NUL counts as a ';', a record
  // loses the blanks before its separator and the next record the blanks
  // after it (the first keeps its leading ones, the last its trailing
  // ones), and a final separator adds no empty record.
  std::vector<std::string> devices;
  const char* const end = bytes.data() + bytes.size();
  const char* position = bytes.data();
  // Each kind of separator is searched for with memchr, and each stretch
  // of the buffer at most once per kind.
  const char* nul = position;
  while (position != end) {
    if (nul != end && nul < position) nul = position;
    if (nul != end && *nul != '\0') {
      const void* found = std::memchr(nul, '\0', static_cast<size_t>(end - nul));
      nul = found != nullptr ? static_cast<const char*>(found) : end;
    }
    const void* semicolon = std::memchr(position, ';', static_cast<size_t>(nul - position));
    const char* separator = semicolon != nullptr ? static_cast<const char*>(semicolon) : nul;
    const char* last = separator;
    while (separator != end && last != position && IsBlank(last[-1])) --last;
    devices.emplace_back(position, last);
    position = separator == end ? end : separator + 1;
    while (position != end && IsBlank(*position)) ++position;
  }
  return devices;
}

std::optional<std::vector<std::string>> DiscoveryRun(const char* tag, const std::string& parameters,
                                                     const std::string& filter) {
  CompanionModule module(CompanionModule::HostCommunication, tag);
  if (!module.Bind({"Discover", "Enumerate"})) return std::nullopt;
  module.Initialize();

  if (module.Function<hcp::DiscoverFn>(0)(parameters.c_str()) != 0) return std::nullopt;

  // The module gets a private, writable copy of the filter for both calls.
  std::vector<char> filterCopy = Duplicate(filter);
  const auto enumerate = module.Function<hcp::EnumerateFn>(1);
  std::optional<ModuleAnswer> answer =
      ProbeFirst([&](char* buffer, uint32_t size, uint32_t* needed) {
        return static_cast<uint32_t>(enumerate(buffer, size, needed, filterCopy.data()));
      });
  if (!answer) return std::nullopt;
  return SplitDeviceList(std::move(answer->bytes));
}

int32_t GetDiscoveredPorts(std::vector<std::string>& ports, const std::string& parameters) {
  std::optional<std::vector<std::string>> devices =
      DiscoveryRun("GetDiscoveredPorts:", parameters, "");
  if (!devices) return 0;
  ports = std::move(*devices);
  return 1;
}

}  // namespace nodexa
