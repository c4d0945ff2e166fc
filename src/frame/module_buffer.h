// The buffer convention of companion-module functions that return text:
// call(buffer, size, &needed) answers 0 when the buffer holds the text and
// 122 when it is too small, with `needed` set to the size it wants.
//
// Probe first: ask with size 0; 122 means there is text of `needed` bytes.
// Fixed first try: offer a buffer of a known size; on 122 offer `needed`.
// Either way the second buffer has needed + 1 zeroed bytes, so the text is
// terminated whatever the module writes, and nothing past `needed` is read.
#ifndef NODEXA_FRAME_MODULE_BUFFER_H_
#define NODEXA_FRAME_MODULE_BUFFER_H_

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace nodexa {

inline constexpr uint32_t kInsufficientBuffer = 122;

// A module asking for more than this is not believed: its answer counts as
// absent (probe) or as failed with 122 (fixed first try).
inline constexpr uint32_t kLargestModuleAnswer = 256u << 20;

struct ModuleAnswer {
  uint32_t status = 0;
  // Which call the status belongs to: 1 for the first, 2 for the second
  // (also when a second call was due but its size was not believed).
  int call = 1;
  // The buffer's first `needed` bytes as the module left them (NULs kept).
  std::string bytes;
  // `bytes` up to its first NUL.
  std::string Text() const { return std::string(bytes.c_str()); }
};

// Probe first. Empty unless the probe answered 122 with a believable size;
// the filling call's status is returned but not judged.
template <typename Call>
std::optional<ModuleAnswer> ProbeFirst(Call&& call) {
  char empty[1] = {'\0'};
  uint32_t needed = 0;
  if (call(empty, 0u, &needed) != kInsufficientBuffer || needed > kLargestModuleAnswer) {
    return std::nullopt;
  }
  const uint32_t size = needed;
  // Filled in place: a discovery list can run to many megabytes.
  ModuleAnswer answer;
  answer.bytes.assign(size_t{size} + 1, '\0');
  answer.status = call(answer.bytes.data(), size, &needed);
  answer.call = 2;
  answer.bytes.resize(size);
  return answer;
}

// Fixed first try with a buffer of `firstSize` bytes.
template <typename Call>
ModuleAnswer FixedFirstTry(uint32_t firstSize, Call&& call) {
  std::vector<char> buffer(size_t{firstSize} + 1, '\0');
  uint32_t needed = 0;
  ModuleAnswer answer;
  answer.status = call(buffer.data(), firstSize, &needed);
  uint32_t size = firstSize;
  if (answer.status == kInsufficientBuffer) {
    answer.call = 2;
    if (needed > kLargestModuleAnswer) return answer;
    size = needed;
    buffer.assign(size_t{size} + 1, '\0');
    answer.status = call(buffer.data(), size, &needed);
  }
  answer.bytes.assign(buffer.data(), size);
  return answer;
}

}  // namespace nodexa

#endif  // NODEXA_FRAME_MODULE_BUFFER_H_
