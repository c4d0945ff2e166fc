// The pieces of the two port searches: the request turned into discovery
// parameters and a filter, local port records and the duplicate check.
#include "discovery/port_search.h"

#include <gtest/gtest.h>

#include <random>

#include "discovery/local_ports.h"
#include "frame/string_toolkit.h"
#include "harness/case_name.h"

namespace nodexa {
namespace {

using Lines = std::vector<std::string>;

const std::string kBase = "<UNICAST>1</UNICAST><LocalSubnets>1</LocalSubnets>";

struct ParameterCase {
  const char* name;
  Lines request;
  std::string parameters;
};

void PrintTo(const ParameterCase& c, std::ostream* out) { *out << c.name; }

class ParameterTable : public ::testing::TestWithParam<ParameterCase> {};

TEST_P(ParameterTable, RemoteSubnetsAsGiven) {
  EXPECT_EQ(DiscoveryParameters(&GetParam().request), GetParam().parameters);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParameterTable,
    ::testing::Values(
        ParameterCase{"TypeOnly", {"Inkjet"}, kBase}, ParameterCase{"Empty", {}, kBase},
        ParameterCase{"DefaultAndGivenMask",
                      {"Inkjet", "10.1.0.0", "10.2.0.0:255.255.0.0"},
                      kBase + "<RemoteSubnets>10.1.0.0:255.255.255.0;10.2.0.0:255.255.0.0;"
                              "</RemoteSubnets>"},
        ParameterCase{"EntriesAreNotTrimmedOrChecked",
                      {"", " 10.1.0.0 ", "", "x:", "not an address"},
                      kBase + "<RemoteSubnets> 10.1.0.0 :255.255.255.0;:255.255.255.0;x:;"
                              "not an address:255.255.255.0;</RemoteSubnets>"}),
    test::CaseName());

TEST(PortSearch, NullRequest) {
  EXPECT_EQ(DiscoveryParameters(nullptr), kBase);
  EXPECT_EQ(RequestedType(nullptr), "");
  const Lines empty;
  EXPECT_EQ(RequestedType(&empty), "");
  const Lines request{"LaserScanner", "10.1.0.0"};
  EXPECT_EQ(RequestedType(&request), "LaserScanner");
}

TEST(PortSearch, FilterByType) {
  const struct {
    const char* type;
    const char* filter;
  } cases[] = {
      {"Inkjet", "<CPDATTACHED>1</CPDATTACHED>"},
      {"INKJET", "<CPDATTACHED>1</CPDATTACHED>"},
      {"LaserPrinter", "<CPDATTACHED>0</CPDATTACHED>"},
      {"laserscanner", "<CPDATTACHED>0</CPDATTACHED>"},
      {"Laser", ""},
      {"", ""},
      {"Inkjet ", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(EnumerationFilter(c.type), c.filter) << c.type;
}

TEST(LocalPorts, RecordOfNameAndQuotedDescription) {
  char name[] = "LPT1:";
  char monitor[] = "Local Port";
  char description[] = "Printer Port";
  PORT_INFO_2A port{name, monitor, description, 0, 0};
  EXPECT_EQ(LocalPortRecord(port), "LPT1:|\"Printer Port\"");
  port.pDescription = nullptr;
  EXPECT_EQ(LocalPortRecord(port), "LPT1:|\"\"");
  port.pPortName = nullptr;
  port.pDescription = description;
  EXPECT_EQ(LocalPortRecord(port), "|\"Printer Port\"");
}

TEST(LocalPorts, DuplicatesUnderCompareNoCaseAreDropped) {
  NodexaList lines{"QX_P1|%DiscoveredPrinter%|10.1.2.3", "FILE:|\"Local Port\""};
  AppendUnlisted(lines, {"file:|\"LOCAL PORT\"", "LPT1:|\"Local Port\"", "lpt1:|\"local port\"",
                         "qx_p1|%discoveredprinter%|10.1.2.3", "COM1:|\"Local Port\"",
                         "LPT1:|\"Local Port\""});
  EXPECT_EQ(lines, (Lines{"QX_P1|%DiscoveredPrinter%|10.1.2.3", "FILE:|\"Local Port\"",
                          "LPT1:|\"Local Port\"", "COM1:|\"Local Port\""}));
}

TEST(LocalPorts, OnlyAToZFold) {
  NodexaList lines{"\xC4:|\"x\""};
  AppendUnlisted(lines, {"\xE4:|\"x\"", "\xC4:|\"X\"", "[|\"\"", "{|\"\""});
  EXPECT_EQ(lines, (Lines{"\xC4:|\"x\"", "\xE4:|\"x\"", "[|\"\"", "{|\"\""}));
}

// The outcome of comparing each candidate with every line before it.
NodexaList Pairwise(NodexaList lines, const Lines& candidates) {
  for (const std::string& candidate : candidates) {
    bool listed = false;
    for (const std::string& line : lines) listed = listed || CompareNoCase(line, candidate) == 0;
    if (!listed) lines.push_back(candidate);
  }
  return lines;
}

TEST(LocalPorts, SameOutcomeAsComparingEveryPair) {
  // Short lines over a small alphabet, so equal-but-for-case lines and
  // embedded NULs (CompareNoCase stops there) are frequent.
  std::mt19937 random(20240611);
  const std::string alphabet("aAbB|:\0Z[", 9);
  auto line = [&] {
    std::string text(random() % 4, ' ');
    for (char& c : text) c = alphabet[random() % alphabet.size()];
    return text;
  };
  for (int round = 0; round < 200; ++round) {
    NodexaList lines(random() % 6);
    for (std::string& text : lines) text = line();
    Lines candidates(random() % 30);
    for (std::string& text : candidates) text = line();
    NodexaList hashed = lines;
    AppendUnlisted(hashed, candidates);
    ASSERT_EQ(hashed, Pairwise(lines, candidates)) << "round " << round;
  }
}

}  // namespace
}  // namespace nodexa
