// Sends the library's diagnostic log to a scratch file for one test and
// reads its lines back (without line ends).
#ifndef NODEXA_TESTS_HARNESS_LOG_CAPTURE_H_
#define NODEXA_TESTS_HARNESS_LOG_CAPTURE_H_

#include <cstdio>
#include <string>
#include <vector>

#include "frame/debug_log.h"
#include "harness/temp_dir.h"

namespace nodexa::test {

class LogCapture {
 public:
  LogCapture() { GetDebugLog().SetPath(folder.File("nodexa.log")); }
  ~LogCapture() { GetDebugLog().SetPath(""); }
  LogCapture(const LogCapture&) = delete;
  LogCapture& operator=(const LogCapture&) = delete;

  std::vector<std::string> Lines() const {
    return TextLines(ReadBinary(folder.File("nodexa.log")));
  }

  // Forgets what was logged so far.
  void Clear() const { std::remove(folder.File("nodexa.log").c_str()); }

 private:
  TempDir folder;
};

}  // namespace nodexa::test

#endif  // NODEXA_TESTS_HARNESS_LOG_CAPTURE_H_
