// Sending, posting, the loop's end, and timers on the virtual clock.

#include "WindowTest.h"

namespace {

class WindowMessages : public TWindowTest {};

TEST_F(WindowMessages, TimersFireOnTheVirtualClockWithoutPilingUp) {
  HWND W = TopLevel("W", Bounds(0, 0, 10, 10));
  Logged = {WM_TIMER};
  ASSERT_EQ(SetTimer(W, 7, 200), 7u);
  Pump();
  Screen.AdvanceTime(199);
  Pump();
  EXPECT_TRUE(Log.empty());
  Screen.AdvanceTime(1);
  Pump();
  EXPECT_TRUE(IsSequence(Log, std::vector<TLogEntry>{{"W", WM_TIMER, 7, 0}}));
  Log.clear();
  Screen.AdvanceTime(1000);  // five periods late: still one message
  Pump();
  EXPECT_EQ(Log.size(), 1u);
  Log.clear();
  Screen.AdvanceTime(199);
  Pump();
  EXPECT_TRUE(Log.empty());  // the next one is due a full period after the last
  ASSERT_TRUE(KillTimer(W, 7));
  EXPECT_FALSE(KillTimer(W, 7));
  Screen.AdvanceTime(1000);
  Pump();
  EXPECT_TRUE(Log.empty());
}

TEST_F(WindowMessages, ResettingATimerRestartsItsPeriod) {
  HWND W = TopLevel("W", Bounds(0, 0, 10, 10));
  Logged = {WM_TIMER};
  SetTimer(W, 1, 200);
  Screen.AdvanceTime(150);
  SetTimer(W, 1, 200);
  Screen.AdvanceTime(150);
  Pump();
  EXPECT_TRUE(Log.empty());
  Screen.AdvanceTime(50);
  Pump();
  EXPECT_EQ(Log.size(), 1u);
}

TEST_F(WindowMessages, ThreadTimersCallTheirProcedureWithANewId) {
  std::vector<UINT_PTR> Fired;
  const UINT_PTR A =
      SetTimer(nullptr, 0, 100, [&](HWND, UINT, UINT_PTR Id, DWORD) { Fired.push_back(Id); });
  const UINT_PTR B =
      SetTimer(nullptr, 0, 300, [&](HWND, UINT, UINT_PTR Id, DWORD) { Fired.push_back(Id); });
  ASSERT_NE(A, 0u);
  ASSERT_NE(A, B);
  Screen.AdvanceTime(300);
  Pump();
  EXPECT_EQ(Fired, (std::vector<UINT_PTR>{A, B}));  // the one due first comes first
}

TEST_F(WindowMessages, DestroyingAWindowStopsItsTimers) {
  HWND W = TopLevel("W", Bounds(0, 0, 10, 10));
  Logged = {WM_TIMER};
  SetTimer(W, 1, 100);
  DestroyWindow(W);
  Screen.AdvanceTime(500);
  Pump();
  EXPECT_TRUE(Log.empty());
}

TEST_F(WindowMessages, SendIsSynchronousAndPostedMessagesKeepTheirOrder) {
  HWND W = TopLevel("W", Bounds(0, 0, 10, 10));
  std::vector<WPARAM> Got;
  On["W"] = [&](HWND H, UINT M, WPARAM Wp, LPARAM) -> std::optional<LRESULT> {
    if (M == WM_USER) {
      Got.push_back(Wp);
      if (Wp == 1) PostMessage(H, WM_USER, 3, 0);  // goes behind 2
      return LRESULT(Wp * 10);
    }
    return std::nullopt;
  };
  EXPECT_EQ(SendMessage(W, WM_USER, 5, 0), 50);
  EXPECT_EQ(Got, (std::vector<WPARAM>{5}));
  PostMessage(W, WM_USER, 1, 0);
  PostMessage(W, WM_USER, 2, 0);
  EXPECT_EQ(Got.size(), 1u);
  Pump();
  EXPECT_EQ(Got, (std::vector<WPARAM>{5, 1, 2, 3}));
}

TEST_F(WindowMessages, PostedMessagesForADestroyedWindowAreDropped) {
  HWND W = TopLevel("W", Bounds(0, 0, 10, 10));
  int Count = 0;
  On["W"] = [&](HWND, UINT M, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (M == WM_USER) ++Count;
    return std::nullopt;
  };
  PostMessage(W, WM_USER, 0, 0);
  DestroyWindow(W);
  Pump();
  EXPECT_EQ(Count, 0);
}

TEST_F(WindowMessages, QuitEndsTheLoopWithItsExitCode) {
  HWND W = TopLevel("W", Bounds(0, 0, 10, 10));
  On["W"] = [](HWND, UINT M, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (M == WM_CLOSE) {
      PostQuitMessage(3);
      return 0;
    }
    return std::nullopt;
  };
  Screen.RequestClose(Native(W));
  EXPECT_FALSE(System.ProcessMessages());
  EXPECT_TRUE(System.QuitReceived());
  EXPECT_EQ(System.ExitCode(), 3);
}

TEST_F(WindowMessages, RunEndsWhenTheHeadlessInputRunsOut) {
  HWND W = TopLevel("W", Bounds(0, 0, 10, 10));
  Logged = {WM_LBUTTONDOWN};
  Screen.ClickAt(5, 5);
  System.Run();
  EXPECT_EQ(Messages(WM_LBUTTONDOWN).size(), 1u);
  EXPECT_FALSE(System.QuitReceived());
  MSG M;
  EXPECT_FALSE(GetMessage(M));
  (void)W;
}

TEST_F(WindowMessages, PeekWithoutRemovingLeavesTheMessage) {
  HWND W = TopLevel("W", Bounds(0, 0, 10, 10));
  Pump();
  PostMessage(W, WM_USER + 1, 0, 0);
  MSG M;
  ASSERT_TRUE(PeekMessage(M, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(M.message, UINT(WM_USER + 1));
  ASSERT_TRUE(PeekMessage(M, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(M.message, UINT(WM_USER + 1));
  EXPECT_FALSE(PeekMessage(M, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(WindowMessages, AltLetterBecomesASystemCharacter) {
  HWND W = TopLevel("W", Bounds(0, 0, 10, 10));
  SetFocus(W);
  Logged = {WM_SYSCHAR, WM_CHAR};
  Screen.KeyPress('D', mkAlt);
  Pump();
  EXPECT_TRUE(
      IsSequence(Log, std::vector<TLogEntry>{{"W", WM_SYSCHAR, 'd', LPARAM(1 | (1 << 29))}}));
}

TEST_F(WindowMessages, TheNewestWindowSystemIsTheOneTheApiActsOn) {
  HWND W = TopLevel("W", Bounds(0, 0, 10, 10));
  {
    // A second system is current while it lives; the first comes back after.
    TWindowSystem Other(CreateHeadlessBackend());
    EXPECT_FALSE(IsWindow(W));
  }
  EXPECT_TRUE(IsWindow(W));
}

}  // namespace
