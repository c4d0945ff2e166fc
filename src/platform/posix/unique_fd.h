// Owns a POSIX file descriptor and closes it when it goes, so no path out
// of a function leaves one open.
#ifndef NODEXA_PLATFORM_POSIX_UNIQUE_FD_H_
#define NODEXA_PLATFORM_POSIX_UNIQUE_FD_H_

#include <unistd.h>

#include <utility>

namespace nodexa::platform {

class UniqueFd {
 public:
  UniqueFd() = default;
  // Takes `owned`; a negative value (a failed open) owns nothing.
  explicit UniqueFd(int owned) : fd(owned) {}
  ~UniqueFd() {
    if (fd >= 0) close(fd);
  }
  UniqueFd(UniqueFd&& other) noexcept : fd(std::exchange(other.fd, -1)) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept {
    if (this != &other) {
      if (fd >= 0) close(fd);
      fd = std::exchange(other.fd, -1);
    }
    return *this;
  }
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;

  int get() const { return fd; }
  explicit operator bool() const { return fd >= 0; }

 private:
  int fd = -1;
};

}  // namespace nodexa::platform

#endif  // NODEXA_PLATFORM_POSIX_UNIQUE_FD_H_
