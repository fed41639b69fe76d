// What the Windows backend makes of the messages Windows sends its windows:
// the messages are sent in-process, the events read back with WaitEvent.

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/backends/win32/ImeForms.h"
#include "platform/backends/win32/Win32Backend.h"
#include "platform/backends/win32/Win32Native.h"
#include "platform/shell/Beep.h"

namespace {

struct TMessage {
  unsigned Message;
  std::uintptr_t WParam;
  std::intptr_t LParam;
};

struct TMessageCase {
  const char* Name;
  std::vector<TMessage> Messages;
  // The events expected, in order, as kind and text or key.
  std::vector<TBackendEventKind> Kinds;
  std::string Text;  // of the beText event, if any
  int VirtualKey = 0;
  bool Repeat = false;
  int Beeps = 0;
};

constexpr unsigned kImeChar = 0x0286;  // WM_IME_CHAR
constexpr unsigned kSysChar = 0x0106;  // WM_SYSCHAR
constexpr std::intptr_t kRepeatBit = 1 << 30;

class Win32BackendTest : public testing::Test {
protected:
  void SetUp() override {
    FBackend = TWin32Backend::Open();
    ASSERT_NE(FBackend, nullptr);
    // Innermost: the beeps of the refused characters are recorded.
    FBeepGuard = std::make_unique<TBeeperGuard>(FBeeper);
    TNativeWindowParams Params;
    Params.ScreenRect = TRect{40, 50, 240, 80};
    Params.Title = "\x93\x8C\x8B\x9E";  // 東京
    Params.Decorated = true;
    Params.ToolWindow = true;
    FWindow = FBackend->CreateNativeWindow(Params);
    // Wine makes windows only on a display; the test command gives it one.
    if (!FWindow && !std::getenv("DISPLAY")) GTEST_SKIP() << "Wine has no display for windows";
    ASSERT_NE(FWindow, 0u);
    Drain();
  }
  void TearDown() override {
    if (FBackend && FWindow) FBackend->DestroyNativeWindow(FWindow);
    FBeepGuard.reset();
    FBackend.reset();
  }

  std::intptr_t Send(unsigned Message, std::uintptr_t WParam, std::intptr_t LParam) {
    return win32native::SendNativeMessage(reinterpret_cast<win32native::THandle>(FWindow), Message,
                                          WParam, LParam);
  }
  std::vector<TBackendEvent> Drain() {
    std::vector<TBackendEvent> Events;
    TBackendEvent E;
    while (FBackend->WaitEvent(E, 0) == wrEvent) Events.push_back(E);
    return Events;
  }
  static std::vector<TBackendEventKind> KindsOf(const std::vector<TBackendEvent>& Events,
                                                bool WithPointer = false) {
    std::vector<TBackendEventKind> Kinds;
    for (const TBackendEvent& E : Events)
      if (WithPointer || (E.Kind != bePointerMove && E.Kind != bePointerLeave))
        Kinds.push_back(E.Kind);
    return Kinds;
  }

