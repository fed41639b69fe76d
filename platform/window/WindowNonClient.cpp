// The non-client area: how much room borders, edges and scroll bars take,
// what a point in it hits, and how the default frame is painted (the
// classic look: a one-pixel WS_BORDER line in the window-frame colour, 3D
// edges, scroll bars with arrow buttons, a dithered track and a raised
// thumb). All of it at the program's scale: a line of one pixel at 96 dpi
// is GetScaledStroke() whole pixels, lengths are GetScaledSystemMetrics'.
//
// A top-level window with a caption or a sizing frame gets its frame from
// the window manager, so none of that frame is part of the window here.

#include <algorithm>

#include "platform/core/Scale.h"
#include "platform/gdi/SysColors.h"
#include "platform/window/WinUser.h"
#include "platform/window/WindowCore.h"

namespace {

// The smallest thumb at 96 dpi, so that a long list still has something to
// grab.
constexpr int kMinThumb = 8;

int Metric(int Index) { return GetScaledSystemMetrics(Index); }

bool IsVertical(int Bar) { return Bar == SB_VERT; }

void Fill(TDeviceContext& DC, const TRect& R, TColor Color) {
  if (!R.IsEmpty()) DC.FillDeviceRect(DC.ToDevice(R), DC.PixelOf(Color));
}

// A ring of lines S pixels wide. The light sides (top, left) stop one line
// short, so the top-right and bottom-left corners take the dark colour, as
// DrawEdge draws them.
void Ring(TDeviceContext& DC, const TRect& R, TColor TopLeft, TColor BottomRight, int S = 1) {
  if (R.IsEmpty()) return;
  Fill(DC, TRect{R.Left, R.Top, R.Right - S, R.Top + S}, TopLeft);
  Fill(DC, TRect{R.Left, R.Top, R.Left + S, R.Bottom - S}, TopLeft);
  Fill(DC, TRect{R.Right - S, R.Top, R.Right, R.Bottom}, BottomRight);
  Fill(DC, TRect{R.Left, R.Bottom - S, R.Right, R.Bottom}, BottomRight);
}

void RaisedEdge(TDeviceContext& DC, const TRect& R) {
  const int S = GetScaledStroke();
  Ring(DC, R, cl3DLight, cl3DDkShadow, S);
  Ring(DC, R.Inflated(-S, -S), clBtnHighlight, clBtnShadow, S);
}

void SunkenEdge(TDeviceContext& DC, const TRect& R) {
  const int S = GetScaledStroke();
  Ring(DC, R, clBtnShadow, clBtnHighlight, S);
  Ring(DC, R.Inflated(-S, -S), cl3DDkShadow, cl3DLight, S);
}

enum TArrow { arUp, arDown, arLeft, arRight };

// The arrow glyph: a triangle of (size - 4) / 4 + 1 rows centred in R.
void ArrowGlyph(TDeviceContext& DC, const TRect& R, TArrow Arrow, TColor Color) {
  const int Side = std::min(R.Width(), R.Height());
  const int Rows = std::max(1, (Side - 4) / 4 + 1);
  const bool Vertical = Arrow == arUp || Arrow == arDown;
  const int CX = R.Left + R.Width() / 2, CY = R.Top + R.Height() / 2;
  for (int I = 0; I < Rows; ++I) {
    // Row I counted from the tip; the tip row is one pixel wide.
    if (Vertical) {
      const int Y0 = R.Top + (R.Height() - Rows) / 2;
      const int Y = Arrow == arUp ? Y0 + I : Y0 + Rows - 1 - I;
      Fill(DC, TRect{CX - I, Y, CX + I + 1, Y + 1}, Color);
    } else {
      const int X0 = R.Left + (R.Width() - Rows) / 2;
      const int X = Arrow == arLeft ? X0 + I : X0 + Rows - 1 - I;
      Fill(DC, TRect{X, CY - I, X + 1, CY + I + 1}, Color);
    }
  }
}

void ArrowButton(TDeviceContext& DC, const TRect& R, TArrow Arrow, bool Enabled) {
  Fill(DC, R, clBtnFace);
  RaisedEdge(DC, R);
  if (Enabled) {
    ArrowGlyph(DC, R, Arrow, clBtnText);
  } else {
    // Embossed: a light copy one line down and right under the grey one.
    const int S = GetScaledStroke();
    ArrowGlyph(DC, TRect{R.Left + S, R.Top + S, R.Right + S, R.Bottom + S}, Arrow, clBtnHighlight);
    ArrowGlyph(DC, R, Arrow, clBtnShadow);
  }
}

// The classic track: button highlight and button face in a checkerboard
// of squares one line wide.
void Track(TDeviceContext& DC, const TRect& R) {
  const std::uint32_t Light = DC.PixelOf(clBtnHighlight), Face = DC.PixelOf(clBtnFace);
  const int S = GetScaledStroke();
  for (int Y = R.Top; Y < R.Bottom; ++Y)
    for (int X = R.Left; X < R.Right; ++X) {
      const TPoint D = DC.ToDevice(X, Y);
      DC.FillDeviceRect(TRect{D.X, D.Y, D.X + 1, D.Y + 1}, ((X / S + Y / S) & 1) ? Face : Light);
    }
}

}  // namespace

