// The POSIX registry's file form: any text reads into a store without a
// crash, and what the store writes reads back, line for line, to the same
// text again.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "platform/posix/regedit_text.h"

using nodexa::fuzz::Check;
using nodexa::platform::ReadRegeditText;
using nodexa::platform::RegistryStore;
using nodexa::platform::WriteRegeditText;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = nodexa::fuzz::Text(data, size);

  RegistryStore store;
  ReadRegeditText(text, store);
  const std::string written = WriteRegeditText(store);

  RegistryStore again;
  Check(ReadRegeditText(written, again) == 0, "every written line reads back");
  Check(WriteRegeditText(again) == written, "written text reads back to the same store");
  return 0;
}
