// Splits a value list at one separator character: '|' for the setup
// program's arguments, ';' for the host-communication module's lists.
// Tokens lose trailing white space; the rest of the text loses leading white
// space after each token; a separator at the very end yields no empty token.
#ifndef NODEXA_FRAME_STRING_TOKENIZER_H_
#define NODEXA_FRAME_STRING_TOKENIZER_H_

#include <string>
#include <vector>

namespace nodexa {

class StringTokenizer {
 public:
  enum Flags : unsigned {
    // A token that begins with '"' runs to its closing quote; the quotes go.
    Quoted = 1,
    // White space before the first token is skipped.
    SkipLeadingBlanks = 2,
  };

  StringTokenizer(std::string input, char separatorChar, unsigned flagBits = 0);

  bool HasMore() const { return position < text.size(); }
  // False, with an empty token, when nothing is left.
  bool NextToken(std::string& token);
  // Replaces `tokens` with every token left.
  void Split(std::vector<std::string>& tokens);

 private:
  void SkipBlanks();

  // The input and how much of it is consumed; the rest is what is left.
  std::string text;
  size_t position;
  char separator;
  unsigned flags;
};

// Convenience: every token of `text`.
std::vector<std::string> Tokenize(const std::string& text, char separator, unsigned flags = 0);

}  // namespace nodexa

#endif  // NODEXA_FRAME_STRING_TOKENIZER_H_
