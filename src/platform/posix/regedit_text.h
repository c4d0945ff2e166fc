// The registry's file form: REGEDIT4 text as Windows' and Wine's regedit
// import it, so one file serves the stand-in and a real registry.
//
//   REGEDIT4
//   [HKEY_LOCAL_MACHINE\Software\Maker]     key (created with its parents)
//   "Name"="text"                           REG_SZ, escapes \\ \" \n \r \0
//   @="text"                                the key's default value
//   "Count"=dword:0000002a                  REG_DWORD, 1 to 8 hex digits
//   "Raw"=hex:ab,c0                         REG_BINARY
//   "Path"=hex(2):25,00                     any type by number: hex(2) is
//   "List"=hex(7):61,00,00                  REG_EXPAND_SZ, hex(7) REG_MULTI_SZ
//   "Gone"=-                                deletes the value
//   [-HKEY_LOCAL_MACHINE\Software\Old]      deletes the key and its sub-keys
//
// Hex lists continue on the next line after a trailing backslash. Lines
// starting with ';' or '#' are comments. The text is in the ANSI code page.
//
// Comment and blank lines belong to the key header or value line below them
// (those at the end to the file), so a rewrite keeps them beside it however
// the keys are reordered.
#ifndef NODEXA_PLATFORM_POSIX_REGEDIT_TEXT_H_
#define NODEXA_PLATFORM_POSIX_REGEDIT_TEXT_H_

#include <cstddef>
#include <string>

#include "registry_store.h"

namespace nodexa::platform {

// Applies the text to `store` line by line, in order. Nothing in the text can
// make it fail: a line it cannot read (an unknown root, an unterminated
// quote, a bad hex byte, a hex list cut off by the end of the text, a value
// line under no valid key) is skipped with the value it would have set, and
// everything else is kept. The header line is optional. Returns the number
// of lines skipped.
size_t ReadRegeditText(const std::string& text, RegistryStore& store);

// The store as REGEDIT4 text that ReadRegeditText (and regedit) read back
// to the same keys, values and notes: every key its own header, keys in name
// order, each after its notes (or one blank line when it has none). Volatile
// keys and values are left out.
std::string WriteRegeditText(const RegistryStore& store);

}  // namespace nodexa::platform

#endif  // NODEXA_PLATFORM_POSIX_REGEDIT_TEXT_H_
