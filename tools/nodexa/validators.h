// Checks on command-line values, so that a value the library would take
// apart, misread or receive damaged is a usage error (exit status 2) with a
// message naming the value and why, rather than a silent wrong call.
#ifndef NODEXA_TOOLS_NODEXA_VALIDATORS_H_
#define NODEXA_TOOLS_NODEXA_VALIDATORS_H_

#include <CLI/CLI.hpp>
#include <string>

namespace nodexa::cli {

// A value that does not hold `separator` (the command joins values with it).
CLI::Validator Without(char separator);

// A value the machine's ANSI code page can represent whole.
CLI::Validator Representable();

// A value that is not empty.
CLI::Validator NotEmpty();

// Four dot-separated decimal numbers from 0 to 255.
CLI::Validator DottedAddress();

// A MAC address: twelve hexadecimal digits.
CLI::Validator MacAddress();

// A decimal number, e.g. a code page or an address source.
CLI::Validator Decimal();

// An IPv4 subnet address, optionally followed by ':' and a subnet mask.
CLI::Validator Subnet();

// True for four dot-separated decimal numbers from 0 to 255.
bool IsDottedAddress(const std::string& text);

// Adds the checks every value of every subcommand of `app` needs to reach
// the library intact: no '|' and nothing the code page lacks.
void CheckEveryValue(CLI::App& app);

}  // namespace nodexa::cli

#endif  // NODEXA_TOOLS_NODEXA_VALIDATORS_H_
