#include <set>

#include "platform/win32_api.h"
#include "terminal.h"

// Not in the lean <windows.h> the platform header brings in.
#include <shellapi.h>

namespace nodexa::cli {

namespace {

// The arguments Windows could not hand over intact in the ANSI code page,
// as the program received them: the command line is UTF-16, and its
// narrow copy replaces what the code page lacks by '?' or a look-alike.
std::set<std::string> DamagedArguments() {
  std::set<std::string> damaged;
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (arguments == nullptr) return damaged;
  for (int i = 1; i < count; ++i) {
    const int units = lstrlenW(arguments[i]);
    if (units == 0) continue;
    BOOL lossy = FALSE;
    const int bytes = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, arguments[i], units,
                                          nullptr, 0, nullptr, &lossy);
    if (bytes <= 0 || !lossy) continue;
    // The runtime's own copy, best-fit characters and all.
    const int received =
        WideCharToMultiByte(CP_ACP, 0, arguments[i], units, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(received > 0 ? received : 0), '\0');
    WideCharToMultiByte(CP_ACP, 0, arguments[i], units, text.data(), received, nullptr, nullptr);
    damaged.insert(text);
  }
  LocalFree(arguments);
  return damaged;
}

// Set before the handler is installed; the handler only reads it.
std::string clearingText;

BOOL WINAPI Interrupted(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_ERROR_HANDLE), clearingText.data(),
            static_cast<DWORD>(clearingText.size()), &written, nullptr);
  ExitProcess(130);
  return TRUE;
}

}  // namespace

int TerminalColumns() {
  CONSOLE_SCREEN_BUFFER_INFO info{};
  if (!GetConsoleScreenBufferInfo(GetStdHandle(STD_OUTPUT_HANDLE), &info)) return 0;
  return info.srWindow.Right - info.srWindow.Left + 1;
}

void ClearOnInterrupt(const std::string& clearing) {
  if (clearing.empty()) {
    SetConsoleCtrlHandler(Interrupted, FALSE);
    return;
  }
  clearingText = clearing;
  SetConsoleCtrlHandler(Interrupted, TRUE);
}

bool StandardErrorIsTerminal() {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

std::string ArgumentText(const std::string& argument) { return argument; }

std::optional<std::string> DamagedArgument(const std::string& argument) {
  static const std::set<std::string> damaged = DamagedArguments();
  if (damaged.count(argument) == 0) return std::nullopt;
  return argument;
}

std::string PrintedText(const std::string& text) { return text; }

std::string GivenTextUtf8(const std::string& text) { return AnsiToUtf8(text); }

}  // namespace nodexa::cli
