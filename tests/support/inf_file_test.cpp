#include "support/inf_file.h"

#include <gtest/gtest.h>

#include <string>

#include "harness/temp_dir.h"
#include "support/case_name.h"
#include "support/file_bytes.h"

namespace nodexa {
namespace {

using test::kUtf16Mark;
using test::TempDir;
using test::Utf16Units;
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
%Maker%=Models,NTamd64.10.0,ntAMD64,NT.6.1,NT

[Models.NTamd64.10.0]
Model = Install10, ID\THING
[Models.NTamd64]
Model = InstallAmd64, ID\THING
[Models.NT.6.1]
Model = Install61, ID\THING
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

const char kNoManufacturerInf[] = R"([Version]
Signature="$Windows NT$"
[Models]
Model = Install, ID\THING
)";

const InfPlatform kAmd64Win10{"amd64", 10, 0};
const InfPlatform kX86Win7{"x86", 6, 1};
const InfPlatform kIa64Win61{"IA64", 6, 1};
const InfPlatform kAmd64Win61{"amd64", 6, 1};
const InfPlatform kX86Win10{"x86", 10, 0};

struct LookupCase {
  const char* name;
  const char* inf;
  const char* hardwareId;
  InfPlatform platform;
  const char* expected;
};

class InfLookup : public ::testing::TestWithParam<LookupCase> {};

TEST_P(InfLookup, FindsTheInstallSection) {
  const LookupCase& c = GetParam();
  TempDir dir;
  const std::string path = dir.File("oem7.inf");
  WriteBinary(path, c.inf);
  const InfFile inf(path);
  EXPECT_EQ(inf.FindModelInstallSection(c.hardwareId, c.platform), c.expected);
}

TEST_P(InfLookup, Utf16FileAnswersTheSame) {
  const LookupCase& c = GetParam();
  TempDir dir;
  const std::string path = dir.File("oem8.inf");
  WriteBinary(path, kUtf16Mark + Utf16Units(c.inf));
  const InfFile inf(path);
  EXPECT_EQ(inf.FindModelInstallSection(c.hardwareId, c.platform), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InfLookup,
    ::testing::Values(
        LookupCase{"Amd64SectionPreferredOverPlain", kPrinterInf, "USBPRINT\\QuorvexModel_A1234",
                   kAmd64Win10, "InstallA64.NTamd64"},
        LookupCase{"IdentifierInAnyCase", kPrinterInf, "usbprint\\QUORVEXMODEL_a1234", kAmd64Win10,
                   "InstallA64.NTamd64"},
        LookupCase{"LaterIdentifierOfTheLine", kPrinterInf, "QuorvexModel_A", kAmd64Win10,
                   "InstallA64.NTamd64"},
        LookupCase{"X86SectionWithoutDecoratedInstall", kPrinterInf, "USBPRINT\\QuorvexModel_A1234",
                   kX86Win7, "InstallA86"},
        LookupCase{"ProcessorNotOfferedUsesPlainSection", kPrinterInf,
                   "USBPRINT\\QuorvexModel_A1234", kIa64Win61, "InstallPlain"},
        LookupCase{"QuotedIdentifierAndCommentGiveNtDecoration", kPrinterInf,
                   "WSDPRINT\\QuorvexModel_B", kAmd64Win10, "InstallB.NT"},
        LookupCase{"IdentifierBeforeAComment", kPrinterInf, "LPTENUM\\QuorvexModel_C", kAmd64Win10,
                   "InstallC"},
        LookupCase{"IdentifierInsideACommentIsNotListed", kPrinterInf, "USBPRINT\\Hidden",
                   kAmd64Win10, ""},
        LookupCase{"ModelOnlyInAnotherDecoration", kPrinterInf, "WSDPRINT\\QuorvexModel_B",
                   kX86Win7, ""},
        LookupCase{"UnknownIdentifier", kPrinterInf, "USBPRINT\\Other", kAmd64Win10, ""},
        LookupCase{"PrefixIsNoMatch", kPrinterInf, "USBPRINT\\QuorvexModel_A123", kAmd64Win10, ""},
        LookupCase{"InstallSectionIsNoIdentifier", kPrinterInf, "InstallA64", kAmd64Win10, ""},
        LookupCase{"ModelKeyIsNoIdentifier", kPrinterInf, "Quorvex Model A", kAmd64Win10, ""},
        LookupCase{"EmptyIdentifier", kPrinterInf, "", kAmd64Win10, ""},
        LookupCase{"MostSpecificVersionFirst", kVersionedInf, "ID\\THING", kAmd64Win10,
                   "Install10"},
        LookupCase{"DecorationsCompareInAnyCase", kVersionedInf, "ID\\THING", kAmd64Win61,
                   "InstallAmd64"},
        LookupCase{"NtVersionBeforePlainNt", kVersionedInf, "ID\\THING", kX86Win7, "Install61"},
        LookupCase{"PlainNtLast", kVersionedInf, "ID\\THING", kX86Win10, "InstallNT"},
        LookupCase{"FirstMakerThatListsItWins", kSeveralMakersInf, "ID\\ONE", kAmd64Win10,
                   "FirstInstall"},
        LookupCase{"BareManufacturerLine", kSeveralMakersInf, "ID\\TWO", kAmd64Win10,
                   "BareInstall"},
        LookupCase{"QuotedSectionName", kSeveralMakersInf, "ID\\THREE", kAmd64Win10,
                   "ThirdInstall3.NTamd64"},
        LookupCase{"NoManufacturerSection", kNoManufacturerInf, "ID\\THING", kAmd64Win10, ""}),
    test::CaseName());

TEST(InfFile, ReadsWithoutNumbering) {
  TempDir dir;
  const std::string path = dir.File("plain.inf");
  WriteBinary(path, "[SourceDisksNames]\ndisk1\n");
  const InfFile inf(path);
  EXPECT_EQ(inf.GetValue("SourceDisksNames", "disk1"), "");
  ASSERT_NE(inf.findSection("SourceDisksNames"), nullptr);
  EXPECT_EQ(inf.findSection("SourceDisksNames")->Keys(), std::vector<std::string>({"disk1"}));
}

TEST(InfFile, AbsentFileFindsNothing) {
  TempDir dir;
  const InfFile inf(dir.File("oem99.inf"));
  EXPECT_TRUE(inf.Sections().empty());
  EXPECT_EQ(inf.FindModelInstallSection("USBPRINT\\QuorvexModel_A1234", kAmd64Win10), "");
}

TEST(InfFile, GarbageFindsNothingAndDoesNotCrash) {
  TempDir dir;
  const std::string path = dir.File("oem1.inf");
  std::string data = test::Garbage(32 * 1024, 99);
  // Manufacturer lines pointing into garbage, with stray separators.
  data = "[Manufacturer]\n,,,\n=\n\"\nM=,NT\nN=\"unterminated,NTamd64\n[,NT]\n" + data;
  WriteBinary(path, data);
  const InfFile inf(path);
  EXPECT_EQ(inf.FindModelInstallSection("USBPRINT\\QuorvexModel_A1234", kAmd64Win10), "");
  EXPECT_EQ(inf.FindModelInstallSection(",", kAmd64Win10), "");
}

}  // namespace
}  // namespace nodexa
