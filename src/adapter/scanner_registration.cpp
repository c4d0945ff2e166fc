#include "scanner_registration.h"

#include <optional>
#include <ostream>
#include <vector>

#include "frame/companion_module.h"
#include "frame/debug_log.h"
#include "frame/install_support.h"
#include "frame/module_buffer.h"
#include "frame/string_tokenizer.h"
#include "frame/string_toolkit.h"
#include "frame/tagged_text.h"
#include "frame/wide_text.h"
#include "support/registry.h"

namespace nodexa {

namespace {

constexpr char kGetTag[] = "GetScannerRegisterInfo:";
constexpr char kSetTag[] = "SetScannerRegisterInfo:";
constexpr char kDefaultPin[] = "7391";

bool IsWideCodePage(const std::string& codePage) {
  return codePage == "932" || codePage == "936" || codePage == "949" || codePage == "950";
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 0;
}

void WriteString(const char* keyPath, const char* valueName, const std::string& text) {
  RegistryValue value;
  value.type = Reg_String;
  value.stringValue = text;
  Registry().WriteValue("HKLM", keyPath, valueName, value);
}

}  // namespace

std::string EncodeHostName(const std::string& name, const std::string& codePage) {
  static const char kDigits[] = "0123456789abcdef";
  std::vector<uint8_t> bytes;
  if (IsWideCodePage(codePage)) {
    for (WCHAR unit : ToWide(name)) {
      bytes.push_back(static_cast<uint8_t>(unit & 0xFF));
      bytes.push_back(static_cast<uint8_t>((unit >> 8) & 0xFF));
    }
    bytes.insert(bytes.end(), {0, 0});
  } else {
    bytes.assign(name.begin(), name.end());
    bytes.push_back(0);
  }
  std::string hex;
  hex.reserve(bytes.size() * 2);
  for (uint8_t byte : bytes) {
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 0xF];
  }
  return hex;
}

std::string DecodeHostName(const std::string& hex) {
  std::string name;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) {
    const auto byte = static_cast<char>(HexValue(hex[i]) * 16 + HexValue(hex[i + 1]));
    if (byte != '\0') name += byte;
  }
  return name;
}

int32_t ReadScannerRegistration(const char* keyPath) {
  std::string text;
  {
    CompanionModule module(CompanionModule::InstallSupport, kGetTag);
    if (!module.Bind({"GetScannerHostInfoQcs"})) return 0;
    module.Initialize();
    const auto getHostInfo = module.Function<inst::GetScannerHostInfoFn>(0);
    const std::optional<ModuleAnswer> answer =
        ProbeFirst([&](char* buffer, uint32_t size, uint32_t* needed) {
          return static_cast<uint32_t>(getHostInfo(buffer, size, needed));
        });
    if (!answer) return 0;
    if (answer->status != 0) {
      NodexaLog(kGetTag) << "Function in xxxxinst.dll GetScannerHostInfo failed with error code "
                         << static_cast<int32_t>(answer->status) << std::endl;
      return 0;
    }
    text = answer->Text();
  }
  std::string name, codePage, pin;
  for (const Tag& tag : ReadTags("DiscoveredScannerInfo", text)) {
    if (CompareNoCase(tag.name, "PinNumber") == 0) pin = tag.text;
    if (CompareNoCase(tag.name, "PcName") == 0) name = DecodeHostName(tag.text);
    if (CompareNoCase(tag.name, "CodePage") == 0) codePage = tag.text;
  }
  if (keyPath != nullptr) {
    WriteString(keyPath, "GetScannerRegisterInfo", name + "|" + codePage + "|" + pin);
  }
  return 1;
}

int32_t WriteScannerRegistration(const char* values) {
  CompanionModule module(CompanionModule::InstallSupport, kSetTag);
  if (!module.Bind({"SetScannerHostInfoQcs"})) return 0;
  module.Initialize();
  const std::vector<std::string> list = Tokenize(values != nullptr ? values : "", '|');
  if (list.size() < 4) {
    NodexaLog(kSetTag) << "Invalid Parameter passed" << std::endl;
    return 0;
  }
  const std::string codePage = Trim(list[2]);
  const std::string settings = MakeTag("PORTNAME", list[0]) +
                               MakeTag("PcName", EncodeHostName(list[1], codePage)) +
                               MakeTag("CodePage", codePage) +
                               MakeTag("PinNumber", list.size() == 5 ? list[4] : kDefaultPin);
  const int32_t status = module.Function<inst::SetScannerHostInfoFn>(0)(settings.c_str());
  if (status != 0) {
    WriteString(list[3].c_str(), "SetScannerRegisterInfo", Format("%d", status));
    NodexaLog(kSetTag) << "Function in xxxxhcp.dll SetScannerHostInfo failed with error code "
                       << static_cast<uint32_t>(status) << std::endl;
    return 0;
  }
  return 1;
}

}  // namespace nodexa
