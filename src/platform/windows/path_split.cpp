#include "../path_split.h"

#include <stdlib.h>

#include <vector>

namespace nodexa::platform {

SplitPathParts SplitPath(const std::string& path) {
  // Every part fits in a buffer of the whole path's size, so _splitpath_s
  // never fails for length.
  const size_t size = path.size() + 1;
  std::vector<char> drive(size < 3 ? 3 : size), dir(size), name(size), ext(size);
  SplitPathParts parts;
  if (_splitpath_s(path.c_str(), drive.data(), drive.size(), dir.data(), dir.size(), name.data(),
                   name.size(), ext.data(), ext.size()) != 0) {
    return parts;
  }
  parts.drive = drive.data();
  parts.directory = dir.data();
  parts.baseName = name.data();
  parts.extension = ext.data();
  return parts;
}

bool IsAbsolutePath(const std::string& path) {
  const auto separator = [](char c) { return c == '\\' || c == '/'; };
  if (path.size() >= 2 && separator(path[0]) && separator(path[1])) return path.size() > 2;
  const bool drive = path.size() >= 2 && path[1] == ':' &&
                     ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
  return drive && (path.size() == 2 || separator(path[2]));
}

}  // namespace nodexa::platform
