#include "indexed_expression.h"

#include <algorithm>
#include <utility>

namespace nodexa {

namespace {

constexpr uint32_t kNoPosition = UINT32_MAX;

}  // namespace

bool IsLowClass(char c) { return c == '+' || c == '-' || c == '|'; }
bool IsHighClass(char c) { return c == '*' || c == '/' || c == '&'; }

IndexedExpression::IndexedExpression(std::string expression) : text(std::move(expression)) {
  if (!Indexed()) return;
  const size_t n = text.size();
  quotesBefore.assign(n + 1, 0);
  lastClosing.assign(n + 1, kNoPosition);
  for (size_t i = 0; i < n; ++i) {
    quotesBefore[i + 1] = quotesBefore[i] + (text[i] == '"' ? 1 : 0);
    lastClosing[i + 1] = text[i] == ')' ? static_cast<uint32_t>(i) : lastClosing[i];
  }
  MatchParentheses();
  lastLow = LastAtDepthZero(IsLowClass);
  lastHigh = LastAtDepthZero(IsHighClass);
  lastEquals = LastEquals();
}

std::string_view IndexedExpression::View(size_t from, size_t to) const {
  return std::string_view(text).substr(from, to - from);
}

size_t IndexedExpression::Within(const Positions& answers, size_t from, size_t to) const {
  const uint32_t found = answers[to];
  return found == kNoPosition || found < from ? kNone : found;
}

bool IndexedExpression::InParentheses(size_t from, size_t to) const {
  return to - from >= 2 && text[from] == '(' && text[to - 1] == ')' && partner[from] == to - 1;
}

size_t IndexedExpression::LastLowAtDepthZero(size_t from, size_t to) const {
  return Within(lastLow, from, to);
}

size_t IndexedExpression::LastHighAtDepthZero(size_t from, size_t to) const {
  return Within(lastHigh, from, to);
}

size_t IndexedExpression::LastEqualsOutsideParentheses(size_t from, size_t to) const {
  return Within(lastEquals, from, to);
}

size_t IndexedExpression::LastClosing(size_t from, size_t to) const {
  return Within(lastClosing, from, to);
}

// Scanning from a '(' towards the end, outside quotes as seen from it, the
// depth first comes back to 0 at the ')' a stack of each parity pairs it
// with; scanning from a ')' towards the start, at the same pair.
void IndexedExpression::MatchParentheses() {
  partner.assign(text.size(), kNoPosition);
  Positions open[2];
  for (size_t i = 0; i < text.size(); ++i) {
    Positions& stack = open[Parity(i) ? 1 : 0];
    if (text[i] == '(') {
      stack.push_back(static_cast<uint32_t>(i));
    } else if (text[i] == ')' && !stack.empty()) {
      partner[i] = stack.back();
      partner[stack.back()] = static_cast<uint32_t>(i);
      stack.pop_back();
    }
  }
}

// Seen from an end k, the depth at a position is the count of '(' minus ')'
// of k's parity between them, so a class character is at depth 0 when that
// count taken from the text's start is the same before it as before k. One
// sweep per parity keeps the last class character seen at each count.
IndexedExpression::Positions IndexedExpression::LastAtDepthZero(bool (*inClass)(char)) const {
  const size_t n = text.size();
  Positions answers(n + 1, kNoPosition);
  // Counts run from -n to n; `level` is the count plus n.
  Positions lastAtLevel(2 * n + 1);
  for (const bool parity : {false, true}) {
    std::fill(lastAtLevel.begin(), lastAtLevel.end(), kNoPosition);
    size_t level = n;
    for (size_t k = 0;; ++k) {
      if (Parity(k) == parity) answers[k] = lastAtLevel[level];
      if (k == n) break;
      const char c = text[k];
      if (inClass(c)) {
        lastAtLevel[level] = static_cast<uint32_t>(k);
      } else if (Parity(k) == parity && c == '(') {
        ++level;
      } else if (Parity(k) == parity && c == ')') {
        --level;
      }
    }
  }
  return answers;
}

// Seen from an end with the flag clear: an '=' is the answer; a ')' sets
// the flag until the nearest '(' of its parity before it, from where the
// answer is that '(''s own; anything else passes the answer on.
IndexedExpression::Positions IndexedExpression::LastEquals() const {
  const size_t n = text.size();
  Positions answers(n + 1);
  uint32_t running[2] = {kNoPosition, kNoPosition};
  uint32_t lastOpening[2] = {kNoPosition, kNoPosition};
  for (size_t k = 0;; ++k) {
    const int parity = Parity(k) ? 1 : 0;
    answers[k] = running[parity];
    if (k == n) break;
    const char c = text[k];
    if (c == '=') {
      running[0] = running[1] = static_cast<uint32_t>(k);
    } else if (c == '(') {
      lastOpening[parity] = static_cast<uint32_t>(k);
    } else if (c == ')') {
      running[parity] =
          lastOpening[parity] == kNoPosition ? kNoPosition : answers[lastOpening[parity]];
    }
  }
  return answers;
}

}  // namespace nodexa
