#include "expression_evaluator.h"

#include <utility>
#include <vector>

#include "frame/string_tokenizer.h"
#include "frame/string_toolkit.h"
#include "rule_functions.h"
#include "rule_numbers.h"
#include "rule_operators.h"

namespace nodexa {

namespace {

constexpr size_t kNone = std::string::npos;

bool IsLowClass(char c) { return c == '+' || c == '-' || c == '|'; }
bool IsHighClass(char c) { return c == '*' || c == '/' || c == '&'; }

// The characters strictly between positions `from` and `to`; nothing when
// `to` does not come after `from`.
std::string Between(const std::string& text, size_t from, size_t to) {
  return to > from + 1 ? text.substr(from + 1, to - from - 1) : std::string();
}

// An operator and the raw text of its operands.
struct Operation {
  std::string op;
  std::vector<std::string> operands;
};

// True when the first '(' closes at the last character and the last ')'
// opens at the first; parentheses inside double quotes do not count.
bool HasEnclosingParentheses(const std::string& e) {
  if (e.size() < 2 || e.front() != '(' || e.back() != ')') return false;
  int depth = 0;
  bool quoted = false;
  size_t closing = kNone;
  for (size_t i = 0; i < e.size() && closing == kNone; ++i) {
    const char c = e[i];
    if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && c == '(') {
      ++depth;
    } else if (!quoted && c == ')' && --depth == 0) {
      closing = i;
    }
  }
  if (closing != e.size() - 1) return false;
  depth = 0;
  quoted = false;
  for (size_t i = e.size(); i-- > 0;) {
    const char c = e[i];
    if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && c == ')') {
      ++depth;
    } else if (!quoted && c == '(' && --depth == 0) {
      return i == 0;
    }
  }
  return false;
}

bool HasEnclosingQuotes(const std::string& e) {
  return e.size() >= 2 && e.front() == '"' && e.find('"', 1) == e.size() - 1;
}

// The rightmost operator character of the class at parenthesis depth 0,
// scanning from the right; one at position 0 (a sign) splits nothing.
// Quotes only keep parentheses from counting.
bool SplitAtClass(const std::string& e, bool (*inClass)(char), Operation& operation) {
  int depth = 0;
  bool quoted = false;
  size_t found = kNone;
  for (size_t i = e.size(); i-- > 0 && found == kNone;) {
    const char c = e[i];
    if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && c == ')') {
      ++depth;
    } else if (!quoted && c == '(') {
      --depth;
    } else if (depth == 0 && inClass(c)) {
      found = i;
    }
  }
  if (found == kNone || found == 0) return false;
  const size_t start = inClass(e[found - 1]) ? found - 1 : found;
  operation.op = e.substr(start, found + 1 - start);
  operation.operands = {e.substr(0, start), e.substr(found + 1)};
  return true;
}

// a?b:c at the first '?' and the first ':', wherever they stand. When the
// ':' comes first there is nothing between them and the middle is empty.
bool SplitConditional(const std::string& e, Operation& operation) {
  const size_t question = e.find('?');
  const size_t colon = e.find(':');
  if (question == kNone || question == 0 || colon == kNone) return false;
  operation.op = "?";
  operation.operands = {e.substr(0, question), Between(e, question, colon), e.substr(colon + 1)};
  return true;
}

// The rightmost '=' outside parentheses (a flag, not a depth, and quotes do
// not hide the '=' itself) when the character before it is '=' too.
bool SplitEquality(const std::string& e, Operation& operation) {
  bool quoted = false;
  bool inParentheses = false;
  for (size_t i = e.size(); i-- > 0;) {
    const char c = e[i];
    if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && c == ')') {
      inParentheses = true;
    } else if (!quoted && c == '(') {
      inParentheses = false;
    } else if (c == '=' && !inParentheses) {
      if (i == 0 || e[i - 1] != '=') return false;
      operation.op = "==";
      operation.operands = {e.substr(0, i - 1), e.substr(i + 1)};
      return true;
    }
  }
  return false;
}

