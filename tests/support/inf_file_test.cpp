#include "support/inf_file.h"

#include <gtest/gtest.h>

#include <string>

#include "harness/temp_dir.h"

namespace nodexa {
namespace {

using test::TempDir;
using test::WriteBinary;

// A driver file whose models exist undecorated and for two processors; the
// install sections exist in several decorations.
const char kPrinterInf[] = R"([Version]
Signature="$Windows NT$"
Class=Printer

[Manufacturer]
%Maker%=Quorvex,NTamd64,NTx86

[Quorvex]
"Quorvex Model A" = InstallPlain, USBPRINT\QuorvexModel_A1234

[Quorvex.NTamd64]
"Quorvex Model A" = InstallA64, USBPRINT\QuorvexModel_A1234, QuorvexModel_A
"Quorvex Model B" = InstallB, "WSDPRINT\QuorvexModel_B" ; network model
"Quorvex Model C" = InstallC, LPTENUM\QuorvexModel_C;comment,USBPRINT\Hidden
InstallA64 = OnlyAKey

[Quorvex.NTx86]
"Quorvex Model A" = InstallA86, USBPRINT\QuorvexModel_A1234

[InstallA64]
CopyFiles=Files
[InstallA64.NTamd64]
CopyFiles=Files
[InstallA64.NT]
CopyFiles=Files
[InstallB.NT]
CopyFiles=Files

[Strings]
Maker="Quorvex"
)";

// Manufacturer lines offering version-specific decorations.
const char kVersionedInf[] = R"([Manufacturer]
%Maker%=Models,NTamd64.10.0,ntAMD64,NT.6,NT.6.1,NT

[Models.NTamd64.10.0]
Model = Install10, ID\THING
[Models.NTamd64]
Model = InstallAmd64, ID\THING
[Models.NT.6.1]
Model = Install61, ID\THING
[Models.NT.6]
Model = Install6, ID\THING
[Models.NT]
Model = InstallNT, ID\THING
[Models]
Model = InstallPlain, ID\THING
)";

// Several manufacturers; the first whose models list the identifier wins.
const char kSeveralMakersInf[] = R"([Manufacturer]
First=NoSuchSection,NTamd64
Second = FirstModels
Bare
Third="ThirdModels", NTamd64

[FirstModels]
One = FirstInstall, ID\ONE
[Bare]
Two = BareInstall, ID\TWO
[ThirdModels.NTamd64]
One = ThirdInstall, ID\ONE
Two = ThirdTwo, ID\TWO
Three = ThirdInstall3, ID\THREE
[ThirdInstall3.NTamd64]
)";

const InfPlatform kAmd64Win10{"amd64", 10, 0};
const InfPlatform kX86Win7{"x86", 6, 1};
const InfPlatform kIa64Win61{"IA64", 6, 1};
const InfPlatform kAmd64Win61{"amd64", 6, 1};
const InfPlatform kX86Win10{"x86", 10, 0};
const InfPlatform kX86Vista{"x86", 6, 0};

struct LookupCase {
  const char* inf;
  const char* hardwareId;
  InfPlatform platform;
  const char* expected;
};

TEST(InfFile, FindsTheInstallSection) {
  const LookupCase cases[] = {
      // The decorated models section before the plain one; any case; any
      // identifier of the line; the install section's own decorations.
      {kPrinterInf, "USBPRINT\\QuorvexModel_A1234", kAmd64Win10, "InstallA64.NTamd64"},
      {kPrinterInf, "usbprint\\QUORVEXMODEL_a1234", kAmd64Win10, "InstallA64.NTamd64"},
      {kPrinterInf, "QuorvexModel_A", kAmd64Win10, "InstallA64.NTamd64"},
      {kPrinterInf, "USBPRINT\\QuorvexModel_A1234", kX86Win7, "InstallA86"},
      {kPrinterInf, "USBPRINT\\QuorvexModel_A1234", kIa64Win61, "InstallPlain"},
      {kPrinterInf, "WSDPRINT\\QuorvexModel_B", kAmd64Win10, "InstallB.NT"},  // quoted
      {kPrinterInf, "LPTENUM\\QuorvexModel_C", kAmd64Win10, "InstallC"},  // before a comment
      // Inside a comment, only in another decoration, a prefix, an install
      // section's name, nothing.
      {kPrinterInf, "USBPRINT\\Hidden", kAmd64Win10, ""},
      {kPrinterInf, "WSDPRINT\\QuorvexModel_B", kX86Win7, ""},
      {kPrinterInf, "USBPRINT\\QuorvexModel_A123", kAmd64Win10, ""},
      {kPrinterInf, "InstallA64", kAmd64Win10, ""},
      {kPrinterInf, "", kAmd64Win10, ""},
      // The most specific version first, decorations in any case.
      {kVersionedInf, "ID\\THING", kAmd64Win10, "Install10"},
      {kVersionedInf, "ID\\THING", kAmd64Win61, "InstallAmd64"},
      {kVersionedInf, "ID\\THING", kX86Win7, "Install61"},
      {kVersionedInf, "ID\\THING", kX86Vista, "Install6"},
      {kVersionedInf, "ID\\THING", kX86Win10, "InstallNT"},
      // The first maker listing it; a bare manufacturer line; a quoted name.
      {kSeveralMakersInf, "ID\\ONE", kAmd64Win10, "FirstInstall"},
      {kSeveralMakersInf, "ID\\TWO", kAmd64Win10, "BareInstall"},
      {kSeveralMakersInf, "ID\\THREE", kAmd64Win10, "ThirdInstall3.NTamd64"},
  };
  TempDir dir;
  const std::string path = dir.File("oem7.inf");
  for (const LookupCase& c : cases) {
    WriteBinary(path, c.inf);
    const InfFile inf(path);
    EXPECT_EQ(inf.FindModelInstallSection(c.hardwareId, c.platform), c.expected)
        << c.hardwareId << " " << c.platform.processor << " " << c.platform.major;
  }
}

}  // namespace
}  // namespace nodexa
