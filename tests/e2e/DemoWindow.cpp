// A small program on the window layer and the real backend, for the
// end-to-end tests: the search bar's window shape (a 500 by 35 tool window
// at 20, 20, always on top) painted with a known pattern, a pop-up that
// opens on a right click and closes on a press anywhere else, and a log on
// standard output of what reached it, one line per event:
//
//   window <id>          the native window, once it is shown
//   click <x> <y>        left button down in the main window (client coords)
//   popup <id>           the pop-up is shown (native window id)
//   popup-click <x> <y>  left button down in the pop-up
//   popup-closed         a press outside closed the pop-up (that press is eaten)
//   key <vk> [repeat]    WM_KEYDOWN, virtual key in hex; "repeat" when auto-repeated
//   char <byte>          WM_CHAR, the code page 932 byte in hex
//   topmost <0|1>        F2 switched always-on-top
//   copied               F3 put "検索" on the clipboard
//   paste <hex bytes>    F6 read the clipboard (code page 932 bytes)
//   hint <id>            F8 showed a hint window (a plain pop-up shown without
//                        activation, as tooltips are) at 300,100, 80x20
//   hint-hidden          F8 hid it again
//   moved <x> <y>        F9 moved the main window to 100,200 and back (the
//                        window rectangle the window system then holds)
//   focus <0|1>          the main window was activated or deactivated
//   wheel <delta>        WM_MOUSEWHEEL
//   tick <n>             the n-th WM_TIMER of a 50 ms timer that runs all along
//
// The pattern: 5 by 5 pixel squares, colour A where (x / 5 + y / 5) is even
// and colour B elsewhere, over the whole client area.

#include <cstdio>
#include <string>

#include "platform/backends/DefaultBackend.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Primitives.h"
#include "platform/shell/Beep.h"
#include "platform/window/WinUser.h"
#include "platform/window/WindowSystem.h"

namespace {

constexpr TColor kColorA = RGB(0x20, 0x60, 0xC0);
constexpr TColor kColorB = RGB(0xF0, 0xB0, 0x10);
constexpr TColor kPopupColor = RGB(0x30, 0xA0, 0x40);
constexpr int kCell = 5;

TWindowSystem* GSystem = nullptr;
HWND GMain = nullptr;
HWND GPopup = nullptr;
HHOOK GHook = nullptr;
HWND GHint = nullptr;
bool GTopmost = true;
int GTicks = 0;

std::string Hex(const std::string& Bytes) {
  std::string Out;
  char Buffer[4];
  for (unsigned char B : Bytes) {
    std::snprintf(Buffer, sizeof(Buffer), "%s%02X", Out.empty() ? "" : " ", B);
    Out += Buffer;
  }
  return Out;
}

void PaintPattern(HWND Window) {
  PAINTSTRUCT Paint;
  HDC DC = BeginPaint(Window, Paint);
  TRect Client;
  GetClientRect(Window, Client);
  for (int Y = 0; Y < Client.Bottom; Y += kCell)
    for (int X = 0; X < Client.Right; X += kCell)
      FillRect(*DC, Bounds(X, Y, kCell, kCell),
               SolidBrush(((X / kCell + Y / kCell) % 2 == 0) ? kColorA : kColorB));
  EndPaint(Window, Paint);
}

void ClosePopup() {
  if (GHook) UnhookWindowsHookEx(GHook);
  GHook = nullptr;
  if (GPopup) DestroyWindow(GPopup);
  GPopup = nullptr;
}

bool IsPress(WPARAM Message) {
  switch (Message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
      return true;
    default:
      return false;
  }
}

LRESULT PopupProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
  switch (Msg) {
    case WM_PAINT: {
      PAINTSTRUCT Paint;
      HDC DC = BeginPaint(Window, Paint);
      TRect Client;
      GetClientRect(Window, Client);
      FillRect(*DC, Client, SolidBrush(kPopupColor));
      EndPaint(Window, Paint);
      return 0;
    }
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_LBUTTONDOWN:
      std::printf("popup-click %d %d\n", GET_X_LPARAM(LParam), GET_Y_LPARAM(LParam));
      return 0;
    default:
      return DefWindowProc(Window, Msg, WParam, LParam);
  }
}

// Opens the pop-up the way the site picker opens its list: made as a child
// of the main window, moved to the desktop, shown topmost without
// activation, with a mouse hook that closes it on a press elsewhere.
void OpenPopup(const TPoint& Screen) {
  if (GPopup) return;
  WNDCLASS Class;
  Class.lpszClassName = "DemoPopup";
  Class.style = CS_SAVEBITS;
  Class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  GPopup = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, Class, "", WS_CHILD | WS_BORDER, 0, 0,
                          120, 80, GMain, PopupProc);
  SetParent(GPopup, nullptr);
  SetWindowPos(GPopup, HWND_TOPMOST, Screen.X, Screen.Y, 0, 0,
               SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  GHook = SetWindowsHookEx(WH_MOUSE, [](int Code, WPARAM Message, LPARAM LParam) -> LRESULT {
    const auto* Info = reinterpret_cast<const MOUSEHOOKSTRUCT*>(LParam);
    TRect Popup;
    if (Code >= 0 && IsPress(Message) && GPopup && GetWindowRect(GPopup, Popup) &&
        !Popup.Contains(Info->pt.X, Info->pt.Y)) {
      ClosePopup();
      std::printf("popup-closed\n");
      return 1;
    }
    return CallNextHookEx(GHook, Code, Message, LParam);
  });
  UpdateWindow(GPopup);
  std::printf("popup %lu\n", static_cast<unsigned long>(GSystem->NativeWindowOf(GPopup)));
}

