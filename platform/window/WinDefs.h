#pragma once
// Types, structures and numeric constants of the window system, with the
// names and values of their Windows counterparts, so that controls read as
// they would on Win32. Rectangles and points are the system's TRect and
// TPoint (right and bottom exclusive).
//
// Handles are opaque. An HWND names a window through a handle table with
// generation numbers: a destroyed window's handle never matches a later
// window, and every call validates the handle before touching anything, so a
// stale handle is safe to pass anywhere (the call fails).

#include <cstdint>
#include <functional>
#include <string>

#include "platform/core/Types.h"

class TDeviceContext;

using UINT = unsigned;
using DWORD = std::uint32_t;
using WORD = std::uint16_t;
using BYTE = std::uint8_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using LONG_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;

struct HWND__;
using HWND = HWND__*;
struct HHOOK__;
using HHOOK = HHOOK__*;
struct HCURSOR__;
using HCURSOR = HCURSOR__*;
// A device context handed out by GetDC, GetWindowDC or BeginPaint; it stays
// owned by the window system and is given back with ReleaseDC or EndPaint.
using HDC = TDeviceContext*;

// The window procedure. The framework binds it to its control object.
using WNDPROC = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;
// A hook procedure: code, wParam, lParam as in Win32. For WH_MOUSE, wParam is
// the mouse message and lParam points to a MOUSEHOOKSTRUCT.
using HOOKPROC = std::function<LRESULT(int, WPARAM, LPARAM)>;
// A timer callback: window, WM_TIMER, timer id, tick count.
using TIMERPROC = std::function<void(HWND, UINT, UINT_PTR, DWORD)>;

// Packing helpers. Coordinates in lParam are signed 16-bit values.
constexpr WORD LOWORD(std::uintptr_t V) { return WORD(V & 0xFFFF); }
constexpr WORD HIWORD(std::uintptr_t V) { return WORD((V >> 16) & 0xFFFF); }
constexpr LPARAM MAKELPARAM(int Low, int High) {
  return LPARAM(std::int32_t(std::uint32_t(WORD(Low)) | (std::uint32_t(WORD(High)) << 16)));
}
constexpr WPARAM MAKEWPARAM(int Low, int High) {
  return WPARAM(std::uint32_t(WORD(Low)) | (std::uint32_t(WORD(High)) << 16));
}
constexpr LRESULT MAKELRESULT(int Low, int High) { return LRESULT(MAKELPARAM(Low, High)); }
constexpr int GET_X_LPARAM(LPARAM L) { return std::int16_t(WORD(L & 0xFFFF)); }
constexpr int GET_Y_LPARAM(LPARAM L) { return std::int16_t(WORD((L >> 16) & 0xFFFF)); }
constexpr int GET_WHEEL_DELTA_WPARAM(WPARAM W) { return std::int16_t(HIWORD(W)); }
constexpr int GET_KEYSTATE_WPARAM(WPARAM W) { return LOWORD(W); }
inline TPoint PointFromLParam(LPARAM L) { return TPoint{GET_X_LPARAM(L), GET_Y_LPARAM(L)}; }
inline LPARAM PointToLParam(const TPoint& P) { return MAKELPARAM(P.X, P.Y); }

// ---------------------------------------------------------------------------
// Structures

struct MSG {
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  DWORD time = 0;
  TPoint pt;  // pointer position in screen coordinates when the message was made
};

struct WINDOWPOS {
  HWND hwnd = nullptr;
  HWND hwndInsertAfter = nullptr;
  int x = 0, y = 0, cx = 0, cy = 0;
  UINT flags = 0;
};

// WM_NCCALCSIZE with wParam TRUE: rgrc[0] is the proposed window rectangle
// (parent client coordinates) and becomes the client rectangle; rgrc[1] and
// rgrc[2] are the old window and client rectangles.
struct NCCALCSIZE_PARAMS {
  TRect rgrc[3];
  WINDOWPOS* lppos = nullptr;
};

