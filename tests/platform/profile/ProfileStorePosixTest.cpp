// Saving settings files: atomic replacement, refusals, kept permissions, a
// process killed mid-save, and concurrent instances. Runs as root in CI; root
// passes every permission check, so refusals are provoked in ways that also
// stop root (mode bits of a read-only file, an immutable directory, a parent
// that is a file, a full tmpfs in a private mount namespace), and the checks
// for ordinary users run in a child that gives up root.

#include <fcntl.h>
#include <linux/fs.h>
#include <sched.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/profile/ProfileDocument.h"
#include "platform/profile/ProfileStore.h"

namespace {

namespace fs = std::filesystem;
using profile::TFileRead;

std::string ReadFile(const std::string& Path) {
  std::ifstream In(Path, std::ios::binary);
  std::stringstream Out;
  Out << In.rdbuf();
  return Out.str();
}

void WriteFile(const std::string& Path, const std::string& Bytes) {
  std::ofstream(Path, std::ios::binary) << Bytes;
}

// Sets or clears the immutable flag (chattr +i); false where the file system
// or our rights do not allow it.
bool SetImmutable(const std::string& Path, bool On) {
  int Fd = open(Path.c_str(), O_RDONLY | O_CLOEXEC);
  if (Fd < 0) return false;
  int Flags = 0;
  bool Done = ioctl(Fd, FS_IOC_GETFLAGS, &Flags) == 0;
  if (Done) {
    Flags = On ? (Flags | FS_IMMUTABLE_FL) : (Flags & ~FS_IMMUTABLE_FL);
    Done = ioctl(Fd, FS_IOC_SETFLAGS, &Flags) == 0;
  }
  close(Fd);
  return Done;
}

// Runs Body in a forked child and gives its exit code (-signal when killed).
int RunInChild(const std::function<int()>& Body) {
  pid_t Child = fork();
  if (Child == 0) _exit(Body());
  int Status = 0;
  waitpid(Child, &Status, 0);
  return WIFEXITED(Status) ? WEXITSTATUS(Status) : -WTERMSIG(Status);
}

constexpr int kSkip = 77;

class ProfileStoreTest : public testing::Test {
protected:
  void SetUp() override {
    char Template[] = "/tmp/profile-store-XXXXXX";
    ASSERT_NE(mkdtemp(Template), nullptr);
    FDir = Template;
    FFile = FDir + "/Scoutlane.ini";
  }
  void TearDown() override {
    SetImmutable(FDir, false);
    std::error_code Ignored;
    fs::permissions(FDir, fs::perms::owner_all, Ignored);
    fs::remove_all(FDir, Ignored);
  }
  // Everything in the directory but the settings file and what the test made.
  std::vector<std::string> Leftovers(std::vector<std::string> Expected = {}) {
    std::vector<std::string> Found;
    for (const auto& Entry : fs::directory_iterator(FDir)) {
      std::string Name = Entry.path().filename();
      if (Name != "Scoutlane.ini" &&
          std::find(Expected.begin(), Expected.end(), Name) == Expected.end())
        Found.push_back(Name);
    }
    return Found;
  }

