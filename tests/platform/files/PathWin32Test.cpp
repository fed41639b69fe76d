// Windows paths: both separators, the drive colon, and double-byte
// characters whose trail byte is the backslash.
#include <gtest/gtest.h>

#include <string>

#include "platform/files/Path.h"

namespace {

// Bytes written out: 表 and ソ end in 0x5C, the backslash.
const std::string kHyo = "\x95\x5C";
const std::string kSo = "\x83\x5C";

struct TSplitCase {
  const char* Name;
  std::string Path, Directory, File, Ext;
};

class PathSplitWin32 : public testing::TestWithParam<TSplitCase> {};

}  // namespace

TEST_P(PathSplitWin32, SplitsOnlyAtRealSeparators) {
  EXPECT_EQ(files::ExtractFilePath(GetParam().Path), GetParam().Directory);
  EXPECT_EQ(files::ExtractFileName(GetParam().Path), GetParam().File);
  EXPECT_EQ(files::ExtractFileExt(GetParam().Path), GetParam().Ext);
  EXPECT_EQ(files::RemoveFileExt(GetParam().Path) + GetParam().Ext, GetParam().Path);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, PathSplitWin32,
    testing::Values(TSplitCase{"Backslashes", "C:\\Tools\\Scoutlane.ini", "C:\\Tools\\",
                               "Scoutlane.ini", ".ini"},
                    TSplitCase{"Slashes", "C:/Tools/Scoutlane.ini", "C:/Tools/", "Scoutlane.ini",
                               ".ini"},
                    TSplitCase{"Mixed", "C:\\Tools/sub\\a.b.c", "C:\\Tools/sub\\", "a.b.c", ".c"},
                    TSplitCase{"DriveOnly", "C:Scoutlane.ini", "C:", "Scoutlane.ini", ".ini"},
                    TSplitCase{"BareName", "Scoutlane.ini", "", "Scoutlane.ini", ".ini"},
                    TSplitCase{"NoExtension", "C:\\Tools\\hist", "C:\\Tools\\", "hist", ""},
                    TSplitCase{"DotInFolderOnly", "C:\\v1.2\\hist", "C:\\v1.2\\", "hist", ""},
                    // The trail byte of 表 is no separator: the name is whole.
                    TSplitCase{"TrailByteInName", kHyo + ".ini", "", kHyo + ".ini", ".ini"},
                    TSplitCase{"TrailByteEndsFolder", "C:\\" + kSo + "\\" + kHyo + ".ini",
                               "C:\\" + kSo + "\\", kHyo + ".ini", ".ini"},
                    TSplitCase{"TrailByteAtTheEnd", "C:\\a\\" + kSo, "C:\\a\\", kSo, ""}),
    [](const testing::TestParamInfo<TSplitCase>& Info) { return Info.param.Name; });

TEST(PathWin32, ExecutableIsThisTestProgram) {
  const std::string Path = files::ExecutablePath();
  ASSERT_FALSE(Path.empty());
  EXPECT_EQ(files::ExtractFileName(Path), "platform_tests.exe");
  EXPECT_EQ(files::ExecutableDirectory() + "platform_tests.exe", Path);
  EXPECT_EQ(Path[1], ':') << "a full path with its drive: " << Path;
}
