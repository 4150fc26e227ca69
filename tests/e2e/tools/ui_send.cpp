// A helper of the end-to-end tests, run under Wine beside the calculator: it
// plays another program that changes what the calculator shows or finds.
//
//   ui_send settext CAPTION ID TEXT   WM_SETTEXT of TEXT to one control of
//                                     the window, past any typing limit
//   ui_send retitle CAPTION NEW       gives the window the caption NEW, so
//                                     that two instances can be told apart
//   ui_send move CAPTION X Y          moves the window's top-left corner to
//                                     X, Y (screen pixels), so that two
//                                     windows in the same place can both be
//                                     clicked
//   ui_send clipboard TEXT            puts TEXT on the clipboard as CF_TEXT
//
// CAPTION is the exact caption of a visible top-level window. Exit code 0,
// 1 when the window, the control or the clipboard is not there, 2 for bad
// arguments.
#include <windows.h>

#include "find_window.h"

#include <cstring>

namespace {

// The window's own thread copies the text: the length is not limited by
// anything but the edit control.
int send_text(HWND window, const char *text) {
  if (window == nullptr) return 1;
  return SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) ? 0 : 1;
}

int set_clipboard(const char *text) {
  const SIZE_T size = std::strlen(text) + 1;
  const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (block == nullptr) return 1;
  void *memory = GlobalLock(block);
  if (memory == nullptr) {
    GlobalFree(block);
    return 1;
  }
  std::memcpy(memory, text, size);
  GlobalUnlock(block);
  if (!OpenClipboard(nullptr)) {
    GlobalFree(block);
    return 1;
  }
  EmptyClipboard();
  const bool placed = SetClipboardData(CF_TEXT, block) != nullptr;
  CloseClipboard();
  if (!placed) GlobalFree(block);
  return placed ? 0 : 1;
}

} // namespace

int main(int argc, char **argv) {
  if (argc == 3 && std::strcmp(argv[1], "clipboard") == 0) return set_clipboard(argv[2]);
  if (argc == 4 && std::strcmp(argv[1], "retitle") == 0)
    return send_text(find_window(argv[2]), argv[3]);
  if (argc == 5 && std::strcmp(argv[1], "move") == 0) {
    const HWND window = find_window(argv[2]);
    const int x = parse_id(argv[3]);
    const int y = parse_id(argv[4]);
    if (x < 0 || y < 0) return 2;
    if (window == nullptr) return 1;
    return SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE)
               ? 0
               : 1;
  }
  if (argc == 5 && std::strcmp(argv[1], "settext") == 0) {
    const HWND window = find_window(argv[2]);
    if (window == nullptr) return 1;
    const int id = parse_id(argv[3]);
    if (id < 0) return 2;
    return send_text(GetDlgItem(window, id), argv[4]);
  }
  return 2;
}
