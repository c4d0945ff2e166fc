#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>

#include "terminal.h"

namespace nodexa::cli {

namespace {

// Set before the handler is installed; the handler only reads it.
char clearingText[256];
size_t clearingLength = 0;

void Interrupted(int) {
  if (write(STDERR_FILENO, clearingText, clearingLength) < 0) {
    // Nothing more can be done on the way out.
  }
  _exit(130);
}

}  // namespace

int TerminalColumns() {
  winsize size{};
  if (isatty(STDOUT_FILENO) != 1 || ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) != 0) return 0;
  return size.ws_col;
}

void ClearOnInterrupt(const std::string& clearing) {
  if (clearing.empty()) {
    std::signal(SIGINT, SIG_DFL);
    return;
  }
  clearingLength = std::min(clearing.size(), sizeof clearingText);
  std::copy_n(clearing.begin(), clearingLength, clearingText);
  std::signal(SIGINT, Interrupted);
}

bool StandardErrorIsTerminal() { return isatty(STDERR_FILENO) == 1; }

std::string ArgumentText(const std::string& argument) { return Utf8ToAnsi(argument); }

std::optional<std::string> DamagedArgument(const std::string& argument) {
  bool lossy = false;
  const std::string converted = Utf8ToAnsi(argument, lossy);
  if (!lossy) return std::nullopt;
  return AnsiToUtf8(converted);
}

std::string PrintedText(const std::string& text) { return AnsiToUtf8(text); }

std::string GivenTextUtf8(const std::string& text) { return text; }

}  // namespace nodexa::cli
