// Registry access by textual root names ("HKLM", "HKCU", "HKU", "HKCR",
// "HKCC", any case) and sub-key paths without a leading backslash.
//
// A `Registry` is made on the stack for one job. It keeps only its computer
// name and the two connected roots "HKLM" and "HKU" (connected on first use,
// released when the name changes or the object goes); every operation opens
// the key it needs and closes it before returning, so callers never hold
// registry handles. The exceptions are the handle-returning operations,
// documented below, whose result belongs to the caller.
//
// Failures are results (false, "", none), never exceptions. Missing keys and
// values are silent; other failures write one line to the diagnostic log
// ("Registry::operation: message"). Nothing is ever created: writing below a
// missing key fails without a message.
#ifndef NODEXA_SUPPORT_REGISTRY_H_
#define NODEXA_SUPPORT_REGISTRY_H_

#include <cstdint>
#include <string>
#include <vector>

#include "frame/platform_handles.h"
#include "platform/win32_api.h"

namespace nodexa {

// The value types of a RegistryValue (not the registry's own numbering).
enum RegistryValueType : int32_t {
  Reg_None = 0,
  Reg_DWord = 1,
  Reg_String = 2,
  Reg_Expand_String = 3,
  Reg_Binary = 4,
  Reg_Multi_String = 5,
};

// One registry value in transit. `stringValue` serves Reg_String,
// Reg_Expand_String and, spelled in hexadecimal, Reg_Binary.
struct RegistryValue {
  int32_t type = Reg_None;
  uint32_t dwordValue = 0;
  std::string stringValue;
  std::vector<std::string> multiStringValue;
};

class Registry {
 public:
  // The local computer.
  Registry();
  // `computer` as the platform's remote-registry connection takes it; ""
  // is the local computer.
  explicit Registry(const std::string& computer);
  ~Registry();
  Registry(const Registry&) = delete;
  Registry& operator=(const Registry&) = delete;

  // A name equal to the current one (case ignored) changes nothing. Any
  // other releases both roots; the empty name then sets them to the
  // predefined HKEY_LOCAL_MACHINE and HKEY_USERS, a computer name leaves
  // them to be connected on first use.
  void setComputer(const std::string& computer);

  // The handle of a root name, or null (logged for an unknown name; "HKCU"
  // and "HKCC" of a remote computer are silently null). "HKLM" and "HKU"
  // stay owned by the object. "HKCR" is the key Software\Classes under
  // "HKLM", opened for this call: the caller closes it.
  HKEY getRootKey(const std::string& root);
  // Connects to a predefined key on the object's computer; null (logged) on
  // failure. The caller owns the result.
  HKEY getRemoteKey(HKEY predefined);
  // Opens the sub-key with the access mask; null when it cannot (a missing
  // key silently, other errors logged). The caller closes the result.
  HKEY openKey(const std::string& root, const std::string& subKey, REGSAM access);

  // True when the value was stored. The key must exist.
  bool WriteValue(const std::string& root, const std::string& subKey, const std::string& valueName,
                  const RegistryValue& value);
  // True when a value of a supported type (REG_SZ, REG_EXPAND_SZ, REG_DWORD,
  // REG_MULTI_SZ) with data was read into `value`.
  bool ReadValue(const std::string& root, const std::string& subKey, const std::string& valueName,
                 RegistryValue& value);
  // The value as text: a DWORD in signed decimal, a string as it is; "" for
  // a multi-string, another type, or no value.
  std::string ReadString(const std::string& root, const std::string& subKey,
                         const std::string& valueName);
  bool KeyExists(const std::string& root, const std::string& subKey);
  // Deletes the key when it has no sub-keys and at most its default value;
  // with `walkUp` its parents too, up to the first that still has content.
  // True when at least one key went.
  bool DeleteEmptyKey(const std::string& root, const std::string& subKey, bool walkUp);
  // Deletes the key with everything below it.
  bool DeleteKeyTree(const std::string& root, const std::string& subKey);
  // The recursive worker of DeleteKeyTree: deletes the sub-keys, deepest
  // first, then the key itself (with `deleteAll`) or only if it is empty.
  bool cleanHelper(const std::string& root, const std::string& subKey, bool deleteAll);

 private:
  // The root for one operation; a freshly opened "HKCR" key is handed to
  // `opened`, which releases it with the operation.
  HKEY rootFor(const std::string& root, UniqueRegistryKey& opened);
  HKEY connected(UniqueRegistryKey& cache, HKEY predefined);
  // The emptiness test of DeleteEmptyKey.
  bool isEmptyKey(const std::string& root, const std::string& subKey);

  std::string computer;
  UniqueRegistryKey machineKey;
  UniqueRegistryKey usersKey;
};

}  // namespace nodexa

#endif  // NODEXA_SUPPORT_REGISTRY_H_
