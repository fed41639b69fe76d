#pragma once
// The backend for a real X server (Xlib). One X window per top-level window
// of the window system; each presents its back buffer through MIT-SHM when
// it can (X11BackBuffer). Input arrives as raw events that this backend
// turns into TBackendEvent: pointer positions in screen coordinates, keys as
// Windows virtual keys, typed text through XIM converted to code page 932.
//
// How the window manager sees our windows:
// - A window without caption or sizing frame (popup lists, menus, hints)
//   is override-redirect: no window manager touches it or gives it the
//   focus, and it floats above every managed window. This holds even when
//   the window system did not mark it as never activated: a hint must not
//   take the focus from the main window.
// - Every other window is managed; one marked as never activated gets
//   WM_HINTS input False, so the manager does not focus it. The tool window
//   style makes it _NET_WM_WINDOW_TYPE_TOOLBAR, which openbox frames with a
//   caption that has the close button only (for _UTILITY it adds iconify
//   and maximize), and keeps it off the task bar and pager. WM_NORMAL_HINTS
//   has min = max size when it may not be resized; _NET_WM_STATE_ABOVE
//   makes it always on top; an owner becomes WM_TRANSIENT_FOR. The window
//   gravity is static, so the position the window system gives is where the
//   client area lands, and the frame grows outwards around it.
// - Without a window manager the backend does the manager's part that the
//   program relies on: it gives the focus to a window it was asked to
//   activate, and it stacks its own windows.
// - While the window system holds the mouse capture (an open menu, a
//   pop-up list, a drag), the pointer is grabbed on the capture's window
//   with owner_events: our own windows get their events as usual, and a
//   press anywhere else comes to the capture instead of the desktop or
//   another program, as on Windows. The grab ends with the capture.

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/backends/Backend.h"
#include "platform/backends/x11/X11Atoms.h"
#include "platform/backends/x11/X11BackBuffer.h"
#include "platform/backends/x11/X11ErrorTrap.h"
#include "platform/backends/x11/X11Geometry.h"
#include "platform/shell/Beep.h"

class TX11Backend : public TBackend {
public:
  // Opens the named display (nullptr: $DISPLAY); nullptr when it cannot be
  // opened.
  static std::unique_ptr<TX11Backend> Open(const char* DisplayName);
  ~TX11Backend() override;
  TX11Backend(const TX11Backend&) = delete;
  TX11Backend& operator=(const TX11Backend&) = delete;

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
  void SetSelectionText(TSelection Selection, const std::string& Text) override;
  std::string GetSelectionText(TSelection Selection) override;
  TWaitResult WaitEvent(TBackendEvent& Event, int TimeoutMs) override;
  void SetPointerCapture(TNativeWindow Window) override;
  bool RegisterHotKey(int Id, unsigned Modifiers, int VirtualKey) override;
  void UnregisterHotKey(int Id) override;
  bool ReturnFocus() override;

  Display* XDisplay() const { return FDpy; }

private:
  explicit TX11Backend(Display* Dpy);

  struct TNative {
    Window Id = 0;
    TNativeWindowParams Params;
    bool OverrideRedirect = false;
    bool WantShown = false;     // the window system shows it
    bool MapRequested = false;  // XMapWindow sent and not withdrawn since
    bool Mapped = false;        // the server reported it mapped
    bool ActivateOnMap = false;
    long EventMask = 0;
    // ConfigureNotify events older than our last move or resize are stale.
    unsigned long ConfigureSerial = 0;
    x11::TXGeometry Requested;  // where we last put it (or the server reported it)
    XIC Ic = nullptr;
    // The input context has the input method's focus while the window has
    // the X focus and a caret in it (something there takes text).
    bool XFocused = false;
    bool WantsText = false;
    bool IcFocused = false;
    TRect Spot;             // the caret, window coordinates
    bool SpotSent = false;  // Spot is what the input method knows
    // The composition the input method draws through us (on the spot):
    // its characters, their feedback, the caret as a character index.
    bool Preediting = false;
    std::u32string Preedit;
    std::vector<unsigned long> Feedback;
    int PreeditCaret = 0;
    bool DroppingPreedit = false;  // a reset of ours is under way
    std::unique_ptr<x11::TX11BackBuffer> Buffer;
  };

