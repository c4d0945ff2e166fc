// Expansion of %NAME% references (through a Resolver) and $NAME$ references
// (system variables) in configuration texts.
//
// Values are expanded again, so they may refer to further names; a value
// that ends up referring to itself is cut off after a fixed depth and left
// as it stands then, so every text expands to a defined result.
#ifndef NODEXA_SUPPORT_VARIABLES_H_
#define NODEXA_SUPPORT_VARIABLES_H_

#include <string>

namespace nodexa {

class Resolver;

// Replaces every %NAME% by the resolver's value (all occurrences of one
// reference at once), then the $NAME$ references. A lone '%' stays.
std::string ExpandVariables(const std::string& text, const Resolver& resolver);
std::string ExpandVariables(const std::string& text);

// Replaces $NAME$ references by system variables ("" for unknown names),
// rescanning from the start after each replacement. A lone '$' stays.
std::string ExpandSystemVariables(const std::string& text);

}  // namespace nodexa

#endif  // NODEXA_SUPPORT_VARIABLES_H_