struct MINMAXINFO {
  TPoint ptReserved;
  TPoint ptMaxSize;
  TPoint ptMaxPosition;
  TPoint ptMinTrackSize;
  TPoint ptMaxTrackSize;
};

struct CREATESTRUCT {
  void* lpCreateParams = nullptr;
  HWND hwndParent = nullptr;
  int cy = 0, cx = 0, y = 0, x = 0;
  DWORD style = 0;
  std::string lpszName;  // code page 932
  std::string lpszClass;
  DWORD dwExStyle = 0;
};

struct PAINTSTRUCT {
  HDC hdc = nullptr;
  bool fErase = false;  // the background still needs erasing (WM_ERASEBKGND answered 0)
  TRect rcPaint;        // bounds of the update region, client coordinates
};

struct MOUSEHOOKSTRUCT {
  TPoint pt;  // screen coordinates
  HWND hwnd = nullptr;
  UINT wHitTestCode = 0;
  std::uintptr_t dwExtraInfo = 0;
};

struct SCROLLINFO {
  UINT fMask = 0;
  int nMin = 0;
  int nMax = 0;
  UINT nPage = 0;
  int nPos = 0;
  int nTrackPos = 0;
};

struct TRACKMOUSEEVENT {
  DWORD dwFlags = 0;
  HWND hwndTrack = nullptr;
  DWORD dwHoverTime = 0;
};

// A window class. The background is a colour (system colours allowed), or
// clNone for a class that erases nothing; the cursor is shown over the client
// area by the default WM_SETCURSOR handling.
struct WNDCLASS {
  UINT style = 0;
  WNDPROC lpfnWndProc;  // empty: DefWindowProc
  HCURSOR hCursor = nullptr;
  TColor hbrBackground = clNone;
  std::string lpszClassName;
};

// ---------------------------------------------------------------------------
// Window messages

