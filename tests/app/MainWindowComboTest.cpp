// The main window with its real keyword box and site picker, as the program
// makes it from the embedded layout: what the layout sets on the two combo
// boxes, and Enter typed into the keyword box running the search.
//
// Built only where both controls are in the tree (the layout cannot be read
// without them; see app/Mainwindow1Combos.cpp).

#if __has_include("controls/history/Historycombobox.h") && \
                  __has_include("controls/picker/Dxfcombobox.h")

#include <gtest/gtest.h>

#include "MainWindowTestSupport.h"
#include "controls/history/Historycombobox.h"
#include "controls/picker/Dxfcombobox.h"

using namespace apptest;

namespace {

class MainWindowComboTest : public MainWindowFixture {
protected:
  void SetUp() override {
    TMainFormOptions Options;
    Options.SettingsPath = SettingsPath;
    Form = new TMainForm1(&App, Options);
    Form->AfterConstruction();
    // The history lies beside the test executable: these tests leave it alone.
    Form->HistoryComboBox1->SetSaveMode(hsManual);
    Form->HistoryComboBox1->Items()->Clear();
    Form->Show();
    Pump();
  }
};

TEST_F(MainWindowComboTest, SitePickerAsLaidOut) {
  TdxfComboBox* Picker = Form->ComboBox1;
  EXPECT_EQ(Picker->BoundsRect(), (TRect{66, 8, 226, 28}));
  EXPECT_EQ(Picker->Style(), dcsDropDownList);
  EXPECT_TRUE(Picker->ShowCheckBoxes());
  EXPECT_EQ(Picker->CheckBoxStyle(), 10);
  ASSERT_EQ(Picker->Items()->Count(), kSearchSiteCount);
  for (int I = 0; I < kSearchSiteCount; ++I) {
    EXPECT_EQ(Picker->Items()->Strings(I), SearchSites()[I].ItemText) << I;
    EXPECT_FALSE(Picker->GetChecked(I)) << I;
  }
  EXPECT_EQ(Picker->ItemIndex(), -1);
  EXPECT_EQ(Picker->PopupWidth(), 160);
  EXPECT_EQ(Picker->PopupHeight(), 182);
  EXPECT_EQ(Picker->MinPopupWidth(), 100);
  EXPECT_EQ(Picker->MinPopupHeight(), 100);
  EXPECT_EQ(Picker->MRUListColor(), clWhite);
  EXPECT_EQ(Picker->PopupWindowFont()->Color(), clBlue);
  EXPECT_EQ(Picker->Font()->Color(), clBlue);
  EXPECT_EQ(Picker->Color(), clWhite);
  EXPECT_EQ(Picker->Cursor(), crHandPoint);
  EXPECT_EQ(Picker->Hint(), "検索サイトの選択");
  EXPECT_TRUE(Picker->ShowHint());
  EXPECT_EQ(Picker->PopupMenu(), nullptr);
}

TEST_F(MainWindowComboTest, KeywordBoxAsLaidOut) {
  THistoryComboBox* Box = Form->HistoryComboBox1;
  EXPECT_EQ(Box->BoundsRect(), (TRect{286, 8, 446, 28}));
  EXPECT_EQ(Box->SaveFileName(), "Scoutlane.ini");
  EXPECT_EQ(Box->SaveSectionName(), "History");
  EXPECT_EQ(Box->SaveKeyName(), "");
  EXPECT_EQ(Box->DropDownCount(), 20);
  EXPECT_EQ(Box->ItemHeight(), 12);
  EXPECT_EQ(Box->Font()->Color(), clBlue);
  EXPECT_EQ(Box->Color(), clWhite);
  EXPECT_EQ(Box->Hint(), "検索する言葉(キーワード)を入力");
  EXPECT_TRUE(Box->ShowHint());
  EXPECT_EQ(Box->TabOrder(), 1);
  EXPECT_EQ(Box->PopupMenu(), nullptr);
  EXPECT_TRUE(bool(Box->OnKeyPress));
}

TEST_F(MainWindowComboTest, EnterTypedInTheKeywordBoxSearchesTheTickedSites) {
  Form->ComboBox1->SetChecked(6, true);
  Form->ComboBox1->SetChecked(1, true);
  ClickAt(Form->HistoryComboBox1, 10, 10);
  Display.TypeText("a b&c");
  Key(VK_RETURN);
  EXPECT_EQ(Shell.Addresses(),
            (std::vector<std::string>{SearchAddress(1, "a b&c"), SearchAddress(6, "a b&c")}));
  ASSERT_EQ(Form->HistoryComboBox1->Items()->Count(), 1);
  EXPECT_EQ(Form->HistoryComboBox1->Items()->Strings(0), "a b&c");
  EXPECT_EQ(Form->HistoryComboBox1->Text(), "a b&c");
}

TEST_F(MainWindowComboTest, TheCloseWritesTheRealPickersState) {
  Form->ComboBox1->SetItemIndex(4);
  Form->ComboBox1->SetChecked(9, true);
  SendMessage(Form->Handle(), WM_CLOSE, 0, 0);
  Pump();
  const std::string Text = ReadFileBytes(SettingsPath);
  EXPECT_NE(Text.find("REF=4\r\n"), std::string::npos) << Text;
  EXPECT_NE(Text.find("SITE9=1\r\n"), std::string::npos) << Text;
}

// The summon key and the user's sites, on the real controls. The window is
// made by each test, after it has set up the file and the screen.
class MainWindowSummonTest : public MainWindowFixture {
protected:
  void Make() {
    TMainFormOptions Options;
    Options.SettingsPath = SettingsPath;
    Form = new TMainForm1(&App, Options);
    Form->AfterConstruction();
    Form->HistoryComboBox1->SetSaveMode(hsManual);
    Form->HistoryComboBox1->Items()->Clear();
    Form->Show();
    Pump();
  }
  TNativeWindow Native() const { return System.NativeWindowOf(Form->Handle()); }
  void PressSummonKey() {
    Display.PressHotKey(mkControl | mkAlt, VK_SPACE);
    Pump();
  }
  bool KeywordBoxFocused() const {
    return GetFocus() == Form->HistoryComboBox1->EditControl()->Handle();
  }
};

TEST_F(MainWindowSummonTest, TheKeyBringsTheKeywordBoxFromAnotherProgramAndGoesBack) {
  WriteFileBytes(SettingsPath, "[SET]\r\nSITE3=1\r\n");
  Make();
  EXPECT_EQ(Display.HotKeys(),
            (std::vector<std::pair<unsigned, int>>{{mkControl | mkAlt, VK_SPACE}}));
  Form->HistoryComboBox1->SetText("old");
  // Another program has the keyboard.
  Display.FocusOut(Native());
  Pump();
  ASSERT_EQ(GetActiveWindow(), nullptr);

  PressSummonKey();
  EXPECT_EQ(GetActiveWindow(), Form->Handle());
  EXPECT_EQ(Display.FocusedWindow(), Native());
  EXPECT_TRUE(KeywordBoxFocused());
  EXPECT_EQ(Form->HistoryComboBox1->SelLength(), 3);
  Display.TypeText("new");
  Key(VK_RETURN);
  EXPECT_EQ(Shell.Addresses(), (std::vector<std::string>{SearchAddress(3, "new")}));

  // Pressed again while the keyword box has the focus: back to the other
  // program.
  PressSummonKey();
  EXPECT_EQ(Display.FocusReturns(), 1);
  EXPECT_EQ(GetActiveWindow(), nullptr);
  PressSummonKey();
  EXPECT_TRUE(KeywordBoxFocused());
}

TEST_F(MainWindowSummonTest, ThePressWithAnotherControlFocusedMovesToTheKeywordBox) {
  Make();
  Form->ComboBox1->SetFocus();
  Pump();
  PressSummonKey();
  EXPECT_TRUE(KeywordBoxFocused());
  EXPECT_EQ(Display.FocusReturns(), 0);
}

TEST_F(MainWindowSummonTest, AKeyAnotherProgramHoldsIsToldOnceAtTheKeywordBox) {
  Display.TakeHotKey(mkShift, VK_F1 + 11);
  const std::string File = "[HotKey]\r\nKey=Shift+F12\r\n[Mine]\r\na=1\r\n";
  WriteFileBytes(SettingsPath, File);
  Make();
  EXPECT_TRUE(Display.HotKeys().empty());
  const std::string Notice = Form->StartupNotice();
  EXPECT_NE(Notice.find("Shift+F12"), std::string::npos) << Notice;
  // The hint lies just below the keyword box.
  HWND Hint = nullptr;
  for (HWND W = GetTopWindow(nullptr); W; W = GetWindow(W, GW_HWNDNEXT))
    if (W != Form->Handle() && IsWindowVisible(W)) Hint = W;
  ASSERT_NE(Hint, nullptr);
  TRect HintRect, BoxRect;
  GetWindowRect(Hint, HintRect);
  GetWindowRect(Form->HistoryComboBox1->Handle(), BoxRect);
  EXPECT_EQ(HintRect.Left, BoxRect.Left);
  EXPECT_EQ(HintRect.Top, BoxRect.Bottom + 2);
  Wait(15000);
  EXPECT_FALSE(IsWindowVisible(Hint));

  SendMessage(Form->Handle(), WM_CLOSE, 0, 0);
  Pump();
  const std::string After = ReadFileBytes(SettingsPath);
  EXPECT_EQ(After.find("[HotKey]\r\nKey=Shift+F12\r\nHintShownFor=Shift+F12\r\n[Mine]\r\na=1\r\n"),
            0u)
      << After;
}

TEST_F(MainWindowSummonTest, TheSecondStartWithTheSameValueSaysNothing) {
  Display.TakeHotKey(mkShift, VK_F1 + 11);
  WriteFileBytes(SettingsPath, "[HotKey]\r\nKey=Shift+F12\r\nHintShownFor=Shift+F12\r\n");
  Make();
  EXPECT_EQ(Form->StartupNotice(), "");
}

TEST_F(MainWindowSummonTest, NoneRegistersNothing) {
  WriteFileBytes(SettingsPath, "[HotKey]\r\nKey=none\r\n");
  Make();
  EXPECT_TRUE(Display.HotKeys().empty());
  EXPECT_EQ(Form->StartupNotice(), "");
}

TEST_F(MainWindowSummonTest, TwoReplacedSlotsTickedSearchTheirAddressesInSlotOrder) {
  WriteFileBytes(SettingsPath,
                 "[SET]\r\nSITE2=1\r\nSITE7=1\r\n[Sites]\r\nName7=Code\r\n"
                 "URL7=https://code.example/search?q=%s&t=1\r\nName2=Dict\r\n"
                 "URL2=http://dict.example/%s\r\nName4=Bad\r\nURL4=javascript:x(%s)\r\n");
  Make();
  EXPECT_EQ(Form->ComboBox1->Items()->Strings(2), "Dict");
  EXPECT_EQ(Form->ComboBox1->Items()->Strings(7), "Code");
  EXPECT_EQ(Form->ComboBox1->Items()->Strings(4), "twitter");
  EXPECT_NE(Form->StartupNotice().find("URL4"), std::string::npos);
  ClickAt(Form->HistoryComboBox1, 10, 10);
  Display.TypeText("q x");
  Key(VK_RETURN);
  EXPECT_EQ(Shell.Addresses(), (std::vector<std::string>{"http://dict.example/q x",
                                                         "https://code.example/search?q=q x&t=1"}));
}

TEST_F(MainWindowSummonTest, ALongNameIsCutToThePickerWithAnEllipsis) {
  WriteFileBytes(SettingsPath,
                 "[Sites]\r\nName1=A dictionary name far too long for the picker to show\r\n");
  Make();
  const std::string Shown = Form->ComboBox1->Items()->Strings(1);
  ASSERT_GT(Shown.size(), 3u);
  EXPECT_EQ(Shown.substr(Shown.size() - 3), "...");
  EXPECT_EQ(
      std::string("A dictionary name far too long").rfind(Shown.substr(0, Shown.size() - 3), 0),
      0u);
  Form->ComboBox1->Canvas()->SetFont(Form->ComboBox1->Font());
  EXPECT_LE(Form->ComboBox1->Canvas()->TextWidth(Shown), Form->ComboBox1->EditRect().Width() - 4);
}

}  // namespace

#endif
