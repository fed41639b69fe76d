#pragma once
// A backend without a display: a virtual screen (1024 by 768 unless asked
// otherwise), a virtual clock that only tests move, and input that tests
// inject the way a user gives it. Every native window keeps the pixels last
// presented to it, and the whole screen can be composited in z-order.
//
// Injected input is queued; the window system takes it when it processes
// messages (TWindowSystem::ProcessMessages). A gesture that a modal loop
// handles (pressing a sizing grip, moving, releasing) is therefore queued
// whole before processing: when the queue runs dry the backend reports that
// no more input can come, and a modal loop ends there.
//
//   auto Backend = std::make_unique<THeadlessBackend>();
//   THeadlessBackend& Screen = *Backend;
//   TWindowSystem System(std::move(Backend));
//   ...
//   Screen.MoveMouse(30, 40);
//   Screen.Click();
//   System.ProcessMessages();

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/backends/Backend.h"
#include "platform/shell/Beep.h"

class THeadlessBackend : public TBackend {
public:
  explicit THeadlessBackend(int Width = 1024, int Height = 768);
  ~THeadlessBackend() override;

  // ---- TBackend
  int ScreenWidth() const override { return FWidth; }
  int ScreenHeight() const override { return FHeight; }
  std::uint32_t Now() const override { return FNow; }
  double PixelsPerInch() const override { return FPixelsPerInch; }
  TNativeWindow CreateNativeWindow(const TNativeWindowParams& Params) override;
  void DestroyNativeWindow(TNativeWindow Window) override;
  void UpdateNativeWindow(TNativeWindow Window, const TNativeWindowParams& Params) override;
  void SetNativeBounds(TNativeWindow Window, const TRect& ScreenRect) override;
  void ShowNativeWindow(TNativeWindow Window, bool Show) override;
  void ActivateNativeWindow(TNativeWindow Window) override;
  void RestackNativeWindows(const std::vector<TNativeWindow>& TopToBottom) override;
  void Present(TNativeWindow Window, const TSurface& Surface,
               const std::vector<TRect>& Dirty) override;
  void SetCursorShape(TNativeWindow Window, TCursorShape Shape) override;
  void WarpPointer(const TPoint& ScreenPos) override;
  // The virtual pointer, moved by the injected input as it is given.
  bool QueryPointer(TPoint& ScreenPos) override;
  void SetTextInputSpot(TNativeWindow Window, const TRect& Caret) override;
  void SetTextInputFont(TNativeWindow Window, int PixelHeight) override;
  std::string ResetComposition(TNativeWindow Window) override;
  void SetSelectionText(TSelection Selection, const std::string& Text) override;
  std::string GetSelectionText(TSelection Selection) override;
  TWaitResult WaitEvent(TBackendEvent& Event, int TimeoutMs) override;
  bool RegisterHotKey(int Id, unsigned Modifiers, int VirtualKey) override;
  void UnregisterHotKey(int Id) override;
  bool ReturnFocus() override;

