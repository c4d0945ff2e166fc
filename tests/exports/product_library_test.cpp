// The shipped library takes its setup medium from its caller's location
// alone: with the test builds' environment variable pointing at a medium,
// Nodexa finds no module there, while NodexaTesting, built from the same
// code with the test hook, does. Both are loaded as a setup program loads
// them, by path beside the program.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "harness/test_medium.h"
#include "platform/win32_api.h"

namespace {

using Lines = std::vector<std::string>;

struct LibraryCase {
  const char* file;
  int32_t attached;
  Lines log;
};

TEST(ProductLibrary, IgnoresTheMediumTheEnvironmentNames) {
  const LibraryCase cases[] = {
      {NODEXA_PRODUCT_LIBRARY,
       0,
       {"Nodexa::GetInstallDLLFilePath:Cannot find the file xxxxinst.dll"}},
      {NODEXA_TESTING_LIBRARY, 1, {}},
  };
  for (const LibraryCase& c : cases) {
    nodexa::test::TestMedium medium;
    medium.InstallModule("QVXAinst.dll", "QVXAinst.dll");
    medium.SetAnswers("QVXAinst.dll", "GetINAInfoQcs.text=<INASUPPORTED>1</INASUPPORTED>\n");
    const std::string path = (nodexa::test::ProgramDirectory() / c.file).string();
    const HMODULE library = LoadLibraryA(path.c_str());
    ASSERT_NE(library, nullptr) << path;
    const auto setupDebugLog = reinterpret_cast<int32_t (*)(const char*)>(
        reinterpret_cast<void*>(GetProcAddress(library, "SetupDebugLog")));
    const auto isINAAttached = reinterpret_cast<int32_t (*)(const char*)>(
        reinterpret_cast<void*>(GetProcAddress(library, "IsINAAttached")));
    ASSERT_TRUE(setupDebugLog != nullptr && isINAAttached != nullptr);
    setupDebugLog(medium.LogPath().c_str());
    EXPECT_EQ(isINAAttached("USB001"), c.attached) << c.file;
    setupDebugLog("");
    EXPECT_EQ(medium.LogLines(), c.log) << c.file;
    FreeLibrary(library);
  }
}

}  // namespace