  class TBellBeeper : public TBeeper {
  public:
    explicit TBellBeeper(Display* Dpy) : FDpy(Dpy) {}
    void Beep(unsigned Type) override;

  private:
    Display* FDpy;
  };

  // ---- windows (X11Backend.cpp)
  TNative* Find(Window Id) const;
  bool HasWindowManager() const;
  void ApplyName(const TNative& N);
  void ApplyHints(const TNative& N);
  void ApplyWindowType(const TNative& N);
  void ApplyStateProperty(const TNative& N);
  void SendStateChange(const TNative& N, long Action, Atom First, Atom Second);
  void SelectVisual();
  void ApplyIcon(const TNative& N);
  void UpdateMapping(TNative& N);
  void FocusWindow(TNative& N);
  void MoveResize(TNative& N, const TRect& R);
  Cursor CursorFor(TCursorShape Shape);
  void ReportFirstFrame();
  // Reads Xft.dpi from the root window's RESOURCE_MANAGER; true when the
  // figure changed.
  bool ReadDesktopScale();
  void ReleaseStartupMemory();
  void ReleaseIdleMemory();

  // ---- events (X11Events.cpp)
  void Translate(XEvent& Event);
  // The steps of Translate, one a kind of event.
  bool TranslateDisplayEvent(XEvent& Event);
  void TranslateClientMessage(XEvent& Event, TNative& N);
  void TranslateFocus(const XFocusChangeEvent& Event, TNative& N);
  void TranslateMotion(XEvent& Event, TNative& N);
  void TranslateButton(const XButtonEvent& Event, TNative& N);
  void TranslateCrossing(const XCrossingEvent& Event, TNative& N);
  void TranslateKey(XKeyEvent& Key, TNative& N);
  void TranslateConfigure(const XConfigureEvent& Event, TNative& N);
  void Queue(TBackendEvent Event);
  TPoint ScreenPoint(const TNative& N, int X, int Y) const;
  unsigned ModifiersOf(unsigned State) const;
  void RefreshModifierMasks();
  void NoteTime(Time T);
  bool DrainX();
  static void WatchConnection(Display* Dpy, XPointer Self, int Fd, Bool Opening, XPointer* Data);

  // ---- the pointer grab that follows the capture (X11PointerGrab.cpp)
  void TryPointerGrab();
  bool PointerGrabPending() const;
  void PointerGrabWindowMapped(Window Id);
  void PointerGrabWindowGone(Window Id, bool Destroyed);

  // ---- system-wide keys (X11HotKeys.cpp)
  // A key event of the root window is a hot key's (true; it is handled).
  bool TranslateHotKey(const XKeyEvent& Key);
  // Notes the window that has the focus now, when it is another program's.
  void NoteActiveWindow();
  // Caps Lock, Num Lock and Scroll Lock, as this keyboard maps them.
  unsigned LockMasks() const;

