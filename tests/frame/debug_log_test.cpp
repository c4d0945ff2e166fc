#include "frame/debug_log.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "harness/temp_dir.h"
#include "nodexa/nodexa.h"

namespace nodexa {
namespace {

using test::FileExists;
using test::ReadBinary;
using test::TempDir;

// What one "\n" becomes in a file written in text mode.
#if defined(_WIN32)
const std::string kLineEnd = "\r\n";
#else
const std::string kLineEnd = "\n";
#endif

// A scratch folder and the log file in it.
class DebugLogTest : public ::testing::Test {
 protected:
  TempDir dir;
  const std::string file = dir.File("log.txt");
};

TEST_F(DebugLogTest, LinesBeforeAPathAreDroppedForGood) {
  DebugLog log;
  log << "early line" << std::endl;
  log << "early unterminated ";
  EXPECT_FALSE(FileExists(file));

  log.SetPath(file);
  log << "late" << std::endl;
  // The unterminated text was still pending and joins the first written line.
  EXPECT_EQ(ReadBinary(file), "early unterminated late" + kLineEnd);
}

TEST_F(DebugLogTest, LineIsExactlyWhatWasStreamed) {
  DebugLog log;
  log.SetPath(file);
  log << "Nodexa::"
      << "RegisterRemoteSubnets:"
      << "Function in hcp.dll RegisterRemoteSubnets failed with error code " << 5 << std::endl;
  log << "Registry::openKey: could not open key " << -2147483647L << std::endl;
  EXPECT_EQ(ReadBinary(file),
            "Nodexa::RegisterRemoteSubnets:Function in hcp.dll RegisterRemoteSubnets failed "
            "with error code 5" +
                kLineEnd + "Registry::openKey: could not open key -2147483647" + kLineEnd);
}

TEST_F(DebugLogTest, RecoveringDropsTheMessageThatWasCutShort) {
  DebugLog log;
  log.SetPath(file);
  // What an allocation failing inside a message leaves: a fragment pending
  // and a stream that writes nothing more.
  log << "Nodexa::Cut:half a mess";
  log.setstate(std::ios::badbit);
  log << "age" << std::endl;
  log.Recover();
  log << "Nodexa::Next:whole" << std::endl;
  EXPECT_EQ(ReadBinary(file), "Nodexa::Next:whole" + kLineEnd);
}

TEST_F(DebugLogTest, TheProcessLogRecoversBeforeEachMessage) {
  SetupDebugLog(file.c_str());
  GetDebugLog() << "Registry::openKey: cut";
  GetDebugLog().setstate(std::ios::badbit);
  NodexaLog("Tag:") << "message " << 7 << std::endl;
  GetDebugLog() << "Class::operation: more" << std::endl;
  SetupDebugLog("");
  EXPECT_EQ(ReadBinary(file),
            "Nodexa::Tag:message 7" + kLineEnd + "Class::operation: more" + kLineEnd);
}

TEST_F(DebugLogTest, AppendsToExistingFileWithoutTruncating) {
  {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::fopen(file.c_str(), "wb"),
                                                        &std::fclose);
    ASSERT_TRUE(out);
    std::fputs("kept|", out.get());
  }
  DebugLog log;
  log.SetPath(file);
  log.SetPath(file);  // the same path twice changes nothing
  log << "a" << std::endl;
  EXPECT_EQ(ReadBinary(file), "kept|a" + kLineEnd);
}

TEST_F(DebugLogTest, EmptyPathSwitchesOffAndAPathResumesAppending) {
  DebugLog log;
  log.SetPath(file);
  log << "one" << std::endl;
  log.SetPath("");
  log << "lost" << std::endl;
  log.SetPath(file);
  log << "two" << std::endl;
  EXPECT_EQ(ReadBinary(file), "one" + kLineEnd + "two" + kLineEnd);
}

TEST_F(DebugLogTest, PendingTextFollowsARedirection) {
  const std::string first = dir.File("first.txt");
  const std::string second = dir.File("second.txt");
  DebugLog log;
  log.SetPath(first);
  log << "done" << std::endl << "half ";
  log.SetPath(second);
  log << "whole" << std::endl;
  EXPECT_EQ(ReadBinary(first), "done" + kLineEnd);
  EXPECT_EQ(ReadBinary(second), "half whole" + kLineEnd);
}

TEST_F(DebugLogTest, DeletedFileIsCreatedAgainByTheNextLine) {
  DebugLog log;
  log.SetPath(file);
  log << "one" << std::endl;
  ASSERT_EQ(std::remove(file.c_str()), 0);  // no handle may stay open
  log << "two" << std::endl;
  EXPECT_EQ(ReadBinary(file), "two" + kLineEnd);
}

TEST_F(DebugLogTest, UnwritableFileLosesTheLineOnly) {
  DebugLog log;
  log.SetPath(dir.File("missing-folder/log.txt"));
  log << "lost" << std::endl;
  EXPECT_TRUE(log.good());
  log.SetPath(file);
  log << "kept" << std::endl;
  EXPECT_EQ(ReadBinary(file), "kept" + kLineEnd);
}

TEST_F(DebugLogTest, DestructionWritesAnUnterminatedLine) {
  {
    DebugLog log;
    log.SetPath(file);
    log << "last words " << 42;
    EXPECT_FALSE(FileExists(file));
  }
  EXPECT_EQ(ReadBinary(file), "last words 42");
}

TEST_F(DebugLogTest, SetupDebugLogSwitchesTheProcessLog) {
  EXPECT_EQ(SetupDebugLog(file.c_str()), 1);
  EXPECT_EQ(GetDebugLog().Path(), file);
  GetDebugLog() << "Nodexa::"
                << "GetDiscoveredPorts:"
                << "x " << 122 << std::endl;
  EXPECT_EQ(SetupDebugLog(nullptr), 1);
  GetDebugLog() << "off" << std::endl;
  EXPECT_EQ(SetupDebugLog(""), 1);
  EXPECT_EQ(ReadBinary(file), "Nodexa::GetDiscoveredPorts:x 122" + kLineEnd);
}

}  // namespace
}  // namespace nodexa
