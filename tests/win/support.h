// Shared helpers of the Win32 tests: files, the clipboard, window texts,
// message boxes caught by a WH_CBT hook, and replacing an import of the test
// program so that a test sees the exact arguments the code under test hands
// to the platform or the C runtime.
#ifndef PMV_TESTS_WIN_SUPPORT_H
#define PMV_TESTS_WIN_SUPPORT_H

#include <windows.h>

#include <string>
#include <vector>

#include "app/app_context.h"
#include "tests/unit/support.h"

std::string window_text(HWND window);
// A visible top-level window of the thread (a plain static).
HWND top_level(const char *name, int x = 50, int y = 50, int w = 400, int h = 300);
std::string class_of(HWND window);
bool is_message_box(HWND window);

std::string read_bytes(const std::string &path); // "<missing>" when it cannot be opened
void write_bytes(const std::string &path, const std::string &bytes);
bool exists(const std::string &path);
void remove_file(const std::string &path); // also a read-only one

// The CF_TEXT on the clipboard up to its terminator ("<none>", "<busy>"), and
// whether the bytes after it up to the block's end (at most 4) are zero.
std::string clipboard_text(bool *zero_tail = nullptr);
void set_clipboard_text(const char *text, HWND owner = nullptr);

// Message boxes seen by box_catcher: each is closed with OK when activated
// and its texts are read when it is destroyed, since Wine fills the text only
// after the activation.
struct SeenBox {
  std::string caption;
  std::string text;
};
extern std::vector<SeenBox> seen_boxes;
LRESULT CALLBACK box_catcher(int code, WPARAM wparam, LPARAM lparam);

// The file tests work below C:\pmvtest with it as the current folder, so
// that the root of the current drive is the prefix's C:\ and never the Linux
// root that Wine's Z: shows.
extern const char scratch_root[];
// Creates scratch_root and `program_dir`, makes scratch_root the current
// folder and remembers the one before; false when that fails.
bool enter_scratch_folder(const char *program_dir);
void leave_scratch_folder();
// A bounded copy of `text` into one of the application's path buffers.
void set_path(char (&dst)[path_size], const char *text);

// Points every import slot of `function` in the main module at
// `replacement`; returns the address that the first slot held.
void *patch_import(const char *function, void *replacement);

#endif
