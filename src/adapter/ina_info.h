// Questions about a printer's internal network adapter (INA), answered by
// the install-support module's GetINAInfoQcs as tagged text.
#ifndef NODEXA_ADAPTER_INA_INFO_H_
#define NODEXA_ADAPTER_INA_INFO_H_

#include <cstdint>
#include <optional>
#include <string>

namespace nodexa {

// The adapter information for a printer port, or nothing (logged) when the
// module is missing or incomplete, the port is null or the module fails.
std::optional<std::string> GetINAInfo(const char* portName);

// Whether the information's last `element` child holds "1" (blanks around
// it ignored, the name and the value compared without regard to case).
bool ReadINAFlag(const std::string& information, const char* element);

// 1 when the port's adapter information has `element` set; 0 otherwise.
int32_t QueryINAFlag(const char* portName, const char* element);

// Whether a locally attached printer of a model has a supported adapter.
// The model is the first '|'-separated value of `values` (null or empty:
// none); its printers are the present devices with the hardware identifier
// "USBPRINT\<model>", their ports from Device::GetPorts. Every port is
// queried in turn: 1 when any port's information has an INASUPPORTED child
// holding "1", 0 when none does, when there is no port, and as soon as one
// port's query gives nothing.
int32_t QueryINAPrinters(const char* values);

}  // namespace nodexa

#endif  // NODEXA_ADAPTER_INA_INFO_H_
