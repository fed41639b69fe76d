// The settings store on Windows (under Wine in the test command): whole
// saves or none, refusals that leave the old file, names in code page 932,
// and saves of several writers at once that lose no key.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/ScratchFiles.h"
#include "platform/profile/ProfileDocument.h"
#include "platform/profile/ProfileStore.h"

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& Path) {
  std::ifstream In(Path, std::ios::binary);
  std::stringstream Out;
  Out << In.rdbuf();
  return Out.str();
}

void WriteFile(const fs::path& Path, const std::string& Bytes) {
  std::ofstream(Path, std::ios::binary) << Bytes;
}

class ProfileStoreWin32 : public testing::Test {
protected:
  void SetUp() override {
    FDir = testfiles::MakeScratchDirectory("profile-store");
    FFile = FDir + "\\Scoutlane.ini";
  }
  void TearDown() override { testfiles::RemoveTree(FDir); }

  // Everything in the folder but the names the test expects.
  std::vector<std::string> Leftovers(const std::vector<std::string>& Expected = {"Scoutlane.ini"}) {
    std::vector<std::string> Found;
    for (const auto& Entry : fs::directory_iterator(FDir)) {
      const std::string Name = Entry.path().filename().string();
      bool Known = false;
      for (const std::string& Each : Expected) Known = Known || Each == Name;
      if (!Known) Found.push_back(Name);
    }
    return Found;
  }

  std::string FDir, FFile;
};

struct TRefusal {
  const char* Name;
  // Prepares the refusal in Dir for File (which holds the old text).
  std::function<void(const std::string& Dir, std::string& File)> Prepare;
  int Expected;
};

class ProfileStoreWin32Refusal : public ProfileStoreWin32,
                                 public testing::WithParamInterface<TRefusal> {};

}  // namespace

TEST_F(ProfileStoreWin32, SavesAndReadsTheWholeFile) {
  EXPECT_EQ(profile::ReadProfileFile(FFile).Status, profile::TFileRead::frMissing);
  const std::string Text = "[SET]\r\nFRON=1\r\n" + std::string(200000, 'x') + "\r\n";
  ASSERT_EQ(profile::SaveProfileFile(FFile, Text), 0);
  profile::TFileRead Read = profile::ReadProfileFile(FFile);
  EXPECT_EQ(Read.Status, profile::TFileRead::frRead);
  EXPECT_EQ(Read.Bytes, Text);
  ASSERT_EQ(profile::SaveProfileFile(FFile, "short"), 0);
  EXPECT_EQ(ReadFile(FFile), "short") << "a shorter save leaves no tail of the old file";
  EXPECT_TRUE(Leftovers().empty());
}

TEST_F(ProfileStoreWin32, AFolderInPlaceOfTheFileCannotBeRead) {
  fs::create_directory(FFile);
  profile::TFileRead Read = profile::ReadProfileFile(FFile);
  EXPECT_EQ(Read.Status, profile::TFileRead::frFailed);
  EXPECT_EQ(Read.Error, EISDIR);
}

