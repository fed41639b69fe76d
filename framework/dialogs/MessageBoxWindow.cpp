// The message box's windows and its modal loop (the layout and the drawing
// are in Dialogs.cpp).

#include <memory>

#include "framework/dialogs/Dialogs.h"
#include "framework/forms/Forms.h"
#include "framework/forms/ModalLoop.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/CanvasBinding.h"
#include "platform/gdi/SysColors.h"
#include "platform/shell/Beep.h"
#include "platform/window/PaintDC.h"
#include "platform/window/WindowDC.h"

using namespace msgbox;

namespace {

class TMessageBox {
public:
  TMessageBox(const std::string& Text, const std::string& Caption, TMsgBoxIcon Icon)
      : FText(Text), FCaption(Caption), FIcon(Icon) {}
  // Also when an error escapes the loop.
  ~TMessageBox() {
    FClosing = true;
    if (FBox && IsWindow(FBox)) DestroyWindow(FBox);
  }

  int Run(HWND Owner, int X, int Y) {
    if (!Layout()) return 0;
    if (Owner) Owner = GetAncestor(Owner, GA_ROOT);
    const TPoint At =
        MessageBoxPosition(X, Y, FLayout.Width, FLayout.Height, GetSystemMetrics(SM_CXSCREEN),
                           GetSystemMetrics(SM_CYSCREEN));
    // A box owned by a window that stays on top must not fall behind it.
    DWORD ExStyle = WS_EX_DLGMODALFRAME;
    if (Owner && (GetWindowLong(Owner, GWL_EXSTYLE) & WS_EX_TOPMOST)) ExStyle |= WS_EX_TOPMOST;

    WNDCLASS BoxClass;
    BoxClass.lpszClassName = "TMessageBox";
    BoxClass.hbrBackground = clBtnFace;
    BoxClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    FBox = CreateWindowEx(
        ExStyle, BoxClass, FCaption, WS_POPUP | WS_CAPTION | WS_SYSMENU, At.X, At.Y, FLayout.Width,
        FLayout.Height, Owner,
        [this](HWND W, UINT M, WPARAM WP, LPARAM LP) { return BoxProc(W, M, WP, LP); });
    if (!FBox) return 0;

    WNDCLASS StaticClass;
    StaticClass.lpszClassName = "Static";
    StaticClass.hbrBackground = clBtnFace;
    StaticClass.hCursor = BoxClass.hCursor;
    FStatic = CreateWindowEx(
        0, StaticClass, FText, WS_CHILD | WS_VISIBLE, FLayout.Text.Left, FLayout.Text.Top,
        FLayout.Text.Width(), FLayout.Text.Height(), FBox,
        [this](HWND W, UINT M, WPARAM WP, LPARAM LP) { return StaticProc(W, M, WP, LP); });
    WNDCLASS ButtonClass = StaticClass;
    ButtonClass.lpszClassName = "Button";
    FButton = CreateWindowEx(
        0, ButtonClass, "OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP, FLayout.Button.Left,
        FLayout.Button.Top, FLayout.Button.Width(), FLayout.Button.Height(), FBox,
        [this](HWND W, UINT M, WPARAM WP, LPARAM LP) { return ButtonProc(W, M, WP, LP); });
    SetWindowLong(FStatic, GWL_ID, kMsgBoxTextId);
    SetWindowLong(FButton, GWL_ID, kMsgBoxButtonId);

    if (Application) Application->CancelHint();
    const HWND PreviousActive = GetActiveWindow();
    const HWND PreviousFocus = GetFocus();
    {
      TWindowDisabler Disabled(FBox);
      ShowWindow(FBox, SW_SHOW);
      SetFocus(FButton);
      if (FIcon == miError) MessageBeep(MB_ICONHAND);
      RunModalLoop(
          Owner, FBox, kIdleDialog, [this] { return FDone; },
          [this](MSG& Msg) { return FilterMessage(Msg); });
    }
    FClosing = true;
    if (IsWindow(FBox)) DestroyWindow(FBox);
    if (PreviousActive && IsWindow(PreviousActive) && IsWindowVisible(PreviousActive) &&
        IsWindowEnabled(PreviousActive)) {
      SetActiveWindow(PreviousActive);
      if (PreviousFocus && IsWindow(PreviousFocus) &&
          GetAncestor(PreviousFocus, GA_ROOT) == PreviousActive)
        SetFocus(PreviousFocus);
    }
    return FResult;
  }

private:
  // The box is made at run time, not from a layout: it takes the
  // program's scale as it opens, its font included.
  bool Layout() {
    TWindowDC DC(nullptr);
    if (!DC) return false;
    TCanvas Canvas;
    TCanvasBinding Bound(Canvas, DC);
    ScaleFont(Canvas);
    FLayout = LayoutMessageBox(Canvas, FText, FCaption, FIcon, FScale);
    return true;
  }
  void ScaleFont(TCanvas& Canvas) const {
    Canvas.Font()->SetHeight(FScale.Apply(Canvas.Font()->Height()));
  }

