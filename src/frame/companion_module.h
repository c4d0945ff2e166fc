// One use of a companion module, from locating it to unloading it.
//
//   CompanionModule hcp(CompanionModule::HostCommunication, "GetDiscoveredPorts:");
//   if (!hcp.Bind({"Discover", "Enumerate"})) return failure;   // logged
//   hcp.Initialize();
//   auto discover = hcp.Function<hcp::DiscoverFn>(0);
//   ...                                    // the destructor runs Uninitialize
//                                          // (once initialised) and unloads
//
// Bind locates the module on the setup medium, loads it by full path and
// looks up "Initialize", "Uninitialize" and the given names in that order;
// at the first missing name it logs "Function in hcp.dll '<name>' not found "
// (or inst.dll) under the caller's tag, unloads and fails, so a module
// lacking anything is never initialised. Nothing bound outlives the object,
// except after LeaveLoaded.
#ifndef NODEXA_FRAME_COMPANION_MODULE_H_
#define NODEXA_FRAME_COMPANION_MODULE_H_

#include <initializer_list>
#include <string>
#include <vector>

#include "platform_handles.h"

namespace nodexa {

class CompanionModule {
 public:
  enum Kind { HostCommunication, InstallSupport };

  CompanionModule(Kind kind, const char* tag);
  ~CompanionModule();
  CompanionModule(const CompanionModule&) = delete;
  CompanionModule& operator=(const CompanionModule&) = delete;

  // Locate, load, bind. False when the module is missing (logged by the
  // locator), does not load (not logged) or lacks a function (logged).
  bool Bind(std::initializer_list<const char*> functions);
  // Calls the module's Initialize; from now on the destructor calls
  // Uninitialize.
  void Initialize();
  // Keeps the module loaded and initialised past this object.
  void LeaveLoaded();

  // A function the operation can do without: null, and nothing logged,
  // when the bound module lacks it.
  template <typename Fn>
  Fn Optional(const char* name) const {
    return module ? As<Fn>(GetProcAddress(module.get(), name)) : nullptr;
  }

  // The function bound at `index` of the list given to Bind.
  template <typename Fn>
  Fn Function(size_t index) const {
    return As<Fn>(functions[index]);
  }

  const std::string& Path() const { return path; }
  // The product prefix of an install-support module ("" for the other kind).
  const std::string& Prefix() const { return prefix; }

 private:
  using Lifecycle = int32_t (*)();

  // Through the generic function pointer type: the cast between function
  // types is what GetProcAddress's contract asks for.
  template <typename Fn>
  static Fn As(FARPROC proc) {
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(proc));
  }

  Kind kind;
  const char* tag;
  std::string path;
  std::string prefix;
  UniqueModule module;
  FARPROC uninitialize = nullptr;
  FARPROC initialize = nullptr;
  std::vector<FARPROC> functions;
  bool initialized = false;
};

}  // namespace nodexa

#endif  // NODEXA_FRAME_COMPANION_MODULE_H_
