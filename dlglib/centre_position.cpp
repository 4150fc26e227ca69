// Centring arithmetic. On a parent, a window that would stick out
// on the right or at the bottom is pulled back with a margin of 2 pixels;
// nothing corrects the left or top edge, so a position may be negative.
// Without a parent the window is centred on the screen and never corrected.
// C++ integer division truncates toward zero, as centring needs.
#include "dlglib/centre_position.h"

ScreenPoint centre_position(const ScreenRect &window, const ScreenRect *parent, int screen_width,
                            int screen_height) {
  const int w = window.right - window.left;
  const int h = window.bottom - window.top;
  const int usable_height = screen_height - screen_bottom_reserve;
  ScreenPoint p;
  if (parent != nullptr) {
    p.x = parent->left + ((parent->right - parent->left) - w) / 2;
    if (p.x + w > screen_width) p.x = screen_width - w - screen_edge_margin;
    p.y = parent->top + ((parent->bottom - parent->top) - h) / 2;
    if (p.y + h > usable_height) p.y = usable_height - h - screen_edge_margin;
  } else {
    p.x = (screen_width - w) / 2;
    p.y = (usable_height - h) / 2;
  }
  return p;
}
