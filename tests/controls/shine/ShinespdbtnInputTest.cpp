// A shine button on a form of the headless screen, driven the way a user
// drives it: hovering (with the 200 ms timer on the virtual clock), presses,
// drags out and back, releases inside and outside, double clicks, the
// accelerator, enabling and disabling, and groups shared with stock speed
// buttons.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/shine/Shinespdbtn.h"
#include "framework/HeadlessFixture.h"
#include "platform/MessageLog.h"
#include "platform/PixelAssert.h"

namespace {

// A button that never hears the framework's pointer-left notification, as
// when the pointer leaves the window straight from the button.
class TDeafButton : public TShineSpeedButton {
public:
  using TShineSpeedButton::TShineSpeedButton;
  void Dispatch(TMessage& Message) override {
    if (Message.Msg != CM_MOUSELEAVE) TShineSpeedButton::Dispatch(Message);
  }
};

class ShineInteraction : public THeadlessFixture {
protected:
  void SetUp() override {
    Form = MakeForm<TForm>();
    Form->SetBorderStyle(bsNone);
    Form->SetBounds(100, 100, 200, 80);
    Form->SetClientWidth(200);
    Form->SetClientHeight(80);
    Form->SetColor(clBtnFace);
    One = MakeButton(10, 10, "One");
    Two = MakeButton(60, 10, "Two");
    Form->Show();
    Pump();
    MoveTo(Form, 190, 70);  // over the form, off the buttons
  }

  TShineSpeedButton* MakeButton(int X, int Y, const std::string& Name) {
    auto* B = new TShineSpeedButton(Form);
    B->SetBounds(X, Y, 30, 20);
    B->SetParent(Form);
    B->Colors()->SetColor(clSilver);
    B->PressedColors()->SetColor(clCream);
    B->OnClick = [this, Name](TObject*) { Clicks.push_back(Name); };
    B->OnMouseEnter = [this, Name](TObject*, TShiftState, int, int) {
      Events.push_back("enter " + Name);
    };
    B->OnMouseLeave = [this, Name](TObject*, TShiftState, int, int) {
      Events.push_back("leave " + Name);
    };
    return B;
  }

  TSpeedButton* MakeStockButton(int X, int Y) {
    auto* S = new TSpeedButton(Form);
    S->SetBounds(X, Y, 30, 20);
    S->SetParent(Form);
    return S;
  }

  // The face colour the form shows inside a button (away from frame and
  // caption).
  std::uint32_t Face(TShineSpeedButton* B) { return Painted(Form, B->Left() + 3, B->Top() + 3); }

