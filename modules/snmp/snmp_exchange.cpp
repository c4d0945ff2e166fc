#include "snmp/snmp_exchange.h"

#include <algorithm>
#include <chrono>
#include <random>

namespace nodexa::snmp {
namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::milliseconds;

// The longest sleep between two looks at the clock while nothing happens.
constexpr Milliseconds kMaxWait{50};
// Datagrams read from one socket before the clock is looked at again.
constexpr size_t kMaxReceivesPerWake = 256;

struct Pending {
  size_t query = 0;
  uint32_t sends = 0;
  Clock::time_point firstSent;
  Clock::time_point lastSent;
  Clock::time_point lastReply;
};

class Exchange {
 public:
  Exchange(const Settings& settings, std::vector<UdpSocket>& sockets,
           const std::vector<Query>& queries, const ReplyHandler& onReply)
      : settings_(settings),
        sockets_(sockets),
        queries_(queries),
        onReply_(onReply),
        slot_(queries.size(), kNoSlot),
        buffer_(kMaxMessageSize + 1) {
    // Ids count up from a random base, so a reply's id names its query and
    // a stale or guessed one names none that awaits a reply.
    std::random_device random;
    const uint32_t room = static_cast<uint32_t>(INT32_MAX) - static_cast<uint32_t>(queries.size());
    firstId_ = static_cast<int32_t>(1 + random() % std::max<uint32_t>(room / 2, 1));
  }

  ExchangeStatistics Run() {
    while (next_ < queries_.size() || !pending_.empty()) {
      const Clock::time_point now = Clock::now();
      Retire(now);
      SendDue(now);
      UdpSocket::WaitReadable(sockets_, WaitFor(Clock::now()));
      ReceiveAll();
    }
    return statistics_;
  }

 private:
  static constexpr size_t kNoSlot = static_cast<size_t>(-1);

  bool IsBroadcast(size_t query) const { return queries_[query].address == kLimitedBroadcast; }
  Milliseconds Timeout() const { return Milliseconds(settings_.timeoutMs); }
  bool RetriesLeft(const Pending& p) const { return p.sends <= settings_.retries; }

  // The end of a broadcast's reply window, whatever its retries.
  Clock::time_point WindowEnd(const Pending& p) const {
    return p.firstSent + Milliseconds(settings_.replyWindowMs);
  }

  // When the request has used up its time once its retries are sent: a
  // unicast when its last send timed out, a broadcast at the end of its
  // window or once it fell quiet.
  Clock::time_point Expiry(const Pending& p) const {
    if (!IsBroadcast(p.query)) return p.lastSent + Timeout();
    const Clock::time_point quiet =
        std::max(p.lastSent + Timeout(), p.lastReply + Milliseconds(settings_.quietMs));
    return std::min(WindowEnd(p), quiet);
  }

  bool Done(const Pending& p, Clock::time_point now) const {
    if (IsBroadcast(p.query) && now >= WindowEnd(p)) return true;
    return !RetriesLeft(p) && now >= Expiry(p);
  }

  void Retire(Clock::time_point now) {
    for (size_t i = 0; i < pending_.size();) {
      if (Done(pending_[i], now)) {
        Remove(i);
      } else {
        ++i;
      }
    }
  }

  void Remove(size_t index) {
    slot_[pending_[index].query] = kNoSlot;
    if (index + 1 != pending_.size()) {
      pending_[index] = pending_.back();
      slot_[pending_[index].query] = index;
    }
    pending_.pop_back();
  }

  bool PaceAllows(Clock::time_point now) const {
    return now >= lastSend_ + std::chrono::microseconds(settings_.paceMicroseconds);
  }

  void SendDue(Clock::time_point now) {
    for (Pending& p : pending_) {
      if (!PaceAllows(now)) return;
      if (RetriesLeft(p) && now >= p.lastSent + Timeout()) Send(p, now);
    }
    while (next_ < queries_.size() && pending_.size() < settings_.inFlight && PaceAllows(now)) {
      Pending p;
      p.query = next_++;
      p.firstSent = now;
      p.lastReply = now;
      slot_[p.query] = pending_.size();
      pending_.push_back(p);
      statistics_.maxInFlight = std::max(statistics_.maxInFlight, pending_.size());
      Send(pending_.back(), now);
      now = Clock::now();
    }
  }

