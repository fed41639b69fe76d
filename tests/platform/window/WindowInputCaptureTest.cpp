// The window system tells its backend which native top-level holds the mouse
// capture, so that a backend can keep the pointer for the program while it
// does (on X11, a pointer grab): once per change, and 0 whenever the capture
// ends, however it ends.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/window/WinUser.h"
#include "platform/window/WindowSystem.h"

namespace {

class TCaptureRecordingBackend : public THeadlessBackend {
public:
  void SetPointerCapture(TNativeWindow Window) override { Calls.push_back(Window); }
  std::vector<TNativeWindow> Calls;
};

class WindowPointerCapture : public ::testing::Test {
protected:
  static std::unique_ptr<TBackend> MakeBackend(TCaptureRecordingBackend*& Out) {
    auto B = std::make_unique<TCaptureRecordingBackend>();
    Out = B.get();
    return B;
  }

  HWND Make(HWND Parent, const TRect& R) {
    WNDCLASS Class;
    Class.lpszClassName = "CaptureTest";
    const DWORD Style = (Parent ? WS_CHILD : WS_POPUP) | WS_VISIBLE;
    return CreateWindowEx(
        0, Class, "", Style, R.Left, R.Top, R.Width(), R.Height(), Parent,
        [](HWND H, UINT M, WPARAM W, LPARAM L) { return DefWindowProc(H, M, W, L); });
  }

  void SetUp() override {
    Form = Make(nullptr, Bounds(20, 20, 500, 35));
    Edit = Make(Form, Bounds(10, 10, 100, 20));
    Button = Make(Form, Bounds(200, 10, 40, 20));
    Menu = Make(nullptr, Bounds(100, 60, 120, 80));
  }

  TNativeWindow Native(HWND W) const { return System.NativeWindowOf(W); }
  std::vector<TNativeWindow>& Calls() { return Backend->Calls; }

  TCaptureRecordingBackend* Backend = nullptr;
  TWindowSystem System{MakeBackend(Backend)};
  HWND Form = nullptr, Edit = nullptr, Button = nullptr, Menu = nullptr;
};

TEST_F(WindowPointerCapture, TheCapturesTopLevelIsToldOnceAndZeroAtRelease) {
  SetCapture(Edit);
  SetCapture(Button);  // the same top-level: nothing new to tell
  SetCapture(Form);
  EXPECT_EQ(Calls(), (std::vector<TNativeWindow>{Native(Form)}));
  ReleaseCapture();
  ReleaseCapture();  // no capture: nothing to tell
  EXPECT_EQ(Calls(), (std::vector<TNativeWindow>{Native(Form), 0}));
}

TEST_F(WindowPointerCapture, MovingTheCaptureToAnotherTopLevelTellsThatOne) {
  SetCapture(Edit);
  SetCapture(Menu);
  SetCapture(Button);
  EXPECT_EQ(Calls(), (std::vector<TNativeWindow>{Native(Form), Native(Menu), Native(Form)}));
}

TEST_F(WindowPointerCapture, DestroyingTheCaptureEndsIt) {
  SetCapture(Button);
  DestroyWindow(Button);
  EXPECT_EQ(Calls(), (std::vector<TNativeWindow>{Native(Form), 0}));

  const TNativeWindow MenuNative = Native(Menu);
  SetCapture(Menu);
  DestroyWindow(Menu);
  EXPECT_EQ(Calls(), (std::vector<TNativeWindow>{Native(Form), 0, MenuNative, 0}));
}

TEST_F(WindowPointerCapture, HidingOrDisablingTheCaptureEndsIt) {
  SetCapture(Menu);
  ShowWindow(Menu, SW_HIDE);
  EXPECT_EQ(GetCapture(), nullptr);
  SetCapture(Edit);
  EnableWindow(Form, false);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(Calls(), (std::vector<TNativeWindow>{Native(Menu), 0, Native(Form), 0}));
}

TEST_F(WindowPointerCapture, FocusGoingToAnotherProgramEndsIt) {
  SetActiveWindow(Form);
  SetCapture(Edit);
  Backend->FocusOut(Native(Form));
  System.ProcessMessages();
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(Calls(), (std::vector<TNativeWindow>{Native(Form), 0}));
}

}  // namespace
