// Eight threads calling every export at once, as a careless caller might:
// each call answers as it would alone, nothing crashes (the asan and tsan
// presets run this program), and the log holds whole lines only, the same
// ones a single thread writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <map>
#include <set>
#include <thread>

#include "exports/export_fixture.h"

namespace {

using nodexa::test::Lines;

class Stress : public nodexa::test::ExportTest {
 protected:
  Stress() {
    std::map<std::string, std::string> answers;
    for (const nodexa::test::ExportUnderTest& e : nodexa::test::ExportsUnderTest()) {
      const std::string path = medium.InstallModule(e.module, e.module).string();
      // The searches share one network; the others add answers of their own.
      if (answers[e.module].find(e.answers) == std::string::npos) answers[e.module] += e.answers;
      if (e.asksConfiguration) answers["QVXAcfg.dll"] = nodexa::test::kModelAnswer;
      const std::string argument = nodexa::test::Substituted(e.argument, "module", path);
      if (e.countsRecords) {
        calls.push_back([e] { return Search(e.name); });
      } else {
        calls.push_back([e, argument] { return e.call(argument.c_str()) == e.success; });
      }
    }
    medium.InstallModule("QVXAcfg.dll", "QVXAcfg.dll");
    for (const auto& [module, text] : answers) medium.SetAnswers(module, text);
  }

  // A port search whose shared answer other threads may replace at once, so
  // only a filtered search's own list is read.
  static bool Search(const std::string& name) {
    static const nodexa::PortList request{"Inkjet"};
    static const nodexa::PortList arguments{"QuorvexQX100", "Addresses", "PORTA", ""};
    if (name == "FindPorts") return FindPorts(request.get()) != nullptr;
    if (name == "FindAllPorts") return FindAllPorts(request.get()) != nullptr;
    const auto found = nodexa::PortList::Adopt(FindAllPortsFiltered(arguments.get()));
    return nodexa::test::ReadList(found.get()).size() == 7;
  }

  // Every call once, in order; the number that answered as they should.
  size_t Round() const {
    return static_cast<size_t>(
        std::count_if(calls.begin(), calls.end(), [](const auto& call) { return call(); }));
  }

  std::vector<std::function<bool()>> calls;
};

TEST_F(Stress, ExportsFromEightThreadsRunInTurn) {
  ASSERT_EQ(Round(), calls.size());
  const Lines alone = medium.LogLines();
  const std::set<std::string> known(alone.begin(), alone.end());

  constexpr int kThreads = 8;
  constexpr int kRounds = 20;
  std::atomic<size_t> answered{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&] {
      for (int r = 0; r < kRounds; ++r) answered += Round();
    });
  }
  for (std::thread& thread : threads) thread.join();

  EXPECT_EQ(answered.load(), calls.size() * kThreads * kRounds);
  const Lines log = medium.LogLines();
  EXPECT_EQ(log.size(), alone.size() * (kThreads * kRounds + 1));
  for (const std::string& line : log) EXPECT_EQ(known.count(line), 1u) << line;
}

}  // namespace
