#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fcntl.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <optional>
#include <sstream>
#include <thread>

#include "platform/core/Exception.h"
#include "platform/registry/RegistryMessages.h"
#include "platform/registry/RegistryStore.h"

namespace fs = std::filesystem;
using registry::TRegistryStore;
using registry::TRegistryTree;
using registry::TRegistryValue;

namespace {

std::string ReadFile(const std::string& Path) {
  std::ifstream Stream(Path, std::ios::binary);
  std::stringstream Text;
  Text << Stream.rdbuf();
  return Text.str();
}

void WriteFile(const std::string& Path, const std::string& Text) {
  std::ofstream(Path, std::ios::binary) << Text;
}

unsigned Mode(const std::string& Path) {
  struct stat Status {};
  EXPECT_EQ(stat(Path.c_str(), &Status), 0) << Path;
  return Status.st_mode & 07777;
}

std::vector<std::string> Entries(const std::string& Directory) {
  std::vector<std::string> Names;
  for (const auto& Entry : fs::directory_iterator(Directory))
    Names.push_back(Entry.path().filename().string());
  std::sort(Names.begin(), Names.end());
  return Names;
}

// Keeps one environment variable as it was.
class TEnvironmentKeeper {
public:
  explicit TEnvironmentKeeper(const char* Name) : FName(Name) {
    const char* Value = std::getenv(Name);
    if (Value) FValue = Value;
  }
  ~TEnvironmentKeeper() {
    if (FValue)
      setenv(FName, FValue->c_str(), 1);
    else
      unsetenv(FName);
  }

private:
  const char* FName;
  std::optional<std::string> FValue;
};

class RegistryStoreTest : public ::testing::Test {
protected:
  void SetUp() override {
    char Template[] = "/tmp/registry-store-XXXXXX";
    ASSERT_NE(mkdtemp(Template), nullptr);
    FRoot = Template;
    FStoreDirectory = FRoot + "/config/Scoutlane";
  }
  void TearDown() override {
    chmod(FRoot.c_str(), 0700);
    fs::remove_all(FRoot);
  }

  static bool SetHistory(TRegistryTree& Tree) {
    Tree.SetValue({"Software", "App", "History"}, "History0", TRegistryValue::FromText("天気"));
    return Tree.SetValue({"Software", "App", "History"}, "HistoryCount",
                         TRegistryValue::FromNumber(1));
  }

