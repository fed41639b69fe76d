// The system's modal loops: sizing with a grip or a frame edge, honouring
// WM_GETMINMAXINFO, and scroll bar presses and thumb drags.

#include "WindowTest.h"

namespace {

class WindowSizing : public TWindowTest {
protected:
  // A drop-down list's kind of window: child style on the desktop, one-pixel
  // border, a 19-pixel strip at the bottom with a grip in its right corner
  // (the last 20 by 20 pixels), minimum tracking size 100 by 100.
  void MakeList() {
    Owner = Create("Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, Bounds(20, 20, 500, 35));
    List = Create("List", WS_CHILD | WS_BORDER, Bounds(0, 0, 160, 182), Owner,
                  WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    On["List"] = [this](HWND H, UINT M, WPARAM W, LPARAM L) -> std::optional<LRESULT> {
      switch (M) {
        case WM_NCCALCSIZE: {
          DefWindowProc(H, M, W, L);
          TRect* R =
              W ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(L)->rgrc[0] : reinterpret_cast<TRect*>(L);
          R->Bottom -= 19;
          return 0;
        }
        case WM_NCHITTEST: {
          const LRESULT Hit = DefWindowProc(H, M, W, L);
          TRect R;
          GetWindowRect(H, R);
          const TPoint P = PointFromLParam(L);
          if (P.X >= R.Right - 20 && P.Y >= R.Bottom - 20 && R.Contains(P.X, P.Y))
            return HTBOTTOMRIGHT;
          if (P.X < R.Left + 20 && P.Y < R.Top + 20 && R.Contains(P.X, P.Y)) return HTTOPLEFT;
          return Hit;
        }
        case WM_GETMINMAXINFO:
          DefWindowProc(H, M, W, L);
          reinterpret_cast<MINMAXINFO*>(L)->ptMinTrackSize = TPoint{100, 100};
          return 0;
        case WM_NCLBUTTONDOWN: {
          DefWindowProc(H, M, W, L);  // the sizing loop, back when the drag is over
          TRect R;
          GetWindowRect(H, R);
          SizeAfterLoop.push_back(R);
          return 0;
        }
        case WM_MOUSEACTIVATE:
          return MA_NOACTIVATE;
        case WM_ENTERSIZEMOVE:
          // Another control starting a mouse action cancels the drag.
          if (CancelOnEnter) PostMessage(H, WM_CANCELMODE, 0, 0);
          return std::nullopt;
        default:
          return std::nullopt;
      }
    };
    SetParent(List, nullptr);
    SetWindowPos(List, nullptr, 86, 48, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(List, HWND_TOP, 0, 0, 0, 0, 0x73);
    Pump();
  }
  TRect ListRect() {
    TRect R;
    GetWindowRect(List, R);
    return R;
  }
  HWND Owner = nullptr, List = nullptr;
  std::vector<TRect> SizeAfterLoop;
  bool CancelOnEnter = false;
};

TEST_F(WindowSizing, GripDragIsClampedToTheMinimumTrackingSize) {
  MakeList();
  Logged = {WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE, WM_LBUTTONUP, WM_CAPTURECHANGED};
  const TRect Start = ListRect();
  Screen.MoveMouse(Start.Right - 5, Start.Bottom - 5);
  Screen.Press();
  Screen.MoveMouse(Start.Right - 5 - 30, Start.Bottom - 5 - 20);
  Screen.MoveMouse(Start.Right - 5 - 80, Start.Bottom - 5 - 100);
  Screen.Release();
  Pump();
  EXPECT_EQ(ListRect(), Bounds(86, 48, 100, 100));
  // The code after the default handling ran once the drag was over.
  EXPECT_EQ(SizeAfterLoop, (std::vector<TRect>{Bounds(86, 48, 100, 100)}));
  // The release ended the loop and was not delivered.
  EXPECT_EQ(
      Order({WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE, WM_LBUTTONUP, WM_CAPTURECHANGED}),
      (std::vector<std::string>{"List:ENTERSIZEMOVE", "List:CAPTURECHANGED", "List:EXITSIZEMOVE"}));
  EXPECT_EQ(GetCapture(), nullptr);
  TRect Client;
  GetClientRect(List, Client);
  EXPECT_EQ(Client, Rect(0, 0, 98, 100 - 2 - 19));
  EXPECT_EQ(Screen.Native(Native(List))->Params.ScreenRect, Bounds(86, 48, 100, 100));
}

TEST_F(WindowSizing, GripDragGrowsTheWindowAndKeepsTheOppositeCorner) {
  MakeList();
  const TRect Start = ListRect();
  Screen.MoveMouse(Start.Right - 5, Start.Bottom - 5);
  Screen.Press();
  Screen.MoveMouse(Start.Right + 25, Start.Bottom + 15);
  Screen.Release();
  Screen.MoveMouse(500, 500);  // after the drag: an ordinary move
  Pump();
  EXPECT_EQ(ListRect(), Bounds(86, 48, 190, 202));
}

TEST_F(WindowSizing, TopLeftGripMovesTheTopLeftCornerAndStopsAtTheMinimum) {
  MakeList();
  Screen.MoveMouse(86 + 5, 48 + 5);
  Screen.Press();
  Screen.MoveMouse(86 + 5 + 100, 48 + 5 + 30);
  Screen.Release();
  Pump();
  EXPECT_EQ(ListRect(), Rect(246 - 100, 48 + 30, 246, 230));
}

TEST_F(WindowSizing, EscapePutsTheWindowBack) {
  MakeList();
  const TRect Start = ListRect();
  Screen.MoveMouse(Start.Right - 5, Start.Bottom - 5);
  Screen.Press();
  Screen.MoveMouse(Start.Right + 40, Start.Bottom + 40);
  Screen.KeyPress(VK_ESCAPE);
  Screen.Release();
  Pump();
  EXPECT_EQ(ListRect(), Start);
}

TEST_F(WindowSizing, CancelModeEndsTheDrag) {
  MakeList();
  const TRect Start = ListRect();
  Screen.MoveMouse(Start.Right - 5, Start.Bottom - 5);
  Screen.Press();
  Screen.MoveMouse(Start.Right + 10, Start.Bottom + 10);
  Pump();  // the queue runs dry inside the loop: the drag ends there
  EXPECT_EQ(ListRect(), Rect(86, 48, 86 + 175, 48 + 197));
  EXPECT_EQ(GetCapture(), nullptr);
  Screen.MoveMouse(Start.Right + 50, Start.Bottom + 50);
  Screen.Release();
  Pump();
  EXPECT_EQ(ListRect(), Rect(86, 48, 86 + 175, 48 + 197));

  // A WM_CANCELMODE stops a drag as well.
  CancelOnEnter = true;
  const TRect Now = ListRect();
  Screen.MoveMouse(Now.Right - 5, Now.Bottom - 5);
  Screen.Press();
  Screen.MoveMouse(Now.Right + 30, Now.Bottom + 30);
  Screen.Release();
  Pump();
  EXPECT_EQ(ListRect(), Now);
}

TEST_F(WindowSizing, ChildWithSizingFrameResizesFromItsEdgeAndWmSizingCanAdjust) {
  HWND P = TopLevel("P", Bounds(0, 0, 400, 300));
  HWND C = Child("C", P, Bounds(10, 10, 100, 100), WS_THICKFRAME);
  On["C"] = [](HWND H, UINT M, WPARAM W, LPARAM L) -> std::optional<LRESULT> {
    if (M == WM_SIZING) {
      TRect* R = reinterpret_cast<TRect*>(L);
      R->Right = R->Left + (R->Width() / 10) * 10;  // widths in steps of ten
      return 1;
    }
    return std::nullopt;
  };
  Screen.MoveMouse(10 + 99, 60);  // right edge
  Screen.Press();
  Screen.MoveMouse(10 + 99 + 37, 60);
  Screen.Release();
  Pump();
  TRect R;
  GetWindowRect(C, R);
  EXPECT_EQ(R, Bounds(10, 10, 130, 100));
}

class WindowScrolling : public TWindowTest {
protected:
  void SetUp() override {
    P = TopLevel("P", Bounds(0, 0, 60, 120));
    L = Child("L", P, Bounds(0, 0, 40, 100), WS_VSCROLL);
    SCROLLINFO Info;
    Info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    Info.nMax = 99;
    Info.nPage = 10;
    SetScrollInfo(L, SB_VERT, Info, true);
    On["L"] = [this](HWND H, UINT M, WPARAM W, LPARAM) -> std::optional<LRESULT> {
      if (M != WM_VSCROLL) return std::nullopt;
      Codes.push_back(LOWORD(W));
      if (LOWORD(W) == SB_THUMBTRACK || LOWORD(W) == SB_THUMBPOSITION) {
        Positions.push_back(HIWORD(W));
        SetScrollPos(H, SB_VERT, HIWORD(W), true);
      }
      if (LOWORD(W) == SB_LINEDOWN) SetScrollPos(H, SB_VERT, GetScrollPos(H, SB_VERT) + 1, true);
      if (LOWORD(W) == SB_PAGEDOWN) SetScrollPos(H, SB_VERT, GetScrollPos(H, SB_VERT) + 10, true);
      return 0;
    };
    Pump();
  }
  HWND P = nullptr, L = nullptr;
  std::vector<int> Codes, Positions;
};

TEST_F(WindowScrolling, ArrowAndTrackPressesScrollByLineAndPage) {
  Screen.ClickAt(23 + 8, 100 - 5);  // the down arrow
  Pump();
  EXPECT_EQ(Codes, (std::vector<int>{SB_LINEDOWN, SB_ENDSCROLL}));
  EXPECT_EQ(GetScrollPos(L, SB_VERT), 1);
  Codes.clear();
  Screen.ClickAt(23 + 8, 60);  // the track below the thumb
  Pump();
  EXPECT_EQ(Codes, (std::vector<int>{SB_PAGEDOWN, SB_ENDSCROLL}));
  EXPECT_EQ(GetScrollPos(L, SB_VERT), 11);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(WindowScrolling, ThumbDragTracksAndSetsThePosition) {
  Screen.MoveMouse(23 + 8, 21);  // the thumb (17..25)
  Screen.Press();
  Screen.MoveMouse(23 + 8, 50);
  Screen.MoveMouse(23 + 30, 200);  // far below: the end of the range
  Screen.Release();
  Pump();
  EXPECT_EQ(Codes,
            (std::vector<int>{SB_THUMBTRACK, SB_THUMBTRACK, SB_THUMBPOSITION, SB_ENDSCROLL}));
  EXPECT_EQ(Positions, (std::vector<int>{45, 90, 90}));
  EXPECT_EQ(GetScrollPos(L, SB_VERT), 90);
}

}  // namespace
