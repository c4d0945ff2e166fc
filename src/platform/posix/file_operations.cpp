#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <string>
#include <vector>

#include "machine_facts.h"
#include "path_case.h"
#include "posix_file_operations.h"
#include "posix_paths.h"
#include "posix_registry.h"

namespace {

constexpr char kSessionManagerKey[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
constexpr char kPendingValue[] = "PendingFileRenameOperations";

std::string HostPath(LPCSTR path) {
  return nodexa::platform::ResolvePathCase(nodexa::platform::ToPosixPath(path));
}

// Windows' code for what the host said: a missing folder on the way is 3.
DWORD ErrorOf(int error, const std::string& path) {
  if (error == ENOENT || error == ENOTDIR) {
    const size_t slash = path.rfind('/');
    struct stat info {};
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    return stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) ? ERROR_FILE_NOT_FOUND
                                                                     : ERROR_PATH_NOT_FOUND;
  }
  return ERROR_ACCESS_DENIED;
}

BOOL Fail(DWORD code) {
  SetLastError(code);
  return FALSE;
}

std::optional<DWORD> InjectedFault(const char* fact) {
  const std::optional<uint64_t> code = nodexa::platform::NumericFact(fact);
  if (!code || *code == 0 || *code > 0xFFFFFFFFu) return std::nullopt;
  return static_cast<DWORD>(*code);
}

// Appends the pair for `path` to the pending operations Windows carries out
// at the next start.
BOOL RecordRemovalAtRestart(LPCSTR path) {
  HKEY key = nullptr;
  LONG status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManagerKey, 0,
                              KEY_QUERY_VALUE | KEY_SET_VALUE, &key);
  if (status != static_cast<LONG>(ERROR_SUCCESS)) return Fail(static_cast<DWORD>(status));
  std::vector<BYTE> list;
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(key, kPendingValue, nullptr, &type, nullptr, &size) ==
          static_cast<LONG>(ERROR_SUCCESS) &&
      type == REG_MULTI_SZ && size > 0) {
    list.resize(size);
    if (RegQueryValueExA(key, kPendingValue, nullptr, &type, list.data(), &size) !=
        static_cast<LONG>(ERROR_SUCCESS)) {
      list.clear();
    }
    list.resize(size);
  }
  // Drop the list's closing NUL; the new pair brings its own.
  if (list.size() >= 2 && list[list.size() - 1] == 0 && list[list.size() - 2] == 0) list.pop_back();
  if (list.size() == 1 && list[0] == 0) list.clear();
  const std::string entry = std::string("\\??\\") + path;
  list.insert(list.end(), entry.begin(), entry.end());
  for (int i = 0; i < 3; ++i) list.push_back(0);
  status = RegSetValueExA(key, kPendingValue, 0, REG_MULTI_SZ, list.data(),
                          static_cast<DWORD>(list.size()));
  RegCloseKey(key);
  if (status != static_cast<LONG>(ERROR_SUCCESS)) return Fail(static_cast<DWORD>(status));
  return TRUE;
}

}  // namespace

BOOL SetFileAttributesA(LPCSTR path, DWORD attributes) {
  if (path == nullptr) return Fail(ERROR_INVALID_PARAMETER);
  const std::string file = HostPath(path);
  struct stat info {};
  if (stat(file.c_str(), &info) != 0) return Fail(ErrorOf(errno, file));
  mode_t mode = info.st_mode & 07777;
  if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    mode &= static_cast<mode_t>(~(S_IWUSR | S_IWGRP | S_IWOTH));
  } else {
    mode |= S_IWUSR;
  }
  if (chmod(file.c_str(), mode) != 0) return Fail(ErrorOf(errno, file));
  return TRUE;
}

BOOL DeleteFileA(LPCSTR path) {
  if (path == nullptr) return Fail(ERROR_INVALID_PARAMETER);
  if (const std::optional<DWORD> fault = InjectedFault("FailDeleteFileA")) return Fail(*fault);
  const std::string file = HostPath(path);
  struct stat info {};
  if (lstat(file.c_str(), &info) != 0) return Fail(ErrorOf(errno, file));
  if (S_ISDIR(info.st_mode)) return Fail(ERROR_ACCESS_DENIED);
  if (unlink(file.c_str()) != 0) return Fail(ErrorOf(errno, file));
  return TRUE;
}

BOOL MoveFileExA(LPCSTR existing, LPCSTR destination, DWORD flags) {
  if (existing == nullptr || destination != nullptr || (flags & MOVEFILE_DELAY_UNTIL_REBOOT) == 0) {
    return Fail(ERROR_INVALID_PARAMETER);
  }
  const std::string source = HostPath(existing);
  struct stat info {};
  if (lstat(source.c_str(), &info) != 0) return Fail(ErrorOf(errno, source));
  return RecordRemovalAtRestart(existing);
}
