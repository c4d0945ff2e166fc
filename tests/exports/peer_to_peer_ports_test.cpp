// CreateP2PPortIP and VerifySharedPrinterExists through the built library,
// asserted from the install-support stand-in's journal and the log.
#include <gtest/gtest.h>

#include "harness/test_machine.h"
#include "harness/test_medium.h"
#include "nodexa/nodexa.h"

namespace {

using Lines = std::vector<std::string>;

class PeerToPeerTest : public ::testing::Test {
 protected:
  PeerToPeerTest() {
    SetupDebugLog(medium.LogPath().c_str());
    medium.InstallModule("QVXAinst.dll", "QVXAinst.dll");
    machine.SetSpooler(
        "[Printer Office Laser]\nServer=\\\\SERVER\nShare=LASER\nDriver=Quorvex QX-100 Series\n"
        "[Printer Front Desk]\nServer=\\\\SERVER\nShare=desk.jet\nDriver=Other Driver\n");
  }
  ~PeerToPeerTest() override { SetupDebugLog(""); }

  Lines Journal() const { return medium.Journal("QVXAinst.dll"); }
  static Lines Bracketed(const Lines& calls) {
    Lines lines{"Load", "Initialize\t1"};
    lines.insert(lines.end(), calls.begin(), calls.end());
    lines.insert(lines.end(), {"Uninitialize", "Unload"});
    return lines;
  }

  nodexa::test::TestMedium medium;
  nodexa::test::TestMachine machine{nodexa::test::WindowsMachineRegistry()};
};

struct CreateCase {
  const char* values;
  const char* portText;
};

TEST_F(PeerToPeerTest, CreateSendsSystemAndShareNames) {
  const CreateCase cases[] = {
      {"\\\\SERVER\\LASER", "<SYSTEMNAME>SERVER</SYSTEMNAME><SHARENAME>LASER</SHARENAME>"},
      {"//pc7/queue", "<SYSTEMNAME>pc7</SYSTEMNAME><SHARENAME>queue</SHARENAME>"},
      {"\\\\SERVER\\desk.jet", "<SYSTEMNAME>SERVER</SYSTEMNAME><SHARENAME>desk.jet</SHARENAME>"},
      {"\\\\SERVER|LASER", "<SYSTEMNAME>\\\\SERVER</SYSTEMNAME><SHARENAME>LASER</SHARENAME>"},
  };
  for (const CreateCase& c : cases) {
    medium.ClearJournal("QVXAinst.dll");
    EXPECT_EQ(CreateP2PPortIP(c.values), 1) << c.values;
    EXPECT_EQ(Journal(), Bracketed({std::string("CreateP2PPort\t") + c.portText})) << c.values;
  }
  EXPECT_TRUE(medium.LogLines().empty());
}

TEST_F(PeerToPeerTest, CreateRejectsWhatIsNoShare) {
  EXPECT_EQ(CreateP2PPortIP("\\\\SERVER"), 0);  // no share: silent
  EXPECT_EQ(Journal(), Bracketed({}));
  EXPECT_TRUE(medium.LogLines().empty());
  for (const char* values : {"a|b|c", "", static_cast<const char*>(nullptr)}) {
    EXPECT_EQ(CreateP2PPortIP(values), 0);
  }
  EXPECT_EQ(medium.LogLines(), Lines(3, "Nodexa::CreateP2PPort:Invalid Parameter passed"));
}

TEST_F(PeerToPeerTest, ModuleFailuresAreLoggedWithTheirOwnTexts) {
  medium.SetAnswers("QVXAinst.dll", "CreateP2PPort.result=-2\nVerifySharedPrinter.result=7\n");
  EXPECT_EQ(CreateP2PPortIP("\\\\SERVER\\LASER"), 0);
  EXPECT_EQ(VerifySharedPrinterExists("SERVER|LASER|Quorvex QX-100 Series"), 0);
  EXPECT_EQ(medium.LogLines(),
            (Lines{"Nodexa::CreateP2PPort:Function in hcp.dll CreateP2PPort failed with error "
                   "code 4294967294",
                   "Nodexa::VerifySharedPrinterExists:Function in xxxxinst.dll "
                   "VerifySharedPrinter failed with error code 7"}));
}

TEST_F(PeerToPeerTest, VerifyNeedsThreeValues) {
  EXPECT_EQ(VerifySharedPrinterExists("SERVER|LASER"), 0);
  EXPECT_EQ(Journal(), Bracketed({}));
  EXPECT_EQ(medium.LogLines(), Lines{"Nodexa::VerifySharedPrinterExists:Invalid Parameter passed"});
}

TEST_F(PeerToPeerTest, MissingFunctionsAreLoggedUnderTheExportsTag) {
  medium.InstallModule("QVXAinst-no-CreateP2PPort.dll", "QVXAinst.dll");
  EXPECT_EQ(CreateP2PPortIP("\\\\SERVER\\LASER"), 0);
  medium.InstallModule("QVXAinst-no-VerifySharedPrinter.dll", "QVXAinst.dll");
  EXPECT_EQ(VerifySharedPrinterExists("SERVER|LASER|x"), 0);
  EXPECT_EQ(medium.LogLines(),
            (Lines{"Nodexa::CreateP2PPortIP:Function in inst.dll 'CreateP2PPort' not found ",
                   "Nodexa::VerifySharedPrinterExists:Function in inst.dll "
                   "'VerifySharedPrinter' not found "}));
}

#if !defined(_WIN32)
// The stand-in spooler knows the shares of \\SERVER; Wine's spooler knows
// no other computer, so these run on the POSIX build only.
TEST_F(PeerToPeerTest, VerifyChecksShareAndDriverWithoutCase) {
  EXPECT_EQ(VerifySharedPrinterExists("SERVER|laser|QUORVEX QX-100 SERIES"), 1);
  EXPECT_EQ(Journal(), Bracketed({"VerifySharedPrinter\t<SYSTEMNAME>SERVER</SYSTEMNAME>"
                                  "<SHARENAME>laser</SHARENAME>"}));
  EXPECT_EQ(VerifySharedPrinterExists("server|DESK.JET|other driver"), 1);
  EXPECT_TRUE(medium.LogLines().empty());
}

TEST_F(PeerToPeerTest, SpoolerEnumerationFailureCountsAsNoPrinter) {
  machine.SetSpooler("[Faults]\nEnumPrintersError=1722\n");
  EXPECT_EQ(VerifySharedPrinterExists("SERVER|LASER|Quorvex QX-100 Series"), 0);
  EXPECT_EQ(medium.LogLines(), Lines{"Nodexa::VerifySharedPrinterExists:Quorvex QX-100 Series "
                                     "doesn't exist on network path \\SERVER\\LASER"});
}
#endif

TEST_F(PeerToPeerTest, AnotherDriverOnTheShareIsNotThePrinter) {
  EXPECT_EQ(VerifySharedPrinterExists("SERVER|LASER|Other Driver"), 0);
  EXPECT_EQ(medium.LogLines(), Lines{"Nodexa::VerifySharedPrinterExists:Other Driver doesn't "
                                     "exist on network path \\SERVER\\LASER"});
}

}  // namespace
