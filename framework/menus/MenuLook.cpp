#include "framework/menus/MenuLook.h"

#include <algorithm>

#include "platform/gdi/FrameControls.h"
#include "platform/gdi/Primitives.h"
#include "platform/text/Cp932.h"

using namespace menulook;

namespace {

// The classic menu check mark, the same 7 by 7 glyph a checked box shows.
constexpr const char* kCheckMark[kCheckSize] = {
    "......#",  //
    ".....##",  //
    "#...###",  //
    "##.###.",  //
    "#####..",  //
    ".###...",  //
    "..#....",
};

constexpr unsigned kCaptionFormat = DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_EXPANDTABS;

// Each pixel of the mark is a square of Dot pixels: enlarged, never blended.
void DrawCheckMark(TDeviceContext& DC, int X, int Y, TColor Color, int Dot) {
  const TLogBrush Brush = SolidBrush(Color);
  for (int Row = 0; Row < kCheckSize; ++Row)
    for (int Col = 0; Col < kCheckSize; ++Col)
      if (kCheckMark[Row][Col] == '#')
        FillRect(DC, TRect{X + Col * Dot, Y + Row * Dot, X + (Col + 1) * Dot, Y + (Row + 1) * Dot},
                 Brush);
}

void DrawCaption(TCanvas& Canvas, const std::string& Caption, TRect R, TColor Color) {
  Canvas.Font()->SetColor(Color);
  Canvas.DrawText(Caption, R, kCaptionFormat);
}

}  // namespace

char AccessKeyOf(std::string_view Caption) {
  std::size_t Pos = 0;
  while (Pos < Caption.size()) {
    if (Caption[Pos] == '&') {
      if (Pos + 1 >= Caption.size()) return 0;
      if (Caption[Pos + 1] == '&') {
        Pos += 2;
        continue;
      }
      const unsigned char Key = static_cast<unsigned char>(Caption[Pos + 1]);
      if (cp932::IsLeadByte(Key)) return 0;
      return (Key >= 'a' && Key <= 'z') ? char(Key - 'a' + 'A') : char(Key);
    }
    Pos = cp932::NextCharPos(Caption, Pos);
  }
  return 0;
}

TMenuLayout MeasureMenu(TCanvas& Canvas, const std::vector<TMenuRow>& Rows, const TScale& Scale) {
  TMenuLayout Layout;
  Layout.Scale = Scale;
  const int Frame = Scale.Stroke(1) * kFrame;
  int TextWidth = 0;
  int Y = Frame;
  for (const TMenuRow& Row : Rows) {
    const int H = Scale.Apply(Row.Separator ? kSeparatorHeight : kRowHeight);
    Layout.Rows.push_back(TRect{Frame, Y, 0, Y + H});
    Y += H;
    if (Row.Separator || Row.Caption.empty()) continue;
    TRect R{0, 0, 0, 0};
    Canvas.DrawText(Row.Caption, R, kCaptionFormat | DT_CALCRECT);
    TextWidth = std::max(TextWidth, R.Width());
  }
  Layout.Width = 2 * Frame + Scale.Apply(kCheckColumn) + TextWidth + Scale.Apply(kRightGap);
  Layout.Height = Y + Frame;
  for (TRect& R : Layout.Rows) R.Right = Layout.Width - Frame;
  return Layout;
}

int MenuRowAt(const TMenuLayout& Layout, const TPoint& Point) {
  for (std::size_t I = 0; I < Layout.Rows.size(); ++I)
    if (Layout.Rows[I].Contains(Point.X, Point.Y)) return int(I);
  return -1;
}

void DrawMenu(TCanvas& Canvas, const TMenuLayout& Layout, const std::vector<TMenuRow>& Rows,
              int Highlight) {
  TRect Frame{0, 0, Layout.Width, Layout.Height};
  Canvas.Brush()->SetColor(clMenu);
  Canvas.FillRect(Frame);
  const int Stroke = Layout.Scale.Stroke(1);
  DrawEdge(*Canvas.Handle(), Frame, EDGE_RAISED, BF_RECT, Stroke);
  const int CheckColumn = Layout.Scale.Apply(kCheckColumn);
  const int RightGap = Layout.Scale.Apply(kRightGap);
  const int CheckSize = kCheckSize * Stroke;

  Canvas.Brush()->SetStyle(bsClear);
  for (std::size_t I = 0; I < Rows.size() && I < Layout.Rows.size(); ++I) {
    const TMenuRow& Row = Rows[I];
    const TRect& R = Layout.Rows[I];
    if (Row.Separator) {
      // An etched line across the middle of the row.
      TRect Line{R.Left, R.Top + (R.Height() - 2 * Stroke) / 2, R.Right, R.Bottom};
      DrawEdge(*Canvas.Handle(), Line, EDGE_ETCHED, BF_TOP, Stroke);
      continue;
    }
    const bool Selected = int(I) == Highlight;
    if (Selected) {
      Canvas.Brush()->SetColor(clHighlight);
      Canvas.FillRect(R);
      Canvas.Brush()->SetStyle(bsClear);
    }
    const TRect Text{R.Left + CheckColumn, R.Top, R.Right - RightGap, R.Bottom};
    const int CheckX = R.Left + (CheckColumn - CheckSize) / 2;
    const int CheckY = R.Top + (R.Height() - CheckSize) / 2;
    if (Row.Enabled) {
      const TColor Color = Selected ? clHighlightText : clMenuText;
      if (Row.Checked) DrawCheckMark(*Canvas.Handle(), CheckX, CheckY, Color, Stroke);
      DrawCaption(Canvas, Row.Caption, Text, Color);
    } else if (Selected) {
      // On the highlight bar a disabled item is plain grey: the emboss would
      // vanish into the bar.
      if (Row.Checked) DrawCheckMark(*Canvas.Handle(), CheckX, CheckY, clGrayText, Stroke);
      DrawCaption(Canvas, Row.Caption, Text, clGrayText);
    } else {
      // Embossed: a light copy one pixel down and right, the shadow on top.
      if (Row.Checked) {
        DrawCheckMark(*Canvas.Handle(), CheckX + Stroke, CheckY + Stroke, clBtnHighlight, Stroke);
        DrawCheckMark(*Canvas.Handle(), CheckX, CheckY, clBtnShadow, Stroke);
      }
      TRect Light{Text.Left + Stroke, Text.Top + Stroke, Text.Right + Stroke, Text.Bottom + Stroke};
      DrawCaption(Canvas, Row.Caption, Light, clBtnHighlight);
      DrawCaption(Canvas, Row.Caption, Text, clBtnShadow);
    }
  }
}