  // ---- input, as a user gives it
  void MoveMouse(int X, int Y);
  void Press(TMouseButton Button = mbLeft);
  void Release(TMouseButton Button = mbLeft);
  void Click(TMouseButton Button = mbLeft);  // press and release where the pointer is
  void ClickAt(int X, int Y, TMouseButton Button = mbLeft);
  void Wheel(int Delta, bool Horizontal = false);
  // Modifier keys (VK_SHIFT, VK_CONTROL, VK_MENU and their sided forms) stay
  // held between their KeyDown and KeyUp; Modifiers adds more for this one
  // key only.
  void KeyDown(int VirtualKey, unsigned Modifiers = 0, bool Repeat = false);
  void KeyUp(int VirtualKey, unsigned Modifiers = 0);
  void KeyPress(int VirtualKey, unsigned Modifiers = 0);  // down and up
  // Text as an input method commits it, in code page 932.
  void TypeText(const std::string& Cp932);
  // An input method composing on the spot in the focused window: the
  // composition begins, shows Cp932 with one TCompositionAttribute per
  // byte (all caInput when Attributes is empty) and the caret at byte
  // Caret (-1: at the end), and ends (CommitText, when not empty, is
  // committed first, as an input method commits before it ends).
  void StartComposition();
  void Compose(const std::string& Cp932, std::vector<std::uint8_t> Attributes = {}, int Caret = -1);
  void EndComposition(const std::string& CommitText = std::string());
  // A system-wide key combination (TModifierKey bits): reported as the hot
  // key of the program when it registered one, else lost to another
  // program, as the real system does.
  void PressHotKey(unsigned Modifiers, int VirtualKey);
  // Another program holds the combination: the program cannot register it.
  void TakeHotKey(unsigned Modifiers, int VirtualKey);
  // The window manager's side.
  void FocusIn(TNativeWindow Window);
  void FocusOut(TNativeWindow Window);
  void RequestClose(TNativeWindow Window);
  void Expose(TNativeWindow Window, const TRect& Rect);
  void Configure(TNativeWindow Window, const TRect& ScreenRect);
  void PointerLeave();
  // The desktop's scale changes to PixelsPerInch for every window, as on
  // X11 when Xft.dpi changes (set before the window system starts, it is
  // the figure it starts with).
  void SetPixelsPerInch(double PixelsPerInch);
  // Window moves to a screen of another scale, as Windows reports it, with
  // the client rectangle the system suggests.
  void MoveToScreenOfDpi(TNativeWindow Window, double PixelsPerInch, const TRect& Suggested);
  // Moves the virtual clock on; nothing happens until messages are processed.
  void AdvanceTime(std::uint32_t Milliseconds);

  // ---- what the program showed
  struct TNative {
    TNativeWindowParams Params;
    bool Shown = false;
    TSurface Presented;  // the pixels as last presented
    int PresentCount = 0;
    TCursorShape Cursor = crsArrow;
    TRect InputSpot;
    int InputFontHeight = 0;  // 0: never told
    int CompositionResets = 0;
    // Every place the program asked the window to take, in order: a window
    // manager sees each of them.
    std::vector<TRect> BoundsRequests;
  };
  bool Exists(TNativeWindow Window) const { return FWindows.count(Window) != 0; }
  const TNative* Native(TNativeWindow Window) const;
  // The shown native windows, top first, as the program last stacked them.
  const std::vector<TNativeWindow>& Stack() const { return FStack; }
  TNativeWindow FocusedWindow() const { return FFocused; }
  // The pixel presented at a point of a window, or 0xFFFFFFFF when there is
  // no such pixel.
  std::uint32_t PresentedPixel(TNativeWindow Window, int X, int Y) const;
  // The whole screen: the desktop colour, then every shown window from the
  // bottom up at its place.
  TSurface Screenshot() const;
  TPoint Pointer() const { return FPointer; }
  std::size_t PendingEvents() const { return FEvents.size(); }
  // The hot keys registered now, as (TModifierKey bits, virtual key).
  std::vector<std::pair<unsigned, int>> HotKeys() const;
  // How often the program gave the focus back to another program.
  int FocusReturns() const { return FFocusReturns; }
  const std::vector<unsigned>& Beeps() const { return FBeeper.Beeps(); }

private:
  void Queue(TBackendEvent Event);
  unsigned HeldModifiers() const;

  int FWidth, FHeight;
  std::uint32_t FNow = 1000;
  double FPixelsPerInch = 96.0;
  TNativeWindow FNextId = 1;
  std::map<TNativeWindow, TNative> FWindows;
  std::vector<TNativeWindow> FStack;
  TNativeWindow FFocused = 0;
  // The composition the input method is showing; dropped by a reset.
  bool FComposing = false;
  std::string FCompositionText;
  std::deque<TBackendEvent> FEvents;
  TPoint FPointer;
  bool FShift = false, FControl = false, FAlt = false;
  struct THotKeyEntry {
    int Id;
    unsigned Modifiers;
    int VirtualKey;
  };
  std::vector<THotKeyEntry> FHotKeys;
  std::vector<std::pair<unsigned, int>> FTakenHotKeys;
  int FFocusReturns = 0;
  std::string FSelections[2];
  TRecordingBeeper FBeeper;
  TBeeperGuard FBeeperGuard{FBeeper};
};

// The one place that makes a headless backend.
std::unique_ptr<TBackend> CreateHeadlessBackend(int Width = 1024, int Height = 768);
