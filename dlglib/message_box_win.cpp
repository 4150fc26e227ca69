// The message box service: every message of the program, captioned with the
// application's title. With use_own_box set the library's in-memory box
// shows it; otherwise MessageBoxA does, task-modal when there is no owner so
// that no window of the program takes input meanwhile. The focus is given
// back afterwards, because the box moves it and the caller (a dialog whose
// field failed) expects it where it was.
#include "dlglib/dlglib.h"
#include "dlglib/own_box/own_box.h"

int message_box(HWND owner, const char *text, UINT flags) {
  if (dlglib_settings.use_own_box == 1) return run_message_dialog(owner, text, flags);
  if (owner == nullptr) flags |= MB_TASKMODAL;
  const HWND focused = GetFocus();
  const int result = MessageBoxA(owner, text, dlglib_settings.title, flags);
  if (GetFocus() != focused) SetFocus(focused);
  return result;
}

int info_message(HWND owner, const char *text) {
  return message_box(owner, text, MB_OK | MB_ICONINFORMATION);
}
