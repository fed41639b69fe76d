// TPopupMenu and TMenuItem on a form: read from a layout, opened by a right
// click on a control, chosen with the mouse and the keys, OnClick after the
// menu has gone, and the item tree.

#include <gtest/gtest.h>

#include <sstream>

#include "framework/forms/ModalLoop.h"
#include "framework/stdctrls/StdCtrlsTestSupport.h"
#include "framework/streaming/StreamingWriter.h"
#include "platform/PixelAssert.h"

using namespace stocktest;

namespace {

constexpr const char* kLayout =
    u8R"(
object Form1: TStockForm
  Left = 20
  Top = 20
  ClientWidth = 500
  ClientHeight = 35
  BorderStyle = bsNone
  Color = clNavy
  object Label1: TLabel
    Left = 8
    Top = 12
    Width = 55
    Height = 12
    Alignment = taRightJustify
    Caption = '検索ｻｲﾄ ：'
    Font.Color = clWhite
    ParentFont = False
    PopupMenu = PopupMenu1
    Transparent = True
  end
  object Button1: TSpeedButton
    Left = 452
    Top = 8
    Width = 40
    Height = 20
    Caption = '検索'
    Flat = True
    PopupMenu = PopupMenu1
    OnClick = Button1Click
  end
  object Plain: TLabel
    Left = 300
    Top = 12
    Caption = 'no menu'
  end
  object PopupMenu1: TPopupMenu
    object N8: TMenuItem
      Caption = '検索履歴を削除する(&D)'
      OnClick = N8Click
    end
    object N4: TMenuItem
      Caption = '常に手前に表示(&S)'
      Checked = True
      OnClick = N4Click
    end
    object N5: TMenuItem
      Caption = '-'
    end
    object N6: TMenuItem
      Caption = 'インフォメーション(&I)...'
    end
    object N10: TMenuItem
      Caption = '-'
    end
    object N7: TMenuItem
      Caption = '終了する(&X)'
      OnClick = N7Click
    end
  end
end
)";

class PopupMenuTest : public THeadlessFixture {
protected:
  void SetUp() override {
    RegisterStockTestClasses();
    Form = MakeForm<TStockForm>();
    Form->ReadLayoutText(kLayout);
    Form->AfterConstruction();
    Form->BindComponent(Label1, "Label1");
    Form->BindComponent(Button1, "Button1");
    Form->BindComponent(Plain, "Plain");
    Form->BindComponent(Menu, "PopupMenu1");
    Form->BindComponent(N4, "N4");
    Form->BindComponent(N7, "N7");
    Form->Show();
    Pump();
    HookIdle(Form->Handle(), [this](WPARAM Kind, HWND Window) {
      if (Kind != kIdleMenu) return;
      MenuWindow = Window;
      if (Step < Idle.size()) Idle[Step++]();
    });
  }
  // The screen point of a row's middle in the open menu (item rows are 19
  // pixels high, separators 9, inside a 3-pixel frame).
  TPoint RowPoint(int Row) const {
    TRect W;
    GetWindowRect(MenuWindow, W);
    const std::vector<TMenuRow> Rows = Menu->Rows();
    int Top = 3;
    for (int I = 0; I < Row; ++I) Top += Rows[I].Separator ? 9 : 19;
    return TPoint{W.Left + 30, W.Top + Top + 9};
  }

  TStockForm* Form = nullptr;
  TLabel* Label1 = nullptr;
  TSpeedButton* Button1 = nullptr;
  TLabel* Plain = nullptr;
  TPopupMenu* Menu = nullptr;
  TMenuItem* N4 = nullptr;
  TMenuItem* N7 = nullptr;
  HWND MenuWindow = nullptr;
  std::vector<std::function<void()>> Idle;
  std::size_t Step = 0;
};

