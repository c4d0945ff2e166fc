// The rule expression language over any expression and any record. The
// first part holds the record's fields as "NAME=text" lines, the second the
// expression.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "rules/data_field.h"
#include "rules/expression_evaluator.h"

using nodexa::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto parts = nodexa::fuzz::Parts(nodexa::fuzz::Text(data, size), 2);
  nodexa::SourceRecord record;
  if (parts.size() == 2) {
    for (const auto& [name, text] : nodexa::fuzz::Assignments(parts[0])) {
      record.emplace_back(name, text);
    }
  }
  const std::string& expression = parts.back();

  const std::string value = nodexa::Evaluate(record, expression);
  Check(nodexa::Evaluate(record, expression) == value, "evaluation has no side effects");
  nodexa::ResolveTerm(record, expression);
  return 0;
}
