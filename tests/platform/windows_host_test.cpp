#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "platform/win32_api.h"

namespace {

TEST(WindowsHost, ModulePathIsADrivePath) {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  ASSERT_GT(length, 3u);
  EXPECT_TRUE(std::isalpha(static_cast<unsigned char>(path[0]))) << path;
  EXPECT_EQ(std::string(path).substr(1, 2), ":\\") << path;
  EXPECT_NE(std::string(path).find(".exe"), std::string::npos) << path;
}

}  // namespace