  std::string FRoot;
  std::string FStoreDirectory;
};

TEST_F(RegistryStoreTest, SavesIntoNewPrivateFoldersAndLeavesNoTemporary) {
  mode_t OldMask = umask(0);
  TRegistryStore Store(FStoreDirectory);
  Store.Update(SetHistory);
  umask(OldMask);

  EXPECT_EQ(Mode(FRoot + "/config"), 0700u);
  EXPECT_EQ(Mode(FStoreDirectory), 0700u);
  EXPECT_EQ(Mode(Store.FilePath()), 0600u);
  EXPECT_EQ(Entries(FStoreDirectory), std::vector<std::string>{"registry.txt"});

  TRegistryTree Back = TRegistryStore(FStoreDirectory).Load();
  EXPECT_EQ(Back.FindValue({"software", "app", "history"}, "History0")->Text, "天気");
  EXPECT_EQ(Back.FindValue({"Software", "App", "History"}, "HistoryCount")->Number, 1);
}

TEST_F(RegistryStoreTest, ASaveMakesAnOpenStoreFilePrivate) {
  fs::create_directories(FStoreDirectory);
  WriteFile(FStoreDirectory + "/registry.txt", "ScoutlaneRegistry 1\n[Old]\n");
  chmod((FStoreDirectory + "/registry.txt").c_str(), 0644);

  TRegistryTree Saved = TRegistryStore(FStoreDirectory).Update(SetHistory);
  EXPECT_EQ(Mode(FStoreDirectory + "/registry.txt"), 0600u);
  EXPECT_NE(Saved.FindKey({"Old"}), nullptr);
}

TEST_F(RegistryStoreTest, AChangeThatChangesNothingWritesNothing) {
  TRegistryStore Store(FStoreDirectory);
  Store.Update([](TRegistryTree&) { return false; });
  EXPECT_FALSE(fs::exists(FRoot + "/config"));

  Store.Update(SetHistory);
  struct stat Before {
  }, After{};
  stat(Store.FilePath().c_str(), &Before);
  Store.Update(SetHistory);  // the same values again
  stat(Store.FilePath().c_str(), &After);
  EXPECT_EQ(Before.st_ino, After.st_ino);
}

TEST_F(RegistryStoreTest, ARefusedWriteKeepsTheOldStoreAndLeavesNoTemporary) {
  TRegistryStore Store(FStoreDirectory);
  Store.Update(SetHistory);
  std::string Before = ReadFile(Store.FilePath());

  // A file-size limit refuses the write even to root, which ignores modes.
  rlimit OldLimit{};
  getrlimit(RLIMIT_FSIZE, &OldLimit);
  rlimit Small = OldLimit;
  Small.rlim_cur = 4096;
  auto OldHandler = signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &Small), 0);
  try {
    Store.Update([](TRegistryTree& Tree) {
      return Tree.SetValue({"Software", "App"}, "Big",
                           TRegistryValue::FromText(std::string(8192, 'x')));
    });
    ADD_FAILURE() << "the write was not refused";
  } catch (const ERegistryException& Error) {
    EXPECT_EQ(Error.Message(), FormatMessage(messages::kCannotWrite, {Store.FilePath()}));
  }
  setrlimit(RLIMIT_FSIZE, &OldLimit);
  signal(SIGXFSZ, OldHandler);

  EXPECT_EQ(ReadFile(Store.FilePath()), Before);
  EXPECT_EQ(Entries(FStoreDirectory), std::vector<std::string>{"registry.txt"});
}

TEST_F(RegistryStoreTest, ACorruptStoreIsReportedAndNeverOverwritten) {
  fs::create_directories(FStoreDirectory);
  std::string Corrupt = "ScoutlaneRegistry 1\n[App]\nbroken line\n";
  WriteFile(FStoreDirectory + "/registry.txt", Corrupt);
  TRegistryStore Store(FStoreDirectory);

  try {
    Store.Load();
    ADD_FAILURE() << "a corrupt store was read";
  } catch (const ERegistryException& Error) {
    EXPECT_EQ(Error.Message(),
              FormatMessage(registry::kCorruptStoreMessage, {Store.FilePath(), "3"}));
  }
  EXPECT_THROW(Store.Update(SetHistory), ERegistryException);
  EXPECT_EQ(ReadFile(Store.FilePath()), Corrupt);
}

// Something other than a file in the store's place is unreadable, and a
// named pipe there does not hang the program waiting for a writer.
class RegistryStoreNotAFileTest : public RegistryStoreTest,
                                  public ::testing::WithParamInterface<bool> {};

TEST_P(RegistryStoreNotAFileTest, IsUnreadableAtOnce) {
  const bool Pipe = GetParam();
  TRegistryStore Store(FStoreDirectory);
  fs::create_directories(Pipe ? FStoreDirectory : Store.FilePath());
  if (Pipe) ASSERT_EQ(mkfifo(Store.FilePath().c_str(), 0600), 0);
  auto Loaded = std::async(std::launch::async, [&Store]() -> std::string {
    try {
      Store.Load();
      return "read as the store";
    } catch (const ERegistryException& Error) {
      return Error.Message();
    }
  });
  if (Loaded.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
    // Unblocks the reader so the test can end.
    close(open(Store.FilePath().c_str(), O_WRONLY | O_NONBLOCK));
    ADD_FAILURE() << "reading the store waited on the pipe";
  }
  EXPECT_EQ(Loaded.get(), FormatMessage(registry::kUnreadableStoreMessage, {Store.FilePath()}));
}

INSTANTIATE_TEST_SUITE_P(InPlaceOfTheFile, RegistryStoreNotAFileTest, ::testing::Bool(),
                         [](const auto& Info) { return Info.param ? "Pipe" : "Folder"; });

