// A Windows-style path held as a directory part and a file-name part.
// Separators are backslashes ('/' in input becomes '\'); the directory never
// ends in a backslash after any operation here, so "C:" is how a drive root
// is held. Comparison ignores the case of A to Z, directory first.
#ifndef NODEXA_FRAME_PATH_OBJECT_H_
#define NODEXA_FRAME_PATH_OBJECT_H_

#include <string>

namespace nodexa {

class PathObject {
 public:
  PathObject() = default;
  // Both parts stay empty when `fullPath` is blank.
  explicit PathObject(const std::string& fullPath);

  // Splits a full path into its two parts. A blank path returns false and
  // changes nothing.
  bool SetFullPath(const std::string& fullPath);
  void SetDirectory(const std::string& directory);
  void SetFileName(const std::string& name) { fileName = name; }
  // Appends one component to the directory; an empty one changes nothing.
  void AppendDirectory(const std::string& component);

  const std::string& GetDirectory() const { return directory; }
  const std::string& GetFileName() const { return fileName; }
  bool HasDirectory() const { return !directory.empty(); }
  bool HasFileName() const { return !fileName.empty(); }
  // The directory, a backslash and the file name; the directory alone when
  // there is no file name.
  std::string FullPath() const;
  // The directory one level up, with no file name.
  PathObject Parent() const;

  // -1, 0 or 1.
  int Compare(const PathObject& other) const;
  bool operator==(const PathObject& other) const { return Compare(other) == 0; }
  bool operator!=(const PathObject& other) const { return Compare(other) != 0; }
  bool operator<(const PathObject& other) const { return Compare(other) < 0; }

 private:
  std::string directory;
  std::string fileName;
};

}  // namespace nodexa

#endif  // NODEXA_FRAME_PATH_OBJECT_H_
