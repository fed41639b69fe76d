
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/core/IniFiles.h"
#include "platform/ScratchFiles.h"
#include "platform/core/Exception.h"

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const std::string& Path) {
  std::ifstream In(Path, std::ios::binary);
  std::stringstream Out;
  Out << In.rdbuf();
  return Out.str();
}

void WriteFile(const std::string& Path, const std::string& Bytes) {
  std::ofstream(Path, std::ios::binary) << Bytes;
}

class IniFileTest : public testing::Test {
protected:
  void SetUp() override {
    FDir = testfiles::MakeScratchDirectory("inifile");
    FFile = FDir + "/Scoutlane.ini";
  }
  void TearDown() override { testfiles::RemoveTree(FDir); }
  std::string CannotWrite(const std::string& Path) {
    return FormatMessage(messages::kCannotWrite, {Path});
  }

  std::string FDir, FFile;
};

TEST_F(IniFileTest, FirstRunWithoutFileGivesDefaultsAndWritesTheSection) {
  {
    TIniFile Ini(FFile);
    EXPECT_TRUE(Ini.ReadBool("SET", "FRON", true));
    EXPECT_EQ(Ini.ReadInteger("SET", "REF", -1), -1);
    EXPECT_EQ(Ini.ReadString("History", "HistoryCount", "0"), "0");
    EXPECT_FALSE(Ini.SectionExists("SET"));
  }
  EXPECT_FALSE(fs::exists(FFile)) << "reading never creates the file";
  {
    TIniFile Ini(FFile);
    Ini.WriteBool("SET", "FRON", true);
    Ini.WriteInteger("SET", "REF", -1);
    Ini.WriteBool("SET", "SITE0", false);
    EXPECT_FALSE(fs::exists(FFile)) << "written on release";
  }
  EXPECT_EQ(ReadFile(FFile), "[SET]\r\nFRON=1\r\nREF=-1\r\nSITE0=0\r\n");
}

TEST_F(IniFileTest, JapanesePathHasItsUnicodeNameOnDisk) {
  {
    TIniFile Ini(FDir + "/設定.ini");  // code page 932 text
    Ini.WriteString("SET", "FRON", "1");
  }
  // UTF-8 bytes on Linux, UTF-16 on Windows: the same Unicode name.
  std::ifstream In(fs::u8path(FDir + u8"/設定.ini"), std::ios::binary);
  std::stringstream Bytes;
  Bytes << In.rdbuf();
  EXPECT_EQ(Bytes.str(), "[SET]\r\nFRON=1\r\n");
}

struct TReadCase {
  const char* Value;
  std::function<bool(TIniFile&)> Check;
};

void PrintTo(const TReadCase& Case, std::ostream* Out) { *Out << '"' << Case.Value << '"'; }

class IniFileReadRuleTest : public IniFileTest, public testing::WithParamInterface<TReadCase> {};

TEST_P(IniFileReadRuleTest, ReadsStoredValues) {
  WriteFile(FFile, std::string("[SET]\r\nKEY=") + GetParam().Value + "\r\n");
  TIniFile Ini(FFile);
  EXPECT_TRUE(GetParam().Check(Ini)) << GetParam().Value;
}

INSTANTIATE_TEST_SUITE_P(
    Values, IniFileReadRuleTest,
    testing::Values(
        TReadCase{"0x3", [](TIniFile& I) { return I.ReadInteger("SET", "KEY", -1) == 3; }},
        TReadCase{"$A", [](TIniFile& I) { return I.ReadInteger("SET", "KEY", -1) == 10; }},
        TReadCase{"3b", [](TIniFile& I) { return I.ReadInteger("SET", "KEY", -1) == -1; }},
        TReadCase{"", [](TIniFile& I) { return I.ReadInteger("SET", "KEY", 5) == 5; }},
        TReadCase{"yes", [](TIniFile& I) { return !I.ReadBool("SET", "KEY", false); }},
        TReadCase{"2", [](TIniFile& I) { return I.ReadBool("SET", "KEY", false); }},
        TReadCase{"0", [](TIniFile& I) { return !I.ReadBool("SET", "KEY", true); }},
        TReadCase{"  ", [](TIniFile& I) { return I.ReadString("SET", "KEY", "d") == "  "; }},
        TReadCase{"a=b", [](TIniFile& I) { return I.ReadString("set", "key", "") == "a=b"; }}));

TEST_F(IniFileTest, LongValuesComeBackCutTo2047Bytes) {
  {
    TIniFile Ini(FFile);
    Ini.WriteString("History", "History0", std::string(5000, 'k'));
  }
  EXPECT_NE(ReadFile(FFile).find(std::string(5000, 'k')), std::string::npos) << "stored whole";
  TIniFile Ini(FFile);
  EXPECT_EQ(Ini.ReadString("History", "History0", ""), std::string(2047, 'k'));
}

TEST_F(IniFileTest, ReadsSeePendingChanges) {
  WriteFile(FFile, "[History]\r\nHistoryCount=1\r\nHistory0=old\r\n");
  TIniFile Ini(FFile);
  EXPECT_EQ(Ini.ReadString("History", "History0", ""), "old");
  Ini.EraseSection("History");
  EXPECT_FALSE(Ini.SectionExists("History"));
  EXPECT_FALSE(Ini.ValueExists("History", "History0"));
  Ini.WriteInteger("History", "HistoryCount", 2);
  Ini.WriteString("History", "History1", "b");
  EXPECT_EQ(Ini.ReadInteger("History", "HistoryCount", 0), 2);
  std::vector<std::string> Idents{"stale"};
  Ini.ReadSection("History", Idents);
  EXPECT_EQ(Idents, (std::vector<std::string>{"HistoryCount", "History1"}));
  EXPECT_EQ(ReadFile(FFile), "[History]\r\nHistoryCount=1\r\nHistory0=old\r\n");
}

