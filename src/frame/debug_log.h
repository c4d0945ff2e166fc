// The process-wide diagnostic log.
//
// Writers stream text into GetDebugLog() and end each message with std::endl.
// Until SetupDebugLog names a file every line is dropped; once it does, each
// completed line is appended to that file by its own open-append-close, so
// nothing stays open between lines. A file that cannot be opened loses the
// line silently. There are no levels and no time stamps.
#ifndef NODEXA_FRAME_DEBUG_LOG_H_
#define NODEXA_FRAME_DEBUG_LOG_H_

#include <ostream>
#include <streambuf>
#include <string>

namespace nodexa {

// Stream buffer without a put area: every character reaches overflow(), which
// collects it and writes the line out at '\n'.
class DebugBufLog : public std::streambuf {
 public:
  DebugBufLog() = default;
  ~DebugBufLog() override = default;
  DebugBufLog(const DebugBufLog&) = delete;
  DebugBufLog& operator=(const DebugBufLog&) = delete;

  // The file later lines go to; "" switches writing off. Pending text stays
  // pending and goes to the new file.
  void SetPath(const std::string& newPath) { path = newPath; }
  // Forgets the unfinished line.
  void DropPending() { pending.clear(); }

 protected:
  int_type overflow(int_type c) override;
  int sync() override;

 private:
  void Flush();

  std::string path;
  std::string pending;
};

class DebugLog : public std::ostream {
 public:
  DebugLog();
  // Writes an unterminated last line before the buffer goes away.
  ~DebugLog() override;
  DebugLog(const DebugLog&) = delete;
  DebugLog& operator=(const DebugLog&) = delete;

  const std::string& Path() const { return path; }
  void SetPath(const std::string& newPath);
  // After a message was cut short (an allocation failed while it was
  // written, which leaves the stream bad): drops its fragment and makes the
  // stream good again, so the next message is written, and whole.
  void Recover();

 private:
  std::string path;
  DebugBufLog buffer;
};

// The one log of the process, created before its first use and flushed when
// the library is unloaded. Every message starts here, so a message cut short
// costs only itself: the log recovers before handing itself out.
DebugLog& GetDebugLog();

// Starts an export's line: "Nodexa::" and the function tag (its name and a
// colon, e.g. "GetDiscoveredPorts:"). The caller adds the message, maybe a
// code, and std::endl.
std::ostream& NodexaLog(const char* tag);

}  // namespace nodexa

#endif  // NODEXA_FRAME_DEBUG_LOG_H_
