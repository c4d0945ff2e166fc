#include "rules/xml_document.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nodexa {
namespace {

// The tree as one line: name, "=" text when there is any, children in
// brackets. Enough to compare whole trees in one assertion.
std::string Describe(const XmlElement* element) {
  if (element == nullptr) return "null";
  std::string out = element->Name();
  if (!element->Text().empty()) out += "=" + element->Text();
  std::vector<XmlElement*> children;
  if (element->GetChildren(children) > 0) {
    out += "[";
    for (size_t i = 0; i < children.size(); ++i) {
      if (i > 0) out += ",";
      out += Describe(children[i]);
    }
    out += "]";
  }
  return out;
}

std::string Parse(const std::string& text) {
  XmlDocument document(text, text.size() + 1);
  return Describe(document.GetRoot());
}

struct XmlCase {
  const char* what;
  std::string text;
  const char* tree;
};

class XmlTable : public ::testing::TestWithParam<XmlCase> {};

TEST_P(XmlTable, BuildsTheExpectedTree) {
  EXPECT_EQ(Parse(GetParam().text), GetParam().tree) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, XmlTable,
    ::testing::Values(XmlCase{"empty text", "", "null"},
                      XmlCase{"no markup", "plain characters", "null"},
                      XmlCase{"children in order", "<R><A>1</A><B>  x  </B></R>", "R[A=1,B=x]"},
                      XmlCase{"cut off after a start tag", "<R><A>1</A><B>", "R[A=1,B]"},
                      XmlCase{"cut off inside a text", "<R><A>1</A><B>par", "R[A=1,B=par]"},
                      XmlCase{"cut off inside a tag", "<R><A>1</A><B", "R[A=1]"},
                      XmlCase{"stray '<' before B", "<R><A>1</A><<B>x</B></R>", "R[A=1]"},
                      XmlCase{"two top-level elements", "<A>1</A><B>2</B>", "A=1"},
                      XmlCase{"blanks around a reference vanish", "<R> A &amp; B </R>", "R=A&B"},
                      XmlCase{"lines are trimmed and joined", "<R>\n  one \n  two\n</R>",
                              "R=onetwo"},
                      XmlCase{"parent text around a child", "<R>a<C>c</C>b</R>", "R=ab[C=c]"},
                      XmlCase{"attributes ignored", "<R k=\"v\"><A x='1'/></R>", "R[A]"},
                      XmlCase{"declaration", "<?xml version=\"1.0\"?><R>t</R>", "R=t"},
                      XmlCase{"invalid UTF-8 stops the reading",
                              "<R><A>ok</A><B>bad\xFF\xFE</B><C>never</C></R>", "R[A=ok,B=bad]"},
                      XmlCase{"NUL byte stops the reading",
                              std::string("<R><A>1</A><B>x\0y</B><C/></R>", 28), "R[A=1,B=x]"},
                      XmlCase{"digit-led name stops the reading",
                              "<W><A>1</A><1284STRID>s</1284STRID></W>", "W[A=1]"}));

// Elements and texts that straddle the 1023-byte pieces the parser is fed in
// must come out as if the text had been given at once. Sliding the padding
// puts every part of the interesting markup on a piece boundary once.
TEST(XmlDocument, PieceBoundariesDoNotChangeTheTree) {
  const std::string longText(1500, 't');
  for (size_t pad = 990; pad < 1040; ++pad) {
    const std::string text = "<Root><Pad>" + std::string(pad, 'p') + "</Pad><LongElementName>" +
                             longText + "</LongElementName><B> b </B></Root>";
    XmlDocument document(text, text.size() + 1);
    XmlElement* root = document.GetRoot();
    ASSERT_NE(root, nullptr);
    std::vector<XmlElement*> children;
    ASSERT_EQ(root->GetChildren(children), 3) << "pad " << pad;
    EXPECT_EQ(children[0]->Text(), std::string(pad, 'p')) << "pad " << pad;
    EXPECT_EQ(children[1]->Name(), "LongElementName") << "pad " << pad;
    EXPECT_EQ(children[1]->Text(), longText) << "pad " << pad;
    EXPECT_EQ(children[2]->Text(), "b") << "pad " << pad;
  }
}

// The size counts the terminator: 12 covers "<R><A>1</A>".
TEST(XmlDocument, SizeLimitsWhatIsRead) {
  const std::string text = "<R><A>1</A><B>2</B></R>";
  XmlDocument document(text, 12);
  EXPECT_EQ(Describe(document.GetRoot()), "R[A=1]");
  XmlDocument none(text, 0);
  EXPECT_EQ(none.GetRoot(), nullptr);
}

TEST(XmlDocument, DeepNestingNeitherCrashesNorLeaks) {
  constexpr size_t kDepth = 350000;  // a little over 1 MB of markup
  std::string text;
  text.reserve(kDepth * 3 + 8);
  for (size_t i = 0; i < kDepth; ++i) text += "<a>";
  XmlDocument document(text, text.size() + 1);
  XmlElement* element = document.GetRoot();
  ASSERT_NE(element, nullptr);
  size_t depth = 0;
  std::vector<XmlElement*> children;
  while (element != nullptr) {
    ++depth;
    element = element->GetChildren(children) > 0 ? children[0] : nullptr;
  }
  // The last start tag may still wait in the parser for its closing '>' to
  // be known complete; every other level is there.
  EXPECT_GE(depth, kDepth - 1);
}

}  // namespace
}  // namespace nodexa
