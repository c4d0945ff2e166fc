#include "frame/module_buffer.h"

#include <gtest/gtest.h>

#include <cstring>

namespace nodexa {
namespace {

// A module function scripted call by call: what it answers for the probe
// and the filling call, and what it writes.
struct ScriptedModule {
  uint32_t probeStatus = kInsufficientBuffer;
  uint32_t probeNeeded = 0;
  uint32_t fillStatus = 0;
  std::string fillBytes;
  std::vector<uint32_t> sizesSeen;

  uint32_t operator()(char* buffer, uint32_t size, uint32_t* needed) {
    sizesSeen.push_back(size);
    if (sizesSeen.size() == 1) {
      *needed = probeNeeded;
      return probeStatus;
    }
    std::memcpy(buffer, fillBytes.data(), std::min<size_t>(size, fillBytes.size()));
    return fillStatus;
  }
};

TEST(ProbeFirst, ReadsExactlyTheAnnouncedBytes) {
  ScriptedModule module{kInsufficientBuffer, 7, 0, std::string("ab\0cd\0e", 7), {}};
  const auto answer = ProbeFirst(std::ref(module));
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->bytes, std::string("ab\0cd\0e", 7));
  EXPECT_EQ(answer->Text(), "ab");
  EXPECT_EQ(module.sizesSeen, (std::vector<uint32_t>{0, 7}));
}

TEST(ProbeFirst, AnythingButInsufficientBufferMeansNothingToRead) {
  for (uint32_t status : {0u, 1u, 5u, 0xFFFFFFFFu}) {
    ScriptedModule module{status, 10, 0, "x", {}};
    EXPECT_FALSE(ProbeFirst(std::ref(module))) << status;
    EXPECT_EQ(module.sizesSeen.size(), 1u) << status;
  }
}

TEST(ProbeFirst, UnbelievableSizeIsNotAllocated) {
  ScriptedModule module{kInsufficientBuffer, 0xFFFFFFFFu, 0, "x", {}};
  EXPECT_FALSE(ProbeFirst(std::ref(module)));
  EXPECT_EQ(module.sizesSeen.size(), 1u);
}

TEST(ProbeFirst, ShortOrUnterminatedAnswersStayInsideTheBuffer) {
  ScriptedModule shortWrite{kInsufficientBuffer, 6, 0, "abc", {}};
  auto answer = ProbeFirst(std::ref(shortWrite));
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->bytes, std::string("abc\0\0\0", 6));

  ScriptedModule noNul{kInsufficientBuffer, 3, 0, "abcdef", {}};
  answer = ProbeFirst(std::ref(noNul));
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->Text(), "abc");
}

TEST(FixedFirstTry, OneCallWhenTheFirstBufferFits) {
  int calls = 0;
  const ModuleAnswer answer = FixedFirstTry(16, [&](char* buffer, uint32_t size, uint32_t*) {
    ++calls;
    EXPECT_EQ(size, 16u);
    std::strcpy(buffer, "<A>1</A>");
    return 0u;
  });
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(answer.status, 0u);
  EXPECT_EQ(answer.call, 1);
  EXPECT_EQ(answer.Text(), "<A>1</A>");
}

TEST(FixedFirstTry, SecondCallWithTheNeededSize) {
  std::vector<uint32_t> sizes;
  const std::string text(40, 'x');
  const ModuleAnswer answer =
      FixedFirstTry(16, [&](char* buffer, uint32_t size, uint32_t* needed) -> uint32_t {
        sizes.push_back(size);
        *needed = 41;
        if (size < 41) return kInsufficientBuffer;
        std::memcpy(buffer, text.c_str(), 41);
        return 0;
      });
  EXPECT_EQ(sizes, (std::vector<uint32_t>{16, 41}));
  EXPECT_EQ(answer.status, 0u);
  EXPECT_EQ(answer.call, 2);
  EXPECT_EQ(answer.Text(), text);
}

TEST(FixedFirstTry, FailuresAreReportedNotRetried) {
  int calls = 0;
  const ModuleAnswer failed = FixedFirstTry(16, [&](char*, uint32_t, uint32_t*) {
    ++calls;
    return 5u;
  });
  EXPECT_EQ(failed.status, 5u);
  EXPECT_EQ(failed.call, 1);
  EXPECT_EQ(calls, 1);

  const ModuleAnswer huge = FixedFirstTry(16, [&](char*, uint32_t, uint32_t* needed) {
    *needed = 0xFFFFFFFFu;
    return kInsufficientBuffer;
  });
  EXPECT_EQ(huge.status, kInsufficientBuffer);
  EXPECT_EQ(huge.call, 2);
}

}  // namespace
}  // namespace nodexa
