// How many saves a settings object makes, counted by inotify (Linux only:
// the folder's renames are the saves).
#include <sys/inotify.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>

#include "framework/core/IniFiles.h"
#include "platform/ScratchFiles.h"

namespace {

class IniFileSaveCountTest : public testing::Test {
protected:
  void SetUp() override {
    FDir = testfiles::MakeScratchDirectory("inifile-saves");
    FFile = FDir + "/Scoutlane.ini";
  }
  void TearDown() override { testfiles::RemoveTree(FDir); }

  std::string FDir, FFile;
};

// Counts the files renamed into the directory: one per save.
class TSaveCounter {
public:
  explicit TSaveCounter(const std::string& Dir) : FFd(inotify_init1(IN_NONBLOCK)) {
    inotify_add_watch(FFd, Dir.c_str(), IN_MOVED_TO | IN_CLOSE_WRITE);
  }
  ~TSaveCounter() { close(FFd); }
  int Renames() {
    alignas(inotify_event) char Buffer[65536];
    ssize_t Length;
    while ((Length = read(FFd, Buffer, sizeof Buffer)) > 0)
      for (char* At = Buffer; At < Buffer + Length;) {
        auto* Event = reinterpret_cast<inotify_event*>(At);
        if (Event->mask & IN_MOVED_TO) ++FRenames;
        At += sizeof(inotify_event) + Event->len;
      }
    return FRenames;
  }

private:
  int FFd;
  int FRenames = 0;
};

}  // namespace

TEST_F(IniFileSaveCountTest, ManyWritesCostOneSave) {
  TSaveCounter Saves(FDir);
  {
    TIniFile Ini(FFile);
    for (int Key = 0; Key < 200; ++Key) Ini.WriteInteger("S", "K" + std::to_string(Key), Key);
    EXPECT_EQ(Saves.Renames(), 0);
  }
  EXPECT_EQ(Saves.Renames(), 1);
  {
    TIniFile OnlyReads(FFile);
    EXPECT_EQ(OnlyReads.ReadInteger("S", "K199", 0), 199);
  }
  EXPECT_EQ(Saves.Renames(), 1) << "an object that only read saves nothing";
}
