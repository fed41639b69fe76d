// The popup list window: creation, showing and hiding with the outside press,
// the frame (strip, close button, size grip) as non-client area, hit
// testing, the close button's press and release, sizing limits, activation,
// focus loss and background erase. The rows are in DxfpopupRows.cpp.

#include "controls/picker/Dxfpopup.h"

#include <algorithm>

#include "framework/core/Messages.h"
#include "platform/gdi/Primitives.h"
#include "platform/gdi/SysColors.h"

namespace {

// The popup now shown: one at a time, whichever picker opened it.
TPopupWindow* ShownPopup = nullptr;

}  // namespace

TPopupWindow* ActivePopupWindow() { return ShownPopup; }
void SetActivePopupWindow(TPopupWindow* Popup) { ShownPopup = Popup; }
HHOOK PopupMouseHook() {
  // Popups float on the desktop: the top-level windows are where to look.
  for (HWND Window = GetTopWindow(nullptr); Window; Window = GetWindow(Window, GW_HWNDNEXT))
    if (const auto* Popup = dynamic_cast<const TPopupWindow*>(FindControl(Window)))
      if (const HHOOK Hook = Popup->OutsidePressHook()) return Hook;
  return nullptr;
}

// ---- TPopupWindow -------------------------------------------------------------------

TPopupWindow::TPopupWindow(TdxfCustomComboBox* AOwner)
    : TCustomListBox(AOwner),
      ComboBox(AOwner),
      // Every button press and double click, client and frame, and every
      // frame button release outside the window closes the list and is
      // swallowed. Client releases are left out, so the release of the press
      // that opened the list does not close it again.
      FOutside([this](HWND, const TPoint& Screen) { return Inside(Screen); },
               [this] { PressedOutside(); }, pmSwallow) {
  FOutside.SetFrameReleasesToo(true);
  SetStyle(lbOwnerDrawVariable);
  SetVisible(false);
}

TPopupWindow::~TPopupWindow() {
  // A popup freed while shown takes its hook and the shown-popup pointer
  // with it, so neither outlives it.
  FOutside.Remove();
  if (ShownPopup == this) ShownPopup = nullptr;
}

bool TPopupWindow::Inside(const TPoint& Screen) const {
  // A popup without a window has nothing to close.
  if (!HandleAllocated()) return true;
  TRect Window;
  GetWindowRect(WindowHandle(), Window);
  return Window.Contains(Screen);
}

void TPopupWindow::PressedOutside() {
  TdxfCustomComboBox* Box = ComboBox;
  Hide();
  // Hide gives the focus back to the picker, which may close the list on
  // its own already.
  if (ShownPopup == this) Box->CloseUp();
}

void TPopupWindow::CreateParams(TCreateParams& Params) {
  TCustomListBox::CreateParams(Params);
  Params.Style |= WS_BORDER;
  Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  Params.WindowClass.style |= CS_HREDRAW | CS_VREDRAW | CS_SAVEBITS;
}

void TPopupWindow::CreateWnd() {
  TCustomListBox::CreateWnd();
  // On the desktop the window floats freely; its child style keeps it from
  // ever being activated.
  ::SetParent(WindowHandle(), nullptr);
  // The list draws its selection as focused while the keyboard focus stays
  // in the picker.
  CallWindowProc(DefWndProc(), WindowHandle(), WM_SETFOCUS, 0, 0);
}

