#include "../open_file.h"

#include "posix_paths.h"

namespace nodexa::platform {

std::FILE* OpenFile(const char* path, const char* mode) {
  if (path == nullptr || mode == nullptr) return nullptr;
  return std::fopen(ToPosixPath(path).c_str(), mode);
}

}  // namespace nodexa::platform
