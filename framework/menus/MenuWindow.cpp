#include "framework/menus/MenuWindow.h"

#include <algorithm>

#include "framework/forms/ModalLoop.h"
#include "framework/forms/OutsidePress.h"
#include "framework/graphics/CanvasBinding.h"
#include "platform/gdi/SysColors.h"
#include "platform/shell/Beep.h"
#include "platform/text/Cp932.h"
#include "platform/window/MouseMessages.h"
#include "platform/window/PaintDC.h"
#include "platform/window/WindowDC.h"

namespace {

class TMenuTracker {
public:
  TMenuTracker(const std::vector<TMenuRow>& Rows, const TFont& Font)
      : FRows(Rows),
        FOutside([this](HWND, const TPoint& Screen) { return Inside(Screen); },
                 [this] { Cancel(); }, pmSwallow) {
    FFont.Assign(&Font);
    // Menus are made at run time, not from a layout: they take the
    // program's scale as they open.
    FScale = TScale::FromDesign(GetScreenPixelsPerInch());
    FFont.SetHeight(FScale.Apply(FFont.Height()));
  }
  // Also when an error escapes the loop: the menu never stays on the screen
  // holding the mouse.
  ~TMenuTracker() { Close(); }

  int Run(int X, int Y, HWND Owner) {
    if (FRows.empty() || !Measure()) return -1;
    const TPoint At = MenuPosition(X, Y, FLayout.Width, FLayout.Height,
                                   GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    if (Owner) Owner = GetAncestor(Owner, GA_ROOT);
    WNDCLASS Class;
    Class.lpszClassName = "TMenuWindow";
    Class.hbrBackground = clMenu;
    Class.hCursor = LoadCursor(nullptr, IDC_ARROW);
    FWindow = CreateWindowEx(
        WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, Class, "", WS_POPUP, At.X, At.Y,
        FLayout.Width, FLayout.Height, Owner,
        [this](HWND W, UINT M, WPARAM WP, LPARAM LP) { return WindowProc(W, M, WP, LP); });
    if (!FWindow) return -1;
    ShowWindow(FWindow, SW_SHOWNA);
    UpdateWindow(FWindow);
    SetCapture(FWindow);
    FCapturing = GetCapture() == FWindow;
    if (!FCapturing) FDone = true;
    // The menu holds the capture, so every press comes here first; one off
    // the menu cancels it and goes no further.
    FOutside.Install();

    RunModalLoop(
        Owner, FWindow, kIdleMenu, [this] { return FDone; },
        [this](MSG& Msg) { return FilterMessage(Msg); });

    Close();
    return FChosen;
  }

private:
  void Close() {
    FOutside.Remove();
    if (!FWindow) return;
    FCapturing = false;
    FClosing = true;
    if (GetCapture() == FWindow) ReleaseCapture();
    if (IsWindow(FWindow)) DestroyWindow(FWindow);
    FWindow = nullptr;
  }

  bool Measure() {
    TWindowDC DC(nullptr);
    if (!DC) return false;
    TCanvas Canvas;
    TCanvasBinding Bound(Canvas, DC);
    Canvas.SetFont(&FFont);
    FLayout = MeasureMenu(Canvas, FRows, FScale);
    return true;
  }

  bool Selectable(int Row) const {
    return Row >= 0 && Row < int(FRows.size()) && !FRows[Row].Separator;
  }

  void Highlight(int Row) {
    if (!Selectable(Row)) Row = -1;
    if (Row == FHighlight) return;
    FHighlight = Row;
    InvalidateRect(FWindow, nullptr, false);
  }

  void Choose(int Row) {
    if (!Selectable(Row) || !FRows[Row].Enabled) return;
    FChosen = Row;
    Finish();
  }

  void Cancel() { Finish(); }

  void Finish() {
    if (FDone) return;
    FDone = true;
    WakeModalLoop();
  }

  // The next row (Step +1 or -1) from Start that is not a separator,
  // wrapping around; -1 when every row is one.
  int NextSelectable(int Start, int Step) const {
    const int N = int(FRows.size());
    int Row = Start;
    for (int I = 0; I < N; ++I) {
      Row = Row < 0 ? (Step > 0 ? 0 : N - 1) : (Row + Step + N) % N;
      if (Selectable(Row)) return Row;
    }
    return -1;
  }

  void AccessKey(unsigned char Char) {
    if (FLeadByte) {  // the second half of a double-byte character
      FLeadByte = false;
      MessageBeep(MB_OK);
      return;
    }
    if (cp932::IsLeadByte(Char)) {
      FLeadByte = true;
      return;
    }
    const char Key = (Char >= 'a' && Char <= 'z') ? char(Char - 'a' + 'A') : char(Char);
    std::vector<int> Matches;
    for (int I = 0; I < int(FRows.size()); ++I)
      if (Selectable(I) && Key != 0 && AccessKeyOf(FRows[I].Caption) == Key) Matches.push_back(I);
    if (Matches.empty()) {
      MessageBeep(MB_OK);
      return;
    }
    if (Matches.size() == 1) {
      Highlight(Matches.front());
      Choose(Matches.front());
      return;
    }
    auto Next = std::upper_bound(Matches.begin(), Matches.end(), FHighlight);
    Highlight(Next != Matches.end() ? *Next : Matches.front());
  }

  bool FilterMessage(MSG& Msg) {
    switch (Msg.message) {
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
        switch (int(Msg.wParam)) {
          case VK_UP:
            Highlight(NextSelectable(FHighlight, -1));
            break;
          case VK_DOWN:
            Highlight(NextSelectable(FHighlight, +1));
            break;
          case VK_HOME:
            Highlight(NextSelectable(-1, +1));
            break;
          case VK_END:
            Highlight(NextSelectable(-1, -1));
            break;
          case VK_RETURN:
            Choose(FHighlight);
            break;
          case VK_ESCAPE:
            Cancel();
            break;
          default:
            // Alt + letter becomes WM_SYSCHAR, which chooses below.
            TranslateMessage(Msg);
            break;
        }
        return true;
      case WM_CHAR:
      case WM_SYSCHAR:
        AccessKey(static_cast<unsigned char>(Msg.wParam));
        return true;
      case WM_KEYUP:
      case WM_SYSKEYUP:
      case WM_DEADCHAR:
      case WM_MOUSEWHEEL:
      case WM_MOUSEHWHEEL:
        return true;
      default:
        return false;
    }
  }

  LRESULT WindowProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
    switch (Msg) {
      case WM_PAINT: {
        TPaintDC DC(Window);
        if (DC) {
          TCanvas Canvas;
          TCanvasBinding Bound(Canvas, DC);
          Canvas.SetFont(&FFont);
          DrawMenu(Canvas, FLayout, FRows, FHighlight);
        }
        return 0;
      }
      case WM_ERASEBKGND:
        return 1;  // the paint covers everything
      case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
      case WM_MOUSEMOVE:
        Highlight(MenuRowAt(FLayout, PointFromLParam(LParam)));
        return 0;
      case WM_LBUTTONUP:
      case WM_RBUTTONUP: {
        const int Row = MenuRowAt(FLayout, PointFromLParam(LParam));
        Highlight(Row);
        Choose(Row);
        return 0;
      }
      case WM_CAPTURECHANGED:
        if (FCapturing && reinterpret_cast<HWND>(LParam) != Window) Cancel();
        return 0;
      case WM_CANCELMODE:
        Cancel();
        return 0;
      case WM_DESTROY:
        // Gone with its owner while it was up: nothing is chosen.
        if (Window == FWindow && !FClosing) Cancel();
        return 0;
      default:
        // Presses on the menu choose nothing until their release.
        if (IsClientButtonPress(Msg)) return 0;
        return DefWindowProc(Window, Msg, WParam, LParam);
    }
  }

  bool Inside(const TPoint& Screen) const {
    TRect R;
    return FWindow && GetWindowRect(FWindow, R) && R.Contains(Screen);
  }

  const std::vector<TMenuRow>& FRows;
  TOutsidePress FOutside;
  TFont FFont;
  TScale FScale;
  TMenuLayout FLayout;
  HWND FWindow = nullptr;
  int FHighlight = -1;
  int FChosen = -1;
  bool FDone = false;
  bool FCapturing = false;
  bool FLeadByte = false;
  bool FClosing = false;
};

}  // namespace

TPoint MenuPosition(int X, int Y, int Width, int Height, int ScreenWidth, int ScreenHeight) {
  // As TrackPopupMenu does: a menu that does not fit right of (below) the
  // point opens to its left (above it).
  if (X + Width > ScreenWidth) X -= Width;
  if (Y + Height > ScreenHeight) Y -= Height;
  return TPoint{std::max(0, X), std::max(0, Y)};
}

int TrackMenu(const std::vector<TMenuRow>& Rows, int X, int Y, HWND Owner, const TFont& Font) {
  TMenuTracker Tracker(Rows, Font);
  return Tracker.Run(X, Y, Owner);
}
