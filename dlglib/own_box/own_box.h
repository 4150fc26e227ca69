// The in-memory message box: the library's selectable alternative to the
// platform's message box. message_box hands a message to it when the setting
// use_own_box is 1; this program keeps the platform's box (the setting stays
// 0), so nothing in this folder runs for its users. The box is built from a
// dialog template written into memory at each call: the bytes portably
// (dialog_template.h, message_layout.h, message_template.h), so that the unit
// tests hold them byte for byte, and run by the *_win.cpp files here.
#ifndef PMV_DLGLIB_OWN_BOX_OWN_BOX_H
#define PMV_DLGLIB_OWN_BOX_OWN_BOX_H

#include <windows.h>

// The id of the button that closed the box, or 2 when there was no memory
// for its template.
int run_message_dialog(HWND owner, const char *text, UINT flags);
INT_PTR CALLBACK message_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// ANSI text of the system code page to UTF-16LE, the AnsiToUtf16 of the
// template writer (dialog_template.h) in the Windows build.
int ansi_to_utf16(const char *text, int count, unsigned char *dest, int capacity);

#endif
