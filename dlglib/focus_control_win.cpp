// Puts the focus on one control of a dialog, the field that failed its
// check; an id the dialog does not have leaves the focus where it is.
#include "dlglib/dlglib.h"

void focus_control(HWND dialog, int control_id) {
  const HWND control = GetDlgItem(dialog, control_id);
  if (control != nullptr) SetFocus(control);
}
