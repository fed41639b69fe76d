// The popup's placement and the parts of its frame: where the list goes on
// the screen, which corner carries the grip, and how the close button and
// the grip are drawn.

#include <algorithm>

#include "controls/picker/Dxfpopup.h"
#include "framework/forms/Forms.h"
#include "platform/gdi/Blit.h"
#include "platform/gdi/FrameControls.h"
#include "platform/gdi/Primitives.h"
#include "platform/gdi/SysColors.h"

namespace {

// The primary display, from the screen object while the application runs.
int ScreenWidth() { return ::Screen ? ::Screen->Width() : GetSystemMetrics(SM_CXSCREEN); }
int ScreenHeight() { return ::Screen ? ::Screen->Height() : GetSystemMetrics(SM_CYSCREEN); }

bool IsRightCorner(TdxfCorner Corner) { return Corner == coTopRight || Corner == coBottomRight; }
bool IsBottomCorner(TdxfCorner Corner) { return Corner == coBottomLeft || Corner == coBottomRight; }

}  // namespace

TRect GetPopupRect(const TPoint& P, const TRect& R, int H) {
  const int SW = ScreenWidth(), SH = ScreenHeight();
  const int W = R.Right - R.Left, Ht = R.Bottom - R.Top;
  TRect Result{P.X, P.Y + H, P.X + W, P.Y + H + Ht};
  if (Result.Bottom > SH) {
    Result.Top = P.Y - Ht;
    Result.Bottom = P.Y;
    if (Result.Top < 0) {
      if (SH - H - P.Y < P.Y) {
        Result.Top = 0;
        Result.Bottom = P.Y;
      } else {
        Result.Top = P.Y + H;
        Result.Bottom = SH;
      }
    }
  }
  if (Result.Right > SW) {
    const int Excess = Result.Right - SW;
    Result.Left -= Excess;
    Result.Right -= Excess;
  }
  if (Result.Left < 0) {
    Result.Right -= Result.Left;
    Result.Left = 0;
  }
  return Result;
}

TdxfCorner GetCornerForRects(const TRect& ComboRect, const TRect& PopupRect) {
  const bool Below = ComboRect.Bottom < PopupRect.Bottom;
  bool Right = PopupRect.Right > ComboRect.Left;
  // A list pushed against the screen's right edge keeps its grip on the
  // left, where there is room to drag.
  if (PopupRect.Right == ScreenWidth()) Right = false;
  if (Right) return Below ? coBottomRight : coTopRight;
  return Below ? coBottomLeft : coTopLeft;
}

int GetHitTestByCorner(TdxfCorner Corner) {
  switch (Corner) {
    case coTopLeft:
      return HTTOPLEFT;
    case coTopRight:
      return HTTOPRIGHT;
    case coBottomLeft:
      return HTBOTTOMLEFT;
    case coBottomRight:
      break;
  }
  return HTBOTTOMRIGHT;
}

void DrawSizeGrip(HDC DC, TRect& R, TdxfCorner Corner) {
  // The window layer's scroll-bar square, at the program's scale.
  const int CX = GetScaledSystemMetrics(SM_CXVSCROLL), CY = GetScaledSystemMetrics(SM_CYHSCROLL);
  const bool Right = IsRightCorner(Corner), Bottom = IsBottomCorner(Corner);
  if (Right)
    R.Left = R.Right - CX;
  else
    R.Right = R.Left + CX;
  if (Bottom)
    R.Top = R.Bottom - CY;
  else
    R.Bottom = R.Top + CY;
  const int Inset = 2 * GetScaledStroke();
  const int DX = Right ? -Inset : Inset, DY = Bottom ? -Inset : Inset;
  R.Offset(DX, DY);

  // The system draws the grip for the bottom-right corner; mirroring it
  // points the ridges into whichever corner the grip sits in.
  const int W = R.Right - R.Left, H = R.Bottom - R.Top;
  TDeviceBitmap Glyph(W, H);
  TDeviceContext Memory(Glyph);
  DrawFrameControl(Memory, TRect{0, 0, W, H}, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
  StretchBlt(*DC, R.Left, R.Top, W, H, Memory, Right ? 0 : W - 1, Bottom ? 0 : H - 1,
             Right ? W : -W, Bottom ? H : -H, SRCCOPY);
}

void DrawCloseButton(HDC DC, TRect& R, bool Raised, bool Sunken, TdxfCorner Corner) {
  const int Side = R.Bottom - R.Top + 1;
  if (IsRightCorner(Corner))
    R.Right = R.Left + Side;
  else
    R.Left = R.Right - Side;
  // Off the separator line between the strip and the list.
  if (IsBottomCorner(Corner))
    R.Top += 1;
  else
    R.Bottom -= 1;
  R.Inflate(-1, -1);

  const TLogBrush Face = GetSysColorBrush(COLOR_BTNFACE);
  if (Raised) {
    TRect Edge = R;
    DrawEdge(*DC, Edge, Sunken ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  } else {
    FrameRect(*DC, R, Face);
  }
  R.Inflate(-1, -1);
  FrameRect(*DC, R, Face);

  // The caption glyph is drawn one pixel taller than the button and clipped
  // inside its own frame, which leaves only the cross and its face.
  TRegion Saved;
  const bool HadClip = DC->GetClipRegion(Saved);
  const TRect Inside = R.Inflated(-1, -1);
  DC->IntersectClipRect(Inside);
  DrawFrameControl(*DC, TRect{R.Left, R.Top, R.Right, R.Bottom + 1}, DFC_CAPTION,
                   DFCS_CAPTIONCLOSE | DFCS_FLAT | (Sunken ? DFCS_PUSHED : 0u));
  DC->SelectClipRegion(HadClip ? &Saved : nullptr);
  R.Inflate(1, 1);
}

TWinControl* GetTopLevelControl(TWinControl* Control) {
  if (!Control) return nullptr;
  while (Control->Parent()) Control = Control->Parent();
  return Control;
}
