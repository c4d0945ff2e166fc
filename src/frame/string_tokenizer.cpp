#include "string_tokenizer.h"

#include <algorithm>
#include <utility>

#include "string_toolkit.h"

namespace nodexa {

StringTokenizer::StringTokenizer(std::string input, char separatorChar, unsigned flagBits)
    : text(std::move(input)), position(0), separator(separatorChar), flags(flagBits) {}

bool StringTokenizer::NextToken(std::string& token) {
  token.clear();
  if (flags & SkipLeadingBlanks) SkipBlanks();
  if (!HasMore()) return false;

  size_t searchFrom = position;
  if ((flags & Quoted) && text[position] == '"') {
    const size_t closing = text.find('"', position + 1);
    if (closing != std::string::npos) searchFrom = closing;
  }
  const size_t found = text.find(separator, searchFrom);
  if (found == std::string::npos) {
    token.assign(text, position, std::string::npos);
    position = text.size();
  } else {
    size_t end = found;
    while (end > position && IsBlank(text[end - 1])) --end;
    token.assign(text, position, end - position);
    position = found + 1;
  }
  if ((flags & Quoted) && token.size() >= 2 && token.front() == '"' && token.back() == '"') {
    token.pop_back();
    token.erase(0, 1);
  }
  SkipBlanks();
  return true;
}

void StringTokenizer::SkipBlanks() {
  while (position < text.size() && IsBlank(text[position])) ++position;
}

void StringTokenizer::Split(std::vector<std::string>& tokens) {
  tokens.clear();
  // No more tokens than separators left plus one: reserved at once, the
  // list never regrows, and each token is read straight into its place.
  tokens.reserve(static_cast<size_t>(std::count(
                     text.begin() + static_cast<std::ptrdiff_t>(position), text.end(), separator)) +
                 1);
  while (HasMore()) {
    tokens.emplace_back();
    if (!NextToken(tokens.back())) {
      tokens.pop_back();
      break;
    }
  }
}

std::vector<std::string> Tokenize(const std::string& text, char separator, unsigned flags) {
  std::vector<std::string> tokens;
  StringTokenizer(text, separator, flags).Split(tokens);
  return tokens;
}

}  // namespace nodexa
