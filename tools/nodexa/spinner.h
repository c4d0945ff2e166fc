// A turning bar with a label on standard error while a long call runs, so a
// person at a terminal sees that the command is working. Drawn only when
// enabled (the command enables it when standard error is a terminal), so
// pipes and log files never receive it.
//
// The spinner owns a thread from construction to destruction; the
// destructor stops it and erases the line it drew, if it drew one (a call
// that ends before the first frame leaves nothing at all). While it runs,
// Ctrl-C erases the line and ends the program with status 130.
#ifndef NODEXA_TOOLS_NODEXA_SPINNER_H_
#define NODEXA_TOOLS_NODEXA_SPINNER_H_

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>

namespace nodexa::cli {

class Spinner {
 public:
  Spinner(std::FILE* output, bool enabled, std::string label,
          std::chrono::milliseconds interval = std::chrono::milliseconds(100));
  ~Spinner();
  Spinner(const Spinner&) = delete;
  Spinner& operator=(const Spinner&) = delete;

 private:
  void Run();
  void Draw(size_t frame);

  std::FILE* out;
  std::string text;
  std::chrono::milliseconds period;
  std::mutex mutex;
  std::condition_variable wake;
  bool stopping = false;
  bool drawn = false;  // a frame is on the line
  std::thread worker;
};

}  // namespace nodexa::cli

#endif  // NODEXA_TOOLS_NODEXA_SPINNER_H_
