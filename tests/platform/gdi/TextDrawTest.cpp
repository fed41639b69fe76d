// Text drawn on device contexts with the layouts' font ("ＭＳ Ｐゴシック" -12,
// which is IPAPGothic here): geometry of DrawText (breaks, CALCRECT sizes,
// ellipsis, prefix underline, alignment, clipping) and the pixel rules of
// text output (colours, opaque background, underline and strikeout rows).

#include <gtest/gtest.h>

#include <string>

#include "platform/PixelAssert.h"
#include "platform/gdi/Text.h"

namespace {

constexpr TColor kWhite = RGB(255, 255, 255);
constexpr TColor kBlack = RGB(0, 0, 0);
constexpr TColor kRed = RGB(255, 0, 0);
constexpr TColor kBlue = RGB(0, 0, 255);

TLogFont LayoutFont() {
  TLogFont Font;
  Font.Face = "ＭＳ Ｐゴシック";
  Font.Height = -12;
  Font.Charset = SHIFTJIS_CHARSET;
  return Font;
}

struct TCanvas {
  TSurface Surface;
  TDeviceContext DC;
  TCanvas(int Width, int Height, TColor Background = kWhite)
      : Surface(Width, Height, ColorToPixel(Background)), DC(Surface) {
    DC.SetFont(LayoutFont());
    DC.SetBkMode(TRANSPARENT);
    DC.SetTextColor(kBlack);
  }
};

// The smallest rectangle of pixels that differ from Background; empty when
// none does.
TRect InkBounds(const TSurface& Surface, TColor Background = kWhite) {
  const std::uint32_t Paper = ColorToPixel(Background);
  TRect Box{Surface.Width(), Surface.Height(), 0, 0};
  for (int Y = 0; Y < Surface.Height(); ++Y)
    for (int X = 0; X < Surface.Width(); ++X)
      if ((Surface.Row(Y)[X] & 0xFFFFFF) != Paper) {
        Box.Left = std::min(Box.Left, X);
        Box.Top = std::min(Box.Top, Y);
        Box.Right = std::max(Box.Right, X + 1);
        Box.Bottom = std::max(Box.Bottom, Y + 1);
      }
  return Box.IsEmpty() ? TRect{} : Box;
}

// Rows of the area as '#' (exactly Ink), '.' (exactly Paper) and '+'
// (anything between: anti-aliased edges).
std::vector<std::string> InkMask(const TSurface& Surface, const TRect& Area, TColor Ink = kBlack,
                                 TColor Paper = kWhite) {
  std::vector<std::string> Rows;
  for (int Y = Area.Top; Y < Area.Bottom; ++Y) {
    std::string Row;
    for (int X = Area.Left; X < Area.Right; ++X) {
      if (X < 0 || Y < 0 || X >= Surface.Width() || Y >= Surface.Height()) {
        Row += '!';  // outside the surface
        continue;
      }
      const std::uint32_t P = Surface.Row(Y)[X] & 0xFFFFFF;
      Row += P == ColorToPixel(Ink) ? '#' : P == ColorToPixel(Paper) ? '.' : '+';
    }
    Rows.push_back(Row);
  }
  return Rows;
}

TEST(TextExtent, WgIsTheRowHeightOfThePopupList) {
  TCanvas C(10, 10);
  EXPECT_EQ(GetTextExtentPoint(C.DC, "Wg"), (TTextExtent{18, 12}));
  EXPECT_EQ(GetTextExtentPoint(C.DC, "検索サイトの選択"), (TTextExtent{90, 12}));
  EXPECT_EQ(GetTextMetrics(C.DC).tmHeight, 12);
}

struct TCalcCase {
  const char* Name;
  const char* Text;
  unsigned Format;
  int Width;  // of the rectangle given
  TRect Expected;
  int Height;  // answered
};

class DrawTextCalcRect : public testing::TestWithParam<TCalcCase> {};

TEST_P(DrawTextCalcRect, SizesTheRectangleAndDrawsNothing) {
  const TCalcCase& Case = GetParam();
  TCanvas C(200, 100);
  TRect R{5, 7, 5 + Case.Width, 100};
  EXPECT_EQ(DrawText(C.DC, Case.Text, R, Case.Format | DT_CALCRECT), Case.Height);
  EXPECT_EQ(R, Case.Expected);
  EXPECT_TRUE(InkBounds(C.Surface).IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DrawTextCalcRect,
    testing::Values(
        TCalcCase{"SingleLine", "Wg", DT_SINGLELINE, 100, {5, 7, 23, 19}, 12},
        TCalcCase{"Japanese", "検索サイトの選択", DT_SINGLELINE, 30, {5, 7, 95, 19}, 12},
        // Three double-byte characters (36 pixels) fit a line of 40.
        TCalcCase{"WrappedJapanese", "検索サイトの選択", DT_WORDBREAK, 40, {5, 7, 41, 43}, 36},
        TCalcCase{"WrappedAtBlank", "Google News", DT_WORDBREAK, 50, {5, 7, 45, 31}, 24},
        TCalcCase{"LineEnds", "a\r\nWg\n", 0, 100, {5, 7, 23, 31}, 24},
        TCalcCase{"PrefixNotCounted", "&&&Wg", DT_SINGLELINE, 100, {5, 7, 31, 19}, 12},
        TCalcCase{
            "TabStopsEveryEightAverageWidths", "a\tb", DT_EXPANDTABS, 100, {5, 7, 60, 19}, 12},
        TCalcCase{"EmptyText", "", DT_SINGLELINE, 100, {5, 7, 5, 7}, 0}),
    [](const testing::TestParamInfo<TCalcCase>& Info) { return Info.param.Name; });

TEST(DrawText, TabStopFromTheFlags) {
  // DT_TABSTOP takes the tab length from the flags' second byte: four average
  // widths (24) here, instead of eight (48).
  TCanvas Tabbed(60, 14), Placed(60, 14);
  TRect R{0, 0, 60, 14};
  DrawText(Tabbed.DC, "a\tb", R, DT_EXPANDTABS | DT_TABSTOP | (4 << 8));
  TextOut(Placed.DC, 0, 0, "a");
  TextOut(Placed.DC, 24, 0, "b");
  EXPECT_EQ(InkMask(Tabbed.Surface, {0, 0, 60, 14}), InkMask(Placed.Surface, {0, 0, 60, 14}));
}

TEST(DrawText, AnswersTheHeightOfWhatItDrew) {
  TCanvas C(200, 100);
  TRect R{0, 0, 40, 100};
  EXPECT_EQ(DrawText(C.DC, "検索サイトの選択", R, DT_WORDBREAK), 36);
  EXPECT_EQ(R, (TRect{0, 0, 40, 100}));  // only DT_CALCRECT changes the rectangle
  // Clipped at the bottom: the height stops with the first line that reaches
  // past the rectangle.
  TRect Short{0, 0, 40, 20};
  EXPECT_EQ(DrawText(C.DC, "検索サイトの選択", Short, DT_WORDBREAK), 24);
}

TEST(DrawText, WrappedLinesAreDrawnOneBelowTheOther) {
  TCanvas Wrapped(60, 50), Lines(60, 50);
  TRect R{2, 1, 42, 50};
  DrawText(Wrapped.DC, "検索サイトの選択", R, DT_WORDBREAK);
  TextOut(Lines.DC, 2, 1, "検索サ");
  TextOut(Lines.DC, 2, 13, "イトの");
  TextOut(Lines.DC, 2, 25, "選択");
  EXPECT_EQ(InkMask(Wrapped.Surface, {0, 0, 60, 50}), InkMask(Lines.Surface, {0, 0, 60, 50}));
}

struct TAlignCase {
  const char* Name;
  unsigned Format;
  int Left, Top;  // of the "Wg" cell inside (0, 0, 100, 20)
};

class DrawTextAlignment : public testing::TestWithParam<TAlignCase> {};

// The text of an aligned line is drawn exactly as at the top-left corner,
// moved by the alignment offset.
TEST_P(DrawTextAlignment, MovesTheLineByTheOffset) {
  const TAlignCase& Case = GetParam();
  TCanvas Reference(100, 30), Aligned(100, 30);
  TRect Corner{0, 0, 100, 20}, R{0, 0, 100, 20};
  // No clipping: the tail of the "g" hangs below the cell and would be cut
  // at the bottom.
  DrawText(Reference.DC, "Wg", Corner, DT_SINGLELINE | DT_NOCLIP);
  DrawText(Aligned.DC, "Wg", R, Case.Format | DT_NOCLIP);
  const TRect Ink = InkBounds(Reference.Surface);
  const TRect Moved{Ink.Left + Case.Left, Ink.Top + Case.Top, Ink.Right + Case.Left,
                    Ink.Bottom + Case.Top};
  EXPECT_EQ(InkBounds(Aligned.Surface), Moved);
  EXPECT_EQ(InkMask(Aligned.Surface, Moved), InkMask(Reference.Surface, Ink));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DrawTextAlignment,
    testing::Values(TAlignCase{"TopLeft", DT_SINGLELINE, 0, 0},
                    // (100 - 18) / 2 = 41; (20 - 12) / 2 = 4
                    TAlignCase{"Centre", DT_SINGLELINE | DT_CENTER, 41, 0},
                    TAlignCase{"Right", DT_SINGLELINE | DT_RIGHT, 82, 0},
                    TAlignCase{"VerticalCentre", DT_SINGLELINE | DT_VCENTER, 0, 4},
                    TAlignCase{"Bottom", DT_SINGLELINE | DT_BOTTOM, 0, 8},
                    TAlignCase{"Both", DT_SINGLELINE | DT_CENTER | DT_VCENTER, 41, 4},
                    // Vertical alignment is for single lines only.
                    TAlignCase{"VCentreNeedsSingleLine", DT_VCENTER | DT_WORDBREAK, 0, 0}),
    [](const testing::TestParamInfo<TAlignCase>& Info) { return Info.param.Name; });

TEST(DrawText, ReliefCopiesAreTheSameTextMoved) {
  // The caption panel draws its caption several times, one pixel apart.
  TCanvas C(60, 30), One(60, 30);
  for (int D = 3; D >= 0; --D) {
    TRect R{10 - D, 10 - D, 60, 30};
    C.DC.SetTextColor(D ? kRed : kBlack);
    DrawText(C.DC, "検", R, DT_WORDBREAK | DT_EXPANDTABS);
  }
  TRect R{10, 10, 60, 30};
  DrawText(One.DC, "検", R, DT_WORDBREAK | DT_EXPANDTABS);
  const TRect Face = InkBounds(One.Surface);
  // The face, drawn last, is unchanged by the copies under it where it has
  // full ink; the copies reach 3 pixels up and left of it.
  const TRect All = InkBounds(C.Surface);
  EXPECT_EQ(All.Left, Face.Left - 3);
  EXPECT_EQ(All.Top, Face.Top - 3);
  EXPECT_EQ(All.Right, Face.Right);
  EXPECT_EQ(All.Bottom, Face.Bottom);
  for (int Y = Face.Top; Y < Face.Bottom; ++Y)
    for (int X = Face.Left; X < Face.Right; ++X)
      if ((One.Surface.Row(Y)[X] & 0xFFFFFF) == 0) {
        EXPECT_EQ(C.Surface.Row(Y)[X] & 0xFFFFFF, 0u);
      }
}

TEST(DrawText, PrefixUnderlineRow) {
  TCanvas Plain(40, 14), Prefixed(40, 14);
  TRect R1{1, 1, 40, 14}, R2{1, 1, 40, 14};
  DrawText(Plain.DC, "Wg", R1, DT_SINGLELINE);
  DrawText(Prefixed.DC, "&Wg", R2, DT_SINGLELINE);
  // The underline is the only difference: cell row 11 (y 12) from x 1 to 12.
  for (int Y = 0; Y < 14; ++Y)
    for (int X = 0; X < 40; ++X) {
      const bool OnLine = Y == 12 && X >= 1 && X < 12;
      const std::uint32_t Want = OnLine ? 0u : Plain.Surface.Row(Y)[X] & 0xFFFFFF;
      EXPECT_EQ(Prefixed.Surface.Row(Y)[X] & 0xFFFFFF, Want) << X << "," << Y;
    }
}

TEST(DrawText, HiddenPrefixAndNoPrefix) {
  TCanvas Plain(60, 14), Hidden(60, 14), None(60, 14), Ampersand(60, 14);
  TRect R1{0, 0, 60, 14}, R2 = R1, R3 = R1;
  DrawText(Plain.DC, "Wg", R1, DT_SINGLELINE);
  DrawText(Hidden.DC, "&Wg", R2, DT_SINGLELINE | DT_HIDEPREFIX);
  EXPECT_EQ(InkMask(Hidden.Surface, {0, 0, 60, 14}), InkMask(Plain.Surface, {0, 0, 60, 14}));
  DrawText(None.DC, "&Wg", R3, DT_SINGLELINE | DT_NOPREFIX);
  TextOut(Ampersand.DC, 0, 0, "&Wg");  // the "&" shown as it is
  EXPECT_EQ(InkMask(None.Surface, {0, 0, 60, 14}), InkMask(Ampersand.Surface, {0, 0, 60, 14}));
}

TEST(DrawText, EndEllipsisReplacesWhatDoesNotFit) {
  // "検索サ" (36) and "..." (9) fit 50 pixels; "検索サイ..." would not.
  TCanvas C(60, 14), Expected(60, 14);
  TRect R{0, 0, 50, 14}, E{0, 0, 60, 14};
  DrawText(C.DC, "検索サイトの選択", R, DT_SINGLELINE | DT_END_ELLIPSIS);
  DrawText(Expected.DC, "検索サ...", E, DT_SINGLELINE);
  EXPECT_EQ(InkMask(C.Surface, {0, 0, 60, 14}), InkMask(Expected.Surface, {0, 0, 60, 14}));
  TRect Calc{0, 0, 50, 14};
  DrawText(C.DC, "検索サイトの選択", Calc, DT_SINGLELINE | DT_END_ELLIPSIS | DT_CALCRECT);
  EXPECT_EQ(Calc.Right, 45);
}

TEST(DrawText, WrappedTextCutAtTheBottomEndsInAnEllipsis) {
  // Two lines of 40 pixels: "検索サ" (36; "検索サイ" is 45), then "イトの" (30)
  // with "..." (9) where "イトの選" (42) would go on.
  TCanvas C(50, 30), Expected(50, 30);
  TRect R{0, 0, 40, 24}, E{0, 0, 50, 30};
  DrawText(C.DC, "検索サイトの選択", R, 0x8850);
  DrawText(Expected.DC, "検索サ\r\nイトの...", E, DT_NOPREFIX);
  EXPECT_EQ(InkMask(C.Surface, {0, 0, 50, 30}), InkMask(Expected.Surface, {0, 0, 50, 30}));
}

TEST(DrawText, ClipsToTheRectangleUnlessNoClip) {
  TCanvas Clipped(40, 20), Free(40, 20);
  TRect R{0, 0, 8, 6}, R2 = R;
  DrawText(Clipped.DC, "Wg", R, DT_SINGLELINE);
  DrawText(Free.DC, "Wg", R2, DT_SINGLELINE | DT_NOCLIP);
  const TRect Ink = InkBounds(Clipped.Surface);
  EXPECT_LE(Ink.Right, 8);
  EXPECT_LE(Ink.Bottom, 6);
  EXPECT_GT(InkBounds(Free.Surface).Right, 8);
  EXPECT_GT(InkBounds(Free.Surface).Bottom, 6);
}

TEST(DrawText, RespectsTheOriginAndTheContextClip) {
  TCanvas Moved(40, 20), Plain(40, 20);
  Moved.DC.SetViewportOrg(5, 3);
  Moved.DC.IntersectClipRect({0, 0, 6, 20});  // logical: device x 5 to 11
  TRect R{0, 0, 40, 20}, R2{5, 3, 45, 23};
  DrawText(Moved.DC, "Wg", R, DT_SINGLELINE);
  DrawText(Plain.DC, "Wg", R2, DT_SINGLELINE);
  EXPECT_EQ(InkMask(Moved.Surface, {5, 0, 11, 20}), InkMask(Plain.Surface, {5, 0, 11, 20}));
  EXPECT_EQ(InkBounds(Moved.Surface).Right, 11);
}

TEST(TextOut, OpaqueModeFillsTheCellsWithTheBackgroundColour) {
  TCanvas C(30, 16);
  C.DC.SetBkMode(OPAQUE);
  C.DC.SetBkColor(kRed);
  C.DC.SetTextColor(kBlue);
  TextOut(C.DC, 2, 1, "Wg");
  // The cells are (2, 1) to (20, 13): inside only red, blue and blends of the
  // two; outside no red, only the paper and the tail of the "g" that hangs
  // below the cell.
  for (int Y = 0; Y < 16; ++Y)
    for (int X = 0; X < 30; ++X) {
      const std::uint32_t P = C.Surface.Row(Y)[X] & 0xFFFFFF;
      if (X >= 2 && X < 20 && Y >= 1 && Y < 13)
        EXPECT_EQ(P & 0x00FF00, 0u) << X << "," << Y;
      else
        EXPECT_EQ(P >> 16, (P >> 8) & 0xFF) << X << "," << Y;
    }
  ExpectPixels(C.Surface, TPoint{2, 1}, {"rrrrrrrrrrrrrrrrrr"}, {{'r', kRed}});
  ExpectPixels(C.Surface, TPoint{2, 12}, {"r?????????????????"}, {{'r', kRed}});
}

TEST(TextOut, TransparentModeLeavesTheBackground) {
  TCanvas C(30, 16, kRed);
  TextOut(C.DC, 2, 1, "Wg");
  // Every pixel is the red paper or red blended toward black: no background
  // fill anywhere.
  int Touched = 0;
  for (int Y = 0; Y < 16; ++Y)
    for (int X = 0; X < 30; ++X) {
      const std::uint32_t P = C.Surface.Row(Y)[X] & 0xFFFFFF;
      EXPECT_EQ(P & 0x00FFFF, 0u) << X << "," << Y;
      Touched += P != 0xFF0000;
    }
  EXPECT_GT(Touched, 20);
}

TEST(TextOut, UnderlineAndStrikeoutRowsOfTheFont) {
  TCanvas C(24, 14);
  TLogFont Font = LayoutFont();
  Font.Underline = true;
  Font.StrikeOut = true;
  C.DC.SetFont(Font);
  C.DC.SetTextColor(kBlue);
  TextOut(C.DC, 1, 1, "--");
  // Cell rows 6 (strikeout) and 11 (underline) carry a full line across the
  // advance of "--" (2 x 4 pixels).
  ExpectPixels(C.Surface, TPoint{0, 12}, {".########..."}, {{'.', kWhite}, {'#', kBlue}});
  ExpectPixels(C.Surface, TPoint{0, 7}, {".########..."}, {{'.', kWhite}, {'#', kBlue}});
}

TEST(TextOut, AlignmentFlagsMoveTheReferencePoint) {
  TCanvas Reference(60, 40), Aligned(60, 40);
  TextOut(Reference.DC, 20, 10, "Wg");
  const TRect Ink = InkBounds(Reference.Surface);
  // Baseline: y names the baseline, 11 pixels below the cell top.
  Aligned.DC.SetTextAlign(TA_BASELINE | TA_RIGHT);
  TextOut(Aligned.DC, 38, 21, "Wg");
  EXPECT_EQ(InkBounds(Aligned.Surface), Ink);
  EXPECT_EQ(InkMask(Aligned.Surface, Ink), InkMask(Reference.Surface, Ink));
  // Bottom and centre.
  TCanvas Bottom(60, 40);
  Bottom.DC.SetTextAlign(TA_BOTTOM | TA_CENTER);
  TextOut(Bottom.DC, 29, 22, "Wg");
  EXPECT_EQ(InkBounds(Bottom.Surface), Ink);
}

TEST(TextOut, UpdateCurrentPositionChainsOutputs) {
  TCanvas Chained(60, 20), Whole(60, 20);
  Chained.DC.SetTextAlign(TA_UPDATECP);
  Chained.DC.MoveTo(3, 2);
  TextOut(Chained.DC, 0, 0, "W");
  TextOut(Chained.DC, 0, 0, "g");
  EXPECT_EQ(Chained.DC.State().PenPos, (TPoint{21, 2}));
  TextOut(Whole.DC, 3, 2, "Wg");
  EXPECT_EQ(InkMask(Chained.Surface, {0, 0, 60, 20}), InkMask(Whole.Surface, {0, 0, 60, 20}));
}

TEST(ExtTextOut, OpaqueRectangleAndClipping) {
  TCanvas C(40, 20);
  C.DC.SetBkColor(kRed);
  TRect R{4, 2, 12, 10};
  ExtTextOut(C.DC, 5, 1, ETO_OPAQUE | ETO_CLIPPED, &R, "Wg");
  EXPECT_EQ(InkBounds(C.Surface), R);
}

TEST(TextOut, BlendsCoverageIntoTheTextColour) {
  TCanvas C(20, 14);
  C.DC.SetTextColor(kBlue);
  TextOut(C.DC, 0, 0, "W");
  // Every touched pixel lies between white and blue: blue stays full, red and
  // green fall together.
  bool Partial = false;
  for (int Y = 0; Y < 14; ++Y)
    for (int X = 0; X < 20; ++X) {
      const std::uint32_t P = C.Surface.Row(Y)[X];
      EXPECT_EQ(P & 0xFF, 0xFFu);
      EXPECT_EQ((P >> 16) & 0xFF, (P >> 8) & 0xFF);
      Partial |= ((P >> 8) & 0xFF) != 0 && ((P >> 8) & 0xFF) != 0xFF;
    }
  EXPECT_TRUE(Partial);  // anti-aliased, not a bitmap font
}

TEST(TextOut, MonochromeTargetsGetOnlyBlackAndWhite) {
  TDeviceBitmap Mask(20, 14, bfMonochrome);
  TDeviceContext DC(Mask);
  DC.SetFont(LayoutFont());
  DC.SetBkMode(OPAQUE);
  DC.SetBkColor(kWhite);
  DC.SetTextColor(kBlack);
  TextOut(DC, 0, 0, "検");
  int Black = 0;
  for (int Y = 0; Y < 14; ++Y)
    for (int X = 0; X < 20; ++X) {
      const std::uint32_t P = Mask.Surface().Row(Y)[X] & 0xFFFFFF;
      EXPECT_TRUE(P == 0 || P == 0xFFFFFF);
      Black += P == 0;
    }
  EXPECT_GT(Black, 15);
}

TEST(TextOut, SameTextSamePixels) {
  TCanvas A(80, 14), B(80, 14);
  TextOut(A.DC, 0, 0, "検索サイト Wg");
  TextOut(B.DC, 0, 0, "検索サイト Wg");
  for (int Y = 0; Y < 14; ++Y)
    for (int X = 0; X < 80; ++X) ASSERT_EQ(A.Surface.Row(Y)[X], B.Surface.Row(Y)[X]);
}

}  // namespace
