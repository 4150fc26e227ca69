// Centring arithmetic with the documented cases: the 20 pixels kept
// free at the bottom, correction at the right and bottom edges only,
// negative results kept, truncation toward zero.
#include <gtest/gtest.h>

#include "dlglib/centre_position.h"

namespace {

ScreenRect sized(int w, int h) { return ScreenRect{0, 0, w, h}; }

TEST(CentrePosition, NoParentUsesTheScreenWithoutTheBottom20Pixels) {
  const ScreenPoint p = centre_position(sized(300, 200), nullptr, 1024, 768);
  EXPECT_EQ(p.x, 362);
  EXPECT_EQ(p.y, 274); // (748 - 200) / 2, not (768 - 200) / 2 = 284
}

TEST(CentrePosition, OnTheOwner) {
  const ScreenRect owner{100, 100, 500, 400};
  const ScreenPoint p = centre_position(ScreenRect{7, 9, 207, 109}, &owner, 1024, 768);
  EXPECT_EQ(p.x, 200);
  EXPECT_EQ(p.y, 200);
}

TEST(CentrePosition, RightEdgeIsPulledBackWithTwoPixels) {
  const ScreenRect owner{800, 100, 1000, 300};
  const ScreenPoint p = centre_position(sized(300, 100), &owner, 1024, 768);
  EXPECT_EQ(p.x, 722); // 750 + 300 > 1024
  EXPECT_EQ(p.y, 150);
}

TEST(CentrePosition, ExactFitAtTheRightIsNotCorrected) {
  const ScreenRect owner{724, 0, 1024, 100};
  EXPECT_EQ(centre_position(sized(300, 100), &owner, 1024, 768).x, 724);
}

TEST(CentrePosition, BottomEdgeCountsTheUsableHeight) {
  const ScreenRect owner{0, 600, 200, 760};
  const ScreenPoint p = centre_position(sized(200, 200), &owner, 1024, 768);
  EXPECT_EQ(p.y, 546); // 580 + 200 > 748: 748 - 200 - 2
  const ScreenRect higher{0, 500, 200, 700};
  EXPECT_EQ(centre_position(sized(200, 200), &higher, 1024, 768).y, 500); // 700 <= 748
  const ScreenRect edge{0, 548, 200, 748};
  EXPECT_EQ(centre_position(sized(200, 200), &edge, 1024, 768).y, 548); // ends at 748
}

TEST(CentrePosition, NegativePositionsAreKept) {
  const ScreenRect owner{-50, -40, 50, 60};
  const ScreenPoint p = centre_position(sized(200, 150), &owner, 1024, 768);
  EXPECT_EQ(p.x, -100);
  EXPECT_EQ(p.y, -65);
}

TEST(CentrePosition, TruncatesTowardZero) {
  EXPECT_EQ(centre_position(sized(1101, 100), nullptr, 1024, 768).x, -38); // -77 / 2
  EXPECT_EQ(centre_position(sized(100, 801), nullptr, 1024, 768).y, -26);  // -53 / 2
  const ScreenRect owner{10, 10, 110, 110};
  const ScreenPoint p = centre_position(sized(101, 103), &owner, 1024, 768);
  EXPECT_EQ(p.x, 10); // -1 / 2 is 0, not -1
  EXPECT_EQ(p.y, 9);  // -3 / 2 is -1, not -2
}

TEST(CentrePosition, WithoutParentNothingIsCorrected) {
  const ScreenPoint p = centre_position(sized(2000, 1000), nullptr, 1024, 768);
  EXPECT_EQ(p.x, -488);
  EXPECT_EQ(p.y, -126);
}

} // namespace
