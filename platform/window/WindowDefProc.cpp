// DefWindowProc: the system's default handling of every message.

#include <algorithm>
#include <cstring>

#include "platform/shell/Beep.h"
#include "platform/text/Cp932.h"
#include "platform/window/MouseMessages.h"
#include "platform/window/WinUser.h"
#include "platform/window/WindowCore.h"

namespace {

TCursorShape CursorForHit(int Hit) {
  switch (Hit) {
    case HTLEFT:
    case HTRIGHT:
      return crsSizeWE;
    case HTTOP:
    case HTBOTTOM:
      return crsSizeNS;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT:
      return crsSizeNWSE;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT:
      return crsSizeNESW;
    default:
      return crsArrow;
  }
}

}  // namespace

LRESULT TWindowCore::DefProc(TWindow* W, UINT Msg, WPARAM WParam, LPARAM LParam) {
  switch (Msg) {
    case WM_NCCREATE:
    case WM_NCACTIVATE:
      return 1;
    case WM_NCCALCSIZE: {
      TRect* R = WParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(LParam)->rgrc[0]
                        : reinterpret_cast<TRect*>(LParam);
      if (R) *R = DefaultClientRect(W, *R);
      return 0;
    }
    case WM_NCHITTEST:
      return DefHitTest(W, PointFromLParam(LParam));
    case WM_NCPAINT:
      DefNcPaint(W);
      return 0;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      DefNcLeftButton(W, Msg, int(WParam), LParam);
      return 0;

    case WM_PAINT: {
      // Nothing to draw: validating is all.
      PAINTSTRUCT Paint;
      if (HDC DC = BeginPaintImpl(W, Paint)) ReleaseDCImpl(DC);
      return 0;
    }
    case WM_ERASEBKGND:
      return DefEraseBackground(W, reinterpret_cast<HDC>(WParam));
    case WM_SETCURSOR:
      return DefSetCursor(W, WParam, LParam);

    case WM_MOUSEACTIVATE:
      if ((W->Style & WS_CHILD) && W->Parent) {
        if (const LRESULT R = Send(W->Parent, WM_MOUSEACTIVATE, WParam, LParam)) return R;
      }
      return MA_ACTIVATE;
    case WM_ACTIVATE:
      if (LOWORD(WParam) != WA_INACTIVE && FActive == W->Handle) RestoreFocus(W);
      return 0;
    case WM_CLOSE:
      DestroyWindowImpl(W);
      return 0;
    case WM_SYSCOMMAND:
      DefSysCommand(W, WParam, LParam);
      return 0;
    case WM_WINDOWPOSCHANGED:
      DefWindowPosChanged(W, reinterpret_cast<const WINDOWPOS*>(LParam));
      return 0;

    case WM_SETTEXT:
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
      return DefText(W, Msg, WParam, LParam);

    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
      if ((W->Style & WS_CHILD) && W->Parent) return Send(W->Parent, Msg, WParam, LParam);
      return 0;
    case WM_CANCELMODE:
      if (FCapture == W->Handle) ReleaseCaptureImpl();
      return 0;
    case WM_SYSKEYDOWN:
      // Alt+F4 asks the top-level window to close.
      if (WParam == VK_F4 && (LParam & (1 << 29))) Send(TopLevelOf(W), WM_SYSCOMMAND, SC_CLOSE, 0);
      return 0;

    default:
      return 0;
  }
}

// A press on the frame: the caption moves the window, a border sizes it, a
// scroll bar scrolls.
void TWindowCore::DefNcLeftButton(TWindow* W, UINT Msg, int Hit, LPARAM LParam) {
  const bool Down = Msg == WM_NCLBUTTONDOWN;
  if (Hit == HTCAPTION && Down)
    Send(W, WM_SYSCOMMAND, SC_MOVE + HTCAPTION, LParam);
  else if (Hit >= HTLEFT && Hit <= HTBOTTOMRIGHT && Down)
    Send(W, WM_SYSCOMMAND, SC_SIZE + (Hit - HTLEFT + WMSZ_LEFT), LParam);
  else if (Hit == HTVSCROLL)
    Send(W, WM_SYSCOMMAND, SC_VSCROLL + HTVSCROLL, LParam);
  else if (Hit == HTHSCROLL)
    Send(W, WM_SYSCOMMAND, SC_HSCROLL + HTHSCROLL, LParam);
}

