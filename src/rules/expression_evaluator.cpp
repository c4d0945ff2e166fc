#include "expression_evaluator.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

#include "frame/string_toolkit.h"
#include "rule_functions.h"
#include "rule_numbers.h"
#include "rule_operators.h"

namespace nodexa {

namespace {

constexpr size_t kNone = IndexedExpression::kNone;

// Leaves that can name a field start (after any dots) with one of these; any
// other leaf, such as a signed number, yields the empty string.
bool StartsTerm(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || IsBlank(c) ||
         c == '"' || c == '\\' || c == '.' || c == ',' || c == '(' || c == ')' || c == '_';
}

// A part [from, to) of the expression text.
struct Range {
  size_t from;
  size_t to;
};

// An operator and the ranges of its one to three operands.
struct Operation {
  std::string op;
  Range operands[3];
  size_t count = 0;
};

// One evaluation with its count of nested Evaluate calls and of the bytes
// of the values made so far; every recursion passes through Evaluate. Once
// a bound is passed every further step yields "" at once and the whole
// result is discarded.
class Evaluation {
 public:
  Evaluation(const SourceRecord& record, const IndexedExpression& text)
      : context(record), expression(text) {}

  std::string Evaluate(Range e);
  std::string ResolveTerm(Range t);
  std::string CallFunction(std::string subject, const std::string& functionName,
                           Range argumentText);

  std::optional<std::string> Result(std::string value) const {
    if (exhausted) return std::nullopt;
    return value;
  }

 private:
  class Level {
   public:
    explicit Level(int& counter) : depth(counter) { ++depth; }
    ~Level() { --depth; }
    Level(const Level&) = delete;
    Level& operator=(const Level&) = delete;

   private:
    int& depth;
  };

  bool Exhausted() {
    if (depth >= kMaxEvaluationDepth) exhausted = true;
    return exhausted;
  }

  // Counts a value just made against kMaxValueBytes.
  std::string Made(std::string value) {
    made += value.size();
    if (made > kMaxValueBytes) exhausted = true;
    return exhausted ? std::string() : value;
  }

  bool Splits(Range e, Operation& operation) const;
  bool SplitAt(Range e, size_t found, bool (*inClass)(char), Operation& operation) const;
  bool SplitConditional(Range e, Operation& operation) const;
  bool SplitEquality(Range e, Operation& operation) const;
  bool InQuotes(Range e) const;
  Range Trimmed(Range e) const;

