// Checks on command-line values, so that a value the library would take
// apart or misread is a usage error (exit status 2) with a clear message
// rather than a silent wrong call.
#ifndef NODEXA_TOOLS_NODEXA_VALIDATORS_H_
#define NODEXA_TOOLS_NODEXA_VALIDATORS_H_

#include <CLI/CLI.hpp>

namespace nodexa::cli {

// A value that does not hold `separator` (the command joins values with it).
CLI::Validator Without(char separator);

// An IPv4 subnet address, optionally followed by ':' and a subnet mask.
CLI::Validator Subnet();

// True for four dot-separated decimal numbers from 0 to 255.
bool IsDottedAddress(const std::string& text);

}  // namespace nodexa::cli

#endif  // NODEXA_TOOLS_NODEXA_VALIDATORS_H_
