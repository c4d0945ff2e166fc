// ConfigurePortIP through the built library, asserted from the stand-in
// module's journal.
#include <gtest/gtest.h>

#include "harness/test_medium.h"
#include "nodexa/nodexa.h"

namespace {

using Lines = std::vector<std::string>;

const std::string kIdentity =
    "<IPADDRSOURCE>1</IPADDRSOURCE><IPADDRESS>10.1.2.3</IPADDRESS>"
    "<BROADCASTADDRESS>10.1.2.255</BROADCASTADDRESS><IPNETMASK>255.255.255.0</IPNETMASK>"
    "<IPNAME>QX100-334455</IPNAME><MACUAA>00-11-22-33-44-55</MACUAA>"
    "<IPGATEWAY>10.1.2.1</IPGATEWAY>";
const std::string kCurrent =
    "1|10.1.2.3|10.1.2.255|255.255.255.0|QX100-334455|00-11-22-33-44-55|10.1.2.1";

class ConfigurePortIPTest : public ::testing::Test {
 protected:
  ConfigurePortIPTest() {
    SetupDebugLog(medium.LogPath().c_str());
    medium.InstallModule("QVXAhcp.dll", "QVXAhcp.dll");
  }
  ~ConfigurePortIPTest() override { SetupDebugLog(""); }

  Lines Journal() const { return medium.Journal("QVXAhcp.dll"); }
  static Lines Bracketed(const Lines& calls) {
    Lines lines{"Load", "Initialize\t1"};
    lines.insert(lines.end(), calls.begin(), calls.end());
    lines.insert(lines.end(), {"Uninitialize", "Unload"});
    return lines;
  }

  nodexa::test::TestMedium medium;
};

TEST_F(ConfigurePortIPTest, SevenValuesAskForAddressSourceOneOnly) {
  EXPECT_EQ(ConfigurePortIP(kCurrent.c_str()), 1);
  EXPECT_EQ(Journal(), Bracketed({"Configure\t" + kIdentity + "\t<IPADDRSOURCE>1</IPADDRSOURCE>"}));
  EXPECT_TRUE(medium.LogLines().empty());
}

TEST_F(ConfigurePortIPTest, TenValuesSendTheNewSettings) {
  EXPECT_EQ(ConfigurePortIP((kCurrent + "|10.9.8.7|255.255.0.0|10.9.0.1").c_str()), 1);
  EXPECT_EQ(Journal(), Bracketed({"Configure\t" + kIdentity +
                                  "\t<IPADDRSOURCE>0</IPADDRSOURCE><IPADDRESS>10.9.8.7</IPADDRESS>"
                                  "<IPNETMASK>255.255.0.0</IPNETMASK>"
                                  "<IPGATEWAY>10.9.0.1</IPGATEWAY>"}));
}

TEST_F(ConfigurePortIPTest, EmptyValueBetweenSeparatorsIsAnEmptyElement) {
  EXPECT_EQ(ConfigurePortIP("1||10.1.2.255|255.255.255.0|QX|00-11|10.1.2.1"), 1);
  const std::string call = Journal().at(2);
  EXPECT_NE(call.find("<IPADDRSOURCE>1</IPADDRSOURCE><IPADDRESS></IPADDRESS><BROADCASTADDRESS>"),
            std::string::npos)
      << call;
}

TEST_F(ConfigurePortIPTest, WrongValueCountsAreRejectedAfterInitialize) {
  const char* rejected[] = {
      "1|2|3|4|5|6|7|8", "1|2|3|4|5|6|7|8|9",
      "1|10.1.2.3|10.1.2.255|255.255.255.0|QX|00-11|",  // a trailing separator drops the last
      "", nullptr};
  for (const char* values : rejected) {
    medium.ClearJournal("QVXAhcp.dll");
    EXPECT_EQ(ConfigurePortIP(values), 0) << (values ? values : "(null)");
    EXPECT_EQ(Journal(), Bracketed({})) << (values ? values : "(null)");
  }
  EXPECT_EQ(medium.LogLines(), Lines(5, "Nodexa::ConfigurePortIP:Invalid Parameter passed"));
}

TEST_F(ConfigurePortIPTest, FailureCodesAreLoggedUnsigned) {
  for (const char* code : {"5", "-5"}) {
    medium.SetAnswers("QVXAhcp.dll", std::string("Configure.result=") + code + "\n");
    EXPECT_EQ(ConfigurePortIP(kCurrent.c_str()), 0) << code;
  }
  EXPECT_EQ(
      medium.LogLines(),
      (Lines{"Nodexa::ConfigurePortIP:Function in hcp.dll failed with error code 5",
             "Nodexa::ConfigurePortIP:Function in hcp.dll failed with error code 4294967291"}));
  EXPECT_EQ(Journal().back(), "Unload");
}

TEST_F(ConfigurePortIPTest, EachMissingFunctionIsLoggedAndNothingIsCalled) {
  for (const char* function : {"Initialize", "Uninitialize", "Configure"}) {
    medium.InstallModule(std::string("QVXAhcp-no-") + function + ".dll", "QVXAhcp.dll");
    medium.ClearJournal("QVXAhcp.dll");
    EXPECT_EQ(ConfigurePortIP(kCurrent.c_str()), 0) << function;
    EXPECT_EQ(Journal(), (Lines{"Load", "Unload"})) << function;
  }
  EXPECT_EQ(medium.LogLines(),
            (Lines{"Nodexa::ConfigurePortIP:Function in hcp.dll 'Initialize' not found ",
                   "Nodexa::ConfigurePortIP:Function in hcp.dll 'Uninitialize' not found ",
                   "Nodexa::ConfigurePortIP:Function in hcp.dll 'Configure' not found "}));
}

}  // namespace
