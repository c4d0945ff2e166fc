#include "rule_operators.h"

#include <cstdint>
#include <utility>

#include "frame/string_toolkit.h"
#include "rule_numbers.h"

namespace nodexa {

namespace {

std::string Flag(bool value) { return value ? "1" : "0"; }

std::string Divide(const std::string& a, const std::string& b) {
  const int32_t divisor = ReadSigned(b);
  if (divisor == 0) return std::string();
  // INT32_MIN / -1 wraps to INT32_MIN like the other operators.
  return WriteSigned(Wrap32(static_cast<int64_t>(ReadSigned(a)) / divisor));
}

}  // namespace

std::string ApplyOperator(const std::string& op, std::vector<std::string> operands) {
  // Missing operands are empty; the values are taken over, not copied.
  if (operands.size() < 3) operands.resize(3);
  std::string& a = operands[0];
  std::string& b = operands[1];
  const auto is = [&op](const char* name) { return CompareNoCase(op, name) == 0; };

  if (is("+")) {
    if (IsAllDigit(a) && IsAllDigit(b)) {
      return WriteSigned(Wrap32(static_cast<int64_t>(ReadSigned(a)) + ReadSigned(b)));
    }
    return std::move(a.append(b));
  }
  if (is("-")) return WriteSigned(Wrap32(static_cast<int64_t>(ReadSigned(a)) - ReadSigned(b)));
  if (is("*")) return WriteSigned(Wrap32(static_cast<int64_t>(ReadSigned(a)) * ReadSigned(b)));
  if (is("/")) return Divide(a, b);
  if (is("&")) return WriteSigned(Wrap32(ReadUnsigned(a) & ReadUnsigned(b)));
  if (is("|")) return WriteSigned(ReadSigned(a) | ReadSigned(b));
  if (is("==")) return Flag(CompareNoCase(a, b) == 0);
  if (is("&&")) {
    if (!IsAllDigit(a) || !IsAllDigit(b)) return std::string();
    return Flag(ReadSigned(a) != 0 && ReadSigned(b) != 0);
  }
  if (is("||")) {
    if (!IsAllDigit(a) || !IsAllDigit(b)) return std::string();
    return Flag(ReadSigned(a) != 0 || ReadSigned(b) != 0);
  }
  if (is("?")) return std::move(ReadSigned(a) != 0 ? b : operands[2]);
  if (is("!")) return Flag(ReadSigned(a) == 0);
  return std::string();
}

}  // namespace nodexa
