// Small string helpers every part of the library shares. None of them logs
// or fails: out-of-range requests are clamped.
#ifndef NODEXA_FRAME_STRING_TOOLKIT_H_
#define NODEXA_FRAME_STRING_TOOLKIT_H_

#include <string>
#include <string_view>
#include <vector>

namespace nodexa {

// The letters A to Z as a to z; every other character as it is.
inline char FoldAtoZ(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Compares after folding only the letters A to Z; returns the difference of
// the first differing folded characters, 0 when equal.
int CompareNoCase(const char* a, const char* b);
int CompareNoCase(const std::string& a, const std::string& b);

// CompareNoCase(a, b) == 0 for texts without NUL, the lengths compared
// first: the test for names looked up among many.
inline bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (FoldAtoZ(a[i]) != FoldAtoZ(b[i])) return false;
  }
  return true;
}

// Replaces every occurrence of `from` by `to`, resuming after each insertion
// so inserted text is never rescanned. Returns the number of replacements; an
// empty `from` replaces nothing. Time is linear in the text and the result,
// whatever `from` holds (text_search.h); so is IndexOf's.
int ReplaceAll(std::string& text, const std::string& from, const std::string& to);

// The white-space class of the "C" locale: space, \t, \n, \v, \f, \r.
bool IsBlank(char c);
std::string TrimLeft(const std::string& text);
std::string TrimRight(const std::string& text);
std::string Trim(const std::string& text);

// Substrings that never fail: negative counts and starts count as 0, ranges
// past the end stop at the end.
std::string Left(const std::string& text, long count);
std::string Mid(const std::string& text, long start);
std::string Mid(const std::string& text, long start, long count);
std::string Right(const std::string& text, long count);

// Position of the first occurrence of `what`, or -1.
long IndexOf(const std::string& text, const std::string& what);

// printf-style formatting. Output longer than 43008 characters is cut there,
// the largest scratch buffer the library has ever used.
std::string Format(const char* pattern, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// A writable NUL-terminated copy, for module functions that take char*.
std::vector<char> Duplicate(const std::string& text);

}  // namespace nodexa

#endif  // NODEXA_FRAME_STRING_TOOLKIT_H_
