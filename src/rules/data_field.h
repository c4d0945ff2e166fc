// One named value of the rule engine: a field of a port record, or a rule
// whose value is an expression. A source record is the ordered list of the
// fields of one port record; names may repeat and are matched without regard
// to the case of A to Z.
//
// A rule's `source` points at the record its expression is evaluated against.
// The field does not own that record: the rule engine sets it just before it
// evaluates and keeps the record alive meanwhile.
#ifndef NODEXA_RULES_DATA_FIELD_H_
#define NODEXA_RULES_DATA_FIELD_H_

#include <string>
#include <utility>
#include <vector>

namespace nodexa {

struct DataField;
using SourceRecord = std::vector<DataField>;

struct DataField {
  DataField() = default;
  // A field read from XML: its value and its text are the same.
  DataField(std::string fieldName, std::string fieldText)
      : name(std::move(fieldName)), value(fieldText), text(std::move(fieldText)) {}

  std::string name;
  // For a rule, its expression; for a record field, the field's text.
  std::string value;
  std::string text;
  const SourceRecord* source = nullptr;
};

// The text of the first field named `name` (A to Z folded); the name itself
// when there is none, so a word that is no field stands for itself.
std::string LookupField(const SourceRecord& context, const std::string& name);

// The first field named `name` (A to Z folded), or null.
const DataField* FindField(const SourceRecord& record, const std::string& name);

}  // namespace nodexa

#endif  // NODEXA_RULES_DATA_FIELD_H_
