// The system's modal loops: sizing and moving a window with the mouse, and
// pressing or dragging in a scroll bar. Each holds the mouse capture and
// pulls messages itself until the button is released; everything it does
// not consume (timers, paints, posted messages) is dispatched as usual.
//
// A loop also ends when it loses the capture (WM_CANCELMODE, another
// SetCapture), when its window dies, and when the backend can deliver no
// more input (the headless backend with an empty queue): the drag then ends
// where the last move left it.

#include <algorithm>

#include "platform/window/MouseMessages.h"
#include "platform/window/WinUser.h"
#include "platform/window/WindowCore.h"

namespace {

// Win32's auto-repeat of scroll bar arrows and pages.
constexpr UINT kScrollFirstDelay = 200;
constexpr UINT kScrollRepeatDelay = 50;
constexpr UINT_PTR kScrollTimerId = UINT_PTR(0xFFFF5C01);

bool IsKeyMessage(UINT M) { return M >= WM_KEYFIRST && M <= WM_KEYLAST; }

}  // namespace

void TWindowCore::SizeMoveLoop(TWindow* W, UINT Command, TPoint Start) {
  const HWND Handle = W->Handle;
  const bool Moving = (Command & 0xFFF0) == SC_MOVE;
  const UINT Edge = Command & 0x000F;
  if (!Moving && (Edge < WMSZ_LEFT || Edge > WMSZ_BOTTOMRIGHT)) return;
  if (FInSizeMove) return;
  FInSizeMove = true;
  struct TReset {
    bool& Flag;
    ~TReset() { Flag = false; }
  } Reset{FInSizeMove};

  Send(W, WM_ENTERSIZEMOVE, 0, 0);
  if ((W = Lookup(Handle)) == nullptr) return;
  SetCaptureImpl(W);
  if ((W = Lookup(Handle)) == nullptr) return;
  const TRect Original = W->Rect;
  const MINMAXINFO Limits = Moving ? MINMAXINFO{} : GetMinMaxInfo(W);
  if ((W = Lookup(Handle)) == nullptr) return;
  const TPoint ParentOrigin = W->Parent ? ClientScreenOrigin(W->Parent) : TPoint{0, 0};
  const bool Left = Edge == WMSZ_LEFT || Edge == WMSZ_TOPLEFT || Edge == WMSZ_BOTTOMLEFT;
  const bool Right = Edge == WMSZ_RIGHT || Edge == WMSZ_TOPRIGHT || Edge == WMSZ_BOTTOMRIGHT;
  const bool Top = Edge == WMSZ_TOP || Edge == WMSZ_TOPLEFT || Edge == WMSZ_TOPRIGHT;
  const bool Bottom = Edge == WMSZ_BOTTOM || Edge == WMSZ_BOTTOMLEFT || Edge == WMSZ_BOTTOMRIGHT;

  auto Place = [&](TRect R) {
    TRect S = Bounds(R.Left + ParentOrigin.X, R.Top + ParentOrigin.Y, R.Width(), R.Height());
    Send(Handle, Moving ? WM_MOVING : WM_SIZING, Moving ? 0 : Edge, reinterpret_cast<LPARAM>(&S));
    R = Bounds(S.Left - ParentOrigin.X, S.Top - ParentOrigin.Y, S.Width(), S.Height());
    if (TWindow* Win = Lookup(Handle))
      SetWindowPosImpl(Win, nullptr, R.Left, R.Top, R.Width(), R.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE);
  };

  for (;;) {
    if (!Lookup(Handle) || FCapture != Handle) break;
    MSG M;
    bool Ended = false;
    if (!Retrieve(M, nullptr, 0, 0, true, true, Ended)) break;
    if (M.message == WM_QUIT) {
      PostQuit(int(M.wParam));  // for the loop outside
      break;
    }
    if (M.hwnd == Handle && M.message == WM_MOUSEMOVE) {
      const int DX = M.pt.X - Start.X, DY = M.pt.Y - Start.Y;
      TRect R = Original;
      if (Moving) {
        R = Bounds(Original.Left + DX, Original.Top + DY, Original.Width(), Original.Height());
      } else {
        if (Left) R.Left += DX;
        if (Right) R.Right += DX;
        if (Top) R.Top += DY;
        if (Bottom) R.Bottom += DY;
        // The moving edge gives way; the opposite edge stays put.
        const int Width = std::clamp(R.Width(), Limits.ptMinTrackSize.X,
                                     std::max(Limits.ptMinTrackSize.X, Limits.ptMaxTrackSize.X));
        const int Height = std::clamp(R.Height(), Limits.ptMinTrackSize.Y,
                                      std::max(Limits.ptMinTrackSize.Y, Limits.ptMaxTrackSize.Y));
        if (Left)
          R.Left = R.Right - Width;
        else
          R.Right = R.Left + Width;
        if (Top)
          R.Top = R.Bottom - Height;
        else
          R.Bottom = R.Top + Height;
      }
      Place(R);
      continue;
    }
    if (M.hwnd == Handle && M.message == WM_LBUTTONUP) break;
    if (M.message == WM_KEYDOWN || M.message == WM_SYSKEYDOWN) {
      if (M.wParam == VK_ESCAPE) {
        Place(Original);
        break;
      }
      if (M.wParam == VK_RETURN) break;
      continue;
    }
    if (IsKeyMessage(M.message) || IsMouseMessage(M.message)) continue;
    Translate(M);
    Dispatch(M);
  }
  if (FCapture == Handle) ReleaseCaptureImpl();
  Send(Handle, WM_EXITSIZEMOVE, 0, 0);
}

