// The scan-to-computer registration of a multifunction device, kept by the
// install-support module: computer name (hex-encoded in the module's text),
// its code page and a PIN. Results go to the setup program as registry
// values below a key of HKEY_LOCAL_MACHINE that it names and has created.
#ifndef NODEXA_ADAPTER_SCANNER_REGISTRATION_H_
#define NODEXA_ADAPTER_SCANNER_REGISTRATION_H_

#include <cstdint>
#include <string>

namespace nodexa {

// Lower-case hex of the name's bytes and terminator: the narrow bytes, or
// for the code pages 932, 936, 949 and 950 the UTF-16 LE units.
std::string EncodeHostName(const std::string& name, const std::string& codePage);
// Pairs of hex digits to bytes (other characters count as 0); zero bytes
// are dropped.
std::string DecodeHostName(const std::string& hex);

// Reads the registration and stores "name|code page|PIN" as the value
// "GetScannerRegisterInfo" under HKLM\`keyPath`. 1 when it was read.
int32_t ReadScannerRegistration(const char* keyPath);
// `values`: port|computer name|code page|key path[|PIN]. 1 when the module
// accepted the settings; a failure code goes to the value
// "SetScannerRegisterInfo" under HKLM\<key path>.
int32_t WriteScannerRegistration(const char* values);

}  // namespace nodexa

#endif  // NODEXA_ADAPTER_SCANNER_REGISTRATION_H_
