// The picker's shared resources: what start-up loads and derives, the
// check-box style clamp, the strip cells drawn over a row's background, and
// the paths of a missing strip and a missing font mark.

#include <gtest/gtest.h>

#include <cstdint>

#include "controls/picker/Dxfres.h"
#include "framework/graphics/Bitmap.h"
#include "platform/core/Exception.h"
#include "platform/gdi/FrameControls.h"
#include "platform/gdi/SysColors.h"

namespace {

constexpr std::uint32_t kMagenta = 0xFF00FF;

std::uint32_t PixelAt(const TBitmap& Bitmap, int X, int Y) {
  return Bitmap.Image().Surface().Row(Y)[X] & 0xFFFFFF;
}

// Every test starts and ends with the resources as the program has them.
class TDxfresTest : public ::testing::Test {
protected:
  void SetUp() override { FinalizeDxfres(); }
  void TearDown() override { FinalizeDxfres(); }
};

TEST_F(TDxfresTest, StartUpLoadsTheStripAndDerivesTheCellSizes) {
  InitializeDxfres();
  ASSERT_TRUE(DxfresInitialized());
  EXPECT_EQ(CBBmp()->Width(), 1008);
  EXPECT_EQ(CBBmp()->Height(), 18);
  EXPECT_EQ(CheckWidth(), 18);
  EXPECT_EQ(CheckHeight(), 18);
  EXPECT_EQ(SystemCheckWidth(), kCheckBoxGlyphSize);
  EXPECT_EQ(MaxCheckBoxStyle(), 14);
  EXPECT_TRUE(DrawBmp()->Empty());
}

TEST_F(TDxfresTest, AccessorsStartTheResourcesOnFirstUse) {
  EXPECT_FALSE(DxfresInitialized());
  EXPECT_EQ(CheckWidth(), 18);
  EXPECT_TRUE(DxfresInitialized());
  TBitmap* Strip = CBBmp();
  InitializeDxfres();  // a second start-up keeps the same objects
  EXPECT_EQ(CBBmp(), Strip);
}

TEST_F(TDxfresTest, TheImageListHoldsTheTwoFontMarksTrueTypeFirst) {
  TImageList* Marks = ImageList();
  ASSERT_EQ(Marks->Count(), 2);
  EXPECT_EQ(Marks->Width(), 13);
  EXPECT_EQ(Marks->Height(), 13);

  // Each mark drawn over green shows its bitmap with magenta as the green.
  const char* Names[] = {"TTFONT", "DEVICEFONT"};
  for (int Index = 0; Index < 2; ++Index) {
    SCOPED_TRACE(Names[Index]);
    TBitmap Source;
    Source.LoadFromResourceName(Names[Index]);
    TBitmap Target(13, 13);
    Target.Canvas()->Brush()->SetColor(clLime);
    Target.Canvas()->FillRect(TRect{0, 0, 13, 13});
    Marks->Draw(Target.Canvas(), 0, 0, Index);
    int Transparent = 0;
    for (int Y = 0; Y < 13; ++Y)
      for (int X = 0; X < 13; ++X) {
        const std::uint32_t Want = PixelAt(Source, X, Y);
        if (Want == kMagenta) ++Transparent;
        ASSERT_EQ(PixelAt(Target, X, Y), Want == kMagenta ? 0x00FF00u : Want)
            << "at " << X << "," << Y;
      }
    EXPECT_GT(Transparent, 0);
  }
}

struct TClampCase {
  int Value;
  int Stored;
};

class TCheckBoxStyleClamp : public TDxfresTest, public ::testing::WithParamInterface<TClampCase> {};

TEST_P(TCheckBoxStyleClamp, StoresTheValueWithinTheStripsStyles) {
  EXPECT_EQ(ClampCheckBoxStyle(GetParam().Value), GetParam().Stored);
}

INSTANTIATE_TEST_SUITE_P(Values, TCheckBoxStyleClamp,
                         ::testing::Values(TClampCase{20, 14}, TClampCase{-3, 0}, TClampCase{0, 0},
                                           TClampCase{1, 1}, TClampCase{10, 10}, TClampCase{14, 14},
                                           TClampCase{15, 14}));

TEST(CheckBoxCells, StyleTenUsesCellsThirtySixAndThirtySeven) {
  EXPECT_EQ(CheckBoxCell(10, false), 36);
  EXPECT_EQ(CheckBoxCell(10, true), 37);
  EXPECT_EQ(CheckBoxCellRect(10, false, 18, 18), (TRect{648, 0, 666, 18}));
  EXPECT_EQ(CheckBoxCellRect(10, true, 18, 18), (TRect{666, 0, 684, 18}));
  EXPECT_EQ(CheckBoxCellRect(1, true, 18, 16), (TRect{18, 0, 36, 16}));
}

struct TCellCase {
  bool Checked;
  int StripLeft;
  TColor Background;
};

class TStripCell : public TDxfresTest, public ::testing::WithParamInterface<TCellCase> {};

// The cell is copied pixel for pixel; its magenta pixels take the row's
// colour, also the highlight colour of a selected row.
TEST_P(TStripCell, CopiesTheCellWithMagentaAsTheRowColour) {
  const TCellCase& Case = GetParam();
  TBitmap Row(30, 20);
  TCanvas* Canvas = Row.Canvas();
  Canvas->Brush()->SetColor(Case.Background);
  Canvas->FillRect(TRect{0, 0, 30, 20});
  DrawCheckBox(Canvas, TRect{3, 1, 21, 19}, 10, Case.Checked);

  const std::uint32_t Back = ColorToPixel(Case.Background);
  int Replaced = 0;
  for (int Y = 0; Y < 20; ++Y)
    for (int X = 0; X < 30; ++X) {
      std::uint32_t Want = Back;
      if (X >= 3 && X < 21 && Y >= 1 && Y < 19) {
        Want = PixelAt(*CBBmp(), Case.StripLeft + X - 3, Y - 1);
        if (Want == kMagenta) {
          Want = Back;
          ++Replaced;
        }
      }
      ASSERT_EQ(PixelAt(Row, X, Y), Want) << "at " << X << "," << Y;
    }
  EXPECT_GT(Replaced, 0) << "the cell has no transparent pixels to check";
}

INSTANTIATE_TEST_SUITE_P(Cells, TStripCell,
                         ::testing::Values(TCellCase{false, 648, clWindow},
                                           TCellCase{true, 666, clWindow},
                                           TCellCase{false, 648, clHighlight},
                                           TCellCase{true, 666, clHighlight}));

TEST_F(TDxfresTest, TheTwoCellsOfAStyleDiffer) {
  TBitmap Unticked(18, 18), Ticked(18, 18);
  DrawCheckBox(Unticked.Canvas(), TRect{0, 0, 18, 18}, 10, false);
  DrawCheckBox(Ticked.Canvas(), TRect{0, 0, 18, 18}, 10, true);
  int Differing = 0;
  for (int Y = 0; Y < 18; ++Y)
    for (int X = 0; X < 18; ++X) Differing += PixelAt(Unticked, X, Y) != PixelAt(Ticked, X, Y);
  EXPECT_GT(Differing, 4);
}

TEST_F(TDxfresTest, StyleZeroDrawsTheSystemCheckBox) {
  for (bool Checked : {false, true}) {
    TBitmap Drawn(13, 13), Expected(13, 13);
    DrawCheckBox(Drawn.Canvas(), TRect{0, 0, 13, 13}, 0, Checked);
    DrawFrameControl(*Expected.Canvas()->Handle(), TRect{0, 0, 13, 13}, DFC_BUTTON,
                     DFCS_BUTTONCHECK | (Checked ? DFCS_CHECKED : 0u));
    for (int Y = 0; Y < 13; ++Y)
      for (int X = 0; X < 13; ++X)
        ASSERT_EQ(PixelAt(Drawn, X, Y), PixelAt(Expected, X, Y)) << Checked << " " << X << "," << Y;
  }
}

TEST_F(TDxfresTest, WithoutTheStripEveryStyleIsTheSystemCheckBox) {
  TDxfResourceNames Names;
  Names.CheckBoxStrip = "NOSUCHSTRIP";
  InitializeDxfres(Names);
  EXPECT_TRUE(CBBmp()->Empty());
  EXPECT_EQ(CheckWidth(), SystemCheckWidth());
  EXPECT_EQ(CheckHeight(), kCheckBoxGlyphSize);
  EXPECT_EQ(MaxCheckBoxStyle(), 0);
  EXPECT_EQ(ClampCheckBoxStyle(10), 0);
  EXPECT_EQ(ImageList()->Count(), 2);
}

TEST_F(TDxfresTest, AMissingFontMarkFailsTheStartUpAndLeavesNothing) {
  TDxfResourceNames Names;
  Names.DeviceFontMark = "NOSUCHMARK";
  EXPECT_THROW(InitializeDxfres(Names), EResNotFound);
  EXPECT_FALSE(DxfresInitialized());
}

}  // namespace
