// System-wide keys in the window layer: what RegisterHotKey asks of the
// backend, the WM_HOTKEY a press brings, and what is refused.

#include "WindowTest.h"

namespace {

class WindowHotKeyTest : public TWindowTest {
protected:
  void SetUp() override { Logged = {WM_HOTKEY}; }
};

TEST_F(WindowHotKeyTest, APressAnywhereBringsWmHotKeyToTheWindowThatAsked) {
  HWND Bar = TopLevel("bar", TRect{0, 0, 50, 20});
  HWND Other = TopLevel("other", TRect{100, 0, 150, 20});
  ASSERT_TRUE(RegisterHotKey(Bar, 7, MOD_CONTROL | MOD_ALT, VK_SPACE));
  ASSERT_TRUE(RegisterHotKey(Other, 7, MOD_WIN | MOD_SHIFT, 'S'));
  EXPECT_EQ(Screen.HotKeys(), (std::vector<std::pair<unsigned, int>>{{mkControl | mkAlt, VK_SPACE},
                                                                     {mkWin | mkShift, 'S'}}));
  // The focus is with another program.
  Screen.FocusOut(Native(Bar));
  Screen.PressHotKey(mkControl | mkAlt, VK_SPACE);
  Screen.PressHotKey(mkWin | mkShift, 'S');
  Pump();
  EXPECT_EQ(Log, (std::vector<TLogEntry>{
                     {"bar", WM_HOTKEY, 7, MAKELPARAM(MOD_CONTROL | MOD_ALT, VK_SPACE)},
                     {"other", WM_HOTKEY, 7, MAKELPARAM(MOD_WIN | MOD_SHIFT, 'S')}}));
}

TEST_F(WindowHotKeyTest, RefusedWhenAnotherProgramHoldsItOrTheIdIsTaken) {
  HWND Bar = TopLevel("bar", TRect{0, 0, 50, 20});
  Screen.TakeHotKey(mkShift, VK_F1 + 11);
  EXPECT_FALSE(RegisterHotKey(Bar, 1, MOD_SHIFT, VK_F1 + 11));
  EXPECT_TRUE(RegisterHotKey(Bar, 1, MOD_SHIFT, VK_F1 + 10));
  EXPECT_FALSE(RegisterHotKey(Bar, 1, MOD_ALT, 'A'));
  EXPECT_FALSE(RegisterHotKey(nullptr, 2, MOD_ALT, 'A'));
  EXPECT_EQ(Screen.HotKeys().size(), 1u);
}

TEST_F(WindowHotKeyTest, UnregisteringOrDestroyingTheWindowGivesTheKeyBack) {
  HWND Bar = TopLevel("bar", TRect{0, 0, 50, 20});
  ASSERT_TRUE(RegisterHotKey(Bar, 1, MOD_ALT, 'A'));
  ASSERT_TRUE(RegisterHotKey(Bar, 2, MOD_ALT, 'B'));
  EXPECT_TRUE(UnregisterHotKey(Bar, 1));
  EXPECT_FALSE(UnregisterHotKey(Bar, 1));
  EXPECT_EQ(Screen.HotKeys(), (std::vector<std::pair<unsigned, int>>{{mkAlt, 'B'}}));
  DestroyWindow(Bar);
  EXPECT_TRUE(Screen.HotKeys().empty());
  // A press after that reaches nobody.
  Screen.PressHotKey(mkAlt, 'B');
  Pump();
  EXPECT_TRUE(Log.empty());
}

TEST_F(WindowHotKeyTest, TheForegroundIsTakenFromAnotherProgramAndGivenBack) {
  HWND Bar = Create("bar", WS_CAPTION | WS_VISIBLE, TRect{0, 0, 50, 20});
  Pump();
  Screen.FocusOut(Native(Bar));
  Pump();
  ASSERT_EQ(GetActiveWindow(), nullptr);
  EXPECT_TRUE(SetForegroundWindow(Bar));
  Pump();
  EXPECT_EQ(GetActiveWindow(), Bar);
  EXPECT_EQ(Screen.FocusedWindow(), Native(Bar));
  EXPECT_TRUE(ReturnForeground());
  Pump();
  EXPECT_EQ(GetActiveWindow(), nullptr);
  EXPECT_EQ(Screen.FocusReturns(), 1);
  // Nobody to give it to now.
  EXPECT_FALSE(ReturnForeground());
}

}  // namespace
