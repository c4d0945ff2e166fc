// Stand-in cfgmgr32.dll for the POSIX machine (see system_standin.h).
//
// CM_Get_DevNode_Status answers for the device whose DevInst SetupApi.dll
// handed out (its place in devices.ini, from 1): the device's NodeStatus
// code, and on success the status DN_DRIVER_LOADED | DN_STARTED (plus
// DN_ROOT_ENUMERATED for a ROOT device) and problem 0. An unknown DevInst
// is CR_NO_SUCH_DEVNODE. Each call is journalled:
//   CM_Get_DevNode_Status <DevInst>
// Building with STANDIN_WITHOUT_CM_Get_DevNode_Status leaves it out.
#include <strings.h>

#include <string>
#include <vector>

#include "common/system_standin.h"
#include "platform/posix/device_list.h"

#if !defined(STANDIN_WITHOUT_CM_Get_DevNode_Status)
STANDIN_EXPORT CONFIGRET CM_Get_DevNode_Status(PULONG status, PULONG problemNumber, DEVINST devInst,
                                               ULONG) {
  standin::Journal("CM_Get_DevNode_Status", {std::to_string(devInst)});
  if (status == nullptr || problemNumber == nullptr) return CR_INVALID_POINTER;
  *status = 0;
  *problemNumber = 0;
  const std::vector<nodexa::platform::MachineDevice> devices =
      nodexa::platform::ReadMachineDevices();
  if (devInst == 0 || devInst > devices.size()) return CR_NO_SUCH_DEVNODE;
  const nodexa::platform::MachineDevice& device = devices[devInst - 1];
  if (device.nodeStatus != CR_SUCCESS) return device.nodeStatus;
  *status = DN_DRIVER_LOADED | DN_STARTED;
  if (strcasecmp(device.enumerator.c_str(), "ROOT") == 0) *status |= DN_ROOT_ENUMERATED;
  return CR_SUCCESS;
}
#endif
