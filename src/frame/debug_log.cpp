#include "debug_log.h"

#include <cstdio>

namespace nodexa {

DebugBufLog::int_type DebugBufLog::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::eof();
  const char ch = traits_type::to_char_type(c);
  pending.push_back(ch);
  if (ch == '\n') Flush();
  return c;
}

int DebugBufLog::sync() {
  Flush();
  return 0;
}

void DebugBufLog::Flush() {
  if (pending.empty()) return;
  if (!path.empty()) {
    // Text mode: on Windows each '\n' is stored as CR LF.
    if (std::FILE* file = std::fopen(path.c_str(), "a")) {
      std::fwrite(pending.data(), 1, pending.size(), file);
      std::fclose(file);
    }
  }
  pending.clear();
}

DebugLog::DebugLog() : std::ostream(nullptr) { rdbuf(&buffer); }

DebugLog::~DebugLog() {
  // A failing flush must not escape a destructor that runs at unload.
  try {
    flush();
  } catch (...) {
  }
}

void DebugLog::SetPath(const std::string& newPath) {
  if (newPath != path) path = newPath;
  buffer.SetPath(newPath);
}

void DebugLog::Recover() {
  buffer.DropPending();
  clear();
}

DebugLog& GetDebugLog() {
  static DebugLog log;
  if (!log.good()) log.Recover();
  return log;
}

std::ostream& NodexaLog(const char* tag) { return GetDebugLog() << "Nodexa::" << tag; }

}  // namespace nodexa
