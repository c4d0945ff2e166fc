// What the command needs to know about the terminal it runs in, and the
// text conversions between it and the library, which works in the machine's
// ANSI code page. Windows: arguments and console output are already in the
// ANSI code page. POSIX: the terminal speaks UTF-8, so arguments are
// converted to the stand-in machine's ANSI code page and results back.
#ifndef NODEXA_TOOLS_NODEXA_TERMINAL_H_
#define NODEXA_TOOLS_NODEXA_TERMINAL_H_

#include <optional>
#include <string>
#include <vector>

namespace nodexa::cli {

// True when standard error is an interactive terminal (a console window on
// Windows), not a pipe or a file.
bool StandardErrorIsTerminal();

// The width of the terminal standard output goes to, in columns; 0 when it
// is not a terminal.
int TerminalColumns();

// While `clearing` is not empty, Ctrl-C writes it to standard error (to
// erase a line drawn there) and ends the program with status 130, as a
// shell reports an interrupted program. An empty text restores the usual
// handling.
void ClearOnInterrupt(const std::string& clearing);

// A command-line argument as the library expects its text.
std::string ArgumentText(const std::string& argument);
std::vector<std::string> ArgumentTexts(const std::vector<std::string>& arguments);
// What the library would receive for `argument` when the machine's ANSI code
// page cannot represent all of it (its characters replaced by '?'), shown
// as printed text; none when it arrives intact.
std::optional<std::string> DamagedArgument(const std::string& argument);
// The machine's ANSI code page, e.g. 1252.
unsigned AnsiCodePage();
// Library text as it is printed.
std::string PrintedText(const std::string& text);
// Text the command was given or found (arguments, paths, messages quoting
// them) in UTF-8: Windows hands the program ANSI text; on POSIX it is
// UTF-8 already.
std::string GivenTextUtf8(const std::string& text);

// Conversions between the ANSI code page and UTF-8 (the JSON output is
// UTF-8 on every system). Characters without a mapping become '?' or
// U+FFFD; nothing fails.
std::string AnsiToUtf8(const std::string& text);
std::string Utf8ToAnsi(const std::string& text);
// UTF-8 text in the ANSI code page with `lossy` set when a character had no
// mapping there.
std::string Utf8ToAnsi(const std::string& text, bool& lossy);

}  // namespace nodexa::cli

#endif  // NODEXA_TOOLS_NODEXA_TERMINAL_H_
