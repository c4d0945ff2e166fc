// Stand-in install-support module ("*inst.dll").
//
// Answers (see standin.h for the file's form):
//   <Function>.result    every function's status (default 0)
//   GetINAInfoQcs.text   the tagged text GetINAInfoQcs hands out
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

#include "common/standin.h"

namespace {

const char* OrNull(const char* text) { return text != nullptr ? text : "(null)"; }

// A function that journals its one text argument and answers its result.
int32_t TextCall(const char* function, const char* text) {
  standin::Journal(function, {OrNull(text)});
  return standin::Result(function);
}

int32_t ServeConfiguredText(const char* function, char* buffer, uint32_t size, uint32_t* needed) {
  const standin::Answers answers = standin::Answers::Load();
  const std::string key = std::string(function) + ".";
  if (size == 0 && answers.Has(key + "probe")) return answers.Number(key + "probe");
  std::string text = answers.Text(key + "text");
  text.append(static_cast<uint32_t>(answers.Number(key + "pad")), ' ');
  standin::Served served;
  served.terminated = answers.Text(key + "nul") != "0";
  if (answers.Has(key + "needed")) {
    served.hasAnnounced = true;
    served.announced = static_cast<uint32_t>(answers.Number(key + "needed"));
  }
  return standin::ServeText(text, buffer, size, needed, answers.Number(key + "result"), served);
}

}  // namespace

#if !defined(STANDIN_WITHOUT_Initialize)
STANDIN_EXPORT int32_t Initialize() {
  standin::Journal("Initialize", {std::to_string(standin::InitializeCount())});
  return standin::Result("Initialize");
}
#endif

#if !defined(STANDIN_WITHOUT_Uninitialize)
STANDIN_EXPORT int32_t Uninitialize() {
  standin::Journal("Uninitialize");
  return standin::Result("Uninitialize");
}
#endif

#if !defined(STANDIN_WITHOUT_GetINAInfoQcs)
STANDIN_EXPORT int32_t GetINAInfoQcs(const char* port, char* buffer, uint32_t size,
                                     uint32_t* needed) {
  standin::Journal("GetINAInfoQcs", {OrNull(port), std::to_string(size)});
  return ServeConfiguredText("GetINAInfoQcs", buffer, size, needed);
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
  return ServeConfiguredText("GetScannerHostInfoQcs", buffer, size, needed);
}
#endif

#if !defined(STANDIN_WITHOUT_SetScannerHostInfoQcs)
STANDIN_EXPORT int32_t SetScannerHostInfoQcs(const char* settings) {
  return TextCall("SetScannerHostInfoQcs", settings);
}
#endif
