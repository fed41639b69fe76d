#include "platform/backends/x11/X11PixelFormat.h"

#include <gtest/gtest.h>

using namespace x11;

namespace {

struct TPixelCase {
  const char* Name;
  std::uint32_t Rgb;
  unsigned long Red, Green, Blue;
  unsigned long Expected;
};

class X11ServerPixel : public ::testing::TestWithParam<TPixelCase> {};

TEST_P(X11ServerPixel, PlacesEachChannelInItsMask) {
  const TPixelCase& C = GetParam();
  EXPECT_EQ(ServerPixel(C.Rgb, C.Red, C.Green, C.Blue), C.Expected) << C.Name;
}

INSTANTIATE_TEST_SUITE_P(
    Visuals, X11ServerPixel,
    ::testing::Values(
        // The common 24-bit visual is the surface's own layout.
        TPixelCase{"888 RGB", 0x2060C0, 0xFF0000, 0x00FF00, 0x0000FF, 0x2060C0},
        TPixelCase{"888 BGR swaps red and blue", 0x2060C0, 0x0000FF, 0x00FF00, 0xFF0000, 0xC06020},
        // 16-bit: the top 5, 6 and 5 bits of the channels.
        TPixelCase{"565 white", 0xFFFFFF, 0xF800, 0x07E0, 0x001F, 0xFFFF},
        TPixelCase{"565 pattern colour", 0x2060C0, 0xF800, 0x07E0, 0x001F,
                   (0x20u >> 3) << 11 | (0x60u >> 2) << 5 | (0xC0u >> 3)},
        TPixelCase{"555 keeps bit 15 clear", 0xFFFFFF, 0x7C00, 0x03E0, 0x001F, 0x7FFF},
        // 30-bit: 10 bits a channel, the 8 given ones on top.
        TPixelCase{"101010", 0xFF0080, 0x3FF00000, 0x000FFC00, 0x000003FF,
                   (0xFFul << 2) << 20 | (0x80ul << 2)},
        TPixelCase{"a missing channel is dropped", 0x123456, 0xFF0000, 0, 0x0000FF, 0x120056}),
    [](const ::testing::TestParamInfo<TPixelCase>& Info) {
      return "Case" + std::to_string(Info.index);
    });

}  // namespace