bool TWindowCore::HasWindowManagerFrame(const TWindow* W) const {
  return !W->Parent && !(W->Style & WS_CHILD) &&
         ((W->Style & WS_CAPTION) == WS_CAPTION || (W->Style & WS_THICKFRAME));
}

TRect TWindowCore::NonClientInsets(const TWindow* W) const {
  int B = 0;
  if (!HasWindowManagerFrame(W)) {
    if (W->Style & WS_THICKFRAME)
      B = Metric(SM_CXFRAME);
    else if ((W->Style & WS_DLGFRAME) || (W->ExStyle & WS_EX_DLGMODALFRAME))
      B = Metric(SM_CXDLGFRAME);
    else if (W->Style & WS_BORDER)
      B = Metric(SM_CXBORDER);
  }
  if (W->ExStyle & WS_EX_CLIENTEDGE) B += Metric(SM_CXEDGE);
  if (W->ExStyle & WS_EX_STATICEDGE) B += Metric(SM_CXBORDER);
  return TRect{B, B, B, B};
}

// The client rectangle the default WM_NCCALCSIZE gives for a window
// rectangle: borders and edges off every side, then the scroll bars, each
// only when there is room for it.
TRect TWindowCore::DefaultClientRect(const TWindow* W, TRect R) const {
  const TRect In = NonClientInsets(W);
  R.Left += In.Left;
  R.Top += In.Top;
  R.Right -= In.Right;
  R.Bottom -= In.Bottom;
  if ((W->Style & WS_VSCROLL) && R.Width() >= Metric(SM_CXVSCROLL)) R.Right -= Metric(SM_CXVSCROLL);
  if ((W->Style & WS_HSCROLL) && R.Height() > Metric(SM_CYHSCROLL))
    R.Bottom -= Metric(SM_CYHSCROLL);
  if (R.Right < R.Left) R.Right = R.Left;
  if (R.Bottom < R.Top) R.Bottom = R.Top;
  return R;
}

TRect TWindowCore::ScrollBarRect(TWindow* W, int Bar) const {
  const int Width = W->Rect.Width(), Height = W->Rect.Height();
  const TRect& C = W->Client;
  if (Bar == SB_VERT) {
    if (!(W->Style & WS_VSCROLL)) return TRect{};
    const TRect R{C.Right, C.Top, C.Right + Metric(SM_CXVSCROLL), C.Bottom};
    return R.Right <= Width && !R.IsEmpty() ? R : TRect{};
  }
  if (!(W->Style & WS_HSCROLL)) return TRect{};
  const TRect R{C.Left, C.Bottom, C.Right, C.Bottom + Metric(SM_CYHSCROLL)};
  return R.Bottom <= Height && !R.IsEmpty() ? R : TRect{};
}

