// The input method's composition on the window layer: the WM_IME_ messages
// reach the focus window in order with the committed characters, keys
// during a composition are the input method's (VK_PROCESSKEY), and the
// IMM calls read, drop and complete the composition.

#include "WindowTest.h"

namespace {

class WindowComposition : public TWindowTest {
protected:
  void SetUp() override {
    Form = Create("Form", WS_OVERLAPPEDWINDOW | WS_VISIBLE, Bounds(20, 20, 500, 100));
    Edit = Child("Edit", Form, Bounds(10, 10, 100, 20), WS_BORDER);
    Other = Child("Other", Form, Bounds(200, 10, 100, 20));
    SetFocus(Edit);
    Pump();
    Logged = {WM_IME_STARTCOMPOSITION,
              WM_IME_COMPOSITION,
              WM_IME_ENDCOMPOSITION,
              WM_CHAR,
              WM_KEYDOWN,
              WM_SYSKEYDOWN};
  }
  HWND Form = nullptr, Edit = nullptr, Other = nullptr;
};

constexpr LPARAM kChanged = GCS_COMPSTR | GCS_COMPATTR | GCS_CURSORPOS;

TEST_F(WindowComposition, MessagesReachTheFocusInOrderWithTheCommit) {
  Screen.StartComposition();
  Screen.Compose("\x82\xA0", {caTargetConverted, caTargetConverted}, 0);
  Screen.EndComposition("\x88\xA2");
  std::vector<TCompositionString> Seen;
  On["Edit"] = [&](HWND H, UINT M, WPARAM, LPARAM) -> std::optional<LRESULT> {
    TCompositionString C;
    if (M == WM_IME_COMPOSITION && ImmGetCompositionString(H, C)) Seen.push_back(C);
    return std::nullopt;
  };
  Pump();
  EXPECT_TRUE(IsSequence(Log, std::vector<TLogEntry>{{"Edit", WM_IME_STARTCOMPOSITION, 0, 0},
                                                     {"Edit", WM_IME_COMPOSITION, 0, kChanged},
                                                     {"Edit", WM_CHAR, 0x88, 1},
                                                     {"Edit", WM_CHAR, 0xA2, 1},
                                                     {"Edit", WM_IME_ENDCOMPOSITION, 0, 0}}));
  // Read while handled: the composition of that moment, before the end.
  ASSERT_EQ(Seen.size(), 1u);
  EXPECT_EQ(Seen[0].Text, "\x82\xA0");
  EXPECT_EQ(Seen[0].Attributes, (std::vector<BYTE>{caTargetConverted, caTargetConverted}));
  EXPECT_EQ(Seen[0].CursorPos, 0);
  TCompositionString After;
  EXPECT_FALSE(ImmGetCompositionString(Edit, After));
}

TEST_F(WindowComposition, CompositionIsReadWithItsAttributesAndCursor) {
  Screen.StartComposition();
  Screen.Compose("ab", {caInput, caConverted}, 1);
  Pump();
  TCompositionString C;
  ASSERT_TRUE(ImmGetCompositionString(Edit, C));
  EXPECT_EQ(C.Text, "ab");
  EXPECT_EQ(C.Attributes, (std::vector<BYTE>{caInput, caConverted}));
  EXPECT_EQ(C.CursorPos, 1);
  // Any window of the same top-level reads it; the composition is the
  // top-level's, as one input context serves it.
  EXPECT_TRUE(ImmGetCompositionString(Other, C));
}

TEST_F(WindowComposition, UpdateWithoutStartStartsAndEndWithoutStartIsNothing) {
  Screen.EndComposition();
  Screen.Compose("");
  Pump();
  EXPECT_TRUE(Log.empty());
  Screen.Compose("x");
  Pump();
  EXPECT_TRUE(IsSequence(Log, std::vector<TLogEntry>{{"Edit", WM_IME_STARTCOMPOSITION, 0, 0},
                                                     {"Edit", WM_IME_COMPOSITION, 0, kChanged}}));
}

TEST_F(WindowComposition, KeysWhileComposingArriveAsProcessKey) {
  Screen.StartComposition();
  Screen.Compose("k");
  Screen.KeyPress(VK_RETURN);
  Screen.KeyPress(VK_DOWN, mkAlt);
  Screen.EndComposition();
  Screen.KeyPress(VK_RETURN);
  Pump();
  std::vector<TLogEntry> Keys;
  for (const TLogEntry& E : Log)
    if (E.Msg == WM_KEYDOWN || E.Msg == WM_SYSKEYDOWN || E.Msg == WM_CHAR) Keys.push_back(E);
  ASSERT_EQ(Keys.size(), 4u);
  EXPECT_EQ(Keys[0].Msg, UINT(WM_KEYDOWN));
  EXPECT_EQ(Keys[0].WParam, WPARAM(VK_PROCESSKEY));  // no WM_CHAR 13 follows it
  EXPECT_EQ(Keys[1].Msg, UINT(WM_SYSKEYDOWN));
  EXPECT_EQ(Keys[1].WParam, WPARAM(VK_PROCESSKEY));
  EXPECT_EQ(Keys[2].WParam, WPARAM(VK_RETURN));  // after the end: the key itself
  EXPECT_EQ(Keys[3].Msg, UINT(WM_CHAR));
  EXPECT_EQ(Keys[3].WParam, WPARAM(13));
}

TEST_F(WindowComposition, CancelDropsItAndTellsTheInputMethod) {
  Screen.StartComposition();
  Screen.Compose("abc");
  Pump();
  const TNativeWindow Native = System.NativeWindowOf(Form);
  EXPECT_TRUE(ImmNotifyIME(Edit, CPS_CANCEL));
  EXPECT_EQ(Screen.Native(Native)->CompositionResets, 1);
  TCompositionString C;
  EXPECT_FALSE(ImmGetCompositionString(Edit, C));
  Log.clear();
  Screen.KeyPress(VK_RETURN);  // a key after the drop is the key again
  Pump();
  ASSERT_FALSE(Log.empty());
  EXPECT_EQ(Log.front().WParam, WPARAM(VK_RETURN));
  // Without a composition the input method is still told (one composing
  // in a window of its own has one we do not know of).
  EXPECT_TRUE(ImmNotifyIME(Edit, CPS_CANCEL));
  EXPECT_EQ(Screen.Native(Native)->CompositionResets, 2);
}

TEST_F(WindowComposition, CompleteSendsTheTextAsCharactersBeforeItReturns) {
  Screen.StartComposition();
  Screen.Compose("\x93\x8C");
  Pump();
  Log.clear();
  EXPECT_TRUE(ImmNotifyIME(Edit, CPS_COMPLETE));
  EXPECT_TRUE(IsSequence(
      Log, std::vector<TLogEntry>{{"Edit", WM_CHAR, 0x93, 1}, {"Edit", WM_CHAR, 0x8C, 1}}));
  TCompositionString C;
  EXPECT_FALSE(ImmGetCompositionString(Edit, C));
}

TEST_F(WindowComposition, FontHeightReachesTheBackend) {
  TLogFont Font;
  Font.Height = -16;
  EXPECT_TRUE(ImmSetCompositionFont(Edit, Font));
  EXPECT_EQ(Screen.Native(System.NativeWindowOf(Form))->InputFontHeight, 16);
  Font.Height = 20;  // a cell height is taken as it is
  ImmSetCompositionFont(Edit, Font);
  EXPECT_EQ(Screen.Native(System.NativeWindowOf(Form))->InputFontHeight, 20);
}

TEST_F(WindowComposition, TheSpotFollowsTheCaretAndTheWindowThatCarriesIt) {
  const TNativeWindow Native = System.NativeWindowOf(Form);
  ASSERT_TRUE(CreateCaret(Edit, 1, 12));
  SetCaretPos(5, 3);
  const TRect First = Screen.Native(Native)->InputSpot;
  EXPECT_EQ(First.Width(), 1);
  EXPECT_EQ(First.Height(), 12);
  SetCaretPos(9, 3);
  EXPECT_EQ(Screen.Native(Native)->InputSpot.Left, First.Left + 4);
  // The edit moves 30 pixels right inside the form: so does the spot.
  SetWindowPos(Edit, nullptr, 40, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(Screen.Native(Native)->InputSpot.Left, First.Left + 34);
  EXPECT_EQ(Screen.Native(Native)->InputSpot.Top, First.Top);
  // No caret: nothing takes text.
  DestroyCaret();
  EXPECT_TRUE(Screen.Native(Native)->InputSpot.IsEmpty());
}

}  // namespace
