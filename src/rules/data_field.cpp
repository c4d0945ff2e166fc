#include "data_field.h"

#include "frame/string_toolkit.h"

namespace nodexa {

const DataField* FindField(const SourceRecord& record, const std::string& name) {
  for (const DataField& field : record) {
    if (CompareNoCase(field.name, name) == 0) return &field;
  }
  return nullptr;
}

std::string LookupField(const SourceRecord& context, const std::string& name) {
  const DataField* field = FindField(context, name);
  return field != nullptr ? field->text : name;
}

}  // namespace nodexa
