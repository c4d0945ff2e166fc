// IniFile reading any file, narrow or UTF-16, with and without numbered
// keys; then writing it and reading the result back. The first byte chooses
// the form, the rest is the file's content.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "support/ini_file.h"
#include "support/ini_section.h"
#include "support/text_file.h"

using nodexa::IniFile;
using nodexa::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const bool autoNumber = (data[0] & 1u) != 0;
  const bool utf16 = (data[0] & 2u) != 0;
  std::string content = nodexa::fuzz::Text(data + 1, size - 1);
  if (utf16) content.insert(0, "\xFF\xFE");

  const std::string file = (nodexa::fuzz::ScratchFolder() / "read.ini").string();
  const std::string copy = (nodexa::fuzz::ScratchFolder() / "written.ini").string();
  nodexa::fuzz::WriteFile(file, content);

  IniFile ini(file, autoNumber);
  // Content that itself begins with the byte-order mark is UTF-16 too.
  const bool marked = content.compare(0, 2, "\xFF\xFE") == 0;
  Check(ini.Encoding() == (marked ? nodexa::TextFile::Utf16 : nodexa::TextFile::Narrow),
        "the encoding is detected");
  for (const auto& section : ini.Sections()) {
    Check(!section->Name().empty(), "sections have names");
    Check(ini.findSection(section->Name()) != nullptr, "every section is found by name");
    for (const std::string& key : section->Keys()) ini.GetValue(section->Name(), key);
  }
  ini.GetValue("", "");

  if (!ini.Sections().empty()) {
    ini.Write(copy);
    IniFile reread(copy, autoNumber);
    // Conversion to UTF-16 may fail for bytes the code page does not know;
    // a numbered key goes back as a bare line, and a key that begins with
    // '[' goes back without the quotes that kept its line from ending in
    // ']' (values are written as stored): either may then read as a section
    // header. Other plain narrow files keep their sections.
    bool bracketedKey = false;
    for (const auto& section : ini.Sections()) {
      for (const std::string& key : section->Keys()) bracketedKey |= key.rfind('[', 0) == 0;
    }
    if (!marked && !autoNumber && !bracketedKey) {
      Check(reread.Sections().size() == ini.Sections().size(), "written sections read back");
    }
  }
  return 0;
}