LRESULT TWindowCore::DefEraseBackground(TWindow* W, HDC DC) {
  if (!DC || W->Class.Background == clNone) return 0;
  const TRect R = DC->ToDevice(TRect{0, 0, W->Client.Width(), W->Client.Height()});
  DC->FillDeviceRect(R, DC->PixelOf(W->Class.Background));
  return 1;
}

LRESULT TWindowCore::DefSetCursor(TWindow* W, WPARAM WParam, LPARAM LParam) {
  const HWND Handle = W->Handle;
  const int Hit = std::int16_t(LOWORD(LParam));
  const UINT Mouse = HIWORD(LParam);
  // The parent has the first say, except over a sizing border, as in
  // Win32.
  if ((W->Style & WS_CHILD) && W->Parent && (Hit < HTLEFT || Hit > HTBOTTOMRIGHT)) {
    if (Send(W->Parent, WM_SETCURSOR, WParam, LParam)) return 1;
    if ((W = Lookup(Handle)) == nullptr) return 0;
  }
  if (Hit == HTERROR) {
    if (IsButtonDown(Mouse)) MessageBeep(MB_OK);
    SetCursor(CursorFromShape(crsArrow));
    return 1;
  }
  if (Hit == HTCLIENT) {
    // The class cursor of the window under the pointer (wParam), so a
    // parent asked first still shows its child's cursor.
    const TWindow* Under = Lookup(reinterpret_cast<HWND>(WParam));
    if (!Under) Under = W;
    if (!Under->Class.Cursor) return 0;
    SetCursor(Under->Class.Cursor);
    return 1;
  }
  SetCursor(CursorFromShape(CursorForHit(Hit)));
  return 1;
}

// Gives the focus back to where it was when the window was left.
void TWindowCore::RestoreFocus(TWindow* W) {
  TWindow* Last = Lookup(W->LastFocus);
  if (Last && Last != W && IsDescendant(W, Last) && IsVisibleDeep(Last))
    SetFocusImpl(Last);
  else
    SetFocusImpl(W);
}

void TWindowCore::DefSysCommand(TWindow* W, WPARAM WParam, LPARAM LParam) {
  switch (WParam & 0xFFF0) {
    case SC_CLOSE:
      Send(W, WM_CLOSE, 0, 0);
      break;
    case SC_SIZE:
    case SC_MOVE:
      SizeMoveLoop(W, UINT(WParam), LParam ? PointFromLParam(LParam) : FCursorPos);
      break;
    case SC_VSCROLL:
      ScrollLoop(W, SB_VERT, PointFromLParam(LParam));
      break;
    case SC_HSCROLL:
      ScrollLoop(W, SB_HORZ, PointFromLParam(LParam));
      break;
    default:
      break;
  }
}

// A size or frame change tells WM_SIZE, a move or frame change WM_MOVE.
void TWindowCore::DefWindowPosChanged(TWindow* W, const WINDOWPOS* Pos) {
  if (!Pos) return;
  const HWND Handle = W->Handle;
  if (!(Pos->flags & SWP_NOSIZE) || (Pos->flags & SWP_FRAMECHANGED)) {
    Send(W, WM_SIZE, SIZE_RESTORED, MAKELPARAM(W->Client.Width(), W->Client.Height()));
    if ((W = Lookup(Handle)) == nullptr) return;
  }
  if (!(Pos->flags & SWP_NOMOVE) || (Pos->flags & SWP_FRAMECHANGED))
    Send(W, WM_MOVE, 0, MAKELPARAM(W->Rect.Left + W->Client.Left, W->Rect.Top + W->Client.Top));
}

LRESULT TWindowCore::DefText(TWindow* W, UINT Msg, WPARAM WParam, LPARAM LParam) {
  switch (Msg) {
    case WM_SETTEXT:
      W->Text = LParam ? reinterpret_cast<const char*>(LParam) : "";
      if (!W->Parent) SyncNative(W);
      return 1;
    case WM_GETTEXT: {
      char* Buffer = reinterpret_cast<char*>(LParam);
      if (!Buffer || WParam == 0) return 0;
      // Never cut a double-byte character in half.
      const std::size_t Count =
          cp932::FloorCharBoundary(W->Text, std::min<std::size_t>(WParam - 1, W->Text.size()));
      std::memcpy(Buffer, W->Text.data(), Count);
      Buffer[Count] = '\0';
      return LRESULT(Count);
    }
    default:  // WM_GETTEXTLENGTH
      return LRESULT(W->Text.size());
  }
}
