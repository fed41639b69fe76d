#include "framework/forms/HintWindow.h"
#include "framework/graphics/CanvasBinding.h"
#include "platform/window/PaintDC.h"
#include "platform/window/WindowDC.h"

#include <algorithm>

using namespace hintlook;

THintWindow::THintWindow(TComponent* AOwner)
    : TComponent(AOwner), FFont(std::make_unique<TFont>()) {
  FFont->SetColor(clInfoText);
}

THintWindow::~THintWindow() {
  if (FInstalledIn) FInstalledIn->SetHintPresenter(nullptr);
  if (FHandle && IsWindow(FHandle)) DestroyWindow(FHandle);
}

void THintWindow::Install(TApplication& App) {
  App.SetHintPresenter(this);
  FInstalledIn = &App;
}

THintWindow* InstallHintWindow(TApplication& App) {
  auto* Window = new THintWindow(&App);
  Window->Install(App);
  return Window;
}

bool THintWindow::Showing() const { return FHandle && IsWindowVisible(FHandle); }

TRect THintWindow::CalcHintRect(const std::string& Text) const {
  TRect R{0, 0, kMaxTextWidth, 0};
  TWindowDC DC(nullptr);
  if (DC) {
    TCanvas Canvas;
    TCanvasBinding Bound(Canvas, DC);
    Canvas.SetFont(FFont.get());
    Canvas.DrawText(Text, R, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  }
  return TRect{0, 0, R.Width() + 2 + kPadLeft + kPadRight, R.Height() + 2 + kPadTop + kPadBottom};
}

void THintWindow::CreateHandle() {
  if (FHandle && IsWindow(FHandle)) return;
  WNDCLASS Class;
  Class.lpszClassName = "THintWindow";
  Class.hbrBackground = clNone;  // the paint covers every pixel
  Class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  FHandle = CreateWindowEx(
      WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, Class, "", WS_POPUP, 0, 0, 1, 1, nullptr,
      [this](HWND W, UINT M, WPARAM WP, LPARAM LP) { return WindowProc(W, M, WP, LP); });
}

void THintWindow::ActivateHint(const TPoint& ScreenPos, const std::string& Text, TColor Color) {
  if (Text.empty()) {
    HideHint();
    return;
  }
  CreateHandle();
  if (!FHandle) return;
  FText = Text;
  FColor = Color;
  const TRect Size = CalcHintRect(Text);
  const int SW = GetSystemMetrics(SM_CXSCREEN), SH = GetSystemMetrics(SM_CYSCREEN);
  const int X = std::max(0, std::min(ScreenPos.X, SW - Size.Width()));
  const int Y = std::max(0, std::min(ScreenPos.Y, SH - Size.Height()));
  SetWindowText(FHandle, Text);
  SetWindowPos(FHandle, HWND_TOPMOST, X, Y, Size.Width(), Size.Height(),
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(FHandle, nullptr, false);
  UpdateWindow(FHandle);
}

void THintWindow::ShowHint(const THintInfo& Info) {
  ActivateHint(Info.HintPos, Info.HintStr, Info.HintColor);
}

void THintWindow::HideHint() {
  if (FHandle && IsWindow(FHandle)) ShowWindow(FHandle, SW_HIDE);
}

LRESULT THintWindow::WindowProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
  switch (Msg) {
    case WM_PAINT: {
      TPaintDC DC(Window);
      if (DC) {
        TRect R;
        GetClientRect(Window, R);
        TCanvas Canvas;
        TCanvasBinding Bound(Canvas, DC);
        Canvas.Brush()->SetColor(clWindowFrame);
        Canvas.FrameRect(R);
        Canvas.Brush()->SetColor(FColor);
        Canvas.FillRect(TRect{R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1});
        Canvas.Brush()->SetStyle(bsClear);
        Canvas.SetFont(FFont.get());
        // Wrapped at the width the size was measured with, so the lines match.
        TRect Text{1 + kPadLeft, 1 + kPadTop, 1 + kPadLeft + kMaxTextWidth,
                   R.Bottom - 1 - kPadBottom};
        Canvas.DrawText(FText, Text, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
      }
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_NCHITTEST:
      // The pointer goes through to whatever lies below.
      return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_NCDESTROY:
      if (Window == FHandle) FHandle = nullptr;
      return DefWindowProc(Window, Msg, WParam, LParam);
    default:
      return DefWindowProc(Window, Msg, WParam, LParam);
  }
}
