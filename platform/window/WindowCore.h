#pragma once
// The window system's state and its internal operations. Only the window
// layer's own sources include this header; everyone else uses WinUser.h (the
// Windows-shaped API) and WindowSystem.h (starting the system, running its
// loop, reading back pixels).
//
// Decisions that hold throughout:
// - One user-interface thread; nothing is locked.
// - A window is addressed by HWND everywhere a message may have run in
//   between: any message can destroy any window, so internal pointers are
//   re-validated (Lookup) after every SendMessage.
// - Destroyed window objects are freed only when no message is being
//   dispatched any more, so a handler that destroys its own window returns
//   into a live (but dead-marked) object.
// - Every window clips its children and the siblings above it, as if all
//   had WS_CLIPCHILDREN | WS_CLIPSIBLINGS: a window's paint never touches a
//   sibling above it or a child of its own. Invalidating a window therefore
//   does not invalidate its children (unless RDW_ALLCHILDREN asks for it).
// - Every top-level window (parent = desktop) owns a back buffer surface of
//   its window size; its whole tree paints into that surface. Dirty parts
//   are presented to the backend once per paint cycle, when the queue runs
//   dry, and at once by UpdateWindow.

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/backends/Backend.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/Surface.h"
#include "platform/window/WinDefs.h"

struct TScrollBarState {
  int Min = 0, Max = 100;
  UINT Page = 0;
  int Pos = 0;
  int TrackPos = 0;
  bool Disabled = false;  // shown without a thumb (SIF_DISABLENOSCROLL)
};

struct TWindowClassInfo {
  std::string Name;
  UINT Style = 0;
  WNDPROC Proc;
  HCURSOR Cursor = nullptr;
  TColor Background = clNone;
};

struct TWindow {
  HWND Handle = nullptr;
  TWindowClassInfo Class;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  WNDPROC Proc;
  TWindow* Parent = nullptr;       // nullptr: the desktop, a top-level window
  HWND Owner = nullptr;            // top-level windows only
  std::vector<TWindow*> Children;  // top of the z-order first
  // Window rectangle in the parent's client coordinates (screen coordinates
  // for a top-level window).
  TRect Rect;
  // Client rectangle relative to the window's top-left corner.
  TRect Client;
  std::string Text;
  LONG_PTR Id = 0;
  LONG_PTR UserData = 0;

  // Painting: the invalid part of the client area (client coordinates),
  // whether it still needs erasing, whether the frame needs painting.
  TRegion Update;
  bool NeedErase = false;
  bool NeedNcPaint = false;
  bool InternalPaint = false;
  int PaintDepth = 0;       // WM_PAINT being handled
  bool BeganPaint = false;  // BeginPaint ran during the current WM_PAINT

  TScrollBarState VScroll, HScroll;

  // Top-level windows only.
  std::shared_ptr<TSurface> Surface;
  TNativeWindow Native = 0;
  TNativeWindowParams NativeParams;
  TRegion Dirty;             // surface coordinates, painted but not yet presented
  HWND LastFocus = nullptr;  // focus to give back when reactivated

  bool Destroying = false;
  bool Dead = false;
};

struct TDCRecord {
  std::unique_ptr<TDeviceContext> DC;
  HWND Window = nullptr;  // nullptr for the screen context
  HWND TopLevel = nullptr;
  std::shared_ptr<TSurface> Surface;  // keeps the target alive while the DC is out
  TRegion Visible;                    // surface coordinates, marked dirty on release
  bool FromBeginPaint = false;
};

// Named apart from the framework's TTimer component: two classes of one name
// in one program would share their (implicit) member functions.
struct TWindowTimer {
  HWND Window = nullptr;
  UINT_PTR Id = 0;
  UINT Elapse = 0;
  std::uint32_t Due = 0;
  TIMERPROC Proc;
};

struct THook {
  HHOOK Handle = nullptr;
  int Kind = 0;
  HOOKPROC Proc;
  bool Removed = false;
};

class TWindowCore {
public:
  explicit TWindowCore(std::unique_ptr<TBackend> Backend);
  ~TWindowCore();
  TWindowCore(const TWindowCore&) = delete;
  TWindowCore& operator=(const TWindowCore&) = delete;

