// The Output rule names of a rule set, which name the filtered search's
// fields.
#include <gtest/gtest.h>

#include <fstream>

#include "harness/temp_dir.h"
#include "rule_file.h"

namespace nodexa::cli {
namespace {

using Names = std::vector<std::string>;

struct NamesCase {
  const char* rules;
  Names names;
};

TEST(RuleFileTest, OutputRuleNamesInDocumentOrder) {
  const NamesCase cases[] = {
      {"<Filter><MODEL_ID>ABC</MODEL_ID></Filter><Output><LOCALPORT/>"
       "<Label>MODEL_ID.substr(0,3)</Label></Output>",
       {"LOCALPORT", "Label"}},
      // Several Output elements, any case; Filter children are no output.
      {"<output><A>1</A></output><Filter><B/></Filter><OUTPUT><C /><D>x</D></OUTPUT>",
       {"A", "C", "D"}},
      // Grandchildren belong to their rule.
      {"<Output><A><X/>y</A><B/></Output>", {"A", "B"}},
      {"<Output><1284STRID/></Output>", {"1284STRID"}},
      {"<Filter><A/></Filter>", {}},
      {"", {}},
      // A cut-off tag ends the scan; what came before stays.
      {"<Output><A/><B", {"A"}},
      {"</Output><Output><A/></Output>", {"A"}},
  };
  for (const NamesCase& c : cases) EXPECT_EQ(OutputRuleNames(c.rules), c.names) << c.rules;
}

TEST(RuleFileTest, IniValuesIgnoreCaseAndTheFirstWins) {
  const std::string ini =
      "; comment\n[General]\nKey=general\n[NetworkInstallData]\r\n"
      "  set = <Output><A/></Output>  \r\nSET=second\n[Other]\nset=other\n";
  EXPECT_EQ(IniValue(ini, "networkinstalldata", "Set"), "<Output><A/></Output>");
  EXPECT_EQ(IniValue(ini, "Other", "set"), "other");
  EXPECT_EQ(IniValue(ini, "General", "set"), "");
  EXPECT_EQ(IniValue(ini, "Missing", "Key"), "");
}

TEST(RuleFileTest, RuleSetFromTheFile) {
  const nodexa::test::TempDir folder;
  const std::string path = folder.File("Product.ini");
  std::ofstream(path, std::ios::binary)
      << "[GENERAL]\nProductKey=P\n[NetworkInstallData]\n"
         "Ink=<Filter><1284STRID>%ProductKey%</1284STRID></Filter><Output><Port>x</Port>"
         "<IPADDRESS/></Output>\n";
  EXPECT_EQ(RuleSetOutputNames(path, "ink"), (Names{"Port", "IPADDRESS"}));
  EXPECT_EQ(RuleSetOutputNames(path, "None"), Names{});
  EXPECT_EQ(RuleSetOutputNames(folder.File("missing.ini"), "Ink"), Names{});
}

}  // namespace
}  // namespace nodexa::cli
