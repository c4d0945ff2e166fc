// Paths crossing the seam: the library holds Windows-style paths with
// backslashes; POSIX calls get slashes.
#ifndef NODEXA_PLATFORM_POSIX_PATHS_H_
#define NODEXA_PLATFORM_POSIX_PATHS_H_

#include <string>

namespace nodexa::platform {

std::string ToPosixPath(const char* windowsPath);
std::string ToWindowsPath(const std::string& posixPath);

}  // namespace nodexa::platform

#endif  // NODEXA_PLATFORM_POSIX_PATHS_H_
