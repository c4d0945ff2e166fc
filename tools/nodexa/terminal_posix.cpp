#include <unistd.h>

#include "terminal.h"

namespace nodexa::cli {

bool StandardErrorIsTerminal() { return isatty(STDERR_FILENO) == 1; }

std::string ArgumentText(const std::string& argument) { return Utf8ToAnsi(argument); }

std::optional<std::string> DamagedArgument(const std::string& argument) {
  bool lossy = false;
  const std::string converted = Utf8ToAnsi(argument, lossy);
  if (!lossy) return std::nullopt;
  return AnsiToUtf8(converted);
}

std::string PrintedText(const std::string& text) { return AnsiToUtf8(text); }

}  // namespace nodexa::cli