void TWindowCore::ScrollBarGeometry(TWindow* W, int Bar, int& ArrowSize, int& ThumbPos,
                                    int& ThumbSize) const {
  const TRect R = ScrollBarRect(W, Bar);
  const int Length = IsVertical(Bar) ? R.Height() : R.Width();
  ArrowSize = std::min(IsVertical(Bar) ? Metric(SM_CYVSCROLL) : Metric(SM_CXHSCROLL), Length / 2);
  ThumbPos = ThumbSize = 0;
  const TScrollBarState& S = IsVertical(Bar) ? W->VScroll : W->HScroll;
  const int TrackLength = Length - 2 * ArrowSize;
  if (S.Disabled || TrackLength <= 0) return;
  const long long Range = (long long)S.Max - S.Min + 1;
  const int MinThumb = TScale::FromDesign(GetScreenPixelsPerInch()).Apply(kMinThumb);
  int Thumb = S.Page ? int(std::max<long long>(MinThumb, TrackLength * (long long)S.Page / Range))
                     : Metric(IsVertical(Bar) ? SM_CYVTHUMB : SM_CXHTHUMB);
  const int Free = TrackLength - Thumb;
  if (Free < 0) return;  // no room for a thumb
  const long long MaxPos = (long long)S.Max - std::max<long long>((long long)S.Page - 1, 0);
  ThumbSize = Thumb;
  ThumbPos = ArrowSize;
  if (MaxPos > S.Min) ThumbPos += int(Free * ((long long)S.Pos - S.Min) / (MaxPos - S.Min));
}

int TWindowCore::ScrollBarPartAt(TWindow* W, int Bar, const TPoint& P, int* ThumbPosOut,
                                 int* ThumbSizeOut) const {
  const TRect R = ScrollBarRect(W, Bar);
  if (!R.Contains(P.X, P.Y)) return -1;
  int Arrow, ThumbPos, ThumbSize;
  ScrollBarGeometry(W, Bar, Arrow, ThumbPos, ThumbSize);
  if (ThumbPosOut) *ThumbPosOut = ThumbPos;
  if (ThumbSizeOut) *ThumbSizeOut = ThumbSize;
  const int Along = IsVertical(Bar) ? P.Y - R.Top : P.X - R.Left;
  const int Length = IsVertical(Bar) ? R.Height() : R.Width();
  if (Along < Arrow) return SB_LINEUP;
  if (Along >= Length - Arrow) return SB_LINEDOWN;
  if (ThumbSize == 0) return -1;
  if (Along < ThumbPos) return SB_PAGEUP;
  if (Along >= ThumbPos + ThumbSize) return SB_PAGEDOWN;
  return SB_THUMBTRACK;
}

static void PaintScrollBar(TWindowCore& Core, TDeviceContext& DC, TWindow* W, int Bar) {
  const TRect R = Core.ScrollBarRect(W, Bar);
  if (R.IsEmpty()) return;
  int Arrow, ThumbPos, ThumbSize;
  Core.ScrollBarGeometry(W, Bar, Arrow, ThumbPos, ThumbSize);
  const TScrollBarState& S = IsVertical(Bar) ? W->VScroll : W->HScroll;
  const bool Enabled = !S.Disabled && !(W->Style & WS_DISABLED);
  if (IsVertical(Bar)) {
    ArrowButton(DC, TRect{R.Left, R.Top, R.Right, R.Top + Arrow}, arUp, Enabled);
    ArrowButton(DC, TRect{R.Left, R.Bottom - Arrow, R.Right, R.Bottom}, arDown, Enabled);
    Track(DC, TRect{R.Left, R.Top + Arrow, R.Right, R.Bottom - Arrow});
    if (ThumbSize) {
      const TRect T{R.Left, R.Top + ThumbPos, R.Right, R.Top + ThumbPos + ThumbSize};
      Fill(DC, T, clBtnFace);
      RaisedEdge(DC, T);
    }
  } else {
    ArrowButton(DC, TRect{R.Left, R.Top, R.Left + Arrow, R.Bottom}, arLeft, Enabled);
    ArrowButton(DC, TRect{R.Right - Arrow, R.Top, R.Right, R.Bottom}, arRight, Enabled);
    Track(DC, TRect{R.Left + Arrow, R.Top, R.Right - Arrow, R.Bottom});
    if (ThumbSize) {
      const TRect T{R.Left + ThumbPos, R.Top, R.Left + ThumbPos + ThumbSize, R.Bottom};
      Fill(DC, T, clBtnFace);
      RaisedEdge(DC, T);
    }
  }
}

