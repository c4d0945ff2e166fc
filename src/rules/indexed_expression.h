// The text of one rule expression, with the questions its evaluation asks
// about parts of it answered in advance.
//
// Evaluation splits an expression into operands and those again, so every
// sub-expression is a range [from, to) of the one text. Where a range splits
// depends on scanning it for an operator at parenthesis depth 0, where
// double quotes keep parentheses from counting; scanning every range afresh
// makes a nesting n levels deep cost n passes over the text. One pass here
// prepares the answers for every range, each question then costs constant
// time, and the index takes about 25 bytes per character of the text: a long
// or deeply nested hostile expression costs time and memory linear in its
// length.
//
// Built once per rule and read by every evaluation of it; never changes.
#ifndef NODEXA_RULES_INDEXED_EXPRESSION_H_
#define NODEXA_RULES_INDEXED_EXPRESSION_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace nodexa {

class IndexedExpression {
 public:
  static constexpr size_t kNone = std::string::npos;
  // Positions are held in 32 bits; a longer text is not indexed.
  static constexpr size_t kLongest = UINT32_MAX - 1;

  explicit IndexedExpression(std::string expression);

  // False for a text longer than kLongest, which nothing may be asked about.
  bool Indexed() const { return text.size() <= kLongest; }
  size_t Size() const { return text.size(); }
  char At(size_t position) const { return text[position]; }
  std::string_view View(size_t from, size_t to) const;

  // True when the range begins with '(' and ends with the ')' that closes it,
  // parentheses inside double quotes not counting.
  bool InParentheses(size_t from, size_t to) const;

  // The rightmost character of the range that is '+', '-' or '|' (low class),
  // or '*', '/' or '&' (high class), at parenthesis depth 0 counted from the
  // range's end, where a parenthesis inside double quotes (as seen from the
  // end) does not count; kNone when there is none.
  size_t LastLowAtDepthZero(size_t from, size_t to) const;
  size_t LastHighAtDepthZero(size_t from, size_t to) const;

  // The first '=' met scanning the range from its end while no ')' outside
  // double quotes has been passed since the start or since the last such
  // '('; kNone when there is none.
  size_t LastEqualsOutsideParentheses(size_t from, size_t to) const;

  // The last ')' of the range, or kNone.
  size_t LastClosing(size_t from, size_t to) const;

 private:
  using Positions = std::vector<uint32_t>;

  // Whether an odd number of '"' comes before `position`. Characters with
  // the same parity as a range's start (or end) are outside quotes as seen
  // from there.
  bool Parity(size_t position) const { return (quotesBefore[position] & 1) != 0; }
  size_t Within(const Positions& answers, size_t from, size_t to) const;
  void MatchParentheses();
  Positions LastAtDepthZero(bool (*inClass)(char)) const;
  Positions LastEquals() const;

  std::string text;
  Positions quotesBefore;
  // For each parenthesis, the one it pairs with among those of its parity.
  Positions partner;
  // For each end position k, the answer for ranges ending at k.
  Positions lastLow;
  Positions lastHigh;
  Positions lastEquals;
  Positions lastClosing;
};

bool IsLowClass(char c);
bool IsHighClass(char c);

}  // namespace nodexa

#endif  // NODEXA_RULES_INDEXED_EXPRESSION_H_
