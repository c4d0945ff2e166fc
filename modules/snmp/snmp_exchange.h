// Sends many SNMP GetRequests over a few sockets and hands over the replies
// that truly answer them, in one thread: at most Settings::inFlight await a
// reply at once, one leaves every Settings::paceMicroseconds, each is sent
// again after Settings::timeoutMs up to Settings::retries times.
//
// A reply is taken only when it is a Response of the version and community
// sent, from UDP port 161, carrying the id of a request still awaiting one,
// from the address asked (any address for a broadcast), and naming exactly
// the variables asked, in order. Anything else (a forged id, a truncated or
// over-long datagram, a value type SNMP does not have) is dropped unread.
//
// A unicast request is done with its first reply; a broadcast keeps taking
// replies until Settings::replyWindowMs has passed, or earlier once its
// retries are sent and no reply came for Settings::quietMs.
#ifndef NODEXA_MODULES_SNMP_SNMP_EXCHANGE_H_
#define NODEXA_MODULES_SNMP_SNMP_EXCHANGE_H_

#include <cstddef>
#include <functional>
#include <vector>

#include "snmp/ipv4.h"
#include "snmp/module_settings.h"
#include "snmp/snmp_message.h"
#include "snmp/udp_socket.h"

namespace nodexa::snmp {

constexpr Ipv4 kLimitedBroadcast = 0xFFFFFFFF;
constexpr uint16_t kAgentPort = 161;

struct Query {
  Ipv4 address = 0;   // kLimitedBroadcast for a broadcast
  size_t socket = 0;  // index into the sockets given to RunExchange
  std::vector<Oid> names;
};

// Called once per accepted reply with the index of its query, the agent's
// address, and its values in the order asked; an agent that answered with
// an error status (SNMPv1's noSuchName, say) gives no values.
using ReplyHandler =
    std::function<void(size_t query, Ipv4 agent, const std::vector<VarBind>& values)>;

// What one exchange did, for benchmarks and diagnosis.
struct ExchangeStatistics {
  size_t sent = 0;         // datagrams, retries included
  size_t taken = 0;        // replies handed over
  size_t dropped = 0;      // datagrams that answered nothing asked
  size_t maxInFlight = 0;  // most requests awaiting a reply at once
  ExchangeStatistics& operator+=(const ExchangeStatistics& other);
};

// Returns once every query is answered or has used up its time.
ExchangeStatistics RunExchange(const Settings& settings, std::vector<UdpSocket>& sockets,
                               const std::vector<Query>& queries, const ReplyHandler& onReply);

}  // namespace nodexa::snmp

#endif  // NODEXA_MODULES_SNMP_SNMP_EXCHANGE_H_
