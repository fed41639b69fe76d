#include "framework/ComboBoxList.h"

#include <algorithm>

#include "framework/Canvas.h"
#include "platform/gdi/SysColors.h"

namespace {

bool IsPress(UINT Msg) {
  switch (Msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDBLCLK:
      return true;
    default:
      return false;
  }
}

constexpr int kWheelDelta = 120;
constexpr int kWheelRows = 3;

}  // namespace

int TComboListWindow::Count() const { return FBox.Items()->Count(); }

int TComboListWindow::VisibleRows() const {
  // An empty list still shows one empty row, as Windows does.
  return std::max(1, std::min(Count(), std::max(1, FBox.DropDownCount())));
}

void TComboListWindow::Place() {
  const int ItemHeight = std::max(1, FBox.ItemHeight());
  const int Width = FBox.Width();
  const int Height = VisibleRows() * ItemHeight + 2;  // the frame
  const TPoint Origin = FBox.ClientToScreen(TPoint{0, 0});
  int Y = Origin.Y + FBox.Height();
  // Above the box when the screen ends below it and there is room above.
  if (Y + Height > GetSystemMetrics(SM_CYSCREEN) && Origin.Y - Height >= 0) Y = Origin.Y - Height;
  const int X = std::max(0, std::min(Origin.X, GetSystemMetrics(SM_CXSCREEN) - Width));
  SetWindowPos(FWindow, HWND_TOPMOST, X, Y, Width, Height, SWP_NOACTIVATE);
}

void TComboListWindow::UpdateScrollBar() {
  SCROLLINFO Info;
  Info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  Info.nMin = 0;
  Info.nMax = std::max(0, Count() - 1);
  Info.nPage = UINT(VisibleRows());
  Info.nPos = FTopRow;
  // A bar left with nothing to scroll hides itself.
  SetScrollInfo(FWindow, SB_VERT, Info, true);
}

void TComboListWindow::Show(int Highlight) {
  if (!FWindow) {
    WNDCLASS Class;
    Class.lpszClassName = "TComboListWindow";
    Class.hbrBackground = clNone;
    Class.hCursor = LoadCursor(nullptr, IDC_ARROW);
    const HWND Owner = GetAncestor(FBox.Handle(), GA_ROOT);
    FWindow = CreateWindowEx(
        WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, Class, "",
        WS_POPUP | WS_BORDER | WS_VSCROLL, 0, 0, 0, 0, Owner,
        [this](HWND W, UINT M, WPARAM WP, LPARAM LP) { return WindowProc(W, M, WP, LP); });
    if (!FWindow) return;
  }
  FTopRow = 0;
  FWheelRest = 0;
  FHighlight = Highlight >= 0 && Highlight < Count() ? Highlight : -1;
  Place();
  MakeVisible(FHighlight);
  UpdateScrollBar();
  ShowWindow(FWindow, SW_SHOWNA);
  FVisible = true;
  if (!FHook)
    FHook = SetWindowsHookEx(WH_MOUSE, [this](int Code, WPARAM WParam, LPARAM LParam) {
      return MouseHook(Code, WParam, LParam);
    });
  UpdateWindow(FWindow);
}

void TComboListWindow::Unhook() {
  if (FHook) UnhookWindowsHookEx(FHook);
  FHook = nullptr;
}

void TComboListWindow::Hide() {
  Unhook();
  if (!FVisible) return;
  FVisible = false;
  if (FWindow) ShowWindow(FWindow, SW_HIDE);
}

void TComboListWindow::Destroy() {
  Unhook();
  FVisible = false;
  const HWND Window = FWindow;
  FWindow = nullptr;
  if (Window && IsWindow(Window)) DestroyWindow(Window);
}

void TComboListWindow::ItemsChanged() {
  if (!FWindow || !FVisible) return;
  if (FHighlight >= Count()) FHighlight = -1;
  Place();
  ScrollTo(FTopRow);
  UpdateScrollBar();
  InvalidateRect(FWindow, nullptr, false);
}

int TComboListWindow::RowAt(const TPoint& Client) const {
  if (!FWindow) return -1;
  TRect R;
  GetClientRect(FWindow, R);
  if (!R.Contains(Client.X, Client.Y)) return -1;
  const int Row = FTopRow + Client.Y / std::max(1, FBox.ItemHeight());
  return Row < Count() ? Row : -1;
}

void TComboListWindow::SetHighlight(int Row) {
  if (Row < -1 || Row >= Count()) Row = -1;
  MakeVisible(Row);
  if (Row == FHighlight) return;
  FHighlight = Row;
  if (FWindow) InvalidateRect(FWindow, nullptr, false);
}

