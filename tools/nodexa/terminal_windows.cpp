#include "platform/win32_api.h"
#include "terminal.h"

namespace nodexa::cli {

bool StandardErrorIsTerminal() {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

std::string ArgumentText(const std::string& argument) { return argument; }

std::string PrintedText(const std::string& text) { return text; }

}  // namespace nodexa::cli
