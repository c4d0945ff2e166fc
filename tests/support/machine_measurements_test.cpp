#include "support/machine_measurements.h"

#include <gtest/gtest.h>

#include <string>

#include "harness/test_machine.h"
#include "platform/win32_api.h"
#include "support/registry.h"

namespace nodexa {
namespace {

constexpr char kProcessorKey[] = "Hardware\\Description\\System\\CentralProcessor\\0";

std::string ProcessorRegistry(const std::string& clockValue) {
  return "REGEDIT4\n[HKEY_LOCAL_MACHINE\\HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0]\n"
         "\"~MHz\"=" +
         clockValue + "\n";
}

class MachineMeasurementsTest : public ::testing::Test {
 protected:
  MachineMeasurementsTest() { ResetMeasurementCaches(); }
  ~MachineMeasurementsTest() override { ResetMeasurementCaches(); }
};

struct ClockCase {
  const char* registry;
  const char* facts;
  uint32_t expected;
};

TEST_F(MachineMeasurementsTest, TheProcessorClockComesFromTheRegistryWithoutWmi) {
  if (!test::TestMachine::IsStandIn()) GTEST_SKIP() << "the stand-in has no WMI";
  const ClockCase cases[] = {
      {"dword:00000a8c", "ProcessorClockMHz=1234", 2700},
      {nullptr, "ProcessorClockMHz=1234", 1234},
      {nullptr, "ProcessorClockMHz=unknown", kNotMeasured},
      // Only a value of exactly four bytes counts.
      {"hex(4):8c,0a", "ProcessorClockMHz=unknown", kNotMeasured},
      {"hex:8c,0a,00,00,00,00,00,00", "ProcessorClockMHz=unknown", kNotMeasured},
      {"hex:8c,0a,00,00", "ProcessorClockMHz=unknown", 2700},
  };
  for (const ClockCase& row : cases) {
    ResetMeasurementCaches();
    test::TestMachine machine(row.registry ? ProcessorRegistry(row.registry) : "REGEDIT4\n",
                              row.facts);
    EXPECT_EQ(GetProcessorSpeed(), row.expected)
        << (row.registry ? row.registry : "-") << " " << row.facts;
  }
}

TEST_F(MachineMeasurementsTest, TheProcessorClockIsKeptOnceMeasured) {
  if (!test::TestMachine::IsStandIn()) GTEST_SKIP() << "the stand-in's registry is rewritten";
  test::TestMachine machine("REGEDIT4\n", "ProcessorClockMHz=none");
  EXPECT_EQ(GetProcessorSpeed(), kNotMeasured);
  // Not measured yet: the next call measures again.
  machine.Import(ProcessorRegistry("dword:000007d0"));
  EXPECT_EQ(GetProcessorSpeed(), 2000u);
  machine.Import(ProcessorRegistry("dword:00000bb8"));
  EXPECT_EQ(GetProcessorSpeed(), 2000u);
  ResetMeasurementCaches();
  EXPECT_EQ(GetProcessorSpeed(), 3000u);
}

// Windows (and Wine) answer through WMI where it works, else the registry.
TEST_F(MachineMeasurementsTest, TheProcessorClockOfTheRealMachine) {
  if (test::TestMachine::IsStandIn()) GTEST_SKIP() << "runs against Windows";
  uint32_t wmi = 0;
  const bool viaWmi = platform::QueryProcessorClockWmi(wmi) && wmi != 0;
  const uint32_t fromRegistry =
      static_cast<uint32_t>(std::stoul(Registry().ReadString("HKLM", kProcessorKey, "~MHz")));
  const uint32_t speed = GetProcessorSpeed();
  EXPECT_EQ(speed, viaWmi ? wmi : fromRegistry);
  EXPECT_GT(speed, 0u);
  EXPECT_LT(speed, 100000u);
  // WMI can be asked again in the same process and thread.
  uint32_t again = 0;
  EXPECT_EQ(platform::QueryProcessorClockWmi(again), viaWmi);
}

// 5000000000 MiB keeps its low 32 bits.
TEST_F(MachineMeasurementsTest, PhysicalMemoryInMegabytesKeepsItsLow32Bits) {
  if (!test::TestMachine::IsStandIn()) GTEST_SKIP() << "facts exist on the stand-in";
  test::TestMachine machine("REGEDIT4\n", "PhysicalMemoryMB=5000000000");
  EXPECT_EQ(GetPhysicalMemory(), 705032704u);
}

TEST_F(MachineMeasurementsTest, PhysicalMemoryIsTheMachinesAndIsKept) {
  MEMORYSTATUS status = {};
  GlobalMemoryStatus(&status);
  const uint32_t expected = static_cast<uint32_t>(uint64_t{status.dwTotalPhys} >> 20);
  EXPECT_GT(expected, 0u);
  EXPECT_EQ(GetPhysicalMemory(), expected);
  test::TestMachine machine("REGEDIT4\n", "PhysicalMemoryMB=12");
  EXPECT_EQ(GetPhysicalMemory(), expected);
}

TEST_F(MachineMeasurementsTest, FreeDiskSpaceOfTheFirstDirectoryIsKept) {
  if (!test::TestMachine::IsStandIn()) GTEST_SKIP() << "facts exist on the stand-in";
  test::TestMachine machine("REGEDIT4\n", "FreeDiskSpaceMB=777");
  EXPECT_EQ(GetFreeDiskSpace("C:\\"), 777u);
  machine.SetFacts("FreeDiskSpaceMB=5");
  EXPECT_EQ(GetFreeDiskSpace("D:\\Other"), 777u);
  ResetMeasurementCaches();
  EXPECT_EQ(GetFreeDiskSpace("D:\\Other"), 5u);
}

TEST_F(MachineMeasurementsTest, AFailedMeasurementOfDiskSpaceIsKeptAsZero) {
  test::TestMachine machine;
  const std::string missing = test::TestMachine::IsStandIn() ? "\\nodexa-no-such-folder\\deeper"
                                                             : "C:\\nodexa-no-such-folder\\deeper";
  EXPECT_EQ(GetFreeDiskSpace(missing), 0u);
  EXPECT_EQ(GetFreeDiskSpace("C:\\"), 0u);
}

TEST_F(MachineMeasurementsTest, FreeDiskSpaceOfTheRealVolume) {
  test::TestMachine machine;
  ULARGE_INTEGER available = {};
  ASSERT_TRUE(GetDiskFreeSpaceExA("C:\\", &available, nullptr, nullptr));
  const auto expected = static_cast<double>(available.QuadPart >> 20);
  // Other programs write to the disk meanwhile.
  EXPECT_NEAR(static_cast<double>(GetFreeDiskSpace("C:\\")), expected, 256.0);
}

}  // namespace
}  // namespace nodexa
