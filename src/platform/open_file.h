// Opening a C stream on a Windows-style path, offered on both systems: the
// library builds paths with backslashes; POSIX turns them into slashes before
// fopen, Windows hands the path to fopen as it is. The mode is fopen's
// ("rb", "wb", "ab", ...). Returns the stream, which the caller closes with
// fclose, or nullptr when it could not be opened.
#ifndef NODEXA_PLATFORM_OPEN_FILE_H_
#define NODEXA_PLATFORM_OPEN_FILE_H_

#include <cstdio>

namespace nodexa::platform {

std::FILE* OpenFile(const char* path, const char* mode);

}  // namespace nodexa::platform

#endif  // NODEXA_PLATFORM_OPEN_FILE_H_
