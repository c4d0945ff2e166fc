// IsINAAttached, IsINADefault and DoesINAPrinterExists through the built
// library, with the install-support stand-in answering GetINAInfoQcs and,
// for DoesINAPrinterExists, the machine's USB printers (the stand-in
// device list on POSIX, the real device tree under Wine).
#include <gtest/gtest.h>

#include "harness/test_devices.h"
#include "harness/test_machine.h"
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
  EXPECT_EQ(Journal(),
            (Lines{"Load", "Initialize\t1", "GetINAInfoQcs\t<PORTNAME>USB001</PORTNAME>\t1000",
                   "Uninitialize", "Unload"}));
}

TEST_F(INAQueriesTest, LongInformationTakesASecondCallOfTheNeededSize) {
  const std::string information =
      "<PAD>" + std::string(1200, 'p') + "</PAD><NETDEFAULTS>1</NETDEFAULTS>";
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
  EXPECT_EQ(
      medium.LogLines(),
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

class INAPrinterTest : public ::testing::Test {
 protected:
  INAPrinterTest() : devices(machine) {
    SetupDebugLog(medium.LogPath().c_str());
    medium.InstallModule("QVXAinst.dll", "QVXAinst.dll");
  }
  ~INAPrinterTest() override { SetupDebugLog(""); }

  // The ports GetINAInfoQcs was asked about, in order.
  Lines QueriedPorts() const {
    Lines ports;
    for (const std::string& line : medium.Journal("QVXAinst.dll")) {
      const std::string prefix = "GetINAInfoQcs\t<PORTNAME>";
      if (line.compare(0, prefix.size(), prefix) != 0) continue;
      ports.push_back(line.substr(prefix.size(), line.find('<', prefix.size()) - prefix.size()));
    }
    return ports;
  }

  nodexa::test::TestMachine machine;
  nodexa::test::TestDevices devices;
  nodexa::test::TestMedium medium;
};

// A present USB printer of `model` on `port`.
std::string Printer(const std::string& instance, const std::string& model, const std::string& port,
                    const std::string& more = "") {
  return "[" + instance + "]\nHardwareID=USBPRINT\\" + model + "\nPortName=" + port + "\n" + more;
}

const std::string kTwoPrinters =
    Printer("USB\\A\\1", "QuorvexQX100", "USB001") + Printer("USB\\A\\2", "QuorvexQX100", "USB002");

struct PrinterCase {
  const char* name;
  std::string devices;
  std::string answers;
  const char* argument;
  int32_t result;
  Lines queried;
};

TEST_F(INAPrinterTest, AnyPortWithASupportedAdapterAnswersOne) {
  if (!nodexa::test::TestMachine::IsStandIn()) GTEST_SKIP() << "needs printers of the model";
  const std::string one = "<INASUPPORTED>1</INASUPPORTED>";
  const std::string zero = "<INASUPPORTED>0</INASUPPORTED>";
  const PrinterCase cases[] = {
      {"first 1, second 0",
       kTwoPrinters,
       "GetINAInfoQcs.text.USB001=" + one + "\nGetINAInfoQcs.text.USB002=" + zero,
       "QuorvexQX100",
       1,
       {"USB001", "USB002"}},
      {"first 0, second 1",
       kTwoPrinters,
       "GetINAInfoQcs.text.USB001=" + zero + "\nGetINAInfoQcs.text.USB002= <MODEL>x</MODEL>" +
           "<INASUPPORTED> 1 </INASUPPORTED>",
       "QuorvexQX100",
       1,
       {"USB001", "USB002"}},
      {"every port 0",
       kTwoPrinters,
       "GetINAInfoQcs.text=" + zero,
       "QuorvexQX100",
       0,
       {"USB001", "USB002"}},
      {"a 1 decides even before a 0",
       Printer("USB\\A\\1", "QuorvexQX100", "USB001"),
       "GetINAInfoQcs.text=" + one + zero,
       "QuorvexQX100",
       1,
       {"USB001"}},
      {"01 is not 1",
       Printer("USB\\A\\1", "QuorvexQX100", "USB001"),
       "GetINAInfoQcs.text=<INASUPPORTED>01</INASUPPORTED>",
       "QuorvexQX100",
       0,
       {"USB001"}},
      {"second query fails",
       kTwoPrinters,
       "GetINAInfoQcs.text=" + one + "\nGetINAInfoQcs.result.USB002=5",
       "QuorvexQX100",
       0,
       {"USB001", "USB002"}},
      {"first query fails",
       kTwoPrinters,
       "GetINAInfoQcs.text=" + one + "\nGetINAInfoQcs.result.USB001=5",
       "QuorvexQX100",
       0,
       {"USB001"}},
      {"model without case, further values ignored",
       kTwoPrinters,
       "GetINAInfoQcs.text.USB002=" + one,
       "quorvexqx100|QuorvexQX200",
       1,
       {"USB001", "USB002"}},
      {"other models, phantoms and root devices left out",
       Printer("USB\\B\\1", "QuorvexQX200", "USB003") +
           Printer("USB\\A\\3", "QuorvexQX100", "USB004", "Present=0\n") +
           Printer("ROOT\\PRINTER\\0000", "QuorvexQX100", "USB005") +
           Printer("USB\\A\\1", "QuorvexQX100", "USB001"),
       "GetINAInfoQcs.text=" + one,
       "QuorvexQX100",
       1,
       {"USB001"}},
      {"no printer of the model",
       Printer("USB\\B\\1", "QuorvexQX200", "USB003"),
       "GetINAInfoQcs.text=" + one,
       "QuorvexQX100",
       0,
       {}},
      {"empty argument", kTwoPrinters, "GetINAInfoQcs.text=" + one, "", 0, {}},
      {"null argument", kTwoPrinters, "GetINAInfoQcs.text=" + one, nullptr, 0, {}},
  };
  for (const PrinterCase& c : cases) {
    devices.SetDevices(c.devices);
    medium.SetAnswers("QVXAinst.dll", c.answers + "\n");
    medium.ClearJournal("QVXAinst.dll");
    EXPECT_EQ(DoesINAPrinterExists(c.argument), c.result) << c.name;
    EXPECT_EQ(QueriedPorts(), c.queried) << c.name;
  }
  EXPECT_EQ(medium.LogLines(),
            (Lines{"Nodexa::GetINAInfoQcs(1):Function in inst.dll GetINAInfoQcs failed with error "
                   "code 5",
                   "Nodexa::GetINAInfoQcs(1):Function in inst.dll GetINAInfoQcs failed with error "
                   "code 5"}));
}

TEST_F(INAPrinterTest, NoPrinterOfTheModelQueriesNothing) {
  devices.SetDevices("");
  medium.SetAnswers("QVXAinst.dll", "GetINAInfoQcs.text=<INASUPPORTED>1</INASUPPORTED>\n");
  EXPECT_EQ(DoesINAPrinterExists("QuorvexQX100"), 0);
  EXPECT_EQ(DoesINAPrinterExists(""), 0);
  EXPECT_EQ(DoesINAPrinterExists(nullptr), 0);
  EXPECT_TRUE(medium.Journal("QVXAinst.dll").empty());
  EXPECT_TRUE(medium.LogLines().empty());
}

}  // namespace
