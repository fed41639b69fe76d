// The history stores and the move-to-top rule, apart from the box: the file
// layout byte for byte, the registry layout, path resolution, loading rules
// and the failures a user can meet (a damaged count, a file that may not be
// written).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HistoryTestFixture.h"
#include "controls/history/Historystore.h"
#include "framework/core/IniFiles.h"
#include "framework/core/Registry.h"
#include "framework/core/SysUtils.h"
#include "platform/ScratchFiles.h"
#include "platform/core/Exception.h"

namespace {

using TEntries = std::vector<std::string>;

void Fill(TStrings& List, const TEntries& Entries) {
  List.Clear();
  for (const std::string& Entry : Entries) List.Add(Entry);
}

TEntries EntriesOf(const TStrings& List) {
  TEntries Entries;
  for (int Index = 0; Index < List.Count(); ++Index) Entries.push_back(List[Index]);
  return Entries;
}

// ---- AddText ---------------------------------------------------------------

struct TAddCase {
  const char* Name;
  TEntries Before;
  std::string Text;
  bool Added;
  TEntries After;
};

class AddHistoryTextTest : public testing::TestWithParam<TAddCase> {};

TEST_P(AddHistoryTextTest, MovesOrInserts) {
  const TAddCase& Case = GetParam();
  TStringList List;
  Fill(List, Case.Before);
  EXPECT_EQ(AddHistoryText(List, Case.Text), Case.Added);
  EXPECT_EQ(EntriesOf(List), Case.After);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AddHistoryTextTest,
    testing::Values(
        TAddCase{"TopMatchInOtherCaseStays",
                 {"weather", "train", "museum"},
                 "WEATHER",
                 false,
                 {"weather", "train", "museum"}},
        TAddCase{"MatchMovesUpKeepingItsSpelling",
                 {"weather", "train", "museum"},
                 "Museum",
                 false,
                 {"museum", "weather", "train"}},
        TAddCase{"MiddleMatchKeepsTheOthersInOrder",
                 {"a", "b", "c", "d"},
                 "c",
                 false,
                 {"c", "a", "b", "d"}},
        TAddCase{"NewTextGoesOnTop",
                 {"weather", "train", "museum"},
                 "park",
                 true,
                 {"park", "weather", "train", "museum"}},
        TAddCase{"EmptyTextChangesNothing", {"weather"}, "", false, {"weather"}},
        TAddCase{"BlanksAreAText", {"weather"}, "  ", true, {"  ", "weather"}},
        TAddCase{"FirstEntryOfAnEmptyList", {}, "天気", true, {"天気"}},
        TAddCase{
            "PrefixIsNoMatch", {"train timetable"}, "train", true, {"train", "train timetable"}},
        TAddCase{"FullWidthLettersFold", {"x", "ＡＢＣ"}, "ａｂｃ", false, {"ＡＢＣ", "x"}},
        // カ and ガ differ in their trail byte only; kana never fold.
        TAddCase{"KanaDoNotFold", {"カ"}, "ガ", true, {"ガ", "カ"}}),
    [](const testing::TestParamInfo<TAddCase>& Info) { return std::string(Info.param.Name); });

TEST(AddHistoryText, ASortedListKeepsItsOrder) {
  TStringList List;
  List.SetSorted(true);
  List.Add("b");
  List.Add("d");
  EXPECT_TRUE(AddHistoryText(List, "c"));
  EXPECT_FALSE(AddHistoryText(List, "D"));
  EXPECT_EQ(EntriesOf(List), (TEntries{"b", "c", "d"}));
}

// ---- path resolution ---------------------------------------------------------

struct TPathCase {
  const char* Name;
  std::string FileName;
  std::string Expected;
};

class ResolveHistoryPathTest : public testing::TestWithParam<TPathCase> {};

TEST_P(ResolveHistoryPathTest, Resolves) {
  EXPECT_EQ(ResolveHistoryPath(GetParam().FileName, "/opt/app/"), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ResolveHistoryPathTest,
    testing::Values(
        TPathCase{"BareNameGetsIniBesideTheProgram", "hist", "/opt/app/hist.ini"},
        TPathCase{"NameWithExtensionBesideTheProgram", "Scoutlane.ini", "/opt/app/Scoutlane.ini"},
        TPathCase{"OtherExtensionKept", "hist.txt", "/opt/app/hist.txt"},
        TPathCase{"DirectoryPartUsedAsItIs", "/var/tmp/hist.dat", "/var/tmp/hist.dat"},
        TPathCase{"RelativeDirectoryUsedAsItIs", "sub/hist.dat", "sub/hist.dat"},
        TPathCase{"DirectoryPartStillGetsIni", "/var/tmp/hist", "/var/tmp/hist.ini"},
        TPathCase{"ADotInTheDirectoryIsNoExtension", "/var/a.d/hist", "/var/a.d/hist.ini"},
        TPathCase{"JapaneseName", "履歴", "/opt/app/履歴.ini"}),
    [](const testing::TestParamInfo<TPathCase>& Info) { return std::string(Info.param.Name); });

// ---- the file store ------------------------------------------------------------

class HistoryFileTest : public THistoryStoreFixture {
protected:
  void SetUp() override {
    THistoryStoreFixture::SetUp();
    FFile = FDir + "/Scoutlane.ini";
  }
  std::string FFile;
};

TEST_F(HistoryFileTest, SaveReplacesTheSectionAndKeepsTheOthersByteForByte) {
  WriteFile(FFile,
            "[SET]\r\nFRON=1\r\n"
            "[History]\r\nHistoryCount=4\r\nHistory0=old\r\nHistory1=older\r\nHistory2=x\r\n"
            "History3=y\r\n"
            "[Other]\r\n; kept\r\nkey=value\r\n");
  TStringList List;
  Fill(List, {"weather", "train timetable", "天気 予報"});
  SaveHistoryToFile(FFile, "History", List);
  EXPECT_EQ(ReadFile(FFile),
            "[SET]\r\nFRON=1\r\n"
            "[Other]\r\n; kept\r\nkey=value\r\n"
            "[History]\r\nHistoryCount=3\r\nHistory0=weather\r\nHistory1=train timetable\r\n"
            "History2=天気 予報\r\n");
}

TEST_F(HistoryFileTest, DirectoryPartWithoutExtensionGetsIni) {
  TStringList List;
  Fill(List, {"a"});
  SaveHistoryToFile(FDir + "/hist", "H", List);
  EXPECT_EQ(ReadFile(FDir + "/hist.ini"), "[H]\r\nHistoryCount=1\r\nHistory0=a\r\n");
}

TEST_F(HistoryFileTest, EmptyFileNameDoesNothing) {
  TStringList List;
  Fill(List, {"a"});
  SaveHistoryToFile("", "History", List);
  LoadHistoryFromFile("", "History", List);
  EXPECT_EQ(EntriesOf(List), TEntries{"a"});
}

TEST_F(HistoryFileTest, SaveThenLoadGivesTheListBack) {
  TStringList Saved;
  Fill(Saved, {"  blanks  ", "", "a=b", "ソ表\\"});
  SaveHistoryToFile(FFile, "History", Saved);
  TStringList Loaded;
  LoadHistoryFromFile(FFile, "History", Loaded);
  EXPECT_EQ(EntriesOf(Loaded), EntriesOf(Saved));
}

TEST_F(HistoryFileTest, LoadAppendsWithoutComparing) {
  WriteFile(FFile, "[History]\r\nHistoryCount=2\r\nHistory0=a\r\nHistory1=b\r\n");
  TStringList List;
  Fill(List, {"a"});
  LoadHistoryFromFile(FFile, "History", List);
  LoadHistoryFromFile(FFile, "History", List);
  EXPECT_EQ(EntriesOf(List), (TEntries{"a", "a", "b", "a", "b"}));
}

struct TLoadCase {
  const char* Name;
  std::string File;
  TEntries Expected;
};

class HistoryLoadTest : public HistoryFileTest, public testing::WithParamInterface<TLoadCase> {};

TEST_P(HistoryLoadTest, Loads) {
  if (!GetParam().File.empty()) WriteFile(FFile, GetParam().File);
  TStringList List;
  LoadHistoryFromFile(FFile, "History", List);
  EXPECT_EQ(EntriesOf(List), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HistoryLoadTest,
    testing::Values(
        TLoadCase{"NoFile", "", {}}, TLoadCase{"NoSection", "[SET]\r\nFRON=1\r\n", {}},
        TLoadCase{"NoCount", "[History]\r\nHistory0=a\r\n", {}},
        TLoadCase{"CountZero", "[History]\r\nHistoryCount=0\r\nHistory0=a\r\n", {}},
        TLoadCase{"CountNegative", "[History]\r\nHistoryCount=-3\r\nHistory0=a\r\n", {}},
        TLoadCase{"CountBelowTheEntries",
                  "[History]\r\nHistoryCount=1\r\nHistory0=a\r\nHistory1=b\r\n",
                  {"a"}},
        TLoadCase{
            "HexCount", "[History]\r\nHistoryCount=$2\r\nHistory0=a\r\nHistory1=b\r\n", {"a", "b"}},
        TLoadCase{"MissingEntryInBetweenComesBackEmpty",
                  "[History]\r\nHistoryCount=3\r\nHistory0=a\r\nHistory2=c\r\n",
                  {"a", "", "c"}},
        TLoadCase{"NamesIgnoreCase",
                  "[history]\r\nhistorycount=2\r\nHISTORY0=a\r\nhistory1=b\r\n",
                  {"a", "b"}},
        TLoadCase{"EntriesInAnyLineOrder",
                  "[History]\r\nHistory1=b\r\nHistoryCount=2\r\nHistory0=a\r\n",
                  {"a", "b"}},
        // A damaged count does not fill the list with empty entries past the
        // last one stored (two thousand million of them would never fit).
        TLoadCase{"HugeCountReadsOnlyWhatIsStored",
                  "[History]\r\nHistoryCount=2147483647\r\nHistory0=a\r\nHistory1=b\r\n",
                  {"a", "b"}},
        TLoadCase{"MissingEntriesAfterTheLastStoredAreNotAppended",
                  "[History]\r\nHistoryCount=5\r\nHistory0=a\r\nHistory2=c\r\n",
                  {"a", "", "c"}},
        TLoadCase{"OddlyWrittenNumbersAreNoEntries",
                  "[History]\r\nHistoryCount=9\r\nHistory0=a\r\nHistory05=x\r\nHistory+6=y\r\n",
                  {"a"}},
        TLoadCase{"AStoredEmptyEntryCounts",
                  "[History]\r\nHistoryCount=3\r\nHistory0=a\r\nHistory2=\r\n",
                  {"a", "", ""}}),
    [](const testing::TestParamInfo<TLoadCase>& Info) { return std::string(Info.param.Name); });

class HistoryBadCountTest : public HistoryFileTest,
                            public testing::WithParamInterface<std::string> {};

TEST_P(HistoryBadCountTest, RaisesTheConversionErrorAndLoadsNothing) {
  WriteFile(FFile, "[History]\r\nHistoryCount=" + GetParam() + "\r\nHistory0=a\r\n");
  TStringList List;
  Fill(List, {"kept"});
  try {
    LoadHistoryFromFile(FFile, "History", List);
    ADD_FAILURE() << "no error for " << GetParam();
  } catch (const EConvertError& Error) {
    EXPECT_EQ(Error.Message(), "'" + GetParam() + "' は整数ではありません");
  }
  EXPECT_EQ(EntriesOf(List), TEntries{"kept"});
}

INSTANTIATE_TEST_SUITE_P(Values, HistoryBadCountTest,
                         testing::Values("x", "", "3x", " 3", "2147483648", "0x", "三"));

TEST_F(HistoryFileTest, EntriesComeBackCutTo2047BytesNeverHalfACharacter) {
  const std::string Long(3000, 'a');
  const std::string Exact = std::string(2045, 'b') + "表";       // 2047 bytes
  const std::string Straddling = std::string(2046, 'c') + "表";  // lead byte at 2046
  TStringList List;
  Fill(List, {Long, Exact, Straddling});
  SaveHistoryToFile(FFile, "History", List);
  EXPECT_NE(ReadFile(FFile).find(Long), std::string::npos) << "stored whole";

  TStringList Loaded;
  LoadHistoryFromFile(FFile, "History", Loaded);
  ASSERT_EQ(Loaded.Count(), 3);
  EXPECT_EQ(Loaded[0], std::string(2047, 'a'));
  EXPECT_EQ(Loaded[1], Exact);
  // The cut would split 表; the whole character goes instead.
  EXPECT_EQ(Loaded[2], std::string(2046, 'c'));
}

TEST_F(HistoryFileTest, RefusedSaveReportsThePathAndKeepsTheOldFile) {
  const std::string Old = "[SET]\r\nFRON=1\r\n[History]\r\nHistoryCount=1\r\nHistory0=old\r\n";
  WriteFile(FFile, Old);
  ASSERT_TRUE(testfiles::SetReadOnly(FFile, true));
  TStringList List;
  Fill(List, {"new"});
  std::string Message;
  try {
    SaveHistoryToFile(FFile, "History", List);
  } catch (const EIniFileException& Error) {
    Message = Error.Message();
  }
  EXPECT_EQ(Message, FFile + " に書き込めません");
  EXPECT_EQ(ReadFile(FFile), Old);
}

// ---- the registry store ----------------------------------------------------------

using HistoryRegistryTest = THistoryStoreFixture;

TEST_F(HistoryRegistryTest, SaveWritesTheSubkeyWithANumberCountAndTextEntries) {
  TStringList List;
  Fill(List, {"a", "b", "c", "d"});
  SaveHistoryToRegistry("Software\\Vendor", "History", List);
  Fill(List, {"weather", "天気"});
  SaveHistoryToRegistry("Software\\Vendor", "History", List);

  registry::TRegistryTree Tree = StoredRegistry();
  const registry::TRegistryKey* Key = Tree.FindKey({"Software", "Vendor", "History"});
  ASSERT_NE(Key, nullptr);
  ASSERT_EQ(Key->ValueCount(), 3u) << "the old entries went with the subkey";
  EXPECT_EQ(*Key->FindValue("HistoryCount"), registry::TRegistryValue::FromNumber(2));
  EXPECT_EQ(*Key->FindValue("History0"), registry::TRegistryValue::FromText("weather"));
  EXPECT_EQ(*Key->FindValue("History1"), registry::TRegistryValue::FromText("天気"));
#ifndef _WIN32
  // The store file keeps the order of writing; the registry of Windows
  // lists values in an order of its own (Wine's by name).
  EXPECT_EQ(Key->ValueName(0), "HistoryCount");
  EXPECT_EQ(Key->ValueName(1), "History0");
  EXPECT_EQ(Key->ValueName(2), "History1");
#endif
}

TEST_F(HistoryRegistryTest, TrailingBackslashesAreDropped) {
  TStringList List;
  Fill(List, {"a"});
  SaveHistoryToRegistry("Software\\Vendor\\\\", "History", List);
  TStringList Loaded;
  LoadHistoryFromRegistry("Software\\Vendor", "History", Loaded);
  EXPECT_EQ(EntriesOf(Loaded), TEntries{"a"});
  EXPECT_EQ(StoredRegistry().Root().SubKeys().size(), 1u);
}

TEST_F(HistoryRegistryTest, KeyPathOfBackslashesOnlyOrEmptyDoesNothing) {
  TStringList List;
  Fill(List, {"a"});
  SaveHistoryToRegistry("\\\\\\", "History", List);
  SaveHistoryToRegistry("", "History", List);
  LoadHistoryFromRegistry("", "History", List);
  EXPECT_FALSE(RegistryFileExists());
  EXPECT_EQ(EntriesOf(List), TEntries{"a"});
}

TEST_F(HistoryRegistryTest, LoadAppendsAndHandlesMissingEntriesLikeTheFile) {
  {
    TRegistryIniFile Registry("Software\\Vendor");
    Registry.WriteInteger("History", "HistoryCount", 1000000);
    Registry.WriteString("History", "History0", "a");
    Registry.WriteString("History", "History2", "c");
  }
  TStringList List;
  Fill(List, {"kept"});
  LoadHistoryFromRegistry("Software\\Vendor", "History", List);
  EXPECT_EQ(EntriesOf(List), (TEntries{"kept", "a", "", "c"}));
}

TEST_F(HistoryRegistryTest, TextCountIsReadAsANumberAndNonsenseAsZero) {
  {
    TRegistryIniFile Registry("Software\\Vendor");
    Registry.WriteString("Good", "HistoryCount", "2");
    Registry.WriteString("Good", "History0", "a");
    Registry.WriteString("Good", "History1", "b");
    Registry.WriteString("Bad", "HistoryCount", "x");
    Registry.WriteString("Bad", "History0", "a");
  }
  TStringList List;
  LoadHistoryFromRegistry("Software\\Vendor", "Good", List);
  LoadHistoryFromRegistry("Software\\Vendor", "Bad", List);
  LoadHistoryFromRegistry("Software\\Vendor", "Missing", List);
  EXPECT_EQ(EntriesOf(List), (TEntries{"a", "b"}));
}

struct TBackslashCase {
  const char* Name;
  std::string KeyName;
  std::string Expected;
};

class RemoveTrailingBackslashesTest : public testing::TestWithParam<TBackslashCase> {};

TEST_P(RemoveTrailingBackslashesTest, Removes) {
  EXPECT_EQ(RemoveTrailingBackslashes(GetParam().KeyName), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RemoveTrailingBackslashesTest,
    testing::Values(TBackslashCase{"None", "Software\\A", "Software\\A"},
                    TBackslashCase{"Two", "Software\\A\\\\", "Software\\A"},
                    TBackslashCase{"OnlyBackslashes", "\\\\\\", ""},
                    TBackslashCase{"Empty", "", ""}, TBackslashCase{"LeadingStay", "\\A\\", "\\A"},
                    // 表 is 95 5C: its trail byte is no backslash.
                    TBackslashCase{"TrailByteStays", "Software\\表", "Software\\表"},
                    TBackslashCase{"TrailByteThenBackslash", "Software\\表\\", "Software\\表"}),
    [](const testing::TestParamInfo<TBackslashCase>& Info) {
      return std::string(Info.param.Name);
    });

}  // namespace
