#include "validators.h"

#include "terminal.h"

namespace nodexa::cli {

namespace {

// A check that refuses a value for which `valid` is false, saying `why`
// after the quoted value. No description, so help shows only the value's
// own name.
template <typename Test>
CLI::Validator Check(Test valid, std::string why) {
  return CLI::Validator(
      [valid, why](std::string& value) {
        return valid(value) ? std::string() : "'" + value + "' " + why;
      },
      "");
}

bool AllOf(const std::string& text, const char* characters) {
  return !text.empty() && text.find_first_not_of(characters) == std::string::npos;
}

}  // namespace

CLI::Validator Without(char separator) {
  const std::string holds(1, separator);
  return Check([holds](const std::string& value) { return value.find(holds) == std::string::npos; },
               "holds a '" + holds + "', which separates the values the library is given");
}

CLI::Validator Representable() {
  return CLI::Validator(
      [](std::string& value) {
        const auto damaged = DamagedArgument(value);
        if (!damaged) return std::string();
        return "'" + value + "' cannot be written in the machine's ANSI code page " +
               std::to_string(AnsiCodePage()) + ": the library would receive '" + *damaged + "'";
      },
      "");
}

CLI::Validator NotEmpty() {
  return CLI::Validator(
      [](std::string& value) {
        return value.empty() ? std::string("the value is empty, and the library needs one")
                             : std::string();
      },
      "");
}

bool IsDottedAddress(const std::string& text) {
  size_t start = 0;
  for (int part = 0; part < 4; ++part) {
    const size_t end = part < 3 ? text.find('.', start) : text.size();
    if (end == std::string::npos) return false;
    const std::string digits = text.substr(start, end - start);
    if (digits.size() > 3 || !AllOf(digits, "0123456789") || std::stoi(digits) > 255) {
      return false;
    }
    start = end + 1;
  }
  return true;
}

CLI::Validator DottedAddress() {
  return Check(IsDottedAddress, "is not a dotted IPv4 address (four numbers 0-255, e.g. 10.1.2.3)");
}

CLI::Validator MacAddress() {
  return Check(
      [](const std::string& value) {
        return value.size() == 12 && AllOf(value, "0123456789abcdefABCDEF");
      },
      "is not a MAC address (12 hexadecimal digits, e.g. 0080927A1B2C)");
}

CLI::Validator Decimal() {
  return Check(
      [](const std::string& value) { return value.size() <= 9 && AllOf(value, "0123456789"); },
      "is not a decimal number");
}

CLI::Validator Subnet() {
  return Check(
      [](const std::string& value) {
        const size_t colon = value.find(':');
        return colon == std::string::npos ? IsDottedAddress(value)
                                          : IsDottedAddress(value.substr(0, colon)) &&
                                                IsDottedAddress(value.substr(colon + 1));
      },
      "is not a subnet (ADDRESS or ADDRESS:MASK, e.g. 10.1.2.0 or 10.9.0.0:255.255.0.0)");
}

void CheckEveryValue(CLI::App& app) {
  for (CLI::App* sub : app.get_subcommands([](CLI::App*) { return true; })) {
    for (CLI::Option* option : sub->get_options()) {
      if (option->get_expected_min() == 0 || option->get_name() == "--help") continue;
      option->check(Without('|'))->check(Representable());
    }
  }
}

}  // namespace nodexa::cli
