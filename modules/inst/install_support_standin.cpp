// Stand-in install-support module ("*inst.dll").
//
// Answers (see standin.h for the file's form):
//   <Function>.result    every function's status (default 0)
//   GetINAInfoQcs.text   the tagged text GetINAInfoQcs hands out
//   GetINAInfoQcs.text.<PORT>, GetINAInfoQcs.result.<PORT>
//                        the text and status for the port the query's PORTNAME
//                        element names (exact spelling), when given; other
//                        ports get the keys without a port
//   GetScannerHostInfoQcs.text   likewise for GetScannerHostInfoQcs
//   <Function>.probe     for those two: what a call with size 0 returns
//                        instead of the buffer convention's 122
//   <Function>.pad=n     for those two: n blanks follow the text
//   <Function>.nul=0     for those two: the text goes out without its NUL,
//                        so it needs its length only and ends the buffer
//   <Function>.needed=n  for those two: the size reported with 122 instead
//                        of the one really needed (which still decides)
// Text functions follow the buffer convention: a buffer too small for the
// text and its NUL gets 122 and the size needed.
// Building with STANDIN_WITHOUT_<Function> leaves that function out.
#include <string>

#include "common/lifecycle_exports.h"
#include "common/standin.h"

namespace {

const char* OrNull(const char* text) { return text != nullptr ? text : "(null)"; }

// A function that journals its one text argument and answers its result.
int32_t TextCall(const char* function, const char* text) {
  standin::Journal(function, {OrNull(text)});
  return standin::Result(function);
}

// Serves the text configured for `function`; a port's own text and result
// (keys ending in ".<port>"), when given, replace the general ones.
[[maybe_unused]] int32_t ServeConfiguredText(const char* function, const std::string& port,
                                             char* buffer, uint32_t size, uint32_t* needed) {
  const standin::Answers answers = standin::Answers::Load();
  const std::string base = std::string(function) + ".";
  const auto key = [&answers, &base, &port](const char* name) {
    const std::string general = base + name;
    const std::string own = general + "." + port;
    return !port.empty() && answers.Has(own) ? own : general;
  };
  if (size == 0 && answers.Has(base + "probe")) return answers.Number(base + "probe");
  std::string text = answers.Text(key("text"));
  text.append(static_cast<uint32_t>(answers.Number(base + "pad")), ' ');
  standin::Served served;
  served.terminated = answers.Text(base + "nul") != "0";
  if (answers.Has(base + "needed")) {
    served.hasAnnounced = true;
    served.announced = static_cast<uint32_t>(answers.Number(base + "needed"));
  }
  return standin::ServeText(text, buffer, size, needed, answers.Number(key("result")), served);
}

}  // namespace

#if !defined(STANDIN_WITHOUT_GetINAInfoQcs)
namespace {
// The port a query's PORTNAME element names, or "".
std::string QueriedPort(const char* query) {
  const std::string text = query != nullptr ? query : "";
  const std::string open = "<PORTNAME>";
  const size_t start = text.find(open);
  const size_t end = text.find("</PORTNAME>");
  if (start == std::string::npos || end == std::string::npos || end < start + open.size()) {
    return std::string();
  }
  return text.substr(start + open.size(), end - start - open.size());
}
}  // namespace

STANDIN_EXPORT int32_t GetINAInfoQcs(const char* query, char* buffer, uint32_t size,
                                     uint32_t* needed) {
  standin::Journal("GetINAInfoQcs", {OrNull(query), std::to_string(size)});
  return ServeConfiguredText("GetINAInfoQcs", QueriedPort(query), buffer, size, needed);
}
#endif

#if !defined(STANDIN_WITHOUT_CreateP2PPort)
STANDIN_EXPORT int32_t CreateP2PPort(const char* share) { return TextCall("CreateP2PPort", share); }
#endif

#if !defined(STANDIN_WITHOUT_VerifySharedPrinter)
STANDIN_EXPORT int32_t VerifySharedPrinter(const char* share) {
  return TextCall("VerifySharedPrinter", share);
}
#endif

#if !defined(STANDIN_WITHOUT_AddProgramFirewallException)
STANDIN_EXPORT int32_t AddProgramFirewallException(const char* program) {
  return TextCall("AddProgramFirewallException", program);
}
#endif

#if !defined(STANDIN_WITHOUT_EnableFirewallExceptionsQcs)
STANDIN_EXPORT int32_t EnableFirewallExceptionsQcs(const char* flag) {
  return TextCall("EnableFirewallExceptionsQcs", flag);
}
#endif

#if !defined(STANDIN_WITHOUT_CreateP2PExceptions)
STANDIN_EXPORT int32_t CreateP2PExceptions() {
  standin::Journal("CreateP2PExceptions");
  return standin::Result("CreateP2PExceptions");
}
#endif

#if !defined(STANDIN_WITHOUT_RemoveProgramFirewallException)
STANDIN_EXPORT int32_t RemoveProgramFirewallException(const char* program) {
  return TextCall("RemoveProgramFirewallException", program);
}
#endif

#if !defined(STANDIN_WITHOUT_GetScannerHostInfoQcs)
STANDIN_EXPORT int32_t GetScannerHostInfoQcs(char* buffer, uint32_t size, uint32_t* needed) {
  standin::Journal("GetScannerHostInfoQcs", {std::to_string(size)});
  return ServeConfiguredText("GetScannerHostInfoQcs", "", buffer, size, needed);
}
#endif

#if !defined(STANDIN_WITHOUT_SetScannerHostInfoQcs)
STANDIN_EXPORT int32_t SetScannerHostInfoQcs(const char* settings) {
  return TextCall("SetScannerHostInfoQcs", settings);
}
#endif
