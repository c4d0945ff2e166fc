// AddFirewallException and RemoveFirewallException through the built
// library, asserted from the install-support stand-in's journal.
#include <gtest/gtest.h>

#include "harness/test_machine.h"
#include "harness/test_medium.h"
#include "nodexa/nodexa.h"
#include "platform/win32_api.h"

namespace {

using Lines = std::vector<std::string>;

class FirewallTest : public ::testing::Test {
 protected:
  FirewallTest() {
    machine.SetFacts("SystemDirectory=D:\\WinNT\\System32\n");
    SetupDebugLog(medium.LogPath().c_str());
    Install("QVXAinst.dll", "ABCDinst.dll");
  }
  ~FirewallTest() override { SetupDebugLog(""); }

  void Install(const char* variant, const char* name) {
    medium.InstallModule(variant, name);
    module = name;
  }
  Lines Journal() const { return medium.Journal(module); }

  // What the module must receive for the program exception: the system
  // directory as the machine reports it, and the module's prefix.
  static std::string Program(const std::string& prefix) {
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    return std::string("<PROGRAMPATH>") + system + "\\" + prefix +
           "coms.exe</PROGRAMPATH><DISPLAYNAME>Quorvex Communications System</DISPLAYNAME>";
  }

  nodexa::test::TestMachine machine{nodexa::test::WindowsMachineRegistry()};
  nodexa::test::TestMedium medium;
  std::string module;
};

// The program exception comes first, with the system directory and the
// module's prefix; then what the kind (in any case) asks for.
TEST_F(FirewallTest, KindsWithoutRegardToCase) {
#if !defined(_WIN32)
  EXPECT_EQ(Program("ABCD").substr(0, 52),
            "<PROGRAMPATH>D:\\WinNT\\System32\\ABCDcoms.exe</PROGRAM");
#endif
  struct Case {
    const char* kind;
    Lines calls;
  };
  const Case cases[] = {
      {"p2p",
       {"EnableFirewallExceptionsQcs\t<QCSP2PEXCEPTION>1</QCSP2PEXCEPTION>",
        "CreateP2PExceptions"}},
      {"na", {"EnableFirewallExceptionsQcs\t<QCSNETWORKEXCEPTION>1</QCSNETWORKEXCEPTION>"}},
      {"LOCAL", {"EnableFirewallExceptionsQcs\t<QCSNETWORKEXCEPTION>1</QCSNETWORKEXCEPTION>"}},
  };
  for (const Case& c : cases) {
    medium.ClearJournal(module);
    EXPECT_EQ(AddFirewallException(c.kind), 1) << c.kind;
    Lines expected{"Load", "Initialize\t1", "AddProgramFirewallException\t" + Program("ABCD")};
    expected.insert(expected.end(), c.calls.begin(), c.calls.end());
    expected.insert(expected.end(), {"Uninitialize", "Unload"});
    EXPECT_EQ(Journal(), expected) << c.kind;
  }
  EXPECT_TRUE(medium.LogLines().empty());
}

TEST_F(FirewallTest, UnknownKindStillAddsTheProgramException) {
  EXPECT_EQ(AddFirewallException("USB"), 0);
  EXPECT_EQ(Journal(),
            (Lines{"Load", "Initialize\t1", "AddProgramFirewallException\t" + Program("ABCD"),
                   "Uninitialize", "Unload"}));
  EXPECT_EQ(AddFirewallException(nullptr), 0);
  EXPECT_EQ(medium.LogLines(),
            Lines(2, "Nodexa::AddFirewallException:Invalid parameter passed to function"));
}

TEST_F(FirewallTest, MissingCreateP2PExceptionsMattersOnlyForP2P) {
  Install("QVXAinst-no-CreateP2PExceptions.dll", "ABCDinst.dll");
  EXPECT_EQ(AddFirewallException("NA"), 1);
  EXPECT_EQ(AddFirewallException("Local"), 1);
  EXPECT_EQ(AddFirewallException("P2P"), 0);
  EXPECT_EQ(medium.LogLines(), Lines{"Nodexa::AddFirewallException:Function in inst.dll "
                                     "'CreateP2PExceptions' not found "});
}

TEST_F(FirewallTest, FailingCallsAreLoggedUnsigned) {
  medium.SetAnswers(module, "AddProgramFirewallException.result=5\n");
  EXPECT_EQ(AddFirewallException("P2P"), 0);
  medium.SetAnswers(module, "EnableFirewallExceptionsQcs.result=-1\n");
  EXPECT_EQ(AddFirewallException("P2P"), 0);
  medium.SetAnswers(module, "CreateP2PExceptions.result=87\n");
  EXPECT_EQ(AddFirewallException("P2P"), 0);
  medium.SetAnswers(module, "RemoveProgramFirewallException.result=2\n");
  EXPECT_EQ(RemoveFirewallException(), 0);
  EXPECT_EQ(medium.LogLines(),
            (Lines{"Nodexa::AddFirewallException:Function in inst.dll AddProgramFirewallException "
                   "failed with error code 5",
                   "Nodexa::AddFirewallException:Function in inst.dll EnableFirewallExceptionsQcs "
                   "failed with error code 4294967295",
                   "Nodexa::AddFirewallException:Function in inst.dll CreateP2PExceptions failed "
                   "with error code 87",
                   "Nodexa::RemoveFirewallException:Function in inst.dll "
                   "RemoveProgramFirewallException failed with error code 2"}));
}

TEST_F(FirewallTest, RemoveSendsTheSameProgramText) {
  ASSERT_EQ(AddFirewallException("NA"), 1);
  const std::string added =
      Journal().at(2).substr(std::string("AddProgramFirewallException\t").size());
  medium.ClearJournal(module);
  EXPECT_EQ(RemoveFirewallException(), 1);
  EXPECT_EQ(Journal(), (Lines{"Load", "Initialize\t1", "RemoveProgramFirewallException\t" + added,
                              "Uninitialize", "Unload"}));
}

TEST_F(FirewallTest, MissingFunctionsAreLogged) {
  const char* functions[] = {"Initialize", "Uninitialize", "AddProgramFirewallException",
                             "EnableFirewallExceptionsQcs"};
  Lines expected;
  for (const char* function : functions) {
    Install((std::string("QVXAinst-no-") + function + ".dll").c_str(), "ABCDinst.dll");
    EXPECT_EQ(AddFirewallException("NA"), 0) << function;
    expected.push_back(std::string("Nodexa::AddFirewallException:Function in inst.dll '") +
                       function + "' not found ");
  }
  Install("QVXAinst-no-RemoveProgramFirewallException.dll", "ABCDinst.dll");
  EXPECT_EQ(RemoveFirewallException(), 0);
  expected.push_back(
      "Nodexa::RemoveFirewallException:Function in inst.dll 'RemoveProgramFirewallException' "
      "not found ");
  EXPECT_EQ(medium.LogLines(), expected);
}

}  // namespace
