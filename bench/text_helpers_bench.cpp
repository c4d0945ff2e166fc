// The text paths every export runs through: splitting value lists, reading
// tagged text and parsing XML.
//
// Counters, flat from the smallest size to the largest when the work is
// linear in the input:
//   per_record_ns    BM_TokenizeValueList: per value of the list;
//                    BM_XmlDocumentLarge: per DiscoveredPort record
//   expat_ns         expat alone parsing the same document, per record
//   ratio_to_expat   per_record_ns / expat_ns
#include <benchmark/benchmark.h>
#include <expat.h>

#include <algorithm>
#include <chrono>
#include <string>

#include "frame/string_tokenizer.h"
#include "frame/tagged_text.h"
#include "rules/xml_document.h"

namespace {

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start) {
  return std::chrono::duration<double, std::nano>(Clock::now() - start).count();
}

const std::string kRecord =
    "<IPADDRESS>10.1.2.3</IPADDRESS><SUBNETMASK>255.255.255.0</SUBNETMASK>"
    "<SUBNET>10.1.2.0</SUBNET><MACADDRESS>00-11-22-33-44-55</MACADDRESS>"
    "<ADAPTERCAP>262144</ADAPTERCAP><STRID1284>MFG:Quorvex;MDL:QX-100;CMD:PCL;</STRID1284>"
    "<HOSTNAME>QX100-334455</HOSTNAME>";

void BM_TokenizeValueList(benchmark::State& state) {
  std::string text;
  for (int64_t i = 0; i < state.range(0); ++i) text += "value " + std::to_string(i) + " | ";
  double elapsed = 0;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    std::vector<std::string> tokens;
    nodexa::StringTokenizer(text, '|').Split(tokens);
    benchmark::DoNotOptimize(tokens.data());
    elapsed += Since(start);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
  state.counters["per_record_ns"] =
      elapsed / static_cast<double>(state.iterations() * state.range(0));
}
BENCHMARK(BM_TokenizeValueList)->Arg(10)->Arg(10000);

void BM_ReadTagsRecord(benchmark::State& state) {
  for (auto _ : state) {
    auto tags = nodexa::ReadTags("DiscoveredPort", kRecord);
    benchmark::DoNotOptimize(tags.data());
  }
}
BENCHMARK(BM_ReadTagsRecord);

// Handlers that take every event and do nothing with it.
void XMLCALL NoStart(void*, const XML_Char*, const XML_Char**) {}
void XMLCALL NoEnd(void*, const XML_Char*) {}
void XMLCALL NoText(void*, const XML_Char*, int) {}

// Nanoseconds expat alone takes to parse `text` whole, the best of at
// least 20 passes that take at least a fifth of a second in all.
double ExpatNanoseconds(const std::string& text) {
  double best = 0;
  const Clock::time_point begin = Clock::now();
  for (int pass = 0; pass < 20 || Clock::now() - begin < std::chrono::milliseconds(200); ++pass) {
    const Clock::time_point start = Clock::now();
    XML_Parser parser = XML_ParserCreate(nullptr);
    XML_SetElementHandler(parser, NoStart, NoEnd);
    XML_SetCharacterDataHandler(parser, NoText);
    benchmark::DoNotOptimize(XML_Parse(parser, text.data(), static_cast<int>(text.size()), 1));
    XML_ParserFree(parser);
    const double ns = Since(start);
    best = pass == 0 ? ns : std::min(best, ns);
  }
  return best;
}

void BM_XmlDocumentLarge(benchmark::State& state) {
  std::string text = "<Records>";
  int64_t records = 0;
  while (text.size() < static_cast<size_t>(state.range(0))) {
    text += "<DiscoveredPort>" + kRecord + "</DiscoveredPort>\n";
    ++records;
  }
  text += "</Records>";
  double best = 0;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    nodexa::XmlDocument document(text, text.size() + 1);
    benchmark::DoNotOptimize(document.GetRoot());
    const double ns = Since(start);
    best = best == 0 ? ns : std::min(best, ns);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
  const double expat = ExpatNanoseconds(text);
  state.counters["per_record_ns"] = best / static_cast<double>(records);
  state.counters["expat_ns"] = expat / static_cast<double>(records);
  state.counters["ratio_to_expat"] = best / expat;
}
BENCHMARK(BM_XmlDocumentLarge)->Arg(64 << 10)->Arg(1 << 20);

}  // namespace
