#include "framework/forms/HintWindow.h"
#include "framework/graphics/CanvasBinding.h"
#include "platform/gdi/SysColors.h"
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

// The hint is made at run time, not from a layout: its font and padding
// take the program's scale as it shows.
void THintWindow::SelectFont(TCanvas& Canvas) const {
  Canvas.SetFont(FFont.get());
  Canvas.Font()->SetHeight(ScaleNow().Apply(FFont->Height()));
}

TScale THintWindow::ScaleNow() { return TScale::FromDesign(GetScreenPixelsPerInch()); }

TRect THintWindow::CalcHintRect(const std::string& Text) const {
  const TScale S = ScaleNow();
  TRect R{0, 0, S.Apply(kMaxTextWidth), 0};
  TWindowDC DC(nullptr);
  if (DC) {
    TCanvas Canvas;
    TCanvasBinding Bound(Canvas, DC);
    SelectFont(Canvas);
    Canvas.DrawText(Text, R, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  }
  const int Line = S.Stroke(1);
  return TRect{0, 0, R.Width() + 2 * Line + S.Apply(kPadLeft) + S.Apply(kPadRight),
               R.Height() + 2 * Line + S.Apply(kPadTop) + S.Apply(kPadBottom)};
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
        const TScale S = ScaleNow();
        const int Line = S.Stroke(1);
        Canvas.Brush()->SetColor(clWindowFrame);
        Canvas.FillRect(R);
        Canvas.Brush()->SetColor(FColor);
        Canvas.FillRect(TRect{R.Left + Line, R.Top + Line, R.Right - Line, R.Bottom - Line});
        Canvas.Brush()->SetStyle(bsClear);
        SelectFont(Canvas);
        // Wrapped at the width the size was measured with, so the lines match.
        TRect Text{Line + S.Apply(kPadLeft), Line + S.Apply(kPadTop),
                   Line + S.Apply(kPadLeft) + S.Apply(kMaxTextWidth),
                   R.Bottom - Line - S.Apply(kPadBottom)};
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
