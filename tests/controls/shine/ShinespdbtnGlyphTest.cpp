// The state images of a shine button on small glyphs, pixel by pixel. The
// expected pictures are worked out by hand from the effect rules.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "controls/shine/Shinespdbtn.h"
#include "platform/PixelAssert.h"

namespace {

constexpr TColor kKey = clWhite;
constexpr TColor kInk = RGB(200, 100, 50);
constexpr TColor kInk2 = RGB(10, 20, 30);
constexpr TColor kShine = clYellow;  // 255, 255, 0
constexpr TColor kFace = RGB(100, 100, 100);

const TPixelLegend kLegend = {{'.', kKey}, {'r', kInk}, {'b', kInk2}, {'s', kShine}};

// A 32-bit glyph from an ASCII picture in kLegend's terms.
void FillGlyph(TBitmap& Glyph, const std::vector<std::string>& Rows) {
  Glyph.SetPixelFormat(pf32bit);
  Glyph.SetSize(int(Rows[0].size()), int(Rows.size()));
  for (int Y = 0; Y < Glyph.Height(); ++Y)
    for (int X = 0; X < Glyph.Width(); ++X)
      Glyph.ScanLine(Y)[X] = ColorToPixel(kLegend.at(Rows[std::size_t(Y)][std::size_t(X)]));
}

std::unique_ptr<TBitmap> StateImage(const std::vector<std::string>& Rows, TShineDrawState State,
                                    TActiveImageType Active = aiNormal,
                                    TDisabledImageType Disabled = diGrayscale) {
  TBitmap Glyph;
  FillGlyph(Glyph, Rows);
  TStateGlyphLook Look;
  Look.State = State;
  Look.ActiveImage = Active;
  Look.DisabledImage = Disabled;
  Look.ShineColor = kShine;
  Look.FaceColor = kFace;
  return CreateStateGlyph(Glyph, Look);
}

const std::vector<std::string> kBlock = {"....",  //
                                         ".rr.",  //
                                         ".rb.",  //
                                         "...."};

// ---- hover effects -------------------------------------------------------------------

struct EffectCase {
  const char* Name;
  TShineDrawState State;
  TActiveImageType Active;
  TDisabledImageType Disabled;
  std::vector<std::string> Source;
  std::vector<std::string> Expected;
  TPixelLegend Extra;  // colours of the expected picture beyond kLegend
};

class ShineStateGlyph : public testing::TestWithParam<EffectCase> {};

TEST_P(ShineStateGlyph, ProducesThePicture) {
  const EffectCase& C = GetParam();
  auto Image = StateImage(C.Source, C.State, C.Active, C.Disabled);
  ASSERT_NE(Image, nullptr);
  ASSERT_FALSE(Image->Monochrome());
  TPixelLegend Legend = kLegend;
  for (const auto& [Char, Color] : C.Extra) Legend[Char] = Color;
  ExpectPixels(Image->Image().Surface(), TPoint{0, 0}, C.Expected, Legend);
  // The key colour stays transparent, whatever the effect did to the corner.
  EXPECT_TRUE(Image->Transparent());
  EXPECT_EQ(Image->TransparentColor(), kKey);
  EXPECT_EQ(Image->HandleType(), bmDDB);
}

INSTANTIATE_TEST_SUITE_P(
    Effects, ShineStateGlyph,
    testing::Values(EffectCase{"UpIsAPlainCopy", sdUp, aiXorLight, diGrayscale, kBlock, kBlock, {}},
                    EffectCase{
                        "DownIsAPlainCopy", sdDown, aiXorLight, diGrayscale, kBlock, kBlock, {}},
                    EffectCase{"Normal", sdUpActive, aiNormal, diGrayscale, kBlock, kBlock, {}},
                    // 200^255, 100^255, 50^0; 10^255, 20^255, 30^0
                    EffectCase{"Xor",
                               sdUpActive,
                               aiXorLight,
                               diGrayscale,
                               kBlock,
                               {"....", ".xx.", ".xy.", "...."},
                               {{'x', RGB(55, 155, 50)}, {'y', RGB(245, 235, 30)}}},
                    // (255 + c) div 2
                    EffectCase{"Half",
                               sdDownActive,
                               aiHalfLight,
                               diGrayscale,
                               kBlock,
                               {"....", ".xx.", ".xy.", "...."},
                               {{'x', RGB(227, 177, 25)}, {'y', RGB(132, 137, 15)}}},
                    // (3 * 255 + c) div 4
                    EffectCase{"Quarter",
                               sdUpActive,
                               aiQuaterLight,
                               diGrayscale,
                               kBlock,
                               {"....", ".xx.", ".xy.", "...."},
                               {{'x', RGB(241, 216, 12)}, {'y', RGB(193, 196, 7)}}},
                    // saturates at 255
                    EffectCase{"Add",
                               sdUpActive,
                               aiAddLight,
                               diGrayscale,
                               kBlock,
                               {"....", ".xx.", ".xy.", "...."},
                               {{'x', RGB(255, 255, 50)}, {'y', RGB(255, 255, 30)}}},
                    EffectCase{"FrameOnePixel",
                               sdUpActive,
                               aiFrameLight,
                               diGrayscale,
                               kBlock,
                               {".ss.", "srrs", "srbs", ".ss."},
                               {}},
                    // Ink on the left edge: nothing wraps round to the right edge, and
                    // the bottom-left corner itself turns shine.
                    EffectCase{"FrameOnePixelAtTheEdge",
                               sdUpActive,
                               aiFrameLight,
                               diGrayscale,
                               {"......", "......", "r.....", "......", "......"},
                               {"......", "s.....", "rs....", "s.....", "......"},
                               {}},
                    EffectCase{"FrameTwoPixelsAtTheEdge",
                               sdDownActive,
                               aiFrameLight2,
                               diGrayscale,
                               {"......", "......", "r.....", "......", "......"},
                               {"s.....", "ss....", "rss...", "ss....", "s....."},
                               {}},
                    EffectCase{"FrameTwoPixelsAroundABlock",
                               sdUpActive,
                               aiFrameLight2,
                               diGrayscale,
                               {".......", ".......", "...r...", ".......", "......."},
                               {"...s...", "..sss..", ".ssrss.", "..sss..", "...s..."},
                               {}},
                    // Checkerboard on x + y odd; the key pixel at the bottom-left stays.
                    EffectCase{"Mask",
                               sdUpActive,
                               aiMaskLight,
                               diGrayscale,
                               {"rrr", "rrr", ".rr"},
                               {"rsr", "srs", ".sr"},
                               {}},
                    EffectCase{"MaskOnWiderGlyph",
                               sdUpActive,
                               aiMaskLight,
                               diGrayscale,
                               {"rrrr", "rrrr", ".rrr"},
                               {"rsrs", "srsr", ".srs"},
                               {}},
                    // (200 + 100 + 50) div 3 = 116; (10 + 20 + 30) div 3 = 20
                    EffectCase{"Grayscale",
                               sdDisabled,
                               aiFrameLight,
                               diGrayscale,
                               kBlock,
                               {"....", ".gg.", ".gh.", "...."},
                               {{'g', RGB(116, 116, 116)}, {'h', RGB(20, 20, 20)}}},
                    // (100 + c) div 2
                    EffectCase{"AlphaHalf",
                               sdDisabled,
                               aiFrameLight,
                               diAlphaHalfTrans,
                               kBlock,
                               {"....", ".gg.", ".gh.", "...."},
                               {{'g', RGB(150, 100, 75)}, {'h', RGB(55, 60, 65)}}},
                    // (300 + c) div 4
                    EffectCase{"AlphaQuarter",
                               sdDisabled,
                               aiFrameLight,
                               diAlphaQuaterTrans,
                               kBlock,
                               {"....", ".gg.", ".gh.", "...."},
                               {{'g', RGB(125, 100, 87)}, {'h', RGB(77, 80, 82)}}},
                    EffectCase{"MaskTransparent",
                               sdDisabled,
                               aiFrameLight,
                               diMaskTrans,
                               {"rrr", "rbr", ".rr"},
                               {"r.r", ".b.", "..r"},
                               {}}),
    [](const testing::TestParamInfo<EffectCase>& Info) { return std::string(Info.param.Name); });

// ---- the disabled edge mask ----------------------------------------------------------

TEST(ShineStateGlyphMask, MarksEveryColourBoundaryAcrossTheDiagonals) {
  // The ink's own boundary between r and b counts as well; a uniform area
  // inside the ink stays black, and so do the last row and column.
  auto Image = StateImage({"......",  //
                           ".rrrr.",  //
                           ".rrrr.",  //
                           ".rrbb.",  //
                           ".rrbb.",  //
                           "......"},
                          sdDisabled, aiNormal, diDefault);
  ASSERT_NE(Image, nullptr);
  EXPECT_TRUE(Image->Monochrome());
  ExpectPixels(Image->Image().Surface(), TPoint{0, 0},
               {"#####.",  //
                "#...#.",  //
                "#.###.",  //
                "#.#.#.",  //
                "#####.",  //
                "......"},
               {{'#', clWhite}, {'.', clBlack}});
  EXPECT_TRUE(Image->Transparent());
  EXPECT_EQ(Image->TransparentColor(), clBlack);
}

TEST(ShineStateGlyphMask, OnePixelGlyph) {
  // Its only pixel is the key: every image equals the source, the mask is
  // black.
  for (TShineDrawState State : {sdDownActive, sdDown, sdUpActive, sdUp, sdDisabled})
    for (int Effect = aiNormal; Effect <= aiMaskLight; ++Effect) {
      auto Image = StateImage({"r"}, State, TActiveImageType(Effect), diGrayscale);
      ExpectPixels(Image->Image().Surface(), TPoint{0, 0}, {"r"}, kLegend);
    }
  for (int Effect = diGrayscale; Effect <= diMaskTrans; ++Effect) {
    auto Image = StateImage({"r"}, sdDisabled, aiNormal, TDisabledImageType(Effect));
    ExpectPixels(Image->Image().Surface(), TPoint{0, 0}, {"r"}, kLegend);
  }
  auto Mask = StateImage({"r"}, sdDisabled, aiNormal, diDefault);
  ExpectPixels(Mask->Image().Surface(), TPoint{0, 0}, {"#"}, {{'#', clBlack}});
}

TEST(ShineStateGlyphMask, XorWithBlackOrWhite) {
  TBitmap Glyph;
  FillGlyph(Glyph, kBlock);
  TStateGlyphLook Look;
  Look.State = sdUpActive;
  Look.ActiveImage = aiXorLight;
  Look.ShineColor = clBlack;
  ExpectPixels(CreateStateGlyph(Glyph, Look)->Image().Surface(), TPoint{0, 0}, kBlock, kLegend);
  Look.ShineColor = clWhite;
  ExpectPixels(CreateStateGlyph(Glyph, Look)->Image().Surface(), TPoint{0, 0},
               {"....", ".xx.", ".xy.", "...."},
               {{'.', kKey}, {'x', RGB(55, 155, 205)}, {'y', RGB(245, 235, 225)}});
}

TEST(ShineStateGlyphMask, EmptyGlyphGivesNoImageAndTheSourceStaysAsItWas) {
  TBitmap Empty;
  EXPECT_EQ(CreateStateGlyph(Empty, TStateGlyphLook{}), nullptr);

  TBitmap Glyph;
  FillGlyph(Glyph, kBlock);
  TStateGlyphLook Look;
  Look.State = sdUpActive;
  Look.ActiveImage = aiFrameLight2;
  CreateStateGlyph(Glyph, Look);
  ExpectPixels(Glyph.Image().Surface(), TPoint{0, 0}, kBlock, kLegend);
}

}  // namespace
