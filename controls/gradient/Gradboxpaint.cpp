#include "controls/gradient/Gradboxpaint.h"

#include <algorithm>
#include <climits>

#include "platform/gdi/SysColors.h"
#include "platform/gdi/TextLayout.h"

namespace {

// The system colours a gradient end may name: scroll bar (0) to tooltip
// background (24). Higher indexes are not resolved but split as they are.
constexpr std::uint32_t kFirstSysColor = 0x80000000u;
constexpr std::uint32_t kLastSysColor = 0x80000018u;

// The caption is laid out like a multi-line label: wrapped at the right edge,
// tabs expanded, '&' underlining the next character.
constexpr unsigned kCaptionFormat = DT_WORDBREAK | DT_EXPANDTABS;

// A running channel value as a colour byte: truncated toward zero (never
// rounded), then cut to its low eight bits.
std::uint32_t ChannelByte(long double Value) {
  return static_cast<std::uint32_t>(static_cast<long long>(Value)) & 0xFFu;
}

}  // namespace

void GetRGB(TColor Color, std::uint8_t& R, std::uint8_t& G, std::uint8_t& B) {
  const auto Value = static_cast<std::uint32_t>(Color);
  if (Value >= kFirstSysColor && Value <= kLastSysColor)
    Color = GetSysColor(static_cast<int>(Value - kFirstSysColor));
  R = static_cast<std::uint8_t>(Color & 0xFF);
  G = static_cast<std::uint8_t>((Color >> 8) & 0xFF);
  B = static_cast<std::uint8_t>((Color >> 16) & 0xFF);
}

void FillGradientColors(TGradColors& Colors, TColor Top, TColor Last, TGradStyle Style) {
  TColor Start, End;
  switch (Style) {
    case gsTopBottom:
    case gsLeftRight:
      Start = Top;
      End = Last;
      break;
    case gsBottomTop:
    case gsRightLeft:
      Start = Last;
      End = Top;
      break;
    default:
      return;
  }
  std::uint8_t Rs, Gs, Bs, Re, Ge, Be;
  GetRGB(Start, Rs, Gs, Bs);
  GetRGB(End, Re, Ge, Be);

  // The steps are in 80-bit extended precision and applied by repeated
  // subtraction, so the rounding error builds up exactly as it always has:
  // a channel going from 0 to 5 shows 2, not 3, at entry 153. Stored layouts
  // were designed against these colours.
  const long double StepR = static_cast<long double>(int(Rs) - int(Re)) / 255;
  const long double StepG = static_cast<long double>(int(Gs) - int(Ge)) / 255;
  const long double StepB = static_cast<long double>(int(Bs) - int(Be)) / 255;
  long double R = Rs, G = Gs, B = Bs;

  Colors[0] = Start;
  for (int I = 1; I < kGradSteps - 1; ++I) {
    R -= StepR;
    G -= StepG;
    B -= StepB;
    Colors[I] =
        static_cast<TColor>(ChannelByte(R) | (ChannelByte(G) << 8) | (ChannelByte(B) << 16));
  }
  Colors[kGradSteps - 1] = End;
}

void PaintGradientBands(TCanvas& Canvas, const TGradColors& Colors, TGradStyle Style, int Width,
                        int Height) {
  bool Horizontal;
  switch (Style) {
    case gsTopBottom:
    case gsBottomTop:
      Horizontal = true;
      break;
    case gsLeftRight:
    case gsRightLeft:
      Horizontal = false;
      break;
    default:
      return;
  }
  const long double Scale = static_cast<long double>(Horizontal ? Height : Width) / 255;
  const int Band = static_cast<int>(Scale + 1);
  // Each band starts where the previous index would put it: the start is
  // moved only after entry I is drawn, so entries 0 and 1 fill the same band
  // and entry k lies at trunc((k - 1) * Scale). Bands overlap when Scale is
  // not whole; the later entry wins and the last one reaches the far edge.
  int Start = 0;
  for (int I = 0; I < kGradSteps; ++I) {
    const int End = static_cast<int>(std::min<long long>(INT_MAX, 0LL + Start + Band));
    const TRect R = Horizontal ? TRect{0, Start, Width, End} : TRect{Start, 0, End, Height};
    Canvas.Brush()->SetColor(Colors[I]);
    Canvas.FillRect(R);
    Start = static_cast<int>(I * Scale);
  }
}

void DrawCaption(TCanvas& Canvas, const TFont& Font, std::string_view Caption, const TRect& Rect,
                 const TCaptionLook& Look) {
  TRect R = Rect;
  const int Depth = Look.Depth;
  const auto DrawAt = [&Canvas, Caption](const TRect& At) {
    TRect Work = At;
    Canvas.DrawText(Caption, Work, kCaptionFormat);
  };

  Canvas.Brush()->SetStyle(bsClear);
  Canvas.SetFont(&Font);

  if (!Look.Enabled) {
    // Engraved: a highlight one pixel down and right, the grey face on top.
    R.Offset(1, 1);
    Canvas.Font()->SetColor(0xFFFFFF);
    DrawAt(R);
    R.Offset(-1, -1);
    Canvas.Font()->SetColor(0x808080);
    DrawAt(R);
    return;
  }
  if (!Look.Font3D) {
    DrawAt(R);
    return;
  }

  Canvas.Font()->SetColor(Look.BackFont);
  switch (Look.Style3D) {
    case fsLowShadow:
      R.Offset(Depth, Depth);
      DrawAt(R);
      R.Offset(-Depth, -Depth);
      break;
    case fsRaiseShadow:
      R.Offset(-Depth, -Depth);
      DrawAt(R);
      R.Offset(Depth, Depth);
      break;
    case fsLow3D:
      // One copy per pixel of depth, the deepest drawn last.
      for (int I = 0; I < Depth; ++I) {
        R.Offset(1, 1);
        DrawAt(R);
      }
      R.Offset(-Depth, -Depth);
      break;
    case fsRaise3D:
      for (int I = 0; I < Depth; ++I) {
        R.Offset(-1, -1);
        DrawAt(R);
      }
      R.Offset(Depth, Depth);
      break;
  }
  Canvas.SetFont(&Font);
  DrawAt(R);
}
