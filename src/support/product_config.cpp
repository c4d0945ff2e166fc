#include "product_config.h"

#include <cstring>
#include <ostream>

#include "frame/debug_log.h"
#include "frame/module_buffer.h"
#include "frame/module_loading.h"
#include "frame/module_location.h"
#include "frame/string_toolkit.h"
#include "ini_file.h"
#include "platform/win32_api.h"
#include "resolver.h"

namespace nodexa {

namespace {

constexpr int32_t kSizeStored = 3;

// The process-wide binding; every load overwrites it and nothing frees it.
struct ConfigBinding {
  HMODULE module = nullptr;
  GetConfigDataFn getConfigData = nullptr;
};

ConfigBinding& Binding() {
  static ConfigBinding binding;
  return binding;
}

// The configuration module's path, or "" when none is there.
std::string FindConfigModule() {
  std::string fileName;
  const std::string candidate = FindInModuleFolder("*cfg.dll", fileName);
  if (candidate.empty() || GetFileAttributesA(candidate.c_str()) == INVALID_FILE_ATTRIBUTES) {
    return std::string();
  }
  return candidate;
}

struct ProductItem {
  const char* name;
  uint32_t item;
  bool triple;  // three numbers joined with commas, else one text
};

const ProductItem kProductItems[] = {
    {"MODEL", 10000, false},     {"MANUFACTURER", 10001, false}, {"REGISTRY_PATH", 10002, false},
    {"DISK_SPACE", 10009, true}, {"SYSTEM_RAM", 10010, true},    {"PROCESSOR_SPEED", 10011, true},
    {"PID", 10101, false},       {"VID", 10102, false},          {"DEVICE_ID", 10104, false},
};

std::string TextItem(uint32_t item) {
  std::string value;
  return CProduct::getConfigData(item, 1, value, true) == 0 ? value : std::string();
}

std::string NumberTriple(uint32_t item) {
  std::string parts[3];
  for (uint32_t sub = 1; sub <= 3; ++sub) {
    std::string value;
    if (CProduct::getConfigData(item, sub, value, false) == 0) parts[sub - 1] = value;
  }
  return parts[0] + "," + parts[1] + "," + parts[2];
}

// The values of `section` in key order.
void AppendValues(const IniSection& section, std::vector<std::string>& values) {
  for (const std::string& key : section.Keys()) {
    std::string value;
    if (section.GetValue(key, value)) values.push_back(value);
  }
}

}  // namespace

bool LoadConfigModule() {
  const std::string candidate = FindConfigModule();
  if (candidate.empty()) {
    GetDebugLog() << "Could not locate config dll" << std::endl;
    return false;
  }
  ConfigBinding& binding = Binding();
  binding.module = LoadModuleFile(candidate);
  if (binding.module == nullptr) {
    GetDebugLog() << "CPDConfig: LoadLibrary(%s) failed" << candidate << std::endl;
    return false;
  }
  const FARPROC proc = GetProcAddress(binding.module, "GetConfigData");
  binding.getConfigData = reinterpret_cast<GetConfigDataFn>(reinterpret_cast<void (*)()>(proc));
  if (binding.getConfigData == nullptr) {
    GetDebugLog() << "CPDConfig: GetProcAddress() Error loading function" << std::endl;
    return false;
  }
  return true;
}

int32_t CProduct::getConfigData(uint32_t item, uint32_t subItem, std::string& value, bool asText) {
  const GetConfigDataFn getConfigData = Binding().getConfigData;
  if (getConfigData == nullptr) return 1;
  uint32_t size = 0;
  std::vector<char> buffer;
  const bool sized = getConfigData(0, item, subItem, nullptr, &size) == kSizeStored;
  if (sized) {
    value.clear();
    // Room for a terminator and for a number however short the answer; a
    // module asking for more than any answer could need is not believed.
    if (size <= kLargestModuleAnswer) buffer.assign(std::max<size_t>(size, 4) + 1, '\0');
  }
  if (sized && buffer.empty()) size = 0;
  const int32_t status =
      getConfigData(0, item, subItem, buffer.empty() ? nullptr : buffer.data(), &size);
  const std::string text = buffer.empty() ? std::string() : std::string(buffer.data());
  if (status != 0) {
    GetDebugLog() << "Failed to retrieve config dll item id for %s" << text
                  << "CProduct::getConfigData() returning %u- EXIT"
                  << "1" << std::endl;
    return 1;
  }
  if (asText) {
    value = text;
  } else if (!buffer.empty()) {
    int32_t number = 0;
    std::memcpy(&number, buffer.data(), sizeof number);
    value = Format("%d", number);
  }
  return 0;
}

std::string GetProductValue(const std::string& name) {
  if (!LoadConfigModule()) return std::string();
  for (const ProductItem& product : kProductItems) {
    if (CompareNoCase(name.c_str(), product.name) == 0) {
      return product.triple ? NumberTriple(product.item) : TextItem(product.item);
    }
  }
  const auto first = static_cast<signed char>(name.c_str()[0]);
  return TextItem(static_cast<uint32_t>(static_cast<int32_t>(first)));
}

void GetManufacturerList(std::vector<std::string>& manufacturers, const IniFile* table) {
  manufacturers.clear();
  const IniSection* section =
      (table != nullptr ? *table : ProductDataTable()).findSection("Manufacturer");
  if (section == nullptr) {
    manufacturers.push_back("Printer");
    return;
  }
  AppendValues(*section, manufacturers);
}

void GetProductModels(std::vector<std::string>& models, const std::string& manufacturer,
                      const IniFile* table) {
  models.clear();
  const IniFile& data = table != nullptr ? *table : ProductDataTable();
  std::vector<std::string> manufacturers;
  GetManufacturerList(manufacturers, &data);
  for (const std::string& entry : manufacturers) {
    if (!manufacturer.empty() && CompareNoCase(manufacturer, entry) != 0) continue;
    if (const IniSection* section = data.findSection(entry)) AppendValues(*section, models);
  }
}

}  // namespace nodexa
