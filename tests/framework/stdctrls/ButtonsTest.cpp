// TSpeedButton: the flat look in every state, the caption, clicks on the
// release inside only, and the group protocol with CM_BUTTONPRESSED.

#include <gtest/gtest.h>

#include "framework/stdctrls/StdCtrlsTestSupport.h"
#include "platform/PixelAssert.h"

using namespace stocktest;

namespace {

constexpr const char* kLayout =
    u8R"(
object Form1: TStockForm
  Left = 100
  Top = 100
  ClientWidth = 200
  ClientHeight = 60
  BorderStyle = bsNone
  Color = clNavy
  object Button1: TSpeedButton
    Left = 10
    Top = 8
    Width = 40
    Height = 20
    Cursor = crHandPoint
    Hint = '検索の実行'
    Caption = '検索'
    Flat = True
    Font.Color = clWhite
    Font.Style = [fsUnderline]
    ParentFont = False
    ParentShowHint = False
    ShowHint = True
    OnClick = Button1Click
  end
  object A: TSpeedButton
    Left = 60
    Top = 8
    Width = 30
    Height = 20
    GroupIndex = 1
    Caption = 'A'
  end
  object B: TSpeedButton
    Left = 100
    Top = 8
    Width = 30
    Height = 20
    GroupIndex = 1
    Caption = 'B'
  end
end
)";

// Another control of the same parent, listening to the group's messages.
class TWatcher : public TGraphicControl {
public:
  using TGraphicControl::TGraphicControl;
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == CM_BUTTONPRESSED) Heard.push_back({Message.WParam, Message.LParam});
    TGraphicControl::Dispatch(Message);
  }
  std::vector<std::pair<WPARAM, LPARAM>> Heard;
};

class SpeedButtonTest : public THeadlessFixture {
protected:
  void SetUp() override {
    RegisterStockTestClasses();
    Form = MakeForm<TStockForm>();
    Form->ReadLayoutText(kLayout);
    Form->AfterConstruction();
    Form->BindComponent(Button1, "Button1");
    Form->BindComponent(A, "A");
    Form->BindComponent(B, "B");
    Watcher = new TWatcher(Form);
    Watcher->SetBounds(150, 40, 5, 5);
    Watcher->SetParent(Form);
    A->OnClick = [this](TObject*) { Clicks.push_back("A"); };
    B->OnClick = [this](TObject*) { Clicks.push_back("B"); };
    Form->Show();
    Pump();
    Display.MoveMouse(5, 5);  // off the form
    Pump();
  }
  const TSurface& Surface() { return *System.BackBufferOf(Form->Handle()); }
  // The four 2 by 2 corners of Button1, as one mask of four rows of 4.
  void ExpectCorners(const std::vector<std::string>& Rows) {
    const TPixelLegend Legend = {
        {'.', clNavy}, {'h', clBtnHighlight}, {'s', clBtnShadow}, {'?', clNone}};
    const TRect R = Button1->BoundsRect();
    std::vector<std::string> Got;
    ExpectPixels(Surface(), TPoint{R.Left, R.Top}, {Rows[0].substr(0, 2), Rows[1].substr(0, 2)},
                 Legend);
    ExpectPixels(Surface(), TPoint{R.Right - 2, R.Top}, {Rows[0].substr(2), Rows[1].substr(2)},
                 Legend);
    ExpectPixels(Surface(), TPoint{R.Left, R.Bottom - 2},
                 {Rows[2].substr(0, 2), Rows[3].substr(0, 2)}, Legend);
    ExpectPixels(Surface(), TPoint{R.Right - 2, R.Bottom - 2},
                 {Rows[2].substr(2), Rows[3].substr(2)}, Legend);
  }
  TRect CaptionInk() {
    const TRect R = Button1->BoundsRect();
    return InkBox(Surface(), TRect{R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2},
                  PixelOf(clNavy));
  }

  TStockForm* Form = nullptr;
  TSpeedButton* Button1 = nullptr;
  TSpeedButton* A = nullptr;
  TSpeedButton* B = nullptr;
  TWatcher* Watcher = nullptr;
  std::vector<std::string> Clicks;
};

