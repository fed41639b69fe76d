// Fonts installed while the program runs show in the next font list, also
// when the change falls in the same second as the list before it: fontconfig
// compares the font folders' times in whole seconds only.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/fonts/FontEnum.h"
#include "platform/fonts/PrivateFonts.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> Families() {
  std::vector<std::string> Names;
  EnumFonts([&Names](const TEnumFontEntry& Entry) {
    Names.push_back(Entry.FaceName);
    return true;
  });
  return Names;
}

bool Has(const std::vector<std::string>& Names, const std::string& Name) {
  return std::find(Names.begin(), Names.end(), Name) != Names.end();
}

TEST(FontListChanges, AFontAddedInTheSameSecondAsTheLastListShowsInTheNext) {
  const fs::path Dir = fs::path(::testing::TempDir()) / ("fontlist-" + std::to_string(getpid()));
  const fs::path Fonts = Dir / "fonts";
  fs::create_directories(Fonts);
  privatefonts::WriteBdf(Fonts / "first.bdf", "Scout First");
  privatefonts::WriteConfig(Dir, {Fonts.string()});
  const std::string OldConfig = privatefonts::Use(Dir / "fonts.conf");

  struct stat Before {};
  ASSERT_EQ(stat(Fonts.c_str(), &Before), 0);
  // The folder's time is put in the past, so that the list's reading is
  // surely later in whole seconds.
  timespec Past[2] = {{Before.st_atim.tv_sec - 10, 0}, {Before.st_mtim.tv_sec - 10, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, Fonts.c_str(), Past, 0), 0);
  const std::vector<std::string> First = Families();
  EXPECT_TRUE(Has(First, "Scout First"));
  EXPECT_FALSE(Has(First, "Scout Second"));

  // Added in "the same second": the folder's time moves by nanoseconds only.
  privatefonts::WriteBdf(Fonts / "second.bdf", "Scout Second");
  Past[1].tv_nsec = 1000;
  ASSERT_EQ(utimensat(AT_FDCWD, Fonts.c_str(), Past, 0), 0);
  EXPECT_TRUE(Has(Families(), "Scout Second"));

  privatefonts::Restore(OldConfig);
  std::error_code Ignored;
  fs::remove_all(Dir, Ignored);
}

}  // namespace
