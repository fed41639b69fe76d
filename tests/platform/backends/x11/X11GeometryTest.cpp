#include "platform/backends/x11/X11Geometry.h"

#include <gtest/gtest.h>

#include <climits>

using namespace x11;

namespace {

struct TGeometryCase {
  const char* Name;
  TRect Rect;
  TXGeometry Expected;
};

class X11WindowGeometry : public ::testing::TestWithParam<TGeometryCase> {};

TEST_P(X11WindowGeometry, FitsTheProtocolsSixteenBitFields) {
  EXPECT_EQ(WindowGeometry(GetParam().Rect), GetParam().Expected) << GetParam().Name;
}

INSTANTIATE_TEST_SUITE_P(
    Rects, X11WindowGeometry,
    ::testing::Values(
        TGeometryCase{"the search bar", Bounds(20, 20, 500, 35), TXGeometry{20, 20, 500, 35}},
        TGeometryCase{"off screen to the top left", Bounds(-300, -40, 10, 10),
                      TXGeometry{-300, -40, 10, 10}},
        TGeometryCase{"position past 16 bits", Bounds(40000, -40000, 10, 10),
                      TXGeometry{32767, -32768, 10, 10}},
        TGeometryCase{"size past 16 bits", Bounds(0, 0, 70000, 65536),
                      TXGeometry{0, 0, 65535, 65535}},
        TGeometryCase{"empty is one pixel", Bounds(5, 6, 0, 0), TXGeometry{5, 6, 1, 1}},
        TGeometryCase{"inverted is one pixel", TRect{10, 10, 5, 5}, TXGeometry{10, 10, 1, 1}},
        // The width of this rectangle overflows int; it must not wrap to a
        // small or negative size.
        TGeometryCase{"whole int range", TRect{INT_MIN, INT_MIN, INT_MAX, INT_MAX},
                      TXGeometry{-32768, -32768, 65535, 65535}}),
    [](const ::testing::TestParamInfo<TGeometryCase>& Info) {
      return "Case" + std::to_string(Info.index);
    });

TEST(X11DrawableRect, KeepsWhatLiesInsideTheBuffer) {
  EXPECT_EQ(DrawableRect(TRect{10, 5, 30, 25}, 500, 35), (TRect{10, 5, 30, 25}));
  EXPECT_EQ(DrawableRect(TRect{-5, -5, 600, 40}, 500, 35), (TRect{0, 0, 500, 35}));
}

TEST(X11DrawableRect, NothingOutsideTheBufferOrBeyondSixteenBits) {
  EXPECT_TRUE(DrawableRect(TRect{500, 0, 510, 10}, 500, 35).IsEmpty());
  EXPECT_TRUE(DrawableRect(TRect{-20, 0, -10, 10}, 500, 35).IsEmpty());
  // A destination origin beyond 32767 cannot be named in the protocol.
  EXPECT_TRUE(DrawableRect(TRect{40000, 0, 40010, 10}, 50000, 10).IsEmpty());
  EXPECT_EQ(DrawableRect(TRect{32760, 0, 40000, 10}, 50000, 10), (TRect{32760, 0, 40000, 10}));
}

}  // namespace
