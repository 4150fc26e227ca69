// A helper of the end-to-end tests, run under Wine beside the calculator: it
// reads what a user sees or gets, in forms that a shell script can compare
// exactly. X tools cannot: they see neither control texts nor focus, and
// they hand the clipboard over as UTF-8 with LF line ends.
//
//   ui_probe clipboard              the CF_TEXT bytes, as hex, up to the NUL
//   ui_probe text CAPTION           the texts of the window's static controls,
//                                   one a line
//   ui_probe field CAPTION ID       the text of one control of the window
//   ui_probe focus CAPTION          "ID START END": the focused control and
//                                   its selection
//   ui_probe rect CAPTION [ID]      "LEFT TOP RIGHT BOTTOM" in screen pixels
//
// CAPTION is the exact caption of a top-level window. Exit code 0, or 1 when
// the window, the control or the clipboard text is not there.
#include <windows.h>

#include "find_window.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstring>

namespace {

// Integers by hand: this program's numbers never go through the C runtime's
// formatted input and output.
void put_unsigned(unsigned long value) {
  char digits[16];
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  while (n > 0)
    std::putchar(digits[--n]);
}

void put_signed(long value) {
  if (value < 0) std::putchar('-');
  put_unsigned(value < 0 ? 0ul - static_cast<unsigned long>(value)
                         : static_cast<unsigned long>(value));
}

void put_hex_byte(unsigned char byte) {
  const char *hex = "0123456789abcdef";
  std::putchar(hex[byte >> 4]);
  std::putchar(hex[byte & 15]);
}

BOOL CALLBACK print_static(HWND child, LPARAM) {
  char name[32] = {};
  GetClassNameA(child, name, sizeof name);
  if (lstrcmpiA(name, "Static") != 0) return TRUE;
  if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) return TRUE;
  char text[512] = {};
  GetWindowTextA(child, text, sizeof text);
  std::fputs(text, stdout);
  std::putchar('\n');
  return TRUE;
}

int print_clipboard() {
  if (!OpenClipboard(nullptr)) return 1;
  int status = 1;
  if (const HANDLE data = GetClipboardData(CF_TEXT)) {
    const auto *p = static_cast<const unsigned char *>(GlobalLock(data));
    const SIZE_T size = GlobalSize(data);
    if (p != nullptr) {
      for (SIZE_T i = 0; i < size && p[i] != 0; ++i)
        put_hex_byte(p[i]);
      GlobalUnlock(data);
      status = 0;
    }
  }
  CloseClipboard();
  return status;
}

int print_rect(HWND window) {
  RECT r;
  if (window == nullptr || !GetWindowRect(window, &r)) return 1;
  const long sides[] = {r.left, r.top, r.right, r.bottom};
  for (int i = 0; i < 4; ++i) {
    if (i > 0) std::putchar(' ');
    put_signed(sides[i]);
  }
  return 0;
}

int print_focus(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return 1;
  if (info.hwndFocus == nullptr || !IsChild(window, info.hwndFocus)) return 1;
  DWORD start = 0, end = 0;
  SendMessageA(info.hwndFocus, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  put_signed(GetDlgCtrlID(info.hwndFocus));
  std::putchar(' ');
  put_unsigned(start);
  std::putchar(' ');
  put_unsigned(end);
  return 0;
}

} // namespace

int main(int argc, char **argv) {
  // Line ends exactly as written, without CR.
  _setmode(_fileno(stdout), _O_BINARY);
  if (argc == 2 && std::strcmp(argv[1], "clipboard") == 0) return print_clipboard();
  if (argc < 3) return 2;
  const HWND window = find_window(argv[2]);
  if (window == nullptr) return 1;
  const char *command = argv[1];
  if (std::strcmp(command, "text") == 0) {
    EnumChildWindows(window, print_static, 0);
    return 0;
  }
  if (std::strcmp(command, "focus") == 0) return print_focus(window);
  if (std::strcmp(command, "rect") == 0) {
    return print_rect(argc > 3 ? GetDlgItem(window, parse_id(argv[3])) : window);
  }
  if (std::strcmp(command, "field") == 0 && argc > 3) {
    const HWND control = GetDlgItem(window, parse_id(argv[3]));
    if (control == nullptr) return 1;
    char text[256] = {};
    // WM_GETTEXT, not GetWindowText: the control belongs to another process.
    SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    std::fputs(text, stdout);
    return 0;
  }
  return 2;
}
