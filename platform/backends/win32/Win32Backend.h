#pragma once
// The backend for the Windows desktop. One native window per top-level
// window of the window system (Win32Native*.cpp make and drive them); this
// class turns what they report into TBackendEvent: pointer positions in
// screen coordinates, keys as virtual keys (the window system's VK_*
// numbers are Windows' own), typed text and the input method's composition
// converted from UTF-16 to code page 932.
//
// How our windows look to Windows:
// - A window with a caption is an overlapped window whose client area is
//   the window system's rectangle; the frame grows outwards around it. The
//   tool window style gives it the small caption and keeps it off the task
//   bar; always on top is HWND_TOPMOST.
// - A window without caption (lists, menus, hints) is a WS_POPUP that never
//   takes the focus (WS_EX_NOACTIVATE, and clicks answer MA_NOACTIVATE):
//   keys stay with the window it belongs to, as on X11, where it is
//   override-redirect.
// - While the window system holds the mouse capture, the native window
//   holds the Windows capture, so a drag that leaves our windows still
//   reports to us.
//
// This file never includes <windows.h>: the window system's headers define
// names that it defines as macros.

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/backends/Backend.h"
#include "platform/backends/win32/Win32Native.h"
#include "platform/shell/Beep.h"

class TWin32Backend : public TBackend {
public:
  // nullptr when Windows refuses the window class.
  static std::unique_ptr<TWin32Backend> Open();
  ~TWin32Backend() override;
  TWin32Backend(const TWin32Backend&) = delete;
  TWin32Backend& operator=(const TWin32Backend&) = delete;

  // ---- TBackend
  int ScreenWidth() const override;
  int ScreenHeight() const override;
  double PixelsPerInch() const override { return FPixelsPerInch; }
  std::uint32_t Now() const override;
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
  bool QueryPointer(TPoint& ScreenPos) override;
  void SetTextInputSpot(TNativeWindow Window, const TRect& Caret) override;
  void SetTextInputFont(TNativeWindow Window, int PixelHeight) override;
  std::string ResetComposition(TNativeWindow Window) override;
  void SetPointerCapture(TNativeWindow Window) override;
  void SetSelectionText(TSelection Selection, const std::string& Text) override;
  std::string GetSelectionText(TSelection Selection) override;
  TWaitResult WaitEvent(TBackendEvent& Event, int TimeoutMs) override;
  bool RegisterHotKey(int Id, unsigned Modifiers, int VirtualKey) override;
  void UnregisterHotKey(int Id) override;
  bool ReturnFocus() override;

private:
  TWin32Backend() = default;

  class TMessageBeeper : public TBeeper {
  public:
    void Beep(unsigned Type) override;
  };

  void Translate(win32native::TRawEvent&& Raw);
  void Queue(TBackendEvent Event);
  bool Known(TNativeWindow Window) const { return FWindows.count(Window) != 0; }

  std::map<TNativeWindow, TNativeWindowParams> FWindows;
  std::deque<TBackendEvent> FEvents;
  // Virtual keys held down: they go up when the focus leaves, since their
  // releases will reach another program.
  std::vector<int> FHeldKeys;
  // Windows has one clipboard; the primary selection stays in the program.
  std::string FPrimary;
  bool FReportFirstFrame = false;
  // The figure of the monitor of the window that last told one (per-monitor
  // scale: the program follows its main window).
  unsigned FPixelsPerInch = 96;
  TMessageBeeper FBeeper;
  std::unique_ptr<TBeeperGuard> FBeeperGuard;
};
