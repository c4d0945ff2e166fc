#include "../path_split.h"

namespace nodexa::platform {

SplitPathParts SplitPath(const std::string& path) {
  SplitPathParts parts;
  size_t pos = 0;
  if (path.size() >= 2 && path[1] == ':') {
    parts.drive = path.substr(0, 2);
    pos = 2;
  }
  const size_t lastSeparator = path.find_last_of("\\/");
  if (lastSeparator != std::string::npos && lastSeparator >= pos) {
    parts.directory = path.substr(pos, lastSeparator + 1 - pos);
    pos = lastSeparator + 1;
  }
  const size_t lastDot = path.rfind('.');
  if (lastDot != std::string::npos && lastDot >= pos) {
    parts.baseName = path.substr(pos, lastDot - pos);
    parts.extension = path.substr(lastDot);
  } else {
    parts.baseName = path.substr(pos);
  }
  return parts;
}

bool IsAbsolutePath(const std::string& path) {
  return !path.empty() && (path[0] == '/' || path[0] == '\\');
}

}  // namespace nodexa::platform
