// Copies to the clipboard: a file's bytes or a text as CF_TEXT.
#ifndef PMV_APP_CLIPBOARD_WIN_H
#define PMV_APP_CLIPBOARD_WIN_H

#include <windows.h>

#include <cstddef>

// Results of the copies.
constexpr int copy_done = 0;
constexpr int copy_busy = -1;       // another program held the clipboard, or it refused the text
constexpr int copy_unreadable = -2; // the file could not be opened for reading
constexpr int copy_empty = -3;      // the file is empty, or its length unknown
constexpr int copy_no_memory = -4;  // "Not enough memory!" has been shown
// What the user is told when the clipboard stayed busy.
constexpr const char *clipboard_busy_message = "The clipboard is busy: this case was not copied!";

int copy_file_to_clipboard(HWND owner, const wchar_t *path);
// `length` bytes of `text` and four zero bytes as CF_TEXT; copy_done,
// copy_busy or copy_no_memory.
int copy_text_to_clipboard(HWND owner, const char *text, std::size_t length);
// copy_done or copy_busy. A clipboard that another program holds is tried
// again for a while first (clipboard_retries, in clipboard_win.cpp).
int set_clipboard_text(HWND owner, HGLOBAL block);
void *alloc_global_block(SIZE_T size, HGLOBAL *handle);

#endif
