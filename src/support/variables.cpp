#include "variables.h"

#include "frame/string_toolkit.h"
#include "resolver.h"
#include "system_variables.h"

namespace nodexa {

namespace {

// How deep values may refer to further values, and how many $NAME$
// replacements one text may take, before expansion stops where it is.
constexpr int kMaxDepth = 16;
constexpr int kMaxSystemReplacements = 1024;

// Expansions in progress on this thread; resolving a value expands it
// again, so the depth is counted across Resolver::Resolve as well.
thread_local int expansionDepth = 0;

struct DepthGuard {
  DepthGuard() { ++expansionDepth; }
  ~DepthGuard() { --expansionDepth; }
  DepthGuard(const DepthGuard&) = delete;
  DepthGuard& operator=(const DepthGuard&) = delete;
  bool TooDeep() const { return expansionDepth > kMaxDepth; }
};

}  // namespace

std::string ExpandVariables(const std::string& text, const Resolver& resolver) {
  DepthGuard guard;
  if (guard.TooDeep()) return text;
  std::string result = text;
  size_t open = text.find('%');
  while (open != std::string::npos) {
    const size_t close = text.find('%', open + 1);
    if (close == std::string::npos) break;
    const std::string name = text.substr(open + 1, close - open - 1);
    const std::string value = ExpandVariables(resolver.resolve(name), resolver);
    ReplaceAll(result, "%" + name + "%", value);
    open = text.find('%', close + 1);
  }
  return ExpandSystemVariables(result);
}

std::string ExpandVariables(const std::string& text) { return ExpandVariables(text, Resolver()); }

std::string ExpandSystemVariables(const std::string& text) {
  DepthGuard guard;
  if (guard.TooDeep()) return text;
  std::string result = text;
  for (int replacements = 0; replacements < kMaxSystemReplacements; ++replacements) {
    const size_t open = result.find('$');
    if (open == std::string::npos) break;
    const size_t close = result.find('$', open + 1);
    if (close == std::string::npos) break;
    result.replace(open, close - open + 1,
                   GetSystemVariable(result.substr(open + 1, close - open - 1)));
  }
  return result;
}

}  // namespace nodexa