TEST_P(ProfileStoreWin32Refusal, LeavesTheOldFileAndNoTemporary) {
  std::string Target = FFile;
  WriteFile(FFile, "[SET]\r\nFRON=1\r\n");
  GetParam().Prepare(FDir, Target);
  const std::string Before = fs::is_regular_file(Target) ? ReadFile(Target) : std::string();
  bool EditCalled = false;
  const int Update = profile::UpdateProfileFile(Target, [&](std::string_view Old) {
    EditCalled = true;
    return std::string(Old) + "k=v\r\n";
  });
  const int Save = profile::SaveProfileFile(Target, "replacement");
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

INSTANTIATE_TEST_SUITE_P(Cases, ProfileStoreWin32Refusal,
                         testing::Values(
                             // What the program shows its error box for: the file beside the
                             // .exe made read-only.
                             TRefusal{"ReadOnlyFile",
                                      [](const std::string&, std::string& File) {
                                        ASSERT_TRUE(testfiles::SetReadOnly(File, true));
                                      },
                                      EACCES},
                             TRefusal{"DirectoryInPlaceOfFile",
                                      [](const std::string& Dir, std::string& File) {
                                        File = Dir + "\\plain";
                                        fs::create_directory(File);
                                      },
                                      EISDIR},
                             TRefusal{"ParentIsAFile",
                                      [](const std::string& Dir, std::string& File) {
                                        WriteFile(Dir + "\\plain", "x");
                                        File = Dir + "\\plain\\Scoutlane.ini";
                                      },
                                      ENOTDIR},
                             TRefusal{"MissingDirectory",
                                      [](const std::string& Dir, std::string& File) {
                                        File = Dir + "\\missing\\Scoutlane.ini";
                                      },
                                      ENOENT}),
                         [](const testing::TestParamInfo<TRefusal>& Info) {
                           return Info.param.Name;
                         });

struct TFaultCase {
  const char* Name;
  profile::TSaveFault::TStep Step;
  int Error;
};

class ProfileStoreWin32Fault : public ProfileStoreWin32,
                               public testing::WithParamInterface<TFaultCase> {};

TEST_P(ProfileStoreWin32Fault, LeavesTheOldFileAndNoTemporary) {
  const std::string Old = "[SET]\r\nFRON=1\r\n";
  WriteFile(FFile, Old);
  {
    profile::TSaveFault Fault(GetParam().Step, GetParam().Error);
    EXPECT_EQ(profile::SaveProfileFile(FFile, std::string(100000, 'n')), GetParam().Error);
  }
  EXPECT_EQ(ReadFile(FFile), Old);
  EXPECT_TRUE(Leftovers().empty());
  EXPECT_EQ(profile::SaveProfileFile(FFile, "after"), 0) << "the fault is gone with its seam";
  EXPECT_EQ(ReadFile(FFile), "after");
}

INSTANTIATE_TEST_SUITE_P(
    Steps, ProfileStoreWin32Fault,
    testing::Values(TFaultCase{"DiskFull", profile::TSaveFault::sfWrite, ENOSPC},
                    TFaultCase{"FlushError", profile::TSaveFault::sfSync, EIO},
                    TFaultCase{"MoveError", profile::TSaveFault::sfRename, EXDEV}),
    [](const testing::TestParamInfo<TFaultCase>& Info) { return Info.param.Name; });

TEST_F(ProfileStoreWin32, StaleTemporariesGoOnlyTheirOwn) {
  WriteFile(FDir + "\\.Scoutlane.ini.~Ab3dEf", "stale");
  WriteFile(FDir + "\\.Scoutlane.ini.~short", "not ours");
  WriteFile(FDir + "\\.Other.ini.~Ab3dEf", "another file's");
  ASSERT_EQ(profile::SaveProfileFile(FFile, "x"), 0);
  EXPECT_FALSE(fs::exists(FDir + "\\.Scoutlane.ini.~Ab3dEf"));
  EXPECT_TRUE(fs::exists(FDir + "\\.Scoutlane.ini.~short"));
  EXPECT_TRUE(fs::exists(FDir + "\\.Other.ini.~Ab3dEf"));
}

TEST_F(ProfileStoreWin32, NamesAreCodePage932EvenWithABackslashTrailByte) {
  // 表ソ: both characters end in 0x5C. The folder is made by its Unicode name.
  const std::string Folder = "\x95\x5C\x83\x5C";
  ASSERT_TRUE(fs::create_directory(fs::path(FDir) / fs::path(u"\u8868\u30BD")));
  const std::string File = FDir + "\\" + Folder + "\\" + Folder + ".ini";
  ASSERT_EQ(profile::SaveProfileFile(File, "[SET]\r\n"), 0);
  EXPECT_EQ(ReadFile(fs::path(FDir) / fs::path(u"\u8868\u30BD") / fs::path(u"\u8868\u30BD.ini")),
            "[SET]\r\n");
  EXPECT_EQ(profile::ReadProfileFile(File).Bytes, "[SET]\r\n");
  // A current folder that ends in 0x5C still gets its separator.
  const fs::path Old = fs::current_path();
  fs::current_path(fs::path(FDir) / fs::path(u"\u8868\u30BD"));
  const std::string Absolute = profile::AbsoluteProfilePath("x.ini");
  fs::current_path(Old);
  EXPECT_EQ(Absolute, FDir + "\\" + Folder + "\\x.ini");
}

TEST_F(ProfileStoreWin32, RelativePathsAreMadeAbsoluteForMessages) {
  const fs::path Old = fs::current_path();
  fs::current_path(FDir);
  const std::string Absolute = profile::AbsoluteProfilePath("Scoutlane.ini");
  ASSERT_EQ(profile::SaveProfileFile("Scoutlane.ini", "here"), 0);
  fs::current_path(Old);
  EXPECT_EQ(Absolute, fs::path(FFile).string());
  EXPECT_EQ(ReadFile(FFile), "here");
}

TEST_F(ProfileStoreWin32, WritersAtOnceKeepEveryKey) {
  constexpr int kWriters = 3, kKeys = 20;
  std::vector<std::thread> Writers;
  std::vector<int> Failures(kWriters, 0);
  for (int Writer = 0; Writer < kWriters; ++Writer) {
    Writers.emplace_back([&, Writer] {
      for (int Key = 0; Key < kKeys; ++Key) {
        const int Error = profile::UpdateProfileFile(FFile, [&](std::string_view Old) {
          auto Document = profile::TProfileDocument::Parse(Old);
          Document.SetValue("W" + std::to_string(Writer), "K" + std::to_string(Key), "v");
          return Document.Serialize();
        });
        if (Error) ++Failures[Writer];
      }
    });
  }
  for (std::thread& Writer : Writers) Writer.join();
  auto Document = profile::TProfileDocument::Parse(ReadFile(FFile));
  for (int Writer = 0; Writer < kWriters; ++Writer) {
    EXPECT_EQ(Failures[Writer], 0);
    for (int Key = 0; Key < kKeys; ++Key)
      EXPECT_TRUE(Document.FindValue("W" + std::to_string(Writer), "K" + std::to_string(Key)))
          << Writer << "/" << Key;
  }
  EXPECT_TRUE(Leftovers().empty());
}