void TPopupWindow::Show() {
  FOutside.Install();
  const HWND Window = Handle();
  SetWindowPos(Window, nullptr, Left(), Top(), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  // The frame change recomputes the frame (and with it the corner) now that
  // the window is placed.
  SetWindowPos(Window, HWND_TOP, 0, 0, 0, 0,
               SWP_SHOWWINDOW | SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
}

void TPopupWindow::Hide() {
  if (HandleAllocated() && GetCapture() == WindowHandle()) ReleaseCapture();
  if (!HandleAllocated() || !IsWindowVisible(WindowHandle())) return;
  SetWindowPos(WindowHandle(), nullptr, 0, 0, 0, 0,
               SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
  FOutside.Remove();
  if (HandleAllocated() && ComboBox->CanFocus()) ComboBox->SetFocus();
}

bool TPopupWindow::StillOpen() const { return ComboBox->Popup() == this && HandleAllocated(); }

TRect TPopupWindow::ComboScreenRect() const {
  const TPoint TopLeft =
      ComboBox->Parent()
          ? ComboBox->Parent()->ClientToScreen(TPoint{ComboBox->Left(), ComboBox->Top()})
          : ComboBox->ClientToScreen(TPoint{0, 0});
  return TRect{TopLeft.X, TopLeft.Y, TopLeft.X + ComboBox->Width(), TopLeft.Y + ComboBox->Height()};
}

void TPopupWindow::RepaintFrame() {
  if (HandleAllocated()) SendMessage(WindowHandle(), WM_NCPAINT, 1, 0);
}

// ---- messages -------------------------------------------------------------------------

void TPopupWindow::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_MOUSEACTIVATE:
      WMMouseActivate(Message);
      break;
    case WM_NCPAINT:
      WMNCPaint(Message);
      break;
    case WM_NCCALCSIZE:
      WMNCCalcSize(Message);
      break;
    case WM_NCHITTEST:
      WMNCHitTest(Message);
      break;
    case WM_NCLBUTTONDOWN:
      WMNCLButtonDown(Message);
      break;
    case WM_LBUTTONUP:
      WMLButtonUp(Message);
      break;
    case WM_CAPTURECHANGED:
      WMCaptureChanged(Message);
      break;
    case WM_GETMINMAXINFO:
      WMGetMinMaxInfo(Message);
      break;
    case WM_ERASEBKGND:
      WMEraseBkgnd(Message);
      break;
    case WM_KILLFOCUS:
      WMKillFocus(Message);
      break;
    case CM_MOUSELEAVE:
      CMMouseLeave(Message);
      break;
    default:
      TCustomListBox::Dispatch(Message);
      break;
  }
}

void TPopupWindow::WMMouseActivate(TMessage& Message) {
  TCustomListBox::Dispatch(Message);
  Message.Result = MA_NOACTIVATE;
}

void TPopupWindow::WMNCCalcSize(TMessage& Message) {
  TCustomListBox::Dispatch(Message);
  if (!OverSizeGrip) {
    // The placement DropDown would choose now decides the corner; while
    // the grip is dragged the corner stays where the drag began.
    const TRect Combo = ComboScreenRect();
    const TRect Placement = GetPopupRect(
        TPoint{Combo.Left, Combo.Top}, TRect{0, 0, ComboBox->PopupWidth(), ComboBox->PopupHeight()},
        ComboBox->Height());
    ComboBox->SetPopupRect(Placement);
    Corner = GetCornerForRects(Combo, Placement);
  }
  TRect* Client = Message.WParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0]
                                 : reinterpret_cast<TRect*>(Message.LParam);
  if (!Client) return;
  if (StripAtTop())
    Client->Top += StripHeight();
  else
    Client->Bottom -= StripHeight();
}

int TPopupWindow::StripBody() const { return ComboBox->Scaled(kPopupStripBody); }
int TPopupWindow::StripLine() const { return ComboBox->ScaledStroke(1); }

void TPopupWindow::WMNCPaint(TMessage& Message) {
  TCustomListBox::Dispatch(Message);
  if (!HandleAllocated()) return;
  const HWND Window = WindowHandle();
  TRect Screen;
  GetWindowRect(Window, Screen);
  const TPoint Origin{Screen.Left, Screen.Top};
  TPoint ClientOrigin{0, 0};
  ::ClientToScreen(Window, ClientOrigin);
  const int Border = ClientOrigin.X - Origin.X;
  TRect W{Border, Border, Screen.Width() - Border, Screen.Height() - Border};

  HDC DC = GetWindowDC(Window);
  if (!DC) return;
  const TLogBrush FrameBrush = GetSysColorBrush(COLOR_WINDOWFRAME);
  const TLogBrush FaceBrush = GetSysColorBrush(COLOR_BTNFACE);
  if (!StripAtTop()) {
    W.Top = W.Bottom - StripBody();
    FillRect(*DC, TRect{W.Left, W.Top - StripLine(), W.Right, W.Top}, FrameBrush);
  } else {
    W.Bottom = W.Top + StripBody();
    FillRect(*DC, TRect{W.Left, W.Bottom, W.Right, W.Bottom + StripLine()}, FrameBrush);
  }

  // Without a grip there is no grip area either.
  SizeGripRect = TRect{};
  if (ComboBox->ResizePopup()) {
    TRect G = W;
    DrawSizeGrip(DC, G, Corner);
    DC->ExcludeClipRect(G);
    G = TRect{G.Left - 2, std::max(G.Top - 2, W.Top), G.Right + 2,
              std::min(G.Bottom + 2, W.Bottom)};
    SizeGripRect = G.Translated(Origin.X, Origin.Y);
  }

  TRect B = W;
  DrawCloseButton(DC, B, CloseButtonHot || CloseButtonPressed, CloseButtonHot && CloseButtonPressed,
                  Corner);
  DC->ExcludeClipRect(B);
  CloseButtonRect = B.Translated(Origin.X, Origin.Y);

  FillRect(*DC, W, FaceBrush);
  const LONG_PTR Style = GetWindowLong(Window, GWL_STYLE);
  if (!StripAtTop() && (Style & WS_VSCROLL) && (Style & WS_HSCROLL)) {
    // Where the two scroll bars meet, just above the separator line.
    const int CX = GetScaledSystemMetrics(SM_CXVSCROLL);
    const int CY = GetScaledSystemMetrics(SM_CYHSCROLL);
    FillRect(*DC, TRect{W.Right - CX, W.Top - StripLine() - CY, W.Right, W.Top - StripLine()},
             FaceBrush);
  }
  ReleaseDC(Window, DC);
}

