// The window tree: creation and destruction order, handle safety, frames
// and client rectangles, re-parenting to the desktop, z-order.

#include "WindowTest.h"

namespace {

class WindowTree : public TWindowTest {};

TEST_F(WindowTree, DestroySendsDestroyParentFirstAndNcDestroyChildrenFirst) {
  Logged = {WM_DESTROY, WM_NCDESTROY};
  HWND P = TopLevel("P", Bounds(0, 0, 100, 100));
  HWND C = Child("C", P, Bounds(0, 0, 50, 50));
  HWND G = Child("G", C, Bounds(0, 0, 10, 10));
  HWND D = Child("D", P, Bounds(50, 50, 10, 10));
  ASSERT_TRUE(DestroyWindow(P));
  // D was created after C, so it is on top and comes first among siblings.
  EXPECT_EQ(Order({WM_DESTROY, WM_NCDESTROY}),
            (std::vector<std::string>{"P:DESTROY", "D:DESTROY", "C:DESTROY", "G:DESTROY",
                                      "D:NCDESTROY", "G:NCDESTROY", "C:NCDESTROY", "P:NCDESTROY"}));
  for (HWND H : {P, C, G, D}) EXPECT_FALSE(IsWindow(H));
}

TEST_F(WindowTree, HandlesAreStillValidDuringDestroyMessages) {
  HWND P = TopLevel("P", Bounds(0, 0, 100, 100));
  HWND C = Child("C", P, Bounds(0, 0, 50, 50));
  bool ChildAliveInParentDestroy = false, ParentAliveInChildNcDestroy = false;
  On["P"] = [&](HWND, UINT M, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (M == WM_DESTROY) ChildAliveInParentDestroy = IsWindow(C) && GetParent(C) == P;
    return std::nullopt;
  };
  On["C"] = [&](HWND, UINT M, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (M == WM_NCDESTROY) ParentAliveInChildNcDestroy = IsWindow(P);
    return std::nullopt;
  };
  DestroyWindow(P);
  EXPECT_TRUE(ChildAliveInParentDestroy);
  EXPECT_TRUE(ParentAliveInChildNcDestroy);
}

TEST_F(WindowTree, DestroyedHandlesFailHarmlessly) {
  HWND P = TopLevel("P", Bounds(0, 0, 100, 100));
  ASSERT_TRUE(DestroyWindow(P));
  // A new window may take the old slot; the old handle still names nothing.
  HWND Q = TopLevel("Q", Bounds(0, 0, 100, 100));
  ASSERT_NE(P, Q);
  EXPECT_FALSE(IsWindow(P));
  TRect R;
  TPoint Pt;
  PAINTSTRUCT PS;
  EXPECT_EQ(SendMessage(P, WM_USER, 1, 2), 0);
  EXPECT_FALSE(PostMessage(P, WM_USER, 0, 0));
  EXPECT_FALSE(SetWindowPos(P, nullptr, 1, 2, 3, 4, 0));
  EXPECT_FALSE(ShowWindow(P, SW_HIDE));
  EXPECT_FALSE(GetWindowRect(P, R));
  EXPECT_FALSE(ClientToScreen(P, Pt));
  EXPECT_EQ(SetFocus(P), nullptr);
  EXPECT_EQ(SetCapture(P), nullptr);
  EXPECT_FALSE(InvalidateRect(P, nullptr, true));
  EXPECT_FALSE(UpdateWindow(P));
  EXPECT_EQ(GetDC(P), nullptr);
  EXPECT_EQ(BeginPaint(P, PS), nullptr);
  EXPECT_EQ(SetParent(P, Q), nullptr);
  EXPECT_EQ(SetParent(Q, P), nullptr);
  EXPECT_FALSE(DestroyWindow(P));
  EXPECT_EQ(SetTimer(P, 1, 100), 0u);
  EXPECT_EQ(CreateWindowEx(0, WNDCLASS{}, "", WS_CHILD, 0, 0, 1, 1, P), nullptr);
  EXPECT_EQ(GetWindowLong(P, GWL_STYLE), 0);
  EXPECT_TRUE(IsWindow(Q));
}

TEST_F(WindowTree, WindowDestroyingItselfInItsHandlerDoesNotCrashTheLoop) {
  HWND P = TopLevel("P", Bounds(10, 10, 100, 100));
  HWND C = Child("C", P, Bounds(0, 0, 50, 50));
  On["C"] = [&](HWND H, UINT M, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (M == WM_LBUTTONDOWN) {
      DestroyWindow(H);
      // The window is gone for every call, even inside its own handler.
      EXPECT_FALSE(IsWindow(H));
      return 0;
    }
    return std::nullopt;
  };
  Screen.ClickAt(20, 20);
  Screen.MoveMouse(25, 25);
  Pump();
  EXPECT_FALSE(IsWindow(C));
  EXPECT_TRUE(IsWindow(P));
}

TEST_F(WindowTree, CreationFailsWithoutParentForChildOrWhenCreateRefuses) {
  EXPECT_EQ(CreateWindowEx(0, WNDCLASS{}, "", WS_CHILD, 0, 0, 10, 10, nullptr), nullptr);
  EXPECT_EQ(CreateWindowEx(0, "NoSuchClass", "", WS_POPUP, 0, 0, 10, 10, nullptr), nullptr);
  Logged = {WM_CREATE, WM_DESTROY, WM_NCDESTROY};
  On["R"] = [](HWND, UINT M, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (M == WM_CREATE) return -1;
    return std::nullopt;
  };
  EXPECT_EQ(TopLevel("R", Bounds(0, 0, 10, 10)), nullptr);
  EXPECT_EQ(Order({WM_CREATE, WM_DESTROY, WM_NCDESTROY}),
            (std::vector<std::string>{"R:CREATE", "R:DESTROY", "R:NCDESTROY"}));
}

TEST_F(WindowTree, RegisteredClassesCreateWindowsWithTheirStyleAndProcedure) {
  int Calls = 0;
  WNDCLASS Class;
  Class.lpszClassName = "Registered";
  Class.style = CS_DBLCLKS;
  Class.lpfnWndProc = [&](HWND H, UINT M, WPARAM W, LPARAM L) {
    ++Calls;
    return DefWindowProc(H, M, W, L);
  };
  ASSERT_TRUE(RegisterClass(Class));
  EXPECT_FALSE(RegisterClass(Class));
  HWND H = CreateWindowEx(0, "Registered", "x", WS_POPUP, 0, 0, 10, 10, nullptr);
  ASSERT_NE(H, nullptr);
  EXPECT_GT(Calls, 0);
  EXPECT_EQ(GetClassLong(H, GCL_STYLE), LONG_PTR(CS_DBLCLKS));
  EXPECT_EQ(GetClassName(H), "Registered");
}

struct TFrameCase {
  const char* Name;
  DWORD Style, ExStyle;
  TRect Client;  // expected client rectangle inside a 100 x 80 child window
};

class WindowFrames : public TWindowTest, public ::testing::WithParamInterface<TFrameCase> {};

TEST_P(WindowFrames, ClientRectangleComesFromNcCalcSize) {
  const TFrameCase& Case = GetParam();
  HWND P = TopLevel("P", Bounds(100, 50, 300, 300));
  HWND C =
      Create("C", WS_CHILD | WS_VISIBLE | Case.Style, Bounds(10, 20, 100, 80), P, Case.ExStyle);
  TRect R;
  ASSERT_TRUE(GetClientRect(C, R));
  EXPECT_EQ(R, Rect(0, 0, Case.Client.Width(), Case.Client.Height()));
  TPoint Origin{0, 0};
  ClientToScreen(C, Origin);
  EXPECT_EQ(Origin, (TPoint{100 + 10 + Case.Client.Left, 50 + 20 + Case.Client.Top}));
  TRect W;
  GetWindowRect(C, W);
  EXPECT_EQ(W, Bounds(110, 70, 100, 80));
}

INSTANTIATE_TEST_SUITE_P(
    Styles, WindowFrames,
    ::testing::Values(TFrameCase{"Plain", 0, 0, Rect(0, 0, 100, 80)},
                      TFrameCase{"Border", WS_BORDER, 0, Rect(1, 1, 99, 79)},
                      TFrameCase{"ClientEdge", 0, WS_EX_CLIENTEDGE, Rect(2, 2, 98, 78)},
                      TFrameCase{"BorderAndEdge", WS_BORDER, WS_EX_CLIENTEDGE, Rect(3, 3, 97, 77)},
                      TFrameCase{"VScroll", WS_VSCROLL, 0, Rect(0, 0, 83, 80)},
                      TFrameCase{"BothScrollBars", WS_BORDER | WS_VSCROLL | WS_HSCROLL, 0,
                                 Rect(1, 1, 82, 62)},
                      TFrameCase{"ThickFrame", WS_THICKFRAME, 0, Rect(4, 4, 96, 76)}),
    [](const ::testing::TestParamInfo<TFrameCase>& I) { return std::string(I.param.Name); });

TEST_F(WindowTree, TopLevelFrameBelongsToTheWindowManager) {
  HWND F = Create("F", WS_OVERLAPPEDWINDOW | WS_VISIBLE, Bounds(20, 20, 500, 35), nullptr,
                  WS_EX_TOOLWINDOW);
  TRect R;
  GetClientRect(F, R);
  EXPECT_EQ(R, Rect(0, 0, 500, 35));
  const THeadlessBackend::TNative* N = Screen.Native(Native(F));
  ASSERT_NE(N, nullptr);
  EXPECT_TRUE(N->Params.Decorated);
  EXPECT_TRUE(N->Params.ToolWindow);
  EXPECT_EQ(N->Params.ScreenRect, Bounds(20, 20, 500, 35));
  EXPECT_TRUE(N->Shown);
}

TEST_F(WindowTree, SetParentToDesktopMakesATopLevelThatKeepsItsStyles) {
  HWND Form = Create("Form", WS_OVERLAPPEDWINDOW | WS_VISIBLE, Bounds(20, 20, 500, 35));
  HWND Popup = Create("Popup", WS_CHILD | WS_BORDER | WS_VSCROLL, Bounds(0, 0, 160, 182), Form,
                      WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
  EXPECT_EQ(Native(Popup), 0u);
  EXPECT_EQ(SetParent(Popup, nullptr), Form);
  EXPECT_EQ(GetParent(Popup), nullptr);
  EXPECT_EQ(GetAncestor(Popup, GA_ROOT), Popup);
  ASSERT_NE(Native(Popup), 0u);
  SetWindowPos(Popup, nullptr, 86, 48, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(Popup, nullptr, 0, 0, 0, 0, 0x73);
  const THeadlessBackend::TNative* N = Screen.Native(Native(Popup));
  ASSERT_NE(N, nullptr);
  EXPECT_TRUE(N->Params.NoActivate);
  EXPECT_TRUE(N->Params.Topmost);
  EXPECT_FALSE(N->Params.Decorated);
  EXPECT_TRUE(N->Shown);
  TRect R;
  GetWindowRect(Popup, R);
  EXPECT_EQ(R, Bounds(86, 48, 160, 182));
  EXPECT_EQ(GetWindowLong(Popup, GWL_STYLE) & WS_CHILD, LONG_PTR(WS_CHILD));
  // Shown without activation: the form stays active.
  EXPECT_EQ(GetActiveWindow(), Form);
  EXPECT_EQ(Screen.Stack().front(), Native(Popup));
}

TEST_F(WindowTree, SetParentRefusesToMakeACycle) {
  HWND P = TopLevel("P", Bounds(0, 0, 100, 100));
  HWND C = Child("C", P, Bounds(0, 0, 50, 50));
  HWND G = Child("G", C, Bounds(0, 0, 10, 10));
  EXPECT_EQ(SetParent(C, G), nullptr);
  EXPECT_EQ(SetParent(C, C), nullptr);
  EXPECT_EQ(GetParent(C), P);
  EXPECT_EQ(GetParent(G), C);
}

TEST_F(WindowTree, TopmostWindowsStayAboveNormalOnes) {
  HWND A = TopLevel("A", Bounds(0, 0, 100, 100));
  HWND B = TopLevel("B", Bounds(50, 50, 100, 100), 0, WS_EX_TOPMOST);
  HWND C = TopLevel("C", Bounds(25, 25, 100, 100));
  On["A"] = PaintWith(RGB(255, 0, 0));
  On["B"] = PaintWith(RGB(0, 255, 0));
  On["C"] = PaintWith(RGB(0, 0, 255));
  BringWindowToTop(C);
  Pump();
  EXPECT_EQ(Screen.Stack(), (std::vector<TNativeWindow>{Native(B), Native(C), Native(A)}));
  EXPECT_EQ(WindowFromPoint(TPoint{60, 60}), B);
  EXPECT_EQ(WindowFromPoint(TPoint{30, 30}), C);
  EXPECT_EQ(Screen.Screenshot().Row(60)[60], Pixel(RGB(0, 255, 0)));
  EXPECT_EQ(Screen.Screenshot().Row(30)[30], Pixel(RGB(0, 0, 255)));

  // No longer topmost: B goes to the top of the normal windows.
  SetWindowPos(B, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  BringWindowToTop(A);
  EXPECT_EQ(Screen.Stack(), (std::vector<TNativeWindow>{Native(A), Native(B), Native(C)}));
  // Topmost again: above A although A was raised last.
  SetWindowPos(C, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  BringWindowToTop(A);
  EXPECT_EQ(Screen.Stack().front(), Native(C));
  EXPECT_TRUE(GetWindowLong(C, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(WindowTree, SetWindowPosReportsMoveAndSizeAndLetsChangingAdjust) {
  Logged = {WM_SIZE, WM_MOVE};
  HWND P = TopLevel("P", Bounds(0, 0, 300, 300));
  HWND C = Child("C", P, Bounds(0, 0, 50, 50), WS_BORDER);
  Log.clear();
  On["C"] = [](HWND, UINT M, WPARAM, LPARAM L) -> std::optional<LRESULT> {
    if (M == WM_WINDOWPOSCHANGING) reinterpret_cast<WINDOWPOS*>(L)->cx = 70;  // width fixed
    return std::nullopt;
  };
  SetWindowPos(C, nullptr, 5, 6, 100, 40, SWP_NOZORDER);
  EXPECT_EQ(Messages(WM_SIZE),
            (std::vector<TLogEntry>{{"C", WM_SIZE, SIZE_RESTORED, MAKELPARAM(68, 38)}}));
  EXPECT_EQ(Messages(WM_MOVE), (std::vector<TLogEntry>{{"C", WM_MOVE, 0, MAKELPARAM(6, 7)}}));
  TRect R;
  GetWindowRect(C, R);
  EXPECT_EQ(R, Bounds(5, 6, 70, 40));
}

TEST_F(WindowTree, WindowTextIsNeverCutInsideADoubleByteCharacter) {
  HWND H = TopLevel("H", Bounds(0, 0, 10, 10));
  SetWindowText(H, std::string("ab\x82\xA0", 4));  // "ab" and a two-byte character
  EXPECT_EQ(GetWindowTextLength(H), 4);
  EXPECT_EQ(GetWindowText(H), std::string("ab\x82\xA0", 4));
  char Buffer[4] = {'x', 'x', 'x', 'x'};
  // Room for three bytes and the terminator would split the character.
  EXPECT_EQ(SendMessage(H, WM_GETTEXT, 4, reinterpret_cast<LPARAM>(Buffer)), 2);
  EXPECT_STREQ(Buffer, "ab");
  EXPECT_EQ(Screen.Native(Native(H))->Params.Title, std::string("ab\x82\xA0", 4));
}

TEST_F(WindowTree, MapWindowPointsBetweenWindowsAndScreen) {
  HWND P = TopLevel("P", Bounds(100, 100, 300, 300));
  HWND A = Child("A", P, Bounds(10, 10, 50, 50), WS_BORDER);
  HWND B = Child("B", P, Bounds(100, 20, 50, 50));
  TPoint Pts[1] = {{0, 0}};
  MapWindowPoints(A, B, Pts, 1);
  EXPECT_EQ(Pts[0], (TPoint{11 - 100, 11 - 20}));
  TRect R = Rect(0, 0, 5, 5);
  MapWindowPoints(B, nullptr, R);
  EXPECT_EQ(R, Rect(200, 120, 205, 125));
  TPoint S{205, 125};
  ScreenToClient(B, S);
  EXPECT_EQ(S, (TPoint{5, 5}));
}

}  // namespace
