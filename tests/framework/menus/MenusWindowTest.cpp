// The popup menu's window: where it opens, what it shows, and how it answers
// the mouse and the keyboard while its loop runs.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "framework/forms/ModalLoop.h"
#include "framework/graphics/Bitmap.h"
#include "framework/menus/MenuWindow.h"
#include "platform/PixelAssert.h"
#include "platform/window/WindowTest.h"

namespace {

// The search bar's own menu: two items, a separator, an item, a separator,
// the last item.
std::vector<TMenuRow> SearchBarRows() {
  return {{"検索履歴を削除する(&D)", false, false, true},
          {"常に手前に表示(&S)", false, true, true},
          {"-", true, false, true},
          {"インフォメーション(&I)...", false, false, true},
          {"-", true, false, true},
          {"終了する(&X)", false, false, true}};
}

TMenuLayout LayoutOf(const std::vector<TMenuRow>& Rows) {
  HDC DC = GetDC(nullptr);
  TCanvas Canvas;
  Canvas.SetHandle(DC);
  TFont Font;
  Canvas.SetFont(&Font);
  TMenuLayout Layout = MeasureMenu(Canvas, Rows);
  Canvas.SetHandle(nullptr);
  ReleaseDC(nullptr, DC);
  return Layout;
}

class MenuWindowTest : public TWindowTest {
protected:
  static constexpr int kX = 200, kY = 150;  // where the menus open

  void SetUp() override {
    Owner = TopLevel("Main", TRect{100, 100, 400, 300});
    On["Main"] = [this](HWND, UINT M, WPARAM W, LPARAM L) -> std::optional<LRESULT> {
      if (M == WM_ENTERIDLE && W == kIdleMenu) {
        MenuWindow = reinterpret_cast<HWND>(L);
        if (Step < Idle.size()) Idle[Step++]();
        return 0;
      }
      return std::nullopt;
    };
    Logged = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_KEYDOWN, WM_CHAR};
    SetActiveWindow(Owner);
    SetFocus(Owner);
    Pump();
    Log.clear();
  }

  int Track(const std::vector<TMenuRow>& Rows) {
    TFont Font;
    return TrackMenu(Rows, kX, kY, Owner, Font);
  }

  // The screen point in the middle of a row of the search bar's menu.
  TPoint RowPoint(int Row) const {
    const TMenuLayout L = LayoutOf(SearchBarRows());
    const TRect& R = L.Rows[Row];
    return TPoint{kX + R.Left + 30, kY + (R.Top + R.Bottom) / 2};
  }

  std::uint32_t MenuPixel(int X, int Y) const { return Painted(MenuWindow, X, Y); }

  HWND Owner = nullptr;
  HWND MenuWindow = nullptr;
  std::vector<std::function<void()>> Idle;
  std::size_t Step = 0;
};

TEST(MenuLayout, RowsAre19HighSeparators9InsideA3PixelFrame) {
  THeadlessBackend* Screen = nullptr;
  TWindowSystem System(std::unique_ptr<TBackend>(Screen = new THeadlessBackend()));
  const TMenuLayout L = LayoutOf(SearchBarRows());
  ASSERT_EQ(L.Rows.size(), 6u);
  const int Tops[] = {3, 22, 41, 50, 69, 78};
  const int Bottoms[] = {22, 41, 50, 69, 78, 97};
  for (int I = 0; I < 6; ++I) {
    EXPECT_EQ(L.Rows[I].Top, Tops[I]) << I;
    EXPECT_EQ(L.Rows[I].Bottom, Bottoms[I]) << I;
    EXPECT_EQ(L.Rows[I].Left, 3);
    EXPECT_EQ(L.Rows[I].Right, L.Width - 3);
  }
  EXPECT_EQ(L.Height, 100);
  // The widest caption decides the width: 17 pixels of check column before
  // it and 17 after it, inside the frame.
  TBitmap Probe;
  Probe.SetWidth(1);
  Probe.SetHeight(1);
  int Widest = 0;
  for (const TMenuRow& Row : SearchBarRows()) {
    TRect R{0, 0, 0, 0};
    if (!Row.Separator) Probe.Canvas()->DrawText(Row.Caption, R, DT_SINGLELINE | DT_CALCRECT);
    Widest = std::max(Widest, R.Width());
  }
  EXPECT_GT(Widest, 60);
  EXPECT_EQ(L.Width, 3 + 17 + Widest + 17 + 3);
  EXPECT_EQ(MenuRowAt(L, {10, 2}), -1);
  EXPECT_EQ(MenuRowAt(L, {10, 3}), 0);
  EXPECT_EQ(MenuRowAt(L, {10, 45}), 2);
  EXPECT_EQ(MenuRowAt(L, {L.Width - 3, 30}), -1);
}

