// The native windows of the Windows backend: the class, creating, styling,
// moving, showing, stacking, and presenting the window system's frames.

#include <algorithm>

#include "platform/backends/win32/Win32NativeState.h"

namespace win32native {
namespace {

constexpr const wchar_t* kClassName = L"ScoutlaneWindow";
constexpr const wchar_t* kHelperClassName = L"ScoutlaneHelper";

// A window without caption is a pop-up (a list, a menu, a hint). As on
// X11, it never takes the focus, whether or not the window system marked it
// as never activated: a list that activated itself would take the focus
// from the window it belongs to and close at once.
bool IsPopUp(const TWindowLook& Look) { return !Look.Decorated; }

DWORD StyleOf(const TWindowLook& Look) {
  if (IsPopUp(Look)) return WS_POPUP | WS_CLIPSIBLINGS;
  DWORD Style = WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS;
  if (Look.Resizable) Style |= WS_THICKFRAME;
  if (!Look.ToolWindow) Style |= WS_MINIMIZEBOX;
  return Style;
}

DWORD ExStyleOf(const TWindowLook& Look) {
  DWORD ExStyle = 0;
  // Pop-ups stay off the task bar like tool windows.
  if (Look.ToolWindow || IsPopUp(Look)) ExStyle |= WS_EX_TOOLWINDOW;
  if (Look.NoActivate || IsPopUp(Look)) ExStyle |= WS_EX_NOACTIVATE;
  if (Look.Topmost) ExStyle |= WS_EX_TOPMOST;
  return ExStyle;
}

// The window rectangle whose client area is Client, at Dpi pixels per inch.
RECT WindowRectFor(const TWindowLook& Look, const TBox& Client, unsigned Dpi) {
  RECT R{Client.Left, Client.Top, Client.Right, Client.Bottom};
  AddFrame(R, StyleOf(Look), ExStyleOf(Look), Dpi);
  return R;
}

HICON LoadProgramIcon(int Size) {
  // The program's icon resource, when the executable has one.
  return static_cast<HICON>(
      LoadImageW(State().Instance, L"MAINICON", IMAGE_ICON, Size, Size, LR_DEFAULTCOLOR));
}

LRESULT CALLBACK HelperProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam) {
  return DefWindowProcW(Window, Message, WParam, LParam);
}

void DrawFromFrame(HDC Dc, const TWindowData& D, const TBox& Box) {
  const int Left = std::max(Box.Left, 0), Top = std::max(Box.Top, 0);
  const int Right = std::min(Box.Right, D.FrameWidth), Bottom = std::min(Box.Bottom, D.FrameHeight);
  if (Right <= Left || Bottom <= Top) return;
  // The rows of the box are described as a DIB of their own, so that no
  // top-down or bottom-up source origin rule can pick the wrong rows.
  BITMAPINFO Info{};
  Info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  Info.bmiHeader.biWidth = D.FrameWidth;
  Info.bmiHeader.biHeight = -(Bottom - Top);
  Info.bmiHeader.biPlanes = 1;
  Info.bmiHeader.biBitCount = 32;
  Info.bmiHeader.biCompression = BI_RGB;
  const std::uint32_t* Rows = D.Frame.data() + std::size_t(Top) * D.FrameWidth;
  SetDIBitsToDevice(Dc, Left, Top, DWORD(Right - Left), DWORD(Bottom - Top), Left, 0, 0,
                    UINT(Bottom - Top), Rows, &Info, DIB_RGB_COLORS);
}

}  // namespace

TState& State() {
  static TState S;
  return S;
}

TWindowData* DataOf(HWND Window) {
  if (!Window) return nullptr;
  wchar_t Name[32];
  if (!GetClassNameW(Window, Name, 32) || lstrcmpW(Name, kClassName) != 0) return nullptr;
  return reinterpret_cast<TWindowData*>(GetWindowLongPtrW(Window, GWLP_USERDATA));
}

void Emit(TRawEvent&& Event) {
  if (State().Sink) State().Sink(std::move(Event));
}

