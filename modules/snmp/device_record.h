// What the module reports of one printer: the answers its agent gave, and
// the record Enumerate hands out for them.
//
// A record is a run of tagged-text elements, in this order:
//   IPNAME            sysName
//   IPADDRSOURCE      "0": no standard MIB tells how a printer got its
//                     address, so every record says fixed
//   IPADDRESS         the address that answered
//   IPNETMASK         IP-MIB's mask for that address
//   SUBNETADDRESS     address AND mask
//   BROADCASTADDRESS  address OR NOT mask
//   IPGATEWAY         the next hop of the agent's default route
//   MACUAA            the physical address of the interface holding that
//                     address, 12 upper-case hex digits
//   ADAPTERPORT       "1", the printer's one network port
//   ADAPTERCAP        "262144": every SNMP printer answers back, so each
//                     adapter counts as bidirectional
//   CPDATTACHED       "1" for a printer the computer drives itself (its
//                     IEEE-1284 command set names no page language: PCL,
//                     PostScript, PDF, PJL), "0" otherwise
//   1284STRID         the model name: the IEEE-1284 device ID's "MFG MDL"
//                     (MDL alone when it already begins with MFG), else
//                     HOST-RESOURCES' hrDeviceDescr
//   MODEL_ID          MDL, only for a device that scans (its 1284 class
//                     is MFP or names a scanner)
// An element whose value the agent did not give is empty (IPGATEWAY is
// "0.0.0.0"). Values are printable ASCII: every other byte, and the four
// characters that would break the tagged text or the list ("<", ">", "&",
// ";"), become "_".
#ifndef NODEXA_MODULES_SNMP_DEVICE_RECORD_H_
#define NODEXA_MODULES_SNMP_DEVICE_RECORD_H_

#include <optional>
#include <string>
#include <string_view>

#include "snmp/ipv4.h"

namespace nodexa::snmp {

struct DeviceAnswers {
  Ipv4 address = 0;
  std::string sysName;
  std::optional<Ipv4> mask;
  std::optional<Ipv4> gateway;
  std::optional<uint32_t> ifIndex;
  std::string physAddress;  // the raw octets
  std::string deviceId;     // IEEE-1284
  std::string description;  // hrDeviceDescr
};

struct DeviceRecord {
  std::string text;
  bool cpdAttached = false;
};

DeviceRecord MakeDeviceRecord(const DeviceAnswers& device);

// The value of `key` in an IEEE-1284 device ID ("MFG:Maker;MDL:Model;"),
// matched case-insensitively against the short or the long key name
// (MFG/MANUFACTURER, MDL/MODEL, CMD/COMMAND SET, CLS/CLASS); "" when
// absent.
std::string DeviceIdField(std::string_view deviceId, std::string_view shortKey,
                          std::string_view longKey);

}  // namespace nodexa::snmp

#endif  // NODEXA_MODULES_SNMP_DEVICE_RECORD_H_
