// Mouse input as a user gives it: windowless children get it through their
// parent, the pointer entering and leaving controls is announced, a click is
// a press and a release inside, the pressed control keeps the mouse, and a
// right click opens the popup menu at the pointer.

#include <gtest/gtest.h>

#include "framework/HeadlessFixture.h"
#include "framework/forms/ControlsTestClasses.h"

using namespace controlstest;

namespace {

constexpr const char* kLayout = R"(
object Form1: TCtlForm
  Left = 100
  Top = 100
  ClientWidth = 200
  ClientHeight = 100
  BorderStyle = bsNone
  object Menu1: TCtlPopupMenu
  end
  object FormMenu: TCtlPopupMenu
  end
  object Left1: TCtlGraphic
    Left = 10
    Top = 10
    Width = 40
    Height = 40
    PopupMenu = Menu1
    OnClick = BlockClick
  end
  object Right1: TCtlGraphic
    Left = 60
    Top = 10
    Width = 40
    Height = 40
    OnClick = BlockClick
  end
  object Box: TCtlWindowed
    Left = 120
    Top = 10
    Width = 40
    Height = 40
    OnClick = BlockClick
  end
end
)";

class TControlsMouseTest : public THeadlessFixture {
protected:
  void SetUp() override {
    RegisterTestClasses();
    Form = MakeForm<TCtlForm>();
    Form->ReadLayoutText(kLayout);
    Form->AfterConstruction();
    Form->BindComponent(Left1, "Left1");
    Form->BindComponent(Right1, "Right1");
    Form->BindComponent(Box, "Box");
    Form->BindComponent(FormMenu, "FormMenu");
    Form->Show();
    Pump();
    Log().clear();
  }

  TCtlForm* Form = nullptr;
  TCtlGraphic* Left1 = nullptr;
  TCtlGraphic* Right1 = nullptr;
  TCtlWindowed* Box = nullptr;
  TCtlPopupMenu* FormMenu = nullptr;
};

using TLog = std::vector<std::string>;

TEST_F(TControlsMouseTest, EnterAndLeaveFollowThePointerAcrossControlsAndOutOfTheForm) {
  MoveTo(Form, 20, 20);
  EXPECT_EQ(Log(), (TLog{"Enter Left1"}));
  MoveTo(Form, 25, 30);  // moving inside announces nothing
  EXPECT_EQ(Log(), (TLog{"Enter Left1"}));
  MoveTo(Form, 70, 20);
  EXPECT_EQ(Log(), (TLog{"Enter Left1", "Leave Left1", "Enter Right1"}));
  Log().clear();
  MoveTo(Form, 130, 20);  // onto the windowed control
  EXPECT_EQ(Log(), (TLog{"Leave Right1", "Enter Box"}));
  Log().clear();
  MoveTo(Form, 70, 20);  // back from the window onto a windowless control
  EXPECT_EQ(Log(), (TLog{"Leave Box", "Enter Right1"}));
  Log().clear();
  Display.MoveMouse(600, 600);  // off the form
  Pump();
  EXPECT_EQ(Log(), (TLog{"Leave Right1"}));
  EXPECT_EQ(MouseControl(), nullptr);
}

TEST_F(TControlsMouseTest, PointerLeavingTheProgramLeavesTheControl) {
  MoveTo(Form, 20, 20);
  Log().clear();
  Display.PointerLeave();
  Pump();
  EXPECT_EQ(Log(), (TLog{"Leave Left1"}));
}

TEST_F(TControlsMouseTest, WindowlessControlsGetTheirOwnCoordinates) {
  ClickAt(Form, 65, 14);
  EXPECT_EQ(Right1->Mouse, (TLog{"Move 5,4", "Down 5,4", "Up 5,4"}));
  EXPECT_TRUE(Left1->Mouse.empty());
}

TEST_F(TControlsMouseTest, ClickOnlyWhenReleasedInside) {
  ClickAt(Form, 20, 20);
  EXPECT_EQ(Log().back(), "Click Left1");
  Log().clear();
  // Pressed on Left1, released over Right1: no click for either.
  PressAt(Form, 20, 20);
  MoveTo(Form, 70, 20);
  Release();
  for (const std::string& Entry : Log()) EXPECT_EQ(Entry.find("Click"), std::string::npos) << Entry;
}

