// RegisterNetworkSubnets through the built library, asserted from the
// stand-in module's journal.
#include <gtest/gtest.h>

#include "harness/test_medium.h"
#include "nodexa/nodexa.h"
#include "platform/win32_api.h"

namespace {

using Lines = std::vector<std::string>;

class RegisterNetworkSubnetsTest : public ::testing::Test {
 protected:
  RegisterNetworkSubnetsTest() {
    SetupDebugLog(medium.LogPath().c_str());
    module = medium.InstallModule("QVXAhcp.dll", "QVXAhcp.dll").string();
  }
  ~RegisterNetworkSubnetsTest() override { SetupDebugLog(""); }

  Lines Journal() const { return medium.Journal("QVXAhcp.dll"); }

  nodexa::test::TestMedium medium;
  std::string module;
};

struct TextCase {
  const char* what;
  const char* subnets;
  const char* text;
};

void PrintTo(const TextCase& c, std::ostream* out) { *out << c.what; }

class RegistrationText : public RegisterNetworkSubnetsTest,
                         public ::testing::WithParamInterface<TextCase> {};

TEST_P(RegistrationText, ReachesTheModuleExactly) {
  EXPECT_EQ(RegisterNetworkSubnets(GetParam().subnets), 1);
  EXPECT_EQ(Journal(), (Lines{"Load", "Initialize\t1",
                              std::string("RegisterRemoteSubnets\t") + GetParam().text}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RegistrationText,
    ::testing::Values(
        TextCase{"default mask", "192.168.5.0",
                 "<RemoteSubnets>192.168.5.0:255.255.255.0;</RemoteSubnets>"},
        TextCase{"a given mask is kept", "10.1.2.0|10.9.0.0:255.255.0.0",
                 "<RemoteSubnets>10.1.2.0:255.255.255.0;10.9.0.0:255.255.0.0;</RemoteSubnets>"},
        TextCase{"any ':' counts as a mask",
                 "10.9.0.0:", "<RemoteSubnets>10.9.0.0:;</RemoteSubnets>"},
        TextCase{"an empty entry", "10.1.2.0||10.1.3.0",
                 "<RemoteSubnets>10.1.2.0:255.255.255.0;:255.255.255.0;10.1.3.0:255.255.255.0;"
                 "</RemoteSubnets>"},
        TextCase{"a trailing separator adds nothing", "10.1.2.0|",
                 "<RemoteSubnets>10.1.2.0:255.255.255.0;</RemoteSubnets>"},
        TextCase{
            "blanks at separators go, the outer and inner ones stay", " 10.1.2.0 | 10.1 .3.0 ",
            "<RemoteSubnets> 10.1.2.0:255.255.255.0;10.1 .3.0 :255.255.255.0;</RemoteSubnets>"},
        TextCase{"the empty list sends no element", "", ""}));

TEST_F(RegisterNetworkSubnetsTest, NullLoadsNothing) {
  EXPECT_EQ(RegisterNetworkSubnets(nullptr), 0);
  EXPECT_TRUE(Journal().empty());
  EXPECT_TRUE(medium.LogLines().empty());
}

TEST_F(RegisterNetworkSubnetsTest, ModuleStaysLoadedAndTheNextLoadGetsIt) {
  ASSERT_EQ(RegisterNetworkSubnets("10.1.2.0"), 1);
  EXPECT_NE(GetModuleHandleA(module.c_str()), nullptr);
  ASSERT_EQ(RegisterNetworkSubnets("10.1.3.0"), 1);
  // One load, initialised twice, never uninitialised or unloaded.
  EXPECT_EQ(
      Journal(),
      (Lines{"Load", "Initialize\t1",
             "RegisterRemoteSubnets\t<RemoteSubnets>10.1.2.0:255.255.255.0;</RemoteSubnets>",
             "Initialize\t2",
             "RegisterRemoteSubnets\t<RemoteSubnets>10.1.3.0:255.255.255.0;</RemoteSubnets>"}));
}

TEST_F(RegisterNetworkSubnetsTest, FailureIsLoggedWithItsCodeAndStillLeavesTheModuleLoaded) {
  medium.SetAnswers("QVXAhcp.dll", "RegisterRemoteSubnets.result=4294967295\n");
  EXPECT_EQ(RegisterNetworkSubnets("10.1.2.0"), 0);
  EXPECT_EQ(medium.LogLines(), Lines{"Nodexa::RegisterRemoteSubnets:Function in hcp.dll "
                                     "RegisterRemoteSubnets failed with error code 4294967295"});
  EXPECT_NE(GetModuleHandleA(module.c_str()), nullptr);
  EXPECT_EQ(Journal().back().rfind("RegisterRemoteSubnets\t", 0), 0u);
}

TEST_F(RegisterNetworkSubnetsTest, EachMissingFunctionIsLoggedAndTheModuleUnloaded) {
  for (const char* function : {"Initialize", "Uninitialize", "RegisterRemoteSubnets"}) {
    medium.InstallModule(std::string("QVXAhcp-no-") + function + ".dll", "QVXAhcp.dll");
    medium.ClearJournal("QVXAhcp.dll");
    EXPECT_EQ(RegisterNetworkSubnets("10.1.2.0"), 0) << function;
    EXPECT_EQ(Journal(), (Lines{"Load", "Unload"})) << function;
    EXPECT_EQ(GetModuleHandleA(module.c_str()), nullptr) << function;
  }
  EXPECT_EQ(medium.LogLines(),
            (Lines{"Nodexa::RegisterRemoteSubnets:Function in hcp.dll 'Initialize' not found ",
                   "Nodexa::RegisterRemoteSubnets:Function in hcp.dll 'Uninitialize' not found ",
                   "Nodexa::RegisterRemoteSubnets:Function in hcp.dll 'RegisterRemoteSubnets' "
                   "not found "}));
}

TEST_F(RegisterNetworkSubnetsTest, MissingModuleIsLogged) {
  std::filesystem::remove(module);
  EXPECT_EQ(RegisterNetworkSubnets("10.1.2.0"), 0);
  EXPECT_EQ(medium.LogLines(), Lines{"Nodexa::GetHCPDLLFilePath:Cannot find the file xxxxhcp.dll"});
}

}  // namespace
