// The names of a rule set's Output rules, which name the fields of the lines
// FindAllPortsFiltered returns. The rule set is the value of its key in the
// section "NetworkInstallData" of the rule file (Setup\Config\Product.ini on
// the medium); its Output rules are the children of its top-level "Output"
// elements, in document order.
//
// Only names are read, so a light scan of the tags is enough; the library
// does the real parsing. A missing file, section or key gives no names.
#ifndef NODEXA_TOOLS_NODEXA_RULE_FILE_H_
#define NODEXA_TOOLS_NODEXA_RULE_FILE_H_

#include <string>
#include <vector>

namespace nodexa::cli {

// The value of `key` in `section` of the INI text (names without regard to
// case; the first entry wins), or "".
std::string IniValue(const std::string& iniText, const std::string& section,
                     const std::string& key);

// The names of the children of the top-level "Output" elements (any case)
// of a rule text, in order.
std::vector<std::string> OutputRuleNames(const std::string& ruleText);

// OutputRuleNames of the rule set `key` in the file at `path`.
std::vector<std::string> RuleSetOutputNames(const std::string& path, const std::string& key);

}  // namespace nodexa::cli

#endif  // NODEXA_TOOLS_NODEXA_RULE_FILE_H_
