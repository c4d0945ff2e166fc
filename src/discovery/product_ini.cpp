#include "product_ini.h"

#include "support/system_path.h"

namespace nodexa {

std::string ProductIniPath() {
  SystemPath path(0);
  path.AppendDirectory("Install");
  path.AppendDirectory("Config");
  path.SetFileName("product.ini");
  return path.FullPath();
}

}  // namespace nodexa
