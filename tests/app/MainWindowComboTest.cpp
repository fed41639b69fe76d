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

}  // namespace

#endif
