// Helpers shared by the fuzz targets: the input as text, cut into parts, and
// a check that stops the run (as a crash libFuzzer reports) when a property
// the code promises does not hold.
//
// Inputs with several parts separate them by a line holding only "--", so
// seed files stay readable: "part one\n--\npart two".
#ifndef NODEXA_FUZZ_FUZZ_INPUT_H_
#define NODEXA_FUZZ_FUZZ_INPUT_H_

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace nodexa::fuzz {

inline std::string Text(const uint8_t* data, size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

// The parts of `text`; the last one takes the rest, so there are at most
// `maxParts` (and always at least one, maybe empty).
inline std::vector<std::string> Parts(const std::string& text, size_t maxParts) {
  static const std::string kSeparator = "\n--\n";
  std::vector<std::string> parts;
  size_t start = 0;
  while (parts.size() + 1 < maxParts) {
    const size_t found = text.find(kSeparator, start);
    if (found == std::string::npos) break;
    parts.push_back(text.substr(start, found - start));
    start = found + kSeparator.size();
  }
  parts.push_back(text.substr(start));
  return parts;
}

// "NAME=text" lines of `part` as pairs; lines without '=' are skipped.
inline std::vector<std::pair<std::string, std::string>> Assignments(const std::string& part) {
  std::vector<std::pair<std::string, std::string>> pairs;
  size_t start = 0;
  while (start <= part.size()) {
    size_t end = part.find('\n', start);
    if (end == std::string::npos) end = part.size();
    const std::string line = part.substr(start, end - start);
    const size_t equals = line.find('=');
    if (equals != std::string::npos) {
      pairs.emplace_back(line.substr(0, equals), line.substr(equals + 1));
    }
    start = end + 1;
  }
  return pairs;
}

// A folder of this process's own for files a target reads back, removed at
// exit.
inline const std::filesystem::path& ScratchFolder() {
  static const std::filesystem::path folder = [] {
    const char* base = std::getenv("TMPDIR");
    std::string pattern =
        std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/nodexa-fuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(ScratchFolder(), ignored);
    });
    return std::filesystem::path(pattern);
  }();
  return folder;
}

inline void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// A broken promise is a finding: report it and abort, which libFuzzer
// records as a crash with the input that caused it.
inline void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "property violated: %s\n", what);
  std::abort();
}

}  // namespace nodexa::fuzz

#endif  // NODEXA_FUZZ_FUZZ_INPUT_H_
