// ValidateUnicodeString through the built library with the stand-in
// validation component.
#include <gtest/gtest.h>

#include "harness/test_machine.h"
#include "harness/test_medium.h"
#include "nodexa/nodexa.h"

namespace {

using Lines = std::vector<std::string>;
using nodexa::test::ReadMachineString;

const char kKey[] = "SOFTWARE\\NodexaValidateTest";

std::string Registry() {
  return nodexa::test::WindowsMachineRegistry() +
         "\n[-HKEY_LOCAL_MACHINE\\SOFTWARE\\NodexaValidateTest]\n"
         "[HKEY_LOCAL_MACHINE\\SOFTWARE\\NodexaValidateTest]\n"
         "\"ValidateUnicodeString\"=\"earlier\"\n";
}

class ValidateUnicodeStringTest : public ::testing::Test {
 protected:
  ValidateUnicodeStringTest() {
    SetupDebugLog(medium.LogPath().c_str());
    component = medium.InstallModule("QVXAgrd.dll", "QVXAgrd.dll").string();
  }
  ~ValidateUnicodeStringTest() override { SetupDebugLog(""); }

  std::string Values(const std::string& text, const std::string& second = "Name") const {
    return component + "|" + text + "|" + second + "|" + kKey;
  }
  Lines Journal() const { return medium.Journal("QVXAgrd.dll"); }

  nodexa::test::TestMachine machine{Registry()};
  nodexa::test::TestMedium medium;
  std::string component;
};

TEST_F(ValidateUnicodeStringTest, AcceptedAnswerIsStored) {
  medium.SetAnswers("QVXAgrd.dll", "Validate.answer=Office PC\n");
  EXPECT_EQ(ValidateUnicodeString(Values("Office  PC").c_str()), 1);
  EXPECT_EQ(ReadMachineString(kKey, "ValidateUnicodeString"), "Office PC");
  EXPECT_EQ(Journal(), (Lines{"Load", "CreateCGrdDlgInstance", "Validate\tName\tOffice  PC\t10\t1",
                              "DestroyCGrdDlgInstance", "Unload"}));
  EXPECT_TRUE(medium.LogLines().empty());
}

TEST_F(ValidateUnicodeStringTest, TextsCrossAsUtf16BothWays) {
  // Code page 1252 in: e acute; out: U with diaeresis.
  medium.SetAnswers("QVXAgrd.dll",
                    "Validate.answer=\xC3\x9C"
                    "ber\n");
  EXPECT_EQ(ValidateUnicodeString(Values("Caf\xE9", "").c_str()), 1);
  EXPECT_EQ(Journal().at(2), "Validate\t\tCaf\xC3\xA9\t4\t1");
  EXPECT_EQ(ReadMachineString(kKey, "ValidateUnicodeString"),
            "\xDC"
            "ber");
}

TEST_F(ValidateUnicodeStringTest, EmptyTextStartsWithLengthZero) {
  EXPECT_EQ(ValidateUnicodeString(Values("").c_str()), 1);
  EXPECT_EQ(Journal().at(2), "Validate\tName\t\t0\t1");
}

TEST_F(ValidateUnicodeStringTest, ReturnedLengthCutsTheAnswer) {
  medium.SetAnswers("QVXAgrd.dll", "Validate.answer=abcdef\nValidate.length=3\n");
  EXPECT_EQ(ValidateUnicodeString(Values("x").c_str()), 1);
  EXPECT_EQ(ReadMachineString(kKey, "ValidateUnicodeString"), "abc");
  medium.SetAnswers("QVXAgrd.dll", "Validate.answer=abcdef\nValidate.length=100000\n");
  EXPECT_EQ(ValidateUnicodeString(Values("x").c_str()), 1);
  EXPECT_EQ(ReadMachineString(kKey, "ValidateUnicodeString"), "abcdef");
}

TEST_F(ValidateUnicodeStringTest, RejectedTextLeavesTheEarlierValue) {
  medium.SetAnswers("QVXAgrd.dll", "Validate.result=0\nValidate.answer=bad\n");
  EXPECT_EQ(ValidateUnicodeString(Values("x").c_str()), 0);
  EXPECT_EQ(ReadMachineString(kKey, "ValidateUnicodeString"), "earlier");
  EXPECT_EQ(medium.LogLines(),
            Lines{"Nodexa::ValidateUnicodeString:Error Validating Unicode String."});
  EXPECT_EQ(Journal().back(), "Unload");
}

TEST_F(ValidateUnicodeStringTest, WrongValueCountsLoadNothing) {
  EXPECT_EQ(ValidateUnicodeString((component + "|a|b").c_str()), 0);
  EXPECT_EQ(ValidateUnicodeString((Values("a") + "|more").c_str()), 0);
  EXPECT_EQ(ValidateUnicodeString(nullptr), 0);
  EXPECT_TRUE(Journal().empty());
  EXPECT_EQ(medium.LogLines(), Lines(3, "Nodexa::ValidateUnicodeString:Invalid Parameter passed"));
}

TEST_F(ValidateUnicodeStringTest, MissingModuleOrFunctions) {
  const std::string missing = (medium.ModuleFolder() / "NoSuchGrd.dll").string();
  EXPECT_EQ(ValidateUnicodeString((missing + "|a|b|" + kKey).c_str()), 0);
  const std::string partial =
      medium.InstallModule("QVXAgrd-no-DestroyCGrdDlgInstance.dll", "PartGrd.dll").string();
  EXPECT_EQ(ValidateUnicodeString((partial + "|a|b|" + kKey).c_str()), 0);
  EXPECT_EQ(medium.Journal("PartGrd.dll"), (Lines{"Load", "Unload"}));
  EXPECT_EQ(medium.LogLines(),
            (Lines{"Nodexa::ValidateUnicodeString:Error loading DLL " + missing,
                   "Nodexa::ValidateUnicodeString:Error loading function CGrdDlgCreate or "
                   "CGrdDlgDestroy from Grd.dll" +
                       partial}));
}

}  // namespace
