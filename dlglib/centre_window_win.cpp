// Centres a dialog on its owner, or on the screen when it has none, so that
// the calculator and the in-memory message box open where the user looks.
// The arithmetic is in centre_position.cpp; this file only asks the platform
// for the rectangles and the screen size and moves the window. Only the
// answer of GetParent is checked, since it chooses between owner and
// screen: a failure of the other calls at worst leaves the dialog at
// another place, where it works all the same and can be moved.
#include "dlglib/centre_position.h"
#include "dlglib/dlglib.h"

namespace {

ScreenRect window_rect(HWND window) {
  RECT r = {0, 0, 0, 0};
  GetWindowRect(window, &r);
  return ScreenRect{r.left, r.top, r.right, r.bottom};
}

} // namespace

void centre_window(HWND window) {
  const ScreenRect own = window_rect(window);
  const HWND parent = GetParent(window);
  ScreenRect parent_rect{};
  if (parent != nullptr) parent_rect = window_rect(parent);
  const ScreenPoint p =
      centre_position(own, parent != nullptr ? &parent_rect : nullptr,
                      GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  SetWindowPos(window, nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}
