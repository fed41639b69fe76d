#pragma once
// The message record the controls dispatch, and the framework's own
// notifications (CM_ numbers from 0xB000), beside the window system's WM_
// messages (platform/window/WinDefs.h).
//
// A control's Dispatch is an explicit switch on Message.Msg; a handler
// named after the message (WMSize, CMFontChanged) first lets the base class
// handle the message (Base::Dispatch(Message)), then adds its own steps.
// Notifications a control sends itself go through Perform, so they reach
// overridden handlers exactly like window messages do.

#include "platform/window/WinDefs.h"

struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};

// Framework notifications. The values are fixed: controls compare raw
// numbers with them and the layouts of other components rely on them.
enum : UINT {
  CM_BASE = 0xB000,
  CM_ACTIVATE = CM_BASE + 0x00,
  CM_DEACTIVATE = CM_BASE + 0x01,
  CM_GOTFOCUS = CM_BASE + 0x02,
  CM_LOSTFOCUS = CM_BASE + 0x03,
  // LParam: the control that starts a mouse action (may be null).
  CM_CANCELMODE = CM_BASE + 0x04,
  // WParam: virtual key, LParam: key data; Result 1 when handled.
  CM_DIALOGKEY = CM_BASE + 0x05,
  // WParam: the character, LParam: key data; Result 1 when an accelerator took it.
  CM_DIALOGCHAR = CM_BASE + 0x06,
  // LParam: the control that now has the focus.
  CM_FOCUSCHANGED = CM_BASE + 0x07,
  // WParam 0: take the parent's font; WParam 1: LParam is the TFont* to take.
  CM_PARENTFONTCHANGED = CM_BASE + 0x08,
  // WParam 0: take the parent's colour; WParam 1: LParam is the colour.
  CM_PARENTCOLORCHANGED = CM_BASE + 0x09,
  // LParam: the point (client coordinates, packed); Result non-zero when hit.
  CM_HITTEST = CM_BASE + 0x0A,
  CM_VISIBLECHANGED = CM_BASE + 0x0B,
  CM_ENABLEDCHANGED = CM_BASE + 0x0C,
  CM_COLORCHANGED = CM_BASE + 0x0D,
  CM_FONTCHANGED = CM_BASE + 0x0E,
  CM_CURSORCHANGED = CM_BASE + 0x0F,
  CM_CTL3DCHANGED = CM_BASE + 0x10,
  CM_PARENTCTL3DCHANGED = CM_BASE + 0x11,
  CM_TEXTCHANGED = CM_BASE + 0x12,
  CM_MOUSEENTER = CM_BASE + 0x13,
  CM_MOUSELEAVE = CM_BASE + 0x14,
  CM_MENUCHANGED = CM_BASE + 0x15,
  CM_APPKEYDOWN = CM_BASE + 0x16,
  CM_APPSYSCOMMAND = CM_BASE + 0x17,
  // WParam: group index, LParam: the sending button. Broadcast to a parent's
  // child controls when a grouped button goes down.
  CM_BUTTONPRESSED = CM_BASE + 0x18,
  CM_SHOWINGCHANGED = CM_BASE + 0x19,
  CM_ENTER = CM_BASE + 0x1A,
  CM_EXIT = CM_BASE + 0x1B,
  CM_DESIGNHITTEST = CM_BASE + 0x1C,
  CM_ICONCHANGED = CM_BASE + 0x1D,
  CM_WANTSPECIALKEY = CM_BASE + 0x1E,
  CM_INVOKEHELP = CM_BASE + 0x1F,
  CM_WINDOWHOOK = CM_BASE + 0x20,
  // Posted to a form by Release: the form deletes itself when it arrives.
  CM_RELEASE = CM_BASE + 0x21,
  CM_SHOWHINTCHANGED = CM_BASE + 0x22,
  CM_PARENTSHOWHINTCHANGED = CM_BASE + 0x23,
  CM_SYSCOLORCHANGE = CM_BASE + 0x24,
  CM_WININICHANGE = CM_BASE + 0x25,
  CM_FONTCHANGE = CM_BASE + 0x26,
  CM_TIMECHANGE = CM_BASE + 0x27,
  CM_TABSTOPCHANGED = CM_BASE + 0x28,
  CM_UIACTIVATE = CM_BASE + 0x29,
  CM_UIDEACTIVATE = CM_BASE + 0x2A,
  CM_DOCWINDOWACTIVATE = CM_BASE + 0x2B,
  // WParam: the control, LParam: 1 inserted / 0 removed; sent before the change.
  CM_CONTROLLISTCHANGE = CM_BASE + 0x2C,
  CM_GETDATALINK = CM_BASE + 0x2D,
  CM_CHILDKEY = CM_BASE + 0x2E,
  CM_DRAG = CM_BASE + 0x2F,
  CM_HINTSHOW = CM_BASE + 0x30,
  CM_DIALOGHANDLE = CM_BASE + 0x31,
  CM_ISTOOLCONTROL = CM_BASE + 0x32,
  CM_RECREATEWND = CM_BASE + 0x33,
  CM_INVALIDATE = CM_BASE + 0x34,
  CM_SYSFONTCHANGED = CM_BASE + 0x35,
  // WParam: the control, LParam: 1 inserted / 0 removed; sent after the change.
  CM_CONTROLCHANGE = CM_BASE + 0x36,
  CM_CHANGED = CM_BASE + 0x37,
  // WParam: 1 when a hint was showing; LParam: int* pause in milliseconds
  // that the control may change.
  CM_HINTSHOWPAUSE = CM_BASE + 0x3F,
};

// Control notifications: a message about a control that the control itself
// handles, numbered CN_BASE + the window message it stands for.
enum : UINT {
  CN_BASE = 0xBC00,
  CN_DRAWITEM = CN_BASE + WM_DRAWITEM,
  CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM,
  CN_COMMAND = CN_BASE + WM_COMMAND,
};

// WM_GETDLGCODE answers: the keys a control wants for itself rather than
// leaving them to the form's navigation.
enum : UINT {
  DLGC_WANTARROWS = 0x0001,
  DLGC_WANTTAB = 0x0002,
  DLGC_WANTALLKEYS = 0x0004,
  DLGC_WANTCHARS = 0x0080,
};

// Key data (the lParam of key messages): set while Alt is held.
constexpr LPARAM kKeyDataAltDown = LPARAM(0x20000000);