  std::unique_ptr<TWin32Backend> FBackend;
  TRecordingBeeper FBeeper;
  std::unique_ptr<TBeeperGuard> FBeepGuard;
  TNativeWindow FWindow = 0;
};

class Win32BackendMessages : public Win32BackendTest,
                             public testing::WithParamInterface<TMessageCase> {};

TEST_P(Win32BackendMessages, BecomeTheWindowSystemsEvents) {
  for (const TMessage& M : GetParam().Messages) Send(M.Message, M.WParam, M.LParam);
  const std::vector<TBackendEvent> Events = Drain();
  EXPECT_EQ(KindsOf(Events), GetParam().Kinds);
  for (const TBackendEvent& E : Events) {
    EXPECT_EQ(E.Window, FWindow);
    if (E.Kind == beText) {
      EXPECT_EQ(E.Text, GetParam().Text);
    }
    if (E.Kind == beKeyDown) {
      EXPECT_EQ(E.VirtualKey, GetParam().VirtualKey);
      EXPECT_EQ(E.Repeat, GetParam().Repeat);
    }
  }
  EXPECT_EQ(int(FBeeper.Beeps().size()), GetParam().Beeps);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Win32BackendMessages,
    testing::Values(
        TMessageCase{"AsciiChar", {{WM_CHAR, 'a', 1}}, {beText}, "a"},
        TMessageCase{"KanjiChar", {{WM_CHAR, 0x6771, 1}}, {beText}, "\x93\x8C"},
        TMessageCase{"HalfWidthKana", {{WM_CHAR, 0xFF71, 1}}, {beText}, "\xB1"},
        // A pair is joined first, then refused once: CP932 has nothing
        // beyond the BMP.
        TMessageCase{"SurrogatePairRefusedOnce",
                     {{WM_CHAR, 0xD842, 1}, {WM_CHAR, 0xDFB7, 1}},
                     {},
                     "",
                     0,
                     false,
                     1},
        TMessageCase{"LatinOutsideCp932Refused", {{WM_CHAR, 0xE9, 1}}, {}, "", 0, false, 1},
        // Enter, Tab and Backspace come from the keys: no text, no beep.
        TMessageCase{"ControlCharDropped", {{WM_CHAR, '\r', 1}, {WM_CHAR, 8, 1}}, {}, ""},
        // The input method's characters come with its composition messages;
        // Alt combinations are commands.
        TMessageCase{"ImeCharIgnored", {{kImeChar, 0x6771, 1}}, {}, ""},
        TMessageCase{"SysCharIgnored", {{kSysChar, 'x', 1}}, {}, ""},
        TMessageCase{"KeyDown", {{WM_KEYDOWN, 'A', 1}}, {beKeyDown}, "", 'A', false},
        TMessageCase{
            "KeyDownRepeated", {{WM_KEYDOWN, 'A', 1 | kRepeatBit}}, {beKeyDown}, "", 'A', true},
        TMessageCase{"SystemKeyIsAKey",
                     {{WM_SYSKEYDOWN, VK_F4, 1 | (1 << 29)}},
                     {beKeyDown},
                     "",
                     VK_F4,
                     false},
        // A key the input method took for its composition.
        TMessageCase{"ProcessKeySkipped", {{WM_KEYDOWN, 0xE5, 1}}, {}, ""},
        TMessageCase{"CloseRequest", {{WM_CLOSE, 0, 0}}, {beCloseRequest}, ""}),
    [](const testing::TestParamInfo<TMessageCase>& Info) { return Info.param.Name; });

TEST_F(Win32BackendTest, KeysHeldWhenTheFocusLeavesGoUp) {
  Send(WM_KEYDOWN, VK_SHIFT, 1);
  Send(WM_KEYDOWN, 'A', 1);
  Send(WM_KEYUP, 'A', 1);
  Send(WM_KILLFOCUS, 0, 0);
  const std::vector<TBackendEvent> Events = Drain();
  ASSERT_EQ(KindsOf(Events),
            (std::vector<TBackendEventKind>{beKeyDown, beKeyDown, beKeyUp, beKeyUp, beFocusOut}));
  EXPECT_EQ(Events[3].VirtualKey, VK_SHIFT);
}

TEST_F(Win32BackendTest, PointerPositionsAreOnTheScreenAndTheWheelIsInNotches) {
  // Client (5, 6) of a window whose client area starts at (40, 50).
  Send(WM_LBUTTONDOWN, 1, (6 << 16) | 5);
  Send(WM_RBUTTONUP, 0, (6 << 16) | 5);
  // The wheel's position is already a screen position; -120 is one notch
  // towards the user.
  Send(WM_MOUSEWHEEL, std::uintptr_t(std::uint16_t(-120)) << 16, (60 << 16) | 45);
  const std::vector<TBackendEvent> Events = Drain();
  ASSERT_EQ(KindsOf(Events),
            (std::vector<TBackendEventKind>{beButtonPress, beButtonRelease, beWheel}));
  EXPECT_EQ(Events[0].ScreenPos, (TPoint{45, 56}));
  EXPECT_EQ(Events[0].Button, mbLeft);
  EXPECT_EQ(Events[1].Button, mbRight);
  EXPECT_EQ(Events[2].WheelDelta, -120);
  EXPECT_FALSE(Events[2].Horizontal);
  EXPECT_EQ(Events[2].ScreenPos, (TPoint{45, 60}));
}

TEST_F(Win32BackendTest, TheClipboardCarriesCp932TextAsUtf16) {
  const std::string Text = "\x93\x8C\x8B\x9E\r\n\tabc";  // 東京, a line break, a tab
  FBackend->SetSelectionText(selClipboard, Text);
  EXPECT_EQ(FBackend->GetSelectionText(selClipboard), Text);
  // The primary selection stays in the program and leaves the clipboard be.
  FBackend->SetSelectionText(selPrimary, "primary");
  EXPECT_EQ(FBackend->GetSelectionText(selPrimary), "primary");
  EXPECT_EQ(FBackend->GetSelectionText(selClipboard), Text);
}

TEST_F(Win32BackendTest, AWindowsMessagesStopWithTheWindow) {
  Send(WM_KEYDOWN, 'A', 1);
  FBackend->DestroyNativeWindow(FWindow);
  const TNativeWindow Gone = FWindow;
  FWindow = 0;
  EXPECT_TRUE(Drain().empty());
  // Asking for the dead window does nothing.
  FBackend->ShowNativeWindow(Gone, true);
  FBackend->SetTextInputSpot(Gone, TRect{1, 1, 2, 10});
  EXPECT_EQ(FBackend->ResetComposition(Gone), "");
}

// The input method puts its composition at the caret and its candidates
// below the caret's line, never over it, and both follow the caret as it
// moves (client coordinates of the window, as IMM32 takes them).
TEST_F(Win32BackendTest, TheInputMethodsWindowsFollowTheCaret) {
  for (const TRect& Caret : {TRect{30, 5, 31, 21}, TRect{112, 7, 113, 23}}) {
    FBackend->SetTextInputSpot(FWindow, Caret);
    const imeforms::TImeForms Forms = imeforms::ReadForms(FWindow);
    ASSERT_TRUE(Forms.Read);
    EXPECT_EQ(Forms.CompositionStyle, imeforms::kForcePosition);
    EXPECT_EQ(Forms.CompositionX, Caret.Left);
    EXPECT_EQ(Forms.CompositionY, Caret.Top);
    EXPECT_EQ(Forms.CandidateStyle, imeforms::kExclude);
    EXPECT_EQ(Forms.CandidateX, Caret.Left);
    EXPECT_EQ(Forms.CandidateY, Caret.Bottom);
    EXPECT_EQ((TRect{Forms.ExcludeLeft, Forms.ExcludeTop, Forms.ExcludeRight, Forms.ExcludeBottom}),
              Caret);
  }
}

// Windows moves a window to a monitor of another scale with WM_DPICHANGED
// and the window rectangle it suggests: the window takes it at once, and the
// window system learns the new figure and the client area inside that
// rectangle's frame, as one event. A pop-up keeps the program's figure.
TEST_F(Win32BackendTest, AMoveToAnotherScaleTakesTheSuggestedRectangle) {
  constexpr unsigned kDpiChanged = 0x02E0;
  struct {
    long Left, Top, Right, Bottom;  // Windows' RECT
  } Suggested{100, 120, 600, 260};
  TNativeWindowParams PopupParams;
  PopupParams.ScreenRect = TRect{300, 300, 400, 400};
  const TNativeWindow Popup = FBackend->CreateNativeWindow(PopupParams);
  ASSERT_NE(Popup, 0u);
  Drain();
  const double Before = FBackend->PixelsPerInch();
  win32native::SendNativeMessage(reinterpret_cast<win32native::THandle>(Popup), kDpiChanged,
                                 (192u << 16) | 192u, reinterpret_cast<std::intptr_t>(&Suggested));
  EXPECT_TRUE(Drain().empty());
  EXPECT_EQ(FBackend->PixelsPerInch(), Before);
  FBackend->DestroyNativeWindow(Popup);

  Send(kDpiChanged, (192u << 16) | 192u, reinterpret_cast<std::intptr_t>(&Suggested));
  const std::vector<TBackendEvent> Events = Drain();
  ASSERT_FALSE(Events.empty());
  ASSERT_EQ(Events[0].Kind, beDpiChanged);
  EXPECT_EQ(Events[0].Window, FWindow);
  EXPECT_EQ(FBackend->PixelsPerInch(), 192.0);
  const TRect Client = Events[0].Rect;
  // Inside the rectangle: a caption above, equal borders left, right and
  // below.
  EXPECT_GT(Client.Top, Suggested.Top);
  EXPECT_GT(Client.Left, Suggested.Left);
  EXPECT_EQ(Client.Left - Suggested.Left, Suggested.Right - Client.Right);
  EXPECT_EQ(Client.Left - Suggested.Left, Suggested.Bottom - Client.Bottom);
  // The window has that client area already: no move of the user's.
  for (const TBackendEvent& E : Events) EXPECT_NE(E.Kind, beConfigure);
}

TEST_F(Win32BackendTest, TheClockIsMonotonicMilliseconds) {
  const std::uint32_t Start = FBackend->Now();
  TBackendEvent E;
  EXPECT_EQ(FBackend->WaitEvent(E, 30), wrTimeout);
  const std::uint32_t Elapsed = FBackend->Now() - Start;
  EXPECT_GE(Elapsed, 25u);
}

}  // namespace