  // The core the API functions act on; nullptr when no window system runs.
  static TWindowCore* Current();

  TBackend& Backend() { return *FBackend; }

  // ---- handles and the tree (WindowTree.cpp)
  TWindow* Lookup(HWND Handle) const;
  HWND CreateWindowImpl(DWORD ExStyle, const TWindowClassInfo& Class, const std::string& Name,
                        DWORD Style, int X, int Y, int W, int H, HWND Parent, WNDPROC Proc,
                        void* Param);
  bool DestroyWindowImpl(TWindow* W);
  bool SetWindowPosImpl(TWindow* W, HWND InsertAfter, int X, int Y, int CX, int CY, UINT Flags);
  bool ShowWindowImpl(TWindow* W, int Command);
  HWND SetParentImpl(TWindow* W, TWindow* NewParent);
  std::vector<TWindow*>& SiblingList(TWindow* W);
  TWindow* TopLevelOf(TWindow* W) const;
  TPoint ScreenOrigin(const TWindow* W) const;        // window's top-left on the screen
  TPoint ClientScreenOrigin(const TWindow* W) const;  // client's top-left on the screen
  TPoint SurfaceOrigin(const TWindow* W) const;       // window's top-left in its top-level
  TRect ScreenRect(const TWindow* W) const;
  bool IsVisibleDeep(const TWindow* W) const;
  bool IsDescendant(const TWindow* Ancestor, const TWindow* W) const;  // W inside or equal
  MINMAXINFO GetMinMaxInfo(TWindow* W);
  void SyncNative(TWindow* W);
  void RestackNatives();
  void Restack(TWindow* W, HWND InsertAfter);
  void RaiseOwned(TWindow* W);
  const std::vector<TWindow*>& TopLevels() const { return FTopLevels; }

  // ---- messages and the loop (WindowMessages.cpp)
  LRESULT Send(TWindow* W, UINT Msg, WPARAM WParam, LPARAM LParam);
  LRESULT Send(HWND Handle, UINT Msg, WPARAM WParam, LPARAM LParam);
  bool Post(HWND Handle, UINT Msg, WPARAM WParam, LPARAM LParam);
  // Retrieves the next message. Blocking waits for the backend; Ended is
  // set when the backend has no more input and nothing else is due.
  bool Retrieve(MSG& Out, HWND Filter, UINT Min, UINT Max, bool Remove, bool Block, bool& Ended);
  // The steps of Retrieve, one a kind of message.
  struct TMessageRange {
    UINT Min, Max;  // 0 and 0: every message
    bool Contains(UINT Msg) const { return (Min == 0 && Max == 0) || (Msg >= Min && Msg <= Max); }
    // Whether the range holds any key or mouse message.
    bool WantsInput() const;
  };
  enum TInputTake { itNone, itTaken, itCooked };
  bool TakePosted(MSG& Out, HWND Filter, const TMessageRange& Range, bool Remove);
  bool TakeQuit(MSG& Out, bool Remove);
  TInputTake TakeInput(MSG& Out, const TMessageRange& Range, bool Remove);
  bool TakeTimer(MSG& Out, HWND Filter, bool Remove);
  bool TakePaint(MSG& Out, HWND Filter);
  LRESULT Dispatch(const MSG& Msg);
  bool Translate(const MSG& Msg);
  void PostQuit(int Code);
  bool ProcessPending();
  void PullBackendEvents(int TimeoutMs, bool& Ended);
  void FlushDeferredFrees();

  // ---- timers
  UINT_PTR SetTimerImpl(HWND Window, UINT_PTR Id, UINT Elapse, TIMERPROC Proc);
  bool KillTimerImpl(HWND Window, UINT_PTR Id);
  void KillTimersOf(HWND Window);
  int MillisecondsToNextTimer() const;  // -1: no timer

  // ---- hooks
  HHOOK AddHook(int Kind, HOOKPROC Proc);
  bool RemoveHook(HHOOK Hook);
  LRESULT CallHooks(int Kind, int Code, WPARAM WParam, LPARAM LParam);
  LRESULT CallNextHook(HHOOK Current, int Code, WPARAM WParam, LPARAM LParam);