TEST_F(IniFileTest, HistorySaveKeepsEveryOtherLine) {
  WriteFile(FFile,
            "; hand note\n[SET]\r\nFRON=1\r\n[History]\r\nHistoryCount=1\r\nHistory0=old\r\n"
            "; kept\r\n[Other]\nx=1");
  {
    TIniFile Ini(FFile);
    Ini.EraseSection("History");
    Ini.WriteString("History", "HistoryCount", "2");
    Ini.WriteString("History", "History0", "天気");
    Ini.WriteString("History", "History1", "  ");
  }
  EXPECT_EQ(ReadFile(FFile),
            "; hand note\n[SET]\r\nFRON=1\r\n; kept\r\n[Other]\nx=1\r\n"
            "[History]\r\nHistoryCount=2\r\nHistory0=天気\r\nHistory1=  \r\n");
}

TEST_F(IniFileTest, KeysWrittenMeanwhileByAnotherWriterSurvive) {
  WriteFile(FFile, "[SET]\r\nFRON=1\r\n");
  {
    TIniFile First(FFile);
    EXPECT_TRUE(First.ReadBool("SET", "FRON", false));  // loads its view now
    First.WriteString("History", "HistoryCount", "0");
    {
      TIniFile Second(FFile);
      Second.WriteBool("SET", "FRON", false);
      Second.WriteInteger("SET", "REF", 4);
    }
  }
  TIniFile Ini(FFile);
  EXPECT_FALSE(Ini.ReadBool("SET", "FRON", true));
  EXPECT_EQ(Ini.ReadInteger("SET", "REF", -1), 4);
  EXPECT_EQ(Ini.ReadString("History", "HistoryCount", "x"), "0");
}

TEST_F(IniFileTest, RefusedSaveThrowsOnReleaseAndKeepsTheFile) {
  std::string Old = "[SET]\r\nFRON=1\r\n";
  WriteFile(FFile, Old);
  ASSERT_TRUE(testfiles::SetReadOnly(FFile, true));
  std::string Message;
  try {
    TIniFile Ini(FFile);
    Ini.WriteBool("SET", "FRON", false);
    EXPECT_FALSE(Ini.ReadBool("SET", "FRON", true));
  } catch (const EIniFileException& Error) {
    Message = Error.Message();
  }
  EXPECT_EQ(Message, CannotWrite(FFile));
  EXPECT_EQ(ReadFile(FFile), Old);
}

TEST_F(IniFileTest, UpdateFileKeepsChangesForARetry) {
  WriteFile(FFile, "[SET]\r\nFRON=1\r\n");
  ASSERT_TRUE(testfiles::SetReadOnly(FFile, true));
  TIniFile Ini(FFile);
  Ini.WriteBool("SET", "FRON", false);
  EXPECT_THROW(Ini.UpdateFile(), EIniFileException);
  EXPECT_THROW(Ini.UpdateFile(), EIniFileException);
  ASSERT_TRUE(testfiles::SetReadOnly(FFile, false));
  Ini.UpdateFile();
  EXPECT_EQ(ReadFile(FFile), "[SET]\r\nFRON=0\r\n");
}

TEST_F(IniFileTest, MessageNamesTheFullPath) {
  WriteFile(FDir + "/plain", "a file where a directory should be");
  char Previous[4096];
  ASSERT_NE(getcwd(Previous, sizeof Previous), nullptr);
  ASSERT_EQ(chdir(FDir.c_str()), 0);
  std::string Message;
  try {
    TIniFile Ini("plain/Scoutlane.ini");
    EXPECT_EQ(Ini.ReadString("SET", "FRON", "d"), "d");
    Ini.WriteString("SET", "FRON", "1");
    Ini.UpdateFile();
  } catch (const EIniFileException& Error) {
    Message = Error.Message();
  }
  ASSERT_EQ(chdir(Previous), 0);
  EXPECT_EQ(Message, CannotWrite(FDir + testfiles::kPathSeparator + "plain/Scoutlane.ini"));
}

TEST_F(IniFileTest, DirectoryInPlaceOfTheFile) {
  fs::create_directory(FFile);
  EXPECT_THROW(
      {
        TIniFile Ini(FFile);
        EXPECT_EQ(Ini.ReadInteger("SET", "REF", 7), 7);
        Ini.WriteInteger("SET", "REF", 1);
        EXPECT_THROW(Ini.UpdateFile(), EIniFileException);
      },  // the release tries once more
      EIniFileException);
  EXPECT_TRUE(fs::is_directory(FFile));
}

TEST_F(IniFileTest, ReleaseDuringUnwindingNeverThrowsAgain) {
  WriteFile(FFile, "[SET]\r\nFRON=1\r\n");
  std::string Writable = FDir + "/other.ini";
  ASSERT_TRUE(testfiles::SetReadOnly(FFile, true));
  bool Caught = false;
  try {
    TIniFile Refused(FFile);
    Refused.WriteBool("SET", "FRON", false);
    TIniFile Accepted(Writable);
    Accepted.WriteBool("SET", "FRON", false);
    throw std::runtime_error("first error");
  } catch (const std::runtime_error& Error) {
    Caught = std::string(Error.what()) == "first error";
  }
  EXPECT_TRUE(Caught);
  EXPECT_EQ(ReadFile(FFile), "[SET]\r\nFRON=1\r\n");
  EXPECT_EQ(ReadFile(Writable), "[SET]\r\nFRON=0\r\n") << "still saved while unwinding";
}

}  // namespace
