// Stand-in configuration module ("*cfg.dll"): product facts by item and
// sub-item number through one function,
//   int32_t GetConfigData(uint32_t reserved, uint32_t item, uint32_t subItem,
//                         void* buffer, uint32_t* size)
// The caller offers the buffer's size in *size. When the buffer is null or
// *size is smaller than the answer, the module stores the answer's size in
// *size and returns 3; otherwise it copies the answer, stores its size and
// returns the answer's result.
//
// Answers (see standin.h for the file's form), <i> and <s> in decimal:
//   item.<i>.<s>=text    a text answer, handed out with its NUL
//   pad.<i>.<s>=n        n blanks follow that text
//   number.<i>.<s>=n     a 4-byte signed number (decimal, or hex with 0x),
//                        handed out in the machine's byte order
//   result.<i>.<s>=r     what a call with a big enough buffer returns
//                        (default 0); for an item without an answer, what
//                        every call returns (default 1)
// An item with both keys answers with its text. A call without an answer
// touches neither the buffer nor *size; a null size pointer gets 1.
//
// Journal: "GetConfigData" reserved item sub-item "null"|"buffer" and the
// size offered ("(null)" for a null size pointer).
// Building with STANDIN_WITHOUT_GetConfigData leaves the function out.
#include <cstring>
#include <string>

#include "common/standin.h"

#if !defined(STANDIN_WITHOUT_GetConfigData)

namespace {

constexpr int32_t kSizeStored = 3;
constexpr int32_t kNoAnswer = 1;

// The bytes the module hands out for the query; false when it has none.
bool FindAnswer(const standin::Answers& answers, const std::string& query, std::string& bytes) {
  if (answers.Has("item." + query)) {
    std::string text = answers.Text("item." + query);
    text.append(static_cast<uint32_t>(answers.Number("pad." + query)), ' ');
    bytes.assign(text.c_str(), text.size() + 1);
    return true;
  }
  if (answers.Has("number." + query)) {
    const int32_t number = answers.Number("number." + query);
    char raw[sizeof number];
    std::memcpy(raw, &number, sizeof number);
    bytes.assign(raw, sizeof raw);
    return true;
  }
  return false;
}

}  // namespace

STANDIN_EXPORT int32_t GetConfigData(uint32_t reserved, uint32_t item, uint32_t subItem,
                                     void* buffer, uint32_t* size) {
  standin::Journal("GetConfigData", {std::to_string(reserved), std::to_string(item),
                                     std::to_string(subItem), buffer == nullptr ? "null" : "buffer",
                                     size == nullptr ? "(null)" : std::to_string(*size)});
  const standin::Answers answers = standin::Answers::Load();
  const std::string query = std::to_string(item) + "." + std::to_string(subItem);
  std::string bytes;
  if (size == nullptr) return kNoAnswer;
  if (!FindAnswer(answers, query, bytes)) return answers.Number("result." + query, kNoAnswer);
  const auto needed = static_cast<uint32_t>(bytes.size());
  if (buffer == nullptr || *size < needed) {
    *size = needed;
    return kSizeStored;
  }
  std::memcpy(buffer, bytes.data(), bytes.size());
  *size = needed;
  return answers.Number("result." + query);
}
#endif  // !defined(STANDIN_WITHOUT_GetConfigData)
