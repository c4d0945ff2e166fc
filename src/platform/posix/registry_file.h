// The machine folder's "registry.reg" as a file: read whole, and replaced
// whole by writers that take turns.
//
// Readers take no lock: a writer replaces the file by renaming a finished
// copy over it, so a reader sees the old text or the new one. Writers, in
// this process or any other, serialise on "registry.reg.lock" beside it and
// hold that lock from reading the file to replacing it, so no change is
// built on a text another writer has since replaced.
#ifndef NODEXA_PLATFORM_POSIX_REGISTRY_FILE_H_
#define NODEXA_PLATFORM_POSIX_REGISTRY_FILE_H_

#include <string>

#include "posix_types.h"
#include "unique_fd.h"

namespace nodexa::platform {

// The file's text; "" without a machine folder or without the file.
std::string ReadRegistryFile();

// The writers' lock, taken (waiting for any other writer) on construction
// and released on destruction.
class RegistryWriteLock {
 public:
  RegistryWriteLock();

  // ERROR_SUCCESS while held; ERROR_ACCESS_DENIED without a machine folder
  // or when the lock file may not be made there; ERROR_REGISTRY_IO_FAILED
  // when locking failed otherwise.
  DWORD Status() const { return status; }
  // The registry file the lock guards; "" without a machine folder.
  const std::string& File() const { return registryFile; }

 private:
  std::string registryFile;
  UniqueFd lockFile;
  DWORD status;
};

// Replaces the file with `text` in one step under `lock`, keeping the file's
// permission bits. ERROR_SUCCESS; the lock's failure; ERROR_ACCESS_DENIED for
// a file nobody may write (the stand-in's read-only attribute, which binds
// every user, as it does on Windows) or this process may not; else
// ERROR_REGISTRY_IO_FAILED. On failure the file is left as it was.
DWORD ReplaceRegistryFile(const RegistryWriteLock& lock, const std::string& text);

}  // namespace nodexa::platform

#endif  // NODEXA_PLATFORM_POSIX_REGISTRY_FILE_H_
