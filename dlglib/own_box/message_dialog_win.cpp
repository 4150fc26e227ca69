// The in-memory message box: a small modal dialog built at each call in a
// cleared heap buffer of message_template_size bytes (message_template.cpp
// writes the bytes and bounds the texts), run with DialogBoxIndirectParamA and freed before the
// call returns. Without memory it shows nothing and returns 2, the end code
// of Cancel. The focus goes back after every box to the window that had it,
// or to the owner when none had it (SetFocus(NULL) without an owner either).
#include "dlglib/dlglib.h"
#include "dlglib/own_box/own_box.h"
#include "dlglib/own_box/message_template.h"

int run_message_dialog(HWND owner, const char *text, UINT flags) {
  auto *buffer = static_cast<unsigned char *>(
      HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, message_template_size));
  if (buffer == nullptr) return IDCANCEL;
  if (build_message_template(buffer, message_template_size, dlglib_settings.title, text, flags,
                             ansi_to_utf16) < 0) { // not with message_template_size
    HeapFree(GetProcessHeap(), 0, buffer);
    return IDCANCEL;
  }
  const HWND focused = GetFocus();
  const INT_PTR result =
      DialogBoxIndirectParamA(dlglib_settings.instance, reinterpret_cast<LPCDLGTEMPLATEA>(buffer),
                              owner, message_dialog_proc, 0);
  HeapFree(GetProcessHeap(), 0, buffer);
  SetFocus(focused != nullptr ? focused : owner);
  return static_cast<int>(result);
}
