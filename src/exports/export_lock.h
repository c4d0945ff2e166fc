// One call of the library at a time. The setup program calls the exports one
// after another; a caller that errs and calls from several threads gets its
// calls run in turn rather than a corrupted heap: the port result list, the
// diagnostic log (whose lines then stay whole), the loaded modules and the
// POSIX stand-in's services are shared. Recursive, so that a companion
// module calling back into the library on the same thread cannot deadlock.
#ifndef NODEXA_EXPORTS_EXPORT_LOCK_H_
#define NODEXA_EXPORTS_EXPORT_LOCK_H_

#include <mutex>

namespace nodexa {

class ExportLock {
 public:
  ExportLock() : guard_(Mutex()) {}

 private:
  static std::recursive_mutex& Mutex() {
    static std::recursive_mutex mutex;
    return mutex;
  }
  std::lock_guard<std::recursive_mutex> guard_;
};

}  // namespace nodexa

#endif  // NODEXA_EXPORTS_EXPORT_LOCK_H_