TEST_F(SpeedButtonTest, ReadFromTheLayout) {
  EXPECT_TRUE(Button1->Flat());
  EXPECT_TRUE(Button1->Transparent());
  EXPECT_EQ(Button1->Cursor(), crHandPoint);
  EXPECT_EQ(Button1->Hint(), "検索の実行");
  EXPECT_TRUE(Button1->ShowHint());
  EXPECT_EQ(Button1->Font()->Style(), fsUnderline);
  EXPECT_EQ(Button1->Font()->Color(), clWhite);
  EXPECT_EQ(A->GroupIndex(), 1);
}

// Corners of the flat button: '.' the parent, 'h' highlight, 's' shadow.
TEST_F(SpeedButtonTest, FlatLookIdleHoveredPressedAndDisabled) {
  ExpectCorners({"....", "....", "....", "...."});  // idle: no frame at all
  MoveTo(Button1, 20, 10);
  EXPECT_TRUE(Button1->MouseInControl());
  ExpectCorners({"hhhs", "h..s", "h..s", "ssss"});  // raised thin edge
  PressAt(Button1, 20, 10);
  EXPECT_EQ(Button1->State(), bsDown);
  ExpectCorners({"sssh", "s..h", "s..h", "hhhh"});  // sunken thin edge
  Release();
  ExpectCorners({"hhhs", "h..s", "h..s", "ssss"});  // hovered again
  MoveTo(Button1, 60, 30);
  ExpectCorners({"....", "....", "....", "...."});
  // Latched down in a group: sunken with the pointer elsewhere too.
  Button1->SetGroupIndex(7);
  Button1->SetDown(true);
  Pump();
  ExpectCorners({"sssh", "s..h", "s..h", "hhhh"});
  Button1->SetEnabled(false);
  Pump();
  EXPECT_EQ(Button1->State(), bsDisabled);
  MoveTo(Button1, 20, 10);
  ExpectCorners({"....", "....", "....", "...."});  // no hover when disabled
}

TEST_F(SpeedButtonTest, CaptionCentredAndShiftedWhilePressed) {
  const TRect Up = CaptionInk();
  ASSERT_FALSE(Up.IsEmpty());
  const TRect R = Button1->BoundsRect();
  EXPECT_NEAR((Up.Left + Up.Right) / 2, (R.Left + R.Right) / 2, 2);
  EXPECT_NEAR((Up.Top + Up.Bottom) / 2, (R.Top + R.Bottom) / 2, 2);
  PressAt(Button1, 20, 10);
  const TRect Pressed = CaptionInk();
  EXPECT_EQ(Pressed, (TRect{Up.Left + 1, Up.Top + 1, Up.Right + 1, Up.Bottom + 1}));
  Release();
  EXPECT_EQ(CaptionInk(), Up);
}

TEST_F(SpeedButtonTest, DisabledCaptionIsEmbossed) {
  const TRect Up = CaptionInk();
  Button1->SetEnabled(false);
  Pump();
  EXPECT_EQ(CaptionInk(), (TRect{Up.Left, Up.Top, Up.Right + 1, Up.Bottom + 1}));
}

TEST_F(SpeedButtonTest, ClickOnlyOnAReleaseInside) {
  ClickAt(Button1, 20, 10);
  EXPECT_EQ(Form->Clicks, std::vector<std::string>{"Button1Click"});
  // Pressed, dragged off, released outside: no click, back to up.
  PressAt(Button1, 20, 10);
  MoveTo(Button1, 60, 10);
  EXPECT_EQ(Button1->State(), bsUp);
  MoveTo(Button1, 30, 10);
  EXPECT_EQ(Button1->State(), bsDown);
  MoveTo(Button1, -5, 10);
  Release();
  EXPECT_EQ(Form->Clicks.size(), 1u);
  EXPECT_EQ(Button1->State(), bsUp);
  // Pressed elsewhere and released over the button: no click either.
  PressAt(Form, 150, 50);
  MoveTo(Button1, 20, 10);
  Release();
  EXPECT_EQ(Form->Clicks.size(), 1u);
}

TEST_F(SpeedButtonTest, DoubleClickOnAnUpButtonIsTwoClicks) {
  int DblClicks = 0;
  Button1->OnDblClick = [&](TObject*) { ++DblClicks; };
  ClickAt(Button1, 20, 10);
  ClickAt(Button1, 20, 10);
  EXPECT_EQ(Form->Clicks.size(), 2u);
  EXPECT_EQ(DblClicks, 0);
}

