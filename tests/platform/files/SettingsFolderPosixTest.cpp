// Where the settings files go: beside the executable when its folder can be
// written or already holds the settings file, else the user's own folder,
// whose place follows the XDG rules.
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "platform/ScratchFiles.h"
#include "platform/files/SettingsFolder.h"

namespace fs = std::filesystem;

namespace {

constexpr int kSkip = 77;

int RunInChild(const std::function<int()>& Body) {
  pid_t Child = fork();
  if (Child == 0) _exit(Body());
  int Status = 0;
  waitpid(Child, &Status, 0);
  return WIFEXITED(Status) ? WEXITSTATUS(Status) : -WTERMSIG(Status);
}

// Makes Directory read-only for this (child) process. Root passes every
// permission check, so for root it becomes a read-only mount of its own,
// with its files copied in first.
bool MakeReadOnly(const std::string& Directory) {
  if (geteuid() != 0) return chmod(Directory.c_str(), 0555) == 0;
  const std::string Saved = Directory + ".saved";
  fs::copy(Directory, Saved);
  if (unshare(CLONE_NEWNS) != 0 || mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
      mount("tmpfs", Directory.c_str(), "tmpfs", 0, "size=64k") != 0)
    return false;
  fs::copy(Saved, Directory);
  return mount(nullptr, Directory.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

struct TChoiceCase {
  const char* Name;
  bool SettingsFileThere;  // Scoutlane.ini beside the executable
  bool ReadOnly;           // the executable's folder
  bool UserFolder;         // the user has a folder of their own
  bool Portable;           // expected: beside the executable
};

class SettingsFolderChoiceTest : public testing::TestWithParam<TChoiceCase> {
protected:
  void SetUp() override { FRoot = testfiles::MakeScratchDirectory("settings-folder"); }
  void TearDown() override { testfiles::RemoveTree(FRoot); }
  std::string FRoot;
};

TEST_P(SettingsFolderChoiceTest, Chooses) {
  const TChoiceCase& Case = GetParam();
  const std::string Program = FRoot + "/program";
  fs::create_directory(Program);
  if (Case.SettingsFileThere) std::ofstream(Program + "/Scoutlane.ini") << "[SET]\r\n";
  const std::string User = Case.UserFolder ? FRoot + "/home/.config/scoutlane/" : "";

  const int Result = RunInChild([&] {
    if (Case.ReadOnly && !MakeReadOnly(Program)) return kSkip;
    const std::string Chosen = files::ChooseSettingsDirectory(Program + "/", User);
    if (Chosen != (Case.Portable ? Program + "/" : User)) return 1;
    // The probe leaves nothing behind.
    const auto Entries = std::distance(fs::directory_iterator(Program), fs::directory_iterator());
    return Entries == (Case.SettingsFileThere ? 1 : 0) ? 0 : 2;
  });
  if (Result == kSkip) GTEST_SKIP() << "cannot make a read-only folder here";
  EXPECT_EQ(Result, 0) << "1: wrong folder, 2: the probe left a file";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsFolderChoiceTest,
    testing::Values(TChoiceCase{"WritableFolder", false, false, true, true},
                    TChoiceCase{"WritableFolderWithSettings", true, false, true, true},
                    TChoiceCase{"ReadOnlyFolder", false, true, true, false},
                    // A portable copy stays portable: its file wins, and a
                    // refused save names it.
                    TChoiceCase{"ReadOnlyFolderWithSettings", true, true, true, true},
                    // Nowhere better to try: the save's error names the file.
                    TChoiceCase{"ReadOnlyFolderNoUserFolder", false, true, false, true}),
    [](const testing::TestParamInfo<TChoiceCase>& Info) { return Info.param.Name; });

// Root can write /usr/bin, but the package manager's folders are never
// portable: root starting the installed program uses root's own folder.
TEST(SettingsFolderTest, SystemProgramFolderIsNeverPortable) {
  EXPECT_EQ(files::ChooseSettingsDirectory("/usr/bin/", "/home/user/.config/scoutlane/"),
            "/home/user/.config/scoutlane/");
}

struct TUserCase {
  const char* XdgConfigHome;  // nullptr: unset; "@" stands for a scratch folder
  const char* Home;
  const char* Expected;  // "@" as above
};

class UserSettingsDirectoryTest : public testing::TestWithParam<TUserCase> {};

TEST_P(UserSettingsDirectoryTest, FollowsTheXdgRules) {
  const std::string Scratch = testfiles::MakeScratchDirectory("user-settings");
  auto Expand = [&](const char* Text) {
    std::string Value = Text;
    if (Value.compare(0, 1, "@") == 0) Value = Scratch + Value.substr(1);
    return Value;
  };
  {
    testfiles::TEnvironmentGuard Home("HOME", std::string(GetParam().Home));
    testfiles::TEnvironmentGuard Config(
        "XDG_CONFIG_HOME", GetParam().XdgConfigHome
                               ? std::optional<std::string>(Expand(GetParam().XdgConfigHome))
                               : std::nullopt);
    EXPECT_EQ(files::UserSettingsDirectory(), Expand(GetParam().Expected));
  }
  testfiles::RemoveTree(Scratch);
}

INSTANTIATE_TEST_SUITE_P(
    Environments, UserSettingsDirectoryTest,
    testing::Values(TUserCase{"@", "/home/user", "@/scoutlane/"},
                    TUserCase{"/srv/not-made-yet//", "/home/user", "/srv/not-made-yet/scoutlane/"},
                    TUserCase{nullptr, "/home/user", "/home/user/.config/scoutlane/"},
                    TUserCase{"", "/home/user/", "/home/user/.config/scoutlane/"},
                    TUserCase{nullptr, "/", "/.config/scoutlane/"},
                    // Ignored: relative, a file, a path through a file.
                    TUserCase{"relative/cfg", "/home/user", "/home/user/.config/scoutlane/"},
                    TUserCase{"/dev/null", "/home/user", "/home/user/.config/scoutlane/"},
                    TUserCase{"/dev/null/cfg", "/home/user", "/home/user/.config/scoutlane/"}));

// The user's folder is made, for the user only, when a file is saved in it;
// no other folder is ever made.
TEST(SettingsFolderTest, PrepareMakesOnlyTheUsersFolder) {
  const std::string Scratch = testfiles::MakeScratchDirectory("settings-prepare");
  {
    testfiles::TEnvironmentGuard Config("XDG_CONFIG_HOME", Scratch + "/config");
    files::PrepareSettingsFolder(Scratch + "/elsewhere/Scoutlane.ini");
    EXPECT_FALSE(fs::exists(Scratch + "/elsewhere"));

    files::PrepareSettingsFolder(files::UserSettingsDirectory() + "Scoutlane.ini");
    struct stat Status {};
    ASSERT_EQ(stat((Scratch + "/config/scoutlane").c_str(), &Status), 0);
    EXPECT_TRUE(S_ISDIR(Status.st_mode));
    EXPECT_EQ(Status.st_mode & 0777, 0700u);
    ASSERT_EQ(stat((Scratch + "/config").c_str(), &Status), 0);
    EXPECT_EQ(Status.st_mode & 0777, 0700u);
  }
  testfiles::RemoveTree(Scratch);
}

}  // namespace
