// IsINAAttached and IsINADefault through the built library, with the
// install-support stand-in answering GetINAInfoQcs.
#include <gtest/gtest.h>

#include "harness/test_medium.h"
#include "nodexa/nodexa.h"

namespace {

using Lines = std::vector<std::string>;

class INAQueriesTest : public ::testing::Test {
 protected:
  INAQueriesTest() {
    SetupDebugLog(medium.LogPath().c_str());
    medium.InstallModule("QVXAinst.dll", "QVXAinst.dll");
  }
  ~INAQueriesTest() override { SetupDebugLog(""); }

  void Answer(const std::string& information, const std::string& more = "") {
    medium.SetAnswers("QVXAinst.dll", "GetINAInfoQcs.text=" + information + "\n" + more);
  }
  Lines Journal() const { return medium.Journal("QVXAinst.dll"); }

  nodexa::test::TestMedium medium;
};

struct FlagCase {
  const char* information;
  int32_t attached;
  int32_t atDefaults;
};

TEST_F(INAQueriesTest, FlagsAreOneOnly) {
  const FlagCase cases[] = {
      {"<INASUPPORTED>1</INASUPPORTED><NETDEFAULTS>0</NETDEFAULTS>", 1, 0},
      {"<inasupported> 1 </inasupported><NetDefaults>1</NetDefaults>", 1, 1},
      {"<INASUPPORTED>01</INASUPPORTED><NETDEFAULTS>yes</NETDEFAULTS>", 0, 0},
      {"<INASUPPORTED>true</INASUPPORTED><NETDEFAULTS></NETDEFAULTS>", 0, 0},
      {"<INASUPPORTED>1</INASUPPORTED><INASUPPORTED>0</INASUPPORTED>", 0, 0},  // the last decides
      {"<INASUPPORTED>0</INASUPPORTED><OTHER>x</OTHER><INASUPPORTED>1</INASUPPORTED>", 1, 0},
      {"<MODEL>QX</MODEL>", 0, 0},
      {"not tagged text", 0, 0},
  };
  for (const FlagCase& c : cases) {
    Answer(c.information);
    EXPECT_EQ(IsINAAttached("USB001"), c.attached) << c.information;
    EXPECT_EQ(IsINADefault("USB001"), c.atDefaults) << c.information;
  }
  EXPECT_TRUE(medium.LogLines().empty());
}

TEST_F(INAQueriesTest, QueryNamesThePortInAThousandByteBuffer) {
  Answer("<INASUPPORTED>1</INASUPPORTED>");
  EXPECT_EQ(IsINAAttached("USB001"), 1);
  EXPECT_EQ(Journal(), (Lines{"Load", "Initialize\t1", "GetINAInfoQcs\t<PORTNAME>USB001</PORTNAME>\t1000",
                              "Uninitialize", "Unload"}));
}

TEST_F(INAQueriesTest, LongInformationTakesASecondCallOfTheNeededSize) {
  const std::string information = "<PAD>" + std::string(1200, 'p') + "</PAD><NETDEFAULTS>1</NETDEFAULTS>";
  Answer(information);
  EXPECT_EQ(IsINADefault("USB002"), 1);
  const Lines journal = Journal();
  ASSERT_EQ(journal.size(), 6u);
  EXPECT_EQ(journal[2], "GetINAInfoQcs\t<PORTNAME>USB002</PORTNAME>\t1000");
  EXPECT_EQ(journal[3], "GetINAInfoQcs\t<PORTNAME>USB002</PORTNAME>\t" +
                            std::to_string(information.size() + 1));
}

TEST_F(INAQueriesTest, FailuresNameTheCallThatFailed) {
  Answer("<INASUPPORTED>1</INASUPPORTED>", "GetINAInfoQcs.result=5\n");
  EXPECT_EQ(IsINAAttached("USB001"), 0);
  Answer("<INASUPPORTED>1</INASUPPORTED>" + std::string(1000, ' '), "GetINAInfoQcs.result=-7\n");
  EXPECT_EQ(IsINAAttached("USB001"), 0);
  EXPECT_EQ(IsINADefault(nullptr), 0);
  EXPECT_EQ(medium.LogLines(),
            (Lines{"Nodexa::GetINAInfoQcs(1):Function in inst.dll GetINAInfoQcs failed with error code 5",
                   "Nodexa::GetINAInfoQcs(2):Function in inst.dll GetINAInfoQcs failed with error code "
                   "4294967289",
                   "Nodexa::GetINAInfoQcs:Invalid parameter passed to function"}));
  EXPECT_EQ(Journal().back(), "Unload");
}

TEST_F(INAQueriesTest, MissingFunctionsAreLogged) {
  Lines expected;
  for (const char* function : {"Initialize", "Uninitialize", "GetINAInfoQcs"}) {
    medium.InstallModule(std::string("QVXAinst-no-") + function + ".dll", "QVXAinst.dll");
    EXPECT_EQ(IsINAAttached("USB001"), 0) << function;
    expected.push_back(std::string("Nodexa::GetINAInfoQcs:Function in inst.dll '") + function +
                       "' not found ");
  }
  EXPECT_EQ(medium.LogLines(), expected);
}

}  // namespace
