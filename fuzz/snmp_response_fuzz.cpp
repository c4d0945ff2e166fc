// DecodeMessage over any bytes: a message or none, never a crash. What
// decodes encodes again, in no more bytes than it came in (the output is the
// shortest form), to bytes that decode to the same message; DecodeResponse
// takes exactly the Responses; every binding's name survives its dotted
// text, and a GetRequest for the names asks for exactly them.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "fuzz_input.h"
#include "snmp/snmp_message.h"

namespace {

using nodexa::fuzz::Check;
using namespace nodexa::snmp;

void CheckRequestFor(const Message& message) {
  std::vector<Oid> names;
  for (const VarBind& varbind : message.varbinds) names.push_back(varbind.name);
  const std::optional<Bytes> request =
      EncodeGetRequest(message.version, message.community, message.requestId, names);
  Check(request.has_value(), "a GetRequest for decoded names encodes");
  const std::optional<Message> asked = DecodeMessage(request->data(), request->size());
  Check(asked && asked->type == PduType::GetRequest, "the GetRequest decodes");
  Check(asked->requestId == message.requestId && asked->community == message.community,
        "the GetRequest keeps its id and community");
  Check(asked->varbinds.size() == names.size(), "the GetRequest holds every name");
  for (size_t i = 0; i < names.size(); ++i) {
    Check(asked->varbinds[i].name == names[i], "the GetRequest keeps the names in order");
    Check(asked->varbinds[i].value.type == ValueType::Null, "the GetRequest asks with NULLs");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::optional<Message> message = DecodeMessage(data, size);
  const bool response = message && message->type == PduType::Response;
  Check(DecodeResponse(data, size).has_value() == response, "Responses and only they");
  if (!message) return 0;
  Check(message->varbinds.size() <= kMaxVarBinds, "the binding count is capped");

  const std::optional<Bytes> encoded = EncodeMessage(*message);
  Check(encoded.has_value(), "a decoded message encodes");
  Check(encoded->size() <= size, "the shortest form is no longer than the input");
  const std::optional<Message> again = DecodeMessage(encoded->data(), encoded->size());
  Check(again && *again == *message, "the encoding decodes to the same message");

  for (const VarBind& varbind : message->varbinds) {
    Check(ParseOid(FormatOid(varbind.name)) == varbind.name, "names survive their text");
  }
  CheckRequestFor(*message);
  return 0;
}
