#include "platform/backends/x11/X11Icon.h"

#include <gtest/gtest.h>

#include "platform/resources/Resources.h"

using namespace x11;

namespace {

image::TBmpImage Solid(int Width, int Height, std::uint32_t Rgb) {
  image::TBmpImage I;
  I.Surface = TSurface(Width, Height, Rgb);
  I.BitsPerPixel = 24;
  return I;
}

TEST(X11IconData, SizesSmallestFirstEachWithItsHeader) {
  std::vector<image::TBmpImage> Images;
  Images.push_back(Solid(2, 1, 0x123456));
  Images.push_back(Solid(1, 1, 0xABCDEF));
  const std::vector<unsigned long> Data = NetWmIconData(Images);
  // 1x1 first: width, height, one pixel; then 2x1: width, height, two pixels.
  const std::vector<unsigned long> Expected = {1, 1, 0xFFABCDEF, 2, 1, 0xFF123456, 0xFF123456};
  EXPECT_EQ(Data, Expected);
}

TEST(X11IconData, AlphaComesFromTheImageRowsTopDown) {
  image::TBmpImage I = Solid(2, 2, 0);
  I.Surface.Row(0)[0] = 0x00FF0000;
  I.Surface.Row(1)[1] = 0x000000FF;
  I.Alpha = {0x00, 0x80, 0xFF, 0x40};
  const std::vector<unsigned long> Data = NetWmIconData({I});
  ASSERT_EQ(Data.size(), 6u);
  EXPECT_EQ(Data[2], 0x00FF0000ul);  // top-left: red, transparent
  EXPECT_EQ(Data[3], 0x80000000ul);
  EXPECT_EQ(Data[4], 0xFF000000ul);
  EXPECT_EQ(Data[5], 0x400000FFul);  // bottom-right: blue, alpha 0x40
}

TEST(X11IconData, NoImagesOrEmptyImagesGiveNoProperty) {
  EXPECT_TRUE(NetWmIconData({}).empty());
  EXPECT_TRUE(NetWmIconData({image::TBmpImage{}}).empty());
}

TEST(X11IconLoading, MissingAndDamagedResourcesAreSkipped) {
  image::TBmpImage Good = Solid(3, 2, 0x00FF00);
  static const std::vector<std::uint8_t> GoodBytes = image::EncodeBmp(Good);
  static const unsigned char Damaged[] = {'B', 'M', 0x10, 0x00};
  RegisterResource("X11TESTICON_GOOD", GoodBytes.data(), GoodBytes.size());
  RegisterResource("X11TESTICON_DAMAGED", Damaged, sizeof(Damaged));
  const std::vector<image::TBmpImage> Images =
      LoadIconImages({"X11TESTICON_MISSING", "X11TESTICON_DAMAGED", "X11TESTICON_GOOD"});
  ASSERT_EQ(Images.size(), 1u);
  EXPECT_EQ(Images[0].Width(), 3);
  EXPECT_EQ(Images[0].Height(), 2);
  EXPECT_EQ(Images[0].Surface.Row(1)[2], 0x00FF00u);
}

}  // namespace
