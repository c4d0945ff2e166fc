// Every export that uses a companion module, against stand-ins that
// misbehave: needed sizes of 0, 1 and 0xFFFFFFFF, answers without their
// NUL, 122 on every call, 64 MB answers, a failing Initialize or
// Uninitialize, each function failing, each function missing and the module
// missing. Whatever the module does, the export answers with its failure
// result or the right one, logs what it must, lets no exception out and
// releases the module (RegisterNetworkSubnets keeps it by design); the
// sanitizer build and the memory check add that nothing leaks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <vector>

#include "exports/export_fixture.h"
#include "exports/export_table.h"

namespace {

using nodexa::test::ExportUnderTest;
using nodexa::test::Lines;
using nodexa::test::Substituted;
using nodexa::test::TestMachine;

constexpr uint32_t k64MB = 64u << 20;

struct HostileCase {
  std::string what;
  const ExportUnderTest* target;
  std::string variant;  // the stand-in file installed as the module; "" for none
  std::string answers;
  int32_t expected;
  // What the export stores under the result key.
  std::optional<std::string> stored;
  // A line the log must hold ("{module}" for the module's path).
  std::string logLine;
  // The configuration module's file and answers, for exports that ask it.
  std::string configurationVariant = "QVXAcfg.dll";
  std::string configurationAnswers = nodexa::test::kModelAnswer;
};

void PrintTo(const HostileCase& c, std::ostream* out) { *out << c.target->name << ": " << c.what; }

std::string Stem(const char* module) {
  const std::string name = module;
  return name.substr(0, name.size() - 4);
}

// Every result key the module answers from set to `result`.
std::string AllResults(const ExportUnderTest& e, const std::string& result) {
  std::string answers;
  for (const char* function : {"Initialize", "Uninitialize"}) {
    answers += std::string(function) + ".result=" + result + "\n";
  }
  for (const char* function : e.functions) {
    answers += std::string(function) + ".result=" + result + "\n";
  }
  return answers;
}

std::vector<HostileCase> Cases() {
  std::vector<HostileCase> cases;
  for (const ExportUnderTest& e : nodexa::test::ExportsUnderTest()) {
    const std::string good = e.stored != nullptr ? e.stored : "earlier";
    const bool validation = std::string(e.module) == "QVXAgrd.dll";
    auto add = [&](const std::string& what, const std::string& more, int32_t expected,
                   const std::string& variant = "") -> HostileCase& {
      cases.push_back({what, &e, variant.empty() ? e.module : variant, e.answers + more, expected,
                       expected == e.success ? good : "earlier", ""});
      return cases.back();
    };

    add("well behaved", "", e.success);
    if (validation) {
      // The validator's answer is any non-zero result; 0 rejects the text.
      add("rejects", "Validate.result=0\n", 0).logLine =
          "Nodexa::ValidateUnicodeString:Error Validating Unicode String.";
      add("122 as its result", "Validate.result=122\n", 1);
      add("no object", "CreateCGrdDlgInstance.null=1\n", 0);
      add("negative length", "Validate.length=-1\n", 1).stored = std::string();
      add("length past the buffer", "Validate.length=2147483647\n", 1);
      add("answer longer than the buffer", "Validate.answer=" + std::string(600, 'x') + "\n", 1)
          .stored = std::string(511, 'x');
    } else {
      add("Initialize fails", "Initialize.result=1\n", e.success);
      add("Uninitialize fails", "Uninitialize.result=4294967295\n", e.success);
      add("every call fails", AllResults(e, "4294967295"), 0);
      add("122 on every call", AllResults(e, "122"), 0);
      for (const char* function : {"Initialize", "Uninitialize"}) {
        add(std::string(function) + " missing", "", 0, Stem(e.module) + "-no-" + function + ".dll")
            .logLine = Substituted(e.missingFunctionLine, "function", function);
      }
    }
    for (const char* function : e.functions) {
      add(std::string(function) + " missing", "", 0, Stem(e.module) + "-no-" + function + ".dll")
          .logLine = Substituted(e.missingFunctionLine, "function", function);
    }
    HostileCase& missing = add("module missing", "", 0);
    missing.variant.clear();
    missing.logLine = e.missingModuleLine;
    if (e.bufferFunction != nullptr) {
      const std::string f = e.bufferFunction;
      // Longer than the 1000 bytes a fixed first try offers.
      const std::string longText = f + ".pad=2000\n";
      for (const char* needed : {"0", "1", "4294967295"}) {
        add(std::string("needs ") + needed, longText + f + ".needed=" + needed + "\n", 0);
      }
      add("no NUL", f + ".nul=0\n", e.success);
      add("long without NUL", longText + f + ".nul=0\n", e.success);
      add("64 MB answer", f + ".pad=" + std::to_string(k64MB) + "\n", e.success);
      add("122 from the filling call", f + ".result=122\n", e.judgesFillingCall ? 0 : e.success);
    }
    if (e.asksConfiguration) {
      add("no model value", "", 0).configurationAnswers = "result.10000.1=5\n";
      add("configuration size stored on every call", "", 0).configurationAnswers =
          std::string(nodexa::test::kModelAnswer) + "result.10000.1=3\n";
      add("64 MB model value", "", e.success).configurationAnswers =
          std::string(nodexa::test::kModelAnswer) + "pad.10000.1=" + std::to_string(k64MB) + "\n";
      HostileCase& noFunction = add("GetConfigData missing", "", 0);
      noFunction.configurationVariant = "QVXAcfg-no-GetConfigData.dll";
    }
  }
  return cases;
}

std::string CaseName(const ::testing::TestParamInfo<HostileCase>& info) {
  std::string name = std::string(info.param.target->name) + "_" + info.param.what;
  std::replace_if(
      name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); },
      '_');
  return name;
}

