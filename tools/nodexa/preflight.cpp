#include "preflight.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

namespace nodexa::cli {

namespace {

namespace fs = std::filesystem;

char Fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

// `name` against a pattern whose one '*' stands for any text.
bool Matches(const std::string& name, const std::string& pattern) {
  const size_t star = pattern.find('*');
  const std::string head = pattern.substr(0, star);
  const std::string tail = star == std::string::npos ? std::string() : pattern.substr(star + 1);
  if (star == std::string::npos ? name.size() != head.size()
                                : name.size() < head.size() + tail.size()) {
    return false;
  }
  const auto same = [](const std::string& part, const std::string& text, size_t at) {
    for (size_t i = 0; i < part.size(); ++i) {
      if (Fold(part[i]) != Fold(text[at + i])) return false;
    }
    return true;
  };
  return same(head, name, 0) && same(tail, name, name.size() - tail.size());
}

// `relative` ('/'-separated, the last part may hold a '*') below `root`.
bool Holds(const fs::path& root, const std::string& relative) {
  fs::path folder = root;
  size_t start = 0;
  for (;;) {
    const size_t slash = relative.find('/', start);
    const std::string part = relative.substr(start, slash - start);
    std::error_code error;
    fs::path found;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
      if (Matches(entry->path().filename().u8string(), part)) {
        found = entry->path();
        break;
      }
    }
    if (found.empty()) return false;
    if (slash == std::string::npos) return fs::is_regular_file(found, error);
    folder = found;
    start = slash + 1;
  }
}

}  // namespace

std::string LogFileProblem(const std::string& path) {
  if (path.empty()) return "the file name is empty";
  std::error_code error;
  if (fs::is_directory(path, error)) return "'" + path + "' is a folder";
  std::FILE* file = std::fopen(path.c_str(), "a");
  if (file == nullptr) {
    return "'" + path + "' cannot be opened for appending: " + std::strerror(errno);
  }
  std::fclose(file);
  return std::string();
}

std::string MediumProblem(const std::string& root) {
  // What every export that uses the medium needs: the two companion
  // modules and the product's INI file.
  static const char* const kNeeded[] = {"Common/x64/*hcp.dll", "Common/x64/*inst.dll",
                                        "Install/Config/product.ini"};
  std::string missing;
  for (const char* needed : kNeeded) {
    if (Holds(root, needed)) continue;
    missing += (missing.empty() ? "no " : ", no ") + std::string(needed);
  }
  return missing;
}

}  // namespace nodexa::cli
