// THistoryComboBox on a headless form: what layouts read and write, the load
// when loading completes, the copy taken when the native window goes, and the
// save when the box is destroyed, for every save mode and both stores.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "HistoryTestFixture.h"
#include "controls/history/Historycombobox.h"
#include "framework/HeadlessFixture.h"
#include "framework/core/Registry.h"
#include "framework/core/SysUtils.h"
#include "framework/streaming/StreamingRegistry.h"
#include "framework/streaming/StreamingWriter.h"
#include "platform/ScratchFiles.h"

namespace {

using TEntries = std::vector<std::string>;

TEntries EntriesOf(const TStrings& List) {
  TEntries Entries;
  for (int Index = 0; Index < List.Count(); ++Index) Entries.push_back(List[Index]);
  return Entries;
}

void Fill(TStrings& List, const TEntries& Entries) {
  List.Clear();
  for (const std::string& Entry : Entries) List.Add(Entry);
}

// The search bar's window stands in here: a form with the handler its layout
// binds to the keyword box.
class THistoryTestForm : public TForm {
public:
  explicit THistoryTestForm(TComponent* AOwner) : TForm(AOwner) {
    FMethods.Add("HistoryComboBox1KeyPress", this, &THistoryTestForm::HistoryComboBox1KeyPress);
  }
  void HistoryComboBox1KeyPress(TObject* Sender, char& Key) {}
};

void RegisterTestClasses() {
  static bool Done = false;
  if (Done) return;
  Done = true;
  RegisterHistoryComboBox();
  RegisterHistoryComboBox();  // a second call is harmless
  RegisterClass<THistoryTestForm>("THistoryTestForm");
}

// The scratch folder comes first so that it outlives the application and
// the forms it destroys.
class HistoryComboBoxTest : public THistoryScratch, public THeadlessFixture {
protected:
  void SetUp() override {
    RegisterTestClasses();
    FFile = FDir + "/Scoutlane.ini";
  }

  // The search bar's keyword box as its layout places it, with the given
  // extra property lines.
  // The search bar's keyword box as its layout places it (UTF-8, as layouts
  // are), with the given extra property lines.
  static std::string Layout(const std::string& Properties) {
    return u8"object MainForm1: THistoryTestForm\n"
           u8"  object HistoryComboBox1: THistoryComboBox\n"
           u8"    Left = 286\n    Top = 8\n    Width = 160\n    Height = 20\n"
           u8"    Color = clWhite\n    DropDownCount = 20\n"
           u8"    Font.Charset = SHIFTJIS_CHARSET\n    Font.Color = clBlue\n"
           u8"    Font.Height = -12\n    Font.Name = 'ＭＳ Ｐゴシック'\n    Font.Style = []\n"
           u8"    ItemHeight = 12\n    ParentFont = False\n    ParentShowHint = False\n"
           u8"    ShowHint = True\n    Hint = '検索する言葉(キーワード)を入力'\n"
           u8"    TabOrder = 1\n    OnKeyPress = HistoryComboBox1KeyPress\n" +
           Properties +
           "  end\n"
           "end\n";
  }
  std::string FileLines(const std::string& Mode = "") const {
    return "    SaveFileName = '" + FFile + "'\n    SaveSectionName = 'History'\n" +
           (Mode.empty() ? "" : "    SaveMode = " + Mode + "\n");
  }

  // Reads the layout into a new form; null when reading failed (the error is
  // in FError and the form is gone, as when the program's window fails).
  THistoryTestForm* Create(const std::string& Properties) {
    auto* Form = MakeForm<THistoryTestForm>();
    try {
      Form->ReadLayoutText(Layout(Properties));
    } catch (const Exception& Error) {
      FError = Error.Message();
      delete Form;
      return nullptr;
    }
    Form->BindComponent(FBox, "HistoryComboBox1");
    return Form;
  }
  void Show(TForm* Form) {
    Form->Show();
    Pump();
    ASSERT_TRUE(FBox->HandleAllocated());
  }
  void StoreHistory(const TEntries& Entries) {
    std::string Text =
        "[SET]\r\nFRON=1\r\n[History]\r\nHistoryCount=" + std::to_string(Entries.size()) + "\r\n";
    for (std::size_t I = 0; I < Entries.size(); ++I)
      Text += "History" + std::to_string(I) + "=" + Entries[I] + "\r\n";
    WriteFile(FFile, Text);
  }
  TEntries StoredHistory() const {
    TStringList List;
    LoadHistoryFromFile(FFile, "History", List);
    return EntriesOf(List);
  }

