#include "rule_engine.h"

#include <utility>

#include "frame/setup_medium.h"
#include "frame/string_toolkit.h"
#include "rules/expression_evaluator.h"
#include "rules/xml_document.h"
#include "support/ini_file.h"
#include "support/ini_section.h"
#include "support/variables.h"

namespace nodexa {

namespace {

constexpr char kGeneralSection[] = "GENERAL";
// Values that refer to later values twice or more double the text at every
// entry; a reference whose value would take the rule text past this length
// stays as written.
constexpr size_t kMaxRuleTextLength = size_t{1} << 20;
constexpr char kFilterList[] = "Filter";
constexpr char kOutputList[] = "Output";

std::string UpperCase(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

// The rule's expression evaluated against `record`, which it refers to
// while it is examined.
std::string EvaluateAgainst(DataField& rule, const SourceRecord& record) {
  rule.source = &record;
  return Evaluate(*rule.source, rule.value);
}

// Every check must pass: a rule named after fields of the record compares
// its value with each of them; any other rule must not yield "0". The first
// failed check decides, since evaluation has no side effects.
bool Selects(const SourceRecord& record, std::vector<DataField>& filters) {
  if (filters.empty()) return false;
  for (DataField& filter : filters) {
    bool named = false;
    std::string result;
    for (const DataField& field : record) {
      if (CompareNoCase(field.name, filter.name) != 0) continue;
      if (!named) result = EvaluateAgainst(filter, record);
      named = true;
      if (CompareNoCase(result, field.text) != 0) return false;
    }
    if (!named && CompareNoCase(EvaluateAgainst(filter, record), "0") == 0) return false;
  }
  return true;
}

// An Output rule named after a field copies its first occurrence; any
// other computes its value.
std::string OutputLine(const SourceRecord& record, std::vector<DataField>& outputs) {
  std::string line;
  for (DataField& output : outputs) {
    const DataField* field = FindField(record, output.name);
    line += field != nullptr ? field->text : EvaluateAgainst(output, record);
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
  for (const std::string& text : records) {
    SourceRecord record;
    ParseFieldList("<SourceData>" + text + "</SourceData>", "SourceData", record);
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
  const std::string document = "<XMLData>" + prepared + "</XMLData>";

  XmlDocument xml(document, document.size() + 1);
  const XmlElement* root = xml.GetRoot();
  if (root == nullptr) return false;
  std::vector<XmlElement*> lists;
  std::vector<XmlElement*> items;
  root->GetChildren(lists);
  for (const XmlElement* list : lists) {
    if (CompareNoCase(list->Name(), wrapperName) != 0) continue;
    list->GetChildren(items);
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
    const std::string reference = "%" + UpperCase(key) + "%";
    for (size_t found = upper.find(reference); found != std::string::npos;
         found = upper.find(reference, found + value.size())) {
      if (result.size() - reference.size() + value.size() > kMaxRuleTextLength) break;
      upper.replace(found, reference.size(), value);
      result.replace(found, reference.size(), value);
    }
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

  std::vector<std::string> lines;
  for (const SourceRecord& record : sources) {
    if (!Selects(record, filters)) continue;
    std::string line = OutputLine(record, outputs);
    if (!line.empty()) lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace nodexa
