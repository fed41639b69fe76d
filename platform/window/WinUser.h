#pragma once
// The window system's API, shaped like Win32's user32 so that controls are
// written as they would be on Windows. Every function acts on the window
// system that currently runs (TWindowSystem, WindowSystem.h) and fails
// harmlessly (false, 0 or nullptr) when none runs or when a handle names no
// live window.
//
// Differences from Win32 worth knowing, all deliberate:
// - Every window clips its children and the siblings above it
//   (WS_CLIPCHILDREN | WS_CLIPSIBLINGS are always in effect); invalidating
//   a window does not invalidate its children.
// - The frame of a top-level window with a caption or a sizing frame is
//   drawn by the platform's window manager, so for such a window the window
//   rectangle equals the client rectangle (only client edges and scroll bars
//   take room). A top-level window without caption (a pop-up, or a
//   child-style window moved to the desktop) has its border drawn here.
// - Hidden windows keep no update region; showing a window invalidates it
//   whole.
// - A WM_PAINT handler that never calls BeginPaint has the region it was
//   called for validated after it returns, so a forgetful handler cannot
//   make the loop spin.
// - Text is code page 932; WM_SETTEXT and WM_GETTEXT carry char pointers.
// - Minimised and maximised states are not modelled: SW_MINIMIZE,
//   SW_MAXIMIZE and their kin show the window as SW_SHOW (or SW_SHOWNA) does.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/backends/Backend.h"
#include "platform/gdi/LogFont.h"
#include "platform/gdi/Region.h"
#include "platform/window/WinDefs.h"

// ---- classes and windows
bool RegisterClass(const WNDCLASS& Class);
// Creates a window of a registered class. Proc, when given, replaces the
// class's procedure for this window (the framework binds it to its object).
// With WS_CHILD, Parent is the parent window (required); without, Parent
// names the owner and the window is top-level. Returns nullptr when the
// class is unknown, the parent is not a live window, WS_CHILD has no parent,
// or WM_NCCREATE / WM_CREATE refuse (0 / -1).
HWND CreateWindowEx(DWORD ExStyle, const std::string& ClassName, const std::string& WindowName,
                    DWORD Style, int X, int Y, int Width, int Height, HWND Parent,
                    WNDPROC Proc = nullptr, void* Param = nullptr);
// The same with the class given in place (not registered).
HWND CreateWindowEx(DWORD ExStyle, const WNDCLASS& Class, const std::string& WindowName,
                    DWORD Style, int X, int Y, int Width, int Height, HWND Parent,
                    WNDPROC Proc = nullptr, void* Param = nullptr);
// Destroys the window, the windows it owns and its children: WM_DESTROY goes
// to the window and then to its children (parents before children), then
// WM_NCDESTROY to the children and last to the window; after that the handle
// is dead.
bool DestroyWindow(HWND Window);
bool IsWindow(HWND Window);
bool IsChild(HWND Parent, HWND Window);
HWND GetParent(HWND Window);
HWND GetAncestor(HWND Window, UINT Flags);
HWND GetWindow(HWND Window, UINT Command);
HWND GetTopWindow(HWND Parent);
// Moves Window under NewParent, or to the desktop (nullptr), where it becomes
// a top-level window with its own native window. The window keeps its
// styles and its position numbers (now in the new parent's coordinates) and
// goes to the top of its new siblings. Returns the old parent (nullptr for
// the desktop too), or nullptr on failure; a parent inside the window's own
// tree is refused.
HWND SetParent(HWND Window, HWND NewParent);

LONG_PTR GetWindowLong(HWND Window, int Index);
// GWL_STYLE changes take effect for the frame only after SetWindowPos with
// SWP_FRAMECHANGED, as in Win32; WS_EX_TOPMOST is changed by SetWindowPos.
LONG_PTR SetWindowLong(HWND Window, int Index, LONG_PTR Value);
LONG_PTR GetClassLong(HWND Window, int Index);
WNDPROC GetWindowProc(HWND Window);
// Replaces the window procedure (subclassing); returns the old one.
WNDPROC SetWindowProc(HWND Window, WNDPROC Proc);
LRESULT CallWindowProc(const WNDPROC& Proc, HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam);
LRESULT DefWindowProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam);
bool SetWindowText(HWND Window, const std::string& Text);
std::string GetWindowText(HWND Window);
int GetWindowTextLength(HWND Window);
std::string GetClassName(HWND Window);

