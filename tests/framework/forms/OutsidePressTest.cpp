// The one "close on a press elsewhere" helper: what counts as a press, the
// owner's inside test, letting the press through or swallowing it, and the
// hook going with the helper.

#include "framework/forms/OutsidePress.h"

#include <gtest/gtest.h>

#include <memory>

#include "framework/HeadlessFixture.h"

namespace {

class OutsidePressTest : public THeadlessFixture {
protected:
  void SetUp() override {
    Form = MakeForm<TForm>();
    Form->SetBounds(100, 100, 300, 200);
    Form->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { ++FormPresses; };
    Form->Show();
    Pump();
  }

  // The owner claims the left half of the form's client area.
  std::unique_ptr<TOutsidePress> Make(TOutsidePressPassing Passing) {
    return std::make_unique<TOutsidePress>(
        [this](HWND, const TPoint& Screen) {
          return Screen.X < Form->ClientToScreen(TPoint{150, 0}).X;
        },
        [this] { ++Outside; }, Passing);
  }

  TForm* Form = nullptr;
  int Outside = 0;
  int FormPresses = 0;
};

TEST_F(OutsidePressTest, APressOutsideIsToldAndLetThrough) {
  auto Press = Make(pmLetThrough);
  Press->Install();
  ClickAt(Form, 200, 50);
  EXPECT_EQ(Outside, 1);
  EXPECT_EQ(FormPresses, 1);
}

TEST_F(OutsidePressTest, APressOutsideIsToldAndSwallowed) {
  auto Press = Make(pmSwallow);
  Press->Install();
  ClickAt(Form, 200, 50);
  EXPECT_EQ(Outside, 1);
  EXPECT_EQ(FormPresses, 0);
}

TEST_F(OutsidePressTest, APressInsideIsTheOwnersAndGoesOn) {
  auto Press = Make(pmSwallow);
  Press->Install();
  ClickAt(Form, 20, 50);
  EXPECT_EQ(Outside, 0);
  EXPECT_EQ(FormPresses, 1);
}

TEST_F(OutsidePressTest, MovesReleasesAndOtherButtonsCountAsTheyShould) {
  auto Press = Make(pmLetThrough);
  Press->Install();
  MoveTo(Form, 200, 50);
  EXPECT_EQ(Outside, 0);
  PressAt(Form, 200, 50, mbRight);
  EXPECT_EQ(Outside, 1);  // any button's press
  Release(mbRight);
  EXPECT_EQ(Outside, 1);  // a client release never
}

TEST_F(OutsidePressTest, FrameReleasesCountOnlyWhenAsked) {
  // A bordered pop-up right of the form: its left border is frame, and
  // outside the owner's half. Presses there are swallowed, so the window
  // never sees them.
  WNDCLASS Class;
  Class.lpszClassName = "OutsidePressFrame";
  const HWND Framed = CreateWindowEx(0, Class, "", WS_POPUP | WS_BORDER, 500, 100, 50, 50, nullptr);
  ShowWindow(Framed, SW_SHOWNA);
  Pump();
  const TPoint Border{500, 120};
  ASSERT_EQ(SendMessage(Framed, WM_NCHITTEST, 0, MAKELPARAM(Border.X, Border.Y)),
            LRESULT(HTBORDER));
  for (bool Asked : {false, true}) {
    auto Press = Make(pmSwallow);
    Press->SetFrameReleasesToo(Asked);
    Press->Install();
    Outside = 0;
    Display.MoveMouse(Border.X, Border.Y);
    Display.Press();
    Pump();
    EXPECT_EQ(Outside, 1) << Asked;
    Display.Release();
    Pump();
    EXPECT_EQ(Outside, Asked ? 2 : 1) << Asked;
  }
  DestroyWindow(Framed);
}

TEST_F(OutsidePressTest, TheHookGoesWithTheHelperAndInstallsOnce) {
  auto Press = Make(pmSwallow);
  Press->Install();
  const HHOOK First = Press->Hook();
  Press->Install();
  EXPECT_EQ(Press->Hook(), First);
  Press.reset();
  ClickAt(Form, 200, 50);
  EXPECT_EQ(Outside, 0);
  EXPECT_EQ(FormPresses, 1);
}

TEST_F(OutsidePressTest, RemovedItLetsEveryPressAlone) {
  auto Press = Make(pmSwallow);
  Press->Install();
  Press->Remove();
  EXPECT_FALSE(Press->Installed());
  ClickAt(Form, 200, 50);
  EXPECT_EQ(Outside, 0);
  EXPECT_EQ(FormPresses, 1);
}

TEST_F(OutsidePressTest, ClosingFromTheNotificationMayRemoveTheHook) {
  std::unique_ptr<TOutsidePress> Press;
  Press = std::make_unique<TOutsidePress>([](HWND, const TPoint&) { return false; },
                                          [&] {
                                            ++Outside;
                                            Press->Remove();
                                          },
                                          pmSwallow);
  Press->Install();
  ClickAt(Form, 200, 50);
  ClickAt(Form, 200, 50);
  EXPECT_EQ(Outside, 1);
  EXPECT_EQ(FormPresses, 1);  // the first press swallowed, the second let alone
}

}  // namespace
