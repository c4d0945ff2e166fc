#include "validators.h"

namespace nodexa::cli {

CLI::Validator Without(char separator) {
  return CLI::Validator(
      [separator](std::string& value) {
        return value.find(separator) == std::string::npos
                   ? std::string()
                   : "'" + value + "' holds a '" + std::string(1, separator) +
                         "', which separates the values the library is given";
      },
      "", std::string("without ") + separator);
}

bool IsDottedAddress(const std::string& text) {
  size_t start = 0;
  for (int part = 0; part < 4; ++part) {
    const size_t end = part < 3 ? text.find('.', start) : text.size();
    if (end == std::string::npos) return false;
    const std::string digits = text.substr(start, end - start);
    if (digits.empty() || digits.size() > 3 ||
        digits.find_first_not_of("0123456789") != std::string::npos || std::stoi(digits) > 255) {
      return false;
    }
    start = end + 1;
  }
  return true;
}

CLI::Validator Subnet() {
  return CLI::Validator(
      [](std::string& value) {
        const size_t colon = value.find(':');
        const bool valid = colon == std::string::npos
                               ? IsDottedAddress(value)
                               : IsDottedAddress(value.substr(0, colon)) &&
                                     IsDottedAddress(value.substr(colon + 1));
        return valid ? std::string()
                     : "'" + value +
                           "' is not a subnet (ADDRESS or ADDRESS:MASK, e.g. "
                           "10.1.2.0 or 10.9.0.0:255.255.0.0)";
      },
      "SUBNET", "subnet");
}

}  // namespace nodexa::cli