bool Start(TEventSink Sink) {
  TState& S = State();
  S.Sink = std::move(Sink);
  S.Instance = GetModuleHandleW(nullptr);
  if (!S.WindowClass) {
    WNDCLASSEXW Class{};
    Class.cbSize = sizeof Class;
    // No CS_DBLCLKS: the window system makes double clicks itself. No
    // redraw styles and no background brush: every pixel comes from the
    // frame, and an erase before it would flicker.
    Class.style = 0;
    Class.lpfnWndProc = WindowProc;
    Class.hInstance = S.Instance;
    Class.hCursor = nullptr;
    Class.hIcon = LoadProgramIcon(GetSystemMetrics(SM_CXICON));
    Class.hIconSm = LoadProgramIcon(GetSystemMetrics(SM_CXSMICON));
    if (!Class.hIcon) Class.hIcon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));  // IDI_APPLICATION
    Class.lpszClassName = kClassName;
    S.WindowClass = RegisterClassExW(&Class);
    if (!S.WindowClass) return false;
    WNDCLASSEXW Helper{};
    Helper.cbSize = sizeof Helper;
    Helper.lpfnWndProc = HelperProc;
    Helper.hInstance = S.Instance;
    Helper.lpszClassName = kHelperClassName;
    RegisterClassExW(&Helper);
  }
  if (!S.Helper)
    S.Helper = CreateWindowExW(0, kHelperClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               S.Instance, nullptr);
  return true;
}

void Stop() {
  TState& S = State();
  if (S.OutsideHook) UnhookWindowsHookEx(S.OutsideHook);
  S.OutsideHook = nullptr;
  S.CaptureWindow = nullptr;
  if (S.Helper) DestroyWindow(S.Helper);
  S.Helper = nullptr;
  S.Sink = nullptr;
}

THandle CreateTopLevel(const TWindowLook& Look) {
  auto* D = new TWindowData;
  D->Look = Look;
  D->Cursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  // The frame of the monitor the window will be on.
  const RECT R = WindowRectFor(Look, Look.Client, DpiAt(Look.Client));
  State().Creating = D;
  HWND Window = CreateWindowExW(ExStyleOf(Look), kClassName, Wide(Look.Title), StyleOf(Look),
                                R.left, R.top, R.right - R.left, R.bottom - R.top,
                                AsHwnd(Look.Owner), nullptr, State().Instance, D);
  // Still set when the window procedure never destroyed the data.
  if (!Window) delete State().Creating;
  State().Creating = nullptr;
  return Window;
}

void DestroyTopLevel(THandle Window) {
  if (DataOf(AsHwnd(Window))) DestroyWindow(AsHwnd(Window));
}

