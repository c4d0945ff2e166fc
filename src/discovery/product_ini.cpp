#include "product_ini.h"

#include "support/system_path.h"

namespace nodexa {

std::string ProductIniPath() {
  SystemPath path(0);
  if (path.GetDirectory().empty()) return std::string();
  path.AppendDirectory("Install");
  path.AppendDirectory("Config");
  path.SetFileName("product.ini");
  return path.FullPath();
}

}  // namespace nodexa