  std::string FDir, FFile;
};

TEST_F(ProfileStoreTest, ReadsMissingAndImpossibleFiles) {
  EXPECT_EQ(profile::ReadProfileFile(FFile).Status, TFileRead::frMissing);
  WriteFile(FDir + "/plain", "x");
  EXPECT_EQ(profile::ReadProfileFile(FDir + "/plain/Scoutlane.ini").Status, TFileRead::frMissing);
  fs::create_directory(FFile);
  EXPECT_EQ(profile::ReadProfileFile(FFile).Status, TFileRead::frFailed);
  ASSERT_EQ(mkfifo((FDir + "/fifo").c_str(), 0600), 0);
  EXPECT_EQ(profile::ReadProfileFile(FDir + "/fifo").Status, TFileRead::frFailed);  // no hang
}

TEST_F(ProfileStoreTest, NewFileGetsTheUsualModeAndOldFileKeepsItsOwn) {
  mode_t Old = umask(022);
  ASSERT_EQ(profile::SaveProfileFile(FFile, "[A]\r\n"), 0);
  umask(Old);
  struct stat Status;
  ASSERT_EQ(stat(FFile.c_str(), &Status), 0);
  EXPECT_EQ(Status.st_mode & 07777, 0644u);

  ASSERT_EQ(chmod(FFile.c_str(), 0640), 0);
  ino_t OldInode = Status.st_ino;
  ASSERT_EQ(profile::SaveProfileFile(FFile, "[B]\r\n"), 0);
  ASSERT_EQ(stat(FFile.c_str(), &Status), 0);
  EXPECT_EQ(Status.st_mode & 07777, 0640u);
  EXPECT_NE(Status.st_ino, OldInode) << "replaced by rename, not rewritten in place";
  EXPECT_EQ(ReadFile(FFile), "[B]\r\n");
  EXPECT_TRUE(Leftovers().empty());
}

TEST_F(ProfileStoreTest, SavesThroughASymbolicLink) {
  WriteFile(FDir + "/real.ini", "old");
  fs::create_symlink("real.ini", FFile);
  ASSERT_EQ(profile::SaveProfileFile(FFile, "new"), 0);
  EXPECT_TRUE(fs::is_symlink(FFile));
  EXPECT_EQ(ReadFile(FDir + "/real.ini"), "new");
}

struct TRefusal {
  const char* Name;
  // Prepares the refusal in Dir for File (which holds "old"); false to skip.
  std::function<bool(const std::string& Dir, std::string& File)> Prepare;
  int Expected;
};

void PrintTo(const TRefusal& Case, std::ostream* Out) { *Out << Case.Name; }

class ProfileRefusedSaveTest : public ProfileStoreTest,
                               public testing::WithParamInterface<TRefusal> {};

TEST_P(ProfileRefusedSaveTest, LeavesTheOldFileAndNoTemporary) {
  std::string Target = FFile;
  WriteFile(FFile, "[SET]\r\nFRON=1\r\n");
  if (!GetParam().Prepare(FDir, Target)) GTEST_SKIP() << "cannot be provoked here";
  std::string Before = fs::is_regular_file(Target) ? ReadFile(Target) : std::string();
  bool EditCalled = false;
  int Update = profile::UpdateProfileFile(Target, [&](std::string_view Old) {
    EditCalled = true;
    return std::string(Old) + "k=v\r\n";
  });
  int Save = profile::SaveProfileFile(Target, "replacement");
  SetImmutable(FDir, false);
  EXPECT_EQ(Update, GetParam().Expected);
  EXPECT_EQ(Save, GetParam().Expected);
  if (fs::is_regular_file(Target)) {
    EXPECT_EQ(ReadFile(Target), Before);
  }
  EXPECT_TRUE(Leftovers({"plain", "Scoutlane.ini"}).empty());
  if (GetParam().Expected == EISDIR) {
    EXPECT_FALSE(EditCalled);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileRefusedSaveTest,
                         testing::Values(TRefusal{"ReadOnlyFile",
                                                  [](const std::string&, std::string& File) {
                                                    return chmod(File.c_str(), 0444) == 0;
                                                  },
                                                  EACCES},
                                         TRefusal{"DirectoryInPlaceOfFile",
                                                  [](const std::string& Dir, std::string& File) {
                                                    File = Dir + "/plain";
                                                    return fs::create_directory(File);
                                                  },
                                                  EISDIR},
                                         TRefusal{"ParentIsAFile",
                                                  [](const std::string& Dir, std::string& File) {
                                                    WriteFile(Dir + "/plain", "x");
                                                    File = Dir + "/plain/Scoutlane.ini";
                                                    return true;
                                                  },
                                                  ENOTDIR},
                                         TRefusal{"MissingDirectory",
                                                  [](const std::string& Dir, std::string& File) {
                                                    File = Dir + "/missing/Scoutlane.ini";
                                                    return true;
                                                  },
                                                  ENOENT},
                                         TRefusal{"ImmutableDirectory",
                                                  [](const std::string& Dir, std::string&) {
                                                    return SetImmutable(Dir, true);
                                                  },
                                                  EPERM}),
                         [](const testing::TestParamInfo<TRefusal>& Info) {
                           return Info.param.Name;
                         });

struct TFaultCase {
  const char* Name;
  profile::TSaveFault::TStep Step;
  int Error;
};

void PrintTo(const TFaultCase& Case, std::ostream* Out) { *Out << Case.Name; }

class ProfileFailingSaveTest : public ProfileStoreTest,
                               public testing::WithParamInterface<TFaultCase> {};

TEST_P(ProfileFailingSaveTest, LeavesTheOldFileAndNoTemporary) {
  std::string Old = "[SET]\r\nFRON=1\r\n";
  WriteFile(FFile, Old);
  {
    profile::TSaveFault Fault(GetParam().Step, GetParam().Error);
    EXPECT_EQ(profile::SaveProfileFile(FFile, std::string(100000, 'n')), GetParam().Error);
  }
  EXPECT_EQ(ReadFile(FFile), Old);
  EXPECT_TRUE(Leftovers().empty());
  EXPECT_EQ(profile::SaveProfileFile(FFile, "after"), 0) << "the fault is gone with its seam";
}

INSTANTIATE_TEST_SUITE_P(
    Steps, ProfileFailingSaveTest,
    testing::Values(TFaultCase{"DiskFull", profile::TSaveFault::sfWrite, ENOSPC},
                    TFaultCase{"WriteError", profile::TSaveFault::sfWrite, EIO},
                    TFaultCase{"SyncError", profile::TSaveFault::sfSync, EIO},
                    TFaultCase{"RenameError", profile::TSaveFault::sfRename, EXDEV}),
    [](const testing::TestParamInfo<TFaultCase>& Info) { return Info.param.Name; });

TEST_F(ProfileStoreTest, FullTmpfsRefusesTheSave) {
  std::string Mount = FDir + "/small";
  fs::create_directory(Mount);
  std::string File = Mount + "/Scoutlane.ini";
  // A private mount namespace: the small tmpfs vanishes with the child.
  int Result = RunInChild([&] {
    if (unshare(CLONE_NEWNS) != 0 ||
        mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        mount("tmpfs", Mount.c_str(), "tmpfs", 0, "size=64k") != 0)
      return kSkip;
    WriteFile(File, "[SET]\r\nFRON=1\r\n");
    if (profile::SaveProfileFile(File, std::string(1 << 20, 'n')) != ENOSPC) return 1;
    if (ReadFile(File) != "[SET]\r\nFRON=1\r\n") return 2;
    if (std::distance(fs::directory_iterator(Mount), fs::directory_iterator()) != 1) return 3;
    return 0;
  });
  if (Result == kSkip) GTEST_SKIP() << "cannot mount a tmpfs here; the injected faults cover it";
  EXPECT_EQ(Result, 0) << "1: not refused, 2: old file changed, 3: temporary left";
}

TEST_F(ProfileStoreTest, OrdinaryUserCannotReplaceAnotherUsersFile) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to give up";
  // The directory lets everyone create files, so a rename would succeed; the
  // file itself is root's and writable by root only.
  ASSERT_EQ(chmod(FDir.c_str(), 0777), 0);
  WriteFile(FFile, "root's");
  ASSERT_EQ(chmod(FFile.c_str(), 0644), 0);
  int Result = RunInChild([&] {
    if (setgid(65534) != 0 || setuid(65534) != 0) return kSkip;
    return profile::SaveProfileFile(FFile, "nobody's") == EACCES ? 0 : 1;
  });
  if (Result == kSkip) GTEST_SKIP() << "cannot become nobody";
  EXPECT_EQ(Result, 0);
  EXPECT_EQ(ReadFile(FFile), "root's");
  EXPECT_TRUE(Leftovers().empty());
}

TEST_F(ProfileStoreTest, FifoInPlaceOfTheFileIsNotReplaced) {
  ASSERT_EQ(mkfifo(FFile.c_str(), 0600), 0);
  bool EditCalled = false;
  EXPECT_NE(profile::UpdateProfileFile(FFile,
                                       [&](std::string_view) {
                                         EditCalled = true;
                                         return std::string();
                                       }),
            0);
  EXPECT_FALSE(EditCalled);
  EXPECT_TRUE(fs::is_fifo(FFile));
}

TEST_F(ProfileStoreTest, KilledSaveLeavesOldOrNewFileNeverAMix) {
  // Large files, so that the kill often lands while the temporary is written.
  std::string A, B;
  for (int Line = 0; Line < 60000; ++Line) {
    A += "History" + std::to_string(Line) + "=aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\r\n";
    B += "History" + std::to_string(Line) + "=bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb\r\n";
  }
  ASSERT_EQ(profile::SaveProfileFile(FFile, A), 0);
  std::mt19937 Random(12345);
  int TemporariesSeen = 0;
  for (int Round = 0; Round < 12; ++Round) {
    pid_t Child = fork();
    if (Child == 0) {
      for (int Count = 0;; ++Count) profile::SaveProfileFile(FFile, Count % 2 ? A : B);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5 + Random() % 60));
    kill(Child, SIGKILL);
    waitpid(Child, nullptr, 0);
    std::string Now = ReadFile(FFile);
    ASSERT_TRUE(Now == A || Now == B) << "round " << Round << ": torn file of " << Now.size();
    if (!Leftovers().empty()) ++TemporariesSeen;
  }
  // A later successful save clears what killed saves left behind.
  ASSERT_EQ(
      profile::UpdateProfileFile(FFile, [](std::string_view Old) { return std::string(Old); }), 0);
  EXPECT_TRUE(Leftovers().empty());
  RecordProperty("RoundsThatLeftATemporary", TemporariesSeen);
}