  // ---- input (WindowInput.cpp)
  void CookEvent(const TBackendEvent& Event);
  void RouteMouse(const TBackendEvent& Event);
  // The steps of RouteMouse.
  void RouteWheel(const TBackendEvent& Event);
  void PressOnDisabled(TWindow* Target, UINT Msg, bool Press);
  UINT DoubleClickOf(UINT Msg, const TWindow* Target, bool Client, const TBackendEvent& Event);
  bool ActivateOnPress(TWindow* Target, int Hit, UINT Msg);
  void QueueMouseMessage(TWindow* Target, UINT Msg, int Hit, const TBackendEvent& Event);
  void RouteKey(const TBackendEvent& Event);
  void RouteText(const TBackendEvent& Event);
  // Turns the input method's composition events into WM_IME_ messages for
  // the focus window, keeping what the composition holds now.
  void RouteComposition(const TBackendEvent& Event);
  // Takes the backend's new pixels per inch and tells the top-levels it
  // concerns (WM_DPICHANGED).
  void ChangeDpi(const TBackendEvent& Event);
  void PostToFocus(UINT Msg, WPARAM WParam, LPARAM LParam, std::uint32_t Time);
  TWindow* HitWindow(const TPoint& Screen, int& HitCode);
  HWND SetFocusImpl(TWindow* W);
  HWND SetCaptureImpl(TWindow* W);
  bool ReleaseCaptureImpl();
  // Tells the backend which native top-level holds the capture now.
  void SyncPointerCapture();
  bool SetActiveImpl(TWindow* W, UINT How, bool FromBackend);
  bool IsActivatable(const TWindow* W) const;
  void ActivateOther(TWindow* Leaving);
  void WindowHidden(TWindow* W);
  void UpdateModifierState(unsigned Modifiers);
  void SetKeyDown(int VirtualKey, bool Down, bool Toggle);
  UINT MouseKeyFlags() const;
  void CheckMouseLeave(TWindow* Under, int HitCode);
  void ApplyCursorShape();

  // ---- system-wide keys (WindowHotKeys.cpp)
  void UnregisterHotKeysOf(HWND Window);
  // beHotKey: WM_HOTKEY to the window that registered the combination.
  void PostHotKey(const TBackendEvent& Event);

  // ---- painting (WindowPaint.cpp)
  TRegion VisibleRegion(TWindow* W, bool ClientOnly, bool ClipChildren = true);
  void InvalidateImpl(TWindow* W, const TRegion* ClientRegion, bool Erase);
  void InvalidateWhole(TWindow* W, bool Subtree);
  void ExposeArea(TWindow* Top, const TRegion& SurfaceArea);
  TWindow* NextWindowToPaint(HWND Filter);
  void PaintNow(TWindow* W);
  void UpdateTree(TWindow* W);
  HDC GetDCImpl(TWindow* W, bool WholeWindow, const TRegion* Limit, bool FromBeginPaint);
  bool ReleaseDCImpl(HDC DC);
  HDC BeginPaintImpl(TWindow* W, PAINTSTRUCT& Paint);
  void PresentAll();
  void Present(TWindow* Top);
  void EnsureSurface(TWindow* Top);

  // ---- default processing (WindowDefProc.cpp, WindowNonClient.cpp)
  LRESULT DefProc(TWindow* W, UINT Msg, WPARAM WParam, LPARAM LParam);
  // The steps of DefProc, one a concern.
  void DefNcLeftButton(TWindow* W, UINT Msg, int Hit, LPARAM LParam);
  LRESULT DefEraseBackground(TWindow* W, HDC DC);
  LRESULT DefSetCursor(TWindow* W, WPARAM WParam, LPARAM LParam);
  void RestoreFocus(TWindow* W);
  void DefSysCommand(TWindow* W, WPARAM WParam, LPARAM LParam);
  void DefWindowPosChanged(TWindow* W, const WINDOWPOS* Pos);
  LRESULT DefText(TWindow* W, UINT Msg, WPARAM WParam, LPARAM LParam);
  TRect NonClientInsets(const TWindow* W) const;  // border and edges, not scroll bars
  bool HasWindowManagerFrame(const TWindow* W) const;
  int DefHitTest(TWindow* W, const TPoint& Screen);
  void DefNcPaint(TWindow* W);
  TRect ScrollBarRect(TWindow* W, int Bar) const;  // window coordinates, empty if none
  // The client rectangle the default WM_NCCALCSIZE makes of a window rectangle.
  TRect DefaultClientRect(const TWindow* W, TRect WindowRect) const;

