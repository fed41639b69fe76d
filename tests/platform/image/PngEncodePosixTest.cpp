// The library-free PNG encoder of the Windows build, read back by libpng
// (on Linux, where libpng is at hand): every pixel and opacity comes back,
// also from images whose data spans several stored deflate blocks.
#include <png.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gdi/Surface.h"
#include "platform/image/PngEncode.h"

namespace {

struct TDecoded {
  bool Ok = false;
  int Width = 0, Height = 0, Channels = 0;
  std::vector<std::uint8_t> Bytes;  // rows top-down, R G B (A)
};

TDecoded Decode(const std::string& File) {
  TDecoded Out;
  png_image Image{};
  Image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&Image, File.data(), File.size())) return Out;
  Out.Channels = (Image.format & PNG_FORMAT_FLAG_ALPHA) ? 4 : 3;
  Image.format = Out.Channels == 4 ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
  Out.Width = static_cast<int>(Image.width);
  Out.Height = static_cast<int>(Image.height);
  Out.Bytes.resize(PNG_IMAGE_SIZE(Image));
  Out.Ok = png_image_finish_read(&Image, nullptr, Out.Bytes.data(), 0, nullptr) != 0;
  return Out;
}

struct TSizeCase {
  const char* Name;
  int Width, Height;
  bool WithAlpha;
};

class PngEncode : public testing::TestWithParam<TSizeCase> {};

}  // namespace

TEST_P(PngEncode, LibpngReadsBackEveryPixel) {
  const int W = GetParam().Width, H = GetParam().Height;
  TSurface Surface(W, H);
  std::vector<std::uint8_t> Alpha(static_cast<std::size_t>(W) * H);
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X) {
      Surface.Row(Y)[X] = static_cast<std::uint32_t>((X * 7 + Y) & 0xFF) << 16 |
                          static_cast<std::uint32_t>((Y * 3) & 0xFF) << 8 |
                          static_cast<std::uint32_t>((X ^ Y) & 0xFF);
      Alpha[static_cast<std::size_t>(Y) * W + X] = static_cast<std::uint8_t>(X + Y * 5);
    }
  const TDecoded Decoded =
      Decode(image::EncodePng(Surface, GetParam().WithAlpha ? &Alpha : nullptr));
  ASSERT_TRUE(Decoded.Ok);
  ASSERT_EQ(Decoded.Width, W);
  ASSERT_EQ(Decoded.Height, H);
  ASSERT_EQ(Decoded.Channels, GetParam().WithAlpha ? 4 : 3);
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X) {
      const std::uint8_t* P =
          &Decoded.Bytes[(static_cast<std::size_t>(Y) * W + X) * Decoded.Channels];
      const std::uint32_t Pixel = Surface.Row(Y)[X];
      ASSERT_EQ(P[0], (Pixel >> 16) & 0xFF) << X << "," << Y;
      ASSERT_EQ(P[1], (Pixel >> 8) & 0xFF) << X << "," << Y;
      ASSERT_EQ(P[2], Pixel & 0xFF) << X << "," << Y;
      if (GetParam().WithAlpha) {
        ASSERT_EQ(P[3], Alpha[static_cast<std::size_t>(Y) * W + X]) << X << "," << Y;
      }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, PngEncode,
    testing::Values(TSizeCase{"OnePixel", 1, 1, false}, TSizeCase{"Icon", 16, 16, true},
                    // 300 x 100 RGBA is 120,100 bytes: two full stored blocks
                    TSizeCase{"SeveralBlocks", 300, 100, true},
                    // 28 x 771 RGB rows are 65,535 bytes: one full block, nothing after it
                    TSizeCase{"ExactlyOneBlock", 28, 771, false},
                    TSizeCase{"Wide", 4000, 20, false}),
    [](const testing::TestParamInfo<TSizeCase>& Info) { return Info.param.Name; });
