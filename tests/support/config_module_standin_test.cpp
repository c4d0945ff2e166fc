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

constexpr char kUntouched = '\x5A';

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

struct QueryCase {
  const char* why;
  uint32_t item;
  uint32_t subItem;
  bool withBuffer;
  uint32_t offered;
  int32_t result;
  uint32_t sizeAfter;
  std::string filled;  // the buffer's bytes after the call
};

TEST_F(ConfigModuleStandIn, QueriesFollowTheSizingProtocol) {
  const std::string series("QX-100 Series", 14);
  const QueryCase cases[] = {
      {"size query of a text", 10000, 1, false, 0, 3, 14, ""},
      {"a null buffer with a large size still only sizes", 10000, 1, false, 100, 3, 14, ""},
      {"a buffer one byte short is not touched", 10000, 1, true, 13, 3, 14, ""},
      {"text with its NUL", 10000, 1, true, 14, 0, 14, series},
      {"a larger buffer gets the text's size back", 10000, 1, true, 32, 0, 14, series},
      {"a number as four bytes", 10009, 1, true, 4, 0, 4, Bytes(512)},
      {"hexadecimal numbers wrap to 32 bits", 10009, 2, true, 4, 0, 4, Bytes(-1)},
      {"a configured failure with a buffer", 10009, 3, true, 4, 5, 4, Bytes(9)},
      {"an unknown item leaves size and buffer", 12345, 1, true, 32, 1, 32, ""},
      {"a configured result without an answer", 20000, 1, false, 7, 9, 7, ""},
      {"an empty text is its NUL", 10001, 1, true, 1, 0, 1, std::string(1, '\0')},
      {"text wins over a number", 10002, 1, true, 32, 0, 8, std::string("Quorvex", 8)},
  };
  const GetConfigDataFn getConfigData = Load(kProduct);
  ASSERT_NE(getConfigData, nullptr);
  for (const QueryCase& c : cases) {
    std::string buffer(32, kUntouched);
    uint32_t size = c.offered;
    EXPECT_EQ(getConfigData(0, c.item, c.subItem, c.withBuffer ? &buffer[0] : nullptr, &size),
              c.result)
        << c.why;
    EXPECT_EQ(size, c.sizeAfter) << c.why;
    std::string expected = c.filled;
    expected.resize(buffer.size(), kUntouched);
    EXPECT_EQ(buffer, expected) << c.why;
  }
}

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