// ---- position, size, z-order, visibility
bool SetWindowPos(HWND Window, HWND InsertAfter, int X, int Y, int CX, int CY, UINT Flags);
bool MoveWindow(HWND Window, int X, int Y, int Width, int Height, bool Repaint);
bool ShowWindow(HWND Window, int Command);  // answers whether it was visible before
bool BringWindowToTop(HWND Window);
bool IsWindowVisible(HWND Window);             // the window and all its ancestors are shown
bool GetWindowRect(HWND Window, TRect& Rect);  // screen coordinates
bool GetClientRect(HWND Window, TRect& Rect);  // (0, 0, width, height)
bool ClientToScreen(HWND Window, TPoint& Point);
bool ScreenToClient(HWND Window, TPoint& Point);
// Maps points from one window's client coordinates to another's (nullptr
// is the screen); answers the offset as MAKELONG(dx, dy) like Win32.
int MapWindowPoints(HWND From, HWND To, TPoint* Points, int Count);
int MapWindowPoints(HWND From, HWND To, TRect& Rect);
// The deepest visible, enabled window under a screen point, across all of
// the program's top-level windows (a disabled child yields its parent).
HWND WindowFromPoint(const TPoint& Screen);

// ---- messages
LRESULT SendMessage(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam);
// A nullptr window posts a thread message that DispatchMessage ignores.
bool PostMessage(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam);
void PostQuitMessage(int ExitCode);
// Waits for a message; false on WM_QUIT, and also when the backend can
// deliver no more input and nothing is due (the headless backend with an
// empty queue), so a loop ends instead of hanging.
bool GetMessage(MSG& Msg, HWND Window = nullptr, UINT MsgFilterMin = 0, UINT MsgFilterMax = 0);
bool PeekMessage(MSG& Msg, HWND Window, UINT MsgFilterMin, UINT MsgFilterMax, UINT RemoveMsg);
bool WaitMessage();
bool TranslateMessage(const MSG& Msg);
LRESULT DispatchMessage(const MSG& Msg);

// ---- timers
// With a window, Id names the timer (an existing one is reset) and the
// answer is Id; without one a new id is made and answered. Elapse below 10
// ms is raised to 10. A timer fires at most once per retrieval: late timers
// do not pile up WM_TIMER messages.
UINT_PTR SetTimer(HWND Window, UINT_PTR Id, UINT Elapse, TIMERPROC Proc = nullptr);
bool KillTimer(HWND Window, UINT_PTR Id);

// ---- hooks: only WH_MOUSE, of the calling thread
HHOOK SetWindowsHookEx(int Kind, HOOKPROC Proc, void* Module = nullptr, DWORD ThreadId = 0);
bool UnhookWindowsHookEx(HHOOK Hook);
LRESULT CallNextHookEx(HHOOK Hook, int Code, WPARAM WParam, LPARAM LParam);

// ---- painting
bool InvalidateRect(HWND Window, const TRect* Rect, bool Erase);
bool ValidateRgn(HWND Window, const TRegion* Region);
bool GetUpdateRect(HWND Window, TRect* Rect, bool Erase);
bool UpdateWindow(HWND Window);
HDC BeginPaint(HWND Window, PAINTSTRUCT& Paint);
bool EndPaint(HWND Window, const PAINTSTRUCT& Paint);
// A context on the client area (origin at the client's top-left, clipped to
// the visible part); GetDC(nullptr) gives a context with no surface, good
// for measuring text.
HDC GetDC(HWND Window);
// A context on the whole window, frame included (origin at the window's
// top-left).
HDC GetWindowDC(HWND Window);
int ReleaseDC(HWND Window, HDC DC);