bool Splits(const std::string& e, Operation& operation) {
  if (!e.empty() && e.front() == '!') {
    operation.op = "!";
    operation.operands = {e.substr(1)};
    return true;
  }
  if (SplitAtClass(e, IsLowClass, operation)) return true;
  if (SplitAtClass(e, IsHighClass, operation)) return true;
  if (e.find('?') != kNone) return SplitConditional(e, operation);
  return SplitEquality(e, operation);
}

// Leaves that can name a field start (after any dots) with one of these; any
// other leaf, such as a signed number, yields the empty string.
bool StartsTerm(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || IsBlank(c) ||
         c == '"' || c == '\\' || c == '.' || c == ',' || c == '(' || c == ')' || c == '_';
}

// One evaluation with its count of nested Evaluate calls; every recursion
// passes through Evaluate. Once the bound is reached every further step
// yields "" at once and the whole result is discarded.
class Evaluation {
 public:
  explicit Evaluation(const SourceRecord& record) : context(record) {}

  std::string Evaluate(std::string e);
  std::string ResolveTerm(const std::string& t);
  std::string CallFunction(const std::string& subject, const std::string& functionName,
                           const std::string& argumentText);

  std::string Result(std::string value) const { return exhausted ? std::string() : value; }

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

  const SourceRecord& context;
  int depth = 0;
  bool exhausted = false;
};

std::string Evaluation::Evaluate(std::string e) {
  if (Exhausted()) return std::string();
  const Level level(depth);

  if (HasEnclosingParentheses(e)) e = e.substr(1, e.size() - 2);
  if (HasEnclosingQuotes(e)) e = e.substr(1, e.size() - 2);

  Operation operation;
  if (Splits(e, operation)) {
    for (std::string& operand : operation.operands) operand = Evaluate(Trim(operand));
    return ApplyOperator(operation.op, operation.operands);
  }

  if (IsAllDigit(e)) return e;
  const size_t first = e.find_first_not_of('.');
  if (first == kNone || StartsTerm(e[first])) return ResolveTerm(e);
  return std::string();
}

std::string Evaluation::ResolveTerm(const std::string& t) {
  if (exhausted) return std::string();

  const size_t dot = t.find('.');
  if (dot == kNone || dot == 0) return LookupField(context, t);

  const size_t open = t.find('(');
  const size_t close = t.rfind(')');
  std::string functionName;
  std::string argumentText;
  if (open == kNone || open == 0) {
    functionName = t.substr(dot + 1);
  } else {
    // A '(' before the dot leaves no function name, so the subject stands.
    functionName = Between(t, dot, open);
    argumentText = close == kNone ? t.substr(open + 1) : Between(t, open, close);
  }
  std::string subject = LookupField(context, t.substr(0, dot));
  if (functionName.empty()) return subject;
  return CallFunction(subject, functionName, argumentText);
}

std::string Evaluation::CallFunction(const std::string& subject, const std::string& functionName,
                                     const std::string& argumentText) {
  if (exhausted) return std::string();

  // No quote handling: a ',' inside quotes or a nested call still separates.
  std::vector<std::string> arguments;
  StringTokenizer(argumentText, ',', StringTokenizer::SkipLeadingBlanks).Split(arguments);
  for (std::string& argument : arguments) argument = Evaluate(argument);
  return ApplyFunction(subject, functionName, arguments);
}

}  // namespace

std::string Evaluate(const SourceRecord& context, const std::string& expression) {
  Evaluation evaluation(context);
  return evaluation.Result(evaluation.Evaluate(expression));
}

std::string ResolveTerm(const SourceRecord& context, const std::string& term) {
  Evaluation evaluation(context);
  return evaluation.Result(evaluation.ResolveTerm(term));
}

std::string CallFunction(const SourceRecord& context, const std::string& subject,
                         const std::string& functionName, const std::string& argumentText) {
  Evaluation evaluation(context);
  return evaluation.Result(evaluation.CallFunction(subject, functionName, argumentText));
}

}  // namespace nodexa
