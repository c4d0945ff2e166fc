#include "discovery_run.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "frame/companion_module.h"
#include "frame/host_communication.h"
#include "frame/module_buffer.h"
#include "frame/string_tokenizer.h"
#include "frame/string_toolkit.h"

namespace nodexa {

std::vector<std::string> SplitDeviceList(std::string bytes) {
  // Records are NUL-separated; as ';'-separated text the tokenizer splits
  // them, keeping empty records between two separators.
  // memchr finds the NULs: records are long and separators few.
  char* const end = bytes.data() + bytes.size();
  for (char* at = bytes.data(); at != end; ++at) {
    at = static_cast<char*>(std::memchr(at, '\0', static_cast<size_t>(end - at)));
    if (at == nullptr) break;
    *at = ';';
  }
  std::vector<std::string> devices;
  StringTokenizer(std::move(bytes), ';').Split(devices);
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
