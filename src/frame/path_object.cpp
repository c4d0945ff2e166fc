#include "path_object.h"

#include <algorithm>

#include "platform/win32_api.h"
#include "string_toolkit.h"

namespace nodexa {

namespace {

std::string Backslashed(std::string text) {
  std::replace(text.begin(), text.end(), '/', '\\');
  return text;
}

// Forward slashes become backslashes and one trailing backslash goes.
std::string NormalizedDirectory(const std::string& directory) {
  std::string result = Backslashed(directory);
  if (!result.empty() && result.back() == '\\') result.pop_back();
  return result;
}

}  // namespace

PathObject::PathObject(const std::string& fullPath) { SetFullPath(fullPath); }

bool PathObject::SetFullPath(const std::string& fullPath) {
  const std::string trimmed = Trim(fullPath);
  if (trimmed.empty()) return false;
  const platform::SplitPathParts parts = platform::SplitPath(trimmed);
  directory = NormalizedDirectory(parts.drive + parts.directory);
  fileName = parts.baseName + parts.extension;
  return true;
}

void PathObject::SetDirectory(const std::string& newDirectory) {
  directory = NormalizedDirectory(newDirectory);
}

void PathObject::AppendDirectory(const std::string& component) {
  if (component.empty()) return;
  std::string piece = Backslashed(component);
  if (piece.front() != '\\') piece.insert(piece.begin(), '\\');
  directory = NormalizedDirectory(directory + piece);
}

std::string PathObject::FullPath() const {
  return fileName.empty() ? directory : directory + "\\" + fileName;
}

PathObject PathObject::Parent() const {
  const platform::SplitPathParts parts = platform::SplitPath(directory);
  PathObject parent;
  parent.SetFullPath(parts.drive + parts.directory);
  return parent;
}

int PathObject::Compare(const PathObject& other) const {
  int result = CompareNoCase(directory, other.directory);
  if (result == 0) result = CompareNoCase(fileName, other.fileName);
  return result > 0 ? 1 : (result < 0 ? -1 : 0);
}

}  // namespace nodexa
