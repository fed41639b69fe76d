// TBitmap: sizes and forms, the transparent colour, direct row access,
// copying, and loading from the program's resources and from .bmp data.

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "platform/PixelAssert.h"
#include "platform/image/Bmp.h"

namespace {

const TPixelLegend kLegend = {{'.', clWhite}, {'#', clBlack},  {'r', clRed},    {'g', clLime},
                              {'b', clBlue},  {'y', clYellow}, {'m', clFuchsia}};

// Paints Rows (legend characters) into the bitmap from its top-left corner.
void Paint(TBitmap& Bitmap, const std::vector<std::string>& Rows) {
  for (int Y = 0; Y < static_cast<int>(Rows.size()); ++Y)
    for (int X = 0; X < static_cast<int>(Rows[Y].size()); ++X)
      Bitmap.Canvas()->SetPixels(X, Y, kLegend.at(Rows[Y][X]));
}

void ExpectImage(const TBitmap& Bitmap, const std::vector<std::string>& Rows,
                 const char* File = __builtin_FILE(), int Line = __builtin_LINE()) {
  ASSERT_EQ(Bitmap.Height(), static_cast<int>(Rows.size())) << "called from line " << Line;
  ASSERT_EQ(Bitmap.Width(), static_cast<int>(Rows[0].size())) << "called from line " << Line;
  ExpectPixels(Bitmap.Image().Surface(), TPoint{0, 0}, Rows, kLegend, File, Line);
}

TEST(Bitmap, StartsEmptyInTheDeviceForm) {
  TBitmap Bitmap;
  EXPECT_TRUE(Bitmap.Empty());
  EXPECT_EQ(Bitmap.PixelFormat(), pfDevice);
  EXPECT_EQ(Bitmap.HandleType(), bmDDB);
  EXPECT_FALSE(Bitmap.Monochrome());
  EXPECT_FALSE(Bitmap.Transparent());
  EXPECT_EQ(Bitmap.TransparentMode(), tmAuto);
  EXPECT_EQ(Bitmap.TransparentColor(), clNone);
  // An empty bitmap still has a canvas that draws nothing.
  Bitmap.Canvas()->FillRect(TRect{0, 0, 5, 5});
}

TEST(Bitmap, ResizingKeepsTheTopLeftAndFillsWithTheBrush) {
  TBitmap Bitmap(3, 2);
  Paint(Bitmap, {"rgb",  //
                 "m#r"});
  Bitmap.Canvas()->Brush()->SetColor(clYellow);
  Bitmap.SetSize(5, 3);
  ExpectImage(Bitmap, {"rgbyy",  //
                       "m#ryy",  //
                       "yyyyy"});
  Bitmap.SetWidth(2);
  Bitmap.SetHeight(1);
  ExpectImage(Bitmap, {"rg"});
  Bitmap.Canvas()->Brush()->SetColor(clWhite);
  Bitmap.SetSize(3, 2);        // what was cut off does not come back
  ExpectImage(Bitmap, {"rg.",  //
                       "..."});
}

TEST(Bitmap, DrawsOverTheWholeAreaAfterGrowing) {
  TBitmap Bitmap(2, 2);
  Bitmap.Canvas()->Handle()->IntersectClipRect(TRect{0, 0, 1, 1});
  Bitmap.SetSize(4, 3);  // a new image: no clip left over, the size is the new one
  Bitmap.Canvas()->Brush()->SetColor(clRed);
  Bitmap.Canvas()->FillRect(TRect{0, 0, 10, 10});
  ExpectImage(Bitmap, {"rrrr", "rrrr", "rrrr"});
}

TEST(Bitmap, CanvasObjectsSurviveResizing) {
  TBitmap Bitmap(2, 2);
  Bitmap.Canvas()->Font()->SetColor(clBlue);
  Bitmap.Canvas()->Pen()->SetColor(clRed);
  Bitmap.SetSize(6, 3);
  Bitmap.Canvas()->MoveTo(0, 1);
  Bitmap.Canvas()->LineTo(6, 1);
  ExpectImage(Bitmap, {"......", "rrrrrr", "......"});
  EXPECT_EQ(Bitmap.Canvas()->Handle()->State().TextColor, clBlue);
}

TEST(Bitmap, NegativeSizesAreZeroAndHugeOnesAreRefused) {
  TBitmap Bitmap(4, 4);
  Bitmap.SetSize(-3, 2);
  EXPECT_TRUE(Bitmap.Empty());
  EXPECT_EQ(Bitmap.Height(), 2);
  Bitmap.SetSize(3, 3);
  EXPECT_THROW(Bitmap.SetSize(1 << 20, 1 << 20), EInvalidGraphicOperation);
  EXPECT_EQ(Bitmap.Width(), 3);
  EXPECT_EQ(Bitmap.Height(), 3);
}

TEST(Bitmap, OnChangeFollowsChangesButNotRowWrites) {
  TBitmap Bitmap;
  int Changes = 0;
  Bitmap.OnChange = [&](TObject* Sender) {
    EXPECT_EQ(Sender, &Bitmap);
    ++Changes;
  };
  Bitmap.SetSize(4, 4);
  EXPECT_EQ(Changes, 1);
  Bitmap.SetSize(4, 4);
  EXPECT_EQ(Changes, 1);
  Bitmap.Canvas()->FillRect(TRect{0, 0, 2, 2});
  EXPECT_EQ(Changes, 2);
  Bitmap.SetPixelFormat(pf32bit);
  EXPECT_EQ(Changes, 3);
  Bitmap.ScanLine(0)[0] = 0x123456;
  Bitmap.Canvas()->Handle();
  EXPECT_EQ(Changes, 3);
  Bitmap.SetTransparent(true);
  Bitmap.SetTransparentColor(clRed);
  EXPECT_EQ(Changes, 5);
}

// ---- Transparent colour -------------------------------------------------------

TEST(BitmapTransparency, AutomaticColourIsTheBottomLeftPixel) {
  TBitmap Bitmap(3, 2);
  Paint(Bitmap, {"rgb",  //
                 "mrg"});
  EXPECT_EQ(Bitmap.TransparentColor(), clFuchsia);
  Bitmap.Canvas()->SetPixels(0, 1, clLime);  // it follows the picture
  EXPECT_EQ(Bitmap.TransparentColor(), clLime);
  Bitmap.SetMonochrome(true);
  EXPECT_EQ(Bitmap.TransparentColor(), clBlack);
}

TEST(BitmapTransparency, AFixedColourHoldsUntilClDefault) {
  TBitmap Bitmap(2, 2);
  Paint(Bitmap, {"rg", "mb"});
  Bitmap.SetTransparentColor(clLime);
  EXPECT_EQ(Bitmap.TransparentMode(), tmFixed);
  EXPECT_EQ(Bitmap.TransparentColor(), clLime);
  Bitmap.SetTransparentColor(clDefault);
  EXPECT_EQ(Bitmap.TransparentMode(), tmAuto);
  EXPECT_EQ(Bitmap.TransparentColor(), clFuchsia);
}

TEST(BitmapTransparency, FixedModeKeepsTheColourOfTheMoment) {
  TBitmap Bitmap(2, 2);
  Paint(Bitmap, {"rg", "mb"});
  Bitmap.SetTransparentMode(tmFixed);
  Bitmap.Canvas()->SetPixels(0, 1, clBlue);
  EXPECT_EQ(Bitmap.TransparentColor(), clFuchsia);
  Bitmap.SetTransparentMode(tmAuto);
  EXPECT_EQ(Bitmap.TransparentColor(), clBlue);
}

TEST(BitmapTransparency, DrawLeavesOutTheFixedColour) {
  TBitmap Bitmap(3, 1);
  Paint(Bitmap, {"rgb"});
  Bitmap.SetTransparent(true);
  Bitmap.SetTransparentColor(clLime);
  TBitmap Target(3, 1);
  Target.Canvas()->Draw(0, 0, &Bitmap);
  ExpectImage(Target, {"r.b"});
}

// ---- Forms ---------------------------------------------------------------------

TEST(BitmapForm, ScanLineGivesTopDownRowsOfThirtyTwoBitForms) {
  TBitmap Bitmap(3, 2);
  Bitmap.SetPixelFormat(pf32bit);
  EXPECT_EQ(Bitmap.HandleType(), bmDIB);
  std::uint32_t* Top = Bitmap.ScanLine(0);
  Top[1] = 0x00FF0000;  // 0x00RRGGBB: red
  Bitmap.ScanLine(1)[2] = 0x000000FF;
  ExpectImage(Bitmap, {".r.",  //
                       "..b"});
  EXPECT_EQ(Bitmap.Canvas()->Pixels(1, 0), clRed);
  EXPECT_THROW(Bitmap.ScanLine(2), EInvalidGraphicOperation);
  EXPECT_THROW(Bitmap.ScanLine(-1), EInvalidGraphicOperation);

  Bitmap.SetPixelFormat(pfDevice);
  EXPECT_EQ(Bitmap.ScanLine(0)[1], 0x00FF0000u);
  Bitmap.SetPixelFormat(pf24bit);
  EXPECT_THROW(Bitmap.ScanLine(0), EInvalidGraphicOperation);
  Bitmap.SetPixelFormat(pf1bit);
  EXPECT_THROW(Bitmap.ScanLine(0), EInvalidGraphicOperation);
}

TEST(BitmapForm, TheFourthByteIsIgnoredWhenDrawingAndGoneIn24Bits) {
  TBitmap Bitmap(2, 1);
  Bitmap.SetPixelFormat(pf32bit);
  Bitmap.ScanLine(0)[0] = 0xAB00FF00;  // lime with something in the fourth byte
  TBitmap Target(2, 1);
  Target.Canvas()->Draw(0, 0, &Bitmap);
  EXPECT_EQ(Target.Canvas()->Pixels(0, 0), clLime);
  Bitmap.SetTransparent(true);
  Bitmap.SetTransparentColor(clLime);
  Target.Canvas()->Brush()->SetColor(clRed);
  Target.Canvas()->FillRect(TRect{0, 0, 2, 1});
  Target.Canvas()->Draw(0, 0, &Bitmap);
  EXPECT_EQ(Target.Canvas()->Pixels(0, 0), clRed) << "the key matches on colour alone";
  Bitmap.SetPixelFormat(pf24bit);
  Bitmap.SetPixelFormat(pf32bit);
  EXPECT_EQ(Bitmap.ScanLine(0)[0], 0x0000FF00u);
}

TEST(BitmapForm, PixelFormatOneBitTakesTheNearerOfBlackAndWhite) {
  TBitmap Bitmap(4, 1);
  Bitmap.Canvas()->SetPixels(0, 0, RGB(200, 200, 200));
  Bitmap.Canvas()->SetPixels(1, 0, RGB(100, 100, 100));
  Bitmap.Canvas()->SetPixels(2, 0, clYellow);  // 510: light
  Bitmap.Canvas()->SetPixels(3, 0, clBlue);
  Bitmap.SetPixelFormat(pf1bit);
  EXPECT_TRUE(Bitmap.Monochrome());
  EXPECT_EQ(Bitmap.HandleType(), bmDIB);
  ExpectImage(Bitmap, {".#.#"});
  Bitmap.SetPixelFormat(pf32bit);
  EXPECT_FALSE(Bitmap.Monochrome());
  ExpectImage(Bitmap, {".#.#"});
}

TEST(BitmapForm, MonochromeKeepsOnlyWhite) {
  TBitmap Bitmap(3, 1);
  Bitmap.Canvas()->SetPixels(0, 0, RGB(250, 250, 250));
  Bitmap.Canvas()->SetPixels(2, 0, clBlack);
  Bitmap.SetMonochrome(true);
  EXPECT_EQ(Bitmap.PixelFormat(), pf1bit);
  EXPECT_EQ(Bitmap.HandleType(), bmDDB);
  ExpectImage(Bitmap, {"#.#"});
  // Drawing on a monochrome bitmap gives black or white only.
  Bitmap.Canvas()->Brush()->SetColor(clYellow);
  Bitmap.Canvas()->FillRect(TRect{0, 0, 1, 1});
  ExpectImage(Bitmap, {"..#"});
  Bitmap.SetMonochrome(false);
  EXPECT_EQ(Bitmap.PixelFormat(), pfDevice);
  ExpectImage(Bitmap, {"..#"});
}

struct THandleTypeCase {
  TPixelFormat From;
  TBitmapHandleType To;
  TPixelFormat Becomes;
};
class BitmapHandleType : public testing::TestWithParam<THandleTypeCase> {};
TEST_P(BitmapHandleType, ChangesTheFormNotThePixels) {
  TBitmap Bitmap(2, 1);
  Paint(Bitmap, {"r#"});
  Bitmap.SetPixelFormat(GetParam().From);
  Bitmap.SetHandleType(GetParam().To);
  EXPECT_EQ(Bitmap.HandleType(), GetParam().To);
  EXPECT_EQ(Bitmap.PixelFormat(), GetParam().Becomes);
  EXPECT_EQ(Bitmap.Canvas()->Pixels(1, 0), clBlack);
}
INSTANTIATE_TEST_SUITE_P(Forms, BitmapHandleType,
                         testing::Values(THandleTypeCase{pfDevice, bmDIB, pf32bit},
                                         THandleTypeCase{pf32bit, bmDDB, pfDevice},
                                         THandleTypeCase{pf24bit, bmDDB, pfDevice},
                                         THandleTypeCase{pf1bit, bmDDB, pf1bit},
                                         THandleTypeCase{pf32bit, bmDIB, pf32bit}));

TEST(BitmapForm, PaletteFormsCannotBeAskedFor) {
  TBitmap Bitmap(2, 2);
  EXPECT_THROW(Bitmap.SetPixelFormat(pf8bit), EInvalidGraphicOperation);
  EXPECT_THROW(Bitmap.SetPixelFormat(pf4bit), EInvalidGraphicOperation);
  EXPECT_THROW(Bitmap.SetPixelFormat(pf16bit), EInvalidGraphicOperation);
  EXPECT_EQ(Bitmap.PixelFormat(), pfDevice);
}

// ---- Copying ----------------------------------------------------------------------

TEST(BitmapAssign, CopiesEverythingDeeply) {
  TBitmap Source(2, 2);
  Paint(Source, {"rg", "by"});
  Source.SetPixelFormat(pf32bit);
  Source.SetTransparent(true);
  Source.SetTransparentColor(clLime);
  TBitmap Copy;
  int Changes = 0;
  Copy.OnChange = [&](TObject*) { ++Changes; };
  Copy.Assign(&Source);
  EXPECT_EQ(Changes, 1);
  ExpectImage(Copy, {"rg", "by"});
  EXPECT_EQ(Copy.PixelFormat(), pf32bit);
  EXPECT_TRUE(Copy.Transparent());
  EXPECT_EQ(Copy.TransparentMode(), tmFixed);
  EXPECT_EQ(Copy.TransparentColor(), clLime);

  Copy.Canvas()->SetPixels(0, 0, clBlack);
  Copy.ScanLine(1)[1] = 0;
  ExpectImage(Source, {"rg", "by"});
}

TEST(BitmapAssign, NullEmptiesAndOtherClassesAreRefused) {
  TBitmap Bitmap(3, 3);
  TFont Font;
  EXPECT_THROW(Bitmap.Assign(&Font), EConvertError);
  EXPECT_EQ(Bitmap.Width(), 3);
  Bitmap.Assign(nullptr);
  EXPECT_TRUE(Bitmap.Empty());
  EXPECT_EQ(Bitmap.Width(), 0);
  EXPECT_EQ(Bitmap.Height(), 0);
}

// ---- Loading ------------------------------------------------------------------------

TEST(BitmapResource, CheckBoxStripHasItsSizeAndMagentaKey) {
  TBitmap Bitmap;
  Bitmap.LoadFromResourceName("CHECKBOX");
  EXPECT_EQ(Bitmap.Width(), 1008);
  EXPECT_EQ(Bitmap.Height(), 18);
  EXPECT_EQ(Bitmap.PixelFormat(), pf8bit);
  EXPECT_EQ(Bitmap.HandleType(), bmDIB);
  EXPECT_EQ(Bitmap.TransparentColor(), RGB(255, 0, 255));
}

TEST(BitmapResource, FontMarksAreThirteenSquare) {
  for (const char* Name : {"TTFONT", "DEVICEFONT"}) {
    TBitmap Bitmap;
    Bitmap.LoadFromResourceName(Name);
    EXPECT_EQ(Bitmap.Width(), 13) << Name;
    EXPECT_EQ(Bitmap.Height(), 13) << Name;
    EXPECT_EQ(Bitmap.PixelFormat(), pf4bit) << Name;
    EXPECT_EQ(Bitmap.TransparentColor(), RGB(255, 0, 255)) << Name;
  }
}

TEST(BitmapResource, AMissingNameRaisesAndChangesNothing) {
  TBitmap Bitmap(5, 4);
  int Changes = 0;
  Bitmap.OnChange = [&](TObject*) { ++Changes; };
  EXPECT_THROW(Bitmap.LoadFromResourceName("NO_SUCH_BITMAP"), EResNotFound);
  EXPECT_EQ(Bitmap.Width(), 5);
  EXPECT_EQ(Bitmap.Height(), 4);
  EXPECT_EQ(Changes, 0);
}

// A 3 by 2 image stored at Bits bits per pixel: red lime blue over magenta
// white black (1 bit: white black white over black black white).
std::vector<std::uint8_t> SampleBmp(int Bits) {
  image::TBmpImage Image;
  Image.BitsPerPixel = Bits;
  Image.Surface.Resize(3, 2);
  const std::vector<std::uint32_t> Colours = {0xFF0000, 0x00FF00, 0x0000FF,
                                              0xFF00FF, 0xFFFFFF, 0x000000};
  if (Bits == 1) {
    Image.Palette = {0x000000, 0xFFFFFF};
    Image.Indices = {1, 0, 1, 0, 0, 1};
  } else if (Bits <= 8) {
    Image.Palette = Colours;
    Image.Indices = {0, 1, 2, 3, 4, 5};
  } else {
    for (int I = 0; I < 6; ++I) Image.Surface.Row(I / 3)[I % 3] = Colours[I];
  }
  return image::EncodeBmp(Image);
}

struct TDepthCase {
  int Bits;
  TPixelFormat Format;
};
class BitmapLoad : public testing::TestWithParam<TDepthCase> {};

TEST_P(BitmapLoad, ReadsBottomUpRowsIntoTheirPlaces) {
  TBitmap Bitmap;
  const std::vector<std::uint8_t> Bytes = SampleBmp(GetParam().Bits);
  Bitmap.LoadFromBytes(Bytes.data(), Bytes.size());
  EXPECT_EQ(Bitmap.PixelFormat(), GetParam().Format);
  EXPECT_EQ(Bitmap.HandleType(), bmDIB);
  if (GetParam().Bits == 1) {
    EXPECT_TRUE(Bitmap.Monochrome());
    ExpectImage(Bitmap, {".#.", "##."});
    EXPECT_EQ(Bitmap.TransparentColor(), clBlack);
  } else {
    EXPECT_FALSE(Bitmap.Monochrome());
    ExpectImage(Bitmap, {"rgb", "m.#"});
    EXPECT_EQ(Bitmap.TransparentColor(), clFuchsia);
  }
}

INSTANTIATE_TEST_SUITE_P(Depths, BitmapLoad,
                         testing::Values(TDepthCase{1, pf1bit}, TDepthCase{4, pf4bit},
                                         TDepthCase{8, pf8bit}, TDepthCase{24, pf24bit},
                                         TDepthCase{32, pf32bit}),
                         [](const testing::TestParamInfo<TDepthCase>& Info) {
                           return std::to_string(Info.param.Bits) + "bits";
                         });

TEST(BitmapLoadForm, AOneBitImageWithColoursStaysInColour) {
  image::TBmpImage Image;
  Image.BitsPerPixel = 1;
  Image.Surface.Resize(2, 1);
  Image.Palette = {0x0000FF, 0xFF0000};  // blue, red
  Image.Indices = {1, 0};
  const std::vector<std::uint8_t> Bytes = image::EncodeBmp(Image);
  TBitmap Bitmap;
  Bitmap.LoadFromBytes(Bytes.data(), Bytes.size());
  EXPECT_FALSE(Bitmap.Monochrome());
  ExpectImage(Bitmap, {"rb"});
}

TEST(BitmapLoadForm, APackedDibLoadsLikeAFile) {
  std::vector<std::uint8_t> Bytes = SampleBmp(24);
  Bytes.erase(Bytes.begin(), Bytes.begin() + 14);  // without the file header
  TBitmap Bitmap;
  Bitmap.LoadFromBytes(Bytes.data(), Bytes.size());
  ExpectImage(Bitmap, {"rgb", "m.#"});
}

TEST(BitmapLoadForm, BrokenDataRaisesAndChangesNothing) {
  std::vector<std::uint8_t> Bytes = SampleBmp(8);
  Bytes.resize(Bytes.size() - 4);
  TBitmap Bitmap(2, 2);
  int Changes = 0;
  Bitmap.OnChange = [&](TObject*) { ++Changes; };
  EXPECT_THROW(Bitmap.LoadFromBytes(Bytes.data(), Bytes.size()), EInvalidGraphic);
  EXPECT_EQ(Bitmap.Width(), 2);
  EXPECT_EQ(Changes, 0);
}

TEST(BitmapLoadForm, LoadingReplacesTheCanvasContext) {
  TBitmap Bitmap(40, 40);
  Bitmap.Canvas()->Handle()->SetViewportOrg(30, 30);
  const std::vector<std::uint8_t> Bytes = SampleBmp(24);
  Bitmap.LoadFromBytes(Bytes.data(), Bytes.size());
  Bitmap.Canvas()->SetPixels(0, 0, clYellow);  // no origin left over from before
  ExpectImage(Bitmap, {"ygb", "m.#"});
}

class BitmapFile : public testing::Test {
protected:
  std::string Path(const std::string& Name) { return testing::TempDir() + "bitmap-" + Name; }
};

TEST_F(BitmapFile, SavesAndLoadsEachForm) {
  for (TPixelFormat Format : {pfDevice, pf32bit, pf24bit, pf1bit}) {
    TBitmap Bitmap(3, 2);
    Paint(Bitmap, {"#.#", "..#"});
    Bitmap.SetPixelFormat(Format);
    const std::string File = Path("form" + std::to_string(Format) + ".bmp");
    Bitmap.SaveToFile(File);
    TBitmap Loaded;
    Loaded.LoadFromFile(File);
    ExpectImage(Loaded, {"#.#", "..#"});
    EXPECT_EQ(Loaded.Monochrome(), Format == pf1bit);
    EXPECT_EQ(Loaded.PixelFormat(), Format == pfDevice ? pf32bit : Format);
  }
}

TEST_F(BitmapFile, AnUnwritablePathRaises) {
  TBitmap Bitmap(2, 2);
  EXPECT_THROW(Bitmap.SaveToFile(Path("no-such-dir/x.bmp")), Exception);
  EXPECT_THROW(Bitmap.LoadFromFile(Path("no-such-file.bmp")), EInvalidGraphic);
}

}  // namespace
