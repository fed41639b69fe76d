// Section "SET": the read rules (numbers, Booleans, missing keys keep the
// layout's values), the twelve keys of every write, other sections kept byte
// for byte, and a refused write.

#include <gtest/gtest.h>

#include <filesystem>

#include "AppTestSupport.h"
#include "app/MainSettings.h"
#include "platform/ScratchFiles.h"
#include "platform/core/Exception.h"
#include "platform/files/Path.h"

using namespace apptest;

namespace {

class MainSettingsTest : public testing::Test {
protected:
  TTempDir Dir;
  std::string Path = Dir.File("Scoutlane.ini");
  TMainSettings Layout;  // the layout's values: on top, no current item, nothing ticked
};

TEST_F(MainSettingsTest, NoFileGivesTheLayoutValues) {
  const TMainSettings S = ReadMainSettings(Path, Layout);
  EXPECT_TRUE(S.StayOnTop);
  EXPECT_EQ(S.CurrentSite, -1);
  for (bool Ticked : S.Ticked) EXPECT_FALSE(Ticked);
}

TEST_F(MainSettingsTest, DefaultsComeFromTheCallerNotFromConstants) {
  WriteFileBytes(Path, "[SET]\r\nSITE1=1\r\n");
  TMainSettings Current;
  Current.StayOnTop = false;
  Current.CurrentSite = 4;
  Current.Ticked[2] = true;
  const TMainSettings S = ReadMainSettings(Path, Current);
  EXPECT_FALSE(S.StayOnTop);
  EXPECT_EQ(S.CurrentSite, 4);
  EXPECT_TRUE(S.Ticked[1]);
  EXPECT_TRUE(S.Ticked[2]);
}

struct TReadCase {
  const char* Name;
  const char* Line;
  int CurrentSite;  // what REF reads as
  bool StayOnTop;   // what FRON reads as
  bool Site3;       // what SITE3 reads as
};

void PrintTo(const TReadCase& Case, std::ostream* Out) { *Out << Case.Name; }

class SettingsReadRuleTest : public MainSettingsTest,
                             public testing::WithParamInterface<TReadCase> {};

TEST_P(SettingsReadRuleTest, ReadsTheValueOrKeepsTheDefault) {
  WriteFileBytes(Path, std::string("[SET]\r\n") + GetParam().Line + "\r\n");
  const TMainSettings S = ReadMainSettings(Path, Layout);
  EXPECT_EQ(S.CurrentSite, GetParam().CurrentSite);
  EXPECT_EQ(S.StayOnTop, GetParam().StayOnTop);
  EXPECT_EQ(S.Ticked[3], GetParam().Site3);
}

INSTANTIATE_TEST_SUITE_P(
    Values, SettingsReadRuleTest,
    testing::Values(TReadCase{"RefDecimal", "REF=3", 3, true, false},
                    TReadCase{"RefHexWithZeroX", "REF=0x3", 3, true, false},
                    TReadCase{"RefHexWithDollarPassedUnchecked", "REF=$A", 10, true, false},
                    TReadCase{"RefTrailingLetterIsNoNumber", "REF=3b", -1, true, false},
                    TReadCase{"RefNegative", "REF=-1", -1, true, false},
                    TReadCase{"RefBlankInsideIsNoNumber", "REF= 3", -1, true, false},
                    TReadCase{"FronZero", "FRON=0", -1, false, false},
                    TReadCase{"FronEmptyKeepsDefault", "FRON=", -1, true, false},
                    TReadCase{"SiteYesKeepsDefault", "SITE3=yes", -1, true, false},
                    TReadCase{"SiteTwoIsTrue", "SITE3=2", -1, true, true},
                    TReadCase{"SiteMinusOneIsTrue", "SITE3=-1", -1, true, true},
                    TReadCase{"KeyNamesIgnoreCase", "site3=1", -1, true, true}),
    [](const testing::TestParamInfo<TReadCase>& Info) { return Info.param.Name; });

TEST_F(MainSettingsTest, WritesAllTwelveKeysInOrder) {
  TMainSettings S;
  S.CurrentSite = 3;
  S.Ticked[0] = S.Ticked[3] = true;
  WriteMainSettings(Path, S);
  EXPECT_EQ(ReadFileBytes(Path),
            "[SET]\r\nFRON=1\r\nREF=3\r\nSITE0=1\r\nSITE1=0\r\nSITE2=0\r\nSITE3=1\r\nSITE4=0\r\n"
            "SITE5=0\r\nSITE6=0\r\nSITE7=0\r\nSITE8=0\r\nSITE9=0\r\n");
}

TEST_F(MainSettingsTest, ARoundTripGivesBackWhatWasWritten) {
  TMainSettings S;
  S.StayOnTop = false;
  S.CurrentSite = 7;
  S.Ticked[9] = true;
  WriteMainSettings(Path, S);
  const TMainSettings Back = ReadMainSettings(Path, Layout);
  EXPECT_FALSE(Back.StayOnTop);
  EXPECT_EQ(Back.CurrentSite, 7);
  EXPECT_EQ(Back.Ticked, S.Ticked);
}

TEST_F(MainSettingsTest, OtherSectionsAndKeysSurviveByteForByte) {
  const std::string Before =
      "; kept comment\r\n[History]\r\nHistoryCount=1\r\nHistory0=\x8C\x9F\x8D\xF5\r\n";
  const std::string After = "[Other]\nodd line without equals\nX = spaced \n";
  WriteFileBytes(Path, Before + "[SET]\r\nFRON=0\r\nEXTRA=keep me\r\n" + After);
  WriteMainSettings(Path, TMainSettings{});
  const std::string Text = ReadFileBytes(Path);
  EXPECT_EQ(Text.rfind(Before, 0), 0u) << Text;
  EXPECT_NE(Text.find("EXTRA=keep me\r\n"), std::string::npos) << Text;
  EXPECT_NE(Text.find("FRON=1"), std::string::npos) << Text;
  EXPECT_EQ(Text.substr(Text.size() - After.size()), After) << Text;
}

TEST_F(MainSettingsTest, ARefusedWriteNamesTheFileAndChangesNothing) {
  WriteFileBytes(Path, "[SET]\r\nFRON=0\r\n");
  ASSERT_TRUE(testfiles::SetReadOnly(Path, true));  // refuses even root: the mode bits are honoured
  try {
    WriteMainSettings(Path, TMainSettings{});
    FAIL() << "the write was not refused";
  } catch (const EIniFileException& E) {
    EXPECT_EQ(E.Message(), Path + " に書き込めません");
  }
  EXPECT_EQ(ReadFileBytes(Path), "[SET]\r\nFRON=0\r\n");
  ASSERT_TRUE(testfiles::SetReadOnly(Path, false));
  WriteMainSettings(Path, TMainSettings{});
  EXPECT_NE(ReadFileBytes(Path).find("FRON=1"), std::string::npos);
}

TEST(SettingsFilePath, LiesBesideTheExecutableWhateverTheWorkingDirectory) {
  const std::string Expected = files::ExecutableDirectory() + "Scoutlane.ini";
  const std::filesystem::path Old = std::filesystem::current_path();
  std::filesystem::current_path(std::filesystem::current_path().root_path());
  EXPECT_EQ(SettingsFilePath(), Expected);
  std::filesystem::current_path(Old);
  EXPECT_TRUE(std::filesystem::path(Expected).is_absolute()) << Expected;
}

}  // namespace
