#pragma once
// The interface between the window system's core and a platform backend.
//
// The core (platform/window) owns every window, does all input routing
// (hook, capture, hit testing, activation, focus, double clicks), painting
// and compositing. A backend only gives each top-level window a native
// window, shows the pixels the core painted, and reports raw input:
//
//   core -> backend   create/destroy/move/show/restack native top-levels,
//                     present a top-level's back buffer, set the cursor,
//                     warp the pointer, text input spot and font, ending a
//                     composition, selections
//   backend -> core   WaitEvent: pointer, buttons, wheel, keys, text, the
//                     input method's composition, focus of a top-level,
//                     close request, expose, configure
//
// Every top-level window of the core (a window whose parent is the desktop)
// has exactly one native window. Its frame, when it has a caption, is the
// window manager's: the core's window rectangle of a top-level is the native
// window's client area. A top-level that carries the child style, or has
// neither caption nor thick frame, is a pop-up: undecorated, and on X11
// override-redirect when it must never take the focus.
//
// Times are milliseconds of a monotonic clock that the backend owns (the
// headless backend's is virtual and advanced by tests).

#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/Types.h"
#include "platform/gdi/Surface.h"
#include "platform/window/WinDefs.h"

// A backend's name for one native top-level window; 0 is none.
using TNativeWindow = std::uintptr_t;

// What a native window should look like and how it should behave.
struct TNativeWindowParams {
  TRect ScreenRect;         // the client area in screen coordinates
  std::string Title;        // code page 932; the backend converts
  bool Decorated = false;   // framed by the window manager (has a caption)
  bool Resizable = false;   // the window manager may resize it
  bool ToolWindow = false;  // small caption, kept off the task bar
  bool Topmost = false;     // always on top of normal windows
  // Never takes the keyboard focus from the window manager (the core's
  // child-style pop-ups and no-activate windows); on X11 override-redirect.
  bool NoActivate = false;
  TNativeWindow Owner = 0;  // transient-for, kept above its owner
  bool operator==(const TNativeWindowParams& O) const {
    return ScreenRect == O.ScreenRect && Title == O.Title && Decorated == O.Decorated &&
           Resizable == O.Resizable && ToolWindow == O.ToolWindow && Topmost == O.Topmost &&
           NoActivate == O.NoActivate && Owner == O.Owner;
  }
};

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// Modifier keys held when an event happened. The Windows key is only ever
// part of a hot key's combination: events do not report it.
enum TModifierKey : unsigned { mkShift = 1, mkControl = 2, mkAlt = 4, mkWin = 8 };

// What a byte of a composition is, as the Windows IME marks it: text still
// being typed, the clause being converted (converted or not yet), and
// clauses converted already.
enum TCompositionAttribute : std::uint8_t {
  caInput = 0,
  caTargetConverted = 1,
  caConverted = 2,
  caTargetNotConverted = 3
};

enum TBackendEventKind {
  beNone,
  bePointerMove,    // ScreenPos
  bePointerLeave,   // the pointer is over none of the program's windows now
  beButtonPress,    // Button, ScreenPos
  beButtonRelease,  // Button, ScreenPos
  beWheel,          // WheelDelta (120 per notch, positive away from the user), Horizontal
  beKeyDown,        // VirtualKey, Repeat
  beKeyUp,          // VirtualKey
  // Text typed, in code page 932 (the backend converts from its input
  // method). Printable characters only: Enter, Tab, Backspace, Escape and
  // control characters come from the keys, through TranslateMessage.
  beText,
  beFocusIn,       // Window got the keyboard focus from the window manager
  beFocusOut,      // Window lost it (to another program, or to none)
  beCloseRequest,  // the user asked the window manager to close Window
  beExpose,        // Rect (window coordinates) of Window must be shown again
  beConfigure,     // the window manager moved or resized Window to Rect (screen)
  // The input method composes inside the program's window (on-the-spot):
  // a composition begins, changes (Text in code page 932, Attributes one
  // per byte of it, Caret a byte offset in it) and ends. The text it
  // commits comes as beText, before or after the end.
  beCompositionStart,
  beComposition,
  beCompositionEnd,
  // A system-wide key combination registered with RegisterHotKey was
  // pressed, wherever the focus was: VirtualKey carries the id it was
  // registered under.
  beHotKey,
  // The program's pixels per inch changed (PixelsPerInch() answers the new
  // figure). Window 0: the desktop's scale changed for every window (X11's
  // Xft.dpi). A window: that window moved to a screen of another scale
  // (Windows' WM_DPICHANGED); Rect is then the screen rectangle the system
  // suggests for its client area.
  beDpiChanged
};

