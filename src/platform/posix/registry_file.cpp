#include "registry_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <optional>

#include "posix_machine.h"
#include "posix_registry.h"

namespace nodexa::platform {

namespace {

constexpr char kRegistryFile[] = "registry.reg";
constexpr char kLockSuffix[] = ".lock";
// One name serves every writer, since only the lock holder writes it; a
// copy left by a writer that died is replaced by the next.
constexpr char kCopySuffix[] = ".new";

DWORD RefusedOrFailed(int error) {
  return error == EACCES || error == EPERM || error == EROFS ? ERROR_ACCESS_DENIED
                                                             : ERROR_REGISTRY_IO_FAILED;
}

bool WriteAll(int file, const std::string& text) {
  size_t written = 0;
  while (written < text.size()) {
    const ssize_t count = write(file, text.data() + written, text.size() - written);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return false;
    written += static_cast<size_t>(count);
  }
  return true;
}

}  // namespace

std::string ReadRegistryFile() {
  const std::string file = MachineFile(kRegistryFile);
  if (file.empty()) return "";
  std::ifstream in(file, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

RegistryWriteLock::RegistryWriteLock()
    : registryFile(MachineFile(kRegistryFile)), status(ERROR_ACCESS_DENIED) {
  if (registryFile.empty()) return;
  // flock belongs to the open file description, so it also keeps apart two
  // threads that each open the file, and ends with the descriptor.
  lockFile =
      UniqueFd(open((registryFile + kLockSuffix).c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0666));
  if (!lockFile) {
    status = RefusedOrFailed(errno);
    return;
  }
  int result = 0;
  do {
    result = flock(lockFile.get(), LOCK_EX);
  } while (result != 0 && errno == EINTR);
  status = result == 0 ? ERROR_SUCCESS : ERROR_REGISTRY_IO_FAILED;
}

DWORD ReplaceRegistryFile(const RegistryWriteLock& lock, const std::string& text) {
  if (lock.Status() != ERROR_SUCCESS) return lock.Status();
  const std::string& path = lock.File();
  std::optional<mode_t> mode;
  struct stat info {};
  if (stat(path.c_str(), &info) == 0) {
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
        faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) {
      return ERROR_ACCESS_DENIED;
    }
    mode = info.st_mode & 07777;
  } else if (errno != ENOENT) {
    return RefusedOrFailed(errno);
  }
  const std::string copy = path + kCopySuffix;
  unlink(copy.c_str());
  const UniqueFd out(open(copy.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
  if (!out) return RefusedOrFailed(errno);
  // The mode is set before any text goes in, so the copy never shows the
  // registry to more users than the file did.
  const bool replaced = (!mode || fchmod(out.get(), *mode) == 0) && WriteAll(out.get(), text) &&
                        fsync(out.get()) == 0 && rename(copy.c_str(), path.c_str()) == 0;
  if (!replaced) {
    unlink(copy.c_str());
    return ERROR_REGISTRY_IO_FAILED;
  }
  return ERROR_SUCCESS;
}

}  // namespace nodexa::platform
