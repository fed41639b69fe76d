#include "platform/gdi/TextRun.h"

#include <cstdint>

namespace {

TRect CutBy(const TRect& R, const TRect* Clip) { return Clip ? R.Intersected(*Clip) : R; }

// Ink over Pixel at coverage Alpha (1..254), channel by channel, rounded.
std::uint32_t Blend(std::uint32_t Pixel, std::uint32_t Ink, std::uint32_t Alpha) {
  std::uint32_t Result = 0;
  for (int Shift = 0; Shift <= 16; Shift += 8) {
    std::uint32_t D = (Pixel >> Shift) & 0xFF, C = (Ink >> Shift) & 0xFF;
    Result |= ((C * Alpha + D * (255 - Alpha) + 127) / 255) << Shift;
  }
  return Result;
}

}  // namespace

int DrawTextRun(TDeviceContext& DC, TRealizedFont& Font, int Left, int Top, std::string_view Text,
                const TRect* Clip, bool Opaque) {
  const TTextMetric& Metric = Font.TextMetric();
  const int Width = Font.TextWidth(Text);
  if (!DC.Target()) return Width;
  const TPoint Origin = DC.ToDevice(Left, Top);
  const TRect Cell{Origin.X, Origin.Y, Origin.X + Width, Origin.Y + Metric.tmHeight};
  if (Opaque) DC.FillDeviceRect(CutBy(Cell, Clip), DC.PixelOf(DC.State().BkColor));

  const std::uint32_t Ink = DC.PixelOf(DC.State().TextColor);
  const bool Monochrome = DC.IsMonochrome();
  TSurface& Surface = *DC.Target();
  const int Baseline = Origin.Y + Metric.tmAscent;
  int Pen = Origin.X;
  for (std::size_t Pos = 0; Pos < Text.size();) {
    std::size_t Length = 1;
    const TGlyph& Glyph = Font.Glyph(Text, Pos, &Length);
    const TRect Box{Pen + Glyph.Left, Baseline - Glyph.Top, Pen + Glyph.Left + Glyph.Width,
                    Baseline - Glyph.Top + Glyph.Height};
    DC.ForEachClipRect(CutBy(Box, Clip), [&](const TRect& Part) {
      for (int Y = Part.Top; Y < Part.Bottom; ++Y) {
        const std::uint8_t* Coverage =
            Glyph.Coverage.data() + static_cast<std::size_t>(Y - Box.Top) * Glyph.Width;
        std::uint32_t* Row = Surface.Row(Y);
        for (int X = Part.Left; X < Part.Right; ++X) {
          const std::uint32_t Alpha = Coverage[X - Box.Left];
          if (Alpha == 0) continue;
          if (Monochrome)
            Row[X] = Alpha >= 128 ? Ink : Row[X];
          else
            Row[X] = Alpha == 255 ? Ink : Blend(Row[X], Ink, Alpha);
        }
      }
    });
    Pen += Glyph.Advance;
    Pos += Length;
  }

  const TLogFont& Request = Font.LogFont();
  if (Request.Underline) {
    const int Y = Origin.Y + Font.UnderlineTop();
    DC.FillDeviceRect(CutBy({Cell.Left, Y, Cell.Right, Y + Font.UnderlineThickness()}, Clip), Ink);
  }
  if (Request.StrikeOut) {
    const int Y = Origin.Y + Font.StrikeOutTop();
    DC.FillDeviceRect(CutBy({Cell.Left, Y, Cell.Right, Y + Font.StrikeOutThickness()}, Clip), Ink);
  }
  return Width;
}

void FillTextColorRect(TDeviceContext& DC, const TRect& R, const TRect* Clip) {
  DC.FillDeviceRect(CutBy(DC.ToDevice(R), Clip), DC.PixelOf(DC.State().TextColor));
}
