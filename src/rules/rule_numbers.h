// How rule expressions read and write numbers. Every value is text; these
// helpers give the 32-bit meaning the rules have always had, independent of
// the width of `long` on the host.
//
// Reading follows strtol/strtoul with base 10: leading white space skipped,
// an optional sign, digits up to the first other character; no digits reads
// as 0. Out-of-range values saturate. None of them fails.
#ifndef NODEXA_RULES_RULE_NUMBERS_H_
#define NODEXA_RULES_RULE_NUMBERS_H_

#include <cstdint>
#include <string>
#include <string_view>

namespace nodexa {

// True when every character is '0' to '9'; the empty value is all-digit.
bool IsAllDigit(std::string_view value);

// Signed 32-bit reading: saturates at -2147483648 and 2147483647.
int32_t ReadSigned(const std::string& value);
// Unsigned 32-bit reading: a minus sign negates modulo 2^32 ("-1" reads as
// 4294967295); a magnitude above 4294967295 saturates there, whatever the sign.
uint32_t ReadUnsigned(const std::string& value);

// "%d" and "%lu" of a 32-bit number.
std::string WriteSigned(int32_t number);
std::string WriteUnsigned(uint32_t number);

// Two's-complement wrapping of an exact result into 32 bits.
int32_t Wrap32(int64_t exact);

}  // namespace nodexa

#endif  // NODEXA_RULES_RULE_NUMBERS_H_
