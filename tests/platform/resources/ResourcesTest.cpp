// The program's bitmap resources as committed under resources/: their formats
// and sizes, the rules the popup relies on when it draws them, and that they
// are exactly what the art generator draws.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/image/Bmp.h"
#include "platform/resources/Resources.h"
#include "tools/resource_art/PixelCanvas.h"
#include "tools/resource_art/ResourceArt.h"

using image::TBmpImage;

namespace {

constexpr std::uint32_t kMagenta = 0xFF00FF;
constexpr int kCell = 18;

std::string ResourcesDir() {
  // Under ctest the test data variable names tests/; run by hand, the source
  // file's own path leads to the tree.
  if (const char* Data = std::getenv("SCOUTLANE_TEST_DATA"))
    return std::string(Data) + "/../resources/";
  std::string Here = __FILE__;
  return Here.substr(0, Here.rfind("tests/platform/")) + "resources/";
}

std::vector<std::uint8_t> ReadFile(const std::string& Name) {
  std::ifstream In(ResourcesDir() + Name, std::ios::binary);
  return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(In)),
                                   std::istreambuf_iterator<char>());
}

TBmpImage Load(const std::string& Name) {
  const std::vector<std::uint8_t> Bytes = ReadFile(Name);
  if (Bytes.empty()) ADD_FAILURE() << Name << " is missing or empty in " << ResourcesDir();
  return image::DecodeBmp(Bytes);
}

int R(std::uint32_t C) { return (C >> 16) & 0xFF; }
int G(std::uint32_t C) { return (C >> 8) & 0xFF; }
int B(std::uint32_t C) { return C & 0xFF; }

// The strip's cell K as rows of pixels.
std::vector<std::uint32_t> CellPixels(const TBmpImage& Strip, int K) {
  std::vector<std::uint32_t> Out;
  for (int Y = 0; Y < kCell; ++Y)
    for (int X = 0; X < kCell; ++X) Out.push_back(Strip.Surface.Row(Y)[K * kCell + X]);
  return Out;
}

class CheckBoxStrip : public ::testing::Test {
protected:
  static void SetUpTestSuite() { Strip = new TBmpImage(Load("CHECKBOX.bmp")); }
  static void TearDownTestSuite() { delete Strip; }
  static TBmpImage* Strip;
};
TBmpImage* CheckBoxStrip::Strip = nullptr;

}  // namespace

TEST(ResourceArt, GeneratorOutputIsWhatIsCommitted) {
  const std::vector<art::TArtFile> Files = art::GenerateResourceArt();
  ASSERT_FALSE(Files.empty());
  for (const art::TArtFile& File : Files) {
    const std::vector<std::uint8_t> Committed = ReadFile(File.Name);
    EXPECT_TRUE(Committed == File.Bytes)
        << File.Name << " differs from what tools/resource_art draws (" << Committed.size()
        << " bytes committed, " << File.Bytes.size()
        << " drawn); run `make regenerate_resource_art` and commit the result";
  }
}

TEST(ResourceArt, EmbeddedBitmapsAreTheCommittedFiles) {
  const std::pair<const char*, const char*> Embedded[] = {
      {"CHECKBOX", "CHECKBOX.bmp"},      {"TTFONT", "TTFONT.bmp"},
      {"DEVICEFONT", "DEVICEFONT.bmp"},  {"MAINICON", "Scoutlane.bmp"},
      {"MAINICON16", "Scoutlane16.bmp"}, {"MAINICON48", "Scoutlane48.bmp"},
  };
  for (const auto& [Name, File] : Embedded) {
    const std::vector<std::uint8_t> Bytes = ReadFile(File);
    const std::string_view Resource = FindResource(Name);
    EXPECT_EQ(Resource, std::string_view(reinterpret_cast<const char*>(Bytes.data()), Bytes.size()))
        << Name;
    EXPECT_NO_THROW(
        image::DecodeBmp(reinterpret_cast<const std::uint8_t*>(Resource.data()), Resource.size()))
        << Name;
  }
}

TEST(ResourceArt, PalettingRefusesArtThatDoesNotFit) {
  TSurface Many(17, 1);
  for (int X = 0; X < 17; ++X) Many.Row(0)[X] = static_cast<std::uint32_t>(X);
  EXPECT_THROW(art::ToPaletted(Many, 4), std::runtime_error);
  EXPECT_EQ(art::ToPaletted(Many, 8).Palette.size(), 17u);

  TSurface OffPalette(1, 1, 0x123456);
  const std::vector<art::TRgb> Fixed = {0x000000, 0xFFFFFF};
  EXPECT_THROW(art::ToPaletted(OffPalette, 4, &Fixed), std::runtime_error);
}

TEST_F(CheckBoxStrip, IsA1008By18EightBitBottomUpBitmapWithA256EntryPalette) {
  EXPECT_EQ(Strip->Width(), 1008);
  EXPECT_EQ(Strip->Height(), 18);
  EXPECT_EQ(Strip->BitsPerPixel, 8);
  EXPECT_EQ(Strip->Palette.size(), 256u);
  EXPECT_FALSE(Strip->TopDown);
}

