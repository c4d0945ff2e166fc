// Finds one text inside another in time linear in both lengths, whatever
// they hold. The standard library's search compares the pattern again from
// its start at every candidate position, so a pattern such as "AA...AB"
// against a run of 'A's costs the product of the two lengths; texts and
// patterns here may come from hostile files, which must not buy that.
#ifndef NODEXA_FRAME_TEXT_SEARCH_H_
#define NODEXA_FRAME_TEXT_SEARCH_H_

#include <string>
#include <string_view>
#include <vector>

namespace nodexa {

class TextSearch {
 public:
  explicit TextSearch(std::string pattern);

  // The position of the first occurrence that starts at or after `from`, or
  // std::string::npos. An empty pattern is found at `from` itself while
  // `from` is within the text, as std::string::find has it.
  size_t FindIn(std::string_view text, size_t from = 0) const;

 private:
  std::string pattern;
  // For each prefix of the pattern, the length of its longest proper prefix
  // that is also its suffix (Knuth-Morris-Pratt): after a mismatch the search
  // goes on from there instead of going back in the text.
  std::vector<size_t> border;
};

}  // namespace nodexa

#endif  // NODEXA_FRAME_TEXT_SEARCH_H_