TEST_F(PopupMenuTest, ItemsNestInTheMenuInLayoutOrder) {
  ASSERT_EQ(Menu->Items()->Count(), 6);
  EXPECT_EQ(Menu->Items()->Items(1), N4);
  EXPECT_EQ(N4->Parent(), Menu->Items());
  EXPECT_EQ(N4->GetParentMenu(), Menu);
  EXPECT_EQ(N4->GetParentComponent(), Menu);
  EXPECT_TRUE(N4->Checked());
  EXPECT_TRUE(Menu->Items()->Items(2)->IsLine());
  EXPECT_EQ(N7->MenuIndex(), 5);
  const std::vector<TMenuRow> Rows = Menu->Rows();
  ASSERT_EQ(Rows.size(), 6u);
  EXPECT_TRUE(Rows[1].Checked);
  EXPECT_TRUE(Rows[4].Separator);
  EXPECT_EQ(Rows[5].Caption, "終了する(&X)");
}

TEST_F(PopupMenuTest, RightClickOnALabelOpensTheMenuAtThePointer) {
  const TPoint At = Label1->ClientToScreen(TPoint{20, 5});
  Idle = {[&] {
    TRect W;
    ASSERT_TRUE(GetWindowRect(MenuWindow, W));
    EXPECT_EQ(W.Left, At.X);
    EXPECT_EQ(W.Top, At.Y);
    EXPECT_EQ(W.Height(), 100);
    EXPECT_EQ(Menu->PopupComponent(), Label1);
    // The check mark of N4 at (5, 6) of its row: the mark's corner pixel.
    const TSurface& S = *System.BackBufferOf(MenuWindow);
    EXPECT_EQ(S.Row(22 + 6 + 2)[3 + 5], PixelOf(clMenuText));
    EXPECT_EQ(S.Row(3 + 6 + 2)[3 + 5], PixelOf(clMenu)) << "N8 is not checked";
    Display.KeyPress(VK_ESCAPE);
  }};
  ClickAt(Label1, 20, 5, mbRight);
  EXPECT_EQ(Step, 1u);
  EXPECT_FALSE(IsWindow(MenuWindow));
  EXPECT_TRUE(Form->Clicks.empty());
}

TEST_F(PopupMenuTest, ChosenItemClicksAfterTheMenuHasClosed) {
  bool MenuGoneAtClick = false;
  N7->OnClick = [&](TObject* Sender) {
    MenuGoneAtClick = !IsWindow(MenuWindow);
    EXPECT_EQ(Sender, N7);
  };
  Idle = {[&] { Display.ClickAt(RowPoint(5).X, RowPoint(5).Y); }};
  ClickAt(Button1, 10, 10, mbRight);
  EXPECT_TRUE(MenuGoneAtClick);
  EXPECT_TRUE(Form->Clicks.empty()) << "the right click did not click the button";
}

TEST_F(PopupMenuTest, KeyboardSkipsSeparatorsAndEnterChooses) {
  Idle = {[&] {
    // N8, N4, (separator), N6: three steps down reach N6, not the line.
    Display.KeyPress(VK_DOWN);
    Display.KeyPress(VK_DOWN);
    Display.KeyPress(VK_DOWN);
    Display.KeyPress(VK_DOWN);  // N7
    Display.KeyPress(VK_RETURN);
  }};
  ClickAt(Label1, 10, 5, mbRight);
  EXPECT_EQ(Form->Clicks, std::vector<std::string>{"N7Click"});
}

TEST_F(PopupMenuTest, AccessKeyChooses) {
  Idle = {[&] { Display.TypeText("s"); }};
  ClickAt(Label1, 10, 5, mbRight);
  EXPECT_EQ(Form->Clicks, std::vector<std::string>{"N4Click"});
  EXPECT_TRUE(N4->Checked()) << "the handler decides the check, not the menu";
}

TEST_F(PopupMenuTest, ClickOutsideClosesWithoutChoosingAndIsConsumed) {
  Idle = {[&] {
    const TPoint P = Button1->ClientToScreen(TPoint{10, 10});
    Display.ClickAt(P.X, P.Y);
  }};
  ClickAt(Label1, 10, 5, mbRight);
  EXPECT_EQ(Step, 1u);
  EXPECT_FALSE(IsWindow(MenuWindow));
  EXPECT_TRUE(Form->Clicks.empty()) << "the click that closed the menu reached the button";
  EXPECT_EQ(Button1->State(), bsUp);
  ClickAt(Button1, 10, 10);
  EXPECT_EQ(Form->Clicks, std::vector<std::string>{"Button1Click"});
}

