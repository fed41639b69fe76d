// The summon key's setting: the text form, the section read and written
// back as the user wrote it, and when a hint is due.

#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "app/HotKeySetting.h"

using namespace apptest;

namespace {

struct TParseCase {
  const char* Name;
  const char* Text;
  THotKeyParse Expected;
  THotKeyCombination Combination;
};

void PrintTo(const TParseCase& Case, std::ostream* Out) { *Out << Case.Name; }

class HotKeyParseTest : public testing::TestWithParam<TParseCase> {};

TEST_P(HotKeyParseTest, ReadsTheTextForm) {
  THotKeyCombination Combination{0xFFFF, 0xFFFF};
  EXPECT_EQ(ParseHotKey(GetParam().Text, Combination), GetParam().Expected);
  if (GetParam().Expected == hpCombination) {
    EXPECT_EQ(Combination.Modifiers, GetParam().Combination.Modifiers);
    EXPECT_EQ(Combination.VirtualKey, GetParam().Combination.VirtualKey);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, HotKeyParseTest,
    testing::Values(
        TParseCase{"Default", "Ctrl+Alt+Space", hpCombination, {MOD_CONTROL | MOD_ALT, VK_SPACE}},
        TParseCase{"WinLetterAnyCase", "win+s", hpCombination, {MOD_WIN, 'S'}},
        TParseCase{"BlanksAroundParts", " Shift + F12 ", hpCombination, {MOD_SHIFT, VK_F1 + 11}},
        TParseCase{"KeyAlone", "F5", hpCombination, {0, VK_F1 + 4}},
        TParseCase{"ControlSpelledOut",
                   "Control+Shift+PageDown",
                   hpCombination,
                   {MOD_CONTROL | MOD_SHIFT, VK_NEXT}},
        TParseCase{"Digit", "Alt+1", hpCombination, {MOD_ALT, '1'}},
        TParseCase{"Off", "none", hpOff, {}}, TParseCase{"OffAnyCase", "NONE", hpOff, {}},
        TParseCase{"Empty", "", hpInvalid, {}}, TParseCase{"Blanks", "  ", hpInvalid, {}},
        TParseCase{"ModifiersAlone", "Ctrl+Alt", hpInvalid, {}},
        TParseCase{"UnknownName", "Ctrl+Foo", hpInvalid, {}},
        TParseCase{"TwoKeys", "Ctrl+A+B", hpInvalid, {}},
        TParseCase{"ModifierTwice", "Ctrl+Ctrl+A", hpInvalid, {}},
        TParseCase{"EmptyPart", "Ctrl++A", hpInvalid, {}},
        TParseCase{"TrailingPlus", "Ctrl+A+", hpInvalid, {}},
        TParseCase{"NoSuchFunctionKey", "F25", hpInvalid, {}},
        TParseCase{"FunctionKeyZero", "F0", hpInvalid, {}},
        TParseCase{"FunctionKeyLeadingZero", "F05", hpInvalid, {}}),
    [](const testing::TestParamInfo<TParseCase>& Info) { return Info.param.Name; });

TEST(HotKeyFormat, WritesModifiersInOneOrderAndReadsBack) {
  EXPECT_EQ(FormatHotKey(kDefaultHotKey), "Ctrl+Alt+Space");
  EXPECT_EQ(FormatHotKey({MOD_WIN | MOD_SHIFT | MOD_ALT | MOD_CONTROL, 'Q'}),
            "Ctrl+Alt+Shift+Win+Q");
  EXPECT_EQ(FormatHotKey({MOD_SHIFT, VK_F1 + 11}), "Shift+F12");
  for (const THotKeyCombination& Key :
       {THotKeyCombination{MOD_ALT, VK_PRIOR}, THotKeyCombination{MOD_WIN, VK_RETURN},
        THotKeyCombination{0, VK_F1 + 23}}) {
    THotKeyCombination Back;
    ASSERT_EQ(ParseHotKey(FormatHotKey(Key), Back), hpCombination) << FormatHotKey(Key);
    EXPECT_EQ(Back, Key) << FormatHotKey(Key);
  }
}

class HotKeySettingFile : public testing::Test {
protected:
  TTempDir Dir;
  std::string Path = Dir.File("Scoutlane.ini");
};

TEST_F(HotKeySettingFile, AMissingKeyIsTheDefaultAndIsWrittenAsSuch) {
  WriteFileBytes(Path, "[SET]\r\nFRON=0\r\n");
  THotKeySetting Setting = ReadHotKeySetting(Path);
  EXPECT_FALSE(Setting.Present);
  EXPECT_EQ(Setting.Combination, kDefaultHotKey);
  EXPECT_EQ(HotKeyNotice(Setting, true, Path), "");
  WriteHotKeySetting(Path, Setting);
  EXPECT_EQ(ReadFileBytes(Path), "[SET]\r\nFRON=0\r\n[HotKey]\r\nKey=Ctrl+Alt+Space\r\n");
}

TEST_F(HotKeySettingFile, ABadValueUsesTheDefaultAndIsKeptAsWritten) {
  const std::string Before =
      "; mine\r\n[HotKey]\r\nKey=ctrl+ FOO\r\n[SET]\r\nFRON=1\r\n[Other]\r\nx = y \r\n";
  WriteFileBytes(Path, Before);
  THotKeySetting Setting = ReadHotKeySetting(Path);
  EXPECT_EQ(Setting.Parse, hpInvalid);
  EXPECT_EQ(Setting.Combination, kDefaultHotKey);
  WriteHotKeySetting(Path, Setting);
  EXPECT_EQ(ReadFileBytes(Path), Before);
}

TEST_F(HotKeySettingFile, TheHintIsGivenOnceForAValueAndAgainWhenTheValueChanges) {
  WriteFileBytes(Path, "[HotKey]\r\nKey=Win+S\r\n");
  THotKeySetting Setting = ReadHotKeySetting(Path);
  const std::string Notice = HotKeyNotice(Setting, false, Path);
  EXPECT_NE(Notice.find("Win+S"), std::string::npos) << Notice;
  EXPECT_NE(Notice.find(Path), std::string::npos) << Notice;
  // What the window does once it has shown the hint.
  Setting.HintShown = true;
  Setting.HintShownFor = Setting.Written;
  WriteHotKeySetting(Path, Setting);

  EXPECT_EQ(HotKeyNotice(ReadHotKeySetting(Path), false, Path), "");
  WriteFileBytes(Path, "[HotKey]\r\nKey=Win+D\r\nHintShownFor=Win+S\r\n");
  EXPECT_NE(HotKeyNotice(ReadHotKeySetting(Path), false, Path), "");
}

TEST_F(HotKeySettingFile, WhenAHintIsDue) {
  struct TCase {
    const char* File;
    bool Registered;
    bool Due;
  } Cases[] = {
      {"[HotKey]\r\nKey=Shift+F12\r\n", true, false},  // all is well
      {"[HotKey]\r\nKey=Shift+F12\r\n", false, true},  // another program holds it
      {"[HotKey]\r\nKey=none\r\n", false, false},      // off: nothing was asked
      {"[HotKey]\r\nKey=\r\n", true, true},            // empty: the default is used
      {"[HotKey]\r\nKey=Ctrl+Alt\r\n", true, true},    // modifiers alone
      {"[HotKey]\r\nKey=\r\nHintShownFor=\r\n", true, false},
  };
  for (const TCase& Case : Cases) {
    WriteFileBytes(Path, Case.File);
    EXPECT_EQ(!HotKeyNotice(ReadHotKeySetting(Path), Case.Registered, Path).empty(), Case.Due)
        << Case.File << " registered " << Case.Registered;
  }
}

}  // namespace
