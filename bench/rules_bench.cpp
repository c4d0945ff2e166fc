// The rule engine on the scale of a busy network: a five-rule set (three
// Filter, two Output rules) read from a rule file and applied to 1,000,
// 10,000 and 100,000 discovered-port records, against expat alone parsing
// the same record texts. Each size reports
//   per_record_ns    building the engine from the texts and applying the
//                    rule set, per record
//   ratio_to_expat   that, divided by expat's time per record
// so that --benchmark_format=json carries both for every size.
//
// Hostile rule files of 64 KiB, 256 KiB and 1 MiB applied to 13 records
// report ns_per_byte, which stays flat when the work is linear in the size.
//
// BM_ProductRuleFile: a product rule file of 64 KiB and of 1 MiB as a large
// product has it (many rule sets, many GENERAL values the chosen set refers
// to) applied end to end to 1,000 records: reading the file, expanding the
// references, parsing rules and records, filtering. ns_per_byte is the time
// per byte of the file, per_record_ns the time per record.
#include <benchmark/benchmark.h>
#include <expat.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "frame/setup_medium.h"
#include "rules/data_field.h"
#include "rules/expression_evaluator.h"
#include "rules/rule_engine.h"

namespace {

using Clock = std::chrono::steady_clock;

// Every third record is another model, every fifth is not configured.
std::string RecordText(int64_t i) {
  const std::string model = i % 3 == 0 ? "LX500" : "QX100";
  const std::string address =
      i % 5 == 0 ? "" : "10.1." + std::to_string(i / 250 % 250) + "." + std::to_string(i % 250 + 1);
  return "<LOCALPORT>IP_" + std::to_string(i) + "</LOCALPORT><IPADDRESS>" + address +
         "</IPADDRESS><SUBNETMASK>255.255.255.0</SUBNETMASK><MODEL_ID>" + model +
         "</MODEL_ID><ADAPTERCAP>262144</ADAPTERCAP><1284STRID>MFG:Quorvex;MDL:" + model +
         ";CMD:PCL;</1284STRID>";
}

std::vector<std::string> RecordTexts(int64_t count) {
  std::vector<std::string> texts;
  texts.reserve(static_cast<size_t>(count));
  for (int64_t i = 0; i < count; ++i) texts.push_back(RecordText(i));
  return texts;
}

const char kRuleSet[] =
    "<Filter><MODEL_ID>QX100</MODEL_ID><Configured>IPADDRESS.Empty()==0</Configured>"
    "<Bidi>ADAPTERCAP&262144</Bidi></Filter>"
    "<Output><LOCALPORT/><Label>MODEL_ID.substr(0,2)+IPADDRESS</Label></Output>";

// A setup medium in the temporary folder whose rule file holds `ruleSet`
// as the rule set "Network" and `general` as the GENERAL section.
class BenchMedium {
 public:
  // `otherSets` are further entries of the section, after "Network".
  explicit BenchMedium(const std::string& ruleSet = kRuleSet,
                       const std::string& general = "MODEL=QX100\r\n",
                       const std::string& otherSets = "")
      : root(std::filesystem::temp_directory_path() / "nodexa_rules_bench") {
    std::filesystem::create_directories(root / "Setup" / "Bin");
    std::filesystem::create_directories(root / "Setup" / "Config");
    std::ofstream(root / "Setup" / "Config" / "Product.ini", std::ios::binary)
        << "[NetworkInstallData]\r\nNetwork=" << ruleSet << "\r\n"
        << otherSets << "[GENERAL]\r\n"
        << general;
    nodexa::SetExecutableDirectoryOverride((root / "Setup" / "Bin").string());
  }
  ~BenchMedium() {
    nodexa::SetExecutableDirectoryOverride("");
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
  }
  BenchMedium(const BenchMedium&) = delete;
  BenchMedium& operator=(const BenchMedium&) = delete;

