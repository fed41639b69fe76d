#pragma once
// A scratch folder for settings files and a private registry store
// ($XDG_CONFIG_HOME pointed into the folder), so that history tests never
// touch the user's own settings.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>

#include "platform/ScratchFiles.h"
#include "platform/ScratchRegistry.h"
#include "platform/registry/RegistryStore.h"

// Made in the constructor, removed in the destructor, for any fixture.
class THistoryScratch {
public:
  THistoryScratch() {
    FDir = testfiles::MakeScratchDirectory("history");
    FConfig = FDir + "/config";
    FConfigGuard.emplace("XDG_CONFIG_HOME", FConfig);
    FRegistry.emplace(FConfig);
  }
  ~THistoryScratch() {
    FRegistry.reset();
    FConfigGuard.reset();
    testfiles::RemoveTree(FDir);
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

  registry::TRegistryTree StoredRegistry() const { return FRegistry->Stored(); }
  bool RegistryFileExists() const { return FRegistry->Written(); }

  std::string FDir, FConfig;

private:
  std::optional<testfiles::TEnvironmentGuard> FConfigGuard;
  std::optional<testfiles::TScratchRegistry> FRegistry;
};

class THistoryStoreFixture : public testing::Test, public THistoryScratch {};
