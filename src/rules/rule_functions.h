// The string functions a rule expression can apply to a field:
// substr(start, count), IpToLong, length, Replace(old, new), Empty and
// Find(text), matched without regard to the case of A to Z. The arguments
// arrive already evaluated.
//
// Nothing fails: a known function given another number of arguments than it
// takes yields the empty string, an unknown function yields the subject.
// Only Replace can make a value longer than its subject and arguments; a
// result longer than the caller allows is not made.
#ifndef NODEXA_RULES_RULE_FUNCTIONS_H_
#define NODEXA_RULES_RULE_FUNCTIONS_H_

#include <optional>
#include <string>
#include <vector>

namespace nodexa {

// The function's value, or nothing when it would be longer than `longest`.
std::optional<std::string> ApplyFunction(std::string subject, const std::string& functionName,
                                         const std::vector<std::string>& arguments, size_t longest);

// The dotted address as inet_addr reads it, first octet in the lowest byte,
// as "%lu": "1.2.3.4" gives "67305985", text that is no address "4294967295".
std::string IpToLong(const std::string& address);

}  // namespace nodexa

#endif  // NODEXA_RULES_RULE_FUNCTIONS_H_