 private:
  std::filesystem::path root;
};

// The parts of a product rule file: the chosen set, the other sets' entries
// and the GENERAL section's entries.
struct BenchMediumFiles {
  std::string ruleSet;
  std::string otherSets;
  std::string general;
};

// Handlers that take every event and do nothing with it.
void XMLCALL NoStart(void*, const XML_Char*, const XML_Char**) {}
void XMLCALL NoEnd(void*, const XML_Char*) {}
void XMLCALL NoText(void*, const XML_Char*, int) {}

// Nanoseconds expat takes per record to parse each text as the engine
// wraps it, one parser per record; the best of a few passes.
double ExpatNanosecondsPerRecord(const std::vector<std::string>& texts) {
  std::vector<std::string> documents;
  documents.reserve(texts.size());
  for (const std::string& text : texts)
    documents.push_back("<SourceData>" + text + "</SourceData>");
  double best = 0;
  for (int pass = 0; pass < 3; ++pass) {
    const Clock::time_point start = Clock::now();
    for (const std::string& document : documents) {
      XML_Parser parser = XML_ParserCreate(nullptr);
      XML_SetElementHandler(parser, NoStart, NoEnd);
      XML_SetCharacterDataHandler(parser, NoText);
      benchmark::DoNotOptimize(
          XML_Parse(parser, document.data(), static_cast<int>(document.size()), 1));
      XML_ParserFree(parser);
    }
    const double ns = std::chrono::duration<double, std::nano>(Clock::now() - start).count() /
                      static_cast<double>(documents.size());
    best = pass == 0 ? ns : std::min(best, ns);
  }
  return best;
}

// Builds the engine from `texts` and applies the rule set "Network" once per
// iteration; the nanoseconds of all iterations, the lines of the last.
double TimeApplyRules(benchmark::State& state, const std::vector<std::string>& texts,
                      size_t& lines) {
  double elapsed = 0;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    nodexa::RuleEngine engine(texts);
    const std::vector<std::string> result = engine.ApplyRules("NetworkInstallData", "Network");
    elapsed += std::chrono::duration<double, std::nano>(Clock::now() - start).count();
    lines = result.size();
    benchmark::DoNotOptimize(result.data());
  }
  return elapsed;
}

void BM_ApplyRules(benchmark::State& state) {
  const BenchMedium medium;
  const int64_t count = state.range(0);
  const std::vector<std::string> texts = RecordTexts(count);
  const double expat = ExpatNanosecondsPerRecord(texts);

  size_t lines = 0;
  const double elapsed = TimeApplyRules(state, texts, lines);
  const double perRecord = elapsed / static_cast<double>(state.iterations() * count);
  state.counters["per_record_ns"] = perRecord;
  state.counters["ratio_to_expat"] = perRecord / expat;
  state.counters["expat_ns"] = expat;
  state.counters["lines"] = static_cast<double>(lines);
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_ApplyRules)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// A product rule file of about `bytes` bytes: the chosen set "Network"
// refers to GENERAL values by %KEY%; other sets of the same shape and
// GENERAL entries fill the rest, half each.
BenchMediumFiles ProductRuleFile(size_t bytes) {
  BenchMediumFiles files;
  files.ruleSet =
      "<Filter><MODEL_ID>%MODEL%</MODEL_ID><Configured>IPADDRESS.Empty()==0</Configured>"
      "<Bidi>ADAPTERCAP&%BIDIBIT%</Bidi></Filter>"
      "<Output><LOCALPORT/><Label>MODEL_ID.substr(0,2)+IPADDRESS</Label></Output>";
  for (size_t i = 0; files.otherSets.size() < bytes / 2; ++i) {
    const std::string n = std::to_string(i);
    files.otherSets += "Set" + n + "=<Filter><MODEL_ID>QX" + n +
                       "</MODEL_ID></Filter><Output><LOCALPORT/><Label>%LABEL" + n +
                       "%</Label></Output>\r\n";
  }
  for (size_t i = 0; files.general.size() < bytes / 2; ++i) {
    const std::string n = std::to_string(i);
    files.general += "LABEL" + n + "=Quorvex QX" + n + " Series on the office network\r\n";
  }
  files.general += "MODEL=QX100\r\nBIDIBIT=262144\r\n";
  return files;
}

void BM_ProductRuleFile(benchmark::State& state) {
  const auto bytes = static_cast<size_t>(state.range(0));
  const BenchMediumFiles files = ProductRuleFile(bytes);
  const BenchMedium medium(files.ruleSet, files.general, files.otherSets);
  constexpr int64_t kRecords = 1000;
  const std::vector<std::string> texts = RecordTexts(kRecords);
  size_t lines = 0;
  const double elapsed = TimeApplyRules(state, texts, lines);
  const double perCall = elapsed / static_cast<double>(state.iterations());
  state.counters["ns_per_byte"] = perCall / static_cast<double>(bytes);
  state.counters["per_record_ns"] = perCall / static_cast<double>(kRecords);
  state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_ProductRuleFile)->Arg(64 << 10)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

