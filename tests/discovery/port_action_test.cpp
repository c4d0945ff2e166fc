// PortAction::OurEnumPorts against the spooler: the stand-in's fault
// switches on POSIX, the real (Wine's) spooler in the Windows build.
#include "discovery/port_action.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "harness/log_capture.h"
#include "harness/test_machine.h"

namespace nodexa {
namespace {

using Lines = std::vector<std::string>;

const char kTooSmall[] = "PortAction::OurEnumPorts: Buffer is too small - trying again... 122";

Lines PortNames(const PortInfoArray& ports, DWORD count) {
  Lines names;
  for (size_t i = 0; i < ports.Usable(count); ++i) {
    const PORT_INFO_2A& port = ports.Entries()[i];
    names.push_back(std::string(port.pPortName ? port.pPortName : "(null)") + "=" +
                    (port.pDescription ? port.pDescription : "(null)"));
  }
  return names;
}

struct SpoolerCase {
  const char* spooler;
  DWORD status;
  Lines ports;
  Lines log;
};

TEST(PortActionTest, FetchesOrGivesUp) {
  if (!test::TestMachine::IsStandIn()) GTEST_SKIP() << "the stand-in spooler's fault switches";
  // clang-format off
  const SpoolerCase cases[] = {
      {"[Port LPT1:]\nDescription=Printer Port\n[Port COM1:]\nDescription=Serial Port\n", 0,
       {"LPT1:=Printer Port", "COM1:=Serial Port"}, {kTooSmall}},
      {"", 0, {}, {}},
      // A list that grows at every call: five tries, then the spooler's answer stands.
      {"[Port LPT1:]\n[Faults]\nEnumPortsGrowEveryCall=1\n", 122, {},
       {kTooSmall, kTooSmall, kTooSmall, kTooSmall, kTooSmall,
        "PortAction::OurEnumPorts: We are trying too hard, giving up."}},
      {"[Faults]\nEnumPortsError=0xC0000005\n", 3221225477u, {},
       {"PortAction::OurEnumPorts: EnumPorts returned error code 3221225477"}}};
  // clang-format on
  test::TestMachine machine;
  PortInfoArray ports;
  for (const SpoolerCase& c : cases) {
    const test::LogCapture log;
    machine.SetSpooler(c.spooler);
    DWORD count = 99;
    // An earlier fetch's entries never outlive the next.
    EXPECT_EQ(PortAction::OurEnumPorts(count, ports), c.status) << c.spooler;
    EXPECT_EQ(count, c.ports.size()) << c.spooler;
    EXPECT_EQ(PortNames(ports, count), c.ports) << c.spooler;
    EXPECT_EQ(ports.Entries() == nullptr, c.ports.empty()) << c.spooler;
    EXPECT_EQ(log.Lines(), c.log) << c.spooler;
  }
}

TEST(PortActionTest, TheMachinesOwnSpooler) {
  if (test::TestMachine::IsStandIn()) GTEST_SKIP() << "a real spooler";
  const test::LogCapture log;
  DWORD count = 0;
  PortInfoArray ports;
  ASSERT_EQ(PortAction::OurEnumPorts(count, ports), 0u);
  // One probe without a buffer, then the fetch.
  EXPECT_EQ(log.Lines(), Lines{kTooSmall});
  const Lines names = PortNames(ports, count);
  EXPECT_NE(std::find(names.begin(), names.end(), "LPT1:=Local Port"), names.end());
}

}  // namespace
}  // namespace nodexa
