#include "platform/gdi/Text.h"

#include "platform/gdi/TextRun.h"

std::shared_ptr<TRealizedFont> GetCurrentFont(const TDeviceContext& DC) {
  return TRealizedFont::Create(DC.State().Font);
}

TTextMetric GetTextMetrics(const TDeviceContext& DC) { return GetCurrentFont(DC)->TextMetric(); }

TTextExtent GetTextExtentPoint(const TDeviceContext& DC, std::string_view Text) {
  std::shared_ptr<TRealizedFont> Font = GetCurrentFont(DC);
  return TTextExtent{Font->TextWidth(Text), Font->TextMetric().tmHeight};
}

namespace {

void OutputText(TDeviceContext& DC, int X, int Y, const TRect* Clip, std::string_view Text) {
  std::shared_ptr<TRealizedFont> Font = GetCurrentFont(DC);
  const TTextMetric& Metric = Font->TextMetric();
  const unsigned Align = DC.State().TextAlign;
  const bool UpdateCP = (Align & TA_UPDATECP) != 0;
  if (UpdateCP) {
    X = DC.State().PenPos.X;
    Y = DC.State().PenPos.Y;
  }
  const int Width = Font->TextWidth(Text);
  int Left = X, Top = Y;
  if ((Align & TA_CENTER) == TA_CENTER)
    Left = X - Width / 2;
  else if (Align & TA_RIGHT)
    Left = X - Width;
  if ((Align & TA_BASELINE) == TA_BASELINE)
    Top = Y - Metric.tmAscent;
  else if (Align & TA_BOTTOM)
    Top = Y - Metric.tmHeight;
  DrawTextRun(DC, *Font, Left, Top, Text, Clip, DC.State().BkMode == OPAQUE);
  // The current position moves past the text, away from the reference point.
  if (UpdateCP && (Align & TA_CENTER) != TA_CENTER)
    DC.MoveTo((Align & TA_RIGHT) ? Left : Left + Width, Y);
}

}  // namespace

void TextOut(TDeviceContext& DC, int X, int Y, std::string_view Text) {
  OutputText(DC, X, Y, nullptr, Text);
}

void ExtTextOut(TDeviceContext& DC, int X, int Y, unsigned Options, const TRect* Rect,
                std::string_view Text) {
  TRect DeviceRect;
  if (Rect) DeviceRect = DC.ToDevice(*Rect);
  if (Rect && (Options & ETO_OPAQUE)) DC.FillDeviceRect(DeviceRect, DC.PixelOf(DC.State().BkColor));
  OutputText(DC, X, Y, Rect && (Options & ETO_CLIPPED) ? &DeviceRect : nullptr, Text);
}
