#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "posix_file_search.h"
#include "posix_paths.h"

namespace {

char Fold(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// Windows wildcard matching: '*' any run, '?' one character, case ignored.
bool Matches(const char* pattern, const char* name) {
  const char* star = nullptr;
  const char* resume = nullptr;
  while (*name != '\0') {
    if (*pattern == '*') {
      star = pattern++;
      resume = name;
    } else if (*pattern == '?' || (*pattern != '\0' && Fold(*pattern) == Fold(*name))) {
      ++pattern;
      ++name;
    } else if (star != nullptr) {
      pattern = star + 1;
      name = ++resume;
    } else {
      return false;
    }
  }
  while (*pattern == '*') ++pattern;
  return *pattern == '\0';
}

struct Entry {
  std::string name;
  DWORD attributes;
  uint64_t size;
};

struct Search {
  std::vector<Entry> entries;
  size_t next = 0;
};

// Open searches by handle value. Handles are small counters, never pointers.
std::map<intptr_t, Search>& Searches() {
  static std::map<intptr_t, Search> searches;
  return searches;
}

DWORD AttributesOf(const struct stat& info) {
  DWORD attributes = S_ISDIR(info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
  if ((info.st_mode & S_IWUSR) == 0) attributes |= FILE_ATTRIBUTE_READONLY;
  return attributes;
}

// Closed on every path out, also when collecting the entries throws.
struct DirCloser {
  void operator()(DIR* dir) const { closedir(dir); }
};
using DirHandle = std::unique_ptr<DIR, DirCloser>;

void Fill(const Entry& entry, LPWIN32_FIND_DATAA data) {
  std::memset(data, 0, sizeof *data);
  data->dwFileAttributes = entry.attributes;
  data->nFileSizeHigh = static_cast<DWORD>(entry.size >> 32);
  data->nFileSizeLow = static_cast<DWORD>(entry.size & 0xFFFFFFFFu);
  std::strncpy(data->cFileName, entry.name.c_str(), MAX_PATH - 1);
}

}  // namespace

HANDLE FindFirstFileA(LPCSTR pattern, LPWIN32_FIND_DATAA data) {
  if (pattern == nullptr || data == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  const std::string path = nodexa::platform::ToPosixPath(pattern);
  const size_t slash = path.rfind('/');
  const std::string directory = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  const std::string namePattern = slash == std::string::npos ? path : path.substr(slash + 1);

  const DirHandle dir(opendir(directory.c_str()));
  if (!dir) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  Search search;
  while (const dirent* item = readdir(dir.get())) {
    if (std::strlen(item->d_name) >= MAX_PATH || !Matches(namePattern.c_str(), item->d_name)) {
      continue;
    }
    struct stat info {};
    if (stat((directory + item->d_name).c_str(), &info) != 0) continue;
    search.entries.push_back(
        {item->d_name, AttributesOf(info), static_cast<uint64_t>(info.st_size)});
  }
  if (search.entries.empty()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  std::sort(search.entries.begin(), search.entries.end(), [](const Entry& a, const Entry& b) {
    return std::lexicographical_compare(a.name.begin(), a.name.end(), b.name.begin(), b.name.end(),
                                        [](char x, char y) { return Fold(x) < Fold(y); });
  });
  Fill(search.entries[0], data);
  search.next = 1;
  static intptr_t lastHandle = 0;
  const intptr_t id = ++lastHandle;
  Searches().emplace(id, std::move(search));
  return reinterpret_cast<HANDLE>(id);
}

BOOL FindNextFileA(HANDLE handle, LPWIN32_FIND_DATAA data) {
  auto found = Searches().find(reinterpret_cast<intptr_t>(handle));
  if (found == Searches().end() || data == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  Search& search = found->second;
  if (search.next >= search.entries.size()) {
    SetLastError(ERROR_NO_MORE_FILES);
    return FALSE;
  }
  Fill(search.entries[search.next++], data);
  return TRUE;
}

BOOL FindClose(HANDLE handle) {
  return Searches().erase(reinterpret_cast<intptr_t>(handle)) == 1 ? TRUE : FALSE;
}

DWORD GetFileAttributesA(LPCSTR path) {
  struct stat info {};
  if (path == nullptr || stat(nodexa::platform::ToPosixPath(path).c_str(), &info) != 0) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_FILE_ATTRIBUTES;
  }
  return AttributesOf(info);
}
