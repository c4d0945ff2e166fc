// GetScannerRegisterInfo and SetScannerRegisterInfo through the built
// library: the texts the install-support stand-in receives and the registry
// values left for the setup program.
#include <gtest/gtest.h>

#include "harness/test_machine.h"
#include "harness/test_medium.h"
#include "nodexa/nodexa.h"

namespace {

using Lines = std::vector<std::string>;
using nodexa::test::ReadMachineString;

const char kKey[] = "SOFTWARE\\NodexaScanTest";

// The machine plus the key the setup program creates for the answers.
std::string Registry() {
  return nodexa::test::WindowsMachineRegistry() +
         "\n[-HKEY_LOCAL_MACHINE\\SOFTWARE\\NodexaScanTest]\n"
         "[HKEY_LOCAL_MACHINE\\SOFTWARE\\NodexaScanTest]\n";
}

class ScannerRegistrationTest : public ::testing::Test {
 protected:
  ScannerRegistrationTest() {
    SetupDebugLog(medium.LogPath().c_str());
    medium.InstallModule("QVXAinst.dll", "QVXAinst.dll");
  }
  ~ScannerRegistrationTest() override { SetupDebugLog(""); }

  std::string Sent() const {
    const Lines journal = medium.Journal("QVXAinst.dll");
    return journal.size() > 2 ? journal[2] : "";
  }

  nodexa::test::TestMachine machine{Registry()};
  nodexa::test::TestMedium medium;
};

struct SetCase {
  const char* values;
  const char* sent;
};

TEST_F(ScannerRegistrationTest, SettingsTextEncodesTheNamePerCodePage) {
  const SetCase cases[] = {
      {"USB001|AB|1252|SOFTWARE\\NodexaScanTest",
       "<PORTNAME>USB001</PORTNAME><PcName>414200</PcName><CodePage>1252</CodePage>"
       "<PinNumber>7391</PinNumber>"},
      {"USB001|AB| 932 |SOFTWARE\\NodexaScanTest|1234",
       "<PORTNAME>USB001</PORTNAME><PcName>410042000000</PcName><CodePage>932</CodePage>"
       "<PinNumber>1234</PinNumber>"},
      {"USB001|AB|949|key|1234|extra",
       "<PORTNAME>USB001</PORTNAME><PcName>410042000000</PcName><CodePage>949</CodePage>"
       "<PinNumber>7391</PinNumber>"},
      {"IP_10.1.2.3|pc\xE9|1252|key",
       "<PORTNAME>IP_10.1.2.3</PORTNAME><PcName>7063e900</PcName><CodePage>1252</CodePage>"
       "<PinNumber>7391</PinNumber>"},
  };
  for (const SetCase& c : cases) {
    medium.ClearJournal("QVXAinst.dll");
    EXPECT_EQ(SetScannerRegisterInfo(c.values), 1) << c.values;
    EXPECT_EQ(Sent(), std::string("SetScannerHostInfoQcs\t") + c.sent) << c.values;
  }
  // Success leaves the registry alone.
  EXPECT_EQ(ReadMachineString(kKey, "SetScannerRegisterInfo"), std::nullopt);
  EXPECT_TRUE(medium.LogLines().empty());
}

TEST_F(ScannerRegistrationTest, FailureIsRecordedAndLogged) {
  medium.SetAnswers("QVXAinst.dll", "SetScannerHostInfoQcs.result=-5\n");
  EXPECT_EQ(SetScannerRegisterInfo("USB001|AB|1252|SOFTWARE\\NodexaScanTest"), 0);
  EXPECT_EQ(ReadMachineString(kKey, "SetScannerRegisterInfo"), "-5");
  EXPECT_EQ(SetScannerRegisterInfo("USB001|AB|1252"), 0);
  EXPECT_EQ(medium.LogLines(),
            (Lines{"Nodexa::SetScannerRegisterInfo:Function in xxxxhcp.dll SetScannerHostInfo "
                   "failed with error code 4294967291",
                   "Nodexa::SetScannerRegisterInfo:Invalid Parameter passed"}));
}

struct GetCase {
  const char* information;
  const char* stored;
};

TEST_F(ScannerRegistrationTest, ReadSettingsGoToTheRegistry) {
  const GetCase cases[] = {
      {"<PcName>410042000000</PcName><CodePage>932</CodePage><PinNumber>1234</PinNumber>",
       "AB|932|1234"},
      {"<pcname>414243</pcname><CODEPAGE>1252</CODEPAGE>", "ABC|1252|"},
      {"<PcName>4G42</PcName><CodePage> 1252 </CodePage><PinNumber>1</PinNumber>", "@B|1252|1"},
      {"<PinNumber>1</PinNumber><PinNumber>2</PinNumber>", "||2"},
  };
  for (const GetCase& c : cases) {
    medium.SetAnswers("QVXAinst.dll",
                      std::string("GetScannerHostInfoQcs.text=") + c.information + "\n");
    EXPECT_EQ(GetScannerRegisterInfo(kKey), 1) << c.information;
    EXPECT_EQ(ReadMachineString(kKey, "GetScannerRegisterInfo"), c.stored) << c.information;
  }
  EXPECT_TRUE(medium.LogLines().empty());
}

TEST_F(ScannerRegistrationTest, NoSettingsOrAFailedReadStoreNothing) {
  medium.SetAnswers("QVXAinst.dll", "GetScannerHostInfoQcs.probe=0\n");
  EXPECT_EQ(GetScannerRegisterInfo(kKey), 0);
  medium.SetAnswers(
      "QVXAinst.dll",
      "GetScannerHostInfoQcs.text=<PinNumber>1</PinNumber>\nGetScannerHostInfoQcs.result=-7\n");
  EXPECT_EQ(GetScannerRegisterInfo(kKey), 0);
  EXPECT_EQ(ReadMachineString(kKey, "GetScannerRegisterInfo"), std::nullopt);
  EXPECT_EQ(medium.LogLines(), Lines{"Nodexa::GetScannerRegisterInfo:Function in xxxxinst.dll "
                                     "GetScannerHostInfo failed with error code -7"});
  EXPECT_EQ(medium.Journal("QVXAinst.dll").back(), "Unload");
}

TEST_F(ScannerRegistrationTest, AMissingKeyIsNotCreated) {
  medium.SetAnswers("QVXAinst.dll", "GetScannerHostInfoQcs.text=<PinNumber>1</PinNumber>\n");
  EXPECT_EQ(GetScannerRegisterInfo("SOFTWARE\\NodexaScanTest\\Missing"), 1);
  EXPECT_EQ(ReadMachineString("SOFTWARE\\NodexaScanTest\\Missing", "GetScannerRegisterInfo"),
            std::nullopt);
}

TEST_F(ScannerRegistrationTest, MissingFunctionsAreLogged) {
  medium.InstallModule("QVXAinst-no-GetScannerHostInfoQcs.dll", "QVXAinst.dll");
  EXPECT_EQ(GetScannerRegisterInfo(kKey), 0);
  medium.InstallModule("QVXAinst-no-SetScannerHostInfoQcs.dll", "QVXAinst.dll");
  EXPECT_EQ(SetScannerRegisterInfo("USB001|AB|1252|key"), 0);
  EXPECT_EQ(medium.LogLines(),
            (Lines{"Nodexa::GetScannerRegisterInfo:Function in inst.dll 'GetScannerHostInfoQcs' "
                   "not found ",
                   "Nodexa::SetScannerRegisterInfo:Function in inst.dll 'SetScannerHostInfoQcs' "
                   "not found "}));
}

}  // namespace
