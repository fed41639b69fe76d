// The gradient panel's drawing on a bare canvas: splitting colours, the 256
// colour steps, the bands they are laid in, and the caption looks.
//
// Expected colours and band positions are worked out here from the rules in
// whole-number arithmetic (entry i of a channel going from s to e is
// floor((255 * s - i * (s - e)) / 255); band k > 0 starts at
// floor((k - 1) * extent / 255)). The colours and sizes are chosen so that no
// quotient is a whole number, where the painting's extended-precision
// arithmetic could land just below it; the cases where it does are pinned
// separately with their known values.

#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <string>
#include <vector>

#include "controls/gradient/Gradboxpaint.h"
#include "framework/graphics/Bitmap.h"
#include "platform/PixelAssert.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/Text.h"

namespace {

constexpr TColor kDeepSky = 16744448;  // red 0, green 128, blue 255

// Channel value of entry I on the way from S to E, by the rule, in integers.
int ExpectedChannel(int S, int E, int I) {
  if (I == 0) return S;
  if (I == 255) return E;
  return (255 * S - I * (S - E)) / 255;  // never negative: floor == trunc
}

TColor ExpectedEntry(TColor Start, TColor End, int I) {
  if (I == 0) return Start;
  if (I == 255) return End;
  return RGB(ExpectedChannel(GetRValue(Start), GetRValue(End), I),
             ExpectedChannel(GetGValue(Start), GetGValue(End), I),
             ExpectedChannel(GetBValue(Start), GetBValue(End), I));
}

// The entry whose band covers position P along an extent: the last one drawn
// there. Entry 0 starts at 0 like entry 1; entry k > 0 at (k - 1) * Extent / 255.
int EntryAt(int P, int Extent) {
  const int Band = Extent / 255 + 1;
  int Shown = -1;
  for (int K = 0; K < 256; ++K) {
    const int Start = K == 0 ? 0 : (K - 1) * Extent / 255;
    if (P >= Start && P < Start + Band) Shown = K;
  }
  return Shown;
}

std::uint32_t PixelAt(const TBitmap& Bitmap, int X, int Y) {
  return Bitmap.Image().Surface().Row(Y)[X] & 0xFFFFFF;
}

// ---- GetRGB -----------------------------------------------------------------

struct SplitCase {
  const char* Name;
  TColor Color;
  TColor Channels;  // the expected split as 0x00BBGGRR
};

class GradboxGetRGB : public testing::TestWithParam<SplitCase> {};

TEST_P(GradboxGetRGB, SplitsIntoRedGreenBlue) {
  std::uint8_t R = 1, G = 2, B = 3;
  GetRGB(GetParam().Color, R, G, B);
  EXPECT_EQ(R, GetRValue(GetParam().Channels));
  EXPECT_EQ(G, GetGValue(GetParam().Channels));
  EXPECT_EQ(B, GetBValue(GetParam().Channels));
}

INSTANTIATE_TEST_SUITE_P(
    Colors, GradboxGetRGB,
    testing::Values(SplitCase{"Plain", 0x00123456, RGB(0x56, 0x34, 0x12)},
                    SplitCase{"TopByteDropped", 0x7F010203, RGB(0x03, 0x02, 0x01)},
                    SplitCase{"NoneIsSplitAsItIs", clNone, RGB(0xFF, 0xFF, 0xFF)},
                    SplitCase{"FirstSystemColour", clScrollBar, GetSysColor(COLOR_SCROLLBAR)},
                    SplitCase{"ButtonFace", clBtnFace, GetSysColor(COLOR_BTNFACE)},
                    SplitCase{"LastResolvedSystemColour", clInfoBk, GetSysColor(COLOR_INFOBK)},
                    // Past the tooltip background the value is not looked up.
                    SplitCase{"SystemColourAbove24", SystemColor(25), RGB(25, 0, 0)},
                    SplitCase{"HotLight", clHotLight, RGB(COLOR_HOTLIGHT, 0, 0)}),
    [](const testing::TestParamInfo<SplitCase>& Info) { return std::string(Info.param.Name); });

// ---- Colour steps -----------------------------------------------------------

TEST(GradboxColors, StepDownFromWhiteToDeepSky) {
  TGradColors Colors{};
  FillGradientColors(Colors, clWhite, kDeepSky, gsTopBottom);
  for (int I = 0; I < 256; ++I)
    EXPECT_EQ(Colors[I], ExpectedEntry(clWhite, kDeepSky, I)) << "entry " << I;
  // Spot checks against hand-worked values: red falls by one per entry,
  // green by 127/255, blue stays.
  EXPECT_EQ(Colors[1], RGB(254, 254, 255));
  EXPECT_EQ(Colors[8], RGB(247, 251, 255));
  EXPECT_EQ(Colors[254], RGB(1, 128, 255));
}

struct DirectionCase {
  const char* Name;
  TGradStyle Style;
  bool Reversed;
};

class GradboxDirection : public testing::TestWithParam<DirectionCase> {};

TEST_P(GradboxDirection, RunsFromTheStartColourOfTheStyle) {
  TGradColors Colors{};
  FillGradientColors(Colors, clWhite, kDeepSky, GetParam().Style);
  const TColor Start = GetParam().Reversed ? kDeepSky : clWhite;
  const TColor End = GetParam().Reversed ? clWhite : kDeepSky;
  for (int I = 0; I < 256; ++I) EXPECT_EQ(Colors[I], ExpectedEntry(Start, End, I)) << "entry " << I;
}

INSTANTIATE_TEST_SUITE_P(Styles, GradboxDirection,
                         testing::Values(DirectionCase{"TopBottom", gsTopBottom, false},
                                         DirectionCase{"BottomTop", gsBottomTop, true},
                                         DirectionCase{"LeftRight", gsLeftRight, false},
                                         DirectionCase{"RightLeft", gsRightLeft, true}),
                         [](const testing::TestParamInfo<DirectionCase>& Info) {
                           return std::string(Info.param.Name);
                         });

TEST(GradboxColors, EqualEndsGiveOneColourThroughout) {
  for (TGradStyle Style : {gsTopBottom, gsBottomTop, gsLeftRight, gsRightLeft}) {
    TGradColors Colors{};
    FillGradientColors(Colors, 0x336699, 0x336699, Style);
    for (int I = 0; I < 256; ++I) EXPECT_EQ(Colors[I], 0x336699) << "entry " << I;
  }
}

TEST(GradboxColors, NoneLeavesTheArrayAsItWas) {
  TGradColors Colors;
  std::iota(Colors.begin(), Colors.end(), 1000);
  FillGradientColors(Colors, clWhite, clBlack, gsNone);
  for (int I = 0; I < 256; ++I) EXPECT_EQ(Colors[I], 1000 + I);
}

TEST(GradboxColors, SystemColourEndKeepsItsValueWhileTheStepsUseItsRGB) {
  const TColor Face = GetSysColor(COLOR_BTNFACE);
  const TColor Near = RGB(1, 1, 1);
  // The whole-number reference is exact only while no step lands on a whole
  // number, i.e. while each channel's span has no factor in common with 255.
  for (int Span : {GetRValue(Face) - 1, GetGValue(Face) - 1, GetBValue(Face) - 1})
    ASSERT_EQ(std::gcd(Span, 255), 1) << "pick another end colour for this button face";

  TGradColors Colors{};
  FillGradientColors(Colors, clBtnFace, Near, gsTopBottom);
  EXPECT_EQ(Colors[0], clBtnFace);  // not its RGB value
  for (int I = 1; I < 256; ++I) EXPECT_EQ(Colors[I], ExpectedEntry(Face, Near, I)) << "entry " << I;

  // Reversed, the system colour is the last entry and stays as it is there.
  FillGradientColors(Colors, clBtnFace, Near, gsRightLeft);
  EXPECT_EQ(Colors[0], Near);
  EXPECT_EQ(Colors[255], clBtnFace);
  for (int I = 1; I < 255; ++I) EXPECT_EQ(Colors[I], ExpectedEntry(Near, Face, I)) << "entry " << I;
}

TEST(GradboxColors, StepsAccumulateByRepeatedSubtraction) {
  // Red from 0 to 5: the exact value at entry 153 is 3 and at 204 is 4, but
  // 153 (or 204) subtractions of -5/255 in extended precision stop a hair
  // below, and truncation takes the lower byte. A step multiplied out would
  // give 3 and 4.
  TGradColors Colors{};
  FillGradientColors(Colors, RGB(0, 0, 0), RGB(5, 0, 0), gsTopBottom);
  EXPECT_EQ(Colors[152], RGB(2, 0, 0));
  EXPECT_EQ(Colors[153], RGB(2, 0, 0));
  EXPECT_EQ(Colors[154], RGB(3, 0, 0));
  EXPECT_EQ(Colors[204], RGB(3, 0, 0));
  EXPECT_EQ(Colors[205], RGB(4, 0, 0));
  EXPECT_EQ(Colors[254], RGB(4, 0, 0));
  EXPECT_EQ(Colors[255], RGB(5, 0, 0));
}

// ---- Bands ------------------------------------------------------------------

struct BandCase {
  int Width, Height;
  TGradStyle Style;
};

std::string BandCaseName(const testing::TestParamInfo<BandCase>& Info) {
  static const char* const Styles[] = {"TopBottom", "BottomTop", "LeftRight", "RightLeft"};
  return Styles[Info.param.Style] + std::to_string(Info.param.Width) + "x" +
         std::to_string(Info.param.Height);
}

class GradboxBandLayout : public testing::TestWithParam<BandCase> {};

// Every pixel shows the entry the band rule gives for its row (or column).
TEST_P(GradboxBandLayout, EveryLineShowsTheLastEntryDrawnOverIt) {
  const BandCase& C = GetParam();
  TBitmap Bitmap(C.Width, C.Height);
  TGradColors Colors{};
  FillGradientColors(Colors, clWhite, kDeepSky, C.Style);
  PaintGradientBands(*Bitmap.Canvas(), Colors, C.Style, C.Width, C.Height);

  const bool Horizontal = C.Style == gsTopBottom || C.Style == gsBottomTop;
  const bool Reversed = C.Style == gsBottomTop || C.Style == gsRightLeft;
  const TColor Start = Reversed ? kDeepSky : clWhite;
  const TColor End = Reversed ? clWhite : kDeepSky;
  int Wrong = 0;
  for (int Y = 0; Y < C.Height; ++Y)
    for (int X = 0; X < C.Width; ++X) {
      const int Entry = Horizontal ? EntryAt(Y, C.Height) : EntryAt(X, C.Width);
      const std::uint32_t Want = ColorToPixel(ExpectedEntry(Start, End, Entry));
      if (PixelAt(Bitmap, X, Y) != Want && ++Wrong <= 5)
        ADD_FAILURE() << "(" << X << "," << Y << ") should show entry " << Entry;
    }
  EXPECT_EQ(Wrong, 0);
}

INSTANTIATE_TEST_SUITE_P(Sizes, GradboxBandLayout,
                         testing::Values(BandCase{500, 35,
                                                  gsTopBottom},  // the search bar: band 1, 35 rows
                                         BandCase{3, 35, gsBottomTop},    //
                                         BandCase{2, 1, gsTopBottom},     // everything on row 0
                                         BandCase{2, 100, gsTopBottom},   // the default size
                                         BandCase{2, 255, gsTopBottom},   // band 2, one entry a row
                                         BandCase{2, 600, gsBottomTop},   // band 3, overlapping
                                         BandCase{500, 4, gsLeftRight},   // columns
                                         BandCase{500, 2, gsRightLeft},   //
                                         BandCase{255, 2, gsLeftRight},   //
                                         BandCase{700, 1, gsRightLeft}),  // band 3
                         BandCaseName);

TEST(GradboxBands, BandStartsFollowExtendedPrecision) {
  // 595 / 255 in extended precision times 27 is a hair under 63, so entry 28
  // starts at row 62 and covers the row that entry 27 would keep if the
  // starts were worked out exactly.
  TBitmap Bitmap(1, 595);
  TGradColors Colors{};
  FillGradientColors(Colors, clWhite, clBlack, gsTopBottom);
  PaintGradientBands(*Bitmap.Canvas(), Colors, gsTopBottom, 1, 595);
  EXPECT_EQ(PixelAt(Bitmap, 0, 62), ColorToPixel(Colors[28]));
  EXPECT_EQ(PixelAt(Bitmap, 0, 61), ColorToPixel(Colors[27]));
  EXPECT_NE(Colors[27], Colors[28]);
}

TEST(GradboxBands, NoneFillsNothing) {
  TBitmap Bitmap(6, 4);
  Bitmap.Canvas()->Brush()->SetColor(clTeal);
  Bitmap.Canvas()->FillRect(TRect{0, 0, 6, 4});
  TGradColors Colors{};
  FillGradientColors(Colors, clWhite, clBlack, gsTopBottom);
  PaintGradientBands(*Bitmap.Canvas(), Colors, gsNone, 6, 4);
  ExpectPixels(Bitmap.Image().Surface(), TPoint{0, 0}, {"tttttt", "tttttt", "tttttt", "tttttt"},
               {{'t', clTeal}});
}

TEST(GradboxBands, AlwaysTwoHundredFiftySixFillsWhateverTheSize) {
  for (const TRect& Size : {TRect{0, 0, 500, 35}, TRect{0, 0, 1, 1}, TRect{0, 0, 40, 2000}}) {
    TSurface Surface(Size.Right, Size.Bottom, 0);
    TDeviceContext DC(Surface);
    TCanvas Canvas;
    Canvas.SetHandle(&DC);
    int Drawings = 0;
    Canvas.OnChange = [&Drawings](TObject*) { ++Drawings; };
    TGradColors Colors{};
    FillGradientColors(Colors, clWhite, clBlack, gsLeftRight);
    PaintGradientBands(Canvas, Colors, gsLeftRight, Size.Right, Size.Bottom);
    EXPECT_EQ(Drawings, 256) << Size.Right << "x" << Size.Bottom;
  }
}

// ---- Caption ----------------------------------------------------------------

// A glyph whose stem is two whole pixels wide in the layout face at this
// height, so shifted copies show as shifted columns.
constexpr const char* kStem = "I";
constexpr TColor kBackground = clNavy;
constexpr TColor kFace = clRed;
constexpr TColor kBack = clYellow;
constexpr TColor kWhiteCopy = 0xFFFFFF;
constexpr TColor kGreyFace = 0x808080;

void PrepareFont(TFont& Font) {
  Font.SetHeight(-20);
  Font.SetStyle(fsBold);
  Font.SetColor(kFace);
}

// One text output of the reference drawing: the caption at the rectangle
// moved by (DX, DY) in Color.
struct Stamp {
  int DX, DY;
  TColor Color;
};

// Draws the stamps in order straight with the GDI text output, word break
// and tab expansion, no background: what the caption must look like.
void DrawReference(TSurface& Surface, const std::string& Text, const TRect& Rect,
                   const std::vector<Stamp>& Stamps) {
  TDeviceContext DC(Surface);
  TCanvas Canvas;
  Canvas.SetHandle(&DC);
  PrepareFont(*Canvas.Font());
  Canvas.Brush()->SetStyle(bsClear);
  for (const Stamp& S : Stamps) {
    Canvas.Font()->SetColor(S.Color);
    TRect R{Rect.Left + S.DX, Rect.Top + S.DY, Rect.Right + S.DX, Rect.Bottom + S.DY};
    ::DrawText(*Canvas.Handle(), Text, R, DT_WORDBREAK | DT_EXPANDTABS);
  }
}

struct CaptionCase {
  const char* Name;
  TCaptionLook Look;
  std::vector<Stamp> Stamps;
};

TCaptionLook Look(bool Enabled, bool Font3D, int Depth, TFontStyle3D Style) {
  TCaptionLook L;
  L.Enabled = Enabled;
  L.Font3D = Font3D;
  L.Depth = static_cast<std::uint8_t>(Depth);
  L.Style3D = Style;
  L.BackFont = kBack;
  return L;
}

class GradboxCaption : public testing::TestWithParam<CaptionCase> {};

TEST_P(GradboxCaption, DrawsTheCopiesAndTheFaceInOrder) {
  const CaptionCase& C = GetParam();
  const TRect Rect{10, 8, 90, 60};
  // A single stem, and a text that needs the tab expansion, the word break
  // at the right edge and the underline prefix.
  for (const std::string& Text : {std::string(kStem), std::string("I&I\tI II III IIII")}) {
    TSurface Want(100, 70, ColorToPixel(kBackground));
    DrawReference(Want, Text, Rect, C.Stamps);
    int Inked = 0;
    for (int Y = 0; Y < 70; ++Y)
      for (int X = 0; X < 100; ++X)
        Inked += (Want.Row(Y)[X] & 0xFFFFFF) != ColorToPixel(kBackground);
    ASSERT_GT(Inked, 20) << "the layout face drew nothing; is the font installed?";

    TBitmap Bitmap(100, 70);
    Bitmap.Canvas()->Brush()->SetColor(kBackground);
    Bitmap.Canvas()->FillRect(TRect{0, 0, 100, 70});
    TFont Font;
    PrepareFont(Font);
    DrawCaption(*Bitmap.Canvas(), Font, Text, Rect, C.Look);

    const TSurface& Got = Bitmap.Image().Surface();
    int Wrong = 0;
    for (int Y = 0; Y < 70; ++Y)
      for (int X = 0; X < 100; ++X)
        if ((Got.Row(Y)[X] & 0xFFFFFF) != (Want.Row(Y)[X] & 0xFFFFFF) && ++Wrong <= 5)
          ADD_FAILURE() << "'" << Text << "' differs at (" << X << "," << Y << ")";
    EXPECT_EQ(Wrong, 0) << "'" << Text << "'";
    // The panel's font is the model, never the scratch pad.
    EXPECT_EQ(Font.Color(), kFace);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Looks, GradboxCaption,
    testing::Values(
        CaptionCase{"Flat", Look(true, false, 3, fsRaise3D), {{0, 0, kFace}}},
        CaptionCase{
            "Disabled", Look(false, false, 3, fsRaise3D), {{1, 1, kWhiteCopy}, {0, 0, kGreyFace}}},
        // Disabled wins over the 3D look; the back colour is not used.
        CaptionCase{
            "Disabled3D", Look(false, true, 3, fsLow3D), {{1, 1, kWhiteCopy}, {0, 0, kGreyFace}}},
        CaptionCase{"LowShadow0", Look(true, true, 0, fsLowShadow), {{0, 0, kBack}, {0, 0, kFace}}},
        CaptionCase{"LowShadow1", Look(true, true, 1, fsLowShadow), {{1, 1, kBack}, {0, 0, kFace}}},
        CaptionCase{"LowShadow3", Look(true, true, 3, fsLowShadow), {{3, 3, kBack}, {0, 0, kFace}}},
        CaptionCase{
            "RaiseShadow0", Look(true, true, 0, fsRaiseShadow), {{0, 0, kBack}, {0, 0, kFace}}},
        CaptionCase{
            "RaiseShadow1", Look(true, true, 1, fsRaiseShadow), {{-1, -1, kBack}, {0, 0, kFace}}},
        CaptionCase{
            "RaiseShadow3", Look(true, true, 3, fsRaiseShadow), {{-3, -3, kBack}, {0, 0, kFace}}},
        CaptionCase{"Low3D0", Look(true, true, 0, fsLow3D), {{0, 0, kFace}}},
        CaptionCase{"Low3D1", Look(true, true, 1, fsLow3D), {{1, 1, kBack}, {0, 0, kFace}}},
        CaptionCase{"Low3D3",
                    Look(true, true, 3, fsLow3D),
                    {{1, 1, kBack}, {2, 2, kBack}, {3, 3, kBack}, {0, 0, kFace}}},
        CaptionCase{"Raise3D0", Look(true, true, 0, fsRaise3D), {{0, 0, kFace}}},
        CaptionCase{"Raise3D1", Look(true, true, 1, fsRaise3D), {{-1, -1, kBack}, {0, 0, kFace}}},
        CaptionCase{"Raise3D3",
                    Look(true, true, 3, fsRaise3D),
                    {{-1, -1, kBack}, {-2, -2, kBack}, {-3, -3, kBack}, {0, 0, kFace}}}),
    [](const testing::TestParamInfo<CaptionCase>& Info) { return std::string(Info.param.Name); });

// The same looks as masks of the stem of "I" drawn at (10, 10): the face's
// stem is columns 12-13, rows 13-27; each copy shows as the same stem
// shifted by its offset, at the top for copies up and left, at the bottom
// for copies down and right. Edge pixels of the anti-aliased stem are '?'.
const TPixelLegend kCaptionLegend = {
    {'.', kBackground}, {'F', kFace}, {'B', kBack}, {'w', kWhiteCopy}, {'g', kGreyFace}};

// Copies at (-1,-1), (-2,-2), (-3,-3), then the face.
const std::vector<std::string> kRaise3DMask = {
    // x = 4 to 19, y = 9 to 15: the top of the stems
    "................",  //
    "....?BB?........",  //
    "....?BBB?.......",  //
    "....?BBBB?......",  //
    "....?BB?FF?.....",  //
    "....?BB?FF?.....",  //
    "....?BB?FF?....."};

// Copies at (+1,+1), (+2,+2), (+3,+3) under the face.
const std::vector<std::string> kLow3DMask = {
    // x = 4 to 19, y = 24 to 30: the bottom of the stems
    ".......?FF?BB?..",  //
    ".......?FF?BB?..",  //
    ".......?FF?BB?..",  //
    ".......?FF?BB?..",  //
    "........?BBBB?..",  //
    ".........?BBB?..",  //
    "..........?BB?.."};

// White copy at (+1,+1) under the grey face; no back colour.
const std::vector<std::string> kDisabledMask = {
    // x = 4 to 19, y = 24 to 30: the bottom of the stems
    ".......?gg??....",  //
    ".......?gg??....",  //
    ".......?gg??....",  //
    ".......?gg??....",  //
    "........?ww?....",  //
    "................",  //
    "................"};

// The face alone.
const std::vector<std::string> kFlatMask = {
    // x = 4 to 19, y = 9 to 15: the top of the stems
    "................",  //
    "................",  //
    "................",  //
    "................",  //
    ".......?FF?.....",  //
    ".......?FF?.....",  //
    ".......?FF?....."};

// One copy at (+3,+3) under the face.
const std::vector<std::string> kLowShadowMask = {
    // x = 4 to 19, y = 24 to 30: the bottom of the stems
    ".......?FF?BB?..",  //
    ".......?FF?BB?..",  //
    ".......?FF?BB?..",  //
    ".......?FF?BB?..",  //
    "..........?BB?..",  //
    "..........?BB?..",  //
    "..........?BB?.."};

// One copy at (-3,-3) under the face.
const std::vector<std::string> kRaiseShadowMask = {
    // x = 4 to 19, y = 9 to 15: the top of the stems
    "................",  //
    "....?BB?........",  //
    "....?BB?........",  //
    "....?BB?........",  //
    "....?BB?FF?.....",  //
    "....?BB?FF?.....",  //
    "....?BB?FF?....."};

struct CaptionMaskCase {
  const char* Name;
  TCaptionLook Look;
  int Top;  // first row of the mask; its columns are 4 to 19
  std::vector<std::string> Mask;
};

class GradboxCaptionMask : public testing::TestWithParam<CaptionMaskCase> {};

TEST_P(GradboxCaptionMask, ShowsTheCopiesAsShiftedStems) {
  TBitmap Bitmap(40, 40);
  Bitmap.Canvas()->Brush()->SetColor(kBackground);
  Bitmap.Canvas()->FillRect(TRect{0, 0, 40, 40});
  TFont Font;
  PrepareFont(Font);
  DrawCaption(*Bitmap.Canvas(), Font, kStem, TRect{10, 10, 40, 40}, GetParam().Look);
  ExpectPixels(Bitmap.Image().Surface(), TPoint{4, GetParam().Top}, GetParam().Mask,
               kCaptionLegend);
}

INSTANTIATE_TEST_SUITE_P(
    Looks, GradboxCaptionMask,
    testing::Values(CaptionMaskCase{"RaisedReliefSteppedUpAndLeft", Look(true, true, 3, fsRaise3D),
                                    9, kRaise3DMask},
                    CaptionMaskCase{"LowReliefSteppedDownAndRight", Look(true, true, 3, fsLow3D),
                                    24, kLow3DMask},
                    CaptionMaskCase{"DisabledWhiteCopyUnderGreyFace",
                                    Look(false, true, 3, fsRaise3D), 24, kDisabledMask},
                    CaptionMaskCase{"FlatFaceOnly", Look(true, false, 3, fsRaise3D), 9, kFlatMask},
                    CaptionMaskCase{"LowShadowThreeDownAndRight", Look(true, true, 3, fsLowShadow),
                                    24, kLowShadowMask},
                    CaptionMaskCase{"RaiseShadowThreeUpAndLeft", Look(true, true, 3, fsRaiseShadow),
                                    9, kRaiseShadowMask}),
    [](const testing::TestParamInfo<CaptionMaskCase>& Info) {
      return std::string(Info.param.Name);
    });

TEST(GradboxCaption, EmptyCaptionDrawsNothing) {
  for (const TCaptionLook& L : {Look(true, false, 1, fsRaise3D), Look(false, true, 3, fsLow3D),
                                Look(true, true, 3, fsRaise3D), Look(true, true, 2, fsLowShadow)}) {
    TBitmap Bitmap(20, 20);
    Bitmap.Canvas()->Brush()->SetColor(kBackground);
    Bitmap.Canvas()->FillRect(TRect{0, 0, 20, 20});
    TFont Font;
    PrepareFont(Font);
    DrawCaption(*Bitmap.Canvas(), Font, "", TRect{2, 2, 20, 20}, L);
    const std::string Blank(20, '.');
    ExpectPixels(Bitmap.Image().Surface(), TPoint{0, 0}, std::vector<std::string>(20, Blank),
                 kCaptionLegend);
  }
}

TEST(GradboxCaption, LeavesTheCanvasWithThePanelFontAndAClearBrush) {
  TBitmap Bitmap(30, 30);
  TFont Font;
  PrepareFont(Font);
  DrawCaption(*Bitmap.Canvas(), Font, kStem, TRect{0, 0, 30, 30}, Look(true, true, 2, fsLow3D));
  EXPECT_EQ(Bitmap.Canvas()->Font()->Color(), kFace);
  EXPECT_EQ(Bitmap.Canvas()->Font()->Height(), -20);
  EXPECT_EQ(Bitmap.Canvas()->Brush()->Style(), bsClear);
}

}  // namespace
