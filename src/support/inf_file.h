// A driver's setup-information (INF) file, read like an INI file with
// automatic key numbering off, and the one question the device code asks of
// it: which install section serves a hardware identifier on this system.
//
// Model look-up, as this class answers it:
// - The "Manufacturer" section lists the model sections, one line each, in
//   file order. A line's value (or, for a bare line, its key) is a
//   comma-separated list: the model section's name, then the decorations it
//   exists in. Every manufacturer is searched, in file order; the first
//   model that matches wins.
// - Of the decorations a line offers, the first one in this order is taken:
//   NT<processor>.<major>.<minor>, NT<processor>.<major>, NT<processor>,
//   NT.<major>.<minor>, NT.<major>, NT; the model section is then
//   "<name>.<decoration>". A line that offers none of them uses the plain
//   name. Decorations compare without regard to the case of A to Z, as whole
//   words (longer decorations, such as ones naming a product type, do not
//   match).
// - A model line's value is a comma-separated list: the install section,
//   then the hardware and compatible identifiers. The line matches when any
//   identifier equals the wanted one without regard to the case of A to Z,
//   after quotes and surrounding blanks are removed. A ';' outside quotes
//   starts a comment that is ignored, in manufacturer and model lines alike.
// - The answer is the install section's name, extended to
//   "<name>.NT<processor>" or else "<name>.NT" when the file has a section of
//   that name; "" when no model matches or the identifier is empty.
// Because the file is held as INI data, two model lines with the same key in
// one section keep only the later line's value. Localised strings
// ([Strings], language-decorated ones) are not consulted: the look-up needs
// only section names and identifiers, which INF files do not localise.
#ifndef NODEXA_SUPPORT_INF_FILE_H_
#define NODEXA_SUPPORT_INF_FILE_H_

#include <cstdint>
#include <string>
#include <vector>

#include "support/ini_file.h"

namespace nodexa {

// The running system as INF decorations name it: processor "x86", "amd64"
// or "IA64", and the Windows major and minor version.
struct InfPlatform {
  std::string processor;
  int32_t major;
  int32_t minor;
};

class InfFile : public IniFile {
 public:
  // Reads the file; one that cannot be read gives an empty object, whose
  // look-ups answer "".
  explicit InfFile(const std::string& path);

  // The install section of the first model that lists `hardwareId`, or "".
  std::string FindModelInstallSection(const std::string& hardwareId,
                                      const InfPlatform& platform) const;

 private:
  // The model section a manufacturer line names for this platform.
  std::string ModelSection(const std::string& manufacturerLine,
                           const std::vector<std::string>& decorations) const;
  // The decorated name of a matched model's install section.
  std::string DecoratedInstallSection(const std::string& installSection,
                                      const InfPlatform& platform) const;
};

}  // namespace nodexa

#endif  // NODEXA_SUPPORT_INF_FILE_H_
