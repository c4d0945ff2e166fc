#include <algorithm>

#include "posix_paths.h"

namespace nodexa::platform {

std::string ToPosixPath(const char* windowsPath) {
  std::string path = windowsPath != nullptr ? windowsPath : "";
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

std::string ToWindowsPath(const std::string& posixPath) {
  std::string path = posixPath;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

}  // namespace nodexa::platform
