#pragma once
// The stock message boxes: a modal box with a text, a caption, an optional
// icon and one OK button, placed at a screen point or centred; and the error
// box built on it, which the application shows for an error that escaped a
// handler.
//
// The box is a decorated top-level window (its caption bar is the window
// manager's) owned by the given window, with two child windows as on
// Windows: the text (a static, id kMsgBoxTextId) and the OK button (id kMsgBoxButtonId). The
// OK button is both the default and the cancel button: Enter, Escape, Space
// on the button, a click on it and the window's close request all close the
// box, and every one of them answers kMsgBoxOk.
//
// While the box is up the program's other top-level windows are disabled
// (clicks on them do nothing) and a nested message loop runs; when it
// closes they are enabled again and the window that was active before gets
// the activation and its focus back. The owner receives WM_ENTERIDLE
// (kIdleDialog) whenever the loop has nothing to do.

#include <string>
#include <string_view>

#include "platform/core/Scale.h"
#include "platform/core/Types.h"
#include "platform/window/WinUser.h"

class TCanvas;
class TApplication;

// The answer of a box the user closed: Windows' IDOK (and the framework's
// mrOk). The control ids of the box's children are the same as on Windows.
constexpr int kMsgBoxOk = 1;
constexpr int kMsgBoxButtonId = 1;
constexpr int kMsgBoxTextId = 0xFFFF;

enum TMsgBoxIcon { miNone, miError };

// Shows the box and returns when it is closed: kMsgBoxOk when the user closed it,
// 0 when it could not be shown or the program ended while it was up (the
// quit request reaches the outer loop). The top-left corner goes to X on the
// horizontal axis when X is 0 or more and is centred on the screen when X is
// negative; the same for Y on the vertical axis.
int MessageBoxPos(HWND Owner, const std::string& Text, const std::string& Caption, TMsgBoxIcon Icon,
                  int X, int Y);
// Centred on the screen.
inline int MessageBoxCentered(HWND Owner, const std::string& Text, const std::string& Caption,
                              TMsgBoxIcon Icon) {
  return MessageBoxPos(Owner, Text, Caption, Icon, -1, -1);
}

// The error box's text: Message with a "." appended when it is not empty and
// the code of its last character is above that of "." (so a message ending
// in a Japanese character gets one, one ending in "." or ")" does not).
std::string ErrorBoxText(std::string_view Message);

// The error box: ErrorBoxText(Message), the caption, the error icon, owned
// by the active window and centred on the screen.
int ShowErrorBox(const std::string& Message, const std::string& Caption);

// Makes the error box the application's report of escaped errors
// (TApplication::SetErrorBox); the caption is the application's title.
void InstallErrorBox(TApplication& App);

// ---- the box's look, pinned in one place ---------------------------------

namespace msgbox {
constexpr int kMargin = 12;         // around the content and between its parts
constexpr int kIconSize = 32;       // the icon, at (kMargin, kMargin)
constexpr int kMaxTextWidth = 400;  // lines longer than this wrap
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kCaptionRoom = 96;  // beside the caption text: buttons, icon, a bolder font
}  // namespace msgbox

// Where everything of a box goes (client coordinates); the client size is
// also the window's size, the frame being the window manager's.
struct TMessageBoxLayout {
  int Width = 0, Height = 0;
  TRect Icon;  // empty without an icon
  TRect Text;
  TRect Button;
};

// Lays a box out with the canvas's current font (the framework's default
// font in the box).
// The figures above are at 96 dpi; Scale takes them to the box's (the
// canvas's font is at that scale already), the icon by a whole factor.
TMessageBoxLayout LayoutMessageBox(TCanvas& Canvas, const std::string& Text,
                                   const std::string& Caption, TMsgBoxIcon Icon,
                                   const TScale& Scale = TScale());
// The whole factor the box's icon is drawn at: the largest not above the
// scale, so its pixels stay square.
int IconFactor(const TScale& Scale);

// The top-left corner of a box of the given size for the requested point.
TPoint MessageBoxPosition(int X, int Y, int Width, int Height, int ScreenWidth, int ScreenHeight);

// The error icon: a red disc with a dark rim and a white cross, 32 by 32,
// drawn with its top-left corner at (X, Y).
// Dot: each pixel of the icon as a square of that many pixels.
void DrawErrorIcon(TCanvas& Canvas, int X, int Y, int Dot = 1);

// The OK button's face: the default button's black frame, a raised face (a
// flat shadow frame while pushed, the caption one pixel down and right) and
// the dotted focus rectangle while it has the focus.
void DrawPushButton(TCanvas& Canvas, const TRect& Bounds, const std::string& Caption, bool Pushed,
                    bool Focused, bool Default);
