// The rule engine on the scale of a busy network: a five-rule set (three
// Filter, two Output rules) read from a rule file and applied to 1,000,
// 10,000 and 100,000 discovered-port records, against expat alone parsing
// the same record texts. Each size reports
//   per_record_ns    building the engine from the texts and applying the
//                    rule set, per record
//   ratio_to_expat   that, divided by expat's time per record
// so that --benchmark_format=json carries both for every size.
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

// A setup medium in the temporary folder whose rule file holds kRuleSet.
class BenchMedium {
 public:
  BenchMedium() : root(std::filesystem::temp_directory_path() / "nodexa_rules_bench") {
    std::filesystem::create_directories(root / "Setup" / "Bin");
    std::filesystem::create_directories(root / "Setup" / "Config");
    std::ofstream(root / "Setup" / "Config" / "Product.ini", std::ios::binary)
        << "[NetworkInstallData]\r\nNetwork=" << kRuleSet << "\r\n[GENERAL]\r\nMODEL=QX100\r\n";
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

// Handlers that take every event and do nothing with it.
void XMLCALL NoStart(void*, const XML_Char*, const XML_Char**) {}
void XMLCALL NoEnd(void*, const XML_Char*) {}
void XMLCALL NoText(void*, const XML_Char*, int) {}

// Nanoseconds expat takes per record to parse each text as the engine
// wraps it, one parser per record; the best of a few passes.
double ExpatNanosecondsPerRecord(const std::vector<std::string>& texts) {
  std::vector<std::string> documents;
  documents.reserve(texts.size());
  for (const std::string& text : texts) documents.push_back("<SourceData>" + text + "</SourceData>");
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

void BM_ApplyRules(benchmark::State& state) {
  const BenchMedium medium;
  const int64_t count = state.range(0);
  const std::vector<std::string> texts = RecordTexts(count);
  const double expat = ExpatNanosecondsPerRecord(texts);

  double elapsed = 0;
  size_t lines = 0;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    nodexa::RuleEngine engine(texts);
    const std::vector<std::string> result = engine.ApplyRules("NetworkInstallData", "Network");
    elapsed += std::chrono::duration<double, std::nano>(Clock::now() - start).count();
    lines = result.size();
    benchmark::DoNotOptimize(result.data());
  }
  const double perRecord = elapsed / static_cast<double>(state.iterations() * count);
  state.counters["per_record_ns"] = perRecord;
  state.counters["ratio_to_expat"] = perRecord / expat;
  state.counters["expat_ns"] = expat;
  state.counters["lines"] = static_cast<double>(lines);
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_ApplyRules)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The Filter conditions alone over records already in fields.
void BM_EvaluateFilter(benchmark::State& state) {
  constexpr int kRecords = 1000;
  std::vector<nodexa::SourceRecord> records;
  for (int i = 0; i < kRecords; ++i) {
    const bool configured = i % 5 != 0;
    records.push_back({{"IPADDRESS", configured ? "10.1.2." + std::to_string(i % 250) : ""},
                       {"MODEL_ID", i % 3 == 0 ? "LX500" : "QX100"},
                       {"ADAPTERCAP", "262144"}});
  }
  const std::vector<std::string> conditions{"IPADDRESS.Empty()==0", "MODEL_ID.substr(0,2)==qx",
                                            "ADAPTERCAP&262144"};
  for (auto _ : state) {
    int selected = 0;
    for (const nodexa::SourceRecord& record : records) {
      bool pass = true;
      for (const std::string& condition : conditions) {
        pass = pass && nodexa::Evaluate(record, condition) != "0";
      }
      selected += pass ? 1 : 0;
    }
    benchmark::DoNotOptimize(selected);
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_EvaluateFilter);

}  // namespace
