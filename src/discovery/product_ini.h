// Where the port searches find the product's settings: "product.ini" in
// Install\Config below the setup medium's root.
#ifndef NODEXA_DISCOVERY_PRODUCT_INI_H_
#define NODEXA_DISCOVERY_PRODUCT_INI_H_

#include <string>

namespace nodexa {

// The full path of product.ini on the running setup medium. The file need
// not exist; readers treat a missing file as empty settings.
std::string ProductIniPath();

}  // namespace nodexa

#endif  // NODEXA_DISCOVERY_PRODUCT_INI_H_
