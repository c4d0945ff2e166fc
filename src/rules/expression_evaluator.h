// The expression language of rule sets: string-valued expressions over the
// fields of one port record, such as IPADDRESS.Empty(), MODEL_ID==X123 or
// MODEL_ID.substr(0,3).
//
// An expression is split at its loosest operator, found by scanning from the
// right so that chains associate to the left: first '!' at the front, then
// the low class '+', '-', '|' and the high class '*', '/', '&' (a pair of
// the same class is one two-character operator, as in && and ||), then the
// conditional a?b:c, then ==. What splits no further is a leaf: digits stand
// for themselves, a word names a field (or itself when no field has that
// name) and may apply a function after a dot.
//
// Evaluation never fails; what makes no sense yields the empty string or the
// text itself. The context is only read.
//
// Evaluation recurses into every operand and every function argument, so an
// operator chain or a nesting of parentheses or calls is as deep as it is
// long. An expression that needs more than kMaxEvaluationDepth nested
// evaluations yields the empty string as a whole: hostile rule text cannot
// exhaust the caller's stack. A level costs at most about 1 KB of stack (one
// nested through a function argument), so the bound keeps the deepest
// evaluation near 250 KB, well inside the 1 MB a Windows thread starts with.
#ifndef NODEXA_RULES_EXPRESSION_EVALUATOR_H_
#define NODEXA_RULES_EXPRESSION_EVALUATOR_H_

#include <string>

#include "rules/data_field.h"

namespace nodexa {

inline constexpr int kMaxEvaluationDepth = 256;

// The value of `expression` against the fields of `context`.
std::string Evaluate(const SourceRecord& context, const std::string& expression);

// A leaf: a field name, optionally followed by '.' and a function with its
// arguments in parentheses (which may be left out when there are none).
std::string ResolveTerm(const SourceRecord& context, const std::string& term);

// Splits `argumentText` at every ',', evaluates each argument and applies the
// function to `subject` (see rule_functions.h).
std::string CallFunction(const SourceRecord& context, const std::string& subject,
                         const std::string& functionName, const std::string& argumentText);

}  // namespace nodexa

#endif  // NODEXA_RULES_EXPRESSION_EVALUATOR_H_
