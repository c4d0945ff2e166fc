#include "snmp/snmp_oid.h"

#include <gtest/gtest.h>

namespace nodexa::snmp {
namespace {

// "1.7.7...." with `count` arcs, and its list.
std::string Arcs(size_t count) {
  std::string text = "1";
  for (size_t i = 1; i < count; ++i) text += ".7";
  return text;
}

Oid ArcList(size_t count) {
  Oid oid(count, 7);
  oid[0] = 1;
  return oid;
}

struct TextCase {
  std::string text;
  std::optional<Oid> expected;
};

class OidText : public ::testing::TestWithParam<TextCase> {};

TEST_P(OidText, ParsesAndFormatsBack) {
  const TextCase& c = GetParam();
  const std::optional<Oid> oid = ParseOid(c.text);
  ASSERT_EQ(oid, c.expected) << c.text;
  if (oid) {
    EXPECT_EQ(FormatOid(*oid), c.text[0] == '.' ? c.text.substr(1) : c.text);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OidText,
    ::testing::Values(TextCase{"1.3.6.1.2.1.1.5.0", Oid{1, 3, 6, 1, 2, 1, 1, 5, 0}},
                      TextCase{".1.3.6.1.4.1.2699", Oid{1, 3, 6, 1, 4, 1, 2699}},
                      TextCase{"0", Oid{0}}, TextCase{"1.4294967295", Oid{1, UINT32_MAX}},
                      TextCase{"1.4294967296", std::nullopt},
                      TextCase{"1.99999999999999999999999", std::nullopt},
                      TextCase{"", std::nullopt}, TextCase{".", std::nullopt},
                      TextCase{"..1", std::nullopt}, TextCase{"1..3", std::nullopt},
                      TextCase{"1.3.", std::nullopt}, TextCase{"1.03", std::nullopt},
                      TextCase{"1.-3", std::nullopt}, TextCase{"+1.3", std::nullopt},
                      TextCase{"1.3 ", std::nullopt}, TextCase{"1.3x", std::nullopt},
                      TextCase{Arcs(kMaxOidArcs), ArcList(kMaxOidArcs)},
                      TextCase{Arcs(kMaxOidArcs + 1), std::nullopt}));

}  // namespace
}  // namespace nodexa::snmp
