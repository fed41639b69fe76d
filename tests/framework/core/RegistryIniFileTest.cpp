#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/core/Registry.h"
#include "platform/core/Exception.h"
#include "platform/registry/RegistryStore.h"

namespace fs = std::filesystem;
using registry::TRegistryStore;
using registry::TRegistryTree;

namespace {

// Every test gets its own XDG_CONFIG_HOME, as a user's settings would.
class RegistryIniFileTest : public ::testing::Test {
protected:
  void SetUp() override {
    char Template[] = "/tmp/registry-ini-XXXXXX";
    ASSERT_NE(mkdtemp(Template), nullptr);
    FRoot = Template;
    FConfig = FRoot + "/config";
    if (const char* Old = std::getenv("XDG_CONFIG_HOME")) FOldConfig = Old;
    setenv("XDG_CONFIG_HOME", FConfig.c_str(), 1);
  }
  void TearDown() override {
    if (FOldConfig)
      setenv("XDG_CONFIG_HOME", FOldConfig->c_str(), 1);
    else
      unsetenv("XDG_CONFIG_HOME");
    fs::remove_all(FRoot);
  }

  std::string StoreFile() const { return FConfig + "/scoutlane/registry.txt"; }
  TRegistryTree Stored() const { return TRegistryStore(FConfig + "/scoutlane").Load(); }
  // A file where the store's folder would be made. (A file in place of
  // XDG_CONFIG_HOME itself would be ignored, as the XDG rules ask.)
  void BlockTheStoreFolder() const {
    fs::create_directories(FConfig);
    std::ofstream(FConfig + "/scoutlane") << "a file, not a folder";
  }

