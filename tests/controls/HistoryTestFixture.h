#pragma once
// A scratch folder for settings files and a private registry store
// ($XDG_CONFIG_HOME pointed into the folder), so that history tests never
// touch the user's own settings.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "platform/registry/RegistryStore.h"

class THistoryStoreFixture : public testing::Test {
protected:
  void SetUp() override {
    char Template[] = "/tmp/history-XXXXXX";
    ASSERT_NE(mkdtemp(Template), nullptr);
    FDir = Template;
    FConfig = FDir + "/config";
    if (const char* Old = std::getenv("XDG_CONFIG_HOME")) FOldConfig = Old;
    setenv("XDG_CONFIG_HOME", FConfig.c_str(), 1);
  }
  void TearDown() override {
    if (FOldConfig)
      setenv("XDG_CONFIG_HOME", FOldConfig->c_str(), 1);
    else
      unsetenv("XDG_CONFIG_HOME");
    std::error_code Ignored;
    std::filesystem::permissions(FDir, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, Ignored);
    std::filesystem::remove_all(FDir, Ignored);
  }

  static std::string ReadFile(const std::string& Path) {
    std::ifstream In(Path, std::ios::binary);
    std::stringstream Out;
    Out << In.rdbuf();
    return Out.str();
  }
  static void WriteFile(const std::string& Path, const std::string& Bytes) {
    std::ofstream(Path, std::ios::binary) << Bytes;
  }

  registry::TRegistryTree StoredRegistry() const {
    return registry::TRegistryStore(FConfig + "/Scoutlane").Load();
  }
  bool RegistryFileExists() const {
    return std::filesystem::exists(FConfig + "/Scoutlane/registry.txt");
  }

  std::string FDir, FConfig;
  std::optional<std::string> FOldConfig;
};