// ---- non-client parts
// Answers the new position; a bar left with nothing to scroll is hidden
// (or shown disabled with SIF_DISABLENOSCROLL), as in Win32.
int SetScrollInfo(HWND Window, int Bar, const SCROLLINFO& Info, bool Redraw);
bool GetScrollInfo(HWND Window, int Bar, SCROLLINFO& Info);
int SetScrollPos(HWND Window, int Bar, int Pos, bool Redraw);
int GetScrollPos(HWND Window, int Bar);

// ---- focus, activation, capture, enabling
HWND SetFocus(HWND Window);
HWND GetFocus();
HWND SetActiveWindow(HWND Window);
HWND GetActiveWindow();
HWND SetCapture(HWND Window);
bool ReleaseCapture();
HWND GetCapture();
bool EnableWindow(HWND Window, bool Enable);  // answers whether it was disabled before
// Activates Window's top-level and asks the system for the keyboard focus
// even when another program has it (the user asked for this window, by a
// hot key say).
bool SetForegroundWindow(HWND Window);
// Gives the keyboard focus back to the other program's window that had it
// before ours; false when none is known or it is gone.
bool ReturnForeground();

// ---- system-wide keys: WM_HOTKEY (WParam Id, LParam MAKELPARAM(Modifiers,
// VirtualKey)) is posted to Window when the combination is pressed,
// wherever the focus is. Modifiers are MOD_ALT, MOD_CONTROL, MOD_SHIFT and
// MOD_WIN. False when the system refuses it (another program holds it, or
// the id is in use for this window); the key is then not registered.
bool RegisterHotKey(HWND Window, int Id, UINT Modifiers, UINT VirtualKey);
bool UnregisterHotKey(HWND Window, int Id);
bool IsWindowEnabled(HWND Window);

// ---- keyboard and mouse state
short GetKeyState(int VirtualKey);       // as of the message being handled
short GetAsyncKeyState(int VirtualKey);  // as of now
bool SetKeyboardState(const BYTE State[256]);
bool GetCursorPos(TPoint& Point);  // where the system says the pointer is now
bool SetCursorPos(int X, int Y);
HCURSOR LoadCursor(void* Instance, int CursorId);
HCURSOR CursorFromShape(TCursorShape Shape);
TCursorShape ShapeOfCursor(HCURSOR Cursor);
HCURSOR SetCursor(HCURSOR Cursor);
HCURSOR GetCursor();
bool TrackMouseEvent(TRACKMOUSEEVENT& Track);
UINT GetDoubleClickTime();
bool SetDoubleClickTime(UINT Milliseconds);

// ---- caret (one per thread): blinks every GetCaretBlinkTime() ms by
// inverting its rectangle; it also tells the input method where to compose.
bool CreateCaret(HWND Window, int Width, int Height);
bool DestroyCaret();
bool SetCaretPos(int X, int Y);
bool GetCaretPos(TPoint& Point);
bool ShowCaret(HWND Window);
bool HideCaret(HWND Window);
UINT GetCaretBlinkTime();

// ---- the input method's composition (the IMM of Windows, reduced to what
// an edit needs). While the input method composes inside the program (on
// the spot), the focus window gets WM_IME_STARTCOMPOSITION, then
// WM_IME_COMPOSITION for every change and WM_IME_ENDCOMPOSITION; the text
// it commits comes as WM_CHAR. The window draws the composition itself.
struct TCompositionString {
  std::string Text;              // code page 932
  std::vector<BYTE> Attributes;  // TCompositionAttribute, one per byte of Text
  int CursorPos = 0;             // byte offset in Text
};
// The composition now in progress in Window's top-level; false when none.
bool ImmGetCompositionString(HWND Window, TCompositionString& Composition);
// CPS_CANCEL drops the composition in Window's top-level; CPS_COMPLETE
// commits it: its text is sent to Window as WM_CHAR messages before the
// call returns. Neither sends WM_IME_ENDCOMPOSITION: the caller ends its
// own display.
bool ImmNotifyIME(HWND Window, DWORD Action);
// The font the composition is shown in, for an input method that draws it
// itself (over the spot).
bool ImmSetCompositionFont(HWND Window, const TLogFont& Font);

// ---- selections (clipboard); text in code page 932
bool SetClipboardText(const std::string& Text, TSelection Selection = selClipboard);
std::string GetClipboardText(TSelection Selection = selClipboard);
