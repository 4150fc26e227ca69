// Centring arithmetic with the documented cases: the 20 pixels kept
// free at the bottom, correction at the right and bottom edges only,
// negative results kept, truncation toward zero.
#include <gtest/gtest.h>

#include "dlglib/centre_position.h"

namespace {

TEST(CentrePosition, DocumentedCasesOnA1024By768Screen) {
  const struct {
    ScreenRect window;
    bool owned;
    ScreenRect owner;
    int x, y;
  } rows[] = {
      // No parent: the screen without the bottom 20 pixels, (748 - 200) / 2.
      {{0, 0, 300, 200}, false, {}, 362, 274},
      {{7, 9, 207, 109}, true, {100, 100, 500, 400}, 200, 200},
      {{0, 0, 300, 100}, true, {800, 100, 1000, 300}, 722, 150}, // 750 + 300 > 1024
      {{0, 0, 300, 100}, true, {724, 0, 1024, 100}, 724, 0},     // exact fit at the right
      {{0, 0, 200, 200}, true, {0, 600, 200, 760}, 0, 546},      // 580 + 200 > 748
      {{0, 0, 200, 200}, true, {0, 500, 200, 700}, 0, 500},
      {{0, 0, 200, 200}, true, {0, 548, 200, 748}, 0, 548}, // ends at 748
      {{0, 0, 200, 150}, true, {-50, -40, 50, 60}, -100, -65},
      // Truncation toward zero: -77 / 2, -53 / 2, -1 / 2 is 0, -3 / 2 is -1.
      {{0, 0, 1101, 100}, false, {}, -38, 324},
      {{0, 0, 100, 801}, false, {}, 462, -26},
      {{0, 0, 101, 103}, true, {10, 10, 110, 110}, 10, 9},
      // Without parent nothing is corrected.
      {{0, 0, 2000, 1000}, false, {}, -488, -126},
  };
  for (const auto &r : rows) {
    const ScreenPoint p = centre_position(r.window, r.owned ? &r.owner : nullptr, 1024, 768);
    EXPECT_EQ(p.x, r.x) << r.window.right << "x" << r.window.bottom << " at " << r.owner.left;
    EXPECT_EQ(p.y, r.y) << r.window.right << "x" << r.window.bottom << " at " << r.owner.top;
  }
}

} // namespace
