// Where the command points the library it links: the setup medium (the
// library's executable-directory override, <medium>\Setup\Bin) and, on the
// POSIX stand-in, the machine folder (NODEXA_MACHINE).
//
// Without options the command takes what its environment says
// (NODEXA_EXECUTABLE_DIRECTORY, NODEXA_MACHINE) and otherwise uses the demo
// built beside it: <program>/../demo/<name> in the build tree,
// <program>/../share/nodexa/demo/<name> when installed.
#ifndef NODEXA_TOOLS_NODEXA_SETUP_LOCATION_H_
#define NODEXA_TOOLS_NODEXA_SETUP_LOCATION_H_

#include <filesystem>
#include <string>

namespace nodexa::cli {

inline constexpr char kExecutableDirectoryVariable[] = "NODEXA_EXECUTABLE_DIRECTORY";
inline constexpr char kMachineVariable[] = "NODEXA_MACHINE";

// The folder of the running program.
std::filesystem::path ProgramDirectory();

// The demo's `name` folder ("medium" or "machine") beside the program, or
// an empty path when there is none.
std::filesystem::path DemoFolder(const std::string& name);

// The executable directory of the medium at `medium`: its absolute path with
// Setup and Bin appended, in the system's own separators.
std::string ExecutableDirectoryOf(const std::filesystem::path& medium);

// A process environment variable, "" when unset.
std::string Environment(const char* name);
void SetEnvironment(const char* name, const std::string& value);

// Points the library at `medium` and `machine` when given, else at the
// environment's values, else at the demo. Answers the executable directory
// in force ("" when none is set).
std::string PointLibraryAt(const std::string& medium, const std::string& machine);

}  // namespace nodexa::cli

#endif  // NODEXA_TOOLS_NODEXA_SETUP_LOCATION_H_