  void Close() {
    FResult = kMsgBoxOk;
    Finish();
  }

  void Finish() {
    if (FDone) return;
    FDone = true;
    WakeModalLoop();
  }

  void SetPushed(bool Value) {
    if (Value == FPushed) return;
    FPushed = Value;
    InvalidateRect(FButton, nullptr, false);
  }

  // The dialog manager's part: Enter is the default button, Escape the
  // cancel button, and both are the OK button here.
  bool FilterMessage(MSG& Msg) {
    if (Msg.hwnd != FBox && !IsChild(FBox, Msg.hwnd)) return false;
    if (Msg.message == WM_KEYDOWN || Msg.message == WM_SYSKEYDOWN) {
      if (Msg.wParam == WPARAM(VK_RETURN) || Msg.wParam == WPARAM(VK_ESCAPE)) {
        Close();
        return true;
      }
    }
    return false;
  }

  template <class Paint>
  static void PaintWith(HWND Window, Paint&& Fn) {
    TPaintDC DC(Window);
    if (DC) {
      TCanvas Canvas;
      TCanvasBinding Bound(Canvas, DC);
      Fn(Canvas);
    }
  }

  LRESULT BoxProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
    switch (Msg) {
      case WM_PAINT:
        PaintWith(Window, [this](TCanvas& Canvas) {
          if (FIcon == miError)
            DrawErrorIcon(Canvas, FLayout.Icon.Left, FLayout.Icon.Top, IconFactor(FScale));
        });
        return 0;
      case WM_SETFOCUS:
        if (IsWindow(FButton)) SetFocus(FButton);
        return 0;
      case WM_CLOSE:
        Close();
        return 0;
      case WM_DESTROY:
        // Destroyed from outside: the box ends without an answer.
        if (!FClosing) Finish();
        return 0;
      default:
        return DefWindowProc(Window, Msg, WParam, LParam);
    }
  }

  LRESULT StaticProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
    if (Msg != WM_PAINT) return DefWindowProc(Window, Msg, WParam, LParam);
    PaintWith(Window, [this](TCanvas& Canvas) {
      // Wrapped at the width the layout measured with, so the lines are the
      // same; none is wider than the window.
      TRect R{0, 0, FScale.Apply(kMaxTextWidth), FLayout.Text.Height()};
      ScaleFont(Canvas);
      Canvas.Brush()->SetStyle(bsClear);
      Canvas.Font()->SetColor(clWindowText);
      Canvas.DrawText(FText, R, DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    });
    return 0;
  }

  LRESULT ButtonProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
    const TRect Client{0, 0, FLayout.Button.Width(), FLayout.Button.Height()};
    switch (Msg) {
      case WM_PAINT:
        PaintWith(Window, [&](TCanvas& Canvas) {
          ScaleFont(Canvas);
          DrawPushButton(Canvas, Client, "OK", FPushed, GetFocus() == Window, true);
        });
        return 0;
      case WM_SETFOCUS:
      case WM_KILLFOCUS:
        if (Msg == WM_KILLFOCUS) SetPushed(false);
        InvalidateRect(Window, nullptr, false);
        return 0;
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
        SetFocus(Window);
        SetCapture(Window);
        FTracking = GetCapture() == Window;
        SetPushed(FTracking);
        return 0;
      case WM_MOUSEMOVE:
        if (FTracking) {
          const TPoint P = PointFromLParam(LParam);
          SetPushed(Client.Contains(P.X, P.Y));
        }
        return 0;
      case WM_LBUTTONUP: {
        if (!FTracking) return 0;
        const TPoint P = PointFromLParam(LParam);
        FTracking = false;
        SetPushed(false);
        ReleaseCapture();
        if (Client.Contains(P.X, P.Y)) Close();
        return 0;
      }
      case WM_CAPTURECHANGED:
        if (FTracking && reinterpret_cast<HWND>(LParam) != Window) {
          FTracking = false;
          SetPushed(false);
        }
        return 0;
      case WM_KEYDOWN:
        // Space pushes the button; releasing it clicks, as a button does.
        if (WParam == WPARAM(VK_SPACE) && !FTracking) SetPushed(true);
        return 0;
      case WM_KEYUP:
        if (WParam == WPARAM(VK_SPACE) && FPushed && !FTracking) {
          SetPushed(false);
          Close();
        }
        return 0;
      default:
        return DefWindowProc(Window, Msg, WParam, LParam);
    }
  }

  std::string FText, FCaption;
  TMsgBoxIcon FIcon;
  TScale FScale = TScale::FromDesign(GetScreenPixelsPerInch());
  TMessageBoxLayout FLayout;
  HWND FBox = nullptr, FStatic = nullptr, FButton = nullptr;
  bool FDone = false, FClosing = false, FPushed = false, FTracking = false;
  int FResult = 0;
};

}  // namespace

int MessageBoxPos(HWND Owner, const std::string& Text, const std::string& Caption, TMsgBoxIcon Icon,
                  int X, int Y) {
  TMessageBox Box(Text, Caption, Icon);
  return Box.Run(Owner, X, Y);
}
