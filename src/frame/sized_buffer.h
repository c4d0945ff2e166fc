// The platform's "ask for the size, then call again" pattern, once.
//
// `call(buffer, size, &needed)` is made first with no buffer and size 0;
// its result is not judged (it fails for a short buffer by design). Then a
// buffer of `needed` bytes is allocated and the call is made again; its
// result decides. Each API gets a small lambda adapter at its call site that
// knows its own quirks.
#ifndef NODEXA_FRAME_SIZED_BUFFER_H_
#define NODEXA_FRAME_SIZED_BUFFER_H_

#include <cstdint>
#include <new>
#include <optional>
#include <vector>

namespace nodexa {

// The filled buffer, or nothing when the second call fails or the buffer
// cannot be had.
template <typename Call>
std::optional<std::vector<uint8_t>> CallWithSizedBuffer(Call&& call) {
  uint32_t needed = 0;
  call(static_cast<uint8_t*>(nullptr), uint32_t{0}, &needed);
  std::vector<uint8_t> buffer;
  try {
    // One spare byte so the pointer is never null, even for an empty answer.
    buffer.assign(size_t{needed} + 1, 0);
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
  if (!call(buffer.data(), needed, &needed)) return std::nullopt;
  return buffer;
}

}  // namespace nodexa

#endif  // NODEXA_FRAME_SIZED_BUFFER_H_