void TPopupWindow::WMNCHitTest(TMessage& Message) {
  TCustomListBox::Dispatch(Message);
  const TPoint P = PointFromLParam(Message.LParam);
  if (SizeGripRect.Contains(P.X, P.Y)) {
    if (ComboBox->ResizePopup()) Message.Result = GetHitTestByCorner(Corner);
    OverSizeGrip = true;
    return;
  }
  const bool WasHot = CloseButtonHot;
  CloseButtonHot = CloseButtonRect.Contains(P.X, P.Y);
  // A frame part with no behaviour of its own: the press arrives as
  // WM_NCLBUTTONDOWN.
  if (CloseButtonHot) Message.Result = HTBORDER;
  if (CloseButtonHot != WasHot) RepaintFrame();
  OverSizeGrip = false;
}

void TPopupWindow::WMNCLButtonDown(TMessage& Message) {
  // For the grip this runs the sizing loop, which returns when the drag
  // ends.
  TCustomListBox::Dispatch(Message);
  if (!StillOpen()) return;
  FrameButtonDown = true;
  if (CloseButtonHot) {
    CloseButtonPressed = true;
    SetCapture(WindowHandle());
    RepaintFrame();
  }
}

void TPopupWindow::WMLButtonUp(TMessage& Message) {
  // The rows' mouse-up runs here and may close the list.
  TCustomListBox::Dispatch(Message);
  if (!StillOpen()) return;
  FrameButtonDown = false;
  if (!CloseButtonPressed) return;
  CloseButtonPressed = false;
  ReleaseCapture();
  if (!StillOpen()) return;
  if (CloseButtonHot)
    ComboBox->CloseUp();
  else
    RepaintFrame();
}

void TPopupWindow::WMCaptureChanged(TMessage& Message) {
  TCustomListBox::Dispatch(Message);
  if (CloseButtonPressed && !FrameButtonDown) {
    CloseButtonPressed = false;
    CloseButtonHot = false;
    RepaintFrame();
  }
}

void TPopupWindow::WMGetMinMaxInfo(TMessage& Message) {
  TCustomListBox::Dispatch(Message);
  auto* Info = reinterpret_cast<MINMAXINFO*>(Message.LParam);
  if (Info) Info->ptMinTrackSize = TPoint{ComboBox->MinPopupWidth(), ComboBox->MinPopupHeight()};
}

void TPopupWindow::WMEraseBkgnd(TMessage& Message) {
  // The rows and the filler under the last one cover the client area.
  if (Count() > 0)
    Message.Result = 1;
  else
    TCustomListBox::Dispatch(Message);
}

void TPopupWindow::WMKillFocus(TMessage& Message) {
  TCustomListBox::Dispatch(Message);
  if (StillOpen() && ComboBox->DroppedDown()) ComboBox->CloseUp();
}

void TPopupWindow::CMMouseLeave(TMessage& Message) {
  TCustomListBox::Dispatch(Message);
  // The window system also reports leaving the client area for the frame;
  // the button stays hot while the pointer is on it.
  TPoint Cursor;
  if (CloseButtonHot && GetCursorPos(Cursor) && !CloseButtonRect.Contains(Cursor.X, Cursor.Y)) {
    CloseButtonHot = false;
    RepaintFrame();
  }
}