TEST_F(TControlsMouseTest, PressedControlKeepsTheMouseUntilRelease) {
  PressAt(Form, 20, 20);
  EXPECT_TRUE(Left1->MouseCapture());
  EXPECT_EQ(GetCaptureControl(), Left1);
  Left1->Mouse.clear();
  MoveTo(Form, 70, 20);  // over Right1, but Left1 holds the mouse
  Release();
  EXPECT_EQ(Left1->Mouse, (TLog{"Move 60,10", "Up 60,10"}));
  EXPECT_TRUE(std::find(Right1->Mouse.begin(), Right1->Mouse.end(), "Up 10,10") ==
              Right1->Mouse.end());
  EXPECT_FALSE(Left1->MouseCapture());
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(TControlsMouseTest, ReleasedBackInsideAfterLeavingStillClicks) {
  PressAt(Form, 20, 20);
  MoveTo(Form, 70, 20);
  MoveTo(Form, 30, 30);
  Release();
  EXPECT_TRUE(Log().Contains("Click Left1"));
}

// The second press of a double click is the double click itself: it fires
// DblClick, and its release is no second Click.
TEST_F(TControlsMouseTest, DoubleClickFiresClickThenDblClick) {
  std::vector<std::string> Events;
  Left1->OnClick = [&](TObject*) { Events.push_back("Click"); };
  Left1->OnDblClick = [&](TObject*) { Events.push_back("DblClick"); };
  ClickAt(Form, 20, 20);
  Display.AdvanceTime(100);
  ClickAt(Form, 20, 20);
  EXPECT_EQ(Events, (TLog{"Click", "DblClick"}));
  Display.AdvanceTime(1000);
  ClickAt(Form, 20, 20);  // too late for a double click
  EXPECT_EQ(Events, (TLog{"Click", "DblClick", "Click"}));
}

TEST_F(TControlsMouseTest, WithoutDoubleClicksTheSecondPressIsAnotherClick) {
  std::vector<std::string> Events;
  Left1->SetControlStyle(Left1->ControlStyle() & ~csDoubleClicks);
  Left1->OnClick = [&](TObject*) { Events.push_back("Click"); };
  Left1->OnDblClick = [&](TObject*) { Events.push_back("DblClick"); };
  ClickAt(Form, 20, 20);
  Display.AdvanceTime(100);
  ClickAt(Form, 20, 20);
  EXPECT_EQ(Events, (TLog{"Click", "Click"}));
}

TEST_F(TControlsMouseTest, RightClickOpensTheControlsMenuAtTheScreenPoint) {
  ClickAt(Form, 15, 25, mbRight);
  // Form at (100, 100): the client point (15, 25) is (115, 125) on the screen.
  EXPECT_EQ(Log().back(), "Popup Menu1 at 115,125 for Left1");
}

TEST_F(TControlsMouseTest, RightClickOnAControlWithoutMenuOpensNoSiblingsMenu) {
  ClickAt(Form, 70, 20, mbRight);
  ClickAt(Form, 130, 20, mbRight);
  for (const std::string& Entry : Log()) EXPECT_EQ(Entry.find("Popup"), std::string::npos) << Entry;
}

TEST_F(TControlsMouseTest, RightClickFallsBackToTheParentsOwnMenu) {
  Form->SetPopupMenu(FormMenu);
  ClickAt(Form, 70, 20, mbRight);
  EXPECT_EQ(Log().back(), "Popup FormMenu at 170,120 for Form1");
}

TEST_F(TControlsMouseTest, DestroyingTheMenuClearsTheReference) {
  TPopupMenuBase* Menu = Left1->PopupMenu();
  ASSERT_NE(Menu, nullptr);
  delete Menu;
  EXPECT_EQ(Left1->PopupMenu(), nullptr);
  ClickAt(Form, 15, 25, mbRight);  // nothing to open, nothing breaks
}

TEST_F(TControlsMouseTest, DisabledWindowlessControlLetsThePressThrough) {
  Right1->SetEnabled(false);
  ClickAt(Form, 70, 20);
  EXPECT_TRUE(Right1->Mouse.empty());
  for (const std::string& Entry : Log()) EXPECT_NE(Entry, "Click Right1");
}

TEST_F(TControlsMouseTest, LaterSiblingIsHitFirstWhereTheyOverlap) {
  Right1->SetBounds(30, 10, 40, 40);  // over the right part of Left1
  ClickAt(Form, 40, 20);
  EXPECT_EQ(Log().back(), "Click Right1");
}

TEST_F(TControlsMouseTest, WindowedControlClicksAndTakesTheFocus) {
  ClickAt(Form, 130, 20);
  EXPECT_EQ(Log().back(), "Click Box");
  EXPECT_TRUE(Box->Focused());
  EXPECT_EQ(Form->ActiveControl(), Box);
}

TEST_F(TControlsMouseTest, PressOnAControlTellsTheFocusedControlToCancelItsMode) {
  ClickAt(Form, 130, 20);
  Log().clear();
  PressAt(Form, 20, 20);
  Release();
  EXPECT_TRUE(Log().Contains("CancelMode Box from Left1"));
}

TEST_F(TControlsMouseTest, FindDragTargetFindsWindowlessAndWindowedControls) {
  EXPECT_EQ(FindDragTarget(TPoint{115, 115}, false), Left1);
  EXPECT_EQ(FindDragTarget(TPoint{225, 115}, false), Box);
  EXPECT_EQ(FindDragTarget(TPoint{205, 155}, false), Form);
  EXPECT_EQ(FindDragTarget(TPoint{900, 700}, false), nullptr);
  Left1->SetEnabled(false);
  EXPECT_EQ(FindDragTarget(TPoint{115, 115}, false), Form);
  EXPECT_EQ(FindDragTarget(TPoint{115, 115}, true), Left1);
}

TEST_F(TControlsMouseTest, ControlCursorShowsOverTheControl) {
  Left1->SetCursor(crHandPoint);
  Box->SetCursor(crIBeam);
  MoveTo(Form, 20, 20);
  EXPECT_EQ(ShapeOfCursor(GetCursor()), crsHand);
  MoveTo(Form, 105, 60);
  EXPECT_EQ(ShapeOfCursor(GetCursor()), crsArrow);
  MoveTo(Form, 130, 20);
  EXPECT_EQ(ShapeOfCursor(GetCursor()), crsIBeam);
  Screen->SetCursor(crHourGlass);
  MoveTo(Form, 20, 20);
  EXPECT_EQ(ShapeOfCursor(GetCursor()), crsWait);
  Screen->SetCursor(crDefault);
}

TEST_F(TControlsMouseTest, DestroyingTheControlUnderThePointerIsSafe) {
  MoveTo(Form, 20, 20);
  delete Left1;
  EXPECT_EQ(MouseControl(), nullptr);
  MoveTo(Form, 25, 25);
  MoveTo(Form, 70, 20);
  EXPECT_EQ(Log().back(), "Enter Right1");
}

}  // namespace