enum : UINT {
  WM_NULL = 0x0000,
  WM_CREATE = 0x0001,
  WM_DESTROY = 0x0002,
  WM_MOVE = 0x0003,
  WM_SIZE = 0x0005,
  WM_ACTIVATE = 0x0006,
  WM_SETFOCUS = 0x0007,
  WM_KILLFOCUS = 0x0008,
  WM_ENABLE = 0x000A,
  WM_SETREDRAW = 0x000B,
  WM_SETTEXT = 0x000C,
  WM_GETTEXT = 0x000D,
  WM_GETTEXTLENGTH = 0x000E,
  WM_PAINT = 0x000F,
  WM_CLOSE = 0x0010,
  WM_QUIT = 0x0012,
  WM_ERASEBKGND = 0x0014,
  WM_SYSCOLORCHANGE = 0x0015,
  WM_SHOWWINDOW = 0x0018,
  WM_ACTIVATEAPP = 0x001C,
  WM_CANCELMODE = 0x001F,
  WM_SETCURSOR = 0x0020,
  WM_MOUSEACTIVATE = 0x0021,
  WM_GETMINMAXINFO = 0x0024,
  WM_DRAWITEM = 0x002B,
  WM_MEASUREITEM = 0x002C,
  WM_WINDOWPOSCHANGING = 0x0046,
  WM_WINDOWPOSCHANGED = 0x0047,
  WM_STYLECHANGING = 0x007C,
  WM_STYLECHANGED = 0x007D,
  WM_NCCREATE = 0x0081,
  WM_NCDESTROY = 0x0082,
  WM_NCCALCSIZE = 0x0083,
  WM_NCHITTEST = 0x0084,
  WM_NCPAINT = 0x0085,
  WM_NCACTIVATE = 0x0086,
  WM_GETDLGCODE = 0x0087,
  WM_NCMOUSEMOVE = 0x00A0,
  WM_NCLBUTTONDOWN = 0x00A1,
  WM_NCLBUTTONUP = 0x00A2,
  WM_NCLBUTTONDBLCLK = 0x00A3,
  WM_NCRBUTTONDOWN = 0x00A4,
  WM_NCRBUTTONUP = 0x00A5,
  WM_NCRBUTTONDBLCLK = 0x00A6,
  WM_NCMBUTTONDOWN = 0x00A7,
  WM_NCMBUTTONUP = 0x00A8,
  WM_NCMBUTTONDBLCLK = 0x00A9,
  WM_KEYFIRST = 0x0100,
  WM_KEYDOWN = 0x0100,
  WM_KEYUP = 0x0101,
  WM_CHAR = 0x0102,
  WM_DEADCHAR = 0x0103,
  WM_SYSKEYDOWN = 0x0104,
  WM_SYSKEYUP = 0x0105,
  WM_SYSCHAR = 0x0106,
  WM_KEYLAST = 0x0109,
  WM_IME_STARTCOMPOSITION = 0x010D,
  WM_IME_ENDCOMPOSITION = 0x010E,
  WM_IME_COMPOSITION = 0x010F,
  WM_COMMAND = 0x0111,
  WM_SYSCOMMAND = 0x0112,
  WM_TIMER = 0x0113,
  WM_HSCROLL = 0x0114,
  WM_VSCROLL = 0x0115,
  WM_ENTERIDLE = 0x0121,
  WM_MOUSEFIRST = 0x0200,
  WM_MOUSEMOVE = 0x0200,
  WM_LBUTTONDOWN = 0x0201,
  WM_LBUTTONUP = 0x0202,
  WM_LBUTTONDBLCLK = 0x0203,
  WM_RBUTTONDOWN = 0x0204,
  WM_RBUTTONUP = 0x0205,
  WM_RBUTTONDBLCLK = 0x0206,
  WM_MBUTTONDOWN = 0x0207,
  WM_MBUTTONUP = 0x0208,
  WM_MBUTTONDBLCLK = 0x0209,
  WM_MOUSEWHEEL = 0x020A,
  WM_MOUSEHWHEEL = 0x020E,
  WM_MOUSELAST = 0x020E,
  WM_PARENTNOTIFY = 0x0210,
  WM_SIZING = 0x0214,
  WM_CAPTURECHANGED = 0x0215,
  WM_MOVING = 0x0216,
  WM_ENTERSIZEMOVE = 0x0231,
  WM_EXITSIZEMOVE = 0x0232,
  WM_NCMOUSELEAVE = 0x02A2,
  WM_MOUSELEAVE = 0x02A3,
  WM_HOTKEY = 0x0312,
  // The program's pixels per inch changed: LOWORD(wParam) is the new figure
  // rounded (GetScreenPixelsPerInch has it exactly); lParam points to the
  // screen rectangle suggested for the window, or is 0 when the system
  // suggests none (X11: the desktop's scale changed, not the window's screen).
  WM_DPICHANGED = 0x02E0,
  WM_USER = 0x0400,
  WM_APP = 0x8000,
};

// WM_IME_COMPOSITION: what changed (LParam)
enum : DWORD { GCS_COMPSTR = 0x0008, GCS_COMPATTR = 0x0010, GCS_CURSORPOS = 0x0080 };

// ImmNotifyIME actions on the composition string
enum : DWORD { CPS_COMPLETE = 0x0001, CPS_CANCEL = 0x0004 };

// RegisterHotKey's modifiers (also the low word of WM_HOTKEY's LParam)
enum : UINT { MOD_ALT = 0x0001, MOD_CONTROL = 0x0002, MOD_SHIFT = 0x0004, MOD_WIN = 0x0008 };

// WM_ACTIVATE
enum : UINT { WA_INACTIVE = 0, WA_ACTIVE = 1, WA_CLICKACTIVE = 2 };

// WM_SIZE
enum : UINT { SIZE_RESTORED = 0, SIZE_MINIMIZED = 1, SIZE_MAXIMIZED = 2 };

// WM_SIZING edges
enum : UINT {
  WMSZ_LEFT = 1,
  WMSZ_RIGHT = 2,
  WMSZ_TOP = 3,
  WMSZ_TOPLEFT = 4,
  WMSZ_TOPRIGHT = 5,
  WMSZ_BOTTOM = 6,
  WMSZ_BOTTOMLEFT = 7,
  WMSZ_BOTTOMRIGHT = 8
};

