// PortAction::OurEnumPorts against the spooler: the stand-in's fault
// switches on POSIX, the real (Wine's) spooler in the Windows build.
#include "discovery/port_action.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "harness/test_machine.h"
#include "harness/log_capture.h"

namespace nodexa {
namespace {

using Lines = std::vector<std::string>;

const char kTooSmall[] = "PortAction::OurEnumPorts: Buffer is too small - trying again... 122";

Lines PortNames(const PortInfoArray& ports, DWORD count) {
  Lines names;
  for (size_t i = 0; i < ports.Usable(count); ++i) {
    const PORT_INFO_2A& port = ports.Entries()[i];
    names.push_back(std::string(port.pPortName != nullptr ? port.pPortName : "(null)") + "=" +
                    (port.pDescription != nullptr ? port.pDescription : "(null)"));
  }
  return names;
}

class PortActionTest : public ::testing::Test {
 protected:
  test::TestMachine machine;
  test::LogCapture log;
};

struct SpoolerCase {
  const char* name;
  const char* spooler;
  DWORD status;
  DWORD count;
  Lines ports;
  Lines log;
};

class SpoolerTable : public PortActionTest, public ::testing::WithParamInterface<SpoolerCase> {};

TEST_P(SpoolerTable, FetchesOrGivesUp) {
  if (!test::TestMachine::IsStandIn()) GTEST_SKIP() << "the stand-in spooler's fault switches";
  const SpoolerCase& c = GetParam();
  machine.SetSpooler(c.spooler);
  DWORD count = 99;
  PortInfoArray ports;
  EXPECT_EQ(PortAction::OurEnumPorts(count, ports), c.status);
  EXPECT_EQ(count, c.count);
  EXPECT_EQ(PortNames(ports, count), c.ports);
  EXPECT_EQ(ports.Entries() == nullptr, c.ports.empty());
  EXPECT_EQ(log.Lines(), c.log);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SpoolerTable,
    ::testing::Values(SpoolerCase{"TwoCalls",
                                  "[Port LPT1:]\nMonitor=Local Port\nDescription=Printer Port\n"
                                  "[Port COM1:]\nDescription=Serial Port\n",
                                  0,
                                  2,
                                  {"LPT1:=Printer Port", "COM1:=Serial Port"},
                                  {kTooSmall}},
                      SpoolerCase{"NoPortsNeedNoBuffer", "", 0, 0, {}, {}},
                      SpoolerCase{"GrowingEveryCall",
                                  "[Port LPT1:]\n[Faults]\nEnumPortsGrowEveryCall=1\n",
                                  122,
                                  0,
                                  {},
                                  {kTooSmall, kTooSmall, kTooSmall, kTooSmall, kTooSmall,
                                   "PortAction::OurEnumPorts: We are trying too hard, giving up."}},
                      SpoolerCase{"FailingWithACode",
                                  "[Port LPT1:]\n[Faults]\nEnumPortsError=1722\n",
                                  1722,
                                  0,
                                  {},
                                  {"PortAction::OurEnumPorts: EnumPorts returned error code 1722"}},
                      SpoolerCase{
                          "ErrorCodesAreUnsigned",
                          "[Faults]\nEnumPortsError=0xC0000005\n",
                          3221225477u,
                          0,
                          {},
                          {"PortAction::OurEnumPorts: EnumPorts returned error code 3221225477"}}),
    [](const ::testing::TestParamInfo<SpoolerCase>& row) { return std::string(row.param.name); });

TEST_F(PortActionTest, ResultsFromAnEarlierFetchAreReplaced) {
  if (!test::TestMachine::IsStandIn()) GTEST_SKIP() << "the stand-in spooler's fault switches";
  machine.SetSpooler("[Port LPT1:]\nDescription=Printer Port\n");
  DWORD count = 0;
  PortInfoArray ports;
  ASSERT_EQ(PortAction::OurEnumPorts(count, ports), 0u);
  ASSERT_NE(ports.Entries(), nullptr);
  machine.SetSpooler("[Faults]\nEnumPortsError=5\n");
  EXPECT_EQ(PortAction::OurEnumPorts(count, ports), 5u);
  EXPECT_EQ(ports.Entries(), nullptr);
  EXPECT_EQ(count, 0u);
}

TEST_F(PortActionTest, TheMachinesOwnSpooler) {
  if (test::TestMachine::IsStandIn()) GTEST_SKIP() << "a real spooler";
  DWORD count = 0;
  PortInfoArray ports;
  ASSERT_EQ(PortAction::OurEnumPorts(count, ports), 0u);
  // One probe without a buffer, then the fetch.
  EXPECT_EQ(log.Lines(), Lines{kTooSmall});
  const Lines names = PortNames(ports, count);
  for (const char* port : {"LPT1:", "COM1:", "FILE:"}) {
    EXPECT_NE(std::find_if(names.begin(), names.end(),
                           [&](const std::string& name) { return name.rfind(port, 0) == 0; }),
              names.end())
        << port;
  }
}

}  // namespace
}  // namespace nodexa