TEST_F(PopupMenuTest, ControlWithoutAMenuOnAFormWithoutOneOpensNothing) {
  Idle = {[&] { ADD_FAILURE() << "a menu opened"; }};
  ClickAt(Plain, 5, 5, mbRight);
  EXPECT_EQ(Step, 0u);
}

TEST_F(PopupMenuTest, HiddenItemsAreNotShownAndDisabledOnesNotClicked) {
  Menu->Items()->Items(0)->SetVisible(false);
  N7->SetEnabled(false);
  Idle = {[&] {
            TRect W;
            GetWindowRect(MenuWindow, W);
            EXPECT_EQ(W.Height(), 100 - 19);
            // N7 is now row 4.
            Display.ClickAt(RowPoint(4).X, RowPoint(4).Y);
            PostMessage(Form->Handle(), WM_NULL, 0, 0);
          },
          [&] {
            EXPECT_TRUE(IsWindow(MenuWindow));
            Display.KeyPress(VK_ESCAPE);
          }};
  ClickAt(Label1, 10, 5, mbRight);
  EXPECT_EQ(Step, 2u);
  EXPECT_TRUE(Form->Clicks.empty());
  N7->Click();
  EXPECT_TRUE(Form->Clicks.empty()) << "a disabled item does not click";
}

TEST_F(PopupMenuTest, PopupNearTheScreenCornerStaysOnTheScreen) {
  Idle = {[&] {
    TRect W;
    GetWindowRect(MenuWindow, W);
    EXPECT_EQ(W.Right, 1020);
    EXPECT_EQ(W.Bottom, 760);
    Display.KeyPress(VK_ESCAPE);
  }};
  Menu->SetPopupComponent(Label1);
  Menu->Popup(1020, 760);
  EXPECT_EQ(Step, 1u);
}

TEST_F(PopupMenuTest, OnPopupRunsBeforeTheMenuShows) {
  std::vector<std::string> Order;
  Menu->OnPopup = [&](TObject*) {
    Order.push_back("OnPopup");
    N4->SetChecked(false);
  };
  Idle = {[&] {
    Order.push_back("shown");
    EXPECT_EQ(System.BackBufferOf(MenuWindow)->Row(22 + 6 + 2)[3 + 5], PixelOf(clMenu));
    Display.KeyPress(VK_ESCAPE);
  }};
  ClickAt(Label1, 10, 5, mbRight);
  EXPECT_EQ(Order, (std::vector<std::string>{"OnPopup", "shown"}));
}

TEST_F(PopupMenuTest, AnErrorInTheItemHandlerReachesTheErrorBox) {
  N7->OnClick = [](TObject*) { throw Exception("終了できません"); };
  Idle = {[&] { Display.TypeText("x"); }};
  ClickAt(Label1, 10, 5, mbRight);
  EXPECT_EQ(Errors, std::vector<std::string>{"終了できません."});
}

TEST_F(PopupMenuTest, FormReleasedWhileTheMenuIsUpEndsItWithoutAChoice) {
  bool Clicked = false;
  N7->OnClick = [&](TObject*) { Clicked = true; };
  Idle = {[&] {
    Form->Release();
    Display.TypeText("x");  // would choose N7 if the menu were still up
  }};
  Menu->SetPopupComponent(Label1);
  Menu->Popup(100, 100);
  EXPECT_EQ(Step, 1u);
  EXPECT_FALSE(IsWindow(MenuWindow));
  EXPECT_FALSE(Clicked);
}