// A tooltip's way: WS_POPUP without any never-activate mark, shown with
// SW_SHOWNOACTIVATE. It must not take the focus from the main window.
void ToggleHint() {
  if (!GHint) {
    WNDCLASS Class;
    Class.lpszClassName = "DemoHint";
    Class.hbrBackground = kPopupColor;
    GHint = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, Class, "", WS_POPUP | WS_BORDER, 300,
                           100, 80, 20, GMain);
  }
  if (IsWindowVisible(GHint)) {
    ShowWindow(GHint, SW_HIDE);
    std::printf("hint-hidden\n");
    return;
  }
  ShowWindow(GHint, SW_SHOWNOACTIVATE);
  UpdateWindow(GHint);
  std::printf("hint %lu\n", static_cast<unsigned long>(GSystem->NativeWindowOf(GHint)));
}

LRESULT MainProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
  switch (Msg) {
    case WM_PAINT:
      PaintPattern(Window);
      return 0;
    case WM_LBUTTONDOWN:
      std::printf("click %d %d\n", GET_X_LPARAM(LParam), GET_Y_LPARAM(LParam));
      return 0;
    case WM_RBUTTONDOWN: {
      TPoint P = PointFromLParam(LParam);
      ClientToScreen(Window, P);
      OpenPopup(P);
      return 0;
    }
    case WM_ACTIVATE:
      std::printf("focus %d\n", LOWORD(WParam) != WA_INACTIVE ? 1 : 0);
      return DefWindowProc(Window, Msg, WParam, LParam);
    case WM_KEYDOWN:
      // Bit 30 of lParam: the key was already down (auto-repeat).
      std::printf("key %02X%s\n", unsigned(WParam), (LParam & (1 << 30)) ? " repeat" : "");
      switch (WParam) {
        case VK_F2:
          GTopmost = !GTopmost;
          SetWindowPos(Window, GTopmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
          std::printf("topmost %d\n", GTopmost ? 1 : 0);
          break;
        case VK_F3:
          SetClipboardText("検索");
          std::printf("copied\n");
          break;
        case VK_F9: {
          TRect R;
          GetWindowRect(Window, R);
          const bool Away = R.Left == 20;
          SetWindowPos(Window, nullptr, Away ? 100 : 20, Away ? 200 : 20, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
          GetWindowRect(Window, R);
          std::printf("moved %d %d\n", R.Left, R.Top);
          break;
        }
        case VK_F8:
          ToggleHint();
          break;
        case VK_F6:
          std::printf("paste %s\n", Hex(GetClipboardText()).c_str());
          break;
        default:
          break;
      }
      return 0;
    case WM_MOUSEWHEEL:
      std::printf("wheel %d\n", GET_WHEEL_DELTA_WPARAM(WParam));
      return 0;
    case WM_TIMER:
      std::printf("tick %d\n", ++GTicks);
      return 0;
    case WM_CHAR:
      std::printf("char %02X\n", unsigned(WParam) & 0xFF);
      return 0;
    case WM_DESTROY:
      ClosePopup();
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProc(Window, Msg, WParam, LParam);
  }
}

}  // namespace

int main() {
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  std::string Problem;
  std::unique_ptr<TBackend> Backend = CreateDefaultBackend(Problem);
  if (!Backend) {
    std::fprintf(stderr, "scoutlane_e2e_demo: %s\n", Problem.c_str());
    return 1;
  }
  TWindowSystem System(std::move(Backend));
  GSystem = &System;

  WNDCLASS Class;
  Class.lpszClassName = "DemoMain";
  Class.hCursor = LoadCursor(nullptr, IDC_HAND);
  GMain = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, Class, "Scoutlane 検索デモ",
                         WS_CAPTION | WS_SYSMENU, 20, 20, 500, 35, nullptr, MainProc);
  if (!GMain) {
    std::fprintf(stderr, "scoutlane_e2e_demo: the window could not be made\n");
    return 1;
  }
  // A timer that keeps firing while nothing else happens: the loop must
  // wake for it, and sleep in between.
  SetTimer(GMain, 1, 50);
  ShowWindow(GMain, SW_SHOWNORMAL);
  UpdateWindow(GMain);
  std::printf("window %lu\n", static_cast<unsigned long>(System.NativeWindowOf(GMain)));
  const int ExitCode = System.Run();
  std::printf("exit %d\n", ExitCode);
  return ExitCode;
}