void TComboListWindow::ScrollTo(int TopRow) {
  TopRow = std::clamp(TopRow, 0, std::max(0, Count() - VisibleRows()));
  if (TopRow == FTopRow) return;
  FTopRow = TopRow;
  if (!FWindow) return;
  SetScrollPos(FWindow, SB_VERT, FTopRow, true);
  InvalidateRect(FWindow, nullptr, false);
}

void TComboListWindow::Wheel(int Delta) {
  FWheelRest += Delta;
  const int Steps = FWheelRest / kWheelDelta;
  FWheelRest -= Steps * kWheelDelta;
  ScrollTo(FTopRow - Steps * kWheelRows);
}

void TComboListWindow::MakeVisible(int Row) {
  if (Row < 0) return;
  if (Row < FTopRow)
    ScrollTo(Row);
  else if (Row >= FTopRow + VisibleRows())
    ScrollTo(Row - VisibleRows() + 1);
}

void TComboListWindow::Paint(HDC DC) {
  TRect Client;
  GetClientRect(FWindow, Client);
  const int ItemHeight = std::max(1, FBox.ItemHeight());
  TCanvas Canvas;
  Canvas.SetHandle(DC);
  Canvas.SetFont(FBox.Font());
  const int TextHeight = Canvas.TextHeight("Ag");
  for (int Y = 0, Row = FTopRow; Y < Client.Bottom; Y += ItemHeight, ++Row) {
    const TRect R{0, Y, Client.Right, Y + ItemHeight};
    const bool Selected = Row == FHighlight;
    Canvas.Brush()->SetStyle(bsSolid);
    Canvas.Brush()->SetColor(Selected ? clHighlight : FBox.Color());
    Canvas.FillRect(R);
    if (Row >= Count()) continue;
    Canvas.Font()->SetColor(Selected ? clHighlightText : FBox.Font()->Color());
    Canvas.Brush()->SetStyle(bsClear);
    // Two pixels in from the left, centred in the row like a list box's.
    Canvas.TextRect(R, 2, Y + (ItemHeight - TextHeight) / 2, FBox.Items()->Get(Row));
  }
  Canvas.SetHandle(nullptr);
}

LRESULT TComboListWindow::WindowProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
  switch (Msg) {
    case WM_PAINT: {
      PAINTSTRUCT PS;
      HDC DC = BeginPaint(Window, PS);
      if (DC) Paint(DC);
      EndPaint(Window, PS);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // every row paints its whole rectangle
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_MOUSEMOVE: {
      const int Row = RowAt(PointFromLParam(LParam));
      if (Row >= 0) SetHighlight(Row);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      return 0;
    case WM_LBUTTONUP: {
      const int Row = RowAt(PointFromLParam(LParam));
      if (Row >= 0) FBox.ListChose(Row);
      return 0;
    }
    case WM_VSCROLL: {
      const int Page = VisibleRows();
      switch (LOWORD(WParam)) {
        case SB_LINEUP:
          ScrollTo(FTopRow - 1);
          break;
        case SB_LINEDOWN:
          ScrollTo(FTopRow + 1);
          break;
        case SB_PAGEUP:
          ScrollTo(FTopRow - Page);
          break;
        case SB_PAGEDOWN:
          ScrollTo(FTopRow + Page);
          break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
          ScrollTo(std::int16_t(HIWORD(WParam)));
          break;
        case SB_TOP:
          ScrollTo(0);
          break;
        case SB_BOTTOM:
          ScrollTo(Count());
          break;
        default:
          break;
      }
      return 0;
    }
    case WM_DESTROY:
      // Gone with its owner: the box must not use the handle again.
      if (Window == FWindow) {
        Unhook();
        FWindow = nullptr;
        FVisible = false;
      }
      return 0;
    default:
      return DefWindowProc(Window, Msg, WParam, LParam);
  }
}

LRESULT TComboListWindow::MouseHook(int Code, WPARAM WParam, LPARAM LParam) {
  const HHOOK Self = FHook;
  if (Code != HC_ACTION || !FVisible) return CallNextHookEx(Self, Code, WParam, LParam);
  const auto* Info = reinterpret_cast<const MOUSEHOOKSTRUCT*>(LParam);
  const UINT Msg = UINT(WParam);
  if (IsPress(Msg) && Info->hwnd != FWindow && Info->hwnd != FBox.WindowHandle()) {
    // A press elsewhere closes the list; the press itself goes on to where
    // it was aimed. Presses on the box are the box's own business.
    FBox.CloseList(false, true);
    return 0;
  }
  return CallNextHookEx(Self, Code, WParam, LParam);
}
