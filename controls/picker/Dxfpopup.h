#pragma once
// TPopupWindow: the list that drops down from the site picker. An
// owner-drawn list box of variable row heights that floats above every other
// window without ever becoming the active one, placed under the picker or,
// when there is no room, over it. Besides its one-pixel border its frame
// carries a 19-pixel strip along the edge away from the picker (an 18-pixel
// body and a separator line) with a close button and, when the picker's
// ResizePopup is on, a size grip in the free corner that resizes the list
// through the system's sizing loop.
//
// A popup lives only while the list is open: the picker's DropDown makes
// and shows a new one, its CloseUp hides it and has it freed once the
// message that closed it has been handled. While a popup is shown, a mouse
// hook of this thread closes it on any press outside it and swallows that
// press.
//
// The frame is drawn by the free functions below (placement, corner, close
// button, size grip) in DxfpopupFrame.cpp; the window in Dxfpopup.cpp; the
// rows (measuring, drawing, mouse and keys) in DxfpopupRows.cpp.

#include "controls/picker/Dxfcombobox.h"
#include "framework/forms/OutsidePress.h"
#include "framework/stdctrls/ListBox.h"
#include "platform/window/WinUser.h"

// The strip: an 18-pixel body and a 1-pixel line between it and the list.
constexpr int kPopupStripBody = 18;
constexpr int kPopupStripHeight = kPopupStripBody + 1;

// ---- placement and frame drawing ---------------------------------------------

// Where a popup of R's width and height goes on the screen for a picker whose
// top-left corner is at screen point P and whose height is H: below the
// picker; above it when the bottom would pass the screen; when it fits
// neither way, on the side with more room (below on a tie), cut at the
// screen's edge; then moved left so it ends at the screen's right edge and
// right so it starts at 0.
TRect GetPopupRect(const TPoint& P, const TRect& R, int H);
// The corner that carries the grip: away from the picker vertically, on the
// right unless the list was pushed against the screen's right edge.
TdxfCorner GetCornerForRects(const TRect& ComboRect, const TRect& PopupRect);
// The sizing hit-test code of a corner (HTTOPLEFT ... HTBOTTOMRIGHT).
int GetHitTestByCorner(TdxfCorner Corner);
// Draws the close button at the end of the strip body R away from the grip:
// flat when idle, raised (Raised), sunken with a pushed glyph (Raised and
// Sunken). R is left as the button's frame.
void DrawCloseButton(HDC DC, TRect& R, bool Raised, bool Sunken, TdxfCorner Corner);
// Draws the size grip into the corner of R, its ridges pointing into that
// corner (mirrored for the left and the top corners). R is left as the
// grip's rectangle.
void DrawSizeGrip(HDC DC, TRect& R, TdxfCorner Corner);

// The top-most control of Control's parent chain (Control itself when it has
// no parent): the popup's parent while its window is made.
TWinControl* GetTopLevelControl(TWinControl* Control);

// ---- TPopupWindow ---------------------------------------------------------------

class TPopupWindow : public TCustomListBox {
public:
  // AOwner is the picker, which the popup reads and reports to.
  explicit TPopupWindow(TdxfCustomComboBox* AOwner);
  ~TPopupWindow() override;

  // Installs the mouse hook, moves the window to Left, Top and shows it on
  // top without activating it.
  void Show();
  // Gives up the capture; when shown, hides the window, removes the hook and
  // gives the focus back to the picker.
  void Hide();

  void Dispatch(TMessage& Message) override;
  // The hook that closes the popup on a press elsewhere, while it shows.
  HHOOK OutsidePressHook() const { return FOutside.Hook(); }

  TdxfCustomComboBox* ComboBox;
  // Screen rectangles as of the last frame paint.
  TRect CloseButtonRect{};
  TRect SizeGripRect{};
  TdxfCorner Corner = coBottomRight;
  bool CloseButtonHot = false;
  bool CloseButtonPressed = false;
  bool FrameButtonDown = false;
  // The last hit test found the pointer on the grip; the corner stays put
  // while it is so.
  bool OverSizeGrip = false;

protected:
  // Adds the border, makes the window a topmost tool window (replacing the
  // client edge) and asks the class to save the pixels under it.
  void CreateParams(TCreateParams& Params) override;
  // Makes the window as a child of the form, moves it to the desktop and
  // tells the list it has the focus, so the selection looks focused.
  void CreateWnd() override;
  void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) override;
  void MeasureItem(int Index, int& Height) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;

  void WMMouseActivate(TMessage& Message);
  void WMNCPaint(TMessage& Message);
  void WMNCCalcSize(TMessage& Message);
  void WMNCHitTest(TMessage& Message);
  void WMNCLButtonDown(TMessage& Message);
  void WMLButtonUp(TMessage& Message);
  void WMCaptureChanged(TMessage& Message);
  void WMGetMinMaxInfo(TMessage& Message);
  void WMEraseBkgnd(TMessage& Message);
  void WMKillFocus(TMessage& Message);
  void CMMouseLeave(TMessage& Message);

private:
  bool Inside(const TPoint& Screen) const;
  // A press outside: hides the popup and closes the picker's list.
  void PressedOutside();
  // The strip lies along the top for the top corners.
  bool StripAtTop() const { return Corner == coTopLeft || Corner == coTopRight; }
  // The strip's body and its separator line at the picker's scale
  // (kPopupStripBody and one pixel at 96 dpi).
  int StripBody() const;
  int StripLine() const;
  int StripHeight() const { return StripBody() + StripLine(); }
  // Paints the frame now (the WM_NCPAINT the rules send to themselves).
  void RepaintFrame();
  // Whether this popup is still the picker's open one: CloseUp from one of
  // its own handlers ends everything the handler would do after it.
  bool StillOpen() const;
  // The picker's rectangle on the screen.
  TRect ComboScreenRect() const;
  // Draws a check box for a row and answers its rectangle.
  void DrawRowCheckBox(TCanvas* Canvas, int X, int ContentHeight, bool Checked, TRect& Box);

  TOutsidePress FOutside;
};

// ---- the shown popup and its hook -------------------------------------------------

// The popup now shown (one at a time), set by DropDown and cleared by
// CloseUp.
TPopupWindow* ActivePopupWindow();
void SetActivePopupWindow(TPopupWindow* Popup);
// The mouse hook a shown popup holds, or nullptr.
HHOOK PopupMouseHook();
