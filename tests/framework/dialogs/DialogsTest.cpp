// The stock message box and the error box: text rule, layout, placement on
// the 1024x768 headless screen, the ways to close it, and modality.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/dialogs/Dialogs.h"
#include "framework/forms/ModalLoop.h"
#include "framework/graphics/Bitmap.h"
#include "platform/PixelAssert.h"
#include "platform/window/WindowTest.h"

namespace {

struct TDotCase {
  const char* Message;
  const char* Expected;
};

class ErrorBoxDot : public ::testing::TestWithParam<TDotCase> {};

TEST_P(ErrorBoxDot, AppendedWhenTheLastCharacterIsAboveTheDot) {
  EXPECT_EQ(ErrorBoxText(GetParam().Message), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ErrorBoxDot,
    ::testing::Values(TDotCase{"abc", "abc."}, TDotCase{"abc.", "abc."}, TDotCase{"(x)", "(x)"},
                      TDotCase{"検索", "検索."}, TDotCase{"", ""}, TDotCase{"a-", "a-"},
                      TDotCase{"a/", "a/."}, TDotCase{"a ", "a "},
                      TDotCase{"ｱ", "ｱ."},  // one-byte katakana
                      TDotCase{"C:\\x に書き込めません", "C:\\x に書き込めません."}));

// The box at work: a main window that owns it, and an idle hook through
// which the test acts while the box is up.
class MessageBoxTest : public TWindowTest {
protected:
  void SetUp() override {
    Main = TopLevel("Main", TRect{20, 20, 520, 55});
    On["Main"] = [this](HWND, UINT M, WPARAM W, LPARAM L) -> std::optional<LRESULT> {
      if (M == WM_ENTERIDLE && W == kIdleDialog) {
        Box = reinterpret_cast<HWND>(L);
        if (Step < Idle.size()) Idle[Step++]();
        return 0;
      }
      return std::nullopt;
    };
    Logged = {WM_LBUTTONDOWN, WM_KEYDOWN};
    SetActiveWindow(Main);
    SetFocus(Main);
    Pump();
    Log.clear();
  }

  int Show(const std::string& Text, TMsgBoxIcon Icon = miNone, int X = -1, int Y = -1) {
    return MessageBoxPos(Main, Text, "Scoutlane' 2010", Icon, X, Y);
  }

  HWND Child(int Id) const {
    for (HWND C = GetWindow(Box, GW_CHILD); C; C = GetWindow(C, GW_HWNDNEXT))
      if (GetWindowLong(C, GWL_ID) == Id) return C;
    return nullptr;
  }
  TRect ScreenRectOf(HWND W) const {
    TRect R;
    GetWindowRect(W, R);
    return R;
  }
  TPoint ButtonCentre() const {
    const TRect R = ScreenRectOf(Child(kMsgBoxButtonId));
    return TPoint{(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2};
  }
  std::uint32_t BoxPixel(int X, int Y) const { return Painted(Box, X, Y); }

  HWND Main = nullptr;
  HWND Box = nullptr;
  std::vector<std::function<void()>> Idle;
  std::size_t Step = 0;
};

TEST_F(MessageBoxTest, TextCaptionAndOneOkButtonCentredAtTheBottom) {
  Idle = {[&] {
    EXPECT_EQ(GetWindowText(Box), "Scoutlane' 2010");
    EXPECT_TRUE(GetWindowLong(Box, GWL_STYLE) & WS_CAPTION) << "framed by the window manager";
    EXPECT_EQ(GetWindow(Box, GW_OWNER), Main);
    HWND Text = Child(kMsgBoxTextId), Button = Child(kMsgBoxButtonId);
    ASSERT_TRUE(Text && Button);
    EXPECT_EQ(GetWindowText(Text), "キーワードを入力してください。");
    EXPECT_EQ(GetWindowText(Button), "OK");
    const TRect B = ScreenRectOf(Box), T = ScreenRectOf(Text), K = ScreenRectOf(Button);
    EXPECT_EQ(T.Left - B.Left, 12);  // no icon: the text starts at the margin
    EXPECT_EQ(T.Top - B.Top, 12);
    EXPECT_EQ(K.Width(), 75);
    EXPECT_EQ(K.Height(), 23);
    EXPECT_EQ(K.Left - B.Left, (B.Width() - 75) / 2);
    EXPECT_EQ(B.Bottom - K.Bottom, 12);
    EXPECT_EQ(K.Top - T.Bottom, 12);
    EXPECT_GE(B.Right - T.Right, 12);
    EXPECT_EQ(GetFocus(), Button);
    EXPECT_EQ(GetActiveWindow(), Box);
    // No icon: the corner where one would be is the face colour.
    EXPECT_EQ(BoxPixel(20, 20), Pixel(clBtnFace));
    Screen.KeyPress(VK_RETURN);
  }};
  EXPECT_EQ(Show("キーワードを入力してください。"), kMsgBoxOk);
  EXPECT_EQ(Step, 1u);
  EXPECT_TRUE(Screen.Beeps().empty()) << "a box without an icon makes no sound";
}

TEST_F(MessageBoxTest, ErrorIconIsARedDiscWithAWhiteCross) {
  Idle = {[&] {
    const TRect B = ScreenRectOf(Box), T = ScreenRectOf(Child(kMsgBoxTextId));
    EXPECT_EQ(T.Left - B.Left, 12 + 32 + 12);
    // A one-line text is centred on the icon.
    EXPECT_EQ((T.Top + T.Bottom) / 2 - B.Top, 12 + 16);
    const TPixelLegend Legend = {
        {'f', clBtnFace}, {'r', clRed}, {'R', RGB(128, 0, 0)}, {'w', clWhite}};
    const TSurface& S = *System.BackBufferOf(Box);
    // The top of the disc: rim, then red.
    ExpectPixels(S, TPoint{12 + 10, 12},
                 {"ffRRRRRRRRff", "RRRRRRRRRRRR", "RrrrrrrrrrrR", "rrrrrrrrrrrr"}, Legend);
    // The cross at the centre, and the red around it.
    ExpectPixels(S, TPoint{12 + 12, 12 + 12},
                 {"wwrrrrww", "wwwrrwww", "rwwwwwwr", "rrwwwwrr", "rrwwwwrr", "rwwwwwwr",
                  "wwwrrwww", "wwrrrrww"},
                 Legend);
    EXPECT_EQ(BoxPixel(12, 12), Pixel(clBtnFace));  // the corner is outside the disc
    Screen.KeyPress(VK_ESCAPE);
  }};
  EXPECT_EQ(Show("書き込めません.", miError), kMsgBoxOk);
  EXPECT_EQ(Screen.Beeps(), std::vector<unsigned>{MB_ICONHAND});
}

TEST_F(MessageBoxTest, LongTextWrapsAtTheMaximumWidth) {
  std::string Long;
  for (int I = 0; I < 12; ++I) Long += "word" + std::to_string(I) + " somewhat longer ";
  Idle = {[&] {
    const TRect T = ScreenRectOf(Child(kMsgBoxTextId));
    EXPECT_LE(T.Width(), 400);
    EXPECT_GT(T.Width(), 300);
    EXPECT_GE(T.Height(), 3 * 12);
    Screen.KeyPress(VK_RETURN);
  }};
  EXPECT_EQ(Show(Long), kMsgBoxOk);
}

TEST_F(MessageBoxTest, DefaultButtonHasAThickFrameFocusRectAndPushesWithSpace) {
  const TPixelLegend Legend = {{'k', clWindowFrame}, {'s', clBtnShadow}, {'f', clBtnFace}};
  Idle = {
      [&] {
        const TSurface& S = *System.BackBufferOf(Box);
        const TRect K = ScreenRectOf(Child(kMsgBoxButtonId));
        const TRect B = ScreenRectOf(Box);
        const int L = K.Left - B.Left, T = K.Top - B.Top;
        EXPECT_EQ(S.Row(T)[L], Pixel(clWindowFrame));
        EXPECT_EQ(S.Row(T + 22)[L + 74], Pixel(clWindowFrame));
        EXPECT_EQ(S.Row(T + 11)[L], Pixel(clWindowFrame));
        EXPECT_NE(S.Row(T + 1)[L + 1], Pixel(clBtnShadow));
        // The dotted focus frame, four pixels in: every other pixel
        // inverted.
        EXPECT_EQ(S.Row(T + 4)[L + 4], ~Pixel(clBtnFace) & 0xFFFFFF);
        EXPECT_EQ(S.Row(T + 4)[L + 5], Pixel(clBtnFace));
        Screen.KeyDown(VK_SPACE);
      },
      [&] {
        const TSurface& S = *System.BackBufferOf(Box);
        const TRect K = ScreenRectOf(Child(kMsgBoxButtonId));
        const TRect B = ScreenRectOf(Box);
        // Pushed: the black frame and a flat shadow frame inside it.
        ExpectPixels(S, TPoint{K.Left - B.Left, K.Top - B.Top}, {"kkkk", "ksss", "ksff"}, Legend);
        EXPECT_TRUE(IsWindow(Box)) << "closes on the release, not the press";
        Screen.KeyUp(VK_SPACE);
      }};
  EXPECT_EQ(Show("abc"), kMsgBoxOk);
  EXPECT_EQ(Step, 2u);
}

// ---- every way to close it

enum TCloseWay { cwEnter, cwEscape, cwSpace, cwClick, cwCloseRequest };

class MessageBoxClose : public MessageBoxTest, public ::testing::WithParamInterface<TCloseWay> {};

TEST_P(MessageBoxClose, AnswersOkAndGivesTheProgramBack) {
  Idle = {[&] {
    EXPECT_FALSE(IsWindowEnabled(Main));
    switch (GetParam()) {
      case cwEnter:
        Screen.KeyPress(VK_RETURN);
        break;
      case cwEscape:
        Screen.KeyPress(VK_ESCAPE);
        break;
      case cwSpace:
        Screen.KeyPress(VK_SPACE);
        break;
      case cwClick:
        Screen.ClickAt(ButtonCentre().X, ButtonCentre().Y);
        break;
      case cwCloseRequest:
        Screen.RequestClose(Native(Box));
        break;
    }
  }};
  EXPECT_EQ(Show("abc"), kMsgBoxOk);
  EXPECT_EQ(Step, 1u);
  EXPECT_FALSE(IsWindow(Box));
  EXPECT_TRUE(IsWindowEnabled(Main));
  EXPECT_EQ(GetActiveWindow(), Main);
  EXPECT_EQ(GetFocus(), Main);
  EXPECT_TRUE(Messages(WM_KEYDOWN).empty()) << "the key went to the box only";
}

INSTANTIATE_TEST_SUITE_P(Ways, MessageBoxClose,
                         ::testing::Values(cwEnter, cwEscape, cwSpace, cwClick, cwCloseRequest));

TEST_F(MessageBoxTest, ReleaseOffTheButtonDoesNotClose) {
  Idle = {[&] {
            Screen.MoveMouse(ButtonCentre().X, ButtonCentre().Y);
            Screen.Press();
            Screen.MoveMouse(ButtonCentre().X + 60, ButtonCentre().Y);
            Screen.Release();
          },
          [&] {
            EXPECT_TRUE(IsWindow(Box));
            Screen.KeyPress(VK_ESCAPE);
          }};
  EXPECT_EQ(Show("abc"), kMsgBoxOk);
  EXPECT_EQ(Step, 2u);
}

TEST_F(MessageBoxTest, ClickOnTheMainWindowDoesNothingWhileTheBoxIsUp) {
  Idle = {[&] {
            Screen.ClickAt(60, 30);
            // The click makes no message at all; this one brings the next idle.
            PostMessage(Main, WM_NULL, 0, 0);
          },
          [&] {
            EXPECT_TRUE(IsWindow(Box));
            EXPECT_TRUE(Messages(WM_LBUTTONDOWN).empty());
            EXPECT_EQ(GetActiveWindow(), Box);
            Screen.KeyPress(VK_RETURN);
          }};
  EXPECT_EQ(Show("abc"), kMsgBoxOk);
  EXPECT_EQ(Step, 2u);
  Screen.ClickAt(60, 30);
  Pump();
  EXPECT_EQ(Messages(WM_LBUTTONDOWN).size(), 1u) << "enabled again afterwards";
}

TEST_F(MessageBoxTest, OtherTopLevelsAreDisabledAndRestoredButNotOnesAlreadyDisabled) {
  HWND Other = TopLevel("Other", TRect{600, 600, 700, 700});
  HWND Off = TopLevel("Off", TRect{700, 600, 800, 700});
  EnableWindow(Off, false);
  Idle = {[&] {
    EXPECT_FALSE(IsWindowEnabled(Other));
    Screen.KeyPress(VK_RETURN);
  }};
  Show("abc");
  EXPECT_TRUE(IsWindowEnabled(Other));
  EXPECT_FALSE(IsWindowEnabled(Off));
}

TEST_F(MessageBoxTest, BoxOfATopmostOwnerIsTopmost) {
  SetWindowPos(Main, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  Idle = {[&] {
    EXPECT_TRUE(GetWindowLong(Box, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(Screen.Stack().front(), Native(Box));
    Screen.KeyPress(VK_RETURN);
  }};
  Show("abc");
}

TEST_F(MessageBoxTest, QuitEndsTheBoxWithoutAnswerAndReachesTheOuterLoop) {
  Idle = {[&] { PostQuitMessage(0); }};
  EXPECT_EQ(Show("abc"), 0);
  EXPECT_FALSE(IsWindow(Box));
  EXPECT_TRUE(IsWindowEnabled(Main));
  MSG M;
  ASSERT_TRUE(PeekMessage(M, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(M.message, UINT(WM_QUIT));
}

TEST_F(MessageBoxTest, ErrorBoxAddsTheDotShowsTheIconAndIsOwnedByTheActiveWindow) {
  Idle = {[&] {
    EXPECT_EQ(GetWindowText(Child(kMsgBoxTextId)), "保存できません.");
    EXPECT_EQ(GetWindowText(Box), "Scoutlane' 2010");
    EXPECT_EQ(GetWindow(Box, GW_OWNER), Main);
    EXPECT_EQ(BoxPixel(12 + 15, 12 + 15), Pixel(clWhite));
    Screen.KeyPress(VK_RETURN);
  }};
  EXPECT_EQ(ShowErrorBox("保存できません", "Scoutlane' 2010"), kMsgBoxOk);
  EXPECT_EQ(Step, 1u);
}

// ---- placement

struct TPlaceCase {
  const char* Name;
  int X, Y;
  bool CentreX, CentreY;
};

class MessageBoxPlacement : public MessageBoxTest,
                            public ::testing::WithParamInterface<TPlaceCase> {};

TEST_P(MessageBoxPlacement, CornerAtThePointOrCentredOnNegativeAxes) {
  const TPlaceCase& C = GetParam();
  Idle = {[&] {
    const TRect B = ScreenRectOf(Box);
    EXPECT_EQ(B.Left, C.CentreX ? (1024 - B.Width()) / 2 : C.X);
    EXPECT_EQ(B.Top, C.CentreY ? (768 - B.Height()) / 2 : C.Y);
    Screen.KeyPress(VK_RETURN);
  }};
  EXPECT_EQ(Show("キーワードを入力してください。", miNone, C.X, C.Y), kMsgBoxOk);
  EXPECT_EQ(Step, 1u);
}

INSTANTIATE_TEST_SUITE_P(Table, MessageBoxPlacement,
                         ::testing::Values(TPlaceCase{"BothPositive", 448, 300, false, false},
                                           TPlaceCase{"Zero", 0, 0, false, false},
                                           TPlaceCase{"NegativeY", 448, -36, false, true},
                                           TPlaceCase{"NegativeX", -1, 300, true, false},
                                           TPlaceCase{"BothNegative", -24, -64, true, true}),
                         [](const ::testing::TestParamInfo<TPlaceCase>& Info) {
                           return std::string(Info.param.Name);
                         });

TEST(MessageBoxPosition, CentresOnlyTheNegativeAxes) {
  EXPECT_EQ(MessageBoxPosition(10, 20, 200, 100, 1024, 768), (TPoint{10, 20}));
  EXPECT_EQ(MessageBoxPosition(-1, 20, 200, 100, 1024, 768), (TPoint{412, 20}));
  EXPECT_EQ(MessageBoxPosition(10, -1, 200, 100, 1024, 768), (TPoint{10, 334}));
  EXPECT_EQ(MessageBoxPosition(-5, -5, 201, 101, 1024, 768), (TPoint{411, 333}));
}

TEST(MessageBoxLayout, CaptionWiderThanTheTextWidensTheBox) {
  TBitmap Probe;
  Probe.SetWidth(1);
  Probe.SetHeight(1);
  const std::string Caption = "A rather long caption for so short a text";
  const TMessageBoxLayout L = LayoutMessageBox(*Probe.Canvas(), "x", Caption, miNone);
  TRect C{0, 0, 0, 0};
  Probe.Canvas()->DrawText(Caption, C, DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
  EXPECT_EQ(L.Width, C.Width() + 96);
  const TMessageBoxLayout Empty = LayoutMessageBox(*Probe.Canvas(), "", "", miNone);
  EXPECT_EQ(Empty.Width, 75 + 24);
  EXPECT_EQ(Empty.Height, 12 + 12 + 23 + 12);
  EXPECT_TRUE(Empty.Icon.IsEmpty());
}

}  // namespace
