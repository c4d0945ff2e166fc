// Stand-in newdev.dll for the POSIX machine (see system_standin.h).
//
// UpdateDriverForPlugAndPlayDevicesA journals what it was asked:
//   UpdateDriverForPlugAndPlayDevicesA <parent: 0 or 1> <hardware ID> <INF path> <flags>
// and answers from the machine's facts: FailUpdateDriverForPlugAndPlayDevicesA
// (a non-zero code) fails it with that last error; DriverUpdateNeedsRestart=1
// reports that a restart is needed. No driver is installed.
// Building with STANDIN_WITHOUT_UpdateDriverForPlugAndPlayDevicesA leaves it out.
#include <string>

#include "common/system_standin.h"

#if !defined(STANDIN_WITHOUT_UpdateDriverForPlugAndPlayDevicesA)
STANDIN_EXPORT BOOL UpdateDriverForPlugAndPlayDevicesA(HWND parent, LPCSTR hardwareId,
                                                       LPCSTR fullInfPath, DWORD installFlags,
                                                       PBOOL rebootRequired) {
  standin::Journal("UpdateDriverForPlugAndPlayDevicesA",
                   {parent == nullptr ? "0" : "1", hardwareId ? hardwareId : "(null)",
                    fullInfPath ? fullInfPath : "(null)", std::to_string(installFlags)});
  if (rebootRequired != nullptr) *rebootRequired = FALSE;
  if (hardwareId == nullptr || fullInfPath == nullptr) {
    return standin::Fail(ERROR_INVALID_PARAMETER);
  }
  if (const auto fault = standin::Fault("UpdateDriverForPlugAndPlayDevicesA")) {
    return standin::Fail(*fault);
  }
  if (rebootRequired != nullptr && standin::FactIsOne("DriverUpdateNeedsRestart")) {
    *rebootRequired = TRUE;
  }
  return TRUE;
}
#endif
