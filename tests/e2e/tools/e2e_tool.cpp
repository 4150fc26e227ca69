// The end-to-end tests' helper, run under Wine beside the calculator. It
// reads what a user sees or gets in forms a shell script can compare
// exactly (X tools see neither control texts nor the focus, and hand the
// clipboard over as UTF-8 with LF), and it plays another program:
//
//   e2e_tool clipboard               the CF_TEXT bytes as hex, up to the NUL
//   e2e_tool put TEXT                puts TEXT on the clipboard
//   e2e_tool text CAPTION            the window's static texts, one a line
//   e2e_tool field CAPTION ID        one control's text
//   e2e_tool focus CAPTION           "ID START END": the focused control and
//                                    its selection
//   e2e_tool rect CAPTION [ID]       "LEFT TOP RIGHT BOTTOM", screen pixels
//   e2e_tool settext CAPTION ID TEXT WM_SETTEXT, past any typing limit
//   e2e_tool hold clipboard|file PATH SIGNAL
//                                    keeps the clipboard open, or PATH open
//                                    without sharing, creates SIGNAL, and
//                                    lets go when SIGNAL is deleted (two
//                                    minutes at most)
//
// CAPTION is the exact caption of a visible top-level window. Exit code 0;
// 1 when the window, the control or the clipboard is not there.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct Search {
  const char *caption;
  HWND found;
};

BOOL CALLBACK match(HWND window, LPARAM data) {
  auto *search = reinterpret_cast<Search *>(data);
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  if (!IsWindowVisible(window) || std::strcmp(text, search->caption) != 0) return TRUE;
  search->found = window;
  return FALSE;
}

HWND find_window(const char *caption) {
  Search search{caption, nullptr};
  EnumWindows(match, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

BOOL CALLBACK print_static(HWND child, LPARAM) {
  char name[32] = {}, text[512] = {};
  GetClassNameA(child, name, sizeof name);
  if (lstrcmpiA(name, "Static") != 0 || (GetWindowLongA(child, GWL_STYLE) & SS_ICON)) return TRUE;
  GetWindowTextA(child, text, sizeof text);
  std::printf("%s\n", text);
  return TRUE;
}

int print_clipboard() {
  if (!OpenClipboard(nullptr)) return 1;
  const HANDLE data = GetClipboardData(CF_TEXT);
  const auto *p = data ? static_cast<const unsigned char *>(GlobalLock(data)) : nullptr;
  if (p != nullptr) {
    for (SIZE_T i = 0; i < GlobalSize(data) && p[i] != 0; ++i)
      std::printf("%02x", p[i]);
    GlobalUnlock(data);
  }
  CloseClipboard();
  return p != nullptr ? 0 : 1;
}

int put_on_clipboard(const char *text) {
  const SIZE_T size = std::strlen(text) + 1;
  const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  std::memcpy(GlobalLock(block), text, size);
  GlobalUnlock(block);
  if (!OpenClipboard(nullptr)) return 1;
  EmptyClipboard();
  const bool placed = SetClipboardData(CF_TEXT, block) != nullptr;
  CloseClipboard();
  return placed ? 0 : 1;
}

int hold(const char *what, const char *path, const char *signal) {
  HANDLE file = INVALID_HANDLE_VALUE;
  if (std::strcmp(what, "clipboard") == 0) {
    if (!OpenClipboard(nullptr)) return 1;
  } else {
    file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
  }
  CloseHandle(CreateFileA(signal, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  for (int i = 0; i < 12000 && GetFileAttributesA(signal) != INVALID_FILE_ATTRIBUTES; ++i)
    Sleep(10);
  if (file != INVALID_HANDLE_VALUE)
    CloseHandle(file);
  else
    CloseClipboard();
  return 0;
}

} // namespace

int main(int argc, char **argv) {
  _setmode(_fileno(stdout), _O_BINARY); // line ends exactly as written
  if (argc == 2 && std::strcmp(argv[1], "clipboard") == 0) return print_clipboard();
  if (argc == 3 && std::strcmp(argv[1], "put") == 0) return put_on_clipboard(argv[2]);
  if (argc == 5 && std::strcmp(argv[1], "hold") == 0) return hold(argv[2], argv[3], argv[4]);
  if (argc < 3) return 2;
  const HWND window = find_window(argv[2]);
  const HWND control = argc > 3 ? GetDlgItem(window, std::atoi(argv[3])) : window;
  if (window == nullptr || control == nullptr) return 1;
  const char *command = argv[1];
  if (std::strcmp(command, "text") == 0) return !EnumChildWindows(window, print_static, 0);
  if (std::strcmp(command, "settext") == 0 && argc == 5)
    return !SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4]));
  if (std::strcmp(command, "field") == 0) {
    char text[256] = {};
    // WM_GETTEXT, not GetWindowText: the control belongs to another process.
    SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    std::printf("%s", text);
    return 0;
  }
  if (std::strcmp(command, "rect") == 0) {
    RECT r;
    GetWindowRect(control, &r);
    std::printf("%ld %ld %ld %ld", r.left, r.top, r.right, r.bottom);
    return 0;
  }
  if (std::strcmp(command, "focus") == 0) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    if (info.hwndFocus == nullptr || !IsChild(window, info.hwndFocus)) return 1;
    DWORD start = 0, end = 0;
    SendMessageA(info.hwndFocus, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    std::printf("%d %lu %lu", GetDlgCtrlID(info.hwndFocus), start, end);
    return 0;
  }
  return 2;
}
