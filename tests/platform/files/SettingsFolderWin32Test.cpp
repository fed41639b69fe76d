// The Windows side of the settings folder: %APPDATA%\Scoutlane\ for the
// user, and the probe and folder making through the W calls.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/ScratchFiles.h"
#include "platform/files/SettingsFolder.h"

namespace fs = std::filesystem;

namespace {

TEST(SettingsFolderWin32Test, UserFolderIsScoutlaneInTheRoamingApplicationData) {
  const std::string User = files::UserSettingsDirectory();
  const std::string Suffix = "\\Scoutlane\\";
  ASSERT_GT(User.size(), Suffix.size());
  EXPECT_EQ(User.substr(User.size() - Suffix.size()), Suffix);
  // The folder above it is the shell's, and exists.
  EXPECT_TRUE(fs::is_directory(User.substr(0, User.size() - Suffix.size())));
}

TEST(SettingsFolderWin32Test, WritableFolderIsPortableAndAMissingOneIsNot) {
  const std::string Scratch = testfiles::MakeScratchDirectory("settings-folder");
  const std::string User = Scratch + "\\user\\Scoutlane\\";
  EXPECT_EQ(files::ChooseSettingsDirectory(Scratch + "\\", User), Scratch + "\\");
  EXPECT_TRUE(fs::is_empty(Scratch)) << "the probe left a file";
  EXPECT_EQ(files::ChooseSettingsDirectory(Scratch + "\\missing\\", User), User);

  EXPECT_TRUE(files::MakeDirectories(User));
  EXPECT_TRUE(fs::is_directory(Scratch + "\\user\\Scoutlane"));
  testfiles::RemoveTree(Scratch);
}

}  // namespace
