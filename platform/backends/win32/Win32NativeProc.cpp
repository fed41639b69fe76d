// The window procedure of the Windows backend: what Windows reports of our
// windows, as raw events for the backend.

#include "platform/backends/win32/Win32NativeState.h"

namespace win32native {
namespace {

int SignedLow(LPARAM Value) { return int(short(LOWORD(Value))); }
int SignedHigh(LPARAM Value) { return int(short(HIWORD(Value))); }

unsigned HeldModifiers() {
  unsigned M = 0;
  if (GetKeyState(VK_SHIFT) < 0) M |= kShift;
  if (GetKeyState(VK_CONTROL) < 0) M |= kControl;
  if (GetKeyState(VK_MENU) < 0) M |= kAlt;
  return M;
}

TRawEvent EventOf(TRawKind Kind, HWND Window) {
  TRawEvent E;
  E.Kind = Kind;
  E.Window = Window;
  return E;
}

void EmitPointer(TRawKind Kind, HWND Window, LPARAM LParam, int Button) {
  POINT P{SignedLow(LParam), SignedHigh(LParam)};
  ClientToScreen(Window, &P);
  TRawEvent E = EventOf(Kind, Window);
  E.X = P.x;
  E.Y = P.y;
  E.Button = Button;
  E.Modifiers = HeldModifiers();
  Emit(std::move(E));
}

void OnMouseMove(HWND Window, TWindowData& D, LPARAM LParam) {
  if (!D.TrackingLeave) {
    TRACKMOUSEEVENT Track{};
    Track.cbSize = sizeof Track;
    Track.dwFlags = TME_LEAVE;
    Track.hwndTrack = Window;
    D.TrackingLeave = TrackMouseEvent(&Track) != FALSE;
  }
  EmitPointer(rkMove, Window, LParam, 0);
}

void OnMouseLeave(HWND Window, TWindowData& D) {
  D.TrackingLeave = false;
  // Going straight into another of our windows is no leaving, and while a
  // button is held the pointer still belongs to us.
  POINT P;
  if (GetCursorPos(&P) && DataOf(WindowFromPoint(P))) return;
  if (GetKeyState(VK_LBUTTON) < 0 || GetKeyState(VK_RBUTTON) < 0 || GetKeyState(VK_MBUTTON) < 0)
    return;
  Emit(EventOf(rkLeave, Window));
}

void OnWheel(HWND Window, WPARAM WParam, LPARAM LParam, bool Horizontal) {
  TRawEvent E = EventOf(rkWheel, Window);
  E.X = SignedLow(LParam);  // already in screen coordinates
  E.Y = SignedHigh(LParam);
  E.WheelDelta = int(short(HIWORD(WParam)));
  E.Horizontal = Horizontal;
  E.Modifiers = HeldModifiers();
  Emit(std::move(E));
}

void OnKey(HWND Window, WPARAM WParam, LPARAM LParam, bool Down) {
  const int VirtualKey = int(WParam);
  // A key the input method took for its composition: it answers with
  // composition messages, not this key.
  if (VirtualKey == VK_PROCESSKEY) return;
  TRawEvent E = EventOf(Down ? rkKeyDown : rkKeyUp, Window);
  E.VirtualKey = VirtualKey;
  E.Repeat = Down && (LParam & (LPARAM(1) << 30)) != 0;
  unsigned Modifiers = HeldModifiers();
  // The event's own key is not one of the modifiers held around it.
  if (VirtualKey == VK_SHIFT) Modifiers &= ~kShift;
  if (VirtualKey == VK_CONTROL) Modifiers &= ~kControl;
  if (VirtualKey == VK_MENU) Modifiers &= ~kAlt;
  E.Modifiers = Modifiers;
  Emit(std::move(E));
}

void OnChar(HWND Window, TWindowData& D, WPARAM WParam) {
  const char16_t Unit = char16_t(WParam);
  TRawEvent E = EventOf(rkChar, Window);
  if (Unit >= 0xD800 && Unit <= 0xDBFF) {
    // The first half of a pair: the character comes with the second.
    D.HighSurrogate = Unit;
    return;
  }
  if (Unit >= 0xDC00 && Unit <= 0xDFFF && D.HighSurrogate) E.Text += D.HighSurrogate;
  D.HighSurrogate = 0;
  E.Text += Unit;
  E.Modifiers = HeldModifiers();
  Emit(std::move(E));
}

std::u16string CompositionString(HIMC Context, DWORD Which) {
  const LONG Bytes = ImmGetCompositionStringW(Context, Which, nullptr, 0);
  if (Bytes <= 0) return std::u16string();
  std::u16string Text(std::size_t(Bytes) / sizeof(char16_t), u'\0');
  ImmGetCompositionStringW(Context, Which, Text.data(), DWORD(Bytes));
  return Text;
}

void OnComposition(HWND Window, TWindowData& D, LPARAM LParam) {
  if (D.DroppingComposition) return;
  HIMC Context = ImmGetContext(Window);
  if (!Context) return;
  if (LParam & GCS_RESULTSTR) {
    TRawEvent E = EventOf(rkResult, Window);
    E.Text = CompositionString(Context, GCS_RESULTSTR);
    if (!E.Text.empty()) Emit(std::move(E));
  }
  // The composition as it now is (after a result, what is still being
  // typed; none when the result took it all).
  if ((LParam & (GCS_COMPSTR | GCS_COMPATTR | GCS_CURSORPOS)) || LParam == 0) {
    TRawEvent E = EventOf(rkComposition, Window);
    E.Text = CompositionString(Context, GCS_COMPSTR);
    if (!D.Composing && E.Text.empty()) {
      ImmReleaseContext(Window, Context);
      return;
    }
    if (!D.Composing) {
      // Some input methods compose without starting first.
      D.Composing = true;
      Emit(EventOf(rkCompositionStart, Window));
    }
    const LONG AttributeBytes = ImmGetCompositionStringW(Context, GCS_COMPATTR, nullptr, 0);
    if (AttributeBytes > 0) {
      E.Attributes.resize(std::size_t(AttributeBytes));
      ImmGetCompositionStringW(Context, GCS_COMPATTR, E.Attributes.data(), DWORD(AttributeBytes));
    }
    const LONG Cursor = ImmGetCompositionStringW(Context, GCS_CURSORPOS, nullptr, 0);
    E.Caret = Cursor >= 0 ? int(Cursor) : int(E.Text.size());
    Emit(std::move(E));
  }
  ImmReleaseContext(Window, Context);
}

// Windows' WM_DPICHANGED, named here: older headers lack it.
constexpr UINT kDpiChanged = 0x02E0;

// The window moved to a monitor of another scale. Windows asks for the
// rectangle it suggests at once, while the window crosses: it is taken
// here, and the window system learns the new figure with the client area
// the window now has (no move of the user's), so that it scales the
// window's contents to it. A pop-up (a list, a menu, a hint) lives too
// briefly to follow a move; it keeps the program's figure.
bool OnDpiChanged(HWND Window, TWindowData& D, WPARAM WParam, LPARAM LParam) {
  if (!D.Look.Decorated || !LParam) return false;
  const RECT Suggested = *reinterpret_cast<const RECT*>(LParam);
  D.Rescaling = true;
  SetWindowPos(Window, nullptr, Suggested.left, Suggested.top, Suggested.right - Suggested.left,
               Suggested.bottom - Suggested.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
  D.Rescaling = false;
  TRawEvent E = EventOf(rkDpiChanged, Window);
  E.Dpi = LOWORD(WParam);
  E.Box = D.Look.Client;
  Emit(std::move(E));
  return true;
}

}  // namespace

LRESULT CALLBACK WindowProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam) {
  if (Message == WM_NCCREATE) {
    auto* Create = reinterpret_cast<CREATESTRUCTW*>(LParam);
    SetWindowLongPtrW(Window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(Create->lpCreateParams));
    return DefWindowProcW(Window, Message, WParam, LParam);
  }
  TWindowData* D = reinterpret_cast<TWindowData*>(GetWindowLongPtrW(Window, GWLP_USERDATA));
  if (!D) return DefWindowProcW(Window, Message, WParam, LParam);
  switch (Message) {
    case WM_NCDESTROY:
      SetWindowLongPtrW(Window, GWLP_USERDATA, 0);
      if (D->ImeDetached) ImmAssociateContext(Window, D->SavedContext);
      if (State().Creating == D) State().Creating = nullptr;
      if (State().CaptureWindow == Window) SetCapture(nullptr);
      delete D;
      return DefWindowProcW(Window, Message, WParam, LParam);
    case WM_ERASEBKGND:
      return 1;  // the frame covers every pixel
    case WM_PAINT:
      PaintWindow(Window, *D);
      return 0;
    case WM_MOUSEACTIVATE:
      // Pop-ups and no-activate windows take clicks without the focus.
      if (!D->Look.Decorated || D->Look.NoActivate) return MA_NOACTIVATE;
      break;
    case WM_SETCURSOR:
      if (LOWORD(LParam) == HTCLIENT) {
        ::SetCursor(D->Cursor);
        return TRUE;
      }
      break;
    case WM_GETMINMAXINFO: {
      // The window system decides how small a window may be; Windows'
      // own minimum would make a bar of 35 pixels taller.
      RECT Frame{0, 0, 1, 1};
      AdjustWindowRectEx(&Frame, DWORD(GetWindowLongW(Window, GWL_STYLE)), FALSE,
                         DWORD(GetWindowLongW(Window, GWL_EXSTYLE)));
      auto* Info = reinterpret_cast<MINMAXINFO*>(LParam);
      Info->ptMinTrackSize.x = Frame.right - Frame.left;
      Info->ptMinTrackSize.y = Frame.bottom - Frame.top;
      return 0;
    }
    case WM_WINDOWPOSCHANGED: {
      const auto* Pos = reinterpret_cast<const WINDOWPOS*>(LParam);
      if ((Pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE) &&
          !IsIconic(Window)) {
        RECT Client;
        GetClientRect(Window, &Client);
        POINT Origin{0, 0};
        ClientToScreen(Window, &Origin);
        const TBox Now{Origin.x, Origin.y, Origin.x + Client.right, Origin.y + Client.bottom};
        if (Now != D->Look.Client) {
          D->Look.Client = Now;
          if (D->Rescaling) break;
          TRawEvent E = EventOf(rkConfigure, Window);
          E.Box = Now;
          Emit(std::move(E));
        }
      }
      break;
    }
    case kDpiChanged:
      if (OnDpiChanged(Window, *D, WParam, LParam)) return 0;
      break;
    case WM_CLOSE:
      Emit(EventOf(rkClose, Window));
      return 0;
    case WM_SETFOCUS:
      Emit(EventOf(rkFocusIn, Window));
      return 0;
    case WM_KILLFOCUS:
      D->HighSurrogate = 0;
      // The system caret belongs to the focus; the next spot makes it again.
      if (D->SystemCaretHeight) {
        DestroyCaret();
        D->SystemCaretHeight = 0;
      }
      Emit(EventOf(rkFocusOut, Window));
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove(Window, *D, LParam);
      return 0;
    case WM_MOUSELEAVE:
      OnMouseLeave(Window, *D);
      return 0;
    case WM_LBUTTONDOWN:
      EmitPointer(rkPress, Window, LParam, 0);
      return 0;
    case WM_LBUTTONUP:
      EmitPointer(rkRelease, Window, LParam, 0);
      return 0;
    case WM_RBUTTONDOWN:
      EmitPointer(rkPress, Window, LParam, 1);
      return 0;
    case WM_RBUTTONUP:
      EmitPointer(rkRelease, Window, LParam, 1);
      return 0;
    case WM_MBUTTONDOWN:
      EmitPointer(rkPress, Window, LParam, 2);
      return 0;
    case WM_MBUTTONUP:
      EmitPointer(rkRelease, Window, LParam, 2);
      return 0;
    case WM_MOUSEWHEEL:
      OnWheel(Window, WParam, LParam, false);
      return 0;
    case WM_MOUSEHWHEEL:
      OnWheel(Window, WParam, LParam, true);
      return 0;
    // System keys too: the window system makes Alt+F4 and menu keys
    // itself, and Windows' own handling would open the system menu.
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      OnKey(Window, WParam, LParam, true);
      return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      OnKey(Window, WParam, LParam, false);
      return 0;
    case WM_CHAR:
      OnChar(Window, *D, WParam);
      return 0;
    case WM_SYSCHAR:
    case WM_SYSDEADCHAR:
    case WM_IME_CHAR:
      // Alt combinations are commands; the input method's characters come
      // with its composition messages.
      return 0;
    case WM_IME_SETCONTEXT:
      // The window system draws the composition inside the edit itself.
      if (WParam) LParam &= ~LPARAM(ISC_SHOWUICOMPOSITIONWINDOW);
      return DefWindowProcW(Window, Message, WParam, LParam);
    case WM_IME_STARTCOMPOSITION:
      if (!D->DroppingComposition && !D->Composing) {
        D->Composing = true;
        Emit(EventOf(rkCompositionStart, Window));
      }
      return 0;
    case WM_IME_COMPOSITION:
      OnComposition(Window, *D, LParam);
      return 0;
    case WM_IME_ENDCOMPOSITION:
      if (!D->DroppingComposition && D->Composing) {
        D->Composing = false;
        Emit(EventOf(rkCompositionEnd, Window));
      }
      return 0;
    default:
      break;
  }
  return DefWindowProcW(Window, Message, WParam, LParam);
}

}  // namespace win32native