TEST_F(CheckBoxStrip, BottomLeftPixelIsMagentaSoItIsTheTransparentColour) {
  EXPECT_EQ(Strip->Surface.Row(17)[0], kMagenta);
}

TEST_F(CheckBoxStrip, NoColourIsCloseToMagentaWithoutBeingIt) {
  // A near-magenta pixel would show pink instead of the row's background.
  for (std::uint32_t C : Strip->Palette) {
    if (C == kMagenta) continue;
    const bool Near = R(C) > 200 && G(C) < 56 && B(C) > 200;
    EXPECT_FALSE(Near) << std::hex << C;
  }
}

// Every cell, by style and state.
class CheckBoxCell : public CheckBoxStrip, public ::testing::WithParamInterface<int> {};

TEST_P(CheckBoxCell, KeepsAMagentaBorderAndHasArtInside) {
  // The popup cuts a cell's top and bottom row in 16-pixel rows, and cells sit
  // side by side: the art stays off the outermost ring of pixels.
  const int K = GetParam();
  const std::vector<std::uint32_t> P = CellPixels(*Strip, K);
  int Art = 0;
  for (int Y = 0; Y < kCell; ++Y)
    for (int X = 0; X < kCell; ++X) {
      const bool Ring = X == 0 || Y == 0 || X == kCell - 1 || Y == kCell - 1;
      const std::uint32_t C = P[Y * kCell + X];
      if (Ring) {
        EXPECT_EQ(C, kMagenta) << "cell " << K << " at " << X << "," << Y;
      }
      if (C != kMagenta) ++Art;
    }
  EXPECT_GT(Art, 40) << "cell " << K;
}

