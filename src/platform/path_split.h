// The platform's path splitter (the C runtime's _splitpath), offered on both
// systems: drive ("C:"), directory (up to and including the last '\' or '/'),
// base name and extension (from the last '.'). Windows uses the runtime's own;
// POSIX has an implementation that behaves the same.
#ifndef NODEXA_PLATFORM_PATH_SPLIT_H_
#define NODEXA_PLATFORM_PATH_SPLIT_H_

#include <string>

namespace nodexa::platform {

struct SplitPathParts {
  std::string drive;
  std::string directory;
  std::string baseName;
  std::string extension;
};

SplitPathParts SplitPath(const std::string& path);

// Whether `path` names one place whatever the current drive and folder:
// Windows: a drive with its root ("C:\..."; "C:" alone, as PathObject holds
// a drive's root) or a UNC path ("\\server\..."); POSIX: a rooted path.
bool IsAbsolutePath(const std::string& path);

}  // namespace nodexa::platform

#endif  // NODEXA_PLATFORM_PATH_SPLIT_H_
