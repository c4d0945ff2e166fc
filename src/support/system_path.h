// A well-known directory of the running system by path code, as a
// PathObject: the setup medium's root (0, 28), Windows, system, font, INF
// and driver-cache folders, printer-driver and print-processor folders,
// shell folders, the current, temporary and program folders. Only code 4
// has a file name (the driver cabinet).
//
// Each object reads the system afresh through its own Registry and OSInfo.
// Construction never fails: a missing registry value or a failing platform
// call leaves the directory empty, and a code outside 0 to 28 leaves the
// whole path empty after logging "SystemPath::ctor: invalid path code N".
#ifndef NODEXA_SUPPORT_SYSTEM_PATH_H_
#define NODEXA_SUPPORT_SYSTEM_PATH_H_

#include <cstdint>

#include "frame/path_object.h"

namespace nodexa {

class OSInfo;
class Registry;

class SystemPath : public PathObject {
 public:
  // `allUsers` chooses the all-users shell folders for codes 3 (desktop)
  // and 18 (programs); other codes ignore it.
  explicit SystemPath(int32_t code, bool allUsers = false);

 private:
  // Sets the directory of `code`, keeping the file name.
  void setDirectoryOf(int32_t code, bool allUsers, Registry& registry, const OSInfo& os);
  void setDriverCabinet(Registry& registry, const OSInfo& os);
};

}  // namespace nodexa

#endif  // NODEXA_SUPPORT_SYSTEM_PATH_H_
