// The dialog library on the real Win32 API: the focus given back after a
// message. The flags of a message are seen where the application shows one;
// the box built in memory is never shown by the program, and its template
// is held byte for byte by the unit tests.
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
  void TearDown() override { DestroyWindow(main); }
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

} // namespace