  std::string FRoot;
  std::string FConfig;
  std::optional<std::string> FOldConfig;
};

TEST_F(RegistryIniFileTest, ValuesWrittenComeBackThroughANewObject) {
  {
    TRegistryIniFile Ini("Software\\Scoutlane");
    Ini.WriteInteger("History", "HistoryCount", 2);
    Ini.WriteString("History", "History0", "天気 予報");
    Ini.WriteString("History", "History1", "");
    Ini.WriteInteger("History", "Negative", -2147483647 - 1);
  }
  TRegistryIniFile Ini("Software\\Scoutlane");
  EXPECT_EQ(Ini.ReadInteger("History", "HistoryCount", 0), 2);
  EXPECT_EQ(Ini.ReadString("History", "History0", "x"), "天気 予報");
  EXPECT_EQ(Ini.ReadString("History", "History1", "x"), "");
  EXPECT_EQ(Ini.ReadInteger("History", "Negative", 0), -2147483647 - 1);
}

TEST_F(RegistryIniFileTest, WritesWaitForTheReleaseAndReadsSeeThemBefore) {
  {
    TRegistryIniFile Ini("Software\\Scoutlane");
    Ini.WriteInteger("History", "HistoryCount", 1);
    Ini.WriteString("History", "History0", "museum");
    EXPECT_FALSE(fs::exists(StoreFile()));
    EXPECT_EQ(Ini.ReadInteger("History", "HistoryCount", 0), 1);
    EXPECT_EQ(Ini.ReadString("History", "History0", ""), "museum");
    Ini.WriteString("History", "History0", "park");  // after the first read
    EXPECT_EQ(Ini.ReadString("History", "History0", ""), "park");
    EXPECT_FALSE(fs::exists(StoreFile()));
  }
  EXPECT_EQ(Stored().FindValue({"Software", "Scoutlane", "History"}, "History0")->Text, "park");
}

TEST_F(RegistryIniFileTest, EraseSectionTakesTheSubkeyWithEverythingBelowIt) {
  {
    TRegistryIniFile Ini("Software\\Scoutlane");
    Ini.WriteInteger("History", "HistoryCount", 3);
    Ini.WriteInteger("History\\Deeper", "X", 1);
    Ini.WriteInteger("Other", "Y", 2);
  }
  {
    TRegistryIniFile Ini("Software\\Scoutlane");
    Ini.EraseSection("HISTORY");
    EXPECT_EQ(Ini.ReadInteger("History", "HistoryCount", -1), -1);
    Ini.WriteInteger("History", "HistoryCount", 0);
  }
  TRegistryTree Tree = Stored();
  const registry::TRegistryKey* History = Tree.FindKey({"Software", "Scoutlane", "History"});
  ASSERT_NE(History, nullptr);
  EXPECT_EQ(History->ValueCount(), 1u);
  EXPECT_TRUE(History->SubKeys().empty());
  EXPECT_EQ(Tree.FindValue({"Software", "Scoutlane", "Other"}, "Y")->Number, 2);
}

TEST_F(RegistryIniFileTest, AnEmptySectionIsTheKeyItselfButIsNeverErased) {
  {
    TRegistryIniFile Ini("Software\\Scoutlane");
    Ini.WriteInteger("", "Top", 5);
    Ini.EraseSection("");
    Ini.EraseSection("\\\\");
  }
  TRegistryIniFile Ini("Software\\Scoutlane");
  EXPECT_EQ(Ini.ReadInteger("", "Top", 0), 5);
}

TEST_F(RegistryIniFileTest, ReadSectionListsValueNamesInStoredOrderWithPendingOnes) {
  {
    TRegistryIniFile Ini("Software\\Scoutlane");
    Ini.WriteInteger("History", "HistoryCount", 2);
    Ini.WriteString("History", "History1", "b");
  }
  TRegistryIniFile Ini("Software\\Scoutlane");
  Ini.WriteString("History", "History0", "a");
  std::vector<std::string> Idents = {"stale"};
  Ini.ReadSection("History", Idents);
  EXPECT_EQ(Idents, (std::vector<std::string>{"HistoryCount", "History1", "History0"}));
  Ini.ReadSection("Missing", Idents);
  EXPECT_TRUE(Idents.empty());
  TRegistryIniFile Nowhere("\\\\");
  Nowhere.ReadSection("History", Idents);
  EXPECT_TRUE(Idents.empty());
}

TEST_F(RegistryIniFileTest, NamesIgnoreLetterCaseAndStrayBackslashes) {
  {
    TRegistryIniFile Ini("Software\\Scoutlane\\\\");
    Ini.WriteInteger("History", "HistoryCount", 4);
  }
  TRegistryIniFile Ini("\\SOFTWARE\\\\scoutlane");
  EXPECT_EQ(Ini.ReadInteger("history", "HISTORYCOUNT", 0), 4);
}

TEST_F(RegistryIniFileTest, MissingKeysAndValuesGiveTheDefault) {
  TRegistryIniFile Ini("Software\\Scoutlane");
  EXPECT_EQ(Ini.ReadInteger("Nowhere", "X", 42), 42);
  EXPECT_EQ(Ini.ReadString("Nowhere", "X", "dflt"), "dflt");
  Ini.WriteInteger("Here", "Y", 1);
  EXPECT_EQ(Ini.ReadInteger("Here", "X", 43), 43);
}

TEST_F(RegistryIniFileTest, ANumberReadsAsItsDecimalText) {
  TRegistryIniFile Ini("Software\\Scoutlane");
  Ini.WriteInteger("S", "N", -5);
  EXPECT_EQ(Ini.ReadString("S", "N", ""), "-5");
}

struct TTextNumberCase {
  const char* Text;
  int Expected;  // with the default 99
};

void PrintTo(const TTextNumberCase& Case, std::ostream* Out) { *Out << '"' << Case.Text << '"'; }

class RegistryIniFileTextNumberTest : public RegistryIniFileTest,
                                      public ::testing::WithParamInterface<TTextNumberCase> {};

TEST_P(RegistryIniFileTextNumberTest, ATextReadsAsAWholeNumberOrTheDefault) {
  {
    TRegistryIniFile Ini("Software\\Scoutlane");
    Ini.WriteString("S", "V", GetParam().Text);
  }
  TRegistryIniFile Ini("Software\\Scoutlane");
  EXPECT_EQ(Ini.ReadInteger("S", "V", 99), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, RegistryIniFileTextNumberTest,
                         ::testing::Values(TTextNumberCase{"12", 12}, TTextNumberCase{"-7", -7},
                                           TTextNumberCase{"+3", 3}, TTextNumberCase{"$1F", 31},
                                           TTextNumberCase{"0x10", 16},
                                           TTextNumberCase{"$FFFFFFFF", -1},
                                           TTextNumberCase{"2147483647", 2147483647},
                                           TTextNumberCase{"2147483648", 99},
                                           TTextNumberCase{"x", 99}, TTextNumberCase{"", 99},
                                           TTextNumberCase{"12 ", 99}, TTextNumberCase{" 12", 99}));

TEST_F(RegistryIniFileTest, AKeyPathOfBackslashesNamesNothing) {
  {
    TRegistryIniFile Ini("\\\\\\");
    Ini.WriteInteger("History", "HistoryCount", 1);
    Ini.WriteString("History", "History0", "x");
    Ini.EraseSection("History");
    EXPECT_EQ(Ini.ReadInteger("History", "HistoryCount", -1), -1);
    EXPECT_EQ(Ini.ReadString("History", "History0", "d"), "d");
  }
  EXPECT_FALSE(fs::exists(FConfig));
}

TEST_F(RegistryIniFileTest, CreatingTheObjectCreatesItsKey) {
  { TRegistryIniFile Ini("Software\\Scoutlane\\Empty"); }
  EXPECT_NE(Stored().FindKey({"Software", "Scoutlane", "Empty"}), nullptr);
}

TEST_F(RegistryIniFileTest, ReadingAnExistingKeyWritesNothing) {
  { TRegistryIniFile("Software\\Scoutlane").WriteInteger("S", "N", 1); }
  struct stat Before {
  }, After{};
  ASSERT_EQ(stat(StoreFile().c_str(), &Before), 0);
  {
    TRegistryIniFile Ini("Software\\Scoutlane");
    EXPECT_EQ(Ini.ReadInteger("S", "N", 0), 1);
    Ini.WriteInteger("S", "N", 1);  // the value it already has
  }
  ASSERT_EQ(stat(StoreFile().c_str(), &After), 0);
  EXPECT_EQ(Before.st_ino, After.st_ino);
}

TEST_F(RegistryIniFileTest, ChangesApplyToTheStoreAsItIsAtRelease) {
  auto Early = std::make_unique<TRegistryIniFile>("Software\\Scoutlane");
  Early->WriteInteger("S", "FromEarly", 1);
  EXPECT_EQ(Early->ReadInteger("S", "FromLate", -1), -1);
  {
    TRegistryIniFile Late("Software\\Scoutlane");
    Late.WriteInteger("S", "FromLate", 2);
  }
  Early.reset();
  TRegistryTree Tree = Stored();
  EXPECT_EQ(Tree.FindValue({"Software", "Scoutlane", "S"}, "FromEarly")->Number, 1);
  EXPECT_EQ(Tree.FindValue({"Software", "Scoutlane", "S"}, "FromLate")->Number, 2);
}

TEST_F(RegistryIniFileTest, ARefusedSaveLeavesTheDestructor) {
  BlockTheStoreFolder();
  EXPECT_THROW(
      {
        TRegistryIniFile Ini("Software\\Scoutlane");
        Ini.WriteInteger("S", "N", 1);
      },
      ERegistryException);
}

// A read-only home folder: reading still works and is no error, since the
// key the object would have made holds nothing the caller wrote.
TEST_F(RegistryIniFileTest, AStoreThatRefusesOnlyTheKeyIsNoErrorForAReader) {
  BlockTheStoreFolder();
  EXPECT_NO_THROW({
    TRegistryIniFile Ini("Software\\Scoutlane\\Gallery");
    EXPECT_EQ(Ini.ReadInteger("History", "HistoryCount", 0), 0);
  });
}

TEST_F(RegistryIniFileTest, WhileUnwindingTheFirstErrorGoesOn) {
  BlockTheStoreFolder();
  try {
    TRegistryIniFile Ini("Software\\Scoutlane");
    Ini.WriteInteger("S", "N", 1);
    throw std::runtime_error("first");
  } catch (const std::runtime_error& Error) {
    EXPECT_STREQ(Error.what(), "first");
  }
}

TEST_F(RegistryIniFileTest, UpdateFileKeepsRefusedChangesForARetry) {
  BlockTheStoreFolder();
  TRegistryIniFile Ini("Software\\Scoutlane");
  Ini.WriteInteger("S", "N", 1);
  EXPECT_THROW(Ini.UpdateFile(), ERegistryException);
  EXPECT_EQ(Ini.ReadInteger("S", "N", 0), 1);

  fs::remove(FConfig + "/scoutlane");
  Ini.UpdateFile();
  EXPECT_EQ(Stored().FindValue({"Software", "Scoutlane", "S"}, "N")->Number, 1);
}

TEST_F(RegistryIniFileTest, ALongHistoryRoundTrips) {
  constexpr int kCount = 2000;
  {
    TRegistryIniFile Ini("Software\\Scoutlane");
    Ini.EraseSection("History");
    Ini.WriteInteger("History", "HistoryCount", kCount);
    for (int Index = 0; Index < kCount; ++Index)
      Ini.WriteString("History", "History" + std::to_string(Index),
                      "検索語 " + std::to_string(Index));
  }
  TRegistryIniFile Ini("Software\\Scoutlane");
  ASSERT_EQ(Ini.ReadInteger("History", "HistoryCount", 0), kCount);
  for (int Index = 0; Index < kCount; ++Index)
    ASSERT_EQ(Ini.ReadString("History", "History" + std::to_string(Index), ""),
              "検索語 " + std::to_string(Index));
}

}  // namespace
