// Invalidation, WM_PAINT timing, clipping between windows, the default
// frame, erasing, presenting and the caret, checked on exact pixels.

#include "WindowTest.h"
#include "platform/gdi/Primitives.h"
#include "platform/gdi/Region.h"

namespace {

const std::uint32_t kWhite = Pixel(RGB(255, 255, 255));
const std::uint32_t kRed = Pixel(RGB(255, 0, 0));
const std::uint32_t kGreen = Pixel(RGB(0, 255, 0));
const std::uint32_t kBlue = Pixel(RGB(0, 0, 255));
const std::uint32_t kBlack = Pixel(RGB(0, 0, 0));

class WindowPaint : public TWindowTest {};

TEST_F(WindowPaint, PaintWaitsUntilPostedMessagesAndInputAreHandled) {
  HWND W = TopLevel("W", Bounds(10, 10, 50, 50));
  Pump();
  Logged = {WM_PAINT, WM_USER, WM_LBUTTONDOWN};
  InvalidateRect(W, nullptr, true);
  PostMessage(W, WM_USER, 0, 0);
  Screen.ClickAt(20, 20);
  EXPECT_TRUE(Log.empty());  // nothing is painted on the spot
  Pump();
  EXPECT_EQ(Order({WM_PAINT, WM_USER, WM_LBUTTONDOWN}),
            (std::vector<std::string>{"W:USER", "W:LBUTTONDOWN", "W:PAINT"}));
  Log.clear();
  Pump();
  EXPECT_TRUE(Log.empty());  // validated: no second WM_PAINT
}

TEST_F(WindowPaint, UpdateWindowPaintsAndPresentsAtOnce) {
  HWND W = TopLevel("W", Bounds(10, 10, 50, 50));
  On["W"] = PaintWith(RGB(255, 0, 0));
  Pump();
  ASSERT_EQ(Shown(W, 5, 5), kRed);
  On["W"] = PaintWith(RGB(0, 0, 255));
  Logged = {WM_PAINT};
  InvalidateRect(W, nullptr, false);
  ASSERT_TRUE(UpdateWindow(W));
  EXPECT_EQ(Messages(WM_PAINT).size(), 1u);
  EXPECT_EQ(Shown(W, 5, 5), kBlue);  // on the screen before any loop ran
  Log.clear();
  UpdateWindow(W);
  EXPECT_TRUE(Log.empty());  // nothing invalid, nothing painted
}

TEST_F(WindowPaint, InvalidRectanglesMergeIntoOnePaintClippedToThem) {
  HWND W = TopLevel("W", Bounds(0, 0, 20, 20));
  On["W"] = PaintWith(RGB(255, 255, 255));
  Pump();
  std::vector<TRect> PaintRects;
  On["W"] = [&](HWND H, UINT M, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (M != WM_PAINT) return std::nullopt;
    PAINTSTRUCT PS;
    HDC DC = BeginPaint(H, PS);
    PaintRects.push_back(PS.rcPaint);
    DC->FillDeviceRect(DC->ToDevice(Rect(0, 0, 20, 20)), kRed);  // the whole client
    EndPaint(H, PS);
    return 0;
  };
  const TRect A = Rect(2, 2, 5, 5), B = Rect(10, 10, 12, 14);
  InvalidateRect(W, &A, false);
  InvalidateRect(W, &B, false);
  Pump();
  ASSERT_EQ(PaintRects.size(), 1u);
  EXPECT_EQ(PaintRects[0], Rect(2, 2, 12, 14));
  ExpectPixels(*System.BackBufferOf(W), 1, 1, {"......", ".RRR..", ".RRR..", ".RRR..", "......"},
               {{'.', kWhite}, {'R', kRed}});
  ExpectPixels(*System.BackBufferOf(W), 9, 9, {"....", ".RR.", ".RR.", ".RR.", ".RR.", "...."},
               {{'.', kWhite}, {'R', kRed}});
}

TEST_F(WindowPaint, AWindowNeverPaintsOverASiblingAboveItOrItsOwnChildren) {
  HWND P = TopLevel("P", Bounds(0, 0, 8, 6));
  HWND A = Child("A", P, Bounds(1, 1, 5, 3));
  Child("B", P, Bounds(3, 2, 4, 3));  // created later: above A
  On["P"] = PaintWith(RGB(255, 255, 255));
  On["A"] = PaintWith(RGB(255, 0, 0));
  On["B"] = PaintWith(RGB(0, 0, 255));
  Pump();
  const std::map<char, std::uint32_t> Legend{
      {'.', kWhite}, {'a', kRed}, {'b', kBlue}, {'g', kGreen}, {'k', kBlack}};
  const std::vector<std::string> Expected{"........", ".aaaaa..", ".aabbbb.",
                                          ".aabbbb.", "...bbbb.", "........"};
  ExpectPixels(*System.BackBufferOf(P), 0, 0, Expected, Legend);
  // The lower child and the parent repaint all they can: the rest stays.
  On["A"] = PaintWith(RGB(0, 255, 0));
  On["P"] = PaintWith(RGB(0, 0, 0));
  InvalidateRect(A, nullptr, false);
  InvalidateRect(P, nullptr, false);
  UpdateWindow(P);
  ExpectPixels(*System.BackBufferOf(P), 0, 0,
               {"kkkkkkkk", "kgggggkk", "kggbbbbk", "kggbbbbk", "kkkbbbbk", "kkkkkkkk"}, Legend);
  // And the screen shows the same.
  ExpectPixels(Screen.Screenshot(), 0, 0,
               {"kkkkkkkk", "kgggggkk", "kggbbbbk", "kggbbbbk", "kkkbbbbk", "kkkkkkkk"}, Legend);
}

TEST_F(WindowPaint, HidingOrMovingAChildRepaintsWhatItUncovered) {
  HWND P = TopLevel("P", Bounds(0, 0, 20, 10));
  HWND C = Child("C", P, Bounds(2, 2, 4, 4));
  On["P"] = PaintWith(RGB(255, 255, 255));
  On["C"] = PaintWith(RGB(255, 0, 0));
  Pump();
  ASSERT_EQ(Painted(P, 3, 3), kRed);
  SetWindowPos(C, nullptr, 10, 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  Pump();
  EXPECT_EQ(Painted(P, 3, 3), kWhite);
  EXPECT_EQ(Painted(P, 11, 3), kRed);
  ShowWindow(C, SW_HIDE);
  Pump();
  EXPECT_EQ(Painted(P, 11, 3), kWhite);
  EXPECT_EQ(Shown(P, 11, 3), kWhite);
}

TEST_F(WindowPaint, ClassBackgroundErasesUnlessEraseBackgroundIsHandled) {
  HWND P = Create("P", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 30, 30), nullptr, 0, 0, clBtnFace);
  Pump();
  EXPECT_EQ(Painted(P, 15, 15), Pixel(clBtnFace));
  // A handler that says it erased gets fErase false and nothing is filled.
  std::vector<bool> Erase;
  On["P"] = [&](HWND H, UINT M, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (M == WM_ERASEBKGND) return 1;
    if (M == WM_PAINT) {
      PAINTSTRUCT PS;
      BeginPaint(H, PS);
      Erase.push_back(PS.fErase);
      EndPaint(H, PS);
      return 0;
    }
    return std::nullopt;
  };
  HDC DC = GetDC(P);
  DC->FillDeviceRect(DC->ToDevice(Rect(0, 0, 30, 30)), kBlue);
  ReleaseDC(P, DC);
  InvalidateRect(P, nullptr, true);
  Pump();
  EXPECT_EQ(Erase, (std::vector<bool>{false}));
  EXPECT_EQ(Painted(P, 15, 15), kBlue);
}

TEST_F(WindowPaint, DefaultFrameDrawsBorderAndClientEdge) {
  HWND P = TopLevel("P", Bounds(0, 0, 40, 40));
  On["P"] = PaintWith(RGB(0, 255, 0));  // apart from the highlight white
  HWND B = Create("B", WS_CHILD | WS_VISIBLE | WS_BORDER, Bounds(2, 2, 10, 10), P);
  HWND E = Create("E", WS_CHILD | WS_VISIBLE, Bounds(20, 2, 10, 10), P, WS_EX_CLIENTEDGE);
  On["B"] = PaintWith(RGB(255, 0, 0));
  On["E"] = PaintWith(RGB(255, 0, 0));
  Pump();
  const std::map<char, std::uint32_t> Legend{{'.', kGreen},
                                             {'R', kRed},
                                             {'F', Pixel(clWindowFrame)},
                                             {'s', Pixel(clBtnShadow)},
                                             {'h', Pixel(clBtnHighlight)},
                                             {'d', Pixel(cl3DDkShadow)},
                                             {'l', Pixel(cl3DLight)}};
  ExpectPixels(*System.BackBufferOf(P), 1, 1,
               {"............", ".FFFFFFFFFF.", ".FRRRRRRRRF.", ".FRRRRRRRRF."}, Legend);
  ExpectPixels(*System.BackBufferOf(P), 1, 10, {".FRRRRRRRRF.", ".FFFFFFFFFF.", "............"},
               Legend);
  // Sunken client edge: shadow over dark shadow at the top left, highlight
  // over light at the bottom right; the dark sides own the far corners.
  ExpectPixels(*System.BackBufferOf(P), 20, 2,
               {"sssssssssh", "sdddddddlh", "sdRRRRRRlh", "sdRRRRRRlh"}, Legend);
  ExpectPixels(*System.BackBufferOf(P), 20, 9, {"sdRRRRRRlh", "sllllllllh", "hhhhhhhhhh"}, Legend);
  EXPECT_TRUE(IsWindow(B) && IsWindow(E));
}

TEST_F(WindowPaint, OnePresentPerPaintCycle) {
  HWND P = TopLevel("P", Bounds(0, 0, 40, 40));
  HWND A = Child("A", P, Bounds(0, 0, 10, 10));
  HWND B = Child("B", P, Bounds(20, 20, 10, 10));
  Pump();
  const int Before = Screen.Native(Native(P))->PresentCount;
  InvalidateRect(P, nullptr, true);
  InvalidateRect(A, nullptr, true);
  InvalidateRect(B, nullptr, true);
  Pump();
  EXPECT_EQ(Screen.Native(Native(P))->PresentCount, Before + 1);
  Pump();
  EXPECT_EQ(Screen.Native(Native(P))->PresentCount, Before + 1);  // nothing new to show
}

TEST_F(WindowPaint, HiddenWindowsGetNoPaintAndShowingPaintsThemWhole) {
  HWND P = Create("P", WS_POPUP, Bounds(0, 0, 10, 10));
  Logged = {WM_PAINT, WM_NCPAINT};
  InvalidateRect(P, nullptr, true);
  Pump();
  EXPECT_TRUE(Log.empty());
  ShowWindow(P, SW_SHOWNA);
  Pump();
  EXPECT_EQ(Order({WM_PAINT, WM_NCPAINT}), (std::vector<std::string>{"P:PAINT", "P:NCPAINT"}));
}

TEST_F(WindowPaint, HandlerThatNeverBeginsPaintCannotMakeTheLoopSpin) {
  HWND P = TopLevel("P", Bounds(0, 0, 10, 10));
  Pump();
  Logged = {WM_PAINT};
  On["P"] = [](HWND, UINT M, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (M == WM_PAINT) return 0;  // forgets BeginPaint
    return std::nullopt;
  };
  InvalidateRect(P, nullptr, false);
  Pump();
  EXPECT_EQ(Messages(WM_PAINT).size(), 1u);
}

TEST_F(WindowPaint, ScrollBarThumbFollowsThePosition) {
  HWND P = TopLevel("P", Bounds(0, 0, 60, 120));
  HWND L = Child("L", P, Bounds(0, 0, 40, 100), WS_VSCROLL);
  SCROLLINFO Info;
  Info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  Info.nMin = 0;
  Info.nMax = 99;
  Info.nPage = 10;
  SetScrollInfo(L, SB_VERT, Info, true);
  Pump();
  // Bar at x 23..39; arrows 17 high; track 66; thumb max(8, 66 * 10 / 100).
  const int X = 23 + 8;
  auto IsTrack = [&](int Y) {
    const std::uint32_t Px = Painted(P, X, Y);
    return Px == Pixel(clBtnHighlight) || Px == Pixel(clBtnFace);
  };
  EXPECT_EQ(Painted(P, 23, 17), Pixel(cl3DLight));  // the thumb's outer edge at the top
  EXPECT_EQ(Painted(P, X, 20), Pixel(clBtnFace));
  EXPECT_NE(Painted(P, X, 40), Painted(P, X + 1, 40));  // checkerboard track
  EXPECT_TRUE(IsTrack(40));
  SetScrollPos(L, SB_VERT, 90, true);
  Pump();
  // Position 90 is the last (99 - 10 + 1): the thumb ends at the lower arrow.
  EXPECT_EQ(Painted(P, 23, 75), Pixel(cl3DLight));
  EXPECT_EQ(Painted(P, X, 82), Pixel(cl3DDkShadow));
  EXPECT_NE(Painted(P, X, 20), Painted(P, X + 1, 20));
  EXPECT_EQ(GetScrollPos(L, SB_VERT), 90);
  // Down arrow glyph: four rows, the widest (7) on top, tip at the centre.
  EXPECT_EQ(Painted(P, 23 + 8, 100 - 17 + 6), Pixel(clBtnText));
  EXPECT_EQ(Painted(P, 23 + 5, 100 - 17 + 6), Pixel(clBtnText));
  EXPECT_EQ(Painted(P, 23 + 4, 100 - 17 + 6), Pixel(clBtnFace));
  EXPECT_EQ(Painted(P, 23 + 8, 100 - 17 + 9), Pixel(clBtnText));
  EXPECT_EQ(Painted(P, 23 + 7, 100 - 17 + 9), Pixel(clBtnFace));
}

TEST_F(WindowPaint, ScrollBarWithNothingToScrollGoesAway) {
  HWND P = TopLevel("P", Bounds(0, 0, 60, 120));
  HWND L = Child("L", P, Bounds(0, 0, 40, 100), WS_VSCROLL);
  SCROLLINFO Info;
  Info.fMask = SIF_RANGE | SIF_PAGE;
  Info.nMin = 0;
  Info.nMax = 9;
  Info.nPage = 10;
  SetScrollInfo(L, SB_VERT, Info, true);
  TRect R;
  GetClientRect(L, R);
  EXPECT_EQ(R.Width(), 40);
  Info.nMax = 10;
  SetScrollInfo(L, SB_VERT, Info, true);
  GetClientRect(L, R);
  EXPECT_EQ(R.Width(), 23);
}

TEST_F(WindowPaint, CaretIsInvertedOnTheScreenOnlyAndBlinks) {
  HWND P = TopLevel("P", Bounds(0, 0, 20, 20));
  On["P"] = PaintWith(RGB(255, 255, 255));
  Pump();
  ASSERT_TRUE(CreateCaret(P, 2, 5));
  SetCaretPos(3, 4);
  ShowCaret(P);
  Pump();
  EXPECT_EQ(Shown(P, 3, 4), kBlack);
  EXPECT_EQ(Shown(P, 4, 8), kBlack);
  EXPECT_EQ(Shown(P, 5, 4), kWhite);
  EXPECT_EQ(Painted(P, 3, 4), kWhite);  // the back buffer holds the window as painted
  Screen.AdvanceTime(GetCaretBlinkTime());
  Pump();
  EXPECT_EQ(Shown(P, 3, 4), kWhite);
  Screen.AdvanceTime(GetCaretBlinkTime());
  Pump();
  EXPECT_EQ(Shown(P, 3, 4), kBlack);
  DestroyCaret();
  Pump();
  EXPECT_EQ(Shown(P, 3, 4), kWhite);
}

// A window's context keeps the window's place and visible area beneath the
// application's own origin and clip. The painter first clips and moves as a
// control painting a part of itself would, then puts back "no clip" and the
// zero origin, then paints everything black and its logical (0, 0) green.
enum TContextKind { ckBeginPaintWhole, ckBeginPaintPart, ckGetDC, ckGetWindowDC };

struct TContextCase {
  const char* Name;
  TContextKind Kind;
  std::vector<std::string> Expected;  // the parent's pixels (0, 0) - (10, 7)
};

void PaintEverythingAfterResetting(HDC DC) {
  TRegion Saved;
  const bool HadClip = DC->GetClipRegion(Saved);
  DC->SetViewportOrg(3, 3);
  DC->IntersectClipRect(TRect{0, 0, 1, 1});
  DC->SelectClipRegion(HadClip ? &Saved : nullptr);
  DC->SetViewportOrg(0, 0);
  FillRect(*DC, TRect{-100, -100, 100, 100}, SolidBrush(RGB(0, 0, 0)));
  FillRect(*DC, TRect{0, 0, 1, 1}, SolidBrush(RGB(0, 255, 0)));
}

void PrintTo(const TContextCase& Case, std::ostream* Out) { *Out << Case.Name; }

class WindowContext : public TWindowTest, public ::testing::WithParamInterface<TContextCase> {};

TEST_P(WindowContext, ApplicationResetsCannotPaintOutsideTheWindow) {
  // A bordered child A, client (2, 2) - (7, 5) on the parent, and a sibling
  // B above it at (5, 3) - (9, 6).
  HWND P = TopLevel("P", Bounds(0, 0, 10, 7));
  HWND A = Child("A", P, Bounds(1, 1, 7, 5), WS_BORDER);
  Child("B", P, Bounds(5, 3, 4, 3));
  On["P"] = PaintWith(RGB(255, 255, 255));
  On["A"] = PaintWith(RGB(255, 0, 0));
  On["B"] = PaintWith(RGB(0, 0, 255));
  Pump();
  const TContextKind Kind = GetParam().Kind;
  if (Kind == ckBeginPaintWhole || Kind == ckBeginPaintPart) {
    On["A"] = [](HWND H, UINT M, WPARAM, LPARAM) -> std::optional<LRESULT> {
      if (M != WM_PAINT) return std::nullopt;
      PAINTSTRUCT PS;
      PaintEverythingAfterResetting(BeginPaint(H, PS));
      EndPaint(H, PS);
      return 0;
    };
    const TRect Part = Rect(0, 0, 2, 1);
    InvalidateRect(A, Kind == ckBeginPaintPart ? &Part : nullptr, false);
    UpdateWindow(A);
  } else {
    HDC DC = Kind == ckGetDC ? GetDC(A) : GetWindowDC(A);
    ASSERT_NE(DC, nullptr);
    PaintEverythingAfterResetting(DC);
    ReleaseDC(A, DC);
  }
  const std::map<char, std::uint32_t> Legend{{'.', kWhite}, {'R', kRed},
                                             {'b', kBlue},  {'k', kBlack},
                                             {'g', kGreen}, {'F', Pixel(clWindowFrame)}};
  ExpectPixels(*System.BackBufferOf(P), 0, 0, GetParam().Expected, Legend);
}

INSTANTIATE_TEST_SUITE_P(
    Paint, WindowContext,
    ::testing::Values(TContextCase{"BeginPaintWhole",
                                   ckBeginPaintWhole,
                                   {"..........", ".FFFFFFF..", ".FgkkkkF..", ".Fkkkbbbb.",
                                    ".Fkkkbbbb.", ".FFFFbbbb.", ".........."}},
                      // The update region stays a limit too.
                      TContextCase{"BeginPaintPart",
                                   ckBeginPaintPart,
                                   {"..........", ".FFFFFFF..", ".FgkRRRF..", ".FRRRbbbb.",
                                    ".FRRRbbbb.", ".FFFFbbbb.", ".........."}},
                      TContextCase{"GetDC",
                                   ckGetDC,
                                   {"..........", ".FFFFFFF..", ".FgkkkkF..", ".Fkkkbbbb.",
                                    ".Fkkkbbbb.", ".FFFFbbbb.", ".........."}},
                      TContextCase{"GetWindowDC",
                                   ckGetWindowDC,
                                   {"..........", ".gkkkkkk..", ".kkkkkkk..", ".kkkkbbbb.",
                                    ".kkkkbbbb.", ".kkkkbbbb.", ".........."}}),
    [](const ::testing::TestParamInfo<TContextCase>& Info) { return Info.param.Name; });

TEST_F(WindowPaint, ClipQueriesInAPaintAnswerInTheWindowsOwnTerms) {
  // A child at (2, 2) - (8, 6) with a sibling above it over its last two
  // columns; a part of it is invalid.
  HWND P = TopLevel("P", Bounds(0, 0, 12, 8));
  HWND A = Child("A", P, Bounds(2, 2, 6, 4));
  Child("B", P, Bounds(6, 2, 4, 4));
  Pump();
  bool HadRegion = true, HadRegionAfterReset = true;
  TRect PaintRect, Box, MovedBox, ResetBox;
  TRegion AfterExclude;
  On["A"] = [&](HWND H, UINT M, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (M != WM_PAINT) return std::nullopt;
    PAINTSTRUCT PS;
    HDC DC = BeginPaint(H, PS);
    PaintRect = PS.rcPaint;
    TRegion Region;
    HadRegion = DC->GetClipRegion(Region);
    DC->GetClipBox(Box);
    DC->SetViewportOrg(1, 1);
    DC->GetClipBox(MovedBox);
    DC->ExcludeClipRect(TRect{0, 0, 1, 1});  // device (1, 1) - (2, 2)
    DC->GetClipRegion(AfterExclude);
    DC->SelectClipRegion(nullptr);
    HadRegionAfterReset = DC->GetClipRegion(Region);
    DC->GetClipBox(ResetBox);
    EndPaint(H, PS);
    return 0;
  };
  const TRect Invalid = Rect(1, 1, 5, 3);
  InvalidateRect(A, &Invalid, false);
  UpdateWindow(A);
  EXPECT_EQ(PaintRect, Rect(1, 1, 5, 3));
  EXPECT_FALSE(HadRegion);  // the window's own limits are no clip region of the application's
  EXPECT_EQ(Box, Rect(1, 1, 4, 3));  // client coordinates, cut by the sibling
  EXPECT_EQ(MovedBox, Rect(0, 0, 3, 2));
  TRegion Expected(Rect(1, 1, 4, 3));
  Expected.Subtract(Rect(1, 1, 2, 2));
  EXPECT_EQ(AfterExclude, Expected);  // started from the visible area, in client coordinates
  EXPECT_FALSE(HadRegionAfterReset);
  EXPECT_EQ(ResetBox, Rect(0, 0, 3, 2));
}

TEST_F(WindowPaint, ParentThatResetsItsContextStillSparesItsChildren) {
  HWND P = TopLevel("P", Bounds(0, 0, 6, 4));
  Child("C", P, Bounds(1, 1, 3, 2));
  On["P"] = PaintWith(RGB(255, 255, 255));
  On["C"] = PaintWith(RGB(255, 0, 0));
  Pump();
  On["P"] = [](HWND H, UINT M, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (M != WM_PAINT) return std::nullopt;
    PAINTSTRUCT PS;
    HDC DC = BeginPaint(H, PS);
    {
      // A windowless control painted by its parent, in a saved state.
      TDCStateSaver Saver(*DC);
      DC->SetViewportOrg(4, 0);
      DC->IntersectClipRect(TRect{0, 0, 2, 4});
      FillRect(*DC, TRect{0, 0, 2, 4}, SolidBrush(RGB(0, 0, 255)));
    }
    DC->SelectClipRegion(nullptr);
    FillRect(*DC, TRect{0, 0, 4, 4}, SolidBrush(RGB(0, 0, 0)));
    EndPaint(H, PS);
    return 0;
  };
  // Only the parent repaints: the child's pixels must survive its paint.
  InvalidateRect(P, nullptr, false);
  UpdateWindow(P);
  ExpectPixels(*System.BackBufferOf(P), 0, 0, {"kkkkbb", "kRRRbb", "kRRRbb", "kkkkbb"},
               {{'k', kBlack}, {'R', kRed}, {'b', kBlue}});
}

}  // namespace
