// The network rig's manifest (scripts/netrig.sh): one row per simulated
// host, fields by column name (namespace, ip, mac, sysname, mask, gateway,
// deviceid, hrdescr, net). Read from the file NETRIG_MANIFEST names, which
// scripts/rig-run.sh sets; empty anywhere else.
#ifndef NODEXA_TESTS_RIG_RIG_MANIFEST_H_
#define NODEXA_TESTS_RIG_RIG_MANIFEST_H_

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace nodexa::test {

struct RigHost {
  std::map<std::string, std::string> field;
  // The field, "" when the manifest has no such column.
  std::string operator[](const std::string& name) const {
    const auto found = field.find(name);
    return found != field.end() ? found->second : std::string();
  }
};

inline std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> parts;
  std::stringstream stream(line);
  for (std::string part; std::getline(stream, part, '\t');) parts.push_back(part);
  if (!line.empty() && line.back() == '\t') parts.emplace_back();
  return parts;
}

inline std::vector<RigHost> ReadRigManifest() {
  const char* path = std::getenv("NETRIG_MANIFEST");
  std::ifstream file(path != nullptr ? path : "");
  std::vector<RigHost> hosts;
  std::string line;
  if (!std::getline(file, line)) return hosts;
  const std::vector<std::string> header = SplitTabs(line);
  while (std::getline(file, line)) {
    const std::vector<std::string> values = SplitTabs(line);
    RigHost host;
    for (size_t i = 0; i < header.size(); ++i) {
      host.field[header[i]] = i < values.size() ? values[i] : "";
    }
    hosts.push_back(host);
  }
  return hosts;
}

}  // namespace nodexa::test

#endif  // NODEXA_TESTS_RIG_RIG_MANIFEST_H_
