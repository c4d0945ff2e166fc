#include "variables.h"

#include <algorithm>

#include "frame/string_toolkit.h"
#include "resolver.h"
#include "system_variables.h"

namespace nodexa {

namespace {

// How deep values may refer to further values, and how many $NAME$
// replacements one text may take, before expansion stops where it is.
constexpr int kMaxDepth = 16;
constexpr int kMaxSystemReplacements = 256;

// Values that refer to several names, each referring back, branch at every
// level, so the depth alone would still allow an exponential number of
// resolutions and an exponentially long result. One outermost expansion,
// nested ones included, resolves at most kMaxResolutions names, and no
// replacement makes a text longer than kMaxLength (or than it was, if it was
// longer already). References not replaced then stay as they stand.
constexpr int kMaxResolutions = 256;
constexpr size_t kMaxLength = size_t{64} << 10;

// Expansions in progress on this thread and the resolutions left to the
// outermost one; resolving a value expands it again, so both are counted
// across Resolver::Resolve as well.
struct ExpansionState {
  int depth = 0;
  int resolutionsLeft = 0;
};
thread_local ExpansionState expansion;

struct DepthGuard {
  DepthGuard() {
    if (++expansion.depth == 1) expansion.resolutionsLeft = kMaxResolutions;
  }
  ~DepthGuard() { --expansion.depth; }
  DepthGuard(const DepthGuard&) = delete;
  DepthGuard& operator=(const DepthGuard&) = delete;
  bool TooDeep() const { return expansion.depth > kMaxDepth; }
};

bool TakeResolution() {
  if (expansion.resolutionsLeft <= 0) return false;
  --expansion.resolutionsLeft;
  return true;
}

// Whether replacing every `reference` in `text` by `value` keeps the text
// within `limit`.
bool FitsAfterReplacing(const std::string& text, const std::string& reference,
                        const std::string& value, size_t limit) {
  if (value.size() <= reference.size()) return true;
  size_t occurrences = 0;
  for (size_t at = text.find(reference); at != std::string::npos;
       at = text.find(reference, at + reference.size())) {
    ++occurrences;
  }
  const size_t growth = value.size() - reference.size();
  return text.size() <= limit && occurrences <= (limit - text.size()) / growth;
}

}  // namespace

std::string ExpandVariables(const std::string& text, const Resolver& resolver) {
  // Most texts (every port record) refer to nothing: one copy, no search.
  // Two single-character scans, which the library vectorises, where
  // find_first_of would look each character up in the set one at a time.
  if (text.find('%') == std::string::npos && text.find('$') == std::string::npos) return text;
  DepthGuard guard;
  if (guard.TooDeep()) return text;
  const size_t limit = std::max(kMaxLength, text.size());
  std::string result = text;
  size_t open = text.find('%');
  while (open != std::string::npos) {
    const size_t close = text.find('%', open + 1);
    if (close == std::string::npos || !TakeResolution()) break;
    const std::string name = text.substr(open + 1, close - open - 1);
    const std::string value = ExpandVariables(resolver.resolve(name), resolver);
    const std::string reference = "%" + name + "%";
    if (!FitsAfterReplacing(result, reference, value, limit)) break;
    ReplaceAll(result, reference, value);
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