void TWindowCore::DefNcPaint(TWindow* W) {
  HDC DC = GetDCImpl(W, true, nullptr, false);
  const int S = GetScaledStroke();
  DC->ExcludeClipRect(W->Client);
  TRect R{0, 0, W->Rect.Width(), W->Rect.Height()};
  if (!HasWindowManagerFrame(W)) {
    if (W->Style & WS_THICKFRAME) {
      const int F = Metric(SM_CXFRAME);
      RaisedEdge(*DC, R);
      for (int I = 2 * S; I < F; ++I) Ring(*DC, R.Inflated(-I, -I), clActiveBorder, clActiveBorder);
      R.Inflate(-F, -F);
    } else if ((W->Style & WS_DLGFRAME) || (W->ExStyle & WS_EX_DLGMODALFRAME)) {
      const int F = Metric(SM_CXDLGFRAME);
      RaisedEdge(*DC, R);
      for (int I = 2 * S; I < F; ++I) Ring(*DC, R.Inflated(-I, -I), clBtnFace, clBtnFace);
      R.Inflate(-F, -F);
    } else if (W->Style & WS_BORDER) {
      // WS_BORDER is one line in the window-frame colour.
      Ring(*DC, R, clWindowFrame, clWindowFrame, S);
      R.Inflate(-S, -S);
    }
  }
  if (W->ExStyle & WS_EX_CLIENTEDGE) {
    SunkenEdge(*DC, R);
    R.Inflate(-2 * S, -2 * S);
  }
  if (W->ExStyle & WS_EX_STATICEDGE) {
    Ring(*DC, R, clBtnShadow, clBtnHighlight, S);
    R.Inflate(-S, -S);
  }
  PaintScrollBar(*this, *DC, W, SB_VERT);
  PaintScrollBar(*this, *DC, W, SB_HORZ);
  const TRect V = ScrollBarRect(W, SB_VERT), H = ScrollBarRect(W, SB_HORZ);
  if (!V.IsEmpty() && !H.IsEmpty()) Fill(*DC, TRect{V.Left, H.Top, V.Right, H.Bottom}, clBtnFace);
  ReleaseDCImpl(DC);
}

int TWindowCore::DefHitTest(TWindow* W, const TPoint& Screen) {
  const TRect WR = ScreenRect(W);
  if (!WR.Contains(Screen.X, Screen.Y)) return HTNOWHERE;
  const TPoint P{Screen.X - WR.Left, Screen.Y - WR.Top};
  if (W->Client.Contains(P.X, P.Y)) return HTCLIENT;
  const TRect V = ScrollBarRect(W, SB_VERT), H = ScrollBarRect(W, SB_HORZ);
  if (V.Contains(P.X, P.Y)) return HTVSCROLL;
  if (H.Contains(P.X, P.Y)) return HTHSCROLL;
  if (!V.IsEmpty() && !H.IsEmpty() && TRect{V.Left, H.Top, V.Right, H.Bottom}.Contains(P.X, P.Y))
    return HTSIZE;
  if (!HasWindowManagerFrame(W) && (W->Style & WS_THICKFRAME)) {
    const int F = Metric(SM_CXFRAME);
    // Corners reach a little along each edge, as on Windows.
    const int Corner = F + Metric(SM_CYSMCAPTION);
    const int Width = WR.Width(), Height = WR.Height();
    const bool Top = P.Y < F, Bottom = P.Y >= Height - F;
    const bool Left = P.X < F, Right = P.X >= Width - F;
    if (Top || Bottom) {
      if (P.X < Corner) return Top ? HTTOPLEFT : HTBOTTOMLEFT;
      if (P.X >= Width - Corner) return Top ? HTTOPRIGHT : HTBOTTOMRIGHT;
      return Top ? HTTOP : HTBOTTOM;
    }
    if (Left || Right) {
      if (P.Y < Corner) return Left ? HTTOPLEFT : HTTOPRIGHT;
      if (P.Y >= Height - Corner) return Left ? HTBOTTOMLEFT : HTBOTTOMRIGHT;
      return Left ? HTLEFT : HTRIGHT;
    }
  }
  return HTBORDER;
}