// The Filter conditions alone over records already in fields, each
// condition indexed once as the engine does.
void BM_EvaluateFilter(benchmark::State& state) {
  constexpr int kRecords = 1000;
  std::vector<nodexa::SourceRecord> records;
  for (int i = 0; i < kRecords; ++i) {
    const bool configured = i % 5 != 0;
    records.push_back({{"IPADDRESS", configured ? "10.1.2." + std::to_string(i % 250) : ""},
                       {"MODEL_ID", i % 3 == 0 ? "LX500" : "QX100"},
                       {"ADAPTERCAP", "262144"}});
  }
  const std::vector<nodexa::IndexedExpression> conditions{
      nodexa::IndexedExpression("IPADDRESS.Empty()==0"),
      nodexa::IndexedExpression("MODEL_ID.substr(0,2)==qx"),
      nodexa::IndexedExpression("ADAPTERCAP&262144")};
  for (auto _ : state) {
    int selected = 0;
    for (const nodexa::SourceRecord& record : records) {
      bool pass = true;
      for (const nodexa::IndexedExpression& condition : conditions) {
        pass = pass && nodexa::EvaluateWithinBounds(record, condition) != "0";
      }
      selected += pass ? 1 : 0;
    }
    benchmark::DoNotOptimize(selected);
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_EvaluateFilter);

// Shapes of a one-line rule set that cost most per byte when evaluation,
// expansion or search is not linear: the operator chain A+A+...+A (far past
// the nesting bound), parentheses nested 200 deep around a long word (within
// it; every level holds the whole rest), %K% references to GENERAL, and a
// word searched for a near match of half its length (AA...A.Find(AA...AB)).
enum class Shape { kChain, kNested, kReferences, kSearch };

// A rule set of exactly `bytes` bytes whose one Filter condition has `shape`.
std::string HostileRuleSet(Shape shape, size_t bytes) {
  const std::string head = "<Filter><C>";
  const std::string tail = "</C></Filter><Output><LOCALPORT/></Output>";
  const size_t size = bytes - head.size() - tail.size();
  std::string body;
  if (shape == Shape::kChain) {
    body = "A";
    while (body.size() + 2 <= size) body += "+A";
  } else if (shape == Shape::kNested) {
    constexpr size_t kLevels = 200;
    for (size_t i = 0; i < kLevels; ++i) body += "1*(";
    body.append(size - body.size() - kLevels, 'x');
    body.append(kLevels, ')');
  } else if (shape == Shape::kReferences) {
    while (body.size() + 3 <= size) body += "%K%";
  } else {
    const size_t third = (size - 7) / 3;
    body = std::string(size - 7 - third, 'A') + ".Find(" + std::string(third - 1, 'A') + "B)";
  }
  body.resize(size, 'A');
  return head + body + tail;
}

void BM_HostileRuleFile(benchmark::State& state, Shape shape) {
  const auto bytes = static_cast<size_t>(state.range(0));
  const BenchMedium medium(HostileRuleSet(shape, bytes), "K=1\r\n");
  const std::vector<std::string> texts = RecordTexts(13);
  double elapsed = 0;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    nodexa::RuleEngine engine(texts);
    benchmark::DoNotOptimize(engine.ApplyRules("NetworkInstallData", "Network"));
    elapsed += std::chrono::duration<double, std::nano>(Clock::now() - start).count();
  }
  state.counters["ns_per_byte"] =
      elapsed / static_cast<double>(state.iterations()) / static_cast<double>(bytes);
}
// 64 KiB, 256 KiB and 1 MiB.
void HostileSizes(benchmark::internal::Benchmark* benchmark) {
  benchmark->Arg(64 << 10)->Arg(256 << 10)->Arg(1 << 20)->Unit(benchmark::kMillisecond);
}
BENCHMARK_CAPTURE(BM_HostileRuleFile, chain, Shape::kChain)->Apply(HostileSizes);
BENCHMARK_CAPTURE(BM_HostileRuleFile, nested, Shape::kNested)->Apply(HostileSizes);
BENCHMARK_CAPTURE(BM_HostileRuleFile, references, Shape::kReferences)->Apply(HostileSizes);
BENCHMARK_CAPTURE(BM_HostileRuleFile, search, Shape::kSearch)->Apply(HostileSizes);

}  // namespace