  void Send(Pending& p, Clock::time_point now) {
    const Query& query = queries_[p.query];
    const std::optional<Bytes> request =
        EncodeGetRequest(settings_.version, settings_.community,
                         firstId_ + static_cast<int32_t>(p.query), query.names);
    // A request that cannot be encoded, or that the system does not take,
    // is simply never answered.
    if (request && query.socket < sockets_.size()) {
      sockets_[query.socket].SendTo(query.address, kAgentPort, *request);
    }
    ++p.sends;
    ++statistics_.sent;
    p.lastSent = now;
    lastSend_ = now;
  }

  int WaitFor(Clock::time_point now) const {
    Clock::time_point until = now + kMaxWait;
    if (next_ < queries_.size() && pending_.size() < settings_.inFlight) {
      until = std::min(until, lastSend_ + std::chrono::microseconds(settings_.paceMicroseconds));
    }
    for (const Pending& p : pending_) {
      until = std::min(until, RetriesLeft(p) ? p.lastSent + Timeout() : Expiry(p));
    }
    if (until <= now) return 0;
    return static_cast<int>(std::chrono::ceil<Milliseconds>(until - now).count());
  }

  // Takes what waits, a bounded number per socket, so that a flood of
  // datagrams cannot hold the loop away from its clock.
  void ReceiveAll() {
    for (UdpSocket& socket : sockets_) {
      for (size_t n = 0; n < kMaxReceivesPerWake; ++n) {
        const std::optional<Datagram> datagram = socket.Receive(buffer_.data(), buffer_.size());
        if (!datagram) break;
        const bool taken = datagram->size <= kMaxMessageSize && datagram->port == kAgentPort &&
                           Accept(datagram->from, buffer_.data(), datagram->size);
        ++(taken ? statistics_.taken : statistics_.dropped);
      }
    }
  }

  // Whether the datagram answered a request still awaiting a reply.
  bool Accept(Ipv4 from, const uint8_t* data, size_t size) {
    const std::optional<Message> reply = DecodeResponse(data, size);
    if (!reply || reply->version != settings_.version || reply->community != settings_.community) {
      return false;
    }
    const int64_t index = static_cast<int64_t>(reply->requestId) - firstId_;
    if (index < 0 || index >= static_cast<int64_t>(queries_.size())) return false;
    const auto query = static_cast<size_t>(index);
    if (slot_[query] == kNoSlot) return false;
    const Query& asked = queries_[query];
    if (!IsBroadcast(query) && from != asked.address) return false;
    const std::vector<VarBind> none;
    if (reply->errorStatus == 0) {
      if (reply->varbinds.size() != asked.names.size()) return false;
      for (size_t i = 0; i < asked.names.size(); ++i) {
        if (reply->varbinds[i].name != asked.names[i]) return false;
      }
    }
    if (IsBroadcast(query)) {
      pending_[slot_[query]].lastReply = Clock::now();
    } else {
      Remove(slot_[query]);
    }
    onReply_(query, from, reply->errorStatus == 0 ? reply->varbinds : none);
    return true;
  }

  const Settings& settings_;
  std::vector<UdpSocket>& sockets_;
  const std::vector<Query>& queries_;
  const ReplyHandler& onReply_;
  std::vector<Pending> pending_;
  std::vector<size_t> slot_;  // where each query waits in pending_
  std::vector<uint8_t> buffer_;
  size_t next_ = 0;
  int32_t firstId_ = 1;
  ExchangeStatistics statistics_;
  Clock::time_point lastSend_{};
};

}  // namespace

ExchangeStatistics& ExchangeStatistics::operator+=(const ExchangeStatistics& other) {
  sent += other.sent;
  taken += other.taken;
  dropped += other.dropped;
  maxInFlight = std::max(maxInFlight, other.maxInFlight);
  return *this;
}

ExchangeStatistics RunExchange(const Settings& settings, std::vector<UdpSocket>& sockets,
                               const std::vector<Query>& queries, const ReplyHandler& onReply) {
  return Exchange(settings, sockets, queries, onReply).Run();
}

}  // namespace nodexa::snmp
