#include "support/product_config.h"

#include <gtest/gtest.h>

#include <fstream>

#include "harness/test_medium.h"
#include "support/ini_file.h"
#include "harness/log_capture.h"

namespace nodexa {
namespace {

using Lines = std::vector<std::string>;

class ProductConfigTest : public ::testing::Test {
 protected:
  void Module(const std::string& answers, const std::string& variant = "QVXAcfg.dll") {
    medium.InstallModule(variant, "QVXAcfg.dll");
    medium.SetAnswers("QVXAcfg.dll", answers);
  }

  test::TestMedium medium;
  test::LogCapture log;
};

TEST_F(ProductConfigTest, EveryNamedItem) {
  Module(
      "item.10000.1=QX-100 Series\nitem.10001.1=Quorvex\nitem.10002.1=SOFTWARE\\\\Quorvex\\\\QX100\n"
      "number.10009.1=512\nnumber.10009.2=-1\nnumber.10009.3=2048\n"
      "number.10010.1=256\nnumber.10010.2=512\nnumber.10010.3=1024\n"
      "number.10011.1=800\nnumber.10011.2=1000\nnumber.10011.3=0x7FFFFFFF\n"
      "item.10101.1=0x1234\nitem.10102.1=0x0A5F\nitem.10104.1=QVX-DEV-7\n"
      "item.77.1=by first letter\n");
  struct Case {
    const char* name;
    const char* value;
  };
  const Case cases[] = {
      {"MODEL", "QX-100 Series"},   {"model", "QX-100 Series"},
      {"MANUFACTURER", "Quorvex"},  {"REGISTRY_PATH", "SOFTWARE\\Quorvex\\QX100"},
      {"DISK_SPACE", "512,-1,2048"}, {"SYSTEM_RAM", "256,512,1024"},
      {"PROCESSOR_SPEED", "800,1000,2147483647"},
      {"PID", "0x1234"},             {"VID", "0x0A5F"},
      {"DEVICE_ID", "QVX-DEV-7"},    {"Miscellany", "by first letter"},  // 'M' is 77
      {"UNKNOWN", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(GetProductValue(c.name), c.value) << c.name;
}

TEST_F(ProductConfigTest, SizeIsAskedFirstThenTheItemIsRead) {
  Module("item.10000.1=QX-100\n");
  medium.ClearJournal("QVXAcfg.dll");
  EXPECT_EQ(GetProductValue("MODEL"), "QX-100");
  const Lines journal = medium.Journal("QVXAcfg.dll");
  ASSERT_GE(journal.size(), 2u);
  EXPECT_EQ(journal[journal.size() - 2], "GetConfigData\t0\t10000\t1\tnull\t0");
  EXPECT_EQ(journal.back(), "GetConfigData\t0\t10000\t1\tbuffer\t7");
}

TEST_F(ProductConfigTest, AFailedQueryLeavesItsPartEmpty) {
  Module("number.10009.1=10\nnumber.10009.2=20\nnumber.10009.3=30\nresult.10009.3=5\n");
  EXPECT_EQ(GetProductValue("DISK_SPACE"), "10,20,");
  const Lines lines = log.Lines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].rfind("Failed to retrieve config dll item id for %s", 0), 0u);
  EXPECT_NE(lines[0].find("CProduct::getConfigData() returning %u- EXIT1"), std::string::npos);
}

// A loaded module stays loaded, so each broken medium is a fresh one.
TEST_F(ProductConfigTest, MissingModuleGivesNothing) {
  EXPECT_EQ(GetProductValue("MODEL"), "");
  EXPECT_EQ(log.Lines(), Lines{"Could not locate config dll"});
}

TEST_F(ProductConfigTest, ModuleWithoutTheFunctionGivesNothing) {
  Module("item.10000.1=x\n", "QVXAcfg-no-GetConfigData.dll");
  EXPECT_EQ(GetProductValue("MODEL"), "");
  EXPECT_EQ(log.Lines(), Lines{"CPDConfig: GetProcAddress() Error loading function"});
}

TEST_F(ProductConfigTest, FileThatIsNoModuleGivesNothing) {
  std::ofstream(medium.ModuleFolder() / "BADXcfg.dll") << "not a module";
  EXPECT_EQ(GetProductValue("MODEL"), "");
  const Lines lines = log.Lines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].rfind("CPDConfig: LoadLibrary(%s) failed", 0), 0u);
  EXPECT_NE(lines[0].find("BADXcfg.dll"), std::string::npos);
}

TEST(ProductData, ManufacturersAndModels) {
  IniFile table(false);
  std::vector<std::string> list{"stale"};
  GetManufacturerList(list, &table);
  EXPECT_EQ(list, Lines{"Printer"});
  GetProductModels(list, "", nullptr);  // the process-wide table is empty
  EXPECT_TRUE(list.empty());

  table.SetValue("Manufacturer", "1", "Quorvex");
  table.SetValue("Manufacturer", "2", "Partner");
  table.SetValue("Quorvex", "a", "QX-100");
  table.SetValue("Quorvex", "b", "QX-200");
  table.SetValue("Partner", "a", "PT-1");
  GetManufacturerList(list, &table);
  EXPECT_EQ(list, (Lines{"Quorvex", "Partner"}));
  GetProductModels(list, "", &table);
  EXPECT_EQ(list, (Lines{"QX-100", "QX-200", "PT-1"}));
  GetProductModels(list, "partner", &table);
  EXPECT_EQ(list, Lines{"PT-1"});
}

}  // namespace
}  // namespace nodexa
