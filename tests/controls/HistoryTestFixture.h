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
#include <stdexcept>
#include <string>

#include "platform/registry/RegistryStore.h"

// Made in the constructor, removed in the destructor, for any fixture.
class THistoryScratch {
public:
  THistoryScratch() {
    char Template[] = "/tmp/history-XXXXXX";
    if (!mkdtemp(Template)) throw std::runtime_error("no scratch folder");
    FDir = Template;
    FConfig = FDir + "/config";
    if (const char* Old = std::getenv("XDG_CONFIG_HOME")) FOldConfig = Old;
    setenv("XDG_CONFIG_HOME", FConfig.c_str(), 1);
  }
  ~THistoryScratch() {
    if (FOldConfig)
      setenv("XDG_CONFIG_HOME", FOldConfig->c_str(), 1);
    else
      unsetenv("XDG_CONFIG_HOME");
    std::error_code Ignored;
    std::filesystem::remove_all(FDir, Ignored);
  }
  THistoryScratch(const THistoryScratch&) = delete;
  THistoryScratch& operator=(const THistoryScratch&) = delete;

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

private:
  std::optional<std::string> FOldConfig;
};

class THistoryStoreFixture : public testing::Test, public THistoryScratch {};
