// The pixel assertion helper and the PNG writer it saves failures with.

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/PixelAssert.h"
#include "platform/core/Exception.h"
#include "platform/image/PngWriter.h"

namespace {

const TPixelLegend kLegend = {
    {'.', RGB(255, 255, 255)}, {'#', RGB(0, 0, 0)}, {'r', RGB(255, 0, 0)}};

TSurface Sample() {
  TSurface S(4, 2, 0xFFFFFF);
  S.Row(0)[1] = 0x000000;
  S.Row(1)[2] = 0xFF0000;  // red as a surface pixel
  return S;
}

bool FileExists(const std::string& Name) {
  std::FILE* F = std::fopen(Name.c_str(), "rb");
  if (F) std::fclose(F);
  return F != nullptr;
}

// Decodes a PNG into 0x00RRGGBB pixels with libpng's simplified reader.
bool ReadPng(const std::string& Name, int& W, int& H, std::vector<std::uint32_t>& Pixels) {
  png_image Image{};
  Image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&Image, Name.c_str())) return false;
  Image.format = PNG_FORMAT_RGB;
  std::vector<png_byte> Bytes(PNG_IMAGE_SIZE(Image));
  if (!png_image_finish_read(&Image, nullptr, Bytes.data(), 0, nullptr)) return false;
  W = int(Image.width);
  H = int(Image.height);
  Pixels.clear();
  for (std::size_t I = 0; I + 2 < Bytes.size(); I += 3)
    Pixels.push_back((std::uint32_t(Bytes[I]) << 16) | (std::uint32_t(Bytes[I + 1]) << 8) |
                     Bytes[I + 2]);
  return true;
}

TEST(PixelAssert, MatchingMaskPasses) {
  ExpectPixels(Sample(), TPoint{0, 0}, {".#..", "..r."}, kLegend);
  ExpectPixels(Sample(), TRect{1, 0, 3, 2}, {"#.", ".r"}, kLegend);
  ExpectPixels(Sample(), TPoint{0, 0}, {"????", "??r?"}, kLegend);  // '?' matches anything
}

TEST(PixelAssert, WrongPixelFailsNamingItsPositionAndColours) {
  EXPECT_NONFATAL_FAILURE(ExpectPixels(Sample(), TPoint{0, 0}, {"....", "..r."}, kLegend),
                          "(1,0): expected '.' FFFFFF, got 000000");
}

TEST(PixelAssert, FailureDrawsTheActualPixelsInLegendCharacters) {
  TSurface S = Sample();
  S.Row(1)[3] = 0x123456;  // in no legend
  EXPECT_NONFATAL_FAILURE(ExpectPixels(S, TPoint{0, 0}, {".#..", "..r."}, kLegend), "..r. | ..r*");
}

TEST(PixelAssert, MasksThatCannotBeComparedFail) {
  EXPECT_NONFATAL_FAILURE(ExpectPixels(Sample(), TPoint{2, 0}, {"...", "..."}, kLegend),
                          "does not fit");
  EXPECT_NONFATAL_FAILURE(ExpectPixels(Sample(), TPoint{0, 0}, {"..", "."}, kLegend), "mask row 1");
  EXPECT_NONFATAL_FAILURE(ExpectPixels(Sample(), TPoint{0, 0}, {"x"}, kLegend),
                          "not in the legend");
  EXPECT_NONFATAL_FAILURE(ExpectPixels(Sample(), TRect{0, 0, 2, 2}, {"."}, kLegend), "area is 2x2");
}

TEST(PixelAssert, FailureSavesActualAndExpectedImages) {
  const std::string Stem = ::testing::TempDir() + "PixelAssert.FailureSavesActualAndExpectedImages";
  std::string Report;
  {
    ::testing::TestPartResultArray Results;
    ::testing::ScopedFakeTestPartResultReporter Reporter(
        ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &Results);
    ExpectPixels(Sample(), TPoint{0, 0}, {".#..", "..#?"}, kLegend);
    ASSERT_EQ(Results.size(), 1);
    Report = Results.GetTestPartResult(0).message();
  }
  const std::size_t At = Report.find("images: ");
  ASSERT_NE(At, std::string::npos) << Report;
  const std::string Actual = Report.substr(At + 8, Report.find(", ", At) - At - 8);
  ASSERT_EQ(Actual.rfind(Stem, 0), 0u) << Actual;
  const std::string Expected = Actual.substr(0, Actual.size() - 10) + "expected.png";
  ASSERT_TRUE(FileExists(Actual));
  ASSERT_TRUE(FileExists(Expected));
  int W = 0, H = 0;
  std::vector<std::uint32_t> Pixels;
  ASSERT_TRUE(ReadPng(Actual, W, H, Pixels));
  EXPECT_EQ(W, 4);
  EXPECT_EQ(H, 2);
  EXPECT_EQ(Pixels, (std::vector<std::uint32_t>{0xFFFFFF, 0, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
                                                0xFF0000, 0xFFFFFF}));
  ASSERT_TRUE(ReadPng(Expected, W, H, Pixels));
  EXPECT_EQ(Pixels[6], 0x000000u);  // what the mask asked for
  EXPECT_EQ(Pixels[7], 0xFF00FFu);  // '?' shows magenta
  std::remove(Actual.c_str());
  std::remove(Expected.c_str());
}

TEST(PngWriter, UnwritableFileThrows) {
  EXPECT_THROW(WritePng("/nonexistent-directory/x.png", Sample()), Exception);
  EXPECT_THROW(WritePng(::testing::TempDir() + "empty.png", TSurface()), Exception);
}

}  // namespace
