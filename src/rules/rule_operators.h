// The operators of rule expressions, applied to operands that are already
// evaluated. Values are text; numbers are read and written as rule_numbers.h
// says, and arithmetic is 32-bit signed with wrap-around.
#ifndef NODEXA_RULES_RULE_OPERATORS_H_
#define NODEXA_RULES_RULE_OPERATORS_H_

#include <string>
#include <vector>

namespace nodexa {

// Applies "+", "-", "*", "/", "&", "|", "==", "&&", "||", "?" (three
// operands) or "!" (one operand). An operator outside this list, division
// by zero and "&&"/"||" on operands that are not all-digit give the empty
// string; a missing operand counts as the empty string. Never fails. The
// operands are taken by value so that a result made of one (a
// concatenation, a branch of "?") reuses it instead of copying.
std::string ApplyOperator(const std::string& op, std::vector<std::string> operands);

}  // namespace nodexa

#endif  // NODEXA_RULES_RULE_OPERATORS_H_