// WM_NCHITTEST results
enum : int {
  HTERROR = -2,
  HTTRANSPARENT = -1,
  HTNOWHERE = 0,
  HTCLIENT = 1,
  HTCAPTION = 2,
  HTSYSMENU = 3,
  HTGROWBOX = 4,
  HTSIZE = HTGROWBOX,
  HTMENU = 5,
  HTHSCROLL = 6,
  HTVSCROLL = 7,
  HTMINBUTTON = 8,
  HTMAXBUTTON = 9,
  HTLEFT = 10,
  HTRIGHT = 11,
  HTTOP = 12,
  HTTOPLEFT = 13,
  HTTOPRIGHT = 14,
  HTBOTTOM = 15,
  HTBOTTOMLEFT = 16,
  HTBOTTOMRIGHT = 17,
  HTBORDER = 18,
  HTCLOSE = 20,
  HTHELP = 21
};

// WM_MOUSEACTIVATE results
enum : int { MA_ACTIVATE = 1, MA_ACTIVATEANDEAT = 2, MA_NOACTIVATE = 3, MA_NOACTIVATEANDEAT = 4 };

// Mouse key flags in the wParam of client mouse messages
enum : UINT {
  MK_LBUTTON = 0x0001,
  MK_RBUTTON = 0x0002,
  MK_SHIFT = 0x0004,
  MK_CONTROL = 0x0008,
  MK_MBUTTON = 0x0010
};

// WM_SYSCOMMAND (the low four bits carry the WMSZ edge of SC_SIZE)
enum : UINT {
  SC_SIZE = 0xF000,
  SC_MOVE = 0xF010,
  SC_MINIMIZE = 0xF020,
  SC_MAXIMIZE = 0xF030,
  SC_CLOSE = 0xF060,
  SC_VSCROLL = 0xF070,
  SC_HSCROLL = 0xF080,
  SC_KEYMENU = 0xF100,
  SC_RESTORE = 0xF120
};

// Scroll bars and scroll requests
enum : int { SB_HORZ = 0, SB_VERT = 1, SB_CTL = 2, SB_BOTH = 3 };
enum : UINT {
  SB_LINEUP = 0,
  SB_LINELEFT = 0,
  SB_LINEDOWN = 1,
  SB_LINERIGHT = 1,
  SB_PAGEUP = 2,
  SB_PAGELEFT = 2,
  SB_PAGEDOWN = 3,
  SB_PAGERIGHT = 3,
  SB_THUMBPOSITION = 4,
  SB_THUMBTRACK = 5,
  SB_TOP = 6,
  SB_LEFT = 6,
  SB_BOTTOM = 7,
  SB_RIGHT = 7,
  SB_ENDSCROLL = 8
};
enum : UINT {
  SIF_RANGE = 0x0001,
  SIF_PAGE = 0x0002,
  SIF_POS = 0x0004,
  SIF_DISABLENOSCROLL = 0x0008,
  SIF_TRACKPOS = 0x0010,
  SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS
};

// ---------------------------------------------------------------------------
// Styles

enum : DWORD {
  WS_OVERLAPPED = 0x00000000,
  WS_POPUP = 0x80000000,
  WS_CHILD = 0x40000000,
  WS_MINIMIZE = 0x20000000,
  WS_VISIBLE = 0x10000000,
  WS_DISABLED = 0x08000000,
  WS_CLIPSIBLINGS = 0x04000000,
  WS_CLIPCHILDREN = 0x02000000,
  WS_MAXIMIZE = 0x01000000,
  WS_CAPTION = 0x00C00000,
  WS_BORDER = 0x00800000,
  WS_DLGFRAME = 0x00400000,
  WS_VSCROLL = 0x00200000,
  WS_HSCROLL = 0x00100000,
  WS_SYSMENU = 0x00080000,
  WS_THICKFRAME = 0x00040000,
  WS_GROUP = 0x00020000,
  WS_TABSTOP = 0x00010000,
  WS_MINIMIZEBOX = 0x00020000,
  WS_MAXIMIZEBOX = 0x00010000,
  WS_OVERLAPPEDWINDOW =
      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
  WS_POPUPWINDOW = WS_POPUP | WS_BORDER | WS_SYSMENU
};

