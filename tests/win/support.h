// Shared by the Win32 tests: the clipboard as another program reads it, and an
// import of the test program replaced to see what the code hands the platform.
#ifndef PMV_TESTS_WIN_SUPPORT_H
#define PMV_TESTS_WIN_SUPPORT_H

#include <windows.h>

#include <string>
#include <vector>

// CF_TEXT up to its terminator ("<none>", "<busy>"), and whether the four
// bytes after it are zero.
std::string clipboard_text(bool *zero_tail = nullptr);

// Points the main module's import slots of `function` at `replacement`;
// returns what the first slot held.
void *patch_import(const char *function, void *replacement);

// MessageBoxA replaced by a recorder that answers OK at once and, as a real
// box does, leaves the focus elsewhere (on nothing).
struct BoxCall {
  HWND owner;
  std::string text, caption;
  UINT flags;
};
extern std::vector<BoxCall> box_calls;
void record_message_boxes();

#endif
