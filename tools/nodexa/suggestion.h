// The name a mistyped word was most likely meant to be, for "did you mean"
// hints.
#ifndef NODEXA_TOOLS_NODEXA_SUGGESTION_H_
#define NODEXA_TOOLS_NODEXA_SUGGESTION_H_

#include <string>
#include <vector>

namespace nodexa::cli {

// The name of `names` closest to `word` by edit distance, when it is at
// most a third of the word's length away (at least 2); "" otherwise.
std::string ClosestName(const std::string& word, const std::vector<std::string>& names);

}  // namespace nodexa::cli

#endif  // NODEXA_TOOLS_NODEXA_SUGGESTION_H_
