#include "wide_text.h"

#include <climits>

namespace nodexa {

WideString ToWide(const std::string& text, UINT codePage) {
  if (text.empty() || text.size() > static_cast<size_t>(INT_MAX)) return WideString();
  const int length = static_cast<int>(text.size());
  const int needed = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
  if (needed <= 0) return WideString();
  WideString result(static_cast<size_t>(needed), WCHAR(0));
  const int written = MultiByteToWideChar(codePage, 0, text.data(), length, &result[0], needed);
  result.resize(written > 0 ? static_cast<size_t>(written) : 0);
  return result;
}

std::string ToNarrow(const WideString& text, UINT codePage) {
  if (text.empty() || text.size() > static_cast<size_t>(INT_MAX)) return std::string();
  const int length = static_cast<int>(text.size());
  const int needed =
      WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return std::string();
  std::string result(static_cast<size_t>(needed), '\0');
  const int written =
      WideCharToMultiByte(codePage, 0, text.data(), length, &result[0], needed, nullptr, nullptr);
  result.resize(written > 0 ? static_cast<size_t>(written) : 0);
  return result;
}

}  // namespace nodexa