  const SourceRecord& context;
  const IndexedExpression& expression;
  int depth = 0;
  size_t made = 0;
  bool exhausted = false;
};

std::string Evaluation::Evaluate(Range e) {
  if (Exhausted()) return std::string();
  const Level level(depth);

  if (expression.InParentheses(e.from, e.to)) e = {e.from + 1, e.to - 1};
  if (InQuotes(e)) e = {e.from + 1, e.to - 1};

  Operation operation;
  if (Splits(e, operation)) {
    std::vector<std::string> values;
    values.reserve(operation.count);
    for (size_t i = 0; i < operation.count; ++i) {
      values.push_back(Evaluate(Trimmed(operation.operands[i])));
    }
    return Made(ApplyOperator(operation.op, std::move(values)));
  }

  const std::string_view leaf = expression.View(e.from, e.to);
  if (IsAllDigit(leaf)) return Made(std::string(leaf));
  const size_t first = leaf.find_first_not_of('.');
  if (first == kNone || StartsTerm(leaf[first])) return ResolveTerm(e);
  return std::string();
}

std::string Evaluation::ResolveTerm(Range t) {
  if (exhausted) return std::string();

  const std::string_view term = expression.View(t.from, t.to);
  const size_t dot = term.find('.');
  if (dot == kNone || dot == 0) return Made(LookupField(context, std::string(term)));

  const size_t open = term.find('(');
  std::string functionName;
  Range argumentText{t.to, t.to};
  if (open == kNone || open == 0) {
    functionName = term.substr(dot + 1);
  } else if (open > dot) {
    functionName = term.substr(dot + 1, open - dot - 1);
    const size_t close = expression.LastClosing(t.from, t.to);
    const size_t start = t.from + open + 1;
    if (close == kNone) {
      argumentText = {start, t.to};
    } else if (close > start) {
      argumentText = {start, close};
    }
  }
  // A '(' before the dot leaves no function name, so the subject stands.
  std::string subject = Made(LookupField(context, std::string(term.substr(0, dot))));
  if (functionName.empty()) return subject;
  return CallFunction(std::move(subject), functionName, argumentText);
}

std::string Evaluation::CallFunction(std::string subject, const std::string& functionName,
                                     Range argumentText) {
  if (exhausted) return std::string();

  // Arguments part at every ',', as StringTokenizer with SkipLeadingBlanks
  // does: blanks before each argument and before each ',' go. No quote
  // handling: a ',' inside quotes or a nested call still separates.
  const std::string_view text = expression.View(argumentText.from, argumentText.to);
  const auto skipBlanks = [&text](size_t at) {
    while (at < text.size() && IsBlank(text[at])) ++at;
    return at;
  };
  std::vector<std::string> arguments;
  for (size_t at = skipBlanks(0); at < text.size();) {
    const size_t comma = text.find(',', at);
    size_t end = comma == kNone ? text.size() : comma;
    while (comma != kNone && end > at && IsBlank(text[end - 1])) --end;
    arguments.push_back(Evaluate({argumentText.from + at, argumentText.from + end}));
    at = comma == kNone ? text.size() : skipBlanks(comma + 1);
  }
  if (exhausted) return std::string();
  std::optional<std::string> value =
      ApplyFunction(std::move(subject), functionName, arguments, kMaxValueBytes - made);
  if (!value) exhausted = true;
  return exhausted ? std::string() : Made(std::move(*value));
}

bool Evaluation::Splits(Range e, Operation& operation) const {
  if (e.from < e.to && expression.At(e.from) == '!') {
    operation.op = "!";
    operation.operands[0] = {e.from + 1, e.to};
    operation.count = 1;
    return true;
  }
  if (SplitAt(e, expression.LastLowAtDepthZero(e.from, e.to), IsLowClass, operation)) return true;
  if (SplitAt(e, expression.LastHighAtDepthZero(e.from, e.to), IsHighClass, operation)) return true;
  if (expression.View(e.from, e.to).find('?') != kNone) return SplitConditional(e, operation);
  return SplitEquality(e, operation);
}

// At the rightmost operator character of the class at depth 0; one at
// position 0 (a sign) splits nothing, and one preceded by another of its
// class makes a two-character operator with it.
bool Evaluation::SplitAt(Range e, size_t found, bool (*inClass)(char), Operation& operation) const {
  if (found == kNone || found == e.from) return false;
  const size_t start = inClass(expression.At(found - 1)) ? found - 1 : found;
  operation.op = std::string(expression.View(start, found + 1));
  operation.operands[0] = {e.from, start};
  operation.operands[1] = {found + 1, e.to};
  operation.count = 2;
  return true;
}

// a?b:c at the first '?' and the first ':', wherever they stand. When the
// ':' comes first there is nothing between them and the middle is empty.
bool Evaluation::SplitConditional(Range e, Operation& operation) const {
  const std::string_view text = expression.View(e.from, e.to);
  const size_t question = text.find('?');
  const size_t colon = text.find(':');
  if (question == kNone || question == 0 || colon == kNone) return false;
  const size_t middle = e.from + question + 1;
  operation.op = "?";
  operation.operands[0] = {e.from, middle - 1};
  operation.operands[1] = {middle, std::max(middle, e.from + colon)};
  operation.operands[2] = {e.from + colon + 1, e.to};
  operation.count = 3;
  return true;
}

// The rightmost '=' outside parentheses, when the character before it is
// '=' too.
bool Evaluation::SplitEquality(Range e, Operation& operation) const {
  const size_t found = expression.LastEqualsOutsideParentheses(e.from, e.to);
  if (found == kNone || found == e.from || expression.At(found - 1) != '=') return false;
  operation.op = "==";
  operation.operands[0] = {e.from, found - 1};
  operation.operands[1] = {found + 1, e.to};
  operation.count = 2;
  return true;
}

bool Evaluation::InQuotes(Range e) const {
  return e.to - e.from >= 2 && expression.At(e.from) == '"' &&
         expression.View(e.from, e.to).find('"', 1) == e.to - e.from - 1;
}

Range Evaluation::Trimmed(Range e) const {
  while (e.from < e.to && IsBlank(expression.At(e.from))) ++e.from;
  while (e.to > e.from && IsBlank(expression.At(e.to - 1))) --e.to;
  return e;
}

// Runs `step` over `text` indexed; the empty string past a bound.
template <typename Step>
std::string EmptyPastBounds(const SourceRecord& context, const std::string& text, Step step) {
  const IndexedExpression expression(text);
  if (!expression.Indexed()) return std::string();
  Evaluation evaluation(context, expression);
  return evaluation.Result(step(evaluation, Range{0, expression.Size()})).value_or(std::string());
}

}  // namespace

std::optional<std::string> EvaluateWithinBounds(const SourceRecord& context,
                                                const IndexedExpression& expression) {
  if (!expression.Indexed()) return std::nullopt;
  Evaluation evaluation(context, expression);
  return evaluation.Result(evaluation.Evaluate({0, expression.Size()}));
}

std::string Evaluate(const SourceRecord& context, const std::string& expression) {
  return EmptyPastBounds(context, expression, [](Evaluation& evaluation, Range all) {
    return evaluation.Evaluate(all);
  });
}

std::string ResolveTerm(const SourceRecord& context, const std::string& term) {
  return EmptyPastBounds(
      context, term, [](Evaluation& evaluation, Range all) { return evaluation.ResolveTerm(all); });
}

std::string CallFunction(const SourceRecord& context, const std::string& subject,
                         const std::string& functionName, const std::string& argumentText) {
  return EmptyPastBounds(context, argumentText, [&](Evaluation& evaluation, Range all) {
    return evaluation.CallFunction(subject, functionName, all);
  });
}

}  // namespace nodexa
