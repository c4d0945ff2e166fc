#include "discovery/discovery_run.h"

#include <gtest/gtest.h>

#include <fstream>

#include "nodexa/nodexa.h"
#include "harness/test_medium.h"

namespace nodexa {
namespace {

using Lines = std::vector<std::string>;

const std::string kParameters = "<UNICAST>1</UNICAST><LocalSubnets>1</LocalSubnets>";

class DiscoveryRunTest : public ::testing::Test {
 protected:
  DiscoveryRunTest() { SetupDebugLog(medium.LogPath().c_str()); }
  ~DiscoveryRunTest() override { SetupDebugLog(""); }

  // Installs the host-communication stand-in (or a variant) with answers.
  void Module(const std::string& answers, const std::string& variant = "QVXAhcp.dll") {
    medium.InstallModule(variant, "QVXAhcp.dll");
    medium.SetAnswers("QVXAhcp.dll", answers);
  }

  test::TestMedium medium;
};

TEST_F(DiscoveryRunTest, ListsEveryDeviceInOrder) {
  Module("device=<IPADDRESS>10.1.2.3</IPADDRESS>\ndevice=<IPADDRESS>10.1.2.4</IPADDRESS>\n");
  Lines ports{"stale"};
  EXPECT_EQ(GetDiscoveredPorts(ports, kParameters), 1);
  EXPECT_EQ(ports, (Lines{"<IPADDRESS>10.1.2.3</IPADDRESS>", "<IPADDRESS>10.1.2.4</IPADDRESS>"}));
  // Two records of 31 characters, each with its NUL: 64 bytes announced.
  EXPECT_EQ(medium.Journal("QVXAhcp.dll"),
            (Lines{"Load", "Initialize\t1", "Discover\t" + kParameters, "Enumerate\t0\t",
                   "Enumerate\t64\t", "Uninitialize", "Unload"}));
  EXPECT_TRUE(medium.LogLines().empty());
}

TEST_F(DiscoveryRunTest, FilterReachesBothEnumerateCalls) {
  Module("device=<A>1</A>\n");
  const auto devices = DiscoveryRun("hcpGetDiscoveredPorts:", kParameters,
                                    "<CPDATTACHED>1</CPDATTACHED>");
  ASSERT_TRUE(devices);
  EXPECT_EQ(*devices, Lines{"<A>1</A>"});
  EXPECT_EQ(medium.Journal("QVXAhcp.dll")[3], "Enumerate\t0\t<CPDATTACHED>1</CPDATTACHED>");
  EXPECT_EQ(medium.Journal("QVXAhcp.dll")[4], "Enumerate\t9\t<CPDATTACHED>1</CPDATTACHED>");
}

struct ListCase {
  const char* what;
  const char* answers;
  Lines expected;
};

void PrintTo(const ListCase& c, std::ostream* out) { *out << c.what; }

class RawListTable : public DiscoveryRunTest, public ::testing::WithParamInterface<ListCase> {};

TEST_P(RawListTable, SplitsTheModulesBytes) {
  Module(GetParam().answers);
  Lines ports;
  ASSERT_EQ(GetDiscoveredPorts(ports, kParameters), 1) << GetParam().what;
  EXPECT_EQ(ports, GetParam().expected) << GetParam().what;
  EXPECT_EQ(medium.Journal("QVXAhcp.dll").back(), "Unload");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RawListTable,
    ::testing::Values(
        ListCase{"one final NUL adds nothing", "Enumerate.raw=<A>1</A>\\0<B>2</B>\\0\n",
                 {"<A>1</A>", "<B>2</B>"}},
        ListCase{"two final NULs add an empty entry", "Enumerate.raw=<A>1</A>\\0\\0\n",
                 {"<A>1</A>", ""}},
        ListCase{"a ';' inside a description splits it", "Enumerate.raw=<S>a;b</S>\\0\n",
                 {"<S>a", "b</S>"}},
        ListCase{"no NUL at all", "Enumerate.raw=<A>1</A>\n", {"<A>1</A>"}},
        ListCase{"fewer bytes written than announced",
                 "Enumerate.raw=<A>1</A>\nEnumerate.needed=12\n",
                 {"<A>1</A>", "", "", ""}},
        ListCase{"blanks around separators go", "Enumerate.raw= <A>1</A> \\0 <B>2</B>\\0\n",
                 {" <A>1</A>", "<B>2</B>"}},
        ListCase{"filling call's failure is not judged",
                 "device=<A>1</A>\nEnumerate.result=31\n", {"<A>1</A>"}}));

struct NoListCase {
  const char* what;
  const char* answers;
  Lines journal;  // after Load and Initialize
};

void PrintTo(const NoListCase& c, std::ostream* out) { *out << c.what; }

class NoListTable : public DiscoveryRunTest, public ::testing::WithParamInterface<NoListCase> {};

TEST_P(NoListTable, LeavesTheCallersListAndReleasesTheModule) {
  Module(GetParam().answers);
  Lines ports{"kept"};
  EXPECT_EQ(GetDiscoveredPorts(ports, kParameters), 0) << GetParam().what;
  EXPECT_EQ(ports, Lines{"kept"});
  Lines expected{"Load", "Initialize\t1", "Discover\t" + kParameters};
  expected.insert(expected.end(), GetParam().journal.begin(), GetParam().journal.end());
  expected.insert(expected.end(), {"Uninitialize", "Unload"});
  EXPECT_EQ(medium.Journal("QVXAhcp.dll"), expected) << GetParam().what;
  EXPECT_TRUE(medium.LogLines().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NoListTable,
    ::testing::Values(NoListCase{"Discover fails", "Discover.result=5\ndevice=<A>1</A>\n", {}},
                      NoListCase{"probe answers 0", "Enumerate.probe=0\n", {"Enumerate\t0\t"}},
                      NoListCase{"probe answers an error",
                                 "device=<A>1</A>\nEnumerate.probe=87\n", {"Enumerate\t0\t"}},
                      NoListCase{"probe asks for 0xFFFFFFFF bytes",
                                 "device=<A>1</A>\nEnumerate.needed=0xFFFFFFFF\n",
                                 {"Enumerate\t0\t"}}));

TEST_F(DiscoveryRunTest, InitializeFailingIsNotJudged) {
  Module("Initialize.result=1\ndevice=<A>1</A>\n");
  Lines ports;
  EXPECT_EQ(GetDiscoveredPorts(ports, kParameters), 1);
  EXPECT_EQ(ports, Lines{"<A>1</A>"});
}

TEST_F(DiscoveryRunTest, EachMissingFunctionIsLoggedAndNothingIsCalled) {
  for (const char* function : {"Initialize", "Uninitialize", "Discover", "Enumerate"}) {
    medium.ClearJournal("QVXAhcp.dll");
    Module("device=<A>1</A>\n", std::string("QVXAhcp-no-") + function + ".dll");
    Lines ports{"kept"};
    EXPECT_EQ(GetDiscoveredPorts(ports, kParameters), 0) << function;
    EXPECT_EQ(ports, Lines{"kept"});
    EXPECT_EQ(medium.Journal("QVXAhcp.dll"), (Lines{"Load", "Unload"})) << function;
  }
  EXPECT_EQ(medium.LogLines(),
            (Lines{"Nodexa::GetDiscoveredPorts:Function in hcp.dll 'Initialize' not found ",
                   "Nodexa::GetDiscoveredPorts:Function in hcp.dll 'Uninitialize' not found ",
                   "Nodexa::GetDiscoveredPorts:Function in hcp.dll 'Discover' not found ",
                   "Nodexa::GetDiscoveredPorts:Function in hcp.dll 'Enumerate' not found "}));
}

TEST_F(DiscoveryRunTest, MissingOrBrokenModuleFile) {
  Lines ports{"kept"};
  EXPECT_EQ(GetDiscoveredPorts(ports, kParameters), 0);
  // A file that matches but is no module: no load, no line.
  std::ofstream(medium.ModuleFolder() / "BADXhcp.dll") << "not a module";
  EXPECT_EQ(GetDiscoveredPorts(ports, kParameters), 0);
  EXPECT_EQ(ports, Lines{"kept"});
  EXPECT_EQ(medium.LogLines(),
            Lines{"Nodexa::GetHCPDLLFilePath:Cannot find the file xxxxhcp.dll"});
}

TEST_F(DiscoveryRunTest, OfTwoMatchingModulesExactlyOneIsUsed) {
  for (const char* name : {"AAAAhcp.dll", "BBBBhcp.dll"}) {
    medium.InstallModule("QVXAhcp.dll", name);
    medium.SetAnswers(name, "device=<A>1</A>\n");
  }
  Lines ports;
  EXPECT_EQ(GetDiscoveredPorts(ports, kParameters), 1);
  const bool usedA = !medium.Journal("AAAAhcp.dll").empty();
  const bool usedB = !medium.Journal("BBBBhcp.dll").empty();
  EXPECT_NE(usedA, usedB);
  EXPECT_TRUE(medium.LogLines().empty());
}

}  // namespace
}  // namespace nodexa
