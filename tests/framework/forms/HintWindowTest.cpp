// The hint window: its size and look, staying on the screen, letting the
// mouse through, and working as the application's hint window.

#include <gtest/gtest.h>

#include "framework/forms/HintWindow.h"
#include "framework/stdctrls/StdCtrlsTestSupport.h"
#include "platform/PixelAssert.h"

using namespace stocktest;

namespace {

class HintWindowTest : public THeadlessFixture {
protected:
  int TextWidth(const std::string& Text) {
    TRect R{0, 0, 0, 0};
    TCanvas Canvas;
    HDC DC = GetDC(nullptr);
    Canvas.SetHandle(DC);
    Canvas.DrawText(Text, R, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    Canvas.SetHandle(nullptr);
    ReleaseDC(nullptr, DC);
    return R.Width();
  }
  TRect RectOf(HWND W) {
    TRect R;
    GetWindowRect(W, R);
    return R;
  }
};

TEST_F(HintWindowTest, TextInInfoColoursInsideAOnePixelFrame) {
  THintWindow Hint(nullptr);
  Hint.ActivateHint(TPoint{100, 200}, "検索の実行");
  Pump();
  ASSERT_TRUE(Hint.Showing());
  const TRect R = RectOf(Hint.Handle());
  EXPECT_EQ(R.Left, 100);
  EXPECT_EQ(R.Top, 200);
  EXPECT_EQ(R.Width(), TextWidth("検索の実行") + 8);
  EXPECT_EQ(R.Height(), 12 + 4);
  const TSurface& S = *System.BackBufferOf(Hint.Handle());
  const TPixelLegend Legend = {{'k', clWindowFrame}, {'i', clInfoBk}};
  ExpectPixels(S, TPoint{0, 0}, {"kkkk", "kiii", "kiii"}, Legend);
  ExpectPixels(S, TPoint{R.Width() - 3, R.Height() - 2}, {"iik", "kkk"}, Legend);
  // The text starts three pixels in (frame and padding) and is dark.
  const TRect Ink = InkBox(S, TRect{1, 1, R.Width() - 1, R.Height() - 1}, PixelOf(clInfoBk));
  EXPECT_GE(Ink.Left, 3);
  EXPECT_GE(Ink.Top, 2);
  EXPECT_LE(Ink.Bottom, R.Height() - 2);
  EXPECT_TRUE(GetWindowLong(Hint.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_NE(GetActiveWindow(), Hint.Handle());
}

TEST_F(HintWindowTest, KeptOnTheScreenAndHiddenByAnEmptyText) {
  THintWindow Hint(nullptr);
  Hint.ActivateHint(TPoint{1020, 760}, "検索の実行");
  Pump();
  const TRect R = RectOf(Hint.Handle());
  EXPECT_EQ(R.Right, 1024);
  EXPECT_EQ(R.Bottom, 768);
  Hint.ActivateHint(TPoint{10, 10}, "");
  EXPECT_FALSE(Hint.Showing());
}

TEST_F(HintWindowTest, LongHintsWrap) {
  THintWindow Hint(nullptr);
  std::string Long;
  for (int I = 0; I < 20; ++I) Long += "hint text ";
  Hint.ActivateHint(TPoint{10, 10}, Long);
  const TRect R = RectOf(Hint.Handle());
  EXPECT_LE(R.Width(), 300 + 8);
  EXPECT_GE(R.Height(), 2 * 12 + 4);
}

TEST_F(HintWindowTest, TheMouseGoesThroughToTheWindowBelow) {
  auto* Form = MakeForm<TStockForm>();
  Form->SetBorderStyle(bsNone);
  Form->SetBounds(50, 50, 200, 100);
  auto* Button = new TSpeedButton(Form);
  Button->SetParent(Form);
  Button->SetBounds(10, 10, 60, 30);
  Button->OnClick = [Form](TObject*) { Form->Clicks.push_back("click"); };
  Form->Show();
  Pump();
  THintWindow Hint(nullptr);
  Hint.ActivateHint(TPoint{55, 55}, "over the button");
  Pump();
  Display.ClickAt(70, 70);
  Pump();
  EXPECT_EQ(Form->Clicks, std::vector<std::string>{"click"});
}

TEST_F(HintWindowTest, ShowsTheHintOfTheControlUnderThePointerOnceInstalled) {
  THintWindow* Hint = InstallHintWindow(App);
  auto* Form = MakeForm<TStockForm>();
  Form->SetBorderStyle(bsNone);
  Form->SetBounds(50, 50, 300, 100);
  auto* Button = new TSpeedButton(Form);
  Button->SetParent(Form);
  Button->SetBounds(10, 10, 40, 20);
  Button->SetHint("検索の実行");
  Button->SetShowHint(true);
  Form->Show();
  Pump();
  MoveTo(Button, 20, 10);
  Wait(App.HintPause() + 50);
  ASSERT_TRUE(Hint->Showing());
  EXPECT_EQ(Hint->Text(), "検索の実行");
  const TRect R = RectOf(Hint->Handle());
  const TPoint P = Button->ClientToScreen(TPoint{20, 10});
  EXPECT_EQ(R.Left, P.X);
  EXPECT_GT(R.Top, P.Y);  // below the pointer
  MoveTo(Form, 250, 80);
  Wait(50);
  EXPECT_FALSE(Hint->Showing());
  // Gone, it is no longer the application's: hints cost nothing.
  delete Hint;
  MoveTo(Button, 20, 10);
  Wait(App.HintPause() + 50);
}

}  // namespace