enum : DWORD {
  WS_EX_DLGMODALFRAME = 0x00000001,
  WS_EX_NOPARENTNOTIFY = 0x00000004,
  WS_EX_TOPMOST = 0x00000008,
  WS_EX_TRANSPARENT = 0x00000020,
  WS_EX_TOOLWINDOW = 0x00000080,
  WS_EX_WINDOWEDGE = 0x00000100,
  WS_EX_CLIENTEDGE = 0x00000200,
  WS_EX_CONTROLPARENT = 0x00010000,
  WS_EX_STATICEDGE = 0x00020000,
  WS_EX_APPWINDOW = 0x00040000,
  WS_EX_NOACTIVATE = 0x08000000
};

enum : UINT {
  CS_VREDRAW = 0x0001,
  CS_HREDRAW = 0x0002,
  CS_DBLCLKS = 0x0008,
  CS_OWNDC = 0x0020,
  CS_CLASSDC = 0x0040,
  CS_PARENTDC = 0x0080,
  CS_NOCLOSE = 0x0200,
  CS_SAVEBITS = 0x0800,
  CS_GLOBALCLASS = 0x4000
};

// CreateWindowEx position and size meaning "let the system choose".
constexpr int CW_USEDEFAULT = int(0x80000000);

// GetWindowLong / SetWindowLong indexes
enum : int {
  GWL_WNDPROC = -4,
  GWL_ID = -12,
  GWL_STYLE = -16,
  GWL_EXSTYLE = -20,
  GWL_USERDATA = -21
};
constexpr int GWLP_ID = GWL_ID;
constexpr int GWLP_USERDATA = GWL_USERDATA;
// GetClassLong
enum : int { GCL_STYLE = -26 };

// GetWindow relations
enum : UINT {
  GW_HWNDFIRST = 0,
  GW_HWNDLAST = 1,
  GW_HWNDNEXT = 2,
  GW_HWNDPREV = 3,
  GW_OWNER = 4,
  GW_CHILD = 5
};
// GetAncestor
enum : UINT { GA_PARENT = 1, GA_ROOT = 2, GA_ROOTOWNER = 3 };

// SetWindowPos
enum : UINT {
  SWP_NOSIZE = 0x0001,
  SWP_NOMOVE = 0x0002,
  SWP_NOZORDER = 0x0004,
  SWP_NOREDRAW = 0x0008,
  SWP_NOACTIVATE = 0x0010,
  SWP_FRAMECHANGED = 0x0020,
  SWP_SHOWWINDOW = 0x0040,
  SWP_HIDEWINDOW = 0x0080,
  SWP_NOCOPYBITS = 0x0100,
  SWP_NOOWNERZORDER = 0x0200,
  SWP_NOSENDCHANGING = 0x0400,
  SWP_DEFERERASE = 0x2000,
  SWP_ASYNCWINDOWPOS = 0x4000
};
// The special insert-after handles of SetWindowPos.
inline HWND const HWND_TOP = reinterpret_cast<HWND>(std::intptr_t(0));
inline HWND const HWND_BOTTOM = reinterpret_cast<HWND>(std::intptr_t(1));
inline HWND const HWND_TOPMOST = reinterpret_cast<HWND>(std::intptr_t(-1));
inline HWND const HWND_NOTOPMOST = reinterpret_cast<HWND>(std::intptr_t(-2));

