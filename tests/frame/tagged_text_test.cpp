#include "frame/tagged_text.h"

#include <gtest/gtest.h>

#include "frame/string_toolkit.h"

namespace nodexa {
namespace {

std::vector<std::string> Names(const std::vector<Tag>& tags) {
  std::vector<std::string> names;
  for (const Tag& tag : tags) names.push_back(tag.name);
  return names;
}

TEST(MakeTag, WritesValuesVerbatim) {
  EXPECT_EQ(MakeTag("IPADDRESS", "10.1.2.3"), "<IPADDRESS>10.1.2.3</IPADDRESS>");
  EXPECT_EQ(MakeTag("X", "a<b&c"), "<X>a<b&c</X>");
  EXPECT_EQ(MakeTag("E", ""), "<E></E>");
}

TEST(MakeFlagTag, WritesOneOrZero) {
  EXPECT_EQ(MakeFlagTag("CPDATTACHED", true), "<CPDATTACHED>1</CPDATTACHED>");
  EXPECT_EQ(MakeFlagTag("UNICAST", false), "<UNICAST>0</UNICAST>");
}

TEST(ReadTags, ReturnsElementsInOrderWithTrimmedTexts) {
  const std::vector<Tag> tags =
      ReadTags("DiscoveredScannerInfo",
               "<IPADDRESS> 10.1.2.3 </IPADDRESS><SUBNETMASK>255.255.255.0</SUBNETMASK>"
               "<Empty></Empty><IPADDRESS>second</IPADDRESS>");
  ASSERT_EQ(tags.size(), 4u);
  EXPECT_EQ(tags[0].name, "IPADDRESS");
  EXPECT_EQ(tags[0].text, "10.1.2.3");
  EXPECT_EQ(tags[1].text, "255.255.255.0");
  EXPECT_EQ(tags[2].name, "Empty");
  EXPECT_EQ(tags[2].text, "");
  EXPECT_EQ(tags[3].text, "second");
}

TEST(ReadTags, NameStartingWithADigitStopsTheReading) {
  const std::string record =
      "<IPADDRESS>10.1.2.3</IPADDRESS><1284STRID>MFG:Quorvex;MDL:QX-100;</1284STRID>"
      "<MACADDRESS>00-11-22</MACADDRESS>";
  EXPECT_EQ(Names(ReadTags("DiscoveredPort", record)), std::vector<std::string>{"IPADDRESS"});

  std::string renamed = record;
  ReplaceAll(renamed, "1284STRID", "STRID1284");
  const std::vector<Tag> tags = ReadTags("DiscoveredPort", renamed);
  EXPECT_EQ(Names(tags), (std::vector<std::string>{"IPADDRESS", "STRID1284", "MACADDRESS"}));
  EXPECT_EQ(tags[1].text, "MFG:Quorvex;MDL:QX-100;");
}

TEST(ReadTags, OnlyDirectChildrenOfTheWrapper) {
  const std::vector<Tag> tags =
      ReadTags("W", "<DiscoveredPort><IPADDRESS>1.2.3.4</IPADDRESS></DiscoveredPort><B>x</B>");
  EXPECT_EQ(Names(tags), (std::vector<std::string>{"DiscoveredPort", "B"}));
  EXPECT_EQ(tags[0].text, "");
}

TEST(ReadTags, UnparsableTextGivesWhatWasComplete) {
  EXPECT_TRUE(ReadTags("W", "").empty());
  EXPECT_EQ(Names(ReadTags("W", "<A>1</A><B>2")), (std::vector<std::string>{"A", "B"}));
  // A bare '&' is an error inside B: B's start tag was read, what follows is not.
  EXPECT_EQ(Names(ReadTags("W", "<A>1</A><B>x & y</B><C/>")), (std::vector<std::string>{"A", "B"}));
  EXPECT_TRUE(ReadTags("", "<A>1</A>").empty());
}

}  // namespace
}  // namespace nodexa