size_t Count(const Lines& journal, const std::string& event) {
  return static_cast<size_t>(std::count_if(
      journal.begin(), journal.end(),
      [&](const std::string& line) { return line == event || line.rfind(event + "\t", 0) == 0; }));
}

class HostileModules : public nodexa::test::ExportTest,
                       public ::testing::WithParamInterface<HostileCase> {};

TEST_P(HostileModules, FailsOrAnswersRightLogsAndReleasesTheModule) {
  const HostileCase& c = GetParam();
  const ExportUnderTest& e = *c.target;
  if (e.needsStandIn && !TestMachine::IsStandIn()) {
    GTEST_SKIP() << "needs printers of the model on the machine";
  }
  const std::string module = nodexa::test::WindowsForm(medium.ModuleFolder() / e.module);
  if (!c.variant.empty()) medium.InstallModule(c.variant, e.module);
  medium.SetAnswers(e.module, c.answers);
  if (e.asksConfiguration) {
    medium.InstallModule(c.configurationVariant, "QVXAcfg.dll");
    medium.SetAnswers("QVXAcfg.dll", c.configurationAnswers);
  }

  const std::string argument = Substituted(e.argument, "module", module);
  int32_t result = -1;
  EXPECT_NO_THROW(result = e.call(argument.c_str()));
  EXPECT_EQ(result, c.expected);
  if (e.storedName != nullptr) {
    EXPECT_EQ(Stored(e.storedName), c.stored);
  }
  if (!c.logLine.empty()) {
    const Lines log = medium.LogLines();
    const std::string line = Substituted(c.logLine, "module", module);
    EXPECT_NE(std::find(log.begin(), log.end(), line), log.end()) << line;
  }

  const Lines journal = Journal(e.module);
  if (c.variant.empty()) {
    EXPECT_TRUE(journal.empty());
    return;
  }
  ASSERT_FALSE(journal.empty());
  EXPECT_EQ(journal.front(), "Load");
  const bool initialized = Count(journal, "Initialize") > 0;
  if (e.keepsModule && initialized) {
    EXPECT_EQ(Count(journal, "Unload"), 0u);
    EXPECT_EQ(Count(journal, "Uninitialize"), 0u);
  } else {
    EXPECT_EQ(journal.back(), "Unload");
    EXPECT_EQ(Count(journal, "Load"), Count(journal, "Unload"));
    EXPECT_EQ(Count(journal, "Initialize"), Count(journal, "Uninitialize"));
    const bool noObject = c.answers.find("CreateCGrdDlgInstance.null=1") != std::string::npos;
    EXPECT_EQ(Count(journal, "CreateCGrdDlgInstance") - (noObject ? 1 : 0),
              Count(journal, "DestroyCGrdDlgInstance"));
  }
}

INSTANTIATE_TEST_SUITE_P(Matrix, HostileModules, ::testing::ValuesIn(Cases()), CaseName);

}  // namespace
