// Sends the library's diagnostic log to a fresh file while the object lives
// and reads the lines back without their line ends.
#ifndef NODEXA_TESTS_SUPPORT_LOG_CAPTURE_H_
#define NODEXA_TESTS_SUPPORT_LOG_CAPTURE_H_

#include <string>
#include <vector>

#include "frame/debug_log.h"
#include "harness/temp_dir.h"

namespace nodexa::test {

class LogCapture {
 public:
  LogCapture() : path(dir.File("nodexa.log")) { GetDebugLog().SetPath(path); }
  ~LogCapture() { GetDebugLog().SetPath(""); }
  LogCapture(const LogCapture&) = delete;
  LogCapture& operator=(const LogCapture&) = delete;

  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    const std::string text = ReadBinary(path);
    size_t start = 0;
    while (start < text.size()) {
      size_t end = text.find('\n', start);
      if (end == std::string::npos) end = text.size();
      std::string line = text.substr(start, end - start);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
      start = end + 1;
    }
    return lines;
  }

 private:
  TempDir dir;
  std::string path;
};

}  // namespace nodexa::test

#endif  // NODEXA_TESTS_SUPPORT_LOG_CAPTURE_H_
