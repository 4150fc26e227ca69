// The dialog library on the real Win32 API: the focus given back after a
// message, and the in-memory message box as the dialog manager runs it. The
// flags of a message are seen where the application shows one.
#include <windows.h>

#include <gtest/gtest.h>

#include "dlglib/dlglib.h"
#include "tests/win/support.h"

namespace {

const char title[] = "Vexlin PMV calculator";

class Dlglib : public ::testing::Test {
protected:
  void SetUp() override {
    dlglib_init(GetModuleHandleA(nullptr));
    dlglib_settings.title = title;
    main = CreateWindowA("STATIC", "main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200,
                         nullptr, nullptr, nullptr, nullptr);
    edit = CreateWindowA("EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, main,
                         reinterpret_cast<HMENU>(5), nullptr, nullptr);
    SetForegroundWindow(main);
    SetFocus(edit);
  }
  void TearDown() override {
    dlglib_settings.use_own_box = 0;
    DestroyWindow(main);
  }
  HWND main = nullptr, edit = nullptr;
};

// The control that had the focus gets it back, after a box with an owner or
// without one.
TEST_F(Dlglib, FocusComesBackAfterAMessage) {
  const ImportPatch boxes("MessageBoxA", record_box);
  for (const HWND owner : {HWND{}, main}) {
    EXPECT_EQ(info_message(owner, "10.00 ... 30.00 !"), IDOK);
    EXPECT_EQ(GetFocus(), edit);
  }
}

// The in-memory box, driven from a timer inside its modal loop: its controls
// in the ANSI variable font are counted, the commands 3, 4 and 5 leave it
// open, then `ending` is sent (0: the Escape key); a box still open half a
// second later is ended with -1, so that the test fails rather than hangs.
int fonts, commands_sent, ending;

void CALLBACK drive_box(HWND, UINT, UINT_PTR timer, DWORD) {
  const HWND box = FindWindowA("#32770", title);
  if (box == nullptr || !IsWindowVisible(box)) {
    if (commands_sent > 0) KillTimer(nullptr, timer); // closed
    return;
  }
  const auto font = reinterpret_cast<LRESULT>(GetStockObject(ANSI_VAR_FONT));
  for (const int id : {100, 6, 7, 2})
    fonts += commands_sent == 0 && SendDlgItemMessageA(box, id, WM_GETFONT, 0, 0) == font;
  if (commands_sent < 3) {
    SendMessageA(box, WM_COMMAND, static_cast<WPARAM>(3 + commands_sent), 0);
  } else if (commands_sent == 3 && ending == 0) {
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
  } else if (commands_sent == 3) {
    SendMessageA(box, WM_COMMAND, static_cast<WPARAM>(ending), 0);
  } else if (commands_sent == 50) { // still open after half a second
    EndDialog(box, -1);
    KillTimer(nullptr, timer);
  }
  ++commands_sent;
}

// 1, 2, 6 and 7 end the box with that id, whether or not it has such a
// button; Escape (0, first, in a box without "Cancel") is 2.
TEST_F(Dlglib, InMemoryBox) {
  dlglib_settings.use_own_box = 1;
  for (const int end : {0, IDYES, IDNO, IDOK, IDCANCEL}) {
    fonts = commands_sent = 0;
    ending = end;
    SetTimer(nullptr, 0, 10, drive_box);
    const UINT flags = end != 0 ? MB_YESNOCANCEL : MB_YESNO;
    EXPECT_EQ(message_box(main, "Save the values?", flags), end != 0 ? end : IDCANCEL) << end;
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(fonts, end != 0 ? 4 : 3);
  }
}

} // namespace
