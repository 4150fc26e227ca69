// The yardstick of the start-up measurement: the least a Win32 program can do
// to show a dialog. One empty dialog of the calculator's size from a template
// built in memory, ended by Escape. Built the same way as pmv_calc.exe
// (static, GUI subsystem) by bench/startup.sh.
#include <windows.h>

#include <cstdint>

namespace {

INT_PTR CALLBACK empty_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  if (message == WM_INITDIALOG) {
    // With no control to take it, the focus goes to the dialog itself, so
    // that Escape reaches the dialog manager.
    SetFocus(dialog);
    return FALSE;
  }
  if (message == WM_COMMAND && LOWORD(wparam) == IDCANCEL) {
    EndDialog(dialog, IDCANCEL);
    return TRUE;
  }
  return FALSE;
}

// DLGTEMPLATE, then the menu, class and caption as UTF-16 words; no controls.
struct EmptyTemplate {
  DLGTEMPLATE header;
  WORD menu;
  WORD window_class;
  wchar_t caption[13];
};

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  alignas(4) EmptyTemplate t{};
  t.header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
  t.header.cdit = 0;
  t.header.cx = 329;
  t.header.cy = 201;
  const wchar_t caption[] = L"Empty dialog";
  for (int i = 0; i < 13; ++i)
    t.caption[i] = caption[i];
  DialogBoxIndirectParamA(instance, &t.header, nullptr, empty_dialog_proc, 0);
  return 0;
}
