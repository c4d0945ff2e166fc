// Facts about the product from the maker's configuration module
// ("*cfg.dll" in Common\x64 of the setup medium, function GetConfigData),
// and the product-data lists of manufacturers and models.
//
// The configuration module is located and loaded again on every product
// value asked for and never unloaded; its binding is process-wide.
#ifndef NODEXA_SUPPORT_PRODUCT_CONFIG_H_
#define NODEXA_SUPPORT_PRODUCT_CONFIG_H_

#include <cstdint>
#include <string>
#include <vector>

namespace nodexa {

class IniFile;

// GetConfigData(reserved 0, item, sub-item, buffer, &size): 0 for success;
// 3 when the size needed was stored and the call should be repeated with a
// buffer of that size.
using GetConfigDataFn = int32_t (*)(uint32_t reserved, uint32_t item, uint32_t subItem,
                                    void* buffer, uint32_t* size);

// Locates and binds the configuration module; false (logged) when it is
// missing, does not load or lacks GetConfigData.
bool LoadConfigModule();

class CProduct {
 public:
  // One item of the bound module into `value`: its text (asText) or its
  // first four bytes as a signed decimal number. 0 on success, 1 on failure
  // (logged).
  static int32_t getConfigData(uint32_t item, uint32_t subItem, std::string& value, bool asText);
};

// A product value by name ("MODEL", "MANUFACTURER", "DISK_SPACE", ...);
// "" when the module is unavailable.
std::string GetProductValue(const std::string& name);

// The values of the table's "Manufacturer" section in key order, or the one
// entry "Printer" without such a section. Null means the process-wide
// product-data table.
void GetManufacturerList(std::vector<std::string>& manufacturers, const IniFile* table);
// The values of every manufacturer's section (only `manufacturer`'s when it
// is not empty), in order.
void GetProductModels(std::vector<std::string>& models, const std::string& manufacturer,
                      const IniFile* table);

}  // namespace nodexa

#endif  // NODEXA_SUPPORT_PRODUCT_CONFIG_H_