  std::string FFile;
  std::string FError;
  THistoryComboBox* FBox = nullptr;
};

// ---- layouts ---------------------------------------------------------------

TEST_F(HistoryComboBoxTest, PublishesItsFourPropertiesAfterTheComboBoxes) {
  const TPropList& Base = TComboBox::PublishedProperties();
  const TPropList& List = THistoryComboBox::PublishedProperties();
  ASSERT_EQ(List.size(), Base.size() + 4);
  for (std::size_t I = 0; I < Base.size(); ++I) EXPECT_EQ(List[I].Name, Base[I].Name);
  EXPECT_EQ(List[Base.size()].Name, "SaveMode");
  EXPECT_EQ(List[Base.size() + 1].Name, "SaveKeyName");
  EXPECT_EQ(List[Base.size() + 2].Name, "SaveFileName");
  EXPECT_EQ(List[Base.size() + 3].Name, "SaveSectionName");
}

TEST_F(HistoryComboBoxTest, ReadsTheSearchBarsLayoutAndLoadsTheHistory) {
  StoreHistory({"weather", "train timetable", "museum"});
  auto* Form = Create(FileLines());
  ASSERT_NE(Form, nullptr) << FError;
  EXPECT_EQ(FBox->SaveMode(), hsAuto);
  EXPECT_EQ(FBox->SaveFileName(), FFile);
  EXPECT_EQ(FBox->SaveSectionName(), "History");
  EXPECT_EQ(FBox->SaveKeyName(), "");
  EXPECT_EQ(FBox->DropDownCount(), 20);
  EXPECT_EQ(FBox->ItemHeight(), 12);
  EXPECT_EQ(FBox->Color(), clWhite);
  EXPECT_EQ(FBox->Font()->Color(), clBlue);
  EXPECT_EQ(FBox->Font()->Height(), -12);
  EXPECT_EQ(FBox->Hint(), "検索する言葉(キーワード)を入力");
  EXPECT_TRUE(FBox->OnKeyPress) << "the owner's key handler is bound";
  EXPECT_EQ(EntriesOf(*FBox->Items()), (TEntries{"weather", "train timetable", "museum"}));
  EXPECT_EQ(FBox->Text(), "") << "loading never changes the box's text";
  delete Form;
}

TEST_F(HistoryComboBoxTest, WritesOnlyWhatDiffersFromTheDefaults) {
  auto* Form = Create("    SaveMode = hsAutoLoad\n    SaveSectionName = 'Words'\n");
  ASSERT_NE(Form, nullptr) << FError;
  const std::string Written = WriteComponentLayout(*Form);
  EXPECT_NE(Written.find("SaveMode = hsAutoLoad\n"), std::string::npos) << Written;
  EXPECT_NE(Written.find("SaveSectionName = 'Words'\n"), std::string::npos) << Written;
  EXPECT_EQ(Written.find("SaveKeyName"), std::string::npos) << Written;
  EXPECT_EQ(Written.find("SaveFileName"), std::string::npos) << Written;
  FBox->SetSaveMode(hsAuto);
  EXPECT_EQ(WriteComponentLayout(*Form).find("SaveMode"), std::string::npos);
  delete Form;
}

TEST_F(HistoryComboBoxTest, AnUnknownSaveModeMakesTheLayoutUnreadable) {
  EXPECT_EQ(Create("    SaveMode = hsSometimes\n"), nullptr);
  EXPECT_FALSE(FError.empty());
}

// ---- automatic load and save, by mode -----------------------------------------

struct TModeCase {
  const char* Mode;
  bool Loads;
  bool Saves;
};

class HistoryModeTest : public HistoryComboBoxTest,
                        public testing::WithParamInterface<TModeCase> {};

TEST_P(HistoryModeTest, FileStore) {
  StoreHistory({"old"});
  auto* Form = Create(FileLines(GetParam().Mode));
  ASSERT_NE(Form, nullptr) << FError;
  EXPECT_EQ(EntriesOf(*FBox->Items()), GetParam().Loads ? TEntries{"old"} : TEntries{});
  Show(Form);
  FBox->AddText("new");
  delete Form;
  EXPECT_EQ(StoredHistory(), GetParam().Saves
                                 ? (GetParam().Loads ? TEntries{"new", "old"} : TEntries{"new"})
                                 : TEntries{"old"});
}

TEST_P(HistoryModeTest, RegistryStoreWinsOverTheFile) {
  StoreHistory({"from the file"});
  {
    TStringList Stored;
    Fill(Stored, {"from the registry"});
    SaveHistoryToRegistry("Software\\Scoutlane", "History", Stored);
  }
  auto* Form = Create(FileLines(GetParam().Mode) + "    SaveKeyName = 'Software\\Scoutlane\\'\n");
  ASSERT_NE(Form, nullptr) << FError;
  EXPECT_EQ(EntriesOf(*FBox->Items()),
            GetParam().Loads ? TEntries{"from the registry"} : TEntries{});
  Show(Form);
  FBox->AddText("new");
  delete Form;
  TStringList Registry;
  LoadHistoryFromRegistry("Software\\Scoutlane", "History", Registry);
  const TEntries Expected =
      GetParam().Saves ? (GetParam().Loads ? TEntries{"new", "from the registry"} : TEntries{"new"})
                       : TEntries{"from the registry"};
  EXPECT_EQ(EntriesOf(Registry), Expected);
  EXPECT_EQ(StoredHistory(), TEntries{"from the file"}) << "the file is not touched";
}

INSTANTIATE_TEST_SUITE_P(
    Modes, HistoryModeTest,
    testing::Values(TModeCase{"hsAuto", true, true}, TModeCase{"hsManual", false, false},
                    TModeCase{"hsAutoSave", false, true}, TModeCase{"hsAutoLoad", true, false}),
    [](const testing::TestParamInfo<TModeCase>& Info) { return std::string(Info.param.Mode); });

TEST_F(HistoryComboBoxTest, ManualModeStillSavesAndLoadsOnRequest) {
  auto* Form = Create(FileLines("hsManual"));
  ASSERT_NE(Form, nullptr) << FError;
  FBox->AddText("a");
  EXPECT_TRUE(FBox->SaveToFile());
  EXPECT_EQ(StoredHistory(), TEntries{"a"});
  EXPECT_TRUE(FBox->LoadFromFile());
  EXPECT_EQ(EntriesOf(*FBox->Items()), (TEntries{"a", "a"}));
  EXPECT_FALSE(FBox->SaveToRegistry()) << "no key name";
  EXPECT_FALSE(FBox->LoadFromRegistry());
  FBox->SetSaveFileName("");
  EXPECT_FALSE(FBox->SaveToFile());
  EXPECT_FALSE(FBox->LoadFromFile());
  delete Form;
}

TEST_F(HistoryComboBoxTest, NoStoreNamedSavesNothing) {
  auto* Form = Create("");
  ASSERT_NE(Form, nullptr) << FError;
  FBox->AddText("a");
  delete Form;
  EXPECT_FALSE(RegistryFileExists());
}

TEST_F(HistoryComboBoxTest, ABareFileNameIsKeptBesideTheProgram) {
  const std::string Name = "history-box-test-" + std::to_string(getpid());
  const std::string Expected = ExecutableDirectory() + Name + ".ini";
  auto* Form = Create("    SaveFileName = '" + Name + "'\n    SaveSectionName = 'History'\n");
  ASSERT_NE(Form, nullptr) << FError;
  FBox->AddText("a");
  delete Form;
  const std::string Written = ReadFile(Expected);
  std::remove(Expected.c_str());
  EXPECT_EQ(Written, "[History]\r\nHistoryCount=1\r\nHistory0=a\r\n");
}

TEST_F(HistoryComboBoxTest, SectionFallsBackToTheComponentName) {
  auto* Form = Create("    SaveFileName = '" + FFile + "'\n");
  ASSERT_NE(Form, nullptr) << FError;
  EXPECT_EQ(FBox->GetSectionString(), "HistoryComboBox1");
  FBox->AddText("a");
  FBox->SaveToFile();
  EXPECT_EQ(ReadFile(FFile), "[HistoryComboBox1]\r\nHistoryCount=1\r\nHistory0=a\r\n");
  delete Form;
}

TEST_F(HistoryComboBoxTest, AddTextUsesTheBoxsTextAndLeavesIt) {
  auto* Form = Create(FileLines("hsManual"));
  ASSERT_NE(Form, nullptr) << FError;
  Fill(*FBox->Items(), {"weather", "museum"});
  FBox->SetText("Museum");
  EXPECT_FALSE(FBox->AddText());
  EXPECT_EQ(EntriesOf(*FBox->Items()), (TEntries{"museum", "weather"}));
  EXPECT_EQ(FBox->Text(), "Museum");
  FBox->SetText("park");
  EXPECT_TRUE(FBox->AddText());
  EXPECT_EQ(EntriesOf(*FBox->Items()), (TEntries{"park", "museum", "weather"}));
  delete Form;
}

TEST_F(HistoryComboBoxTest, AtDesignTimeNothingIsLoadedCopiedOrSaved) {
  StoreHistory({"old"});
  const std::string Old = ReadFile(FFile);
  auto* Form = MakeForm<THistoryTestForm>();
  auto* Box = new THistoryComboBox(Form);
  Box->SetParent(Form);
  Box->SetSaveFileName(FFile);
  Box->SetSaveSectionName("History");
  Box->SetDesigning(true);
  Box->Loaded();
  EXPECT_EQ(Box->Items()->Count(), 0);
  Form->Show();
  Pump();
  Box->AddText("new");
  Form->DestroyHandle();
  EXPECT_EQ(Box->ItemSnapshot()->Count(), 0);
  delete Form;
  EXPECT_EQ(ReadFile(FFile), Old);
}

// ---- completion while typing ------------------------------------------------------

TEST_F(HistoryComboBoxTest, TypingCompletesFromTheMostRecentMatchingEntry) {
  StoreHistory({"weather", "train", "museum", "tram"});
  auto* Form = Create(FileLines());
  ASSERT_NE(Form, nullptr) << FError;
  Show(Form);
  FBox->SetFocus();
  Pump();
  Display.TypeText("T");
  Pump();
  EXPECT_EQ(FBox->Text(), "Train");
  EXPECT_EQ(FBox->SelStart(), 1);
  EXPECT_EQ(FBox->SelLength(), 4);
  Display.TypeText("x");
  Pump();
  EXPECT_EQ(FBox->Text(), "Tx") << "no entry begins with Tx: the key replaces the selection";
  EXPECT_EQ(EntriesOf(*FBox->Items()), (TEntries{"weather", "train", "museum", "tram"}));
  delete Form;
}

// ---- a bad count stops the window -----------------------------------------------

TEST_F(HistoryComboBoxTest, BadCountStopsTheLayoutWithTheConversionError) {
  WriteFile(FFile, "[History]\r\nHistoryCount=x\r\nHistory0=a\r\n");
  EXPECT_EQ(Create(FileLines()), nullptr);
  EXPECT_EQ(FError, "'x' は整数ではありません");
  EXPECT_EQ(ReadFile(FFile), "[History]\r\nHistoryCount=x\r\nHistory0=a\r\n")
      << "the box that failed to load saves nothing over the stored entries";
}

// ---- the snapshot and the save at destruction ------------------------------------

TEST_F(HistoryComboBoxTest, DestructionSavesTheListAsItWasWhenTheWindowWent) {
  auto* Form = Create(FileLines());
  ASSERT_NE(Form, nullptr) << FError;
  Show(Form);
  FBox->AddText("a");
  FBox->AddText("b");
  Form->DestroyHandle();
  ASSERT_FALSE(FBox->HandleAllocated());
  EXPECT_EQ(EntriesOf(*FBox->ItemSnapshot()), (TEntries{"b", "a"}));
  FBox->AddText("after the window went");
  delete Form;
  EXPECT_EQ(StoredHistory(), (TEntries{"b", "a"}));
}

TEST_F(HistoryComboBoxTest, RecreatingTheWindowTakesANewSnapshot) {
  auto* Form = Create(FileLines());
  ASSERT_NE(Form, nullptr) << FError;
  Show(Form);
  FBox->AddText("a");
  FBox->RecreateWnd();
  Pump();
  EXPECT_EQ(EntriesOf(*FBox->ItemSnapshot()), TEntries{"a"});
  FBox->AddText("b");
  FBox->RecreateWnd();
  Pump();
  EXPECT_EQ(EntriesOf(*FBox->ItemSnapshot()), (TEntries{"b", "a"}));
  FBox->AddText("c");
  delete Form;  // the form's window goes first: a last snapshot
  EXPECT_EQ(StoredHistory(), (TEntries{"c", "b", "a"}));
}

TEST_F(HistoryComboBoxTest, ABoxWhoseWindowNeverExistedSavesItsList) {
  StoreHistory({"old"});
  auto* Form = Create(FileLines());
  ASSERT_NE(Form, nullptr) << FError;
  ASSERT_FALSE(FBox->HandleAllocated());
  FBox->AddText("new");
  delete Form;
  EXPECT_EQ(StoredHistory(), (TEntries{"new", "old"})) << "not wiped by an empty snapshot";
}

TEST_F(HistoryComboBoxTest, ABoxDeletedWhileItsWindowLivesSavesItsList) {
  auto* Form = Create(FileLines());
  ASSERT_NE(Form, nullptr) << FError;
  Show(Form);
  FBox->AddText("a");
  FBox->RecreateWnd();  // an old snapshot exists
  Pump();
  FBox->AddText("b");
  delete FBox;
  EXPECT_EQ(StoredHistory(), (TEntries{"b", "a"}));
  delete Form;
}

TEST_F(HistoryComboBoxTest, TheDeleteHistoryCommandEmptiesTheListAndTheFile) {
  StoreHistory({"a", "b"});
  auto* Form = Create(FileLines());
  ASSERT_NE(Form, nullptr) << FError;
  Show(Form);
  FBox->SetText("typed");
  FBox->Items()->Clear();
  EXPECT_TRUE(FBox->SaveToFile());
  EXPECT_EQ(ReadFile(FFile), "[SET]\r\nFRON=1\r\n[History]\r\nHistoryCount=0\r\n");
  EXPECT_EQ(FBox->Text(), "typed");
  delete Form;
  EXPECT_EQ(ReadFile(FFile), "[SET]\r\nFRON=1\r\n[History]\r\nHistoryCount=0\r\n");
}

// A save refused at destruction: the store keeps the old history, the user
// is told, and the program will end with a failure status. The registry's
// folder is refused by a file in its place (the tests may run as root, whom
// a read-only folder does not stop).
struct TRefusedCase {
  const char* Name;
  bool Registry;
};

class RefusedSaveTest : public HistoryComboBoxTest,
                        public testing::WithParamInterface<TRefusedCase> {};

TEST_P(RefusedSaveTest, KeepsTheStoreShowsTheErrorAndFailsTheExit) {
  ExitCode = 0;
  StoreHistory({"old"});
  std::string Properties = FileLines();
  if (GetParam().Registry) Properties += "    SaveKeyName = 'Software\\Scoutlane\\Gallery'\n";
  const std::string Old = ReadFile(FFile);
  auto* Form = Create(Properties);
  ASSERT_NE(Form, nullptr) << FError;
  Show(Form);
  FBox->AddText("new");
  if (GetParam().Registry) {
    std::filesystem::remove_all(FConfig + "/scoutlane");
    std::filesystem::create_directories(FConfig);
    WriteFile(FConfig + "/scoutlane", "not a folder");
  } else {
    ASSERT_TRUE(testfiles::SetReadOnly(FFile, true));
  }
  delete Form;
  EXPECT_EQ(ReadFile(FFile), Old);
  ASSERT_EQ(Errors.size(), 1u);
  EXPECT_EQ(Errors[0], (GetParam().Registry ? FConfig + "/scoutlane/registry.txt" : FFile) +
                           " に書き込めません.");
  EXPECT_EQ(ExitCode, 1);
  ExitCode = 0;
}

// The registry of Windows cannot be refused this way.
INSTANTIATE_TEST_SUITE_P(Stores, RefusedSaveTest,
                         testing::Values(TRefusedCase{"SettingsFile", false}
#ifndef _WIN32
                                         ,
                                         TRefusedCase{"Registry", true}
#endif
                                         ),
                         [](const auto& Info) { return std::string(Info.param.Name); });

}  // namespace
