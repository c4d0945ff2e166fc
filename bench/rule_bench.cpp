// The rule engine on the scale of a busy network: a typical filter over 1000
// discovered-port records, first the expressions alone, then a whole rule
// set read from a rule file.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "frame/setup_medium.h"
#include "rules/data_field.h"
#include "rules/expression_evaluator.h"
#include "rules/rule_engine.h"

namespace {

constexpr int kRecords = 1000;

// Every third record is another model, every fifth is not configured.
std::string RecordText(int i) {
  const std::string model = i % 3 == 0 ? "LX500" : "QX100";
  const std::string address =
      i % 5 == 0 ? "" : "10.1." + std::to_string(i / 250) + "." + std::to_string(i % 250 + 1);
  return "<LOCALPORT>IP_" + std::to_string(i) + "</LOCALPORT><IPADDRESS>" + address +
         "</IPADDRESS><SUBNETMASK>255.255.255.0</SUBNETMASK><MODEL_ID>" + model +
         "</MODEL_ID><ADAPTERCAP>262144</ADAPTERCAP><1284STRID>MFG:Quorvex;MDL:" + model +
         ";CMD:PCL;</1284STRID>";
}

std::vector<std::string> RecordTexts() {
  std::vector<std::string> texts;
  for (int i = 0; i < kRecords; ++i) texts.push_back(RecordText(i));
  return texts;
}

const char kFilter[] =
    "<Filter><MODEL_ID>QX100</MODEL_ID><Configured>IPADDRESS.Empty()==0</Configured>"
    "<Bidi>ADAPTERCAP&262144</Bidi></Filter>"
    "<Output><LOCALPORT/><Label>MODEL_ID.substr(0,2)+IPADDRESS</Label>"
    "<Address>IPADDRESS.IpToLong()</Address></Output>";

void BM_EvaluateFilter(benchmark::State& state) {
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

// A setup medium in the temporary folder whose rule file holds kFilter.
class BenchMedium {
 public:
  BenchMedium() : root(std::filesystem::temp_directory_path() / "nodexa_rule_bench") {
    std::filesystem::create_directories(root / "Setup" / "Bin");
    std::filesystem::create_directories(root / "Setup" / "Config");
    std::ofstream(root / "Setup" / "Config" / "Product.ini", std::ios::binary)
        << "[NetworkInstallData]\r\nNetwork=" << kFilter << "\r\n[GENERAL]\r\nMODEL=QX100\r\n";
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

void BM_LoadSources(benchmark::State& state) {
  const std::vector<std::string> texts = RecordTexts();
  for (auto _ : state) {
    nodexa::RuleEngine engine(texts);
    benchmark::DoNotOptimize(engine.Sources().data());
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_LoadSources);

void BM_ApplyRules(benchmark::State& state) {
  const BenchMedium medium;
  nodexa::RuleEngine engine(RecordTexts());
  size_t lines = 0;
  for (auto _ : state) {
    const std::vector<std::string> result = engine.ApplyRules("NetworkInstallData", "Network");
    lines = result.size();
    benchmark::DoNotOptimize(result.data());
  }
  state.counters["lines"] = static_cast<double>(lines);
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_ApplyRules);

}  // namespace
