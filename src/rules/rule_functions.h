// The string functions a rule expression can apply to a field:
// substr(start, count), IpToLong, length, Replace(old, new), Empty and
// Find(text), matched without regard to the case of A to Z. The arguments
// arrive already evaluated.
//
// Nothing fails: a known function given another number of arguments than it
// takes yields the empty string, an unknown function yields the subject.
#ifndef NODEXA_RULES_RULE_FUNCTIONS_H_
#define NODEXA_RULES_RULE_FUNCTIONS_H_

#include <string>
#include <vector>

namespace nodexa {

std::string ApplyFunction(const std::string& subject, const std::string& functionName,
                          const std::vector<std::string>& arguments);

// The dotted address as inet_addr reads it, first octet in the lowest byte,
// as "%lu": "1.2.3.4" gives "67305985", text that is no address "4294967295".
std::string IpToLong(const std::string& address);

}  // namespace nodexa

#endif  // NODEXA_RULES_RULE_FUNCTIONS_H_
