// The text paths every export runs through: splitting value lists, reading
// tagged text and parsing XML.
#include <benchmark/benchmark.h>

#include <string>

#include "frame/string_tokenizer.h"
#include "frame/tagged_text.h"
#include "rules/xml_document.h"

namespace {

const std::string kRecord =
    "<IPADDRESS>10.1.2.3</IPADDRESS><SUBNETMASK>255.255.255.0</SUBNETMASK>"
    "<SUBNET>10.1.2.0</SUBNET><MACADDRESS>00-11-22-33-44-55</MACADDRESS>"
    "<ADAPTERCAP>262144</ADAPTERCAP><STRID1284>MFG:Quorvex;MDL:QX-100;CMD:PCL;</STRID1284>"
    "<HOSTNAME>QX100-334455</HOSTNAME>";

void BM_TokenizeValueList(benchmark::State& state) {
  std::string text;
  for (int64_t i = 0; i < state.range(0); ++i) text += "value " + std::to_string(i) + " | ";
  for (auto _ : state) {
    std::vector<std::string> tokens;
    nodexa::StringTokenizer(text, '|').Split(tokens);
    benchmark::DoNotOptimize(tokens.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_TokenizeValueList)->Arg(10)->Arg(10000);

void BM_ReadTagsRecord(benchmark::State& state) {
  for (auto _ : state) {
    auto tags = nodexa::ReadTags("DiscoveredPort", kRecord);
    benchmark::DoNotOptimize(tags.data());
  }
}
BENCHMARK(BM_ReadTagsRecord);

void BM_XmlDocumentLarge(benchmark::State& state) {
  std::string text = "<Records>";
  while (text.size() < static_cast<size_t>(state.range(0))) {
    text += "<DiscoveredPort>" + kRecord + "</DiscoveredPort>\n";
  }
  text += "</Records>";
  for (auto _ : state) {
    nodexa::XmlDocument document(text, text.size() + 1);
    benchmark::DoNotOptimize(document.GetRoot());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_XmlDocumentLarge)->Arg(64 << 10)->Arg(1 << 20);

}  // namespace
