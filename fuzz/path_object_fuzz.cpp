// PathObject::SetFullPath and the operations built on it, over any text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "frame/path_object.h"
#include "frame/string_toolkit.h"
#include "fuzz_input.h"

using nodexa::PathObject;
using nodexa::fuzz::Check;

namespace {

bool HasSlash(const PathObject& path) {
  return path.GetDirectory().find('/') != std::string::npos ||
         path.FullPath().find('/') != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = nodexa::fuzz::Text(data, size);

  PathObject path;
  path.SetFileName("kept.txt");
  const bool set = path.SetFullPath(text);
  Check(set == !nodexa::Trim(text).empty(), "only a blank path is refused");
  if (!set) {
    Check(path.GetDirectory().empty() && path.GetFileName() == "kept.txt",
          "a refused path changes nothing");
    return 0;
  }
  Check(!HasSlash(path), "slashes become backslashes");

  const PathObject copy = path;
  Check(copy == path && path.Compare(copy) == 0 && !(path < copy), "a copy compares equal");

  const PathObject parent = path.Parent();
  Check(!parent.HasFileName() && !HasSlash(parent), "a parent is a directory");

  PathObject appended = path;
  appended.AppendDirectory(text);
  Check(!HasSlash(appended), "appended components are backslashed");
  Check(appended.GetFileName() == path.GetFileName(), "appending keeps the file name");
  return 0;
}
