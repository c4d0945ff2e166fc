#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "snmp/udp_socket.h"

namespace nodexa::snmp {
namespace {

// Room for the replies of a few hundred agents that answer one broadcast
// at once.
constexpr int kReceiveBuffer = 4 * 1024 * 1024;

int Fd(uintptr_t handle) { return static_cast<int>(handle); }

}  // namespace

NetworkSession::NetworkSession() : ok_(true) {}
NetworkSession::~NetworkSession() = default;

std::optional<UdpSocket> UdpSocket::Open(Ipv4 address, bool broadcast) {
  const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return std::nullopt;
  UdpSocket socket(static_cast<uintptr_t>(fd));
  const int on = 1;
  if (broadcast && setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on) != 0) {
    return std::nullopt;
  }
  // A smaller buffer only risks losing replies to the retries.
  setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &kReceiveBuffer, sizeof kReceiveBuffer);
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_addr.s_addr = htonl(address);
  if (bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
    return std::nullopt;
  }
  return socket;
}

void UdpSocket::Close() {
  if (handle_ != kNoHandle) close(Fd(handle_));
  handle_ = kNoHandle;
}

bool UdpSocket::SendTo(Ipv4 address, uint16_t port, const std::vector<uint8_t>& bytes) {
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_addr.s_addr = htonl(address);
  to.sin_port = htons(port);
  return sendto(Fd(handle_), bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&to),
                sizeof to) == static_cast<ssize_t>(bytes.size());
}

std::optional<Datagram> UdpSocket::Receive(uint8_t* buffer, size_t capacity) {
  sockaddr_in from{};
  socklen_t length = sizeof from;
  // MSG_TRUNC reports a datagram's whole size, so an over-long one is seen
  // as such rather than read cut short.
  const ssize_t size = recvfrom(Fd(handle_), buffer, capacity, MSG_TRUNC,
                                reinterpret_cast<sockaddr*>(&from), &length);
  if (size < 0) return std::nullopt;
  return Datagram{ntohl(from.sin_addr.s_addr), ntohs(from.sin_port), static_cast<size_t>(size)};
}

void UdpSocket::WaitReadable(std::vector<UdpSocket>& sockets, int milliseconds) {
  std::vector<pollfd> fds;
  fds.reserve(sockets.size());
  for (const UdpSocket& socket : sockets) fds.push_back(pollfd{Fd(socket.handle_), POLLIN, 0});
  poll(fds.data(), fds.size(), milliseconds);
}

}  // namespace nodexa::snmp
