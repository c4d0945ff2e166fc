// A section-and-key text file in memory: product.ini for the port searches,
// the rule file for the rule engine, empty tables built in memory, and the
// uninstall records, which are also written back.
//
// Reading is forgiving: each line that cannot be understood writes one
// "IniFile::Read <file> [line <n>]: <reason>" line to the diagnostic log and
// is skipped; the file as a whole is never rejected. Sections and keys are
// found without regard to the case of A to Z and keep their first spelling.
// With `autoNumber`, lines that hold only a key are stored as KEY#001,
// KEY#002, ... holding that text, numbered afresh at every section header.
//
// The IniFile owns its sections; removeSection can hand one over. Absent
// sections or keys answer "" (or none); nothing is thrown.
#ifndef NODEXA_SUPPORT_INI_FILE_H_
#define NODEXA_SUPPORT_INI_FILE_H_

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "support/ini_section.h"

namespace nodexa {

class IniFile {
 public:
  // An empty file: no name, no sections.
  explicit IniFile(bool autoNumber);
  // Stores the name and reads the file; one that cannot be read leaves the
  // object empty.
  IniFile(const std::string& fileName, bool autoNumber);
  virtual ~IniFile();
  IniFile(const IniFile&) = delete;
  IniFile& operator=(const IniFile&) = delete;

  // Reads the file (narrow or UTF-16) and merges it in: known sections
  // continue, known keys take the new values. False only when the file
  // could not be opened, without a log line.
  bool Read(const std::string& fileName);

  // The value, or "" when the section or the key is absent.
  std::string GetValue(const std::string& section, const std::string& key) const;

  // The first section of that name in file order, or none.
  IniSection* findSection(const std::string& name) const;
  // That section, or a new empty one appended at the end.
  virtual IniSection* getOrCreateSection(const std::string& name);
  // Appends the section; a null one is logged and ignored.
  void AddSection(std::unique_ptr<IniSection> section);
  // Takes the first section of that name out of the list. With `detach` the
  // caller gets it, otherwise it is destroyed and none is returned; none also
  // when there is no such section.
  std::unique_ptr<IniSection> removeSection(const std::string& name, bool detach);

  // Stores the value in the section, creating it when absent; an empty
  // section name or key is logged and ignored.
  void SetValue(const std::string& section, const std::string& key, const std::string& value);

  // Writes every section, in the encoding the file was read with, to
  // `fileName` or, when that is empty, to the object's own file name. Values
  // go out as stored (quotes removed on reading stay removed). True when the
  // file was opened and every line written.
  bool Write(const std::string& fileName);

  const std::vector<std::unique_ptr<IniSection>>& Sections() const { return sections; }
  // The TextFile encoding found by the last Read, Narrow by default.
  int32_t Encoding() const { return encoding; }

 private:
  void ReadLine(const std::string& fileName, size_t lineNumber, const std::string& rawLine,
                IniSection*& current);

  std::string iniFileName;
  std::vector<std::unique_ptr<IniSection>> sections;
  int32_t encoding;
  bool autoNumbering;
  int32_t keyCounter;
  // The first section of each name, so section look-ups stay logarithmic in
  // files with many sections.
  std::map<std::string, IniSection*, NoCaseLess> firstByName;
};

}  // namespace nodexa

#endif  // NODEXA_SUPPORT_INI_FILE_H_
