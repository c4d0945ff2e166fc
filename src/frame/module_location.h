// Finding the maker's companion modules on the setup medium, in
// <root>\Common\x64 (x86 in a 32-bit build): the host-communication module
// by "*hcp.dll", the install-support module by "*inst.dll". The first file
// the platform lists is used. Neither function loads anything.
#ifndef NODEXA_FRAME_MODULE_LOCATION_H_
#define NODEXA_FRAME_MODULE_LOCATION_H_

#include <string>

namespace nodexa {

// True with the module's full path; false, with "Cannot find the file
// xxxxhcp.dll" logged and `path` unchanged, when nothing matches.
bool GetHCPDLLFilePath(std::string& path);
// As above for "*inst.dll"; `prefix` gets the product prefix of the file.
bool GetInstallDLLFilePath(std::string& path, std::string& prefix);

// The full path of the first file in the module folder that matches
// `pattern`, or "" (nothing logged). `fileName` gets the file's name.
std::string FindInModuleFolder(const std::string& pattern, std::string& fileName);

// The first four characters of a module's file name (all of a shorter one),
// which name the product's other files.
std::string ModulePrefix(const std::string& fileName);

}  // namespace nodexa

#endif  // NODEXA_FRAME_MODULE_LOCATION_H_
