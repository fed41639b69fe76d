#pragma once
// Fixture for tests of forms and controls: a headless screen, the window
// system on it and an application object whose error box records instead of
// showing. Input is injected the way a user gives it and then handled with
// Pump(); the virtual clock moves only with Wait().
//
//   class TMyTest : public THeadlessFixture {};
//   TEST_F(TMyTest, ClickCloses) {
//     auto* Form = MakeForm<TForm>();
//     Form->Show();
//     Pump();
//     ClickAt(Form, 10, 10);
//     ...
//   }
//
// Members are destroyed in reverse order: the application (and with it every
// form it owns) goes before the window system, as in the program.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/forms/Controls.h"
#include "framework/forms/Forms.h"
#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/gdi/SysColors.h"
#include "platform/window/WinUser.h"
#include "platform/window/WindowSystem.h"

class THeadlessFixture : public ::testing::Test {
protected:
  THeadlessFixture() {
    App.SetErrorBox([this](const std::string& Text, const std::string& Caption) {
      Errors.push_back(Text);
      ErrorCaptions.push_back(Caption);
    });
  }

  // A form owned by the application (destroyed with it), not yet shown.
  template <class T = TForm>
  T* MakeForm() {
    return new T(&App);
  }

  // Handles everything waiting: input, posted messages, due timers, paints.
  void Pump() { App.ProcessMessages(); }
  // Moves the virtual clock on and handles what became due.
  void Wait(unsigned Milliseconds) {
    Display.AdvanceTime(Milliseconds);
    Pump();
  }

  // Input at a point of a control's client area.
  TPoint ScreenPoint(const TControl* Control, int X, int Y) const {
    return Control->ClientToScreen(TPoint{X, Y});
  }
  void MoveTo(const TControl* Control, int X, int Y) {
    const TPoint P = ScreenPoint(Control, X, Y);
    Display.MoveMouse(P.X, P.Y);
    Pump();
  }
  void ClickAt(const TControl* Control, int X, int Y, TMouseButton Button = mbLeft) {
    const TPoint P = ScreenPoint(Control, X, Y);
    Display.MoveMouse(P.X, P.Y);
    Display.Click(Button);
    Pump();
  }
  void PressAt(const TControl* Control, int X, int Y, TMouseButton Button = mbLeft) {
    const TPoint P = ScreenPoint(Control, X, Y);
    Display.MoveMouse(P.X, P.Y);
    Display.Press(Button);
    Pump();
  }
  void Release(TMouseButton Button = mbLeft) {
    Display.Release(Button);
    Pump();
  }
  void Key(int VirtualKey, unsigned Modifiers = 0) {
    Display.KeyPress(VirtualKey, Modifiers);
    Pump();
  }

  // The pixel a top-level form painted at a point of its client area, as
  // 0x00RRGGBB; 0xFFFFFFFF outside.
  std::uint32_t Painted(TWinControl* Form, int X, int Y) const {
    const TSurface* S = System.BackBufferOf(Form->Handle());
    return S && X >= 0 && Y >= 0 && X < S->Width() && Y < S->Height() ? S->Row(Y)[X] : 0xFFFFFFFFu;
  }
  // The pixel as the screen shows it (what was presented).
  std::uint32_t Shown(TWinControl* Form, int X, int Y) const {
    return Display.PresentedPixel(System.NativeWindowOf(Form->Handle()), X, Y);
  }
  const THeadlessBackend::TNative* NativeOf(TWinControl* Form) const {
    return Display.Native(System.NativeWindowOf(Form->Handle()));
  }

private:
  static std::unique_ptr<TBackend> MakeBackend(THeadlessBackend*& Out) {
    auto Backend = std::make_unique<THeadlessBackend>();
    Out = Backend.get();
    return Backend;
  }
  THeadlessBackend* FDisplay = nullptr;

protected:
  TWindowSystem System{MakeBackend(FDisplay)};
  THeadlessBackend& Display = *FDisplay;
  TApplication App;
  std::vector<std::string> Errors;
  std::vector<std::string> ErrorCaptions;
};

inline std::uint32_t PixelOf(TColor Color) { return ColorToPixel(Color); }
