// RuleEngine with any rule file and any records: the first part is the rule
// file ("..\Config\Product.ini" beside the setup program), every further
// part one record in tagged text. The rule set applied is "Printers" of
// section NetworkInstallData.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "frame/setup_medium.h"
#include "fuzz_input.h"
#include "rules/rule_engine.h"

using nodexa::fuzz::Check;

namespace {

// Setup\Bin as the executable directory, Setup\Config for the rule file.
const std::filesystem::path& RuleFile() {
  static const std::filesystem::path file = [] {
    const std::filesystem::path setup = nodexa::fuzz::ScratchFolder() / "Setup";
    std::filesystem::create_directories(setup / "Bin");
    std::filesystem::create_directories(setup / "Config");
    nodexa::SetExecutableDirectoryOverride((setup / "Bin").string());
    return setup / "Config" / "Product.ini";
  }();
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> parts = nodexa::fuzz::Parts(nodexa::fuzz::Text(data, size), 64);
  nodexa::fuzz::WriteFile(RuleFile(), parts.front());
  parts.erase(parts.begin());

  const size_t records = parts.size();
  nodexa::RuleEngine engine(std::move(parts));
  Check(engine.Sources().size() == records, "one source record per text");
  const std::vector<std::string> lines = engine.ApplyRules("NetworkInstallData", "Printers");
  Check(lines.size() <= records, "at most one line per record");
  for (const std::string& line : lines) Check(!line.empty(), "empty lines are dropped");
  return 0;
}