// ShowWindow commands
enum : int {
  SW_HIDE = 0,
  SW_SHOWNORMAL = 1,
  SW_NORMAL = 1,
  SW_SHOWMINIMIZED = 2,
  SW_SHOWMAXIMIZED = 3,
  SW_MAXIMIZE = 3,
  SW_SHOWNOACTIVATE = 4,
  SW_SHOW = 5,
  SW_MINIMIZE = 6,
  SW_SHOWMINNOACTIVE = 7,
  SW_SHOWNA = 8,
  SW_RESTORE = 9,
  SW_SHOWDEFAULT = 10
};

// PeekMessage
enum : UINT { PM_NOREMOVE = 0x0000, PM_REMOVE = 0x0001, PM_NOYIELD = 0x0002 };

// Hooks
enum : int { WH_MOUSE = 7 };
enum : int { HC_ACTION = 0, HC_NOREMOVE = 3 };

// TrackMouseEvent
enum : DWORD {
  TME_HOVER = 0x00000001,
  TME_LEAVE = 0x00000002,
  TME_NONCLIENT = 0x00000010,
  TME_QUERY = 0x40000000,
  TME_CANCEL = 0x80000000
};

// Wheel notch
constexpr int WHEEL_DELTA = 120;

// ---------------------------------------------------------------------------
// Owner-drawn controls and list boxes

// WM_DRAWITEM / WM_MEASUREITEM: what is asked of the owner of an owner-drawn
// control.
enum : UINT { ODT_MENU = 1, ODT_LISTBOX = 2, ODT_COMBOBOX = 3, ODT_BUTTON = 4 };
enum : UINT { ODA_DRAWENTIRE = 0x0001, ODA_SELECT = 0x0002, ODA_FOCUS = 0x0004 };
enum : UINT {
  ODS_SELECTED = 0x0001,
  ODS_GRAYED = 0x0002,
  ODS_DISABLED = 0x0004,
  ODS_CHECKED = 0x0008,
  ODS_FOCUS = 0x0010,
  ODS_DEFAULT = 0x0020,
  ODS_HOTLIGHT = 0x0040,
  ODS_INACTIVE = 0x0080,
  ODS_NOACCEL = 0x0100,
  ODS_NOFOCUSRECT = 0x0200,
  ODS_COMBOBOXEDIT = 0x1000
};

struct DRAWITEMSTRUCT {
  UINT CtlType = 0;
  UINT CtlID = 0;
  UINT itemID = 0;  // the row; UINT(-1) for an empty list
  UINT itemAction = 0;
  UINT itemState = 0;
  HWND hwndItem = nullptr;
  HDC hDC = nullptr;
  TRect rcItem;  // client coordinates of the control
  std::uintptr_t itemData = 0;
};

struct MEASUREITEMSTRUCT {
  UINT CtlType = 0;
  UINT CtlID = 0;
  UINT itemID = 0;
  UINT itemWidth = 0;
  UINT itemHeight = 0;
  std::uintptr_t itemData = 0;
};

// List box styles (the low word of the window style)
enum : DWORD {
  LBS_NOTIFY = 0x0001,
  LBS_SORT = 0x0002,
  LBS_NOREDRAW = 0x0004,
  LBS_MULTIPLESEL = 0x0008,
  LBS_OWNERDRAWFIXED = 0x0010,
  LBS_OWNERDRAWVARIABLE = 0x0020,
  LBS_HASSTRINGS = 0x0040,
  LBS_USETABSTOPS = 0x0080,
  LBS_NOINTEGRALHEIGHT = 0x0100,
  LBS_MULTICOLUMN = 0x0200,
  LBS_WANTKEYBOARDINPUT = 0x0400,
  LBS_EXTENDEDSEL = 0x0800,
  LBS_DISABLENOSCROLL = 0x1000,
  LBS_NODATA = 0x2000,
  LBS_NOSEL = 0x4000
};

// List box notifications to the parent: WM_COMMAND with
// MAKEWPARAM(control id, code) and the list's window in lParam.
enum : WORD {
  LBN_ERRSPACE = WORD(-2),
  LBN_SELCHANGE = 1,
  LBN_DBLCLK = 2,
  LBN_SELCANCEL = 3,
  LBN_SETFOCUS = 4,
  LBN_KILLFOCUS = 5
};

