#include "text_validation.h"

#include <algorithm>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "frame/debug_log.h"
#include "frame/module_loading.h"
#include "frame/platform_handles.h"
#include "frame/string_tokenizer.h"
#include "frame/wide_text.h"
#include "support/registry.h"

namespace nodexa {

namespace {

constexpr char kTag[] = "ValidateUnicodeString:";
// 1024 bytes of answer: 512 UTF-16 units, the last kept for the terminator.
constexpr int32_t kAnswerUnits = 512;

template <typename Fn>
Fn Bound(HMODULE module, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// The validator's second virtual operation, called the way the component's
// compiler lays out a C++ object: a table of functions at its start.
ValidateFn ValidateOperation(void* validator) {
  void** table = *static_cast<void***>(validator);
  return reinterpret_cast<ValidateFn>(table[1]);
}

}  // namespace

int32_t ValidateText(const char* values) {
  const std::vector<std::string> list = Tokenize(values != nullptr ? values : "", '|');
  if (list.size() != 4) {
    NodexaLog(kTag) << "Invalid Parameter passed" << std::endl;
    return 0;
  }
  UniqueModule module(LoadNamedModule(list[0]));
  if (!module) {
    NodexaLog(kTag) << "Error loading DLL " << list[0] << std::endl;
    return 0;
  }
  const auto create = Bound<CreateValidatorFn>(module.get(), "CreateCGrdDlgInstance");
  const auto destroy = Bound<DestroyValidatorFn>(module.get(), "DestroyCGrdDlgInstance");
  if (create == nullptr || destroy == nullptr) {
    NodexaLog(kTag) << "Error loading function CGrdDlgCreate or CGrdDlgDestroy from Grd.dll"
                    << list[0] << std::endl;
    return 0;
  }

  const WideString text = ToWide(list[1]);
  const WideString second = ToWide(list[2]);
  // 512 units at least; room for the whole text and its terminator, for a
  // component that takes the text's length as the buffer's capacity.
  const size_t units = std::max(static_cast<size_t>(kAnswerUnits), text.size() + 1);
  std::vector<WCHAR> answer(units, WCHAR(0));
  auto length = static_cast<int32_t>(text.size());
  // Destroyed before the module goes, on every path.
  const std::unique_ptr<void, DestroyValidatorFn> validator(create(), destroy);
  if (!validator) return 0;
  const int32_t accepted = ValidateOperation(validator.get())(
      validator.get(), second.c_str(), text.c_str(), answer.data(), &length, 1);
  // A length the buffer cannot hold is cut to what it can.
  const size_t end = length < 0 ? 0 : std::min(static_cast<size_t>(length), units - 1);
  answer[end] = 0;
  if (accepted == 0) {
    NodexaLog(kTag) << "Error Validating Unicode String." << std::endl;
    return 0;
  }
  RegistryValue value;
  value.type = Reg_String;
  value.stringValue = ToNarrow(WideString(answer.data()));
  Registry().WriteValue("HKLM", list[3], "ValidateUnicodeString", value);
  return 1;
}

}  // namespace nodexa
