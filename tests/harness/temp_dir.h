// A fresh folder for one test, removed with everything in it afterwards.
#ifndef NODEXA_TESTS_SUPPORT_TEMP_DIR_H_
#define NODEXA_TESTS_SUPPORT_TEMP_DIR_H_

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace nodexa::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return path; }
  // A path inside the folder, as a narrow string the library takes.
  std::string File(const std::string& name) const;

 private:
  std::filesystem::path path;
};

// Makes `folder` the process's current folder until the scope ends, even
// when an assertion ends the test early.
class CurrentFolder {
 public:
  explicit CurrentFolder(const std::filesystem::path& folder)
      : before(std::filesystem::current_path()) {
    std::filesystem::current_path(folder);
  }
  ~CurrentFolder() {
    std::error_code ignored;
    std::filesystem::current_path(before, ignored);
  }
  CurrentFolder(const CurrentFolder&) = delete;
  CurrentFolder& operator=(const CurrentFolder&) = delete;

 private:
  std::filesystem::path before;
};

// The lines of `text` without their line ends (LF or CR LF).
std::vector<std::string> TextLines(const std::string& text);
// The whole file in binary mode ("" when it does not exist).
std::string ReadBinary(const std::string& path);
// Replaces the file's content with `bytes`, byte for byte.
void WriteBinary(const std::filesystem::path& path, const std::string& bytes);
bool FileExists(const std::string& path);
// The path with backslashes, as the library writes paths.
std::string WindowsForm(const std::filesystem::path& path);

}  // namespace nodexa::test

#endif  // NODEXA_TESTS_SUPPORT_TEMP_DIR_H_
