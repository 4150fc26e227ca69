// The dialog procedure of the in-memory message box. On creation it centres
// the box and gives the text and the buttons the stock variable-pitch ANSI
// font (the template names no font); returning 1 lets the platform focus the
// leftmost button. The ids 1, 2, 6 and 7 (OK, Cancel, Yes, No; Escape sends
// 2) end the box with that id, whether or not such a button is shown; every
// other command, 3, 4 and 5 included, leaves it open.
#include "dlglib/dlglib.h"
#include "dlglib/own_box/own_box.h"
#include "dlglib/own_box/message_layout.h"
#include "dlglib/own_box/message_template.h"

INT_PTR CALLBACK message_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  switch (message) {
  case WM_INITDIALOG: {
    centre_window(dialog);
    const WPARAM font = reinterpret_cast<WPARAM>(GetStockObject(ANSI_VAR_FONT));
    SendDlgItemMessageA(dialog, message_text_id, WM_SETFONT, font, 0);
    for (int i = 0; i < button_count && i < max_message_buttons; ++i)
      SendDlgItemMessageA(dialog, button_ids[i], WM_SETFONT, font, 0);
    return TRUE;
  }
  case WM_COMMAND: {
    const int id = LOWORD(wparam);
    if (id == IDOK || id == IDCANCEL || id == IDYES || id == IDNO) EndDialog(dialog, id);
    return TRUE;
  }
  default:
    return FALSE;
  }
}