// ---- scroll bar API

static TScrollBarState* BarState(TWindow* W, int Bar) {
  if (Bar == SB_VERT) return &W->VScroll;
  if (Bar == SB_HORZ) return &W->HScroll;
  return nullptr;
}

static void SetBarShown(TWindowCore& Core, HWND Window, int Bar, bool Show) {
  TWindow* W = Core.Lookup(Window);
  if (!W) return;
  const DWORD Bits = Bar == SB_VERT   ? WS_VSCROLL
                     : Bar == SB_HORZ ? WS_HSCROLL
                                      : WS_VSCROLL | WS_HSCROLL;
  const DWORD Style = Show ? (W->Style | Bits) : (W->Style & ~Bits);
  if (Style == W->Style) return;
  W->Style = Style;
  Core.SetWindowPosImpl(W, nullptr, 0, 0, 0, 0,
                        SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int SetScrollInfo(HWND Window, int Bar, const SCROLLINFO& Info, bool Redraw) {
  TWindowCore* C = TWindowCore::Current();
  TWindow* W = C ? C->Lookup(Window) : nullptr;
  TScrollBarState* S = W ? BarState(W, Bar) : nullptr;
  if (!S) return 0;
  if (Info.fMask & SIF_RANGE) {
    S->Min = Info.nMin;
    S->Max = std::max(Info.nMin, Info.nMax);
  }
  const long long Range = (long long)S->Max - S->Min + 1;
  if (Info.fMask & SIF_PAGE) S->Page = UINT(std::min<long long>(Info.nPage, Range));
  if (Info.fMask & SIF_POS) S->Pos = Info.nPos;
  const int MaxPos = int((long long)S->Max - std::max<long long>((long long)S->Page - 1, 0));
  S->Pos = std::clamp(S->Pos, S->Min, std::max(S->Min, MaxPos));
  const int Pos = S->Pos;
  if (Info.fMask & (SIF_RANGE | SIF_PAGE)) {
    // A bar with nothing to scroll goes away, or shows disabled when asked.
    const bool Needed = S->Min < MaxPos;
    S->Disabled = !Needed && (Info.fMask & SIF_DISABLENOSCROLL);
    SetBarShown(*C, Window, Bar, Needed || (Info.fMask & SIF_DISABLENOSCROLL));
  }
  if (Redraw && (W = C->Lookup(Window)) != nullptr && C->IsVisibleDeep(W)) W->NeedNcPaint = true;
  return Pos;
}

bool GetScrollInfo(HWND Window, int Bar, SCROLLINFO& Info) {
  TWindowCore* C = TWindowCore::Current();
  TWindow* W = C ? C->Lookup(Window) : nullptr;
  TScrollBarState* S = W ? BarState(W, Bar) : nullptr;
  if (!S) return false;
  if (Info.fMask & SIF_RANGE) Info.nMin = S->Min, Info.nMax = S->Max;
  if (Info.fMask & SIF_PAGE) Info.nPage = S->Page;
  if (Info.fMask & SIF_POS) Info.nPos = S->Pos;
  if (Info.fMask & SIF_TRACKPOS) Info.nTrackPos = S->TrackPos;
  return true;
}

int SetScrollPos(HWND Window, int Bar, int Pos, bool Redraw) {
  TWindowCore* C = TWindowCore::Current();
  TWindow* W = C ? C->Lookup(Window) : nullptr;
  TScrollBarState* S = W ? BarState(W, Bar) : nullptr;
  if (!S) return 0;
  const int Old = S->Pos;
  SCROLLINFO Info;
  Info.fMask = SIF_POS;
  Info.nPos = Pos;
  SetScrollInfo(Window, Bar, Info, Redraw);
  return Old;
}

int GetScrollPos(HWND Window, int Bar) {
  SCROLLINFO Info;
  Info.fMask = SIF_POS;
  return GetScrollInfo(Window, Bar, Info) ? Info.nPos : 0;
}