  // ---- modal tracking (WindowTracking.cpp)
  void SizeMoveLoop(TWindow* W, UINT Command, TPoint Start);
  void ScrollLoop(TWindow* W, int Bar, TPoint Start);
  int ScrollBarPartAt(TWindow* W, int Bar, const TPoint& WindowPoint, int* ThumbPos,
                      int* ThumbSize) const;
  void ScrollBarGeometry(TWindow* W, int Bar, int& ArrowSize, int& ThumbPos, int& ThumbSize) const;

  // ---- state (public to the window layer's sources)
  std::unique_ptr<TBackend> FBackend;

  struct TSlot {
    std::unique_ptr<TWindow> Window;
    std::uint32_t Generation = 1;
  };
  std::vector<TSlot> FSlots;
  std::vector<std::uint32_t> FFreeSlots;
  std::vector<std::unique_ptr<TWindow>> FDeferredFrees;
  int FDispatchDepth = 0;

  std::vector<TWindow*> FTopLevels;  // top of the z-order first
  std::map<std::string, TWindowClassInfo> FClasses;

  std::deque<MSG> FPosted;
  std::deque<TBackendEvent> FRawInput;
  std::deque<MSG> FCooked;
  bool FQuitPosted = false;
  bool FQuitRetrieved = false;
  int FQuitCode = 0;

  HWND FFocus = nullptr;
  HWND FActive = nullptr;
  HWND FCapture = nullptr;
  TNativeWindow FCaptureNative = 0;  // as last told to the backend
  bool FAppActive = false;

  BYTE FKeyState[256] = {};       // as of the last retrieved message
  BYTE FAsyncKeyState[256] = {};  // as the backend reports it
  TPoint FCursorPos;              // latest pointer position
  HCURSOR FCursor = nullptr;
  TNativeWindow FCursorNative = 0;
  TCursorShape FShownShape = crsNone;

  std::vector<THook> FHooks;  // newest first
  int FHookDepth = 0;
  std::uintptr_t FNextHookId = 1;

  std::vector<TWindowTimer> FTimers;
  UINT_PTR FNextTimerId = 0x7FFF0000;

  std::vector<TDCRecord> FDCs;
  TSurface FScreenScratch;

  // Double-click detection: the last press.
  struct TLastClick {
    UINT Message = 0;  // the button-down message (client or non-client)
    HWND Window = nullptr;
    std::uint32_t Time = 0;
    TPoint Pos;
    bool Valid = false;
  } FLastClick;
  UINT FDoubleClickTime = 500;

  // Mouse-leave tracking (TrackMouseEvent).
  HWND FTrackWindow = nullptr;
  DWORD FTrackFlags = 0;

  // Caret (one per thread, as in Win32).
  HWND FCaretWindow = nullptr;
  TRect FCaretRect;  // client coordinates
  int FCaretHide = 1;
  bool FCaretOn = false;  // currently drawn
  std::uint32_t FCaretNextBlink = 0;
  void DrawCaret(bool On);
  void CaretTick();
  // Tells the backend where the caret is, in its top-level's coordinates.
  void UpdateTextInputSpot();

  // The composition the input method shows inside the program (on the
  // spot), in the top-level whose native window is FCompositionNative.
  bool FComposing = false;
  TNativeWindow FCompositionNative = 0;
  std::string FCompositionText;
  std::vector<BYTE> FCompositionAttributes;
  int FCompositionCursor = 0;

  bool FInSizeMove = false;
  TWindowCore* FPreviousCore = nullptr;

  // Registered hot keys: the window and id the program gave, the id the
  // backend knows the combination by (one numbering for all windows).
  struct THotKeyRecord {
    HWND Window = nullptr;
    int Id = 0;
    int BackendId = 0;
    UINT Modifiers = 0;
    UINT VirtualKey = 0;
  };
  std::vector<THotKeyRecord> FHotKeys;
  int FNextHotKeyId = 1;
};
