#include "../open_file.h"

namespace nodexa::platform {

std::FILE* OpenFile(const char* path, const char* mode) {
  if (path == nullptr || mode == nullptr) return nullptr;
  // The runtime's fopen takes narrow paths in the ANSI code page, as the
  // library holds them.
  return std::fopen(path, mode);
}

}  // namespace nodexa::platform
