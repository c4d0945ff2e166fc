#include "text_search.h"

#include <utility>

namespace nodexa {

TextSearch::TextSearch(std::string searched)
    : pattern(std::move(searched)), border(pattern.size()) {
  for (size_t i = 1, length = 0; i < pattern.size(); ++i) {
    while (length > 0 && pattern[i] != pattern[length]) length = border[length - 1];
    if (pattern[i] == pattern[length]) ++length;
    border[i] = length;
  }
}

size_t TextSearch::FindIn(std::string_view text, size_t from) const {
  if (pattern.empty()) return from <= text.size() ? from : std::string::npos;
  size_t matched = 0;
  for (size_t i = from; i < text.size(); ++i) {
    // Nothing matched yet: jump to the next candidate at memchr speed.
    if (matched == 0) {
      i = text.find(pattern.front(), i);
      if (i == std::string::npos) return i;
    }
    while (matched > 0 && text[i] != pattern[matched]) matched = border[matched - 1];
    if (text[i] == pattern[matched]) ++matched;
    if (matched == pattern.size()) return i + 1 - matched;
  }
  return std::string::npos;
}

}  // namespace nodexa
