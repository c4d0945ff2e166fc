#include "string_toolkit.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "text_search.h"

namespace nodexa {

namespace {

size_t Clamp(long value, size_t limit) {
  if (value < 0) return 0;
  return std::min(static_cast<size_t>(value), limit);
}

}  // namespace

int CompareNoCase(const char* a, const char* b) {
  for (;; ++a, ++b) {
    const int ca = static_cast<unsigned char>(FoldAtoZ(*a));
    const int cb = static_cast<unsigned char>(FoldAtoZ(*b));
    if (ca != cb || ca == 0) return ca - cb;
  }
}

int CompareNoCase(const std::string& a, const std::string& b) {
  return CompareNoCase(a.c_str(), b.c_str());
}

int ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  // A text without the pattern's first character needs no search table.
  if (from.empty() || text.find(from[0]) == std::string::npos) return 0;
  const TextSearch search(from);
  int count = 0;
  std::string result;
  size_t start = 0;
  for (size_t found = search.FindIn(text); found != std::string::npos;
       found = search.FindIn(text, start)) {
    result.append(text, start, found - start).append(to);
    start = found + from.size();
    ++count;
  }
  if (count == 0) return 0;
  result.append(text, start, std::string::npos);
  text.swap(result);
  return count;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string TrimLeft(const std::string& text) {
  const auto first = std::find_if_not(text.begin(), text.end(), IsBlank);
  return std::string(first, text.end());
}

std::string TrimRight(const std::string& text) {
  const auto last = std::find_if_not(text.rbegin(), text.rend(), IsBlank);
  return std::string(text.begin(), last.base());
}

std::string Trim(const std::string& text) { return TrimLeft(TrimRight(text)); }

std::string Left(const std::string& text, long count) {
  return text.substr(0, Clamp(count, text.size()));
}

std::string Mid(const std::string& text, long start) {
  return text.substr(Clamp(start, text.size()));
}

std::string Mid(const std::string& text, long start, long count) {
  const size_t from = Clamp(start, text.size());
  return text.substr(from, Clamp(count, text.size() - from));
}

std::string Right(const std::string& text, long count) {
  const size_t n = Clamp(count, text.size());
  return text.substr(text.size() - n);
}

long IndexOf(const std::string& text, const std::string& what) {
  const size_t found = TextSearch(what).FindIn(text);
  return found == std::string::npos ? -1 : static_cast<long>(found);
}

std::string Format(const char* pattern, ...) {
  // The scratch buffer grows 2049, 6145, 12289, 20481, 30721, 43009; what
  // does not fit the last one is cut.
  constexpr size_t kLargest = 43009;
  va_list args;
  va_start(args, pattern);
  va_list measure;
  va_copy(measure, args);
  const int needed = std::vsnprintf(nullptr, 0, pattern, measure);
  va_end(measure);
  if (needed <= 0) {
    va_end(args);
    return std::string();
  }
  std::vector<char> buffer(std::min(static_cast<size_t>(needed) + 1, kLargest));
  std::vsnprintf(buffer.data(), buffer.size(), pattern, args);
  va_end(args);
  return std::string(buffer.data(), buffer.size() - 1);
}

std::vector<char> Duplicate(const std::string& text) {
  std::vector<char> copy(text.begin(), text.end());
  copy.push_back('\0');
  return copy;
}

}  // namespace nodexa
