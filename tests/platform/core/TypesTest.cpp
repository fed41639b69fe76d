#include "platform/core/Types.h"

#include <gtest/gtest.h>

namespace {

// Edges are listed as {Left, Top, Right, Bottom}; right and bottom are
// exclusive.
struct TRectCase {
  const char* Name;
  TRect Start;
  TRect Other;     // the second rectangle for Intersect
  TRect Expected;  // what Intersect leaves
  bool Empty;
};

class RectIntersectTest : public ::testing::TestWithParam<TRectCase> {};

TEST_P(RectIntersectTest, KeepsTheSharedPart) {
  const TRectCase& C = GetParam();
  TRect R = C.Start;
  R.Intersect(C.Other);
  EXPECT_EQ(R.IsEmpty(), C.Empty);
  if (!C.Empty) {
    EXPECT_EQ(R, C.Expected);
  }
  // The copying form agrees and leaves its operand alone.
  EXPECT_EQ(C.Start.Intersected(C.Other).IsEmpty(), C.Empty);
  if (!C.Empty) {
    EXPECT_EQ(C.Start.Intersected(C.Other), C.Expected);
    EXPECT_EQ(C.Other.Intersected(C.Start), C.Expected);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RectIntersectTest,
    ::testing::Values(TRectCase{"Overlap", {0, 0, 10, 10}, {5, 3, 20, 8}, {5, 3, 10, 8}, false},
                      TRectCase{"Inside", {0, 0, 10, 10}, {2, 2, 4, 4}, {2, 2, 4, 4}, false},
                      TRectCase{"Same", {1, 2, 3, 4}, {1, 2, 3, 4}, {1, 2, 3, 4}, false},
                      // Right is exclusive: touching edges share no pixel.
                      TRectCase{"Touching", {0, 0, 10, 10}, {10, 0, 20, 10}, {}, true},
                      TRectCase{"Apart", {0, 0, 4, 4}, {8, 8, 12, 12}, {}, true},
                      TRectCase{
                          "Negative", {-10, -10, 0, 0}, {-5, -20, 5, -2}, {-5, -10, 0, -2}, false}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST(RectTest, OffsetMovesEveryEdgeAndKeepsTheSize) {
  TRect R{1, 2, 11, 7};
  R.Offset(3, -4);
  EXPECT_EQ(R, (TRect{4, -2, 14, 3}));
  EXPECT_EQ(R.Width(), 10);
  EXPECT_EQ(R.Height(), 5);
  EXPECT_EQ((TRect{0, 0, 2, 2}.Translated(-1, 5)), (TRect{-1, 5, 1, 7}));
}

TEST(RectTest, InflateGrowsOutwardAndNegativeShrinks) {
  TRect R{10, 10, 20, 30};
  R.Inflate(2, 1);
  EXPECT_EQ(R, (TRect{8, 9, 22, 31}));
  EXPECT_EQ(R.Inflated(-2, -1), (TRect{10, 10, 20, 30}));
  // Shrinking past the middle leaves an empty rectangle.
  EXPECT_TRUE((TRect{0, 0, 4, 4}.Inflated(-2, 0).IsEmpty()));
  EXPECT_FALSE((TRect{0, 0, 4, 4}.Inflated(-1, -1).IsEmpty()));
}

TEST(RectTest, ContainsCountsLeftAndTopButNotRightAndBottom) {
  const TRect R{2, 3, 5, 7};
  EXPECT_TRUE(R.Contains(TPoint{2, 3}));
  EXPECT_TRUE(R.Contains(TPoint{4, 6}));
  EXPECT_FALSE(R.Contains(TPoint{5, 6}));
  EXPECT_FALSE(R.Contains(TPoint{4, 7}));
  EXPECT_FALSE(R.Contains(TPoint{1, 3}));
}

}  // namespace