  TForm* Form = nullptr;
  TShineSpeedButton* One = nullptr;
  TShineSpeedButton* Two = nullptr;
  std::vector<std::string> Clicks;
  TMessageLog<std::string> Events;
};

// ---- hover ---------------------------------------------------------------------------------

TEST_F(ShineInteraction, HoverShowsTheActiveLookAndMovingAwayRestoresTheUpLook) {
  One->SetFrameType(ftFlatFrame);
  One->SetUpFrame(false);  // the frame shows only while hovered
  Pump();
  EXPECT_EQ(Painted(Form, One->Left(), One->Top()), PixelOf(clSilver));

  MoveTo(One, 5, 5);
  EXPECT_EQ(One->DrawState(), sdUpActive);
  EXPECT_TRUE(One->MouseInside());
  EXPECT_TRUE(One->ActiveButtonTimer()->Running());
  EXPECT_EQ(Painted(Form, One->Left(), One->Top()), PixelOf(clBtnHighlight));
  EXPECT_EQ(Events, std::vector<std::string>{"enter One"});

  MoveTo(Form, 190, 70);
  EXPECT_EQ(One->DrawState(), sdUp);
  EXPECT_FALSE(One->MouseInside());
  EXPECT_FALSE(One->ActiveButtonTimer()->Running());
  EXPECT_EQ(Painted(Form, One->Left(), One->Top()), PixelOf(clSilver));
  EXPECT_EQ(Events, (std::vector<std::string>{"enter One", "leave One"}));
}

TEST_F(ShineInteraction, TimerEndsTheHoverLookWhenNoLeaveNotificationComes) {
  auto* Deaf = new TDeafButton(Form);
  Deaf->SetBounds(110, 40, 30, 20);
  Deaf->SetParent(Form);
  Deaf->Colors()->SetColor(clSilver);
  Pump();
  MoveTo(Deaf, 5, 5);
  ASSERT_EQ(Deaf->DrawState(), sdUpActive);
  MoveTo(Form, 190, 5);
  Wait(150);
  EXPECT_EQ(Deaf->DrawState(), sdUpActive);
  EXPECT_TRUE(Deaf->MouseInside());
  Wait(50);
  EXPECT_EQ(Deaf->DrawState(), sdUp);
  EXPECT_FALSE(Deaf->MouseInside());
  EXPECT_FALSE(Deaf->ActiveButtonTimer()->Running());
  EXPECT_EQ(Painted(Form, 113, 43), PixelOf(clSilver));
}

TEST_F(ShineInteraction, TimerKeepsTheHoverLookWhileThePointerStaysOver) {
  MoveTo(One, 5, 5);
  Wait(200);
  Wait(200);
  EXPECT_EQ(One->DrawState(), sdUpActive);
  EXPECT_TRUE(One->ActiveButtonTimer()->Running());
}

TEST_F(ShineInteraction, NoHoverLookWhileAnotherWindowHoldsTheCapture) {
  SetCapture(Form->Handle());
  One->Perform(CM_MOUSEENTER, 0, 0);
  EXPECT_FALSE(One->MouseInside());
  EXPECT_EQ(One->DrawState(), sdUp);
  EXPECT_EQ(Events, std::vector<std::string>{"enter One"});
  ReleaseCapture();
}

// ---- pressing --------------------------------------------------------------------------

TEST_F(ShineInteraction, PressAndReleaseInsideClicksOnceAndComesBackHovered) {
  PressAt(One, 5, 5);
  EXPECT_EQ(One->DrawState(), sdDownActive);
  EXPECT_TRUE(One->Pressing());
  EXPECT_EQ(Face(One), PixelOf(clCream));
  Events.clear();
  Release();
  EXPECT_EQ(Clicks, std::vector<std::string>{"One"});
  EXPECT_FALSE(One->Pressing());
  EXPECT_FALSE(One->Down());
  EXPECT_EQ(One->DrawState(), sdUpActive);
  EXPECT_TRUE(One->MouseInside());
  EXPECT_EQ(Events, std::vector<std::string>{"enter One"});
  EXPECT_EQ(Face(One), PixelOf(clSilver));
}

TEST_F(ShineInteraction, DragOutAndReleaseOutsideDoesNotClick) {
  PressAt(One, 5, 5);
  MoveTo(One, 40, 5);
  EXPECT_EQ(One->DrawState(), sdUp);
  EXPECT_EQ(Face(One), PixelOf(clSilver));
  Release();
  EXPECT_TRUE(Clicks.empty());
  EXPECT_EQ(One->DrawState(), sdUp);
  EXPECT_FALSE(One->MouseInside());
  EXPECT_FALSE(One->ActiveButtonTimer()->Running());
}

TEST_F(ShineInteraction, DragOutAndBackInThenReleaseInsideClicks) {
  PressAt(One, 5, 5);
  MoveTo(One, -3, 5);
  EXPECT_EQ(One->DrawState(), sdUp);
  MoveTo(One, 6, 6);
  EXPECT_EQ(One->DrawState(), sdDownActive);
  EXPECT_EQ(Face(One), PixelOf(clCream));
  Release();
  EXPECT_EQ(Clicks, std::vector<std::string>{"One"});
}

TEST_F(ShineInteraction, RightReleaseEndsALeftPressAndClicksInside) {
  PressAt(One, 5, 5);
  Display.Press(mbRight);
  Pump();
  Display.Release(mbRight);
  Pump();
  EXPECT_FALSE(One->Pressing());
  EXPECT_EQ(Clicks, std::vector<std::string>{"One"});
  Release();
  EXPECT_EQ(Clicks.size(), 1u);
}

TEST_F(ShineInteraction, ClickDownHookShowsPressedWhileTheHandlerRuns) {
  One->SetClickDownHook(true);
  Pump();
  std::vector<std::uint32_t> FacesDuringClick;
  TShineDrawState StateDuringClick = sdUp;
  One->OnClick = [&](TObject*) {
    StateDuringClick = One->DrawState();
    FacesDuringClick.push_back(Face(One));
  };
  ClickAt(One, 5, 5);
  EXPECT_EQ(StateDuringClick, sdDownActive);
  EXPECT_EQ(FacesDuringClick, std::vector<std::uint32_t>{PixelOf(clCream)});
  EXPECT_EQ(One->DrawState(), sdUpActive);
  EXPECT_EQ(Face(One), PixelOf(clSilver));
}

TEST_F(ShineInteraction, DoubleClickOnlyReportedOnADownButton) {
  int DblClicks = 0;
  One->OnDblClick = [&](TObject*) { ++DblClicks; };
  ClickAt(One, 5, 5);
  ClickAt(One, 5, 5);
  EXPECT_EQ(Clicks.size(), 2u);
  EXPECT_EQ(DblClicks, 0);

  Wait(1000);  // the next click starts a new pair
  One->SetGroupIndex(3);
  One->SetDown(true);
  ClickAt(One, 5, 5);
  ClickAt(One, 5, 5);
  EXPECT_EQ(DblClicks, 1);
  EXPECT_EQ(Clicks.size(), 4u);
}

// ---- keys and enabling ------------------------------------------------------------------

TEST_F(ShineInteraction, AcceleratorClicksAVisibleButtonOnAShowingParent) {
  One->SetCaption("&Go");
  Key('G', mkAlt);
  EXPECT_EQ(Clicks, std::vector<std::string>{"One"});
  EXPECT_EQ(One->Perform(CM_DIALOGCHAR, 'g', 0), 1);
  EXPECT_EQ(Clicks.size(), 2u);
  EXPECT_EQ(One->Perform(CM_DIALOGCHAR, 'x', 0), 0);

  // Not consumed by a hidden button, nor by a disabled one.
  One->SetVisible(false);
  EXPECT_EQ(One->Perform(CM_DIALOGCHAR, 'g', 0), 0);
  One->SetVisible(true);
  One->SetEnabled(false);
  EXPECT_EQ(One->Perform(CM_DIALOGCHAR, 'g', 0), 0);
  EXPECT_EQ(Clicks.size(), 2u);
}

TEST_F(ShineInteraction, AcceleratorOnAHiddenParentGoesOn) {
  TForm* Hidden = MakeForm<TForm>();
  auto* B = new TShineSpeedButton(Hidden);
  B->SetParent(Hidden);
  B->SetCaption("&Go");
  int Clicked = 0;
  B->OnClick = [&](TObject*) { ++Clicked; };
  EXPECT_EQ(B->Perform(CM_DIALOGCHAR, 'g', 0), 0);
  EXPECT_EQ(Clicked, 0);
}

TEST_F(ShineInteraction, AccelCharDownTogglesDownBeforeClicking) {
  One->SetCaption("&Go");
  One->SetGroupIndex(1);
  One->SetAllowAllUp(true);
  One->SetAccelCharDown(true);
  bool DownInClick = false;
  One->OnClick = [&](TObject*) { DownInClick = One->Down(); };
  EXPECT_EQ(One->Perform(CM_DIALOGCHAR, 'g', 0), 1);
  EXPECT_TRUE(DownInClick);
  EXPECT_TRUE(One->Down());
  EXPECT_EQ(One->Perform(CM_DIALOGCHAR, 'G', 0), 1);
  EXPECT_FALSE(One->Down());
}

TEST_F(ShineInteraction, DisablingReleasesADownButtonWithoutTellingTheGroup) {
  auto* Stock = MakeStockButton(110, 10);
  Stock->SetGroupIndex(1);
  One->SetGroupIndex(1);
  One->SetDown(true);
  One->SetEnabled(false);
  EXPECT_FALSE(One->Down());
  EXPECT_EQ(One->DrawState(), sdDisabled);
  Pump();
  EXPECT_EQ(One->DrawState(), sdDisabled);
  EXPECT_FALSE(Stock->Down());

  One->SetEnabled(true);
  EXPECT_EQ(One->DrawState(), sdUp);
  One->SetEnabled(false);
  MoveTo(One, 5, 5);
  EXPECT_FALSE(One->MouseInside());
  One->SetEnabled(true);  // the pointer is over it: hover look at once
  EXPECT_EQ(One->DrawState(), sdUpActive);
  EXPECT_TRUE(One->MouseInside());
}

TEST_F(ShineInteraction, PaintOfADisabledButtonEndsAPress) {
  PressAt(One, 5, 5);
  ASSERT_TRUE(One->Pressing());
  One->SetEnabled(false);
  Pump();
  EXPECT_FALSE(One->Pressing());
  Release();
  EXPECT_TRUE(Clicks.empty());
}

// ---- groups --------------------------------------------------------------------------------

TEST_F(ShineInteraction, GroupedButtonWithoutAllowAllUpStaysDown) {
  One->SetGroupIndex(1);
  ClickAt(One, 5, 5);
  EXPECT_TRUE(One->Down());
  ClickAt(One, 5, 5);
  EXPECT_TRUE(One->Down());
  EXPECT_EQ(Clicks.size(), 2u);
  MoveTo(Form, 190, 70);
  EXPECT_EQ(One->DrawState(), sdDown);
  EXPECT_EQ(Face(One), PixelOf(clCream));
}

TEST_F(ShineInteraction, AllowAllUpTogglesOnEachClick) {
  One->SetGroupIndex(1);
  One->SetAllowAllUp(true);
  ClickAt(One, 5, 5);
  EXPECT_TRUE(One->Down());
  ClickAt(One, 5, 5);
  EXPECT_FALSE(One->Down());
  ClickAt(One, 5, 5);
  EXPECT_TRUE(One->Down());
}

TEST_F(ShineInteraction, ReleaseOutsideAGroupedButtonLeavesDownAsItWas) {
  One->SetGroupIndex(1);
  PressAt(One, 5, 5);
  MoveTo(Form, 190, 70);
  Release();
  EXPECT_FALSE(One->Down());
  EXPECT_EQ(One->DrawState(), sdUp);
  EXPECT_TRUE(Clicks.empty());
}

TEST_F(ShineInteraction, ShineAndStockButtonsFormOneRadioGroup) {
  auto* Stock = MakeStockButton(110, 10);
  One->SetGroupIndex(1);
  Two->SetGroupIndex(1);
  Stock->SetGroupIndex(1);

  ClickAt(One, 5, 5);
  EXPECT_TRUE(One->Down());
  ClickAt(Stock, 5, 5);
  EXPECT_TRUE(Stock->Down());
  EXPECT_FALSE(One->Down());
  EXPECT_EQ(One->DrawState(), sdUp);
  ClickAt(Two, 5, 5);
  EXPECT_TRUE(Two->Down());
  EXPECT_FALSE(Stock->Down());
  EXPECT_FALSE(One->Down());
  One->SetDown(true);
  EXPECT_FALSE(Two->Down());
  EXPECT_EQ(Two->DrawState(), sdUp);
  // The stand-in used to tell the group is gone again.
  EXPECT_EQ(Form->ControlCount(), 3);
  MoveTo(Form, 190, 70);
  EXPECT_EQ(Face(Two), PixelOf(clSilver));
  EXPECT_EQ(Face(One), PixelOf(clCream));
}

TEST_F(ShineInteraction, AllowAllUpIsSharedByTheWholeGroup) {
  auto* Stock = MakeStockButton(110, 10);
  One->SetGroupIndex(2);
  Two->SetGroupIndex(2);
  Stock->SetGroupIndex(2);
  One->SetAllowAllUp(true);
  EXPECT_TRUE(Two->AllowAllUp());
  EXPECT_TRUE(Stock->AllowAllUp());
  Stock->SetAllowAllUp(false);
  EXPECT_FALSE(One->AllowAllUp());
  EXPECT_FALSE(Two->AllowAllUp());

  // Another group and ungrouped buttons are left alone.
  auto* Other = MakeButton(150, 40, "Other");
  Other->SetGroupIndex(5);
  Two->SetAllowAllUp(true);
  EXPECT_FALSE(Other->AllowAllUp());
}

TEST_F(ShineInteraction, DownNeedsAGroup) {
  One->SetDown(true);
  EXPECT_FALSE(One->Down());
  EXPECT_EQ(One->DrawState(), sdUp);
}

TEST_F(ShineInteraction, WithoutParentChangesAreStoredAndNeverAnnounced) {
  auto* Stock = MakeStockButton(110, 10);
  Stock->SetGroupIndex(1);
  Stock->SetDown(true);
  auto* Loose = new TShineSpeedButton(Form);
  Loose->SetGroupIndex(1);
  Loose->SetAllowAllUp(true);
  Loose->SetDown(true);
  EXPECT_TRUE(Loose->Down());
  EXPECT_TRUE(Stock->Down());
  EXPECT_FALSE(Stock->AllowAllUp());
  Loose->SetParent(Form);
  EXPECT_TRUE(Stock->Down());
  EXPECT_FALSE(Stock->AllowAllUp());
}

TEST_F(ShineInteraction, AButtonDestroyedWhileHoveredAndPressedLeavesNothingBehind) {
  PressAt(One, 5, 5);
  ASSERT_TRUE(One->Pressing());
  ASSERT_TRUE(One->MouseInside());
  delete One;
  One = nullptr;
  Wait(200);
  Release();
  MoveTo(Two, 5, 5);
  EXPECT_EQ(Two->DrawState(), sdUpActive);
  EXPECT_TRUE(Clicks.empty());
  EXPECT_EQ(Form->ControlCount(), 1);
}

TEST_F(ShineInteraction, CaptionFontAndSystemColourChangesRepaint) {
  Pump();
  One->SetCaption("A");
  Pump();
  const std::uint32_t Before = Painted(Form, One->Left() + 15, One->Top() + 10);
  One->SetCaption("");
  Pump();
  EXPECT_NE(Painted(Form, One->Left() + 15, One->Top() + 10), Before);
  for (UINT Msg : {UINT(CM_FONTCHANGED), UINT(CM_TEXTCHANGED), UINT(CM_SYSCOLORCHANGE)}) {
    TRect Pending;
    Pump();
    One->Perform(Msg, 0, 0);
    ASSERT_TRUE(GetUpdateRect(Form->Handle(), &Pending, false)) << Msg;
    EXPECT_EQ(Pending, One->BoundsRect()) << Msg;
  }
}

}  // namespace