TEST_F(RegistryStoreTest, ASaveRemovesTheTemporariesOfKilledSaves) {
  fs::create_directories(FStoreDirectory);
  WriteFile(FStoreDirectory + "/.registry.txt.a1B2c3", "half a sav");
  WriteFile(FStoreDirectory + "/.registry.txt.notes", "not ours: another length");
  WriteFile(FStoreDirectory + "/other.txt", "not ours");
  TRegistryStore(FStoreDirectory).Update(SetHistory);
  EXPECT_EQ(Entries(FStoreDirectory),
            (std::vector<std::string>{".registry.txt.notes", "other.txt", "registry.txt"}));
}

TEST_F(RegistryStoreTest, ChangesMadeAtTheSameTimeAreAllKept) {
  // Each update reads the store, adds one value and saves: without the lock
  // two writers would overwrite each other's values.
  constexpr int kPerWriter = 60;
  auto Writer = [this](const char* Prefix) {
    TRegistryStore Store(FStoreDirectory);
    for (int Index = 0; Index < kPerWriter; ++Index) {
      std::string Name = Prefix + std::to_string(Index);
      Store.Update([&](TRegistryTree& Tree) {
        return Tree.SetValue({"App"}, Name, TRegistryValue::FromNumber(Index));
      });
    }
  };
  std::thread First(Writer, "a"), Second(Writer, "b");
  First.join();
  Second.join();

  TRegistryTree Tree = TRegistryStore(FStoreDirectory).Load();
  EXPECT_EQ(Tree.FindKey({"App"})->ValueCount(), 2u * kPerWriter);
}

struct TDirectoryCase {
  const char* XdgConfigHome;  // nullptr: unset
  const char* Expected;       // below HOME=/home/user
};

class RegistryStoreDirectoryTest : public ::testing::TestWithParam<TDirectoryCase> {};

TEST_P(RegistryStoreDirectoryTest, FollowsTheXdgConfigHome) {
  TEnvironmentKeeper KeepHome("HOME"), KeepConfig("XDG_CONFIG_HOME");
  setenv("HOME", "/home/user", 1);
  if (GetParam().XdgConfigHome)
    setenv("XDG_CONFIG_HOME", GetParam().XdgConfigHome, 1);
  else
    unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(TRegistryStore::CurrentUserDirectory(), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Environments, RegistryStoreDirectoryTest,
    ::testing::Values(TDirectoryCase{"/srv/cfg", "/srv/cfg/scoutlane"},
                      TDirectoryCase{"/srv/cfg//", "/srv/cfg/scoutlane"},
                      TDirectoryCase{nullptr, "/home/user/.config/scoutlane"},
                      TDirectoryCase{"", "/home/user/.config/scoutlane"},
                      // Relative values are to be ignored, by the XDG rules, and
                      // so is one that names a file.
                      TDirectoryCase{"relative/cfg", "/home/user/.config/scoutlane"},
                      TDirectoryCase{"/dev/null", "/home/user/.config/scoutlane"}));

// A store made while it lived in "Scoutlane" is used there until the shared
// settings folder holds one: nothing the user stored is left behind.
TEST_F(RegistryStoreTest, StoreOfTheEarlierFolderIsKeptUntilTheNewOneHasOne) {
  TEnvironmentKeeper KeepConfig("XDG_CONFIG_HOME");
  const std::string Config = FRoot + "/config";
  setenv("XDG_CONFIG_HOME", Config.c_str(), 1);
  EXPECT_EQ(TRegistryStore::CurrentUserDirectory(), Config + "/scoutlane");

  fs::create_directories(Config + "/Scoutlane");
  WriteFile(Config + "/Scoutlane/registry.txt", "");
  EXPECT_EQ(TRegistryStore::CurrentUserDirectory(), Config + "/Scoutlane");

  fs::create_directories(Config + "/scoutlane");
  WriteFile(Config + "/scoutlane/registry.txt", "");
  EXPECT_EQ(TRegistryStore::CurrentUserDirectory(), Config + "/scoutlane");
}

}  // namespace
