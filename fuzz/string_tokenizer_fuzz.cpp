// StringTokenizer over any text with each separator in use and each flag
// combination: the first byte chooses them, the rest is the text.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "frame/string_tokenizer.h"
#include "fuzz_input.h"

using nodexa::StringTokenizer;
using nodexa::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  static const char kSeparators[] = {'|', ';', ',', '.'};
  const unsigned flags = data[0] & 3u;
  const char separator = kSeparators[(data[0] >> 2) & 3u];
  const std::string text = nodexa::fuzz::Text(data + 1, size - 1);

  StringTokenizer tokenizer(text, separator, flags);
  std::vector<std::string> tokens;
  std::string token;
  while (tokenizer.HasMore()) {
    // Only blanks left, skipped before the first token, make no token.
    if (!tokenizer.NextToken(token)) {
      Check((flags & StringTokenizer::SkipLeadingBlanks) != 0 && tokens.empty(),
            "a tokenizer with more yields a token");
      break;
    }
    tokens.push_back(token);
    Check(tokens.size() <= text.size(), "every token consumes input");
  }
  Check(!tokenizer.HasMore(), "the text is consumed");
  Check(!tokenizer.NextToken(token) && token.empty(), "an exhausted tokenizer yields nothing");

  const auto separators = static_cast<size_t>(std::count(text.begin(), text.end(), separator));
  Check(tokens.size() <= separators + 1, "no more tokens than separators allow");
  if ((flags & StringTokenizer::Quoted) == 0) {
    for (const std::string& t : tokens) {
      Check(t.find(separator) == std::string::npos, "unquoted tokens hold no separator");
    }
  }
  Check(nodexa::Tokenize(text, separator, flags) == tokens, "Tokenize splits the same way");
  return 0;
}
