// Lets the product's own configuration choose which port records are offered
// to the setup program and how each is described.
//
// The engine is built from port records in tagged text; it parses each into
// a source record (its fields in order) and owns them. ApplyRules reads a
// rule set from the rule file "..\Config\Product.ini" beside the setup
// program: section "NetworkInstallData", one entry per rule set, whose value
// holds <Filter> and <Output> elements with one rule per child element.
// A record is selected when every Filter rule holds for it; each selected
// record gives one line, its Output values joined by '|'.
//
// Nothing fails loudly and nothing is logged here: a missing file, section
// or key means no rules and an empty result; rule text or records that are
// not well-formed XML keep what was read before the first error.
//
// Hostile rule files cost work linear in their size: a rule set's text
// longer than kMaxRuleTextLength counts as absent, %KEY% references never
// take it past that length, and an expression past the evaluator's bounds
// (expression_evaluator.h) fails its Filter check and outputs "".
#ifndef NODEXA_RULES_RULE_ENGINE_H_
#define NODEXA_RULES_RULE_ENGINE_H_

#include <string>
#include <vector>

#include "rules/data_field.h"

namespace nodexa {

class IniSection;

// The longest rule text a rule set may have, as read and as %KEY%
// references make it: values that refer to later values twice or more
// would double the text at every entry.
inline constexpr size_t kMaxRuleTextLength = size_t{1} << 20;

class RuleEngine {
 public:
  // One source record per text, in order; also for a text that yields no
  // fields.
  explicit RuleEngine(std::vector<std::string> records);
  ~RuleEngine();
  RuleEngine(const RuleEngine&) = delete;
  RuleEngine& operator=(const RuleEngine&) = delete;

  // The output lines of the selected records, in record order. Empty lines
  // are dropped; without Filter rules nothing is selected.
  std::vector<std::string> ApplyRules(const std::string& sectionName, const std::string& key);

  // Appends the rules of list `listName` ("Filter" or "Output") of the rule
  // set `key` to `rules`, after replacing %KEY% references to the "GENERAL"
  // section. False, with nothing appended, when the section is missing or
  // has no entries; an absent key gives no rules but true.
  bool LoadRuleSet(const std::string& sectionName, const std::string& key,
                   const std::string& listName, std::vector<DataField>& rules) const;

  // Reads `text` as XML elements, after expanding %NAME% and $NAME$
  // variables, turning every '&' into "&amp;" and every "1284STRID" into
  // "STRID1284" (an XML name cannot begin with a digit), and appends to
  // `fields` the children of every top-level element named `wrapperName`.
  // False when no element at all could be read.
  static bool ParseFieldList(const std::string& text, const std::string& wrapperName,
                             std::vector<DataField>& fields);

  // Replaces each %KEY% reference (any case) by the value of that entry of
  // `general`, entry by entry in the section's order, so a value may refer
  // to entries further down. The search goes on after each inserted value,
  // so a value that refers to its own entry is inserted once; each entry
  // takes one pass, linear in the text and the result. A reference whose
  // value would make the text longer than kMaxRuleTextLength stays as
  // written.
  static std::string ExpandGeneralValues(IniSection& general, const std::string& text);

  // "..\Config\Product.ini" below the executable directory; "" when that
  // is unknown.
  static std::string RuleFilePath();

  const std::vector<SourceRecord>& Sources() const { return sources; }

 private:
  void LoadSources(const std::vector<std::string>& records);

  std::vector<SourceRecord> sources;
};

}  // namespace nodexa

#endif  // NODEXA_RULES_RULE_ENGINE_H_
