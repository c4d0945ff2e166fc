#include "rule_functions.h"

#include <cstdint>
#include <cstring>

#include "frame/string_toolkit.h"
#include "frame/text_search.h"
#include "platform/win32_api.h"
#include "rule_numbers.h"

namespace nodexa {

namespace {

// substr(start, count). A start before the beginning or past the end gives
// the empty string rather than the out-of-range failure of a bare substring;
// a negative count, like an oversized one, runs to the end.
std::string Substring(const std::string& subject, const std::string& start,
                      const std::string& count) {
  if (subject.empty()) return std::string();
  const int32_t from = ReadSigned(start);
  if (from < 0 || static_cast<size_t>(from) > subject.size()) return std::string();
  const int32_t length = ReadSigned(count);
  return subject.substr(static_cast<size_t>(from),
                        length < 0 ? std::string::npos : static_cast<size_t>(length));
}

// The length of `subject` once every `from` is replaced by `to`, found
// without making it: a short `from` and a long `to` multiply.
size_t ReplacedLength(const std::string& subject, const std::string& from, const std::string& to) {
  if (from.empty() || to.size() <= from.size()) return subject.size();
  const TextSearch search(from);
  size_t occurrences = 0;
  for (size_t at = search.FindIn(subject); at != std::string::npos;
       at = search.FindIn(subject, at + from.size())) {
    ++occurrences;
  }
  const size_t growth = to.size() - from.size();
  // Compared by division, so a product past the range of size_t cannot wrap.
  return occurrences > (SIZE_MAX - subject.size()) / growth ? SIZE_MAX
                                                            : subject.size() + occurrences * growth;
}

}  // namespace

std::string IpToLong(const std::string& address) {
  const auto network = static_cast<uint32_t>(inet_addr(address.c_str()));
  unsigned char octets[sizeof network];
  std::memcpy(octets, &network, sizeof network);
  const uint32_t number = static_cast<uint32_t>(octets[0]) | static_cast<uint32_t>(octets[1]) << 8 |
                          static_cast<uint32_t>(octets[2]) << 16 |
                          static_cast<uint32_t>(octets[3]) << 24;
  return WriteUnsigned(number);
}

std::optional<std::string> ApplyFunction(std::string subject, const std::string& functionName,
                                         const std::vector<std::string>& arguments,
                                         size_t longest) {
  const auto is = [&functionName](const char* name) {
    return CompareNoCase(functionName, name) == 0;
  };
  const size_t count = arguments.size();

  if (is("substr")) return count == 2 ? Substring(subject, arguments[0], arguments[1]) : "";
  if (is("IpToLong")) return IpToLong(subject);
  if (is("length")) {
    return count == 0 ? WriteSigned(Wrap32(static_cast<int64_t>(subject.size()))) : "";
  }
  if (is("Replace")) {
    if (count != 2) return std::string();
    if (ReplacedLength(subject, arguments[0], arguments[1]) > longest) return std::nullopt;
    ReplaceAll(subject, arguments[0], arguments[1]);
    return subject;
  }
  if (is("Empty")) {
    if (count != 0) return std::string();
    return subject.empty() ? "1" : "0";
  }
  if (is("Find")) {
    return count == 1 ? WriteSigned(Wrap32(IndexOf(subject, arguments[0]))) : "";
  }
  return subject;
}

}  // namespace nodexa