TEST_F(SpeedButtonTest, ClickingAGroupMemberReleasesTheOther) {
  ClickAt(A, 10, 10);
  EXPECT_TRUE(A->Down());
  EXPECT_EQ(A->State(), bsExclusive);
  ClickAt(B, 10, 10);
  EXPECT_TRUE(B->Down());
  EXPECT_FALSE(A->Down());
  EXPECT_EQ(A->State(), bsUp);
  // Without AllowAllUp a second click keeps it down but still clicks.
  ClickAt(B, 10, 10);
  EXPECT_TRUE(B->Down());
  EXPECT_EQ(Clicks, (std::vector<std::string>{"A", "B", "B"}));
}

TEST_F(SpeedButtonTest, DownBroadcastsItselfToTheParentsControls) {
  B->SetDown(true);
  ASSERT_FALSE(Watcher->Heard.empty());
  EXPECT_EQ(Watcher->Heard.back().first, 1u);
  EXPECT_EQ(reinterpret_cast<TControl*>(Watcher->Heard.back().second), B);
  const std::size_t Before = Watcher->Heard.size();
  B->SetDown(false);  // not allowed without AllowAllUp, and nothing said
  EXPECT_TRUE(B->Down());
  EXPECT_EQ(Watcher->Heard.size(), Before);
}

TEST_F(SpeedButtonTest, AllowAllUpIsAdoptedByTheGroupAndLetsTheDownButtonGoUp) {
  A->SetAllowAllUp(true);
  EXPECT_TRUE(B->AllowAllUp());
  ClickAt(B, 10, 10);
  EXPECT_TRUE(B->Down());
  ClickAt(B, 10, 10);
  EXPECT_FALSE(B->Down());
  B->SetAllowAllUp(false);
  EXPECT_FALSE(A->AllowAllUp());
}

TEST_F(SpeedButtonTest, ASenderThatIsNotDownOnlyPassesAllowAllUp) {
  A->SetDown(true);
  // A stand-in of another kind of button, as a group member announces
  // itself: a stock button that is not down.
  auto* Proxy = new TSpeedButton(Form);
  Proxy->SetAllowAllUp(true);
  Proxy->SetParent(Form);
  Proxy->SetGroupIndex(1);
  EXPECT_TRUE(A->Down());
  EXPECT_TRUE(A->AllowAllUp());
  Proxy->SetDown(true);
  EXPECT_FALSE(A->Down());
  delete Proxy;
}

TEST_F(SpeedButtonTest, OtherGroupsAndUngroupedButtonsAreLeftAlone) {
  B->SetGroupIndex(2);
  A->SetDown(true);
  B->SetDown(true);
  EXPECT_TRUE(A->Down());
  EXPECT_TRUE(B->Down());
  Button1->SetDown(true);
  EXPECT_FALSE(Button1->Down()) << "only grouped buttons can be down";
}

TEST_F(SpeedButtonTest, DownButtonDoubleClickRaisesDblClick) {
  int DblClicks = 0;
  A->OnDblClick = [&](TObject*) { ++DblClicks; };
  ClickAt(A, 10, 10);
  ClickAt(A, 10, 10);
  EXPECT_EQ(DblClicks, 1);
}

TEST_F(SpeedButtonTest, DisablingADownButtonReleasesNothingButShowsDisabled) {
  A->SetDown(true);
  A->SetEnabled(false);
  EXPECT_EQ(A->State(), bsDisabled);
  A->SetEnabled(true);
  EXPECT_EQ(A->State(), bsExclusive);
}

TEST_F(SpeedButtonTest, AccessKeyClicksAVisibleEnabledButton) {
  A->SetCaption("&Go");
  EXPECT_EQ(A->Perform(CM_DIALOGCHAR, 'g', 0), 1);
  EXPECT_EQ(Clicks, std::vector<std::string>{"A"});
  A->SetVisible(false);
  EXPECT_EQ(A->Perform(CM_DIALOGCHAR, 'g', 0), 0);
  EXPECT_EQ(Clicks.size(), 1u);
}

TEST_F(SpeedButtonTest, OpaqueDownButtonShowsTheLatchedCheckerboard) {
  A->SetTransparent(false);
  A->SetFlat(true);
  A->SetDown(true);
  MoveTo(A, 40, 40);
  Pump();
  const TRect R = A->BoundsRect();
  const TPixelLegend Legend = {{'f', clBtnFace}, {'h', clBtnHighlight}, {'s', clBtnShadow}};
  ExpectPixels(Surface(), TPoint{R.Left, R.Top}, {"ssss", "sfhf", "shfh"}, Legend);
}

}  // namespace
