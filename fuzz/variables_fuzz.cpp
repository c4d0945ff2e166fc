// ExpandVariables and ExpandSystemVariables over any text, with the
// resolver table filled from the input. The first part holds "NAME=value"
// lines for the table (NAME may be "scope.variable"), the second the text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "support/ini_file.h"
#include "support/resolver.h"
#include "support/variables.h"

namespace {

// Fills the process-wide resolver table for one input and empties it again.
class TableScope {
 public:
  explicit TableScope(const std::string& lines) {
    for (const auto& [name, value] : nodexa::fuzz::Assignments(lines)) {
      const size_t dot = name.find('.');
      const bool scoped = dot != std::string::npos && dot >= 1;
      nodexa::ResolverTable().SetValue(scoped ? name.substr(0, dot) : "Global",
                                       scoped ? name.substr(dot + 1) : name, value);
    }
  }
  ~TableScope() {
    nodexa::IniFile& table = nodexa::ResolverTable();
    while (!table.Sections().empty()) {
      const std::string name = table.Sections().front()->Name();
      table.removeSection(name, false);
    }
  }
  TableScope(const TableScope&) = delete;
  TableScope& operator=(const TableScope&) = delete;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto parts = nodexa::fuzz::Parts(nodexa::fuzz::Text(data, size), 2);
  const std::string& text = parts.back();
  {
    const TableScope table(parts.size() == 2 ? parts[0] : std::string());
    nodexa::ExpandVariables(text);
  }
  const std::string system = nodexa::ExpandSystemVariables(text);
  nodexa::fuzz::Check(text.find('$') != std::string::npos || system == text,
                      "text without references stays as it is");
  return 0;
}
