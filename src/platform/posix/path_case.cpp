#include "path_case.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <memory>

namespace nodexa::platform {

namespace {

using UniqueDirectory = std::unique_ptr<DIR, int (*)(DIR*)>;

bool Exists(const std::string& path) {
  struct stat info {};
  return lstat(path.c_str(), &info) == 0;
}

// The entry of `folder` spelled like `name` in any case, or "".
std::string FindEntry(const std::string& folder, const std::string& name) {
  UniqueDirectory directory(opendir(folder.empty() ? "/" : folder.c_str()), closedir);
  if (!directory) return std::string();
  while (const dirent* entry = readdir(directory.get())) {
    if (strcasecmp(entry->d_name, name.c_str()) == 0) return entry->d_name;
  }
  return std::string();
}

}  // namespace

std::string ResolvePathCase(const std::string& posixPath) {
  if (posixPath.empty() || Exists(posixPath)) return posixPath;
  std::string resolved;
  size_t start = 0;
  if (posixPath[0] == '/') {
    start = 1;
  } else {
    resolved = ".";
  }
  bool found = true;
  while (start <= posixPath.size()) {
    size_t end = posixPath.find('/', start);
    if (end == std::string::npos) end = posixPath.size();
    std::string component = posixPath.substr(start, end - start);
    if (!component.empty() && component != "." && component != "..") {
      const std::string exact = resolved + "/" + component;
      if (found && !Exists(exact)) {
        const std::string entry = FindEntry(resolved, component);
        if (entry.empty()) {
          found = false;
        } else {
          component = entry;
        }
      }
    }
    if (!component.empty()) resolved += "/" + component;
    start = end + 1;
  }
  if (posixPath[0] != '/') resolved.erase(0, 2);
  return resolved;
}

}  // namespace nodexa::platform
