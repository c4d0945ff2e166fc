#include <winsock2.h>
#include <ws2tcpip.h>

#include "snmp/udp_socket.h"

namespace nodexa::snmp {
namespace {

// Room for the replies of a few hundred agents that answer one broadcast
// at once.
constexpr int kReceiveBuffer = 4 * 1024 * 1024;

SOCKET Handle(uintptr_t handle) { return static_cast<SOCKET>(handle); }

}  // namespace

NetworkSession::NetworkSession() {
  WSADATA data;
  ok_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

NetworkSession::~NetworkSession() {
  if (ok_) WSACleanup();
}

std::optional<UdpSocket> UdpSocket::Open(Ipv4 address, bool broadcast) {
  const SOCKET handle = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  if (handle == INVALID_SOCKET) return std::nullopt;
  UdpSocket socket(static_cast<uintptr_t>(handle));
  u_long nonBlocking = 1;
  if (ioctlsocket(handle, static_cast<long>(FIONBIO), &nonBlocking) != 0) return std::nullopt;
  const BOOL on = TRUE;
  if (broadcast && setsockopt(handle, SOL_SOCKET, SO_BROADCAST, reinterpret_cast<const char*>(&on),
                              sizeof on) != 0) {
    return std::nullopt;
  }
  // A smaller buffer only risks losing replies to the retries.
  setsockopt(handle, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&kReceiveBuffer),
             sizeof kReceiveBuffer);
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_addr.s_addr = htonl(address);
  if (bind(handle, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
    return std::nullopt;
  }
  return socket;
}

void UdpSocket::Close() {
  if (handle_ != kNoHandle) closesocket(Handle(handle_));
  handle_ = kNoHandle;
}

bool UdpSocket::SendTo(Ipv4 address, uint16_t port, const std::vector<uint8_t>& bytes) {
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_addr.s_addr = htonl(address);
  to.sin_port = htons(port);
  return sendto(Handle(handle_), reinterpret_cast<const char*>(bytes.data()),
                static_cast<int>(bytes.size()), 0, reinterpret_cast<const sockaddr*>(&to),
                sizeof to) == static_cast<int>(bytes.size());
}

std::optional<Datagram> UdpSocket::Receive(uint8_t* buffer, size_t capacity) {
  sockaddr_in from{};
  int size = SOCKET_ERROR;
  // An ICMP "port unreachable" for an earlier request surfaces here as a
  // reset; it says nothing about the datagrams behind it.
  do {
    int length = sizeof from;
    size = recvfrom(Handle(handle_), reinterpret_cast<char*>(buffer), static_cast<int>(capacity), 0,
                    reinterpret_cast<sockaddr*>(&from), &length);
  } while (size == SOCKET_ERROR && WSAGetLastError() == WSAECONNRESET);
  if (size == SOCKET_ERROR) {
    // Winsock reports a datagram larger than the buffer as an error after
    // taking it off the queue; it counts as over-long, never as a reply.
    if (WSAGetLastError() == WSAEMSGSIZE) {
      return Datagram{ntohl(from.sin_addr.s_addr), ntohs(from.sin_port), capacity + 1};
    }
    return std::nullopt;
  }
  return Datagram{ntohl(from.sin_addr.s_addr), ntohs(from.sin_port), static_cast<size_t>(size)};
}

void UdpSocket::WaitReadable(std::vector<UdpSocket>& sockets, int milliseconds) {
  std::vector<WSAPOLLFD> fds;
  fds.reserve(sockets.size());
  for (const UdpSocket& socket : sockets)
    fds.push_back(WSAPOLLFD{Handle(socket.handle_), POLLRDNORM, 0});
  WSAPoll(fds.data(), static_cast<ULONG>(fds.size()), milliseconds);
}

}  // namespace nodexa::snmp
