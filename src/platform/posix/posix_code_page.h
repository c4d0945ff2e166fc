// Code-page conversion between the stand-in machine's ANSI code page and
// UTF-16, with the Windows calling conventions: a source length of -1 takes
// the text up to and including its NUL; a destination size of 0 asks for the
// size needed; failures return 0 and set the last error (122 for a short
// buffer). Characters without a mapping become the default character ('?')
// going to narrow text and U+FFFD going to UTF-16, as Windows does without
// MB_ERR_INVALID_CHARS.
#ifndef NODEXA_PLATFORM_POSIX_CODE_PAGE_H_
#define NODEXA_PLATFORM_POSIX_CODE_PAGE_H_

#include "posix_types.h"

constexpr UINT CP_ACP = 0;
constexpr UINT CP_UTF8 = 65001;

// The ANSI code page of the stand-in machine: 1252 unless configured.
UINT GetACP();

int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR source, int sourceLength,
                        LPWSTR destination, int destinationSize);
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR source, int sourceLength,
                        LPSTR destination, int destinationSize, LPCSTR defaultChar,
                        LPBOOL usedDefaultChar);

// Compares two texts of the ANSI code page ignoring case, as Windows does:
// letters of the code page fold to one case however far from A to Z they
// lie ("équipe" and "ÉQUIPE" are equal in 1252). The order of unequal
// texts is that of their folded UTF-16 units, not Windows' collation.
int lstrcmpiA(LPCSTR first, LPCSTR second);

namespace nodexa::platform {
// Sets the stand-in machine's ANSI code page (0 restores the default, 1252).
void SetAnsiCodePage(UINT codePage);
}  // namespace nodexa::platform

#endif  // NODEXA_PLATFORM_POSIX_CODE_PAGE_H_
