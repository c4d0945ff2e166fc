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
// Every operand is a range of the one expression text, whose splitting
// points are indexed once (indexed_expression.h): no level copies its
// operands, and an evaluation costs time linear in the expression's length
// and the values it produces.
//
// Evaluation recurses into every operand and every function argument, so an
// operator chain or a nesting of parentheses or calls is as deep as it is
// long. Two bounds keep hostile rule text from exhausting the caller's stack
// or memory: an evaluation nests at most kMaxEvaluationDepth evaluations,
// and the values it produces (leaves, field texts, function and operator
// results, each counted as it is made) come to at most kMaxValueBytes. An
// expression past either bound has no value. A level costs at most about
// 1 KB of stack (one nested through a function argument), so the depth bound
// keeps the deepest evaluation near 250 KB, well inside the 1 MB a Windows
// thread starts with.
#ifndef NODEXA_RULES_EXPRESSION_EVALUATOR_H_
#define NODEXA_RULES_EXPRESSION_EVALUATOR_H_

#include <optional>
#include <string>

#include "rules/data_field.h"
#include "rules/indexed_expression.h"

namespace nodexa {

inline constexpr int kMaxEvaluationDepth = 256;
inline constexpr size_t kMaxValueBytes = size_t{16} << 20;

// The value of `expression` against the fields of `context`; nothing when
// the evaluation passes one of the bounds.
std::optional<std::string> EvaluateWithinBounds(const SourceRecord& context,
                                                const IndexedExpression& expression);

// The value of `expression`, the empty string past a bound.
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
