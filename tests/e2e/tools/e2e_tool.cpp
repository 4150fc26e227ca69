// The end-to-end tests' helper, run under Wine beside the calculator: reads
// what X cannot show (control texts, the focus, the clipboard's exact bytes)
// and plays another program. CAPTION is a top-level window's exact caption (-
// for the clipboard's owner); exit code 1 when the window, control or
// clipboard text is not there.
//   clipboard | unicode                  the CF_TEXT or CF_UNICODETEXT bytes as hex
//   field | rect | settext CAPTION [ID] [TEXT]   (a message's text: ID 65535)
//   focus CAPTION                        "ID START END" of the focused control
//   access CAPTION ID                    "NAME|ROLE|VALUE|STATE" as a screen reader
//                                        asks them (role, state in hex), UTF-8
//   hold clipboard SIGNAL                holds it open, with a window as programs
//                                        do, until SIGNAL it made is deleted
#include <windows.h>

#include <ole2.h>
#include <oleacc.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// The bytes of a text up to its terminator: one zero byte, or two at an even
// place in UTF-16.
int print_clipboard(UINT format) {
  if (!OpenClipboard(nullptr)) return 1;
  const HANDLE data = GetClipboardData(format);
  const auto *p = data ? static_cast<const unsigned char *>(GlobalLock(data)) : nullptr;
  if (p != nullptr) {
    const SIZE_T unit = format == CF_UNICODETEXT ? 2 : 1;
    for (SIZE_T i = 0; i + unit <= GlobalSize(data) && (p[i] | p[i + unit - 1]) != 0; i += unit)
      for (SIZE_T j = i; j < i + unit; ++j)
        std::printf("%02x", p[j]);
    GlobalUnlock(data);
  }
  CloseClipboard();
  return p != nullptr ? 0 : 1;
}

int hold_clipboard(const char *signal) {
  if (!OpenClipboard(
          CreateWindowA("STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr)))
    return 1;
  CloseHandle(CreateFileA(signal, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  for (int i = 0; i < 12000 && GetFileAttributesA(signal) != INVALID_FILE_ATTRIBUTES; ++i)
    Sleep(10);
  return !CloseClipboard();
}

void print_utf8(BSTR text) {
  char bytes[512] = {};
  if (text != nullptr)
    WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, sizeof bytes - 1, nullptr, nullptr);
  std::printf("%s", bytes);
  SysFreeString(text);
}

// The control's object as a screen reader gets it: through the system,
// which sends the control WM_GETOBJECT.
int print_accessible(HWND control) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IAccessible *object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                        __uuidof(IAccessible), reinterpret_cast<void **>(&object))))
    return 1;
  VARIANT self, role, state;
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  VariantInit(&role);
  VariantInit(&state);
  BSTR name = nullptr, value = nullptr;
  const bool answered =
      SUCCEEDED(object->get_accName(self, &name)) && SUCCEEDED(object->get_accRole(self, &role)) &&
      SUCCEEDED(object->get_accValue(self, &value)) &&
      SUCCEEDED(object->get_accState(self, &state)) && role.vt == VT_I4 && state.vt == VT_I4;
  print_utf8(name);
  std::printf("|%lx|", answered ? role.lVal : 0L);
  print_utf8(value);
  std::printf("|%lx", answered ? state.lVal : 0L);
  object->Release();
  CoUninitialize();
  return answered ? 0 : 1;
}

} // namespace

int main(int argc, char **argv) {
  _setmode(_fileno(stdout), _O_BINARY); // line ends exactly as written
  if (argc == 2 && std::strcmp(argv[1], "clipboard") == 0) return print_clipboard(CF_TEXT);
  if (argc == 2 && std::strcmp(argv[1], "unicode") == 0) return print_clipboard(CF_UNICODETEXT);
  if (argc == 4 && std::strcmp(argv[1], "hold") == 0 && std::strcmp(argv[2], "clipboard") == 0)
    return hold_clipboard(argv[3]);
  if (argc < 3) return 2;
  const HWND window =
      std::strcmp(argv[2], "-") == 0 ? GetClipboardOwner() : FindWindowA(nullptr, argv[2]);
  const HWND control = argc > 3 ? GetDlgItem(window, std::atoi(argv[3])) : window;
  if (window == nullptr || control == nullptr) return 1;
  const char *command = argv[1];
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
  if (std::strcmp(command, "access") == 0) return print_accessible(control);
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
