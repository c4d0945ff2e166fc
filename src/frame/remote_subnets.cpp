#include "remote_subnets.h"

namespace nodexa {

std::string RemoteSubnetsElement(std::vector<std::string>::const_iterator first,
                                 std::vector<std::string>::const_iterator last) {
  if (first == last) return std::string();
  std::string text = "<RemoteSubnets>";
  for (auto entry = first; entry != last; ++entry) {
    text += *entry;
    if (entry->find(':') == std::string::npos) text += ":255.255.255.0";
    text += ';';
  }
  return text + "</RemoteSubnets>";
}

}  // namespace nodexa