void ApplyLook(THandle Handle, const TWindowLook& Look) {
  HWND Window = AsHwnd(Handle);
  TWindowData* D = DataOf(Window);
  if (!D) return;
  const TWindowLook Old = D->Look;
  D->Look = Look;
  if (Old.Title != Look.Title) SetWindowTextW(Window, Wide(Look.Title));
  if (Old.Owner != Look.Owner)
    SetWindowLongPtrW(Window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(Look.Owner));
  const bool FrameChanged = StyleOf(Old) != StyleOf(Look) ||
                            (ExStyleOf(Old) & ~WS_EX_TOPMOST) != (ExStyleOf(Look) & ~WS_EX_TOPMOST);
  if (FrameChanged) {
    const DWORD Visible = GetWindowLongW(Window, GWL_STYLE) & WS_VISIBLE;
    SetWindowLongW(Window, GWL_STYLE, LONG(StyleOf(Look) | Visible));
    const DWORD Topmost = GetWindowLongW(Window, GWL_EXSTYLE) & WS_EX_TOPMOST;
    SetWindowLongW(Window, GWL_EXSTYLE, LONG((ExStyleOf(Look) & ~WS_EX_TOPMOST) | Topmost));
  }
  // Always on top is a place in the stacking order, not a style bit to set.
  if (Old.Topmost != Look.Topmost)
    SetWindowPos(Window, Look.Topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  const RECT R = WindowRectFor(Look, Look.Client, WindowDpi(Window));
  SetWindowPos(
      Window, nullptr, R.left, R.top, R.right - R.left, R.bottom - R.top,
      SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER | (FrameChanged ? SWP_FRAMECHANGED : 0));
}

void SetClientBounds(THandle Handle, const TBox& Client) {
  HWND Window = AsHwnd(Handle);
  TWindowData* D = DataOf(Window);
  if (!D) return;
  // Noted first: the move reports itself while SetWindowPos runs, and a
  // move of ours is no move by the user.
  D->Look.Client = Client;
  const RECT R = WindowRectFor(D->Look, Client, WindowDpi(Window));
  SetWindowPos(Window, nullptr, R.left, R.top, R.right - R.left, R.bottom - R.top,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void ShowTopLevel(THandle Handle, bool Show) {
  HWND Window = AsHwnd(Handle);
  if (!DataOf(Window)) return;
  // Showing never activates: the window system asks for that on its own.
  ShowWindow(Window, Show ? SW_SHOWNA : SW_HIDE);
}

void ActivateTopLevel(THandle Handle) {
  HWND Window = AsHwnd(Handle);
  TWindowData* D = DataOf(Window);
  if (!D || D->Look.NoActivate || IsPopUp(D->Look)) return;
  SetForegroundWindow(Window);
  SetActiveWindow(Window);
  SetFocus(Window);
}

void Restack(const std::vector<THandle>& TopToBottom) {
  std::vector<HWND> Shown;
  for (THandle H : TopToBottom)
    if (DataOf(AsHwnd(H)) && IsWindowVisible(AsHwnd(H))) Shown.push_back(AsHwnd(H));
  if (Shown.empty()) return;
  // A window above a topmost one in the window system's order must be
  // topmost too, or Windows would keep it below: topmost windows form a
  // band of their own above all others.
  std::vector<bool> InTopBand(Shown.size(), false);
  bool Below = false;
  for (std::size_t I = Shown.size(); I-- > 0;) {
    Below = Below || DataOf(Shown[I])->Look.Topmost;
    InTopBand[I] = Below;
  }
  constexpr UINT Flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
  for (std::size_t I = 0; I < Shown.size(); ++I) {
    const bool Topmost = (GetWindowLongW(Shown[I], GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    if (Topmost != InTopBand[I])
      SetWindowPos(Shown[I], InTopBand[I] ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, Flags);
  }
  // Pop-ups float over every other window of their band, as override-
  // redirect windows do on X11; the lowest is raised first.
  for (std::size_t I = Shown.size(); I-- > 0;)
    if (IsPopUp(DataOf(Shown[I])->Look))
      SetWindowPos(Shown[I], InTopBand[I] ? HWND_TOPMOST : HWND_TOP, 0, 0, 0, 0, Flags);
  // Then each goes right below the one above it in the same band; the
  // first of a band keeps its place among other programs' windows.
  for (std::size_t I = 1; I < Shown.size(); ++I)
    if (InTopBand[I] == InTopBand[I - 1]) SetWindowPos(Shown[I], Shown[I - 1], 0, 0, 0, 0, Flags);
}

bool Present(THandle Handle, const std::uint32_t* Pixels, int Width, int Height,
             const std::vector<TBox>& Dirty) {
  HWND Window = AsHwnd(Handle);
  TWindowData* D = DataOf(Window);
  if (!D || Width <= 0 || Height <= 0) return false;
  std::vector<TBox> Boxes = Dirty;
  if (D->FrameWidth != Width || D->FrameHeight != Height) {
    // A new size: the whole frame is new.
    D->FrameWidth = Width;
    D->FrameHeight = Height;
    D->Frame.assign(Pixels, Pixels + std::size_t(Width) * Height);
    Boxes.assign(1, TBox{0, 0, Width, Height});
  } else {
    for (const TBox& B : Boxes) {
      const int Left = std::max(B.Left, 0), Right = std::min(B.Right, Width);
      if (Right <= Left) continue;
      for (int Y = std::max(B.Top, 0); Y < std::min(B.Bottom, Height); ++Y)
        std::copy(Pixels + std::size_t(Y) * Width + Left, Pixels + std::size_t(Y) * Width + Right,
                  D->Frame.begin() + std::ptrdiff_t(std::size_t(Y) * Width + Left));
    }
  }
  if (!IsWindowVisible(Window)) return false;
  HDC Dc = GetDC(Window);
  if (!Dc) return false;
  for (const TBox& B : Boxes) DrawFromFrame(Dc, *D, B);
  ReleaseDC(Window, Dc);
  // What was just drawn needs no WM_PAINT any more.
  for (const TBox& B : Boxes) {
    RECT R{B.Left, B.Top, B.Right, B.Bottom};
    ValidateRect(Window, &R);
  }
  return true;
}

// Paints from the last frame; what it does not cover is asked of the
// window system.
void PaintWindow(HWND Window, TWindowData& D) {
  PAINTSTRUCT Paint;
  HDC Dc = BeginPaint(Window, &Paint);
  const TBox Asked{Paint.rcPaint.left, Paint.rcPaint.top, Paint.rcPaint.right,
                   Paint.rcPaint.bottom};
  RECT Client;
  GetClientRect(Window, &Client);
  const bool Covered = D.FrameWidth >= Client.right && D.FrameHeight >= Client.bottom &&
                       D.FrameWidth > 0 && D.FrameHeight > 0;
  if (Dc && D.FrameWidth > 0) DrawFromFrame(Dc, D, Asked);
  EndPaint(Window, &Paint);
  if (!Covered && !Asked.IsEmpty()) {
    TRawEvent E;
    E.Kind = rkExpose;
    E.Window = Window;
    E.Box = Asked;
    Emit(std::move(E));
  }
}

void SetCursorId(THandle Handle, int CursorId) {
  HWND Window = AsHwnd(Handle);
  TWindowData* D = DataOf(Window);
  if (!D) return;
  D->Cursor = CursorId ? LoadCursorW(nullptr, MAKEINTRESOURCEW(CursorId)) : nullptr;
  POINT P;
  if (GetCursorPos(&P) && (WindowFromPoint(P) == Window || GetCapture() == Window))
    ::SetCursor(D->Cursor);
}

void WarpPointer(int X, int Y) { SetCursorPos(X, Y); }

bool QueryPointer(int& X, int& Y) {
  POINT P;
  if (!GetCursorPos(&P)) return false;
  X = P.x;
  Y = P.y;
  return true;
}

// Windows gives the capture only the presses made over the program's own
// windows (or dragged from there); a press on the task bar or another
// program must still reach an open menu or list, as it does on X11 through
// the pointer grab. The hook sees it on its way and reports it to the
// capture too; the press still goes where it was made.
LRESULT CALLBACK OutsidePressHook(int Code, WPARAM WParam, LPARAM LParam) {
  TState& S = State();
  if (Code == HC_ACTION && S.CaptureWindow) {
    const auto* Mouse = reinterpret_cast<const MSLLHOOKSTRUCT*>(LParam);
    int Button = -1;
    bool Press = false;
    switch (WParam) {
      case WM_LBUTTONDOWN:
        Press = true;
        [[fallthrough]];
      case WM_LBUTTONUP:
        Button = 0;
        break;
      case WM_RBUTTONDOWN:
        Press = true;
        [[fallthrough]];
      case WM_RBUTTONUP:
        Button = 1;
        break;
      case WM_MBUTTONDOWN:
        Press = true;
        [[fallthrough]];
      case WM_MBUTTONUP:
        Button = 2;
        break;
      default:
        break;
    }
    if (Button >= 0 && !DataOf(GetAncestor(WindowFromPoint(Mouse->pt), GA_ROOT))) {
      TRawEvent E;
      E.Kind = Press ? rkPress : rkRelease;
      E.Window = S.CaptureWindow;
      E.X = Mouse->pt.x;
      E.Y = Mouse->pt.y;
      E.Button = Button;
      Emit(std::move(E));
    }
  }
  return CallNextHookEx(nullptr, Code, WParam, LParam);
}

void SetCapture(THandle Handle) {
  TState& S = State();
  HWND Window = AsHwnd(Handle);
  if (Window && DataOf(Window)) {
    if (GetCapture() != Window) ::SetCapture(Window);
    S.CaptureWindow = Window;
    if (!S.OutsideHook)
      S.OutsideHook = SetWindowsHookExW(WH_MOUSE_LL, OutsidePressHook, S.Instance, 0);
    return;
  }
  S.CaptureWindow = nullptr;
  if (S.OutsideHook) UnhookWindowsHookEx(S.OutsideHook);
  S.OutsideHook = nullptr;
  if (DataOf(GetCapture())) ReleaseCapture();
}

int ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
int ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }
std::uint64_t TickMs() { return GetTickCount64(); }

}  // namespace win32native
