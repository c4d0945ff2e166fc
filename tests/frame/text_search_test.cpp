#include "frame/text_search.h"

#include <gtest/gtest.h>

#include <string>

namespace nodexa {
namespace {

constexpr size_t kNone = std::string::npos;

TEST(TextSearch, FindsTheFirstOccurrenceFromAPosition) {
  const struct {
    const char* text;
    const char* pattern;
    size_t from;
    size_t expected;
  } cases[] = {
      // A mismatch after a partial match resumes inside that match.
      {"aabaabaaab", "aaab", 0, 6}, {"abababc", "ababc", 0, 2}, {"xaaaab", "aab", 0, 3},
      {"abcabd", "abd", 0, 3},      {"abab", "ab", 1, 2},       {"aaaa", "aab", 0, kNone},
      {"ab", "abc", 0, kNone},      {"ab", "", 2, 2},           {"ab", "", 3, kNone},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TextSearch(c.pattern).FindIn(c.text, c.from), c.expected)
        << c.pattern << " in " << c.text << " from " << c.from;
  }
}

}  // namespace
}  // namespace nodexa