// The stock controls' property tables: what the writer leaves out (the
// defaults), what it writes, and that the written layout reads back alike.
TEST_F(PopupMenuTest, LayoutWrittenAndReadBack) {
  const std::string Text = WriteComponentLayout(*Form);
  for (const char* Line :
       {"object PopupMenu1: TPopupMenu", "    object N4: TMenuItem", "      Checked = True",
        "      OnClick = N4Click", "    Alignment = taRightJustify", "    Transparent = True",
        "    Flat = True", "    PopupMenu = PopupMenu1", "    OnClick = Button1Click"})
    EXPECT_NE(Text.find(Line), std::string::npos) << Line << " missing from\n" << Text;
  // Defaults of the controls and items (indented by four or more) stay out.
  std::istringstream Lines(Text);
  for (std::string Line; std::getline(Lines, Line);) {
    if (Line.rfind("    ", 0) != 0) continue;
    for (const char* Name : {"AutoSize =", "AllowAllUp =", "GroupIndex =", "Enabled =", "Visible =",
                             "ShowAccelChar =", "Layout =", "WordWrap =", "Down ="})
      EXPECT_EQ(Line.find(Name), std::string::npos) << Line;
  }

  auto* Copy = MakeForm<TStockForm>();
  // Two forms of the application cannot share a name.
  std::string Renamed = Text;
  Renamed.replace(Renamed.find("Form1"), 5, "Form2");
  Copy->ReadLayoutText(Renamed);
  TLabel* CopyLabel = nullptr;
  TSpeedButton* CopyButton = nullptr;
  TPopupMenu* CopyMenu = nullptr;
  Copy->BindComponent(CopyLabel, "Label1");
  Copy->BindComponent(CopyButton, "Button1");
  Copy->BindComponent(CopyMenu, "PopupMenu1");
  EXPECT_EQ(CopyLabel->Alignment(), taRightJustify);
  EXPECT_TRUE(CopyLabel->Transparent());
  EXPECT_EQ(CopyLabel->Font()->Color(), clWhite);
  EXPECT_EQ(CopyLabel->PopupMenu(), CopyMenu);
  EXPECT_TRUE(CopyButton->Flat());
  ASSERT_EQ(CopyMenu->Items()->Count(), 6);
  EXPECT_TRUE(CopyMenu->Items()->Items(1)->Checked());
  EXPECT_EQ(WriteComponentLayout(*Copy), Renamed);
}

TEST(MenuItemTree, InsertRemoveAndDestruction) {
  TComponent Owner(nullptr);
  auto* Menu = new TPopupMenu(&Owner);
  auto* First = new TMenuItem(&Owner);
  auto* Second = new TMenuItem(&Owner);
  Menu->Items()->Add(Second);
  Menu->Items()->Insert(0, First);
  EXPECT_EQ(First->MenuIndex(), 0);
  EXPECT_EQ(Second->MenuIndex(), 1);
  auto* Sub = new TMenuItem(nullptr);  // ownerless: its parent frees it
  Second->Add(Sub);
  EXPECT_EQ(Sub->GetParentMenu(), Menu);
  EXPECT_EQ(Sub->GetParentComponent(), Second);
  EXPECT_THROW(Sub->Add(Second), EMenuError);
  EXPECT_THROW(Second->Add(Second), EMenuError);
  EXPECT_THROW(Second->Add(nullptr), EMenuError);
  // Moving an item takes it from where it was.
  First->Add(Sub);
  EXPECT_EQ(Second->Count(), 0);
  EXPECT_EQ(Sub->Parent(), First);
  delete Second;  // an owned item leaves its menu when it goes
  EXPECT_EQ(Menu->Items()->Count(), 1);
  EXPECT_THROW(Menu->Items()->Items(1), EListError);
  delete Menu;  // the owned item stays with its owner, detached
  EXPECT_EQ(First->Parent(), nullptr);
  EXPECT_EQ(First->Count(), 1);
}

TEST(MenuItemClick, AutoCheckTogglesBeforeOnClick) {
  TMenuItem Item(nullptr);
  Item.SetAutoCheck(true);
  bool CheckedInHandler = false;
  Item.OnClick = [&](TObject*) { CheckedInHandler = Item.Checked(); };
  Item.Click();
  EXPECT_TRUE(CheckedInHandler);
  Item.Click();
  EXPECT_FALSE(Item.Checked());
}

}  // namespace
