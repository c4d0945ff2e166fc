// The boundary catch of every export that uses a companion module, proved by
// failing each allocation the call makes in turn: the first, then the
// second, and so on until a call completes without reaching the failure.
// Each time the export answers with its failure result or its right one,
// lets no exception out and releases the module, and afterwards the library
// works as before, its diagnostic log included.
//
// The exports are linked statically into this program, so their allocations
// come through the failing operator new of failing_allocation.cpp.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "exports/export_fixture.h"
#include "exports/export_table.h"
#include "failing_allocation.h"
#include "frame/tagged_text.h"

namespace {

using nodexa::test::ExportUnderTest;
using nodexa::test::FailingAllocation;
using nodexa::test::Lines;

std::string CaseName(const ::testing::TestParamInfo<const ExportUnderTest*>& param) {
  return param.param->name;
}

class AllocationFailure : public nodexa::test::ExportTest,
                          public ::testing::WithParamInterface<const ExportUnderTest*> {};

TEST_P(AllocationFailure, EveryFailedAllocationEndsInAResultAndReleasesTheModule) {
  const ExportUnderTest& e = *GetParam();
  const std::string modulePath = medium.InstallModule(e.module, e.module).string();
  medium.SetAnswers(e.module, e.answers);
  if (e.asksConfiguration) {
    medium.InstallModule("QVXAcfg.dll", "QVXAcfg.dll");
    medium.SetAnswers("QVXAcfg.dll", nodexa::test::kModelAnswer);
  }
  const std::string argument = nodexa::test::Substituted(e.argument, "module", modulePath);

  size_t successes = 0;
  for (;; ++successes) {
    medium.ClearJournal(e.module);
    int32_t result = -1;
    bool escaped = false;
    bool failed = false;
    {
      const FailingAllocation failing(successes);
      try {
        result = e.call(argument.c_str());
      } catch (...) {
        escaped = true;
      }
      failed = FailingAllocation::Failed();
    }
    ASSERT_FALSE(escaped) << "allocation " << successes;
    if (!failed) {
      EXPECT_EQ(result, e.success);
      break;
    }
    // A failure may leave a port search's list shorter.
    if (e.countsRecords) {
      EXPECT_TRUE(result >= 0 && result <= e.success)
          << "allocation " << successes << ": " << result;
    } else {
      EXPECT_TRUE(result == 0 || result == e.success)
          << "allocation " << successes << ": " << result;
    }
    const Lines journal = medium.Journal(e.module);
    if (!e.keepsModule && !journal.empty()) {
      ASSERT_EQ(journal.back(), "Unload") << "allocation " << successes;
    }
  }
  RecordProperty("allocations", static_cast<int>(successes));
  EXPECT_GT(successes, 0u);

  // Afterwards everything works as before.
  EXPECT_EQ(e.call(argument.c_str()), e.success);
}

std::vector<const ExportUnderTest*> Exports() {
  std::vector<const ExportUnderTest*> exports;
  for (const ExportUnderTest& e : nodexa::test::ExportsUnderTest()) exports.push_back(&e);
  return exports;
}

INSTANTIATE_TEST_SUITE_P(Exports, AllocationFailure, ::testing::ValuesIn(Exports()), CaseName);

// A message whose allocation fails is lost, but only that one: later lines
// reach the log whole. The failing call's message names a long module path,
// so it grows the log's line buffer and some failures land in the middle of
// writing it; nothing on its way there catches a failure.
TEST(AllocationFailureLog, LaterMessagesAreWrittenWhole) {
  nodexa::test::TestMedium medium;
  SetupDebugLog(medium.LogPath().c_str());
  const std::string missingModule = "missing" + std::string(100000, 'x') + ".dll|text|name|key";
  const Lines expected{"Nodexa::ValidateUnicodeString:Invalid Parameter passed"};

  for (size_t successes = 0;; ++successes) {
    bool failed = false;
    {
      const FailingAllocation failing(successes);
      EXPECT_EQ(ValidateUnicodeString(missingModule.c_str()), 0);
      failed = FailingAllocation::Failed();
    }
    std::filesystem::remove(medium.LogPath());
    EXPECT_EQ(ValidateUnicodeString("too|few"), 0);
    ASSERT_EQ(medium.LogLines(), expected) << "after failing allocation " << successes;
    std::filesystem::remove(medium.LogPath());
    if (!failed) break;
  }
  SetupDebugLog("");
}

// Inside the XML reader a failed allocation comes out as the failure, after
// expat has returned; it never makes a shorter list of tags.
TEST(AllocationFailureXml, ReadTagsGivesEveryTagOrFails) {
  const std::string text = "<IPADDRESS>10.1.2.3</IPADDRESS><HOSTNAME> QX-100 </HOSTNAME>" +
                           std::string(3000, ' ') + "<PAD>" + std::string(2000, 'p') + "</PAD>";
  const std::vector<nodexa::Tag> complete = nodexa::ReadTags("DiscoveredPort", text);
  ASSERT_EQ(complete.size(), 3u);
  for (size_t successes = 0;; ++successes) {
    std::vector<nodexa::Tag> tags;
    bool threw = false;
    bool failed = false;
    {
      const FailingAllocation failing(successes);
      try {
        tags = nodexa::ReadTags("DiscoveredPort", text);
      } catch (const std::bad_alloc&) {
        threw = true;
      }
      failed = FailingAllocation::Failed();
    }
    EXPECT_EQ(threw, failed) << "allocation " << successes;
    if (!threw) {
      ASSERT_EQ(tags.size(), complete.size()) << "allocation " << successes;
      EXPECT_EQ(tags.back().text, complete.back().text);
    }
    if (!failed) break;
  }
}

}  // namespace
