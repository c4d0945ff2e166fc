#include "rule_engine.h"

#include <optional>
#include <utility>

#include "frame/setup_medium.h"
#include "frame/string_toolkit.h"
#include "frame/text_search.h"
#include "rules/expression_evaluator.h"
#include "rules/xml_document.h"
#include "support/ini_file.h"
#include "support/ini_section.h"
#include "support/variables.h"

namespace nodexa {

namespace {

constexpr char kGeneralSection[] = "GENERAL";
constexpr char kFilterList[] = "Filter";
constexpr char kOutputList[] = "Output";

std::string UpperCase(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

// Replaces every `reference` found in `upper` by `value`, there and at the
// same place in `result`, building both anew in one pass. The search goes on
// after each reference; one whose value would take the text past
// kMaxRuleTextLength stays as written, and so do the ones after it.
void ReplaceReference(const std::string& reference, const std::string& value, std::string& result,
                      std::string& upper) {
  const TextSearch search(reference);
  size_t found = search.FindIn(upper);
  if (found == std::string::npos) return;
  std::string newResult;
  std::string newUpper;
  size_t copied = 0;
  for (; found != std::string::npos; found = search.FindIn(upper, copied)) {
    const size_t length = newResult.size() + (result.size() - copied) - reference.size();
    if (length + value.size() > kMaxRuleTextLength) break;
    newResult.append(result, copied, found - copied).append(value);
    newUpper.append(upper, copied, found - copied).append(value);
    copied = found + reference.size();
  }
  result = std::move(newResult.append(result, copied, std::string::npos));
  upper = std::move(newUpper.append(upper, copied, std::string::npos));
}

// A rule with its expression indexed once for all the records it examines.
struct Rule {
  explicit Rule(DataField& rule) : field(rule), expression(rule.value) {}
  DataField& field;
  IndexedExpression expression;
};

std::vector<Rule> Indexed(std::vector<DataField>& fields) {
  return std::vector<Rule>(fields.begin(), fields.end());
}

// The rule's expression evaluated against `record`, which it refers to
// while it is examined; nothing past the evaluation's bounds.
std::optional<std::string> EvaluateAgainst(Rule& rule, const SourceRecord& record) {
  rule.field.source = &record;
  return EvaluateWithinBounds(*rule.field.source, rule.expression);
}

// Every check must pass: a rule named after fields of the record compares
// its value with each of them; any other rule must not yield "0". A rule
// past the bounds of evaluation has no value and passes no check. The first
// failed check decides, since evaluation has no side effects.
bool Selects(const SourceRecord& record, std::vector<Rule>& filters) {
  if (filters.empty()) return false;
  for (Rule& filter : filters) {
    bool named = false;
    std::optional<std::string> result;
    for (const DataField& field : record) {
      if (CompareNoCase(field.name, filter.field.name) != 0) continue;
      if (!named) result = EvaluateAgainst(filter, record);
      named = true;
      if (!result || CompareNoCase(*result, field.text) != 0) return false;
    }
    if (!named) {
      result = EvaluateAgainst(filter, record);
      if (!result || CompareNoCase(*result, "0") == 0) return false;
    }
  }
  return true;
}

// An Output rule named after a field copies its first occurrence; any
// other computes its value, the empty string past the bounds.
std::string OutputLine(const SourceRecord& record, std::vector<Rule>& outputs) {
  std::string line;
  for (Rule& output : outputs) {
    const DataField* field = FindField(record, output.field.name);
    line += field != nullptr ? field->text : EvaluateAgainst(output, record).value_or("");
    line += '|';
  }
  if (!line.empty()) line.pop_back();
  return line;
}

}  // namespace

RuleEngine::RuleEngine(std::vector<std::string> records) { LoadSources(records); }

RuleEngine::~RuleEngine() = default;

void RuleEngine::LoadSources(const std::vector<std::string>& records) {
  sources.reserve(records.size());
  std::string wrapped;
  for (const std::string& text : records) {
    wrapped.assign("<SourceData>").append(text).append("</SourceData>");
    SourceRecord record;
    ParseFieldList(wrapped, "SourceData", record);
    sources.push_back(std::move(record));
  }
}

std::string RuleEngine::RuleFilePath() {
  // The executable directory is path code 10 of SystemPath; asked for
  // directly, since a SystemPath would also read the system's version facts
  // (and log their absence) for nothing.
  const PathObject directory = GetExecutableDirectory();
  if (directory.GetDirectory().empty()) return std::string();
  return directory.FullPath() + "\\..\\Config\\Product.ini";
}

bool RuleEngine::ParseFieldList(const std::string& text, const std::string& wrapperName,
                                std::vector<DataField>& fields) {
  std::string prepared = ExpandVariables(text);
  ReplaceAll(prepared, "&", "&amp;");
  ReplaceAll(prepared, "1284STRID", "STRID1284");
  std::string document;
  document.reserve(prepared.size() + 19);
  document.append("<XMLData>").append(prepared).append("</XMLData>");

  const size_t size = document.size() + 1;
  XmlDocument xml(std::move(document), size);
  const XmlElement* root = xml.GetRoot();
  if (root == nullptr) return false;
  std::vector<XmlElement*> lists;
  std::vector<XmlElement*> items;
  root->GetChildren(lists);
  for (const XmlElement* list : lists) {
    if (CompareNoCase(list->Name(), wrapperName) != 0) continue;
    list->GetChildren(items);
    // Sized once, for the first list: reserving again for every further
    // list would regrow to the exact size each time.
    if (fields.empty()) fields.reserve(items.size());
    for (const XmlElement* item : items) fields.emplace_back(item->Name(), item->Text());
  }
  return true;
}

std::string RuleEngine::ExpandGeneralValues(IniSection& general, const std::string& text) {
  std::string result = text;
  // References are found in the upper-cased copy; both get the value as
  // written, at the same place, so positions keep matching.
  std::string upper = UpperCase(text);
  std::string key;
  std::string value;
  for (bool more = general.First(); more && general.GetCurrentValue(key, value); general.Next()) {
    ReplaceReference("%" + UpperCase(key) + "%", value, result, upper);
  }
  return result;
}

bool RuleEngine::LoadRuleSet(const std::string& sectionName, const std::string& key,
                             const std::string& listName, std::vector<DataField>& rules) const {
  IniFile file(RuleFilePath(), false);
  IniSection* section = file.findSection(sectionName);
  IniSection* general = file.findSection(kGeneralSection);
  if (section == nullptr || !section->First()) return false;

  std::string ruleText;
  section->GetValue(key, ruleText);
  // Rule text past the bound is not read at all, as if the key were absent.
  if (ruleText.size() > kMaxRuleTextLength) ruleText.clear();
  if (general != nullptr && general->First()) ruleText = ExpandGeneralValues(*general, ruleText);
  ParseFieldList(ruleText, listName, rules);
  return true;
}

std::vector<std::string> RuleEngine::ApplyRules(const std::string& sectionName,
                                                const std::string& key) {
  std::vector<DataField> filters;
  std::vector<DataField> outputs;
  LoadRuleSet(sectionName, key, kFilterList, filters);
  LoadRuleSet(sectionName, key, kOutputList, outputs);

  std::vector<Rule> conditions = Indexed(filters);
  std::vector<Rule> values = Indexed(outputs);

  std::vector<std::string> lines;
  for (const SourceRecord& record : sources) {
    if (!Selects(record, conditions)) continue;
    std::string line = OutputLine(record, values);
    if (!line.empty()) lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace nodexa