struct TPlacementCase {
  int X, Y, Width, Height;
  TPoint Expected;
};

class MenuPlacement : public ::testing::TestWithParam<TPlacementCase> {};

TEST_P(MenuPlacement, OpensWhereItFitsOnThe1024x768Screen) {
  const TPlacementCase& C = GetParam();
  EXPECT_EQ(MenuPosition(C.X, C.Y, C.Width, C.Height, 1024, 768), C.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Points, MenuPlacement,
    ::testing::Values(TPlacementCase{100, 100, 150, 100, {100, 100}},  // fits
                      TPlacementCase{874, 668, 150, 100, {874, 668}},  // just fits
                      TPlacementCase{875, 100, 150, 100, {725, 100}},  // opens to the left
                      TPlacementCase{100, 669, 150, 100, {100, 569}},  // opens upwards
                      TPlacementCase{1000, 700, 150, 100, {850, 600}},
                      TPlacementCase{100, 50, 1000, 100, {0, 50}},  // wider than the room left
                      TPlacementCase{-20, -5, 150, 100, {0, 0}}));

TEST(AccessKey, IsTheLetterAfterASingleAmpersand) {
  EXPECT_EQ(AccessKeyOf("検索履歴を削除する(&D)"), 'D');
  EXPECT_EQ(AccessKeyOf("&exit"), 'E');
  EXPECT_EQ(AccessKeyOf("Save && &Quit"), 'Q');
  EXPECT_EQ(AccessKeyOf("Tom && Jerry"), 0);
  EXPECT_EQ(AccessKeyOf("end&"), 0);
  EXPECT_EQ(AccessKeyOf("&検索"), 0);
  EXPECT_EQ(AccessKeyOf("&1st"), '1');
}

// Pixels of a drawn menu: frame, check mark, separator, highlight.
TEST(MenuLook, ClassicFrameCheckMarkSeparatorAndHighlight) {
  THeadlessBackend* Screen = nullptr;
  TWindowSystem System(std::unique_ptr<TBackend>(Screen = new THeadlessBackend()));
  const std::vector<TMenuRow> Rows = SearchBarRows();
  const TMenuLayout L = LayoutOf(Rows);
  TBitmap Bitmap;
  Bitmap.SetWidth(L.Width);
  Bitmap.SetHeight(L.Height);
  DrawMenu(*Bitmap.Canvas(), L, Rows, 3);
  const TSurface& S = *Bitmap.Canvas()->Handle()->Target();
  const TPixelLegend Legend = {{'l', cl3DLight},   {'d', cl3DDkShadow}, {'h', clBtnHighlight},
                               {'s', clBtnShadow}, {'m', clMenu},       {'H', clHighlight},
                               {'t', clMenuText}};
  // Top-left corner: light outside, highlight inside, then the menu colour.
  ExpectPixels(S, TPoint{0, 0}, {"llll", "lhhh", "lhmm", "lhmm"}, Legend);
  // Bottom-right corner: shadow inside, dark shadow outside.
  ExpectPixels(S, TPoint{L.Width - 4, L.Height - 4}, {"mmsd", "mmsd", "sssd", "dddd"}, Legend);
  // The check mark of row 1 (checked) at (5, 6) of the row.
  ExpectPixels(S, TPoint{3 + 5, 22 + 6},
               {"mmmmmmt", "mmmmmtt", "tmmmttt", "ttmtttm", "tttttmm", "mtttmmm", "mmtmmmm"},
               Legend);
  // Row 0 is not checked: no mark.
  ExpectPixels(S, TPoint{3 + 5, 3 + 6}, {"mmmmmmm", "mmmmmmm", "mmmmmmm"}, Legend);
  // The separator of row 2 (rows 41..49): shadow at 44, highlight at 45.
  ExpectPixels(S, TPoint{3, 43}, {"mmmm", "ssss", "hhhh", "mmmm"}, Legend);
  // Row 3 is highlighted across its whole width, frame left alone.
  ExpectPixels(S, TPoint{1, 50}, {"hmHHHH", "hmHHHH"}, Legend);
  ExpectPixels(S, TPoint{L.Width - 5, 68}, {"HHms"}, Legend);
}

// The access key is underlined: drawn with the prefix, the only difference
// from the same caption without it is one horizontal run under the letter.
TEST(MenuLook, AccessKeyIsUnderlined) {
  THeadlessBackend* Screen = nullptr;
  TWindowSystem System(std::unique_ptr<TBackend>(Screen = new THeadlessBackend()));
  const std::vector<TMenuRow> With = {{"終了する(&X)", false, false, true}};
  const std::vector<TMenuRow> Without = {{"終了する(X)", false, false, true}};
  const TMenuLayout L = LayoutOf(With);
  ASSERT_EQ(L.Width, LayoutOf(Without).Width);
  TBitmap A, B;
  for (TBitmap* Bmp : {&A, &B}) {
    Bmp->SetWidth(L.Width);
    Bmp->SetHeight(L.Height);
  }
  DrawMenu(*A.Canvas(), L, With, -1);
  DrawMenu(*B.Canvas(), L, Without, -1);
  const TSurface& SA = *A.Canvas()->Handle()->Target();
  const TSurface& SB = *B.Canvas()->Handle()->Target();
  int Row = -1, First = -1, Last = -1, Count = 0;
  for (int Y = 0; Y < L.Height; ++Y)
    for (int X = 0; X < L.Width; ++X)
      if (SA.Row(Y)[X] != SB.Row(Y)[X]) {
        ++Count;
        if (Row < 0) Row = Y, First = X;
        EXPECT_EQ(Y, Row) << "differs off the underline row at " << X << "," << Y;
        EXPECT_EQ(SA.Row(Y)[X], ColorToPixel(clMenuText));
        Last = X;
      }
  ASSERT_GT(Count, 2);
  EXPECT_EQ(Count, Last - First + 1);  // one unbroken run
  // Under the "X": right of "終了する(" and inside the row.
  TRect Prefix{0, 0, 0, 0};
  A.Canvas()->DrawText("終了する(", Prefix, DT_SINGLELINE | DT_CALCRECT);
  EXPECT_EQ(First, 3 + 17 + Prefix.Width());
  EXPECT_GT(Row, 3 + 9);
  EXPECT_LT(Row, 3 + 19);
}

TEST_F(MenuWindowTest, ShowsAtThePointAboveItsOwnerAndPaints) {
  Idle = {[&] {
    TRect R;
    ASSERT_TRUE(GetWindowRect(MenuWindow, R));
    EXPECT_EQ(R.Left, kX);
    EXPECT_EQ(R.Top, kY);
    EXPECT_EQ(R.Height(), 100);
    EXPECT_TRUE(IsWindowVisible(MenuWindow));
    EXPECT_EQ(Screen.Stack().front(), Native(MenuWindow));
    EXPECT_EQ(Shown(MenuWindow, 0, 0), Pixel(cl3DLight));
    EXPECT_EQ(Shown(MenuWindow, 2, 2), Pixel(clMenu));
    EXPECT_EQ(GetCapture(), MenuWindow);
    // The owner keeps the activation: the menu never takes it.
    EXPECT_EQ(GetActiveWindow(), Owner);
    Screen.KeyPress(VK_ESCAPE);
  }};
  EXPECT_EQ(Track(SearchBarRows()), -1);
  EXPECT_EQ(Step, 1u);
  EXPECT_FALSE(IsWindow(MenuWindow));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_TRUE(Messages(WM_KEYDOWN).empty()) << "the owner saw the Escape";
}

TEST_F(MenuWindowTest, PointerHighlightsRowsButNeverSeparators) {
  const TMenuLayout L = LayoutOf(SearchBarRows());
  Idle = {[&] { Screen.MoveMouse(RowPoint(1).X, RowPoint(1).Y); },
          [&] {
            EXPECT_EQ(MenuPixel(10, 30), Pixel(clHighlight));
            EXPECT_EQ(MenuPixel(10, 10), Pixel(clMenu));
            Screen.MoveMouse(RowPoint(2).X, RowPoint(2).Y);  // the separator
          },
          [&] {
            EXPECT_EQ(MenuPixel(10, 30), Pixel(clMenu));
            EXPECT_EQ(MenuPixel(10, 42), Pixel(clMenu));
            Screen.MoveMouse(RowPoint(3).X, RowPoint(3).Y);
          },
          [&] {
            EXPECT_EQ(MenuPixel(10, 55), Pixel(clHighlight));
            Screen.MoveMouse(kX + L.Width + 20, kY + 55);  // off the menu
          },
          [&] { EXPECT_EQ(MenuPixel(10, 55), Pixel(clMenu)); }};
  EXPECT_EQ(Track(SearchBarRows()), -1);
  EXPECT_EQ(Step, 5u);
}

TEST_F(MenuWindowTest, ClickOnARowChoosesIt) {
  Screen.ClickAt(RowPoint(3).X, RowPoint(3).Y);
  EXPECT_EQ(Track(SearchBarRows()), 3);
  EXPECT_TRUE(Log.empty());
}

TEST_F(MenuWindowTest, RightButtonChoosesToo) {
  Screen.ClickAt(RowPoint(5).X, RowPoint(5).Y, mbRight);
  EXPECT_EQ(Track(SearchBarRows()), 5);
}

TEST_F(MenuWindowTest, ClickOnASeparatorOrADisabledRowKeepsItOpen) {
  std::vector<TMenuRow> Rows = SearchBarRows();
  Rows[3].Enabled = false;
  Screen.ClickAt(RowPoint(2).X, RowPoint(2).Y);
  Screen.ClickAt(RowPoint(3).X, RowPoint(3).Y);
  Idle = {[&] {
    EXPECT_TRUE(IsWindowVisible(MenuWindow));
    Screen.ClickAt(RowPoint(0).X, RowPoint(0).Y);
  }};
  EXPECT_EQ(Track(Rows), 0);
  EXPECT_EQ(Step, 1u);
}

TEST_F(MenuWindowTest, PressOutsideClosesWithoutChoiceAndIsNotDelivered) {
  // A point of the owner window, away from the menu.
  Screen.ClickAt(120, 120);
  EXPECT_EQ(Track(SearchBarRows()), -1);
  EXPECT_TRUE(Messages(WM_LBUTTONDOWN).empty());
  EXPECT_TRUE(Messages(WM_LBUTTONUP).empty());
  // The next click reaches the owner as usual.
  Screen.ClickAt(120, 120);
  Pump();
  EXPECT_EQ(Messages(WM_LBUTTONDOWN).size(), 1u);
}

TEST_F(MenuWindowTest, LosingTheCaptureCloses) {
  HWND Other = TopLevel("Other", TRect{600, 100, 700, 200});
  Idle = {[&] { SetCapture(Other); }};
  EXPECT_EQ(Track(SearchBarRows()), -1);
  EXPECT_EQ(Step, 1u);
}

TEST_F(MenuWindowTest, ProgramLosingTheFocusClosesIt) {
  Idle = {[&] {
    Screen.FocusOut(Native(Owner));
    Screen.FocusIn(Native(Owner));  // back at once: the menu stays closed
    Screen.TypeText("x");
  }};
  EXPECT_EQ(Track(SearchBarRows()), -1);
  EXPECT_EQ(Step, 1u);
}

TEST_F(MenuWindowTest, QuitEndsTheMenuAndReachesTheOuterLoop) {
  Idle = {[&] { PostQuitMessage(3); }};
  EXPECT_EQ(Track(SearchBarRows()), -1);
  MSG M;
  ASSERT_TRUE(PeekMessage(M, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(M.message, UINT(WM_QUIT));
  EXPECT_EQ(M.wParam, 3u);
}

TEST_F(MenuWindowTest, NothingToShowReturnsAtOnce) {
  EXPECT_EQ(Track({}), -1);
  EXPECT_EQ(Step, 0u);
}

// ---- the keyboard, as a table of keys pressed and the row chosen

struct TKeyCase {
  const char* Name;
  std::vector<int> Keys;  // virtual keys; 'a'..'z' are typed as text
  int Expected;
  std::size_t Beeps = 0;
};

class MenuKeys : public MenuWindowTest, public ::testing::WithParamInterface<TKeyCase> {};

TEST_P(MenuKeys, ChooseTheExpectedRow) {
  const TKeyCase& C = GetParam();
  std::vector<TMenuRow> Rows = SearchBarRows();
  Rows[3].Enabled = false;
  for (int Key : C.Keys) {
    if (Key >= 'a' && Key <= 'z')
      Screen.TypeText(std::string(1, char(Key)));
    else if (Key == -'S')
      Screen.KeyPress('S', mkAlt);
    else
      Screen.KeyPress(Key);
  }
  EXPECT_EQ(Track(Rows), C.Expected);
  EXPECT_EQ(Screen.Beeps().size(), C.Beeps);
  EXPECT_TRUE(Messages(WM_KEYDOWN).empty());
  EXPECT_TRUE(Messages(WM_CHAR).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, MenuKeys,
    ::testing::Values(
        TKeyCase{"DownHighlightsOnly", {VK_DOWN}, -1},
        TKeyCase{"FirstRow", {VK_DOWN, VK_RETURN}, 0},
        TKeyCase{"SkipsTheSeparator", {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, 5},
        TKeyCase{"WrapsAround", {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, 0},
        TKeyCase{"UpStartsAtTheLast", {VK_UP, VK_RETURN}, 5},
        TKeyCase{"UpSkipsTheSeparator", {VK_UP, VK_UP, VK_UP, VK_RETURN}, 1},
        TKeyCase{"EndAndHome", {VK_END, VK_HOME, VK_RETURN}, 0},
        TKeyCase{"EnterOnADisabledRowDoesNothing",
                 {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN, VK_DOWN, VK_RETURN},
                 5},
        TKeyCase{"EnterWithoutHighlight", {VK_RETURN}, -1},
        TKeyCase{"EscapeCloses", {VK_ESCAPE, VK_DOWN, VK_RETURN}, -1},
        TKeyCase{"AccessKey", {'d'}, 0}, TKeyCase{"AccessKeyOfTheLastRow", {'x'}, 5},
        TKeyCase{"AltAccessKey", {-'S'}, 1},
        TKeyCase{"AccessKeyOfADisabledRowOnlyHighlights", {'i'}, -1},
        TKeyCase{"UnknownKeyBeeps", {'q', VK_DOWN, VK_RETURN}, 0, 1}),
    [](const ::testing::TestParamInfo<TKeyCase>& Info) { return std::string(Info.param.Name); });

TEST_F(MenuWindowTest, SharedAccessKeyCyclesInsteadOfChoosing) {
  const std::vector<TMenuRow> Rows = {{"&Apple", false, false, true},
                                      {"-", true, false, true},
                                      {"&Avocado", false, false, true},
                                      {"&Banana", false, false, true}};
  Screen.TypeText("a");
  Screen.TypeText("a");
  Screen.TypeText("a");
  Screen.TypeText("a");
  Screen.KeyPress(VK_RETURN);
  EXPECT_EQ(Track(Rows), 2);
}

}  // namespace
