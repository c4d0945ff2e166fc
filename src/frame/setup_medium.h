// Where the setup medium is: everything the library loads or reads from it
// is found relative to the running setup program, which sits two folder
// levels below the medium's root (e.g. D:\Setup\Bin on medium D:).
//
// The library fails closed: when the program's folder cannot be told (its
// path does not fit the platform's 260 characters) or the folder in force is
// not absolute, both folders are empty and nothing is searched or loaded
// from the medium. A relative folder would put the modules where the
// current drive or folder says, which an elevated installer must not do.
#ifndef NODEXA_FRAME_SETUP_MEDIUM_H_
#define NODEXA_FRAME_SETUP_MEDIUM_H_

#include <string>

#include "path_object.h"

namespace nodexa {

// The executable-directory override of this process: empty at load and
// never set by the library itself. A program that links the library
// statically (the nodexa command) points it at a medium here.
void SetExecutableDirectoryOverride(const std::string& directory);

// A further source of the executable directory, asked on every lookup when
// no override is set; "" from it means the program's own folder. The
// shipped library has none: only test builds install one (see
// medium_from_environment.cpp), so no environment decides where the
// library takes code or configuration from.
using ExecutableDirectorySource = std::string (*)();
void SetExecutableDirectorySource(ExecutableDirectorySource source);

// The folder of the process's main program (or the override), no file name;
// empty when unknown or not absolute.
PathObject GetExecutableDirectory();
// Two levels above the executable directory, a drive being its own parent;
// empty when the executable directory is.
PathObject GetSetupRoot();
// True in the 64-bit build: companion modules come from Common\x64.
bool isBuild64();

}  // namespace nodexa

#endif  // NODEXA_FRAME_SETUP_MEDIUM_H_