TEST_F(ProfileStoreTest, StaleTemporariesGoOnlyTheirOwn) {
  WriteFile(FDir + "/.Scoutlane.ini.~Ab3dEf", "stale");
  WriteFile(FDir + "/.Scoutlane.ini.~short", "not ours");
  WriteFile(FDir + "/.Other.ini.~Ab3dEf", "another file's");
  ASSERT_EQ(profile::SaveProfileFile(FFile, "x"), 0);
  EXPECT_FALSE(fs::exists(FDir + "/.Scoutlane.ini.~Ab3dEf"));
  EXPECT_TRUE(fs::exists(FDir + "/.Scoutlane.ini.~short"));
  EXPECT_TRUE(fs::exists(FDir + "/.Other.ini.~Ab3dEf"));
}

TEST_F(ProfileStoreTest, ConcurrentInstancesKeepEveryKey) {
  constexpr int kProcesses = 3, kKeys = 25;
  std::vector<pid_t> Children;
  for (int Process = 0; Process < kProcesses; ++Process) {
    pid_t Child = fork();
    if (Child == 0) {
      for (int Key = 0; Key < kKeys; ++Key) {
        int Error = profile::UpdateProfileFile(FFile, [&](std::string_view Old) {
          auto Document = profile::TProfileDocument::Parse(Old);
          Document.SetValue("P" + std::to_string(Process), "K" + std::to_string(Key), "v");
          return Document.Serialize();
        });
        if (Error) _exit(1);
      }
      _exit(0);
    }
    Children.push_back(Child);
  }
  for (pid_t Child : Children) {
    int Status = 0;
    waitpid(Child, &Status, 0);
    EXPECT_TRUE(WIFEXITED(Status) && WEXITSTATUS(Status) == 0);
  }
  auto Document = profile::TProfileDocument::Parse(ReadFile(FFile));
  for (int Process = 0; Process < kProcesses; ++Process)
    for (int Key = 0; Key < kKeys; ++Key)
      EXPECT_TRUE(Document.FindValue("P" + std::to_string(Process), "K" + std::to_string(Key)))
          << Process << "/" << Key;
  EXPECT_TRUE(Leftovers().empty());
}

}  // namespace