  // ---- keyboard text and composition (X11InputMethod.cpp)
  void OpenInputMethod();
  // Sets LC_CTYPE for the input method, once, before it first opens.
  void ChooseInputLocale();
  void CloseInputMethod();
  void CreateInputContext(TNative& N);
  void DestroyInputContext(TNative& N);
  std::string LookupText(XKeyEvent& Key, TNative& N);
  // The input method server still runs: asked of the X server before every
  // call that waits for the input method's answer, since Xlib would wait
  // for ever on a server that died. A dead one is forgotten here.
  bool InputMethodAlive();
  void ForgetInputMethod();
  void SetFocusOfInputContext(TNative& N, bool XFocused);
  void ApplyInputContextFocus(TNative& N);
  void SendSpot(TNative& N);
  void MakeFontSet();
  void ReportPreedit(TNative& N);
  void EndPreedit(TNative& N);
  TNative* FindByInputContext(XIC Ic) const;
  static void InputMethodAvailable(Display* Dpy, XPointer Self, XPointer CallData);
  static void InputMethodGone(XIM Im, XPointer Self, XPointer CallData);
  static int PreeditStart(XIC Ic, XPointer Self, XPointer CallData);
  static void PreeditDone(XIC Ic, XPointer Self, XPointer CallData);
  static void PreeditDraw(XIC Ic, XPointer Self, XPointer CallData);
  static void PreeditCaret(XIC Ic, XPointer Self, XPointer CallData);

  // ---- selections (X11Selections.cpp)
  Atom SelectionAtom(TSelection Selection) const;
  Time ServerTime();
  void AnswerSelectionRequest(const XSelectionRequestEvent& Request);
  bool ReadSelectionProperty(Atom& Type, std::string& Data, int& TimeLeftMs);

  Display* FDpy;
  x11::TXErrorHandler FPreviousErrorHandler;
  int FScreen;
  double FPixelsPerInch = 96.0;
  std::string FDpiComplaint;  // the last one said on standard error
  Window FRoot;
  x11::TX11Atoms FAtoms;
  Colormap FColormap = 0;  // our own only when the default visual is no TrueColor
  x11::TX11ImageTarget FImageTarget;
  std::vector<unsigned long> FIconData;  // _NET_WM_ICON, built once
  std::map<Window, std::unique_ptr<TNative>> FWindows;
  std::deque<TBackendEvent> FEvents;
  std::vector<int> FInternalFds;  // Xlib's own extra connections (input methods)
  std::map<int, Cursor> FCursors;
  Window FHelper = 0;            // unmapped: owns selections, receives conversions
  Time FLastTime = CurrentTime;  // server time of the latest event
  Window FPointerWindow = 0;     // where the pointer was last seen
  unsigned FNumLockMask = 0;
  // The virtual key of every key held down, by keycode (-1: not held).
  std::vector<int> FHeldKeys = std::vector<int>(256, -1);
  bool FDetectableRepeat = false;

  XIM FIm = nullptr;
  XIMStyle FImStyle = 0;
  // The selection its server holds (@server=NAME); None for Xlib's own.
  Atom FImServer = 0;
  bool FImIsUsers = false;  // the one $XMODIFIERS names, not Xlib's own stand-in
  bool FWaitingForIm = false;
  bool FReopenIm = false;       // the input method went away; open another
  XFontSet FFontSet = nullptr;  // for an input method that draws at our spot
  int FFontHeight = 12;

  struct TOwnedSelection {
    bool Owned = false;
    std::string Utf8;
    Time Since = CurrentTime;
  } FSelections[2];

  // The window that holds the capture, and whether our pointer grab on it
  // is in force. A grab another client holds (the window manager's, for a
  // moment around a click) is tried again until FGrabRetryUntil.
  Window FGrabWanted = 0;
  bool FGrabHeld = false;
  std::uint32_t FGrabRetryUntil = 0;

  // The hot keys grabbed: the key, its modifiers and every set of lock
  // modifiers it was grabbed with.
  struct THotKeyGrab {
    int Id;
    KeyCode Code;
    unsigned Mask;
    std::vector<unsigned> LockSets;
  };
  std::vector<THotKeyGrab> FHotKeys;
  // Another program's window that had the focus last, to give it back.
  Window FForeignFocus = 0;

  bool FReportFirstFrame = false;
  bool FStartupMemoryReleased = false;
  bool FInputLocaleChosen = false;
  bool FHeapToTrim = false;  // a window went since the heap was trimmed
  TBellBeeper FBeeper;
  std::unique_ptr<TBeeperGuard> FBeeperGuard;
};
