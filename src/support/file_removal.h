// Removing a file that may be in use, the way the setup family's file
// operations do it, and the process-wide note that a restart is needed.
//
// `rebootRequired` is set by whatever leaves work for the next restart: a
// removal deferred here, a driver update that asks for one. Nothing clears
// it; the setup program reads it through the operations that report it.
#ifndef NODEXA_SUPPORT_FILE_REMOVAL_H_
#define NODEXA_SUPPORT_FILE_REMOVAL_H_

#include <string>

namespace nodexa {

extern bool rebootRequired;

// Clears the read-only attribute and deletes the file. When deletion fails
// for another reason than a missing file or folder (the file is locked, say)
// the file is scheduled for removal at the next restart and
// `rebootRequired` is set. True when the file is gone or scheduled; false
// when there was nothing to remove or scheduling failed too (logged as
// "FileRemoval::RemoveFile: ...").
bool RemoveFile(const std::string& path);

}  // namespace nodexa

#endif  // NODEXA_SUPPORT_FILE_REMOVAL_H_
