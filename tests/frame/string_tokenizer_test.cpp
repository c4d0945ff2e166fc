#include "frame/string_tokenizer.h"

#include <gtest/gtest.h>

namespace nodexa {
namespace {

using Tokens = std::vector<std::string>;

struct TokenizerCase {
  const char* text;
  char separator;
  unsigned flags;
  Tokens expected;
};

class TokenizerTable : public ::testing::TestWithParam<TokenizerCase> {};

TEST_P(TokenizerTable, SplitsAsDescribed) {
  const TokenizerCase& c = GetParam();
  Tokens tokens{"stale"};
  StringTokenizer(c.text, c.separator, c.flags).Split(tokens);
  EXPECT_EQ(tokens, c.expected) << "text: [" << c.text << "]";
}

constexpr unsigned kQuotedSkip = StringTokenizer::Quoted | StringTokenizer::SkipLeadingBlanks;

INSTANTIATE_TEST_SUITE_P(
    Cases, TokenizerTable,
    ::testing::Values(TokenizerCase{"a | b |c", '|', 0, {"a", "b", "c"}},
                      TokenizerCase{"a||b", '|', 0, {"a", "", "b"}},
                      TokenizerCase{"a;b;", ';', 0, {"a", "b"}},
                      TokenizerCase{";a", ';', 0, {"", "a"}}, TokenizerCase{"", '|', 0, {}},
                      // The last token keeps its trailing blanks; only the front of the
                      // rest is trimmed after each separator.
                      TokenizerCase{"a|b  ", '|', 0, {"a", "b  "}},
                      TokenizerCase{"   ", '|', 0, {"   "}},
                      TokenizerCase{"   ", '|', StringTokenizer::SkipLeadingBlanks, {}},
                      TokenizerCase{"  a|b", '|', 0, {"  a", "b"}},
                      TokenizerCase{"  a|b", '|', StringTokenizer::SkipLeadingBlanks, {"a", "b"}},
                      TokenizerCase{"a|  |b", '|', 0, {"a", "", "b"}},
                      // Quotes protect separators and are stripped.
                      TokenizerCase{"\"a|b\"|c", '|', kQuotedSkip, {"a|b", "c"}},
                      TokenizerCase{"  \"x,y\" , z", ',', kQuotedSkip, {"x,y", "z"}},
                      TokenizerCase{"\"\"|c", '|', kQuotedSkip, {"", "c"}},
                      // An unclosed quote searches from the start and keeps its quote.
                      TokenizerCase{"\"a|b", '|', kQuotedSkip, {"\"a", "b"}},
                      // Without the flag quotes are ordinary characters.
                      TokenizerCase{"\"a|b\"|c", '|', 0, {"\"a", "b\"", "c"}},
                      // A quote in the middle of a token is not a quoted token.
                      TokenizerCase{"a\"|\"b", '|', kQuotedSkip, {"a\"", "\"b"}},
                      TokenizerCase{"1|2|3|4|5|6|7", '|', 0, {"1", "2", "3", "4", "5", "6", "7"}}));

}  // namespace
}  // namespace nodexa
