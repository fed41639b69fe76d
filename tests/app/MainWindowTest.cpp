// The main window on the headless screen: what its layout sets, the search
// and the empty-keyword message, Enter in the keyword box, the menu
// commands, and the settings read at creation and written at every close.

#include <gtest/gtest.h>

#include "MainWindowTestSupport.h"
#include "framework/forms/HintWindow.h"
#include "platform/ScratchFiles.h"
#include "platform/files/Path.h"
#include "platform/gdi/SysColors.h"

using namespace apptest;

namespace {

class MainWindowTest : public MainWindowFixture {};

// ---- the layout ------------------------------------------------------------

TEST_F(MainWindowTest, TheWindowAsLaidOut) {
  Create();
  EXPECT_EQ(Form->Caption(), "Scoutlane' 2010");
  EXPECT_EQ(Form->BorderStyle(), bsToolWindow);
  EXPECT_EQ(Form->FormStyle(), fsStayOnTop);
  EXPECT_EQ(Form->Color(), clBtnFace);
  EXPECT_EQ(Form->Font()->Height(), -12);
  EXPECT_EQ(Form->Font()->Name(), "ＭＳ Ｐゴシック");
  EXPECT_EQ(Form->Font()->Color(), clWindowText);
  EXPECT_EQ(Form->ClientWidth(), 500);
  EXPECT_EQ(Form->ClientHeight(), 35);
  const auto* Native = NativeOf(Form);
  ASSERT_NE(Native, nullptr);
  EXPECT_EQ(Native->Params.ScreenRect, (TRect{20, 20, 520, 55}));
  EXPECT_TRUE(Native->Params.ToolWindow);
  EXPECT_TRUE(Native->Params.Topmost);
  EXPECT_FALSE(Native->Params.Resizable);
}

struct TBoundsCase {
  const char* Name;
  TRect Bounds;  // left, top, right, bottom
};
void PrintTo(const TBoundsCase& Case, std::ostream* Out) { *Out << Case.Name; }

class MainWindowBoundsTest : public MainWindowFixture,
                             public testing::WithParamInterface<TBoundsCase> {};

TEST_P(MainWindowBoundsTest, ControlSitsWhereTheLayoutPutsIt) {
  Create();
  auto* Control = dynamic_cast<TControl*>(Form->FindComponent(GetParam().Name));
  ASSERT_NE(Control, nullptr);
  EXPECT_EQ(Control->BoundsRect(), GetParam().Bounds);
  EXPECT_EQ(Control->Parent(), Form);
}

INSTANTIATE_TEST_SUITE_P(Controls, MainWindowBoundsTest,
                         testing::Values(TBoundsCase{"GradBox1", {0, 0, 500, 35}},
                                         TBoundsCase{"Label1", {8, 12, 63, 24}},
                                         TBoundsCase{"Label2", {233, 12, 283, 24}},
                                         TBoundsCase{"Button1", {452, 8, 492, 28}}),
                         [](const testing::TestParamInfo<TBoundsCase>& Info) {
                           return Info.param.Name;
                         });

TEST_F(MainWindowTest, PanelLabelsAndButtonAsLaidOut) {
  Create();
  EXPECT_EQ(Form->GradBox1->TopColor(), clWhite);
  EXPECT_EQ(Form->GradBox1->LastColor(), TColor(16744448));
  EXPECT_EQ(Form->GradBox1->OutLineColor(), clBlue);
  EXPECT_TRUE(Form->GradBox1->DrawOutLine());
  EXPECT_FALSE(Form->GradBox1->Font3D());
  EXPECT_EQ(Form->GradBox1->Caption(), "");
  for (TLabel* Label : {Form->Label1, Form->Label2}) {
    EXPECT_EQ(Label->Alignment(), taRightJustify);
    EXPECT_TRUE(Label->Transparent());
    EXPECT_EQ(Label->Font()->Color(), clWhite);
    EXPECT_EQ(Label->Font()->Height(), -12);
  }
  EXPECT_EQ(Form->Label1->Caption(), "検索ｻｲﾄ ：");
  EXPECT_EQ(Form->Label2->Caption(), "ｷｰﾜｰﾄﾞ ：");
  TSpeedButton* B = Form->Button1;
  EXPECT_EQ(B->Caption(), "検索");
  EXPECT_TRUE(B->Flat());
  EXPECT_EQ(B->Font()->Color(), clWhite);
  EXPECT_EQ(B->Font()->Style(), TFontStyles(fsUnderline));
  EXPECT_EQ(B->Cursor(), crHandPoint);
  EXPECT_EQ(B->Hint(), "検索の実行");
  EXPECT_TRUE(B->ShowHint());
  EXPECT_EQ(B->BiDiMode(), bdLeftToRight);
  for (TControl* C :
       std::initializer_list<TControl*>{Form->GradBox1, Form->Label1, Form->Label2, B})
    EXPECT_EQ(C->PopupMenu(), Form->PopupMenu1) << C->Name();
}

TEST_F(MainWindowTest, MenuItemsTopToBottom) {
  Create();
  TMenuItem* Root = Form->PopupMenu1->Items();
  const std::vector<TMenuItem*> Expected{Form->N8, Form->N4,  Form->N5,
                                         Form->N6, Form->N10, Form->N7};
  ASSERT_EQ(Root->Count(), 6);
  for (int I = 0; I < 6; ++I) EXPECT_EQ(Root->Items(I), Expected[I]) << I;
  EXPECT_EQ(Form->N8->Caption(), "検索履歴を削除する(&D)");
  EXPECT_EQ(Form->N4->Caption(), "常に手前に表示(&S)");
  EXPECT_TRUE(Form->N5->IsLine());
  EXPECT_EQ(Form->N6->Caption(), "インフォメーション(&I)...");
  EXPECT_TRUE(Form->N10->IsLine());
  EXPECT_EQ(Form->N7->Caption(), "終了する(&X)");
  EXPECT_TRUE(Form->N4->Checked());
  EXPECT_FALSE(Form->N4->AutoCheck());
}

TEST_F(MainWindowTest, TheButtonShowsItsHintWhenThePointerRests) {
  THintWindow* Hint = InstallHintWindow(App);
  Create();
  MoveTo(Form->Button1, 10, 10);
  Wait(App.HintPause() + 50);
  EXPECT_TRUE(App.HintShowing());
  EXPECT_EQ(App.HintControl(), Form->Button1);
  EXPECT_EQ(Hint->Text(), "検索の実行");
}

TEST_F(MainWindowTest, TheLabelsAndBackgroundShowNoHint) {
  InstallHintWindow(App);
  Create();
  for (TControl* C : std::initializer_list<TControl*>{Form->Label1, Form->GradBox1}) {
    MoveTo(C, 2, 2);
    Wait(App.HintPause() + 50);
    EXPECT_FALSE(App.HintShowing()) << C->Name();
  }
}

// ---- settings at creation --------------------------------------------------------

TEST_F(MainWindowTest, FirstStartWithoutAFileUsesTheLayoutValues) {
  Create();
  EXPECT_TRUE(Form->N4->Checked());
  EXPECT_EQ(Form->FormStyle(), fsStayOnTop);
  EXPECT_EQ(Sites.Index, -1);
  for (bool Ticked : Sites.Ticks) EXPECT_FALSE(Ticked);
}

TEST_F(MainWindowTest, SavedSettingsAreAppliedBeforeTheWindowShows) {
  WriteFileBytes(SettingsPath, "[SET]\r\nFRON=0\r\nREF=0x3\r\nSITE3=2\r\nSITE4=yes\r\nSITE9=1\r\n");
  Create();
  EXPECT_FALSE(Form->N4->Checked());
  EXPECT_EQ(Form->FormStyle(), fsNormal);
  EXPECT_FALSE(NativeOf(Form)->Params.Topmost);
  EXPECT_EQ(Sites.Index, 3);
  const std::array<bool, 10> Ticks{false, false, false, true,  false,
                                   false, false, false, false, true};
  EXPECT_EQ(Sites.Ticks, Ticks);
}

// ---- closing ------------------------------------------------------------------

constexpr const char* kFirstCloseFile =
    "[SET]\r\nFRON=1\r\nREF=-1\r\nSITE0=0\r\nSITE1=0\r\nSITE2=0\r\nSITE3=0\r\nSITE4=0\r\n"
    "SITE5=0\r\nSITE6=0\r\nSITE7=0\r\nSITE8=0\r\nSITE9=0\r\n"
    "[HotKey]\r\nKey=Ctrl+Alt+Space\r\n";

TEST_F(MainWindowTest, TheFirstCloseWritesTheWholeSection) {
  Create();
  Form->N7Click(Form->N7);
  Pump();
  EXPECT_EQ(ReadFileBytes(SettingsPath), kFirstCloseFile);
}

TEST_F(MainWindowTest, CloseButtonAndExitCommandWriteTheSameSettings) {
  std::string ByMenu, ByButton;
  for (std::string* Out : {&ByMenu, &ByButton}) {
    std::remove(SettingsPath.c_str());
    Create();
    Sites.Index = 2;
    Sites.Ticks = {};
    Sites.Ticks[5] = true;
    Form->N4Click(Form->N4);
    if (Out == &ByMenu)
      Form->N7Click(Form->N7);
    else
      SendMessage(Form->Handle(), WM_CLOSE, 0, 0);
    Pump();
    *Out = ReadFileBytes(SettingsPath);
    delete Form;
    Form = nullptr;
  }
  EXPECT_EQ(ByMenu, ByButton);
  EXPECT_NE(ByMenu.find("FRON=0\r\nREF=2\r\n"), std::string::npos) << ByMenu;
  EXPECT_NE(ByMenu.find("SITE5=1\r\n"), std::string::npos) << ByMenu;
}

TEST_F(MainWindowTest, ARefusedWriteKeepsTheWindowOpenAndALaterCloseRetries) {
  WriteFileBytes(SettingsPath, "[History]\r\nHistoryCount=0\r\n");
  ASSERT_TRUE(testfiles::SetReadOnly(SettingsPath, true));
  Create();
  Sites.Ticks[1] = true;
  SendMessage(Form->Handle(), WM_CLOSE, 0, 0);
  Pump();
  ASSERT_EQ(Errors.size(), 1u);
  EXPECT_EQ(Errors[0], SettingsPath + " に書き込めません.");
  EXPECT_EQ(ErrorCaptions[0], "Scoutlane' 2010");
  EXPECT_TRUE(IsWindowVisible(Form->Handle()));
  EXPECT_EQ(ReadFileBytes(SettingsPath), "[History]\r\nHistoryCount=0\r\n");

  // The exit command, chosen in the menu by its access key, meets the same
  // refusal the same way.
  bool Chosen = false;
  OnIdle(Form->Handle(), [this, &Chosen](WPARAM Kind, HWND) {
    if (Kind != kIdleMenu || Chosen) return;
    Chosen = true;
    Display.TypeText("x");
  });
  ClickAt(Form->GradBox1, 2, 2, mbRight);
  EXPECT_EQ(Errors.size(), 2u);
  EXPECT_TRUE(IsWindowVisible(Form->Handle()));

  ASSERT_TRUE(testfiles::SetReadOnly(SettingsPath, false));
  SendMessage(Form->Handle(), WM_CLOSE, 0, 0);
  Pump();
  EXPECT_EQ(Errors.size(), 2u);
  EXPECT_FALSE(IsWindowVisible(Form->Handle()));
  const std::string Text = ReadFileBytes(SettingsPath);
  EXPECT_EQ(Text.rfind("[History]\r\nHistoryCount=0\r\n", 0), 0u) << Text;
  EXPECT_NE(Text.find("SITE1=1\r\n"), std::string::npos) << Text;
}

// ---- the search -----------------------------------------------------------------

TEST_F(MainWindowTest, ButtonClickSearchesTheTickedSitesWithTheWindowAsOwner) {
  Create();
  Keyword.Typed = "abc";
  Sites.Ticks[0] = Sites.Ticks[3] = true;
  ClickAt(Form->Button1, 20, 10);
  EXPECT_EQ(Shell.Addresses(),
            (std::vector<std::string>{SearchAddress(0, "abc"), SearchAddress(3, "abc")}));
  EXPECT_EQ(Keyword.History, std::vector<std::string>{"abc"});
  EXPECT_TRUE(Display.Beeps().empty());
}

struct TMessagePointCase {
  const char* Name;
  TPoint FormAt;  // where the window's client area is moved first
  bool CentreX, CentreY;
};
void PrintTo(const TMessagePointCase& Case, std::ostream* Out) { *Out << Case.Name; }

class EmptyKeywordTest : public MainWindowFixture,
                         public testing::WithParamInterface<TMessagePointCase> {};

TEST_P(EmptyKeywordTest, BeepsAndShowsTheMessageAboveLeftOfTheButton) {
  Create();
  Form->SetBounds(GetParam().FormAt.X, GetParam().FormAt.Y, Form->Width(), Form->Height());
  Pump();
  RecordBoxes();
  Sites.Ticks.fill(true);
  Sites.Index = 0;
  ClickAt(Form->Button1, 20, 10);

  EXPECT_EQ(Display.Beeps(), std::vector<unsigned>{MB_OK});
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_EQ(Boxes[0].Caption, "Scoutlane' 2010");
  EXPECT_EQ(Boxes[0].Text, "キーワードを入力してください。");
  const TPoint Point = Form->Button1->ClientToScreen(TPoint{-24, -64});
  const TRect& R = Boxes[0].Rect;
  const TPoint Centred = MessageBoxPosition(-1, -1, R.Width(), R.Height(), 1024, 768);
  EXPECT_EQ(R.Left, GetParam().CentreX ? Centred.X : Point.X);
  EXPECT_EQ(R.Top, GetParam().CentreY ? Centred.Y : Point.Y);
  EXPECT_TRUE(Shell.Requests().empty());
  EXPECT_TRUE(Log.empty());  // nothing recorded in the history
}

// The button's client origin is the window's client origin plus (452, 8).
INSTANTIATE_TEST_SUITE_P(
    Places, EmptyKeywordTest,
    testing::Values(TMessagePointCase{"AtTheStartPositionAboveTheScreen", {20, 20}, false, true},
                    TMessagePointCase{"BothAxesOnTheScreen", {100, 300}, false, false},
                    TMessagePointCase{"LeftOfTheScreen", {-440, 300}, true, false},
                    TMessagePointCase{"BothNegative", {-440, 10}, true, true}),
    [](const testing::TestParamInfo<TMessagePointCase>& Info) { return Info.param.Name; });

// At 200 % the bar and the message's distance from the button double: the
// button's client origin is the window's plus (904, 16), the box 48 left
// and 128 above it.
TEST_F(MainWindowTest, EmptyKeywordMessageKeepsItsPlaceAtTwiceTheScale) {
  Display.SetPixelsPerInch(192);
  Pump();
  Create();
  EXPECT_EQ(Form->ClientWidth(), 1000);
  EXPECT_EQ(Form->ClientHeight(), 70);
  Form->SetBounds(10, 300, Form->Width(), Form->Height());
  Pump();
  RecordBoxes();
  Sites.Ticks.fill(true);
  ClickAt(Form->Button1, 40, 20);
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_EQ(Boxes[0].Rect.Left, 10 + 904 - 48);
  EXPECT_EQ(Boxes[0].Rect.Top, 300 + 16 - 128);
}

TEST_F(MainWindowTest, EnterWithAKeywordIsConsumedAndSearches) {
  Create();
  Keyword.Typed = "k";
  Sites.Index = 9;
  char Key = '\r';
  Form->HistoryComboBox1KeyPress(nullptr, Key);
  EXPECT_EQ(Key, 0);
  EXPECT_EQ(Shell.Addresses(), std::vector<std::string>{SearchAddress(9, "k")});
}

TEST_F(MainWindowTest, EnterInAnEmptyBoxAndOtherKeysPassOnUntouched) {
  Create();
  RecordBoxes();
  char Key = '\r';
  Form->HistoryComboBox1KeyPress(nullptr, Key);
  EXPECT_EQ(Key, '\r');
  Keyword.Typed = "k";
  Key = 'a';
  Form->HistoryComboBox1KeyPress(nullptr, Key);
  EXPECT_EQ(Key, 'a');
  EXPECT_TRUE(Display.Beeps().empty());
  EXPECT_TRUE(Boxes.empty());
  EXPECT_TRUE(Log.empty());
  EXPECT_TRUE(Shell.Requests().empty());
}

// ---- menu commands -----------------------------------------------------------------

TEST_F(MainWindowTest, AlwaysOnTopSwitchesTheWindowAndTheCheckTogether) {
  Create();
  Form->N4->Click();
  Pump();
  EXPECT_FALSE(Form->N4->Checked());
  EXPECT_EQ(Form->FormStyle(), fsNormal);
  EXPECT_FALSE(NativeOf(Form)->Params.Topmost);
  Form->N4->Click();
  Pump();
  EXPECT_TRUE(Form->N4->Checked());
  EXPECT_EQ(Form->FormStyle(), fsStayOnTop);
  EXPECT_TRUE(NativeOf(Form)->Params.Topmost);
}

TEST_F(MainWindowTest, InformationOpensThePageNamedAfterTheExecutable) {
  Create();
  Form->N6->Click();
  EXPECT_EQ(Shell.Addresses(), std::vector<std::string>{std::string(kInformationBase) +
                                                        "/info.php?pf=w&sn=app_tests"});
}

TEST(InformationPageAddress, TheFileNameWithoutDirectoryOrExtensionUnencoded) {
  const std::string Head = std::string(kInformationBase) + "/info.php?pf=w&sn=";
  EXPECT_EQ(InformationPageAddress("/opt/x/Search Bar.exe"), Head + "Search Bar");
  EXPECT_EQ(InformationPageAddress("/usr/bin/Scoutlane"), Head + "Scoutlane");
  EXPECT_EQ(InformationPageAddress("/a.b/c"), Head + "c");
  EXPECT_EQ(std::string(kInformationBase).rfind("http://", 0), 0u);
}

TEST_F(MainWindowTest, DeleteHistoryEmptiesTheHistoryAtOnce) {
  Create();
  Keyword.History = {"old", "older"};
  Keyword.Typed = "typed";
  Form->N8->Click();
  EXPECT_EQ(Log, TLog{"clear history"});
  EXPECT_TRUE(Keyword.History.empty());
  EXPECT_EQ(Keyword.Typed, "typed");
}

class RightClickTest : public MainWindowFixture, public testing::WithParamInterface<const char*> {};

TEST_P(RightClickTest, OpensTheWindowsMenu) {
  Create();
  int Menus = 0;
  OnIdle(Form->Handle(), [&](WPARAM Kind, HWND) {
    if (Kind != kIdleMenu || Menus++ > 0) return;
    Display.KeyPress(VK_ESCAPE);
  });
  auto* Control = dynamic_cast<TControl*>(Form->FindComponent(GetParam()));
  ASSERT_NE(Control, nullptr);
  // A point of the control that no other control covers.
  const TPoint At = Control == Form->GradBox1 ? TPoint{2, 2} : TPoint{1, 1};
  ClickAt(Control, At.X, At.Y, mbRight);
  EXPECT_GE(Menus, 1);
  EXPECT_TRUE(IsWindowVisible(Form->Handle()));
}

INSTANTIATE_TEST_SUITE_P(Controls, RightClickTest,
                         testing::Values("GradBox1", "Label1", "Label2", "Button1"));

}  // namespace
