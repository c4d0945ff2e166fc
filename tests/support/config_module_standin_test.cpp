// The stand-in configuration module, loaded as the library loads it: the
// size-through-a-pointer protocol, its answers and its journal.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "frame/companion_module.h"
#include "harness/test_medium.h"
#include "platform/win32_api.h"

namespace nodexa {
namespace {

using GetConfigDataFn = int32_t (*)(uint32_t, uint32_t, uint32_t, void*, uint32_t*);
using Lines = std::vector<std::string>;

constexpr char kModule[] = "QVXAcfg.dll";

std::string Bytes(int32_t number) {
  char raw[sizeof number];
  std::memcpy(raw, &number, sizeof number);
  return std::string(raw, sizeof raw);
}

class ConfigModuleStandIn : public ::testing::Test {
 protected:
  // Installs the module with `answers` and binds GetConfigData.
  GetConfigDataFn Load(const std::string& answers, const char* variant = kModule) {
    const std::string path = medium.InstallModule(variant, kModule).string();
    medium.SetAnswers(kModule, answers);
    module.reset(LoadLibraryA(path.c_str()));
    if (!module) return nullptr;
    return reinterpret_cast<GetConfigDataFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(module.get(), "GetConfigData")));
  }

  test::TestMedium medium;
  UniqueModule module;
};

struct QueryCase {
  const char* why;
  const char* answers;
  uint32_t item;
  uint32_t subItem;
  bool withBuffer;
  uint32_t offered;
  int32_t result;
  uint32_t sizeAfter;
  std::string filled;  // the buffer's bytes after the call
};

void PrintTo(const QueryCase& c, std::ostream* out) { *out << c.why; }

class ConfigModuleQueries : public ConfigModuleStandIn,
                            public ::testing::WithParamInterface<QueryCase> {};

constexpr char kUntouched = '\x5A';

TEST_P(ConfigModuleQueries, FollowSizingProtocol) {
  const QueryCase& c = GetParam();
  const GetConfigDataFn getConfigData = Load(c.answers);
  ASSERT_NE(getConfigData, nullptr);
  std::string buffer(32, kUntouched);
  uint32_t size = c.offered;
  EXPECT_EQ(getConfigData(0, c.item, c.subItem, c.withBuffer ? &buffer[0] : nullptr, &size),
            c.result);
  EXPECT_EQ(size, c.sizeAfter);
  std::string expected = c.filled;
  expected.resize(buffer.size(), kUntouched);
  EXPECT_EQ(buffer, expected);
}

const char kProduct[] =
    "item.10000.1=QX-100 Series\n"
    "number.10009.1=512\n"
    "number.10009.2=0xFFFFFFFF\n"
    "number.10009.3=9\n"
    "result.10009.3=5\n"
    "result.20000.1=9\n"
    "item.10001.1=\n"
    "item.10002.1=Quorvex\n"
    "number.10002.1=3\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, ConfigModuleQueries,
    ::testing::Values(
        QueryCase{"size query of a text", kProduct, 10000, 1, false, 0, 3, 14, ""},
        QueryCase{"a null buffer with a large size still only sizes", kProduct, 10000, 1, false,
                  100, 3, 14, ""},
        QueryCase{"a buffer one byte short is not touched", kProduct, 10000, 1, true, 13, 3, 14,
                  ""},
        QueryCase{"text with its NUL", kProduct, 10000, 1, true, 14, 0, 14,
                  std::string("QX-100 Series", 14)},
        QueryCase{"a larger buffer gets the text's size back", kProduct, 10000, 1, true, 32, 0, 14,
                  std::string("QX-100 Series", 14)},
        QueryCase{"size query of a number", kProduct, 10009, 1, false, 0, 3, 4, ""},
        QueryCase{"a number as four bytes", kProduct, 10009, 1, true, 4, 0, 4, Bytes(512)},
        QueryCase{"hexadecimal numbers wrap to 32 bits", kProduct, 10009, 2, true, 4, 0, 4,
                  Bytes(-1)},
        QueryCase{"a configured failure still sizes", kProduct, 10009, 3, false, 0, 3, 4, ""},
        QueryCase{"a configured failure with a buffer", kProduct, 10009, 3, true, 4, 5, 4,
                  Bytes(9)},
        QueryCase{"an unknown sub-item", kProduct, 10009, 4, false, 0, 1, 0, ""},
        QueryCase{"an unknown item leaves size and buffer", kProduct, 12345, 1, true, 32, 1, 32,
                  ""},
        QueryCase{"a configured result without an answer", kProduct, 20000, 1, false, 7, 9, 7, ""},
        QueryCase{"an empty text is its NUL", kProduct, 10001, 1, true, 1, 0, 1,
                  std::string(1, '\0')},
        QueryCase{"text wins over a number", kProduct, 10002, 1, true, 32, 0, 8,
                  std::string("Quorvex", 8)},
        QueryCase{"no answers file at all", "", 10000, 1, false, 0, 1, 0, ""}));

TEST_F(ConfigModuleStandIn, JournalsEveryCallWithItsArguments) {
  const GetConfigDataFn getConfigData = Load(kProduct);
  ASSERT_NE(getConfigData, nullptr);
  uint32_t size = 0;
  EXPECT_EQ(getConfigData(0, 10000, 1, nullptr, &size), 3);
  std::vector<char> buffer(size);
  EXPECT_EQ(getConfigData(0, 10000, 1, buffer.data(), &size), 0);
  EXPECT_STREQ(buffer.data(), "QX-100 Series");
  EXPECT_EQ(getConfigData(7, 10000, 1, nullptr, nullptr), 1);  // no size: no answer
  module.reset();
  EXPECT_EQ(medium.Journal(kModule), (Lines{"Load", "GetConfigData\t0\t10000\t1\tnull\t0",
                                            "GetConfigData\t0\t10000\t1\tbuffer\t14",
                                            "GetConfigData\t7\t10000\t1\tnull\t(null)", "Unload"}));
}

TEST_F(ConfigModuleStandIn, VariantLacksGetConfigData) {
  EXPECT_EQ(Load(kProduct, "QVXAcfg-no-GetConfigData.dll"), nullptr);
  EXPECT_TRUE(module);  // it loads; only the function is missing
}

}  // namespace
}  // namespace nodexa
