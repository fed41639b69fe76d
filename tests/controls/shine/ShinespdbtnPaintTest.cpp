// What one paint of a shine button puts on the device context, on exact
// pixels: the three frame styles in the up and pressed looks and when each
// is shown, flat and gradient faces, the glyph in each look (pressed shift,
// hover outline, embossed disabled mask), the caption's copies, and where
// CalcDrawPosition puts glyph and caption.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/shine/Shinespdbtn.h"
#include "platform/PixelAssert.h"
#include "platform/gdi/TextLayout.h"

namespace {

// A button whose drawing state a test sets, painted without a window.
class TPaintProbe : public TShineSpeedButton {
public:
  using TShineSpeedButton::CalcDrawPosition;
  using TShineSpeedButton::TShineSpeedButton;
  void SetState(TShineDrawState State) { FDrawState = State; }
};

// Up colours '.', h, s, d; pressed colours ',', H, S, D.
const TPixelLegend kLegend = {{'.', clSilver}, {'h', clWhite},  {'s', clGray}, {'d', clBlack},
                              {',', clCream},  {'H', clAqua},   {'S', clNavy}, {'D', clMaroon},
                              {'r', clRed},    {'y', clYellow}, {'L', clLime}, {'X', clPurple}};

void UseTestColours(TShineSpeedButton& B) {
  B.Colors()->SetColor(clSilver);
  B.Colors()->SetHighlight(clWhite);
  B.Colors()->SetShadow(clGray);
  B.Colors()->SetDarkShadow(clBlack);
  B.PressedColors()->SetColor(clCream);
  B.PressedColors()->SetHighlight(clAqua);
  B.PressedColors()->SetShadow(clNavy);
  B.PressedColors()->SetDarkShadow(clMaroon);
}

// Paints the button as its parent does, onto a surface of its size filled
// with Background first.
TSurface PaintButton(TShineSpeedButton& B, TColor Background = clPurple) {
  TSurface Surface(B.Width(), B.Height());
  for (int Y = 0; Y < Surface.Height(); ++Y)
    for (int X = 0; X < Surface.Width(); ++X) Surface.Row(Y)[X] = ColorToPixel(Background);
  TDeviceContext DC(Surface);
  B.Perform(WM_PAINT, reinterpret_cast<WPARAM>(&DC), 0);
  return Surface;
}

void SetGlyph(TShineSpeedButton& B, const std::vector<std::string>& Rows) {
  TBitmap Glyph;
  Glyph.SetPixelFormat(pf32bit);
  Glyph.SetSize(int(Rows[0].size()), int(Rows.size()));
  for (int Y = 0; Y < Glyph.Height(); ++Y)
    for (int X = 0; X < Glyph.Width(); ++X) {
      const char C = Rows[std::size_t(Y)][std::size_t(X)];
      Glyph.ScanLine(Y)[X] = ColorToPixel(C == 'r' ? clRed : clWhite);  // white is the key here
    }
  B.SetGlyph(&Glyph);
}

// ---- frames ---------------------------------------------------------------------------

struct FrameCase {
  const char* Name;
  TFrameType Type;
  TShineDrawState State;
  std::vector<std::string> Expected;
};

class ShineFrame : public testing::TestWithParam<FrameCase> {};

TEST_P(ShineFrame, DrawsItsLinesWithoutTheirEndPoints) {
  TPaintProbe B(nullptr);
  B.SetBounds(0, 0, 6, 5);
  UseTestColours(B);
  B.SetFrameType(GetParam().Type);
  B.SetState(GetParam().State);
  ExpectPixels(PaintButton(B), TPoint{0, 0}, GetParam().Expected, kLegend);
}

INSTANTIATE_TEST_SUITE_P(Types, ShineFrame,
                         testing::Values(FrameCase{"FlatUp",
                                                   ftFlatFrame,
                                                   sdUp,
                                                   {"hhhhh.",  //
                                                    "h....s",  //
                                                    "h....s",  //
                                                    "h....s",  //
                                                    ".sssss"}},
                                         FrameCase{"FlatPressed",
                                                   ftFlatFrame,
                                                   sdDown,
                                                   {"SSSSS,",  //
                                                    "S,,,,H",  //
                                                    "S,,,,H",  //
                                                    "S,,,,H",  //
                                                    ",HHHHH"}},
                                         FrameCase{"NormalUp",
                                                   ftNormalFrame,
                                                   sdUp,
                                                   {"hhhhh.",  //
                                                    "h...sd",  //
                                                    "h...sd",  //
                                                    "hssssd",  //
                                                    ".ddddd"}},
                                         FrameCase{"NormalPressed",
                                                   ftNormalFrame,
                                                   sdDownActive,
                                                   {"DDDDD,",  //
                                                    "DSSSSH",  //
                                                    "DS,,,H",  //
                                                    "DS,,,H",  //
                                                    ",HHHHH"}},
                                         FrameCase{"EnclosedUp",
                                                   ftEnclosedFrame,
                                                   sdUpActive,
                                                   {"dddddd",  //
                                                    "dhhh.d",  //
                                                    "dh..sd",  //
                                                    "d.sssd",  //
                                                    "dddddd"}},
                                         // The outline keeps the up colours in the pressed looks.
                                         FrameCase{"EnclosedPressed",
                                                   ftEnclosedFrame,
                                                   sdDown,
                                                   {"dddddd",  //
                                                    "dSSS,d",  //
                                                    "dS,,Hd",  //
                                                    "d,HHHd",  //
                                                    "dddddd"}}),
                         [](const testing::TestParamInfo<FrameCase>& Info) {
                           return std::string(Info.param.Name);
                         });

struct FrameShownCase {
  const char* Name;
  TShineDrawState State;
  bool UpFrame, DownFrame, ActiveFrame;
  bool Shown;
};

class ShineFrameShown : public testing::TestWithParam<FrameShownCase> {};

TEST_P(ShineFrameShown, FollowsTheFlagOfTheLook) {
  const FrameShownCase& C = GetParam();
  TPaintProbe B(nullptr);
  B.SetBounds(0, 0, 4, 4);
  UseTestColours(B);
  B.SetFrameType(ftFlatFrame);
  B.SetUpFrame(C.UpFrame);
  B.SetDownFrame(C.DownFrame);
  B.SetActiveFrame(C.ActiveFrame);
  B.SetState(C.State);
  const bool Pressed = C.State == sdDown || C.State == sdDownActive;
  const char Face = Pressed ? ',' : '.';
  const char Edge = Pressed ? 'S' : 'h';
  const std::string Top = C.Shown ? std::string(3, Edge) + Face : std::string(4, Face);
  ExpectPixels(PaintButton(B), TPoint{0, 0}, {Top}, kLegend);
}

INSTANTIATE_TEST_SUITE_P(
    Flags, ShineFrameShown,
    testing::Values(
        FrameShownCase{"UpWithUpFrame", sdUp, true, false, false, true},
        FrameShownCase{"UpWithoutUpFrame", sdUp, false, true, true, false},
        FrameShownCase{"DisabledWithUpFrame", sdDisabled, true, false, false, true},
        FrameShownCase{"DisabledWithoutUpFrame", sdDisabled, false, true, true, false},
        FrameShownCase{"HoverWithActiveFrame", sdUpActive, false, false, true, true},
        FrameShownCase{"HoverWithoutActiveFrame", sdUpActive, true, true, false, false},
        FrameShownCase{"DownWithDownFrame", sdDown, false, true, false, true},
        FrameShownCase{"DownWithoutDownFrame", sdDown, true, false, true, false},
        FrameShownCase{"DownHoverWithActiveFrame", sdDownActive, false, false, true, true},
        FrameShownCase{"DownHoverWithoutActiveFrame", sdDownActive, true, true, false, false}),
    [](const testing::TestParamInfo<FrameShownCase>& Info) {
      return std::string(Info.param.Name);
    });

// ---- faces ------------------------------------------------------------------------------

TEST(ShinePaint, HorizontalGradientOf256StepsFromBlackToWhite) {
  TPaintProbe B(nullptr);
  B.SetBounds(0, 0, 256, 2);
  B.SetUpFrame(false);
  B.Colors()->SetColor(clBlack);
  B.Colors()->SetGradColor(clWhite);
  B.Colors()->SetGradation(true);
  const TSurface S = PaintButton(B);
  for (int X = 0; X < 256; ++X)
    for (int Y = 0; Y < 2; ++Y)
      ASSERT_EQ(S.Row(Y)[X], std::uint32_t(X * 0x010101)) << "at (" << X << "," << Y << ")";
}

TEST(ShinePaint, VerticalGradientIsStretchedWithoutBlending) {
  // Three rows take the strip's pixels under their centres, 42, 128 and
  // 213; pixel i of the strip is 255 + (0 - 255) * i div 255 in red and i in
  // blue, from red to blue.
  TPaintProbe B(nullptr);
  B.SetBounds(0, 0, 2, 3);
  B.SetDownFrame(false);
  B.SetState(sdDown);  // the pressed look takes PressedColors
  B.PressedColors()->SetColor(clRed);
  B.PressedColors()->SetGradColor(clBlue);
  B.PressedColors()->SetGradVertical(true);
  B.PressedColors()->SetGradation(true);
  ExpectPixels(PaintButton(B), TPoint{0, 0}, {"aa", "bb", "cc"},
               {{'a', RGB(213, 0, 42)}, {'b', RGB(127, 0, 128)}, {'c', RGB(42, 0, 213)}});
}

TEST(ShinePaint, TransparentDrawsNoBackgroundEvenWithAGradient) {
  TPaintProbe B(nullptr);
  B.SetBounds(0, 0, 4, 3);
  UseTestColours(B);
  B.Colors()->SetGradation(true);
  B.SetTransparent(true);
  B.SetFrameType(ftFlatFrame);
  ExpectPixels(PaintButton(B), TPoint{0, 0},
               {"hhhX",  //
                "hXXs",  //
                "Xsss"},
               kLegend);
  EXPECT_FALSE(B.ControlStyle() & csOpaque);
}

// ---- glyph -----------------------------------------------------------------------------

struct GlyphPaintCase {
  const char* Name;
  TShineDrawState State;
  std::vector<std::string> Expected;
};

class ShineGlyphPaint : public testing::TestWithParam<GlyphPaintCase> {};

TEST_P(ShineGlyphPaint, DrawsTheStateImageWithItsKeyTransparent) {
  // Ink on the glyph's left edge: the hover outline reaches its bottom-left
  // corner, and still only the key colour shows the face.
  TPaintProbe B(nullptr);
  B.SetBounds(0, 0, 7, 7);
  UseTestColours(B);
  B.SetUpFrame(false);
  B.SetDownFrame(false);
  B.SetActiveFrame(false);
  SetGlyph(B, {"...",  //
               "r..",  //
               "..."});
  B.SetState(GetParam().State);
  ExpectPixels(PaintButton(B), TPoint{0, 0}, GetParam().Expected, kLegend);
}

INSTANTIATE_TEST_SUITE_P(States, ShineGlyphPaint,
                         testing::Values(GlyphPaintCase{"Up",
                                                        sdUp,
                                                        {".......",  //
                                                         ".......",  //
                                                         ".......",  //
                                                         "..r....",  //
                                                         ".......",  //
                                                         ".......",  //
                                                         "......."}},
                                         GlyphPaintCase{"PressedMovesOneDownRight",
                                                        sdDown,
                                                        {",,,,,,,",  //
                                                         ",,,,,,,",  //
                                                         ",,,,,,,",  //
                                                         ",,,,,,,",  //
                                                         ",,,r,,,",  //
                                                         ",,,,,,,",  //
                                                         ",,,,,,,"}},
                                         GlyphPaintCase{"HoverOutline",
                                                        sdUpActive,
                                                        {".......",  //
                                                         ".......",  //
                                                         "..y....",  //
                                                         "..ry...",  //
                                                         "..y....",  //
                                                         ".......",  //
                                                         "......."}}),
                         [](const testing::TestParamInfo<GlyphPaintCase>& Info) {
                           return std::string(Info.param.Name);
                         });

TEST(ShinePaint, DisabledMaskIsEmbossedInHighlightAndShadow) {
  TPaintProbe B(nullptr);
  B.SetBounds(0, 0, 10, 10);
  UseTestColours(B);
  B.SetUpFrame(false);
  B.SetDisabledHighlight(clLime);
  B.SetDisabledShadow(clRed);
  SetGlyph(B, {"....",  //
               ".rr.",  //
               ".rr.",  //
               "...."});
  B.SetState(sdDisabled);
  // The mask is white at every pixel whose 2 by 2 block has a boundary:
  //   ###.
  //   #.#.
  //   ###.
  //   ....
  // painted at (4, 4) in the highlight, then at (3, 3) in the shadow.
  ExpectPixels(PaintButton(B), TPoint{0, 0},
               {"..........",  //
                "..........",  //
                "..........",  //
                "...rrr....",  //
                "...rLrL...",  //
                "...rrrL...",  //
                "....LLL...",  //
                "..........",  //
                "..........",  //
                ".........."},
               kLegend);
}

// ---- caption ---------------------------------------------------------------------------

// The caption's measured size in the button's font.
TRect Measure(const std::string& Text, const TFont& Font) {
  TBitmap Scratch(1, 1);
  Scratch.Canvas()->SetFont(&Font);
  TRect R{0, 0, 1000, 0};
  Scratch.Canvas()->DrawText(Text, R, DT_CALCRECT);
  return R;
}

// The caption drawn once, in Colour, into a surface of the button's size
// with its measured box at (Left, Top).
void DrawCaptionCopy(TSurface& Surface, const std::string& Text, const TFont& Font, TColor Colour,
                     int Left, int Top) {
  TDeviceContext DC(Surface);
  TCanvas Canvas;
  Canvas.SetHandle(&DC);
  Canvas.SetFont(&Font);
  Canvas.Font()->SetColor(Colour);
  Canvas.Brush()->SetStyle(bsClear);
  const TRect Size = Measure(Text, Font);
  TRect R{Left, Top, Left + Size.Right, Top + Size.Bottom};
  Canvas.DrawText(Text, R, DT_CENTER | DT_VCENTER);
  Canvas.SetHandle(nullptr);
}

struct CaptionCase {
  const char* Name;
  TShineDrawState State;
  TColor FontShadow, FontHighlight;
  // Copies expected, in drawing order: offset from the centred box and colour.
  std::vector<std::tuple<int, int, TColor>> Copies;
};

class ShineCaptionPaint : public testing::TestWithParam<CaptionCase> {};

TEST_P(ShineCaptionPaint, DrawsItsCopiesInOrder) {
  const CaptionCase& C = GetParam();
  TPaintProbe B(nullptr);
  B.SetBounds(0, 0, 40, 24);
  UseTestColours(B);
  B.SetUpFrame(false);
  B.SetDownFrame(false);
  B.SetActiveFrame(false);
  B.SetCaption("&Ab");
  B.Font()->SetColor(clBlack);
  B.ActiveFont()->SetColor(clNavy);
  B.SetFontShadow(C.FontShadow);
  B.SetFontHighlight(C.FontHighlight);
  B.SetDisabledHighlight(clLime);
  B.SetDisabledShadow(clRed);
  B.SetState(C.State);
  const TSurface Actual = PaintButton(B);

  const bool Active = C.State == sdUpActive || C.State == sdDownActive;
  const TFont& Font = Active ? *B.ActiveFont() : *B.Font();
  const TRect Size = Measure("&Ab", Font);
  const bool Pressed = C.State == sdDown || C.State == sdDownActive;
  const int Left = (40 - Size.Right) / 2 + (Pressed ? 1 : 0);
  const int Top = (24 - Size.Bottom) / 2 + (Pressed ? 1 : 0);
  TSurface Expected(40, 24);
  const TColor Face = Pressed ? clCream : clSilver;
  for (int Y = 0; Y < 24; ++Y)
    for (int X = 0; X < 40; ++X) Expected.Row(Y)[X] = ColorToPixel(Face);
  for (const auto& [DX, DY, Colour] : C.Copies)
    DrawCaptionCopy(Expected, "&Ab", Font, Colour, Left + DX, Top + DY);

  int Wrong = 0;
  for (int Y = 0; Y < 24; ++Y)
    for (int X = 0; X < 40; ++X)
      if (Actual.Row(Y)[X] != Expected.Row(Y)[X] && ++Wrong < 5) {
        ADD_FAILURE() << "pixel (" << X << "," << Y << "): " << std::hex << Actual.Row(Y)[X]
                      << " instead of " << Expected.Row(Y)[X];
      }
  EXPECT_EQ(Wrong, 0);
  // The accelerator is underlined: the text is not drawn with '&' showing.
  EXPECT_LT(Size.Right, Measure("&&Ab", Font).Right);
}

INSTANTIATE_TEST_SUITE_P(
    Looks, ShineCaptionPaint,
    testing::Values(
        CaptionCase{"PlainUp", sdUp, clNone, clNone, {{0, 0, clBlack}}},
        CaptionCase{"ShadowOnly", sdUp, clRed, clNone, {{1, 1, clRed}, {0, 0, clBlack}}},
        CaptionCase{"ShadowAndHighlightPressed",
                    sdDown,
                    clRed,
                    clWhite,
                    {{1, 1, clRed}, {-1, -1, clWhite}, {0, 0, clBlack}}},
        CaptionCase{"HoverUsesTheActiveFont",
                    sdUpActive,
                    clNone,
                    clWhite,
                    {{-1, -1, clWhite}, {0, 0, clNavy}}},
        // Embossed whatever FontShadow and FontHighlight say.
        CaptionCase{"Disabled", sdDisabled, clBlue, clWhite, {{1, 1, clLime}, {0, 0, clRed}}}),
    [](const testing::TestParamInfo<CaptionCase>& Info) { return std::string(Info.param.Name); });

// ---- layout ----------------------------------------------------------------------------

struct LayoutCase {
  const char* Name;
  TButtonLayout Layout;
  int Margin, Spacing;
  int GlyphW, GlyphH;  // 0: no glyph
  bool Caption;
  // Expected positions from the caption's measured size (TW, TH).
  TPoint (*Glyph)(int TW, int TH);
  TPoint (*Text)(int TW, int TH);
};

class ShineLayout : public testing::TestWithParam<LayoutCase> {};

TEST_P(ShineLayout, PlacesGlyphAndCaption) {
  const LayoutCase& C = GetParam();
  TPaintProbe B(nullptr);
  B.SetBounds(0, 0, 40, 30);
  B.SetLayout(C.Layout);
  B.SetMargin(C.Margin);
  B.SetSpacing(C.Spacing);
  if (C.GlyphW) {
    TBitmap Glyph;
    Glyph.SetSize(C.GlyphW, C.GlyphH);
    B.SetGlyph(&Glyph);
  }
  if (C.Caption) B.SetCaption("Ab");
  const TRect Size = Measure("Ab", *B.Font());
  TBitmap Scratch(1, 1);
  Scratch.Canvas()->SetFont(B.Font());
  TPoint GlyphPos;
  TRect TextRect;
  B.CalcDrawPosition(*Scratch.Canvas(), GlyphPos, TextRect);
  if (C.Glyph) {
    EXPECT_EQ(GlyphPos, C.Glyph(Size.Right, Size.Bottom));
  }
  if (C.Text) {
    EXPECT_EQ((TPoint{TextRect.Left, TextRect.Top}), C.Text(Size.Right, Size.Bottom));
    EXPECT_EQ(TextRect.Right - TextRect.Left, Size.Right);
    EXPECT_EQ(TextRect.Bottom - TextRect.Top, Size.Bottom);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShineLayout,
    testing::Values(LayoutCase{"CaptionOnlyCentred", blGlyphLeft, -1, 4, 0, 0, true, nullptr,
                               [](int TW, int TH) {
                                 return TPoint{(40 - TW) / 2, (30 - TH) / 2};
                               }},
                    LayoutCase{"GlyphOnlyCentred", blGlyphBottom, -1, 4, 8, 6, false,
                               [](int, int) {
                                 return TPoint{16, 12};
                               },
                               nullptr},
                    // (30 - 31) / 2 is 0 toward zero, not -1.
                    LayoutCase{"LargerGlyphRoundsTowardZero", blGlyphTop, -1, 4, 31, 31, false,
                               [](int, int) {
                                 return TPoint{4, 0};
                               },
                               nullptr},
                    LayoutCase{"MuchLargerGlyph", blGlyphLeft, -1, 4, 45, 35, false,
                               [](int, int) {
                                 return TPoint{-2, -2};
                               },
                               nullptr},
                    LayoutCase{"LeftWithMargin", blGlyphLeft, 2, 4, 8, 6, true,
                               [](int, int TH) {
                                 const int BH = std::max(6, TH);
                                 return TPoint{2, (30 - BH) / 2 + (BH - 6) / 2};
                               },
                               [](int, int TH) {
                                 const int BH = std::max(6, TH);
                                 return TPoint{14, (30 - BH) / 2 + (BH - TH) / 2};
                               }},
                    LayoutCase{"NegativeSpacingOverlaps", blGlyphLeft, 0, -1, 8, 6, true,
                               [](int, int TH) {
                                 const int BH = std::max(6, TH);
                                 return TPoint{0, (30 - BH) / 2 + (BH - 6) / 2};
                               },
                               [](int, int TH) {
                                 const int BH = std::max(6, TH);
                                 return TPoint{7, (30 - BH) / 2 + (BH - TH) / 2};
                               }},
                    LayoutCase{"RightWithMargin", blGlyphRight, 3, 4, 8, 6, true,
                               [](int, int TH) {
                                 const int BH = std::max(6, TH);
                                 return TPoint{40 - 3 - 8, (30 - BH) / 2 + (BH - 6) / 2};
                               },
                               [](int TW, int TH) {
                                 const int BH = std::max(6, TH);
                                 return TPoint{40 - 3 - 8 - 4 - TW, (30 - BH) / 2 + (BH - TH) / 2};
                               }},
                    LayoutCase{"TopWithMarginZero", blGlyphTop, 0, 4, 8, 6, true,
                               [](int TW, int) {
                                 const int BW = std::max(8, TW);
                                 return TPoint{(40 - BW) / 2 + (BW - 8) / 2, 0};
                               },
                               [](int TW, int) {
                                 const int BW = std::max(8, TW);
                                 return TPoint{(40 - BW) / 2 + (BW - TW) / 2, 10};
                               }},
                    LayoutCase{"BottomWithMargin", blGlyphBottom, 1, 2, 8, 6, true,
                               [](int TW, int) {
                                 const int BW = std::max(8, TW);
                                 return TPoint{(40 - BW) / 2 + (BW - 8) / 2, 30 - 1 - 6};
                               },
                               [](int TW, int TH) {
                                 const int BW = std::max(8, TW);
                                 return TPoint{(40 - BW) / 2 + (BW - TW) / 2, 30 - 1 - 6 - 2 - TH};
                               }},
                    // Margin is ignored while negative, whatever the layout.
                    LayoutCase{
                        "RightCentredWithoutMargin", blGlyphRight, -1, 4, 8, 6, true,
                        [](int TW, int TH) {
                          const int BW = TW + 4 + 8, BH = std::max(6, TH);
                          return TPoint{(40 - BW) / 2 + TW + 4, (30 - BH) / 2 + (BH - 6) / 2};
                        },
                        nullptr}),
    [](const testing::TestParamInfo<LayoutCase>& Info) { return std::string(Info.param.Name); });

TEST(ShinePaint, EmptyGlyphLaysOutAsCaptionOnly) {
  TPaintProbe B(nullptr);
  B.SetBounds(0, 0, 40, 30);
  B.SetCaption("Ab");
  TBitmap Glyph;
  Glyph.SetSize(8, 6);
  B.SetGlyph(&Glyph);
  B.SetGlyph(nullptr);
  TBitmap Scratch(1, 1);
  Scratch.Canvas()->SetFont(B.Font());
  TPoint GlyphPos;
  TRect TextRect;
  B.CalcDrawPosition(*Scratch.Canvas(), GlyphPos, TextRect);
  const TRect Size = Measure("Ab", *B.Font());
  EXPECT_EQ(TextRect.Left, (40 - Size.Right) / 2);
}

}  // namespace
