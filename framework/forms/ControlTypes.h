#pragma once
// The vocabulary every control shares: its error, style and state flags, the
// shift state of input, cursors, alignment and the other property enums, and
// the mouse and key events.

#include <cstdint>
#include <functional>
#include <string>

#include "framework/core/Classes.h"
#include "platform/core/Exception.h"
#include "platform/window/WinUser.h"

class TControl;
class TWinControl;
// An operation that is not possible in the control's present state (focusing
// a hidden control, a control without a parent window).
class EInvalidOperation : public Exception {
public:
  using Exception::Exception;
};

namespace messages {
inline constexpr const char* kCannotFocus =
    "無効または非表示のウィンドウにはフォーカスを設定できません";
inline constexpr const char* kParentRequired = "コントロール '%s' には親ウィンドウがありません";
inline constexpr const char* kWindowCreate = "ウィンドウを作成できません";
inline constexpr const char* kControlParentSelf = "コントロールを自分自身の親にはできません";
}  // namespace messages

// ---- Control styles and states ------------------------------------------

enum TControlStyleFlag : std::uint32_t {
  csAcceptsControls = 1u << 0,  // may be the parent of other controls
  csCaptureMouse = 1u << 1,     // holds the mouse capture while a button is down
  csDesignInteractive = 1u << 2,
  csClickEvents = 1u << 3,  // a press and release inside is a Click
  csFramed = 1u << 4,
  csSetCaption = 1u << 5,    // takes its name as caption when named in a designer
  csOpaque = 1u << 6,        // paints its whole area: nothing is erased under it
  csDoubleClicks = 1u << 7,  // gets double clicks (otherwise a second press)
  csFixedWidth = 1u << 8,
  csFixedHeight = 1u << 9,  // keeps its height when the form is scaled
  csNoDesignVisible = 1u << 10,
  csReplicatable = 1u << 11,  // may be painted into another context (PaintTo)
  csNoStdEvents = 1u << 12,   // no mouse and key events (OnMouseDown, OnKeyDown...)
  csDisplayDragImage = 1u << 13,
  csReflector = 1u << 14,
  csActionClient = 1u << 15,
  csMenuEvents = 1u << 16,
};
using TControlStyle = std::uint32_t;

enum TControlStateFlag : std::uint32_t {
  csLButtonDown = 1u << 0,
  csClicked = 1u << 1,  // a press of a control with csClickEvents is under way
  csPalette = 1u << 2,
  csReadingState = 1u << 3,
  csAlignmentNeeded = 1u << 4,
  csFocusing = 1u << 5,
  csCreating = 1u << 6,  // its window is being made
  csPaintCopy = 1u << 7,
  csCustomPaint = 1u << 8,  // paints itself (TCustomControl)
  csDestroyingHandle = 1u << 9,
  csDocking = 1u << 10,
};
using TControlState = std::uint32_t;

// ---- Input ----------------------------------------------------------------

// TMouseButton (mbLeft, mbRight, mbMiddle) is the window system's.
enum TShiftStateFlag : unsigned {
  ssShift = 1,
  ssAlt = 2,
  ssCtrl = 4,
  ssLeft = 8,
  ssRight = 16,
  ssMiddle = 32,
  ssDouble = 64,
};
using TShiftState = unsigned;

// The shift state of a mouse message's key flags, with Alt from the keyboard.
TShiftState KeysToShiftState(WPARAM Keys);
// The shift state of a key message's key data.
TShiftState KeyDataToShiftState(LPARAM KeyData);

// Cursors: the standard ones are negative, 0 means "as the parent or class
// shows" (crDefault).
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSize = -5;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;
// The window system's cursor for a framework cursor (crDefault answers the
// arrow).
HCURSOR CursorHandle(TCursor Cursor);

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TDragMode { dmManual, dmAutomatic };
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
enum THelpType { htKeyword, htContext };
// Input-method modes; the framework stores them for the controls that hand
// them on (the input method itself is the backend's).
enum TImeMode {
  imDisable,
  imClose,
  imOpen,
  imDontCare,
  imSAlpha,
  imAlpha,
  imHira,
  imSKata,
  imKata,
  imChinese,
  imSHanguel,
  imHanguel
};
using TImeName = std::string;

// ---- Events ---------------------------------------------------------------

using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;

// The short part of a hint: what stands before '|' (the part after it is
// for a status line, which this framework does not show).
std::string GetShortHint(const std::string& Hint);
