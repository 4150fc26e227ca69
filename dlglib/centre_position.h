// Where centre_window puts a window: the arithmetic alone, without a platform
// call, so that the documented cases (truncation toward zero, the 20 pixels kept
// free at the bottom, right and bottom correction only) run natively.
#ifndef PMV_DLGLIB_CENTRE_POSITION_H
#define PMV_DLGLIB_CENTRE_POSITION_H

struct ScreenRect {
  int left, top, right, bottom; // screen pixels
};

struct ScreenPoint {
  int x, y;
};

// The 20 pixels at the bottom of the screen never count as room.
constexpr int screen_bottom_reserve = 20;
// Margin left at the right or bottom edge when a window is pulled back.
constexpr int screen_edge_margin = 2;

// Top-left corner for `window` centred on `parent` (null: on the screen).
// `screen_height` is the full height; the function takes the reserve off.
ScreenPoint centre_position(const ScreenRect &window, const ScreenRect *parent, int screen_width,
                            int screen_height);

#endif
