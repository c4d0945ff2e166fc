// Where the setup medium is: everything the library loads or reads from it
// is found relative to the running setup program, which sits two folder
// levels below the medium's root (e.g. D:\Setup\Bin on medium D:).
#ifndef NODEXA_FRAME_SETUP_MEDIUM_H_
#define NODEXA_FRAME_SETUP_MEDIUM_H_

#include <string>

#include "path_object.h"

namespace nodexa {

// Names the process environment variable that, when set and non-empty,
// replaces the executable directory. The setup program never sets it; the
// nodexa command and the tests use it to point the library at a medium.
inline constexpr char kExecutableDirectoryVariable[] = "NODEXA_EXECUTABLE_DIRECTORY";

// The executable-directory override of this process: empty at load and
// never set by the library itself. Programs that link the library
// statically set it here; it takes precedence over the environment.
void SetExecutableDirectoryOverride(const std::string& directory);

// The folder of the process's main program (or the override), no file name.
PathObject GetExecutableDirectory();
// Two levels above the executable directory; a drive is its own parent.
PathObject GetSetupRoot();
// True in the 64-bit build: companion modules come from Common\x64.
bool isBuild64();

}  // namespace nodexa

#endif  // NODEXA_FRAME_SETUP_MEDIUM_H_