struct TBackendEvent {
  TBackendEventKind Kind = beNone;
  TNativeWindow Window = 0;
  TPoint ScreenPos;
  TMouseButton Button = mbLeft;
  int WheelDelta = 0;
  bool Horizontal = false;
  int VirtualKey = 0;
  bool Repeat = false;  // an auto-repeated key-down
  std::string Text;
  std::vector<std::uint8_t> Attributes;  // beComposition: one per byte of Text
  int Caret = 0;                         // beComposition: byte offset in Text
  TRect Rect;
  // Modifier keys held when the event happened, not counting the key of a
  // key event itself (the core accounts for that).
  unsigned Modifiers = 0;
  std::uint32_t Time = 0;
};

enum TWaitResult {
  wrEvent,        // Event was filled
  wrTimeout,      // nothing came within the time-out
  wrNoMoreInput,  // nothing can come without outside help (headless: queue empty)
};

// The two selections of X11; a backend without them treats both alike.
enum TSelection { selClipboard, selPrimary };

class TBackend {
public:
  virtual ~TBackend() = default;

  virtual int ScreenWidth() const = 0;
  virtual int ScreenHeight() const = 0;
  // Milliseconds of a monotonic clock.
  virtual std::uint32_t Now() const = 0;
  // The program's pixels per inch: the one figure layouts, fonts and the
  // controls' own metrics are scaled by (96 is unscaled). Fractional
  // figures are kept as they are. Only the backend asks the system.
  virtual double PixelsPerInch() const { return 96.0; }

  virtual TNativeWindow CreateNativeWindow(const TNativeWindowParams& Params) = 0;
  virtual void DestroyNativeWindow(TNativeWindow Window) = 0;
  // Title, decoration, topmost and the rest changed (bounds included).
  virtual void UpdateNativeWindow(TNativeWindow Window, const TNativeWindowParams& Params) = 0;
  virtual void SetNativeBounds(TNativeWindow Window, const TRect& ScreenRect) = 0;
  virtual void ShowNativeWindow(TNativeWindow Window, bool Show) = 0;
  // Asks for the keyboard focus for Window (it is shown).
  virtual void ActivateNativeWindow(TNativeWindow Window) = 0;
  // Every shown native window of the program, top first. Topmost windows
  // come first in the list; the backend keeps them above other programs.
  virtual void RestackNativeWindows(const std::vector<TNativeWindow>& TopToBottom) = 0;
  // Shows the given rectangles (window coordinates) of the back buffer. The
  // surface has the window's size and is only read during the call.
  virtual void Present(TNativeWindow Window, const TSurface& Surface,
                       const std::vector<TRect>& Dirty) = 0;

  virtual void SetCursorShape(TNativeWindow Window, TCursorShape Shape) = 0;
  // Moves the pointer; the backend reports the move as an event if its
  // platform does, the core does not rely on it.
  virtual void WarpPointer(const TPoint& ScreenPos) = 0;
  // Where the pointer is now, asked of the system; false when the backend
  // cannot tell, and the core answers the last position its input reported.
  // A pointer that leaves our windows in one jump reports no move to them,
  // so only the system knows where it went.
  virtual bool QueryPointer(TPoint& ScreenPos) { return false; }
  // Where the input method should show its composition and candidates: a
  // caret rectangle in window coordinates. An empty rectangle: no caret,
  // nothing in the window takes text, so keys go past the input method.
  virtual void SetTextInputSpot(TNativeWindow Window, const TRect& Caret) = 0;
  // The character height in pixels of the text being edited, for an input
  // method that draws the composition itself at the spot.
  virtual void SetTextInputFont(TNativeWindow Window, int PixelHeight) {}
  // Ends the composition in progress in Window at once, without committing
  // it; answers the text it held (code page 932). Updates of it still on
  // their way are not reported.
  virtual std::string ResetComposition(TNativeWindow Window) { return std::string(); }

  // The program holds the mouse capture in a window of this native
  // top-level (0: it no longer does). As on Windows, the capture then gets
  // the presses made outside every window of the program too, so that a
  // click on the desktop or on another program closes an open menu. A
  // backend whose pointer input is the program's alone ignores it.
  virtual void SetPointerCapture(TNativeWindow Window) {}

  // A key combination (Modifiers: TModifierKey bits) that reaches the
  // program wherever the keyboard focus is, reported as beHotKey with Id.
  // False when the system refuses it: another program holds it, or the
  // keyboard has no such key. A backend without system-wide keys answers
  // false.
  virtual bool RegisterHotKey(int Id, unsigned Modifiers, int VirtualKey) { return false; }
  virtual void UnregisterHotKey(int Id) {}
  // Gives the keyboard focus back to the other program's window that had it
  // before one of ours took it. False when there is none to give it to (it
  // is gone, or the focus came from nowhere).
  virtual bool ReturnFocus() { return false; }

  virtual void SetSelectionText(TSelection Selection, const std::string& Text) = 0;
  virtual std::string GetSelectionText(TSelection Selection) = 0;

  // Waits for the next event. TimeoutMs 0 polls; a negative time-out waits
  // without limit.
  virtual TWaitResult WaitEvent(TBackendEvent& Event, int TimeoutMs) = 0;
};
