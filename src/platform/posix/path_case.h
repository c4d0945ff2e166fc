// Windows file names ignore case; POSIX ones do not. The stand-in finds a
// Windows path's file the way NTFS would: component by component, the exact
// spelling first, else the first entry of that folder whose name equals it
// without regard to the case of A to Z.
#ifndef NODEXA_PLATFORM_POSIX_PATH_CASE_H_
#define NODEXA_PLATFORM_POSIX_PATH_CASE_H_

#include <string>

namespace nodexa::platform {

// `posixPath` with every component that exists in another case spelled as it
// is on disk. Components from the first one that exists in no spelling on
// are kept as given, so the result names what a creation would make.
std::string ResolvePathCase(const std::string& posixPath);

}  // namespace nodexa::platform

#endif  // NODEXA_PLATFORM_POSIX_PATH_CASE_H_