// ---------------------------------------------------------------------------
// Virtual keys

enum : int {
  VK_LBUTTON = 0x01,
  VK_RBUTTON = 0x02,
  VK_CANCEL = 0x03,
  VK_MBUTTON = 0x04,
  VK_BACK = 0x08,
  VK_TAB = 0x09,
  VK_CLEAR = 0x0C,
  VK_RETURN = 0x0D,
  VK_SHIFT = 0x10,
  VK_CONTROL = 0x11,
  VK_MENU = 0x12,
  VK_PAUSE = 0x13,
  VK_CAPITAL = 0x14,
  VK_KANA = 0x15,
  VK_KANJI = 0x19,
  VK_ESCAPE = 0x1B,
  VK_CONVERT = 0x1C,
  VK_NONCONVERT = 0x1D,
  VK_SPACE = 0x20,
  VK_PRIOR = 0x21,
  VK_NEXT = 0x22,
  VK_END = 0x23,
  VK_HOME = 0x24,
  VK_LEFT = 0x25,
  VK_UP = 0x26,
  VK_RIGHT = 0x27,
  VK_DOWN = 0x28,
  VK_SNAPSHOT = 0x2C,
  VK_INSERT = 0x2D,
  VK_DELETE = 0x2E,
  VK_HELP = 0x2F,
  // '0'..'9' and 'A'..'Z' are their ASCII codes.
  VK_LWIN = 0x5B,
  VK_RWIN = 0x5C,
  VK_APPS = 0x5D,
  VK_NUMPAD0 = 0x60,
  VK_NUMPAD9 = 0x69,
  VK_MULTIPLY = 0x6A,
  VK_ADD = 0x6B,
  VK_SEPARATOR = 0x6C,
  VK_SUBTRACT = 0x6D,
  VK_DECIMAL = 0x6E,
  VK_DIVIDE = 0x6F,
  VK_F1 = 0x70,
  VK_F2 = 0x71,
  VK_F3 = 0x72,
  VK_F4 = 0x73,
  VK_F5 = 0x74,
  VK_F6 = 0x75,
  VK_F7 = 0x76,
  VK_F8 = 0x77,
  VK_F9 = 0x78,
  VK_F10 = 0x79,
  VK_F11 = 0x7A,
  VK_F12 = 0x7B,
  VK_NUMLOCK = 0x90,
  VK_SCROLL = 0x91,
  VK_LSHIFT = 0xA0,
  VK_RSHIFT = 0xA1,
  VK_LCONTROL = 0xA2,
  VK_RCONTROL = 0xA3,
  VK_LMENU = 0xA4,
  VK_RMENU = 0xA5,
  // A key the input method handles while it composes (Windows sends it in
  // place of the key).
  VK_PROCESSKEY = 0xE5
};

// ---------------------------------------------------------------------------
// Cursors

// The standard cursors a window can show. LoadCursor(nullptr, IDC_...) gives
// the handle of one of them; the backend draws it as its platform does.
enum TCursorShape : int {
  crsNone = 0,  // no cursor (hidden)
  crsArrow,
  crsIBeam,
  crsWait,
  crsCross,
  crsUpArrow,
  crsSizeNWSE,
  crsSizeNESW,
  crsSizeWE,
  crsSizeNS,
  crsSizeAll,
  crsNo,
  crsHand,
  crsAppStarting,
  crsHelp
};

// The resource ids of the standard cursors, as in Win32.
enum : int {
  IDC_ARROW = 32512,
  IDC_IBEAM = 32513,
  IDC_WAIT = 32514,
  IDC_CROSS = 32515,
  IDC_UPARROW = 32516,
  IDC_SIZENWSE = 32642,
  IDC_SIZENESW = 32643,
  IDC_SIZEWE = 32644,
  IDC_SIZENS = 32645,
  IDC_SIZEALL = 32646,
  IDC_NO = 32648,
  IDC_HAND = 32649,
  IDC_APPSTARTING = 32650,
  IDC_HELP = 32651
};
