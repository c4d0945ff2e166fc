// Checks of the places a run uses, made before anything runs, so that a log
// that would go nowhere or a folder that is not a setup medium is a usage
// error rather than a call that quietly finds nothing.
#ifndef NODEXA_TOOLS_NODEXA_PREFLIGHT_H_
#define NODEXA_TOOLS_NODEXA_PREFLIGHT_H_

#include <string>

namespace nodexa::cli {

// Why the library's log cannot be appended to the file at `path`, e.g.
// "the file name is empty"; "" when it can (the file is then created).
std::string LogFileProblem(const std::string& path);

// What the setup medium at `root` lacks, e.g. "no Common/x64/*hcp.dll, no
// Install/Config/product.ini"; "" for a medium. Names match without
// regard to case, as on Windows.
std::string MediumProblem(const std::string& root);

}  // namespace nodexa::cli

#endif  // NODEXA_TOOLS_NODEXA_PREFLIGHT_H_
