// The UDP endpoint SNMP requests go out of and replies come back to, over
// Winsock on Windows and POSIX sockets elsewhere. Non-blocking: a send that
// the system cannot take now counts as lost, which the retries cover, and a
// receive returns at once.
#ifndef NODEXA_MODULES_SNMP_UDP_SOCKET_H_
#define NODEXA_MODULES_SNMP_UDP_SOCKET_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "snmp/ipv4.h"

namespace nodexa::snmp {

// Keeps the system's socket layer started while it lives (WSAStartup and
// WSACleanup on Windows; nothing elsewhere).
class NetworkSession {
 public:
  NetworkSession();
  ~NetworkSession();
  NetworkSession(const NetworkSession&) = delete;
  NetworkSession& operator=(const NetworkSession&) = delete;
  bool ok() const { return ok_; }

 private:
  bool ok_ = false;
};

struct Datagram {
  Ipv4 from = 0;
  uint16_t port = 0;
  size_t size = 0;
};

class UdpSocket {
 public:
  // A socket bound to `address` (0 for any) and an ephemeral port, allowed
  // to send broadcasts when `broadcast` is set; none when the system refuses.
  static std::optional<UdpSocket> Open(Ipv4 address, bool broadcast);

  UdpSocket(UdpSocket&& other) noexcept : handle_(other.handle_) { other.handle_ = kNoHandle; }
  UdpSocket& operator=(UdpSocket&& other) noexcept {
    if (this != &other) {
      Close();
      handle_ = other.handle_;
      other.handle_ = kNoHandle;
    }
    return *this;
  }
  UdpSocket(const UdpSocket&) = delete;
  UdpSocket& operator=(const UdpSocket&) = delete;
  ~UdpSocket() { Close(); }

  bool SendTo(Ipv4 address, uint16_t port, const std::vector<uint8_t>& bytes);
  // The next waiting datagram, written to `buffer`; none when none waits.
  std::optional<Datagram> Receive(uint8_t* buffer, size_t capacity);

  // Waits until one of `sockets` has a datagram or `milliseconds` passed.
  static void WaitReadable(std::vector<UdpSocket>& sockets, int milliseconds);

 private:
  // All ones: a POSIX descriptor of -1, Winsock's INVALID_SOCKET.
  static constexpr uintptr_t kNoHandle = ~uintptr_t{0};

  explicit UdpSocket(uintptr_t handle) : handle_(handle) {}
  // Closes the socket, if there is one, and leaves none.
  void Close();

  uintptr_t handle_;
};

}  // namespace nodexa::snmp

#endif  // NODEXA_MODULES_SNMP_UDP_SOCKET_H_
