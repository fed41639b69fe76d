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

void DrawCheckMark(TDeviceContext& DC, int X, int Y, TColor Color) {
  const TLogBrush Brush = SolidBrush(Color);
  for (int Row = 0; Row < kCheckSize; ++Row)
    for (int Col = 0; Col < kCheckSize; ++Col)
      if (kCheckMark[Row][Col] == '#')
        FillRect(DC, TRect{X + Col, Y + Row, X + Col + 1, Y + Row + 1}, Brush);
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

TMenuLayout MeasureMenu(TCanvas& Canvas, const std::vector<TMenuRow>& Rows) {
  TMenuLayout Layout;
  int TextWidth = 0;
  int Y = kFrame;
  for (const TMenuRow& Row : Rows) {
    const int H = Row.Separator ? kSeparatorHeight : kRowHeight;
    Layout.Rows.push_back(TRect{kFrame, Y, 0, Y + H});
    Y += H;
    if (Row.Separator || Row.Caption.empty()) continue;
    TRect R{0, 0, 0, 0};
    Canvas.DrawText(Row.Caption, R, kCaptionFormat | DT_CALCRECT);
    TextWidth = std::max(TextWidth, R.Width());
  }
  Layout.Width = 2 * kFrame + kCheckColumn + TextWidth + kRightGap;
  Layout.Height = Y + kFrame;
  for (TRect& R : Layout.Rows) R.Right = Layout.Width - kFrame;
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
  DrawEdge(*Canvas.Handle(), Frame, EDGE_RAISED, BF_RECT);

  Canvas.Brush()->SetStyle(bsClear);
  for (std::size_t I = 0; I < Rows.size() && I < Layout.Rows.size(); ++I) {
    const TMenuRow& Row = Rows[I];
    const TRect& R = Layout.Rows[I];
    if (Row.Separator) {
      // An etched line across the middle of the row.
      TRect Line{R.Left, R.Top + (R.Height() - 2) / 2, R.Right, R.Bottom};
      DrawEdge(*Canvas.Handle(), Line, EDGE_ETCHED, BF_TOP);
      continue;
    }
    const bool Selected = int(I) == Highlight;
    if (Selected) {
      Canvas.Brush()->SetColor(clHighlight);
      Canvas.FillRect(R);
      Canvas.Brush()->SetStyle(bsClear);
    }
    const TRect Text{R.Left + kCheckColumn, R.Top, R.Right - kRightGap, R.Bottom};
    const int CheckX = R.Left + (kCheckColumn - kCheckSize) / 2;
    const int CheckY = R.Top + (R.Height() - kCheckSize) / 2;
    if (Row.Enabled) {
      const TColor Color = Selected ? clHighlightText : clMenuText;
      if (Row.Checked) DrawCheckMark(*Canvas.Handle(), CheckX, CheckY, Color);
      DrawCaption(Canvas, Row.Caption, Text, Color);
    } else if (Selected) {
      // On the highlight bar a disabled item is plain grey: the emboss would
      // vanish into the bar.
      if (Row.Checked) DrawCheckMark(*Canvas.Handle(), CheckX, CheckY, clGrayText);
      DrawCaption(Canvas, Row.Caption, Text, clGrayText);
    } else {
      // Embossed: a light copy one pixel down and right, the shadow on top.
      if (Row.Checked) {
        DrawCheckMark(*Canvas.Handle(), CheckX + 1, CheckY + 1, clBtnHighlight);
        DrawCheckMark(*Canvas.Handle(), CheckX, CheckY, clBtnShadow);
      }
      TRect Light{Text.Left + 1, Text.Top + 1, Text.Right + 1, Text.Bottom + 1};
      DrawCaption(Canvas, Row.Caption, Light, clBtnHighlight);
      DrawCaption(Canvas, Row.Caption, Text, clBtnShadow);
    }
  }
}