void TWindowCore::ScrollLoop(TWindow* W, int Bar, TPoint Start) {
  const HWND Handle = W->Handle;
  const bool Vertical = Bar == SB_VERT;
  const UINT ScrollMsg = Vertical ? WM_VSCROLL : WM_HSCROLL;
  auto WindowPoint = [&](const TPoint& Screen) {
    const TWindow* Win = Lookup(Handle);
    const TPoint O = Win ? ScreenOrigin(Win) : TPoint{};
    return TPoint{Screen.X - O.X, Screen.Y - O.Y};
  };
  int ThumbPos = 0, ThumbSize = 0;
  const int Part = ScrollBarPartAt(W, Bar, WindowPoint(Start), &ThumbPos, &ThumbSize);
  if (Part < 0 || (Vertical ? W->VScroll : W->HScroll).Disabled) return;
  SetCaptureImpl(W);
  if ((W = Lookup(Handle)) == nullptr) return;

  if (Part == SB_THUMBTRACK) {
    const int Grab = (Vertical ? WindowPoint(Start).Y : WindowPoint(Start).X) - ThumbPos;
    TScrollBarState& S0 = Vertical ? W->VScroll : W->HScroll;
    S0.TrackPos = S0.Pos;
    for (;;) {
      if (!Lookup(Handle) || FCapture != Handle) break;
      MSG M;
      bool Ended = false;
      if (!Retrieve(M, nullptr, 0, 0, true, true, Ended)) break;
      if (M.message == WM_QUIT) {
        PostQuit(int(M.wParam));
        break;
      }
      W = Lookup(Handle);
      if (!W) break;
      TScrollBarState& S = Vertical ? W->VScroll : W->HScroll;
      if (M.hwnd == Handle && M.message == WM_MOUSEMOVE) {
        int Arrow, Pos, Size;
        ScrollBarGeometry(W, Bar, Arrow, Pos, Size);
        const TRect R = ScrollBarRect(W, Bar);
        const int Length = Vertical ? R.Height() : R.Width();
        const int Free = Length - 2 * Arrow - Size;
        const TPoint P = WindowPoint(M.pt);
        const int Along = (Vertical ? P.Y - R.Top : P.X - R.Left) - Grab;
        const int Rel = std::clamp(Along - Arrow, 0, std::max(0, Free));
        const long long MaxPos = (long long)S.Max - std::max<long long>((long long)S.Page - 1, 0);
        int NewPos = S.Min;
        if (Free > 0 && MaxPos > S.Min)
          NewPos = int(S.Min + (Rel * (MaxPos - S.Min) + Free / 2) / Free);
        if (NewPos != S.TrackPos) {
          S.TrackPos = NewPos;
          Send(Handle, ScrollMsg, MAKEWPARAM(SB_THUMBTRACK, NewPos), 0);
        }
        continue;
      }
      if (M.hwnd == Handle && M.message == WM_LBUTTONUP) {
        Send(Handle, ScrollMsg, MAKEWPARAM(SB_THUMBPOSITION, S.TrackPos), 0);
        break;
      }
      if (IsKeyMessage(M.message) || IsMouseMessage(M.message)) continue;
      Translate(M);
      Dispatch(M);
    }
  } else {
    Send(Handle, ScrollMsg, MAKEWPARAM(Part, 0), 0);
    SetTimerImpl(Handle, kScrollTimerId, kScrollFirstDelay, nullptr);
    TPoint Pointer = Start;
    for (;;) {
      if (!Lookup(Handle) || FCapture != Handle) break;
      MSG M;
      bool Ended = false;
      if (!Retrieve(M, nullptr, 0, 0, true, true, Ended)) break;
      if (M.message == WM_QUIT) {
        PostQuit(int(M.wParam));
        break;
      }
      if (M.hwnd == Handle && M.message == WM_TIMER && M.wParam == kScrollTimerId) {
        // Repeat while the pointer stays on the part pressed; a page part
        // stops once the thumb has come under the pointer.
        W = Lookup(Handle);
        if (W && ScrollBarPartAt(W, Bar, WindowPoint(Pointer), nullptr, nullptr) == Part)
          Send(Handle, ScrollMsg, MAKEWPARAM(Part, 0), 0);
        SetTimerImpl(Handle, kScrollTimerId, kScrollRepeatDelay, nullptr);
        continue;
      }
      if (M.hwnd == Handle && M.message == WM_MOUSEMOVE) {
        Pointer = M.pt;
        continue;
      }
      if (M.hwnd == Handle && M.message == WM_LBUTTONUP) break;
      if (IsKeyMessage(M.message) || IsMouseMessage(M.message)) continue;
      Translate(M);
      Dispatch(M);
    }
    KillTimerImpl(Handle, kScrollTimerId);
  }
  if (FCapture == Handle) ReleaseCaptureImpl();
  Send(Handle, ScrollMsg, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
}
