#include "support/variables.h"

#include <gtest/gtest.h>

#include "harness/test_machine.h"
#include "support/ini_file.h"
#include "support/resolver.h"
#include "support/system_variables.h"

namespace nodexa {
namespace {

// Fills the resolver table for one test and empties it again afterwards.
class VariablesTest : public ::testing::Test {
 protected:
  VariablesTest() {
    IniFile& table = ResolverTable();
    table.SetValue("Prod", "Name", "Quorvex");
    table.SetValue("Prod", "Lines", "one\\ntwo");
    table.SetValue("Prod", "Nested", "%Prod.Name% X");
    table.SetValue("Prod", "Self", "%Prod.Self%");
    table.SetValue("Prod", "Ping", "<%Prod.Pong%>");
    table.SetValue("Prod", "Pong", "(%Prod.Ping%)");
    table.SetValue("Prod", "Arch", "$OS_ARCH$");
    // Each refers to both: every level of expansion doubles the work.
    table.SetValue("Prod", "Left", "<%Prod.Left%%Prod.Right%>");
    table.SetValue("Prod", "Right", "(%Prod.Right%%Prod.Left%)");
    table.SetValue("Prod", "Big", std::string(40 * 1024, 'b'));
    table.SetValue("Global", "G", "gv");
  }
  ~VariablesTest() override {
    ResolverTable().removeSection("Prod", false);
    ResolverTable().removeSection("Global", false);
  }
};

struct ExpandCase {
  const char* text;
  const char* expected;
};

TEST_F(VariablesTest, ExpandsReferences) {
  const ExpandCase cases[] = {
      {"%A%-%A%", "#A#-#A#"},  // one replacement covers both references
      {"%A.B%", "#A.B#"},      // the scope is kept in the unresolved form
      {"%.B%", "#.B#"},        // a leading dot is no scope
      {"%Prod.Name%", "Quorvex"},
      {"%prod.NAME%", "Quorvex"},  // scopes and names without regard to case
      {"%G%/%Global.G%", "gv/gv"},
      {"%Prod.Lines%", "one\ntwo"},  // backslash-n becomes a line feed
      {"[%Prod.Nested%]", "[Quorvex X]"},
      {"%Prod.Arch%", "x64"},  // values go through the system variables too
      {"100%", "100%"}, {"a%b", "a%b"}, {"%%", "##"}, {"plain", "plain"}, {"", ""},
  };
  for (const ExpandCase& c : cases) EXPECT_EQ(ExpandVariables(c.text), c.expected) << c.text;
}

// Self references, references that branch (2^16 resolutions and gigabytes
// without a budget) and replacements beyond 64 KB all stop with a defined
// result; every expansion starts with a fresh budget.
TEST_F(VariablesTest, BudgetsStopRunawayExpansions) {
  EXPECT_EQ(ExpandVariables("%Prod.Self%"), "%Prod.Self%");
  const std::string ping = ExpandVariables("%Prod.Ping%");
  EXPECT_EQ(ping, ExpandVariables("%Prod.Ping%"));
  EXPECT_EQ(ping.rfind("<(<(", 0), 0u) << ping;
  const std::string left = ExpandVariables("%Prod.Left%");
  EXPECT_EQ(left, ExpandVariables("%Prod.Left%"));
  EXPECT_EQ(left.rfind("<<<", 0), 0u) << left.substr(0, 40);
  EXPECT_LE(left.size(), size_t{64} << 10);
  EXPECT_EQ(ExpandVariables("%Prod.Name%"), "Quorvex");

  const std::string big(40 * 1024, 'b');
  EXPECT_EQ(ExpandVariables("[%Prod.Big%]"), "[" + big + "]");
  // Both occurrences go at once, and together they would make 80 KB.
  EXPECT_EQ(ExpandVariables("%Prod.Name% %Prod.Big%%Prod.Big%"), "Quorvex %Prod.Big%%Prod.Big%");
}

TEST(SystemVariables, ReplacesDollarReferences) {
  const std::string windows = GetSystemVariable("WINDOWS_DIR");
  ASSERT_FALSE(windows.empty());
  EXPECT_EQ(ExpandSystemVariables("$WINDOWS_DIR$\\Fonts"), windows + "\\Fonts");
  EXPECT_EQ(ExpandSystemVariables("$windows_dir$"), windows);
  EXPECT_EQ(ExpandSystemVariables("a$NO_SUCH_NAME$b"), "ab");
  EXPECT_EQ(ExpandSystemVariables("cost $5"), "cost $5");
  EXPECT_EQ(ExpandSystemVariables("$$"), "");
  EXPECT_EQ(GetSystemVariable("no such name"), "");
}

TEST(SystemVariables, AValueNamingItselfStops) {
  if (!test::TestMachine::IsStandIn()) GTEST_SKIP() << "needs a stand-in Windows folder";
  test::TestMachine machine(test::WindowsMachineRegistry(), "WindowsDirectory=C:\\$WINDOWS_DIR$\n");
  const std::string expanded = ExpandSystemVariables("<$WINDOWS_DIR$>");
  EXPECT_EQ(expanded, ExpandSystemVariables("<$WINDOWS_DIR$>"));
  EXPECT_EQ(expanded.rfind("<C:\\C:\\", 0), 0u) << expanded;
}

}  // namespace
}  // namespace nodexa
