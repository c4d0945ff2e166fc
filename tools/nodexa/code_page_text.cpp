#include <vector>

#include "platform/win32_api.h"
#include "terminal.h"

namespace nodexa::cli {

namespace {

std::string Convert(const std::string& text, UINT from, UINT to, BOOL* lossy) {
  if (text.empty()) return text;
  const int length = static_cast<int>(text.size());
  const int units = MultiByteToWideChar(from, 0, text.data(), length, nullptr, 0);
  if (units <= 0) return text;
  std::vector<WCHAR> wide(static_cast<size_t>(units));
  MultiByteToWideChar(from, 0, text.data(), length, wide.data(), units);
  const int bytes = WideCharToMultiByte(to, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return text;
  std::string out(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(to, 0, wide.data(), units, out.data(), bytes, nullptr, lossy);
  return out;
}

}  // namespace

std::string AnsiToUtf8(const std::string& text) { return Convert(text, CP_ACP, CP_UTF8, nullptr); }

std::string Utf8ToAnsi(const std::string& text) { return Convert(text, CP_UTF8, CP_ACP, nullptr); }

std::string Utf8ToAnsi(const std::string& text, bool& lossy) {
  BOOL used = FALSE;
  std::string converted = Convert(text, CP_UTF8, CP_ACP, &used);
  lossy = used != FALSE;
  return converted;
}

unsigned AnsiCodePage() { return GetACP(); }

std::vector<std::string> ArgumentTexts(const std::vector<std::string>& arguments) {
  std::vector<std::string> texts;
  for (const std::string& argument : arguments) texts.push_back(ArgumentText(argument));
  return texts;
}

}  // namespace nodexa::cli