TEST_P(CheckBoxCell, GreyedCellsAreGreyAndMatchTheirShape) {
  const int K = GetParam();
  if (K % 4 < 2) return;  // unticked and ticked cells have their own colours
  const std::vector<std::uint32_t> Greyed = CellPixels(*Strip, K);
  const std::vector<std::uint32_t> Normal = CellPixels(*Strip, K - 2);
  for (std::size_t I = 0; I < Greyed.size(); ++I) {
    const std::uint32_t C = Greyed[I];
    // Same outline as the live cell, so only the colours tell them apart.
    EXPECT_EQ(C == kMagenta, Normal[I] == kMagenta) << "cell " << K << " pixel " << I;
    if (C != kMagenta) {
      EXPECT_TRUE(R(C) == G(C) && G(C) == B(C)) << "cell " << K << " pixel " << I;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(All56, CheckBoxCell, ::testing::Range(0, 56));

TEST_F(CheckBoxStrip, EveryStylesTickedCellDiffersFromItsUntickedCell) {
  for (int Style = 1; Style <= 14; ++Style) {
    const int K = (Style - 1) * 4;
    EXPECT_NE(CellPixels(*Strip, K), CellPixels(*Strip, K + 1)) << "style " << Style;
    EXPECT_NE(CellPixels(*Strip, K + 2), CellPixels(*Strip, K + 3)) << "greyed style " << Style;
  }
}

TEST_F(CheckBoxStrip, NoTwoStylesLookTheSame) {
  for (int A = 1; A <= 14; ++A)
    for (int Bs = A + 1; Bs <= 14; ++Bs) {
      EXPECT_NE(CellPixels(*Strip, (A - 1) * 4), CellPixels(*Strip, (Bs - 1) * 4))
          << "styles " << A << " and " << Bs << " unticked";
      EXPECT_NE(CellPixels(*Strip, (A - 1) * 4 + 1), CellPixels(*Strip, (Bs - 1) * 4 + 1))
          << "styles " << A << " and " << Bs << " ticked";
    }
}

// Style 10 is the one the search bar shows: cells 36 and 37, pixels 648 to 683.
TEST_F(CheckBoxStrip, StyleTenIsAWhiteRoundedSquareAndTickedShowsABlueLight) {
  const std::vector<std::uint32_t> Off = CellPixels(*Strip, 36);
  const std::vector<std::uint32_t> On = CellPixels(*Strip, 37);
  auto At = [](const std::vector<std::uint32_t>& P, int X, int Y) { return P[Y * kCell + X]; };
  // Rounded: the square's corner pixels are background, the edges are not.
  for (const auto* P : {&Off, &On}) {
    EXPECT_EQ(At(*P, 2, 2), kMagenta);
    EXPECT_EQ(At(*P, 15, 2), kMagenta);
    EXPECT_EQ(At(*P, 2, 15), kMagenta);
    EXPECT_EQ(At(*P, 15, 15), kMagenta);
    EXPECT_NE(At(*P, 9, 2), kMagenta);
    EXPECT_NE(At(*P, 2, 9), kMagenta);
  }
  // White inside: every inner pixel of the unticked square is near white.
  for (int Y = 4; Y < 14; ++Y)
    for (int X = 4; X < 14; ++X) {
      const std::uint32_t C = At(Off, X, Y);
      EXPECT_TRUE(R(C) >= 224 && G(C) >= 224 && B(C) >= 224) << X << "," << Y;
    }
  // The light: a round patch of strong blue in the middle, none when unticked.
  auto StrongBlue = [](std::uint32_t C) { return B(C) >= 190 && R(C) <= 80 && G(C) <= 170; };
  int OnBlue = 0, OffBlue = 0;
  for (int I = 0; I < kCell * kCell; ++I) {
    OnBlue += StrongBlue(On[I]);
    OffBlue += StrongBlue(Off[I]);
  }
  EXPECT_GE(OnBlue, 20);
  EXPECT_EQ(OffBlue, 0);
  // It sits in the middle of the square and its heart is bright, as a light's is.
  int Left = kCell, Right = -1, Top = kCell, Bottom = -1;
  for (int Y = 0; Y < kCell; ++Y)
    for (int X = 0; X < kCell; ++X)
      if (At(On, X, Y) != kMagenta && B(At(On, X, Y)) >= R(At(On, X, Y)) + 100) {
        Left = std::min(Left, X);
        Right = std::max(Right, X);
        Top = std::min(Top, Y);
        Bottom = std::max(Bottom, Y);
      }
  EXPECT_EQ(Left + Right, kCell - 1);
  EXPECT_EQ(Top + Bottom, kCell - 1);
  EXPECT_GE(Right - Left + 1, 7);
  EXPECT_LE(Right - Left + 1, 11);
  const std::uint32_t Heart = At(On, 8, 8);
  EXPECT_GE(R(Heart) + G(Heart), 300);
}

class FontMark : public ::testing::TestWithParam<const char*> {};

TEST_P(FontMark, IsA13By13FourBitBitmapWithAMagentaBackground) {
  const TBmpImage Mark = Load(GetParam());
  EXPECT_EQ(Mark.Width(), 13);
  EXPECT_EQ(Mark.Height(), 13);
  EXPECT_EQ(Mark.BitsPerPixel, 4);
  EXPECT_EQ(Mark.Palette.size(), 16u);
  EXPECT_FALSE(Mark.TopDown);
  EXPECT_EQ(Mark.Surface.Row(12)[0], kMagenta);
  int Black = 0, Background = 0;
  for (int I = 0; I < 13 * 13; ++I) {
    Black += Mark.Surface.Data()[I] == 0;
    Background += Mark.Surface.Data()[I] == kMagenta;
  }
  EXPECT_GT(Black, 10);
  EXPECT_GT(Background, 20);
}

INSTANTIATE_TEST_SUITE_P(Both, FontMark, ::testing::Values("TTFONT.bmp", "DEVICEFONT.bmp"));

TEST(FontMarks, TrueTypeIsBlackOverGreyAndDeviceIsAPrinterWithPaper) {
  const TBmpImage TrueType = Load("TTFONT.bmp");
  const TBmpImage Device = Load("DEVICEFONT.bmp");
  int Grey = 0, White = 0;
  for (int I = 0; I < 13 * 13; ++I) {
    Grey += TrueType.Surface.Data()[I] == 0x808080;
    White += Device.Surface.Data()[I] == 0xFFFFFF;
  }
  EXPECT_GT(Grey, 10);   // the T behind
  EXPECT_GT(White, 10);  // the sheets of paper
  // The black T stands lower right: its stem reaches the bottom row, the grey
  // one's does not reach past the middle.
  EXPECT_EQ(TrueType.Surface.Row(12)[8], 0u);
  for (int X = 0; X < 13; ++X) EXPECT_NE(TrueType.Surface.Row(12)[X], 0x808080u);
}

class AppIcon : public ::testing::TestWithParam<std::pair<const char*, int>> {};

TEST_P(AppIcon, IsSquareWithAlphaClearCornersAndAnOpaqueBody) {
  const TBmpImage Icon = Load(GetParam().first);
  const int N = GetParam().second;
  ASSERT_EQ(Icon.Width(), N);
  ASSERT_EQ(Icon.Height(), N);
  EXPECT_EQ(Icon.BitsPerPixel, 32);
  ASSERT_TRUE(Icon.HasAlpha());
  EXPECT_EQ(Icon.AlphaAt(0, 0), 0);
  EXPECT_EQ(Icon.AlphaAt(N - 1, 0), 0);
  EXPECT_EQ(Icon.AlphaAt(0, N - 1), 0);
  int Opaque = 0, GradientBlue = 0;
  for (int Y = 0; Y < N; ++Y)
    for (int X = 0; X < N; ++X) {
      if (Icon.AlphaAt(X, Y) != 255) continue;
      ++Opaque;
      const std::uint32_t C = Icon.Surface.Row(Y)[X];
      // The bar's white-to-blue gradient: full blue, red below green.
      GradientBlue += B(C) == 255 && R(C) < G(C);
    }
  EXPECT_GT(Opaque, N * N / 5);
  EXPECT_GT(GradientBlue, N / 2);
}

INSTANTIATE_TEST_SUITE_P(Sizes, AppIcon,
                         ::testing::Values(std::make_pair("Scoutlane16.bmp", 16),
                                           std::make_pair("Scoutlane.bmp", 32),
                                           std::make_pair("Scoutlane48.bmp", 48)));
