#include <algorithm>

#include "platform/gdi/Text.h"
#include "platform/gdi/TextRun.h"

namespace {

class TFontMeasure : public TTextMeasure {
public:
  TFontMeasure(TRealizedFont& Font, int TabChars) : FFont(Font), FTabChars(TabChars) {}
  int Advance(std::string_view Text, std::size_t Pos, std::size_t* Length) override {
    return FFont.CharAdvance(Text, Pos, Length);
  }
  int TabWidth() override { return FTabChars * FFont.TextMetric().tmAveCharWidth; }

private:
  TRealizedFont& FFont;
  int FTabChars;
};

}  // namespace

int DrawText(TDeviceContext& DC, std::string_view Text, TRect& Rect, unsigned Format) {
  // DT_TABSTOP takes the tab length, in characters, from the flags' second
  // byte; the flags that share those bits are then off.
  int TabChars = 8;
  if (Format & DT_TABSTOP) {
    TabChars = static_cast<int>((Format >> 8) & 0xFF);
    Format &= ~0xFF00u;
  }
  if (Text.empty()) {
    if (Format & DT_CALCRECT) {
      Rect.Right = Rect.Left;
      Rect.Bottom = Rect.Top;
    }
    return 0;
  }
  std::shared_ptr<TRealizedFont> Font = GetCurrentFont(DC);
  const TTextMetric& Metric = Font->TextMetric();
  const int LineHeight =
      Metric.tmHeight + ((Format & DT_EXTERNALLEADING) ? Metric.tmExternalLeading : 0);
  const bool Calc = (Format & DT_CALCRECT) != 0;
  const bool Clip = !(Format & DT_NOCLIP) && !Calc;

  TTextLayoutRequest Request;
  Request.Format = Format;
  Request.MaxWidth = Rect.Width();
  // An ellipsis also marks text cut off at the bottom of the rectangle.
  if (Clip && (Format & DT_WORDBREAK) && (Format & DT_END_ELLIPSIS) && !(Format & DT_SINGLELINE))
    Request.MaxLines = std::max(1, Rect.Height() / std::max(1, LineHeight));
  TFontMeasure Measure(*Font, TabChars);
  const std::vector<TTextLine> Lines = LayoutText(Text, Request, Measure);

  if (Calc) {
    int Widest = 0;
    for (const TTextLine& Line : Lines) Widest = std::max(Widest, Line.Width);
    const int Height = static_cast<int>(Lines.size()) * LineHeight;
    Rect.Right = Rect.Left + Widest;
    Rect.Bottom = Rect.Top + Height;
    return Height;
  }

  int Y = Rect.Top;
  if (Format & DT_SINGLELINE) {
    if (Format & DT_VCENTER)
      Y = Rect.Top + (Rect.Height() - LineHeight) / 2;
    else if (Format & DT_BOTTOM)
      Y = Rect.Bottom - LineHeight;
  }
  const TRect DeviceRect = DC.ToDevice(Rect);
  const TRect* TextClip = Clip ? &DeviceRect : nullptr;
  const bool Opaque = DC.State().BkMode == OPAQUE;
  for (const TTextLine& Line : Lines) {
    int X = Rect.Left;
    if (Format & DT_CENTER)
      X = Rect.Left + (Rect.Width() - Line.Width) / 2;
    else if (Format & DT_RIGHT)
      X = Rect.Right - Line.Width;
    if (!(Format & DT_PREFIXONLY))
      for (const TTextSegment& Segment : Line.Segments)
        DrawTextRun(DC, *Font, X + Segment.X, Y,
                    std::string_view(Line.Text).substr(Segment.Offset, Segment.Length), TextClip,
                    Opaque);
    // The prefix underline sits where the font's own underline would.
    if (Line.UnderlineX >= 0 && !(Format & DT_HIDEPREFIX)) {
      const int Top = Y + Font->UnderlineTop();
      FillTextColorRect(DC,
                        TRect{X + Line.UnderlineX, Top, X + Line.UnderlineX + Line.UnderlineWidth,
                              Top + Font->UnderlineThickness()},
                        TextClip);
    }
    Y += LineHeight;
    // Lines wholly below a clipping rectangle are not drawn, and the height
    // answered stops with the first line that reaches past it.
    if (Clip && Y > Rect.Bottom) break;
  }
  return Y - Rect.Top;
}
