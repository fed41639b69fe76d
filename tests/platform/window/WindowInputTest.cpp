// Input as a user gives it: focus, activation, capture, the mouse hook,
// double clicks, keys and characters, mouse leave, disabled windows.

#include "WindowTest.h"

namespace {

class WindowInput : public TWindowTest {
protected:
  // A main window with two child controls, active, focus on Edit.
  void MakeForm() {
    Form = Create("Form", WS_OVERLAPPEDWINDOW | WS_VISIBLE, Bounds(20, 20, 500, 100));
    Edit = Child("Edit", Form, Bounds(10, 10, 100, 20), WS_BORDER);
    Button = Child("Button", Form, Bounds(200, 10, 100, 20));
    SetFocus(Edit);
    Pump();
  }
  // The drop-down list's kind of window: a child-style pop-up on the
  // desktop that answers MA_NOACTIVATE.
  void MakePopup() {
    Popup = Create("Popup", WS_CHILD | WS_BORDER, Bounds(0, 0, 160, 100), Form,
                   WS_EX_TOOLWINDOW | WS_EX_TOPMOST, CS_DBLCLKS | CS_SAVEBITS);
    SetParent(Popup, nullptr);
    SetWindowPos(Popup, nullptr, 86, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(Popup, HWND_TOP, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    On["Popup"] = [](HWND, UINT M, WPARAM, LPARAM) -> std::optional<LRESULT> {
      if (M == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
      return std::nullopt;
    };
    Pump();
  }
  HWND Form = nullptr, Edit = nullptr, Button = nullptr, Popup = nullptr;
};

TEST_F(WindowInput, FocusMovesWithKillFocusBeforeSetFocus) {
  MakeForm();
  Logged = {WM_SETFOCUS, WM_KILLFOCUS};
  HWND FocusSeenInKill = nullptr;
  On["Edit"] = [&](HWND, UINT M, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (M == WM_KILLFOCUS) FocusSeenInKill = GetFocus();
    return std::nullopt;
  };
  EXPECT_EQ(SetFocus(Button), Edit);
  EXPECT_TRUE(IsSequence(Log, std::vector<TLogEntry>{{"Edit", WM_KILLFOCUS, WPARAM(Button), 0},
                                                     {"Button", WM_SETFOCUS, WPARAM(Edit), 0}}));
  EXPECT_EQ(FocusSeenInKill, Button);
  EXPECT_EQ(GetFocus(), Button);
  Log.clear();
  EXPECT_EQ(SetFocus(Button), Button);  // no change, no messages
  EXPECT_TRUE(Log.empty());
}

TEST_F(WindowInput, DisabledWindowsTakeNoFocusAndDisablingTheFocusClearsIt) {
  MakeForm();
  EnableWindow(Button, false);
  EXPECT_EQ(SetFocus(Button), nullptr);
  EXPECT_EQ(GetFocus(), Edit);
  EnableWindow(Edit, false);
  EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(WindowInput, HidingTheFocusWindowGivesTheFocusToItsParent) {
  MakeForm();
  ShowWindow(Edit, SW_HIDE);
  EXPECT_EQ(GetFocus(), Form);
}

TEST_F(WindowInput, ClickOnAnotherTopLevelActivatesItAndReactivationRestoresFocus) {
  MakeForm();
  HWND Other = TopLevel("Other", Bounds(600, 20, 100, 100));
  HWND OtherEdit = Child("OtherEdit", Other, Bounds(10, 10, 50, 20));
  EXPECT_EQ(GetActiveWindow(), Other);
  SetFocus(OtherEdit);
  Logged = {WM_MOUSEACTIVATE, WM_ACTIVATE, WM_SETFOCUS, WM_KILLFOCUS, WM_LBUTTONDOWN};
  Screen.ClickAt(20 + 250, 20 + 50);  // the form's empty area
  Pump();
  EXPECT_EQ(GetActiveWindow(), Form);
  EXPECT_EQ(GetFocus(), Edit);  // where it was when the form was left
  EXPECT_EQ(Order({WM_MOUSEACTIVATE, WM_ACTIVATE, WM_SETFOCUS, WM_KILLFOCUS, WM_LBUTTONDOWN}),
            (std::vector<std::string>{"Form:MOUSEACTIVATE", "Other:ACTIVATE", "Form:ACTIVATE",
                                      "OtherEdit:KILLFOCUS", "Edit:SETFOCUS", "Form:LBUTTONDOWN"}));
  EXPECT_EQ(Messages(WM_ACTIVATE)[1].WParam, WPARAM(WA_CLICKACTIVE));
  EXPECT_EQ(Screen.FocusedWindow(), Native(Form));
  EXPECT_EQ(Screen.Stack().front(), Native(Form));
}

TEST_F(WindowInput, MouseActivateNoActivateKeepsActivationAndFocus) {
  MakeForm();
  MakePopup();
  Logged = {WM_MOUSEACTIVATE, WM_ACTIVATE,    WM_KILLFOCUS,
            WM_SETFOCUS,      WM_LBUTTONDOWN, WM_NCLBUTTONDOWN};
  Screen.ClickAt(86 + 30, 60 + 30);  // a row of the list
  Screen.ClickAt(86, 60 + 30);       // its border
  Pump();
  EXPECT_EQ(GetActiveWindow(), Form);
  EXPECT_EQ(GetFocus(), Edit);
  EXPECT_EQ(Order({WM_MOUSEACTIVATE, WM_ACTIVATE, WM_KILLFOCUS, WM_SETFOCUS, WM_LBUTTONDOWN,
                   WM_NCLBUTTONDOWN}),
            (std::vector<std::string>{"Popup:MOUSEACTIVATE", "Popup:LBUTTONDOWN",
                                      "Popup:MOUSEACTIVATE", "Popup:NCLBUTTONDOWN"}));
  EXPECT_EQ(Messages(WM_MOUSEACTIVATE)[0].LParam, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
  EXPECT_EQ(Messages(WM_MOUSEACTIVATE)[1].LParam, MAKELPARAM(HTBORDER, WM_NCLBUTTONDOWN));
  EXPECT_EQ(Messages(WM_LBUTTONDOWN)[0].LParam, MAKELPARAM(29, 29));  // inside the border
  EXPECT_EQ(Messages(WM_NCLBUTTONDOWN)[0].LParam, MAKELPARAM(86, 90));
}

TEST_F(WindowInput, ChildStylePopupIsNeverActivatedEvenWhenItAsks) {
  MakeForm();
  MakePopup();
  On["Popup"] = nullptr;  // default handling: MA_ACTIVATE
  Screen.ClickAt(86 + 30, 60 + 30);
  Pump();
  EXPECT_EQ(GetActiveWindow(), Form);
  EXPECT_EQ(GetFocus(), Edit);
}

TEST_F(WindowInput, CaptureGetsEveryMouseMessageAsClientMessage) {
  MakeForm();
  Logged = {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_NCLBUTTONDOWN, WM_CAPTURECHANGED};
  SetCapture(Edit);
  Screen.MoveMouse(20 + 250, 20 + 15);  // over Button
  Screen.Click();
  Screen.ClickAt(20 + 10, 20 + 10);  // Edit's border: still a client message
  Pump();
  ASSERT_EQ(Messages(WM_MOUSEMOVE).size(), 2u);
  for (const TLogEntry& E : Log) EXPECT_EQ(E.Window, "Edit") << E;
  // Client coordinates of Edit (client origin 31, 31 on the screen).
  EXPECT_EQ(Messages(WM_MOUSEMOVE)[0].LParam, MAKELPARAM(270 - 31, 35 - 31));
  EXPECT_EQ(Messages(WM_LBUTTONDOWN)[0].WParam, WPARAM(MK_LBUTTON));
  EXPECT_EQ(Messages(WM_LBUTTONUP)[0].WParam, WPARAM(0));
  EXPECT_EQ(Messages(WM_LBUTTONDOWN)[1].LParam, MAKELPARAM(-1, -1));

  Log.clear();
  EXPECT_EQ(SetCapture(Button), Edit);
  EXPECT_TRUE(
      IsSequence(Log, std::vector<TLogEntry>{{"Edit", WM_CAPTURECHANGED, 0, LPARAM(Button)}}));
  Log.clear();
  EXPECT_TRUE(ReleaseCapture());
  EXPECT_TRUE(IsSequence(Log, std::vector<TLogEntry>{{"Button", WM_CAPTURECHANGED, 0, 0}}));
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(WindowInput, DestroyingTheCaptureWindowReleasesTheCapture) {
  MakeForm();
  SetCapture(Button);
  DestroyWindow(Button);
  EXPECT_EQ(GetCapture(), nullptr);
  Screen.ClickAt(20 + 250, 20 + 15);
  Pump();  // nothing to deliver to, nothing crashes
}

TEST_F(WindowInput, MouseHookSeesPressesFirstAndDiscardsThem) {
  MakeForm();
  MakePopup();
  std::vector<MOUSEHOOKSTRUCT> Seen;
  std::vector<WPARAM> SeenMsgs;
  HHOOK Hook = nullptr;
  Hook = SetWindowsHookEx(WH_MOUSE, [&](int Code, WPARAM W, LPARAM L) -> LRESULT {
    const MOUSEHOOKSTRUCT& M = *reinterpret_cast<MOUSEHOOKSTRUCT*>(L);
    if (Code >= 0 && (W == WM_LBUTTONDOWN || W == WM_NCLBUTTONDOWN)) {
      Seen.push_back(M);
      SeenMsgs.push_back(W);
      TRect R;
      GetWindowRect(Popup, R);
      if (!R.Contains(M.pt.X, M.pt.Y)) return 1;  // outside the list: swallow it
    }
    return CallNextHookEx(Hook, Code, W, L);
  });
  ASSERT_NE(Hook, nullptr);
  Logged = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEACTIVATE, WM_SETCURSOR};
  Screen.ClickAt(20 + 250, 20 + 15);  // on Button, outside the list
  Pump();
  EXPECT_TRUE(Messages(WM_LBUTTONDOWN).empty());
  EXPECT_TRUE(Messages(WM_MOUSEACTIVATE).empty());
  EXPECT_EQ(Messages(WM_LBUTTONUP).size(), 1u);  // releases are not swallowed here
  ASSERT_EQ(Seen.size(), 1u);
  EXPECT_EQ(Seen[0].hwnd, Button);
  EXPECT_EQ(Seen[0].pt, (TPoint{270, 35}));
  EXPECT_EQ(Seen[0].wHitTestCode, UINT(HTCLIENT));

  Log.clear();
  Screen.ClickAt(86 + 30, 60 + 30);  // inside the list: delivered
  Screen.ClickAt(86, 60 + 30);       // the list's border: a frame press, seen too
  Pump();
  EXPECT_EQ(Messages(WM_LBUTTONDOWN).size(), 1u);
  EXPECT_EQ(SeenMsgs.back(), WPARAM(WM_NCLBUTTONDOWN));
  EXPECT_EQ(Seen.back().wHitTestCode, UINT(HTBORDER));

  EXPECT_TRUE(UnhookWindowsHookEx(Hook));
  EXPECT_FALSE(UnhookWindowsHookEx(Hook));
  Log.clear();
  Screen.ClickAt(20 + 250, 20 + 15);
  Pump();
  EXPECT_EQ(Messages(WM_LBUTTONDOWN).size(), 1u);
}

TEST_F(WindowInput, HookThatUnhooksItselfAndDestroysTheTargetIsSafe) {
  MakeForm();
  HHOOK Hook = nullptr;
  int Calls = 0;
  Hook = SetWindowsHookEx(WH_MOUSE, [&](int Code, WPARAM W, LPARAM L) -> LRESULT {
    ++Calls;
    if (W == WM_LBUTTONDOWN) {
      UnhookWindowsHookEx(Hook);
      DestroyWindow(reinterpret_cast<MOUSEHOOKSTRUCT*>(L)->hwnd);
      return CallNextHookEx(Hook, Code, W, L);  // not discarded: the target is gone
    }
    return CallNextHookEx(Hook, Code, W, L);
  });
  Screen.ClickAt(20 + 250, 20 + 15);
  Pump();
  EXPECT_FALSE(IsWindow(Button));
  const int After = Calls;
  Screen.ClickAt(20 + 50, 20 + 15);
  Pump();
  EXPECT_EQ(Calls, After);  // unhooked
}

TEST_F(WindowInput, HooksChainNewestFirst) {
  MakeForm();
  std::vector<int> Order;
  HHOOK First = nullptr, Second = nullptr;
  First = SetWindowsHookEx(WH_MOUSE, [&](int C, WPARAM W, LPARAM L) -> LRESULT {
    Order.push_back(1);
    return CallNextHookEx(First, C, W, L);
  });
  Second = SetWindowsHookEx(WH_MOUSE, [&](int C, WPARAM W, LPARAM L) -> LRESULT {
    Order.push_back(2);
    return CallNextHookEx(Second, C, W, L);
  });
  Screen.ClickAt(20 + 250, 20 + 15);
  Pump();
  ASSERT_GE(Order.size(), 2u);
  EXPECT_EQ(Order[0], 2);
  EXPECT_EQ(Order[1], 1);
}

struct TDoubleClickCase {
  const char* Name;
  std::uint32_t Delay;
  int DX, DY;
  bool ClassAsks;
  bool Double;
};

class WindowDoubleClick : public WindowInput,
                          public ::testing::WithParamInterface<TDoubleClickCase> {};

TEST_P(WindowDoubleClick, SecondPressWithinTimeAndRectangleIsADoubleClick) {
  const TDoubleClickCase& Case = GetParam();
  HWND P = TopLevel("P", Bounds(0, 0, 200, 200));
  Create("C", WS_CHILD | WS_VISIBLE, Bounds(10, 10, 100, 100), P, 0,
         Case.ClassAsks ? static_cast<UINT>(CS_DBLCLKS) : UINT{0});
  Logged = {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK};
  Screen.ClickAt(50, 50);
  Screen.AdvanceTime(Case.Delay);
  Screen.ClickAt(50 + Case.DX, 50 + Case.DY);
  Pump();
  EXPECT_EQ(Order({WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}),
            (std::vector<std::string>{"C:LBUTTONDOWN",
                                      Case.Double ? "C:LBUTTONDBLCLK" : "C:LBUTTONDOWN"}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WindowDoubleClick,
    ::testing::Values(TDoubleClickCase{"Same", 100, 0, 0, true, true},
                      TDoubleClickCase{"AtTheTimeLimit", 500, 0, 0, true, true},
                      TDoubleClickCase{"TooLate", 501, 0, 0, true, false},
                      TDoubleClickCase{"WithinTheRectangle", 100, 1, -2, true, true},
                      TDoubleClickCase{"LeftOfTheRectangle", 100, -3, 0, true, false},
                      TDoubleClickCase{"RightOfTheRectangle", 100, 2, 0, true, false},
                      TDoubleClickCase{"BelowTheRectangle", 100, 0, 2, true, false},
                      TDoubleClickCase{"ClassDoesNotAsk", 100, 0, 0, false, false}),
    [](const ::testing::TestParamInfo<TDoubleClickCase>& I) { return std::string(I.param.Name); });

TEST_F(WindowInput, ThirdClickIsASinglePressAgainAndFramesAlwaysGetDoubleClicks) {
  HWND P = TopLevel("P", Bounds(0, 0, 200, 200));
  Create("C", WS_CHILD | WS_VISIBLE | WS_BORDER, Bounds(10, 10, 100, 100), P, 0, CS_DBLCLKS);
  Create("N", WS_CHILD | WS_VISIBLE | WS_BORDER, Bounds(120, 10, 50, 50), P, 0, 0);
  Logged = {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_NCLBUTTONDOWN, WM_NCLBUTTONDBLCLK};
  for (int I = 0; I < 3; ++I) Screen.ClickAt(50, 50);
  Screen.ClickAt(120, 30);  // N's border, twice: its class does not ask
  Screen.ClickAt(120, 30);
  Pump();
  EXPECT_EQ(Order({WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_NCLBUTTONDOWN, WM_NCLBUTTONDBLCLK}),
            (std::vector<std::string>{"C:LBUTTONDOWN", "C:LBUTTONDBLCLK", "C:LBUTTONDOWN",
                                      "N:NCLBUTTONDOWN", "N:NCLBUTTONDBLCLK"}));
}

TEST_F(WindowInput, TypedDoubleByteCharacterArrivesAsTwoCharMessagesLeadByteFirst) {
  MakeForm();
  Logged = {WM_CHAR};
  Screen.TypeText(std::string("a\x82\xA0", 3));
  Pump();
  EXPECT_TRUE(IsSequence(
      Log, std::vector<TLogEntry>{
               {"Edit", WM_CHAR, 'a', 1}, {"Edit", WM_CHAR, 0x82, 1}, {"Edit", WM_CHAR, 0xA0, 1}}));
}

TEST_F(WindowInput, KeysGoToTheFocusWithTheKeyStateOfTheirTime) {
  MakeForm();
  Logged = {WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_CHAR, WM_SYSCHAR};
  std::vector<bool> ShiftDownAtA;
  On["Edit"] = [&](HWND, UINT M, WPARAM W, LPARAM) -> std::optional<LRESULT> {
    if (M == WM_KEYDOWN && W == 'A') ShiftDownAtA.push_back(GetKeyState(VK_SHIFT) < 0);
    return std::nullopt;
  };
  Screen.KeyDown(VK_SHIFT);
  Screen.KeyPress('A');
  Screen.KeyUp(VK_SHIFT);
  Screen.KeyPress('A');
  Screen.KeyPress(VK_RETURN);
  Screen.KeyPress('A', mkControl);
  Pump();
  EXPECT_EQ(ShiftDownAtA, (std::vector<bool>{true, false, false}));
  EXPECT_GE(GetKeyState(VK_SHIFT), 0);
  // Enter and Ctrl+A make control characters through TranslateMessage.
  const std::vector<TLogEntry> Chars = Messages(WM_CHAR);
  ASSERT_EQ(Chars.size(), 2u);
  EXPECT_EQ(Chars[0].WParam, WPARAM(0x0D));
  EXPECT_EQ(Chars[1].WParam, WPARAM(0x01));
  // A release has the previous-state and transition bits set.
  EXPECT_EQ(std::uint32_t(Messages(WM_KEYUP).front().LParam) & 0xC0000000u, 0xC0000000u);
}

TEST_F(WindowInput, AltMakesSystemKeysAndAltF4ClosesTheWindow) {
  MakeForm();
  Logged = {WM_SYSKEYDOWN, WM_CLOSE, WM_DESTROY};
  Screen.KeyDown(VK_MENU);
  Screen.KeyPress(VK_F4);
  Screen.KeyUp(VK_MENU);
  Pump();
  const std::vector<TLogEntry> Sys = Messages(WM_SYSKEYDOWN);
  ASSERT_EQ(Sys.size(), 2u);
  EXPECT_EQ(Sys[1].WParam, WPARAM(VK_F4));
  EXPECT_TRUE(Sys[1].LParam & (1 << 29));
  EXPECT_EQ(Order({WM_CLOSE}), (std::vector<std::string>{"Form:CLOSE"}));
  EXPECT_FALSE(IsWindow(Form));
}

TEST_F(WindowInput, CloseRequestFromTheWindowManagerArrivesAsWmClose) {
  MakeForm();
  Logged = {WM_CLOSE};
  On["Form"] = [](HWND, UINT M, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (M == WM_CLOSE) return 0;  // the form decides not to close
    return std::nullopt;
  };
  Screen.RequestClose(Native(Form));
  Pump();
  EXPECT_EQ(Messages(WM_CLOSE).size(), 1u);
  EXPECT_TRUE(IsWindow(Form));
}

TEST_F(WindowInput, KeyboardStateCanBeSetAndAsyncStateFollowsTheBackend) {
  MakeForm();
  BYTE State[256] = {};
  State[VK_CONTROL] = 0x80;
  State[VK_CAPITAL] = 0x01;
  ASSERT_TRUE(SetKeyboardState(State));
  EXPECT_LT(GetKeyState(VK_CONTROL), 0);
  EXPECT_EQ(GetKeyState(VK_CAPITAL), 1);
  Screen.KeyDown('Q');
  Pump();
  EXPECT_LT(GetAsyncKeyState('Q'), 0);
  Screen.KeyUp('Q');
  Pump();
  EXPECT_GE(GetAsyncKeyState('Q'), 0);
}

TEST_F(WindowInput, MouseLeaveIsPostedOnceWhenThePointerLeavesTheTrackedWindow) {
  MakeForm();
  Logged = {WM_MOUSELEAVE};
  Screen.MoveMouse(20 + 250, 20 + 15);  // over Button
  Pump();
  TRACKMOUSEEVENT Track;
  Track.dwFlags = TME_LEAVE;
  Track.hwndTrack = Button;
  ASSERT_TRUE(TrackMouseEvent(Track));
  Screen.MoveMouse(20 + 260, 20 + 16);  // still over it
  Pump();
  EXPECT_TRUE(Log.empty());
  Screen.MoveMouse(20 + 50, 20 + 60);  // over the form
  Screen.MoveMouse(20 + 250, 20 + 15);
  Screen.MoveMouse(900, 700);
  Pump();
  EXPECT_TRUE(IsSequence(Log, std::vector<TLogEntry>{{"Button", WM_MOUSELEAVE, 0, 0}}));
}

TEST_F(WindowInput, PressOnADisabledChildGoesToItsParent) {
  MakeForm();
  EnableWindow(Button, false);
  Logged = {WM_LBUTTONDOWN};
  Screen.ClickAt(20 + 250, 20 + 15);
  Pump();
  EXPECT_TRUE(IsSequence(
      Log, std::vector<TLogEntry>{{"Form", WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(250, 15)}}));
}

TEST_F(WindowInput, DisabledTopLevelGetsNoMouseAndBeepsOnAPress) {
  MakeForm();
  HWND Dialog =
      Create("Dialog", WS_POPUP | WS_VISIBLE | WS_BORDER, Bounds(600, 300, 100, 50), Form);
  EnableWindow(Form, false);
  SetActiveWindow(Dialog);
  SetActiveWindow(Form);  // a disabled window cannot be activated
  EXPECT_EQ(GetActiveWindow(), Dialog);
  Logged = {WM_LBUTTONDOWN, WM_MOUSEMOVE};
  const std::size_t BeepsBefore = Screen.Beeps().size();
  Screen.ClickAt(20 + 50, 20 + 50);
  Pump();
  EXPECT_TRUE(Log.empty());
  EXPECT_EQ(Screen.Beeps().size(), BeepsBefore + 1);
  EXPECT_EQ(GetActiveWindow(), Dialog);
}

TEST_F(WindowInput, WheelGoesToTheFocusAndUpToItsParent) {
  MakeForm();
  Logged = {WM_MOUSEWHEEL};
  Screen.MoveMouse(300, 300);
  Screen.Wheel(-WHEEL_DELTA);
  Pump();
  ASSERT_EQ(Log.size(), 2u);
  EXPECT_EQ(Log[0].Window, "Edit");
  EXPECT_EQ(Log[1].Window, "Form");
  EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(Log[0].WParam), -WHEEL_DELTA);
}

TEST_F(WindowInput, ClassCursorAndSizingCursorsReachTheBackend) {
  Form = Create("Form", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 300, 300));
  WNDCLASS Hand;
  Hand.lpszClassName = "Hand";
  Hand.hCursor = LoadCursor(nullptr, IDC_HAND);
  CreateWindowEx(0, Hand, "", WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, Form);
  Create("Sizer", WS_CHILD | WS_VISIBLE | WS_THICKFRAME, Bounds(100, 100, 100, 100), Form);
  Screen.MoveMouse(20, 20);
  Pump();
  EXPECT_EQ(Screen.Native(Native(Form))->Cursor, crsHand);
  Screen.MoveMouse(100 + 1, 150);  // the sizing frame's left edge
  Pump();
  EXPECT_EQ(Screen.Native(Native(Form))->Cursor, crsSizeWE);
  Screen.MoveMouse(100 + 99, 100 + 99);
  Pump();
  EXPECT_EQ(Screen.Native(Native(Form))->Cursor, crsSizeNWSE);
}

TEST_F(WindowInput, FocusLossToAnotherProgramDeactivatesAndEndsTheCapture) {
  MakeForm();
  Logged = {WM_KILLFOCUS, WM_CAPTURECHANGED, WM_ACTIVATEAPP};
  SetCapture(Button);
  Screen.FocusOut(Native(Form));
  Pump();
  EXPECT_EQ(GetActiveWindow(), nullptr);
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(Messages(WM_KILLFOCUS).size(), 1u);
  Screen.FocusIn(Native(Form));
  Pump();
  EXPECT_EQ(GetActiveWindow(), Form);
  EXPECT_EQ(GetFocus(), Edit);
}

// The whole life of a drop-down list as the site picker drives it: shown
// without activation, a press on its frame button captures the mouse, the
// release arrives as a client message and closes (destroys) the list inside
// its own handler; a later drop-down closes on a press elsewhere through the
// hook, which swallows that press.
TEST_F(WindowInput, DropDownListLifeCycle) {
  MakeForm();
  HHOOK Hook = nullptr;
  auto CloseUp = [&]() {
    if (!IsWindow(Popup)) return;
    if (GetCapture() == Popup) ReleaseCapture();
    SetWindowPos(Popup, nullptr, 0, 0, 0, 0, 0x97);
    UnhookWindowsHookEx(Hook);
    SetFocus(Edit);
    DestroyWindow(Popup);
  };
  auto DropDown = [&]() {
    MakePopup();
    On["Popup"] = [&](HWND H, UINT M, WPARAM W, LPARAM L) -> std::optional<LRESULT> {
      switch (M) {
        case WM_MOUSEACTIVATE:
          return MA_NOACTIVATE;
        case WM_NCHITTEST: {
          TRect R;
          GetWindowRect(H, R);
          const TPoint P = PointFromLParam(L);
          if (P.Y < R.Top + 19 && P.X >= R.Right - 20 && P.X < R.Right) return HTBORDER;
          return std::nullopt;
        }
        case WM_NCLBUTTONDOWN:
          DefWindowProc(H, M, W, L);
          SetCapture(H);
          return 0;
        case WM_LBUTTONUP:
          CloseUp();  // destroys the window whose handler this is
          return 0;
        default:
          return std::nullopt;
      }
    };
    Hook = SetWindowsHookEx(WH_MOUSE, [&](int Code, WPARAM W, LPARAM L) -> LRESULT {
      const MOUSEHOOKSTRUCT& M = *reinterpret_cast<MOUSEHOOKSTRUCT*>(L);
      TRect R;
      if (Code >= 0 && (W == WM_LBUTTONDOWN || W == WM_NCLBUTTONDOWN) && GetWindowRect(Popup, R) &&
          !R.Contains(M.pt.X, M.pt.Y)) {
        CloseUp();
        return 1;
      }
      return CallNextHookEx(Hook, Code, W, L);
    });
  };

  DropDown();
  Logged = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_KILLFOCUS, WM_CAPTURECHANGED};
  Screen.ClickAt(86 + 150, 60 + 5);  // the frame button
  Pump();
  EXPECT_FALSE(IsWindow(Popup));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(GetFocus(), Edit);
  EXPECT_EQ(Order({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_KILLFOCUS, WM_CAPTURECHANGED}),
            (std::vector<std::string>{"Popup:LBUTTONUP", "Popup:CAPTURECHANGED"}));
  EXPECT_EQ(Screen.Stack(), (std::vector<TNativeWindow>{Native(Form)}));

  DropDown();
  Log.clear();
  Screen.ClickAt(20 + 250, 20 + 15);  // on Button: closes the list, never reaches Button
  Screen.ClickAt(20 + 250, 20 + 15);  // the next press is an ordinary one
  Pump();
  EXPECT_FALSE(IsWindow(Popup));
  EXPECT_EQ(Order({WM_LBUTTONDOWN}), (std::vector<std::string>{"Button:LBUTTONDOWN"}));
  EXPECT_EQ(GetFocus(), Edit);
  EXPECT_EQ(GetActiveWindow(), Form);
}

}  // namespace
