// The window and dialog helpers on the real Win32 API: running a
// dialog without a procedure, a missing template, the release of the drawing
// object caches, centring real windows, moving the focus to a control.
#include <gtest/gtest.h>

#include <vector>

#include "dlglib/centre_position.h"
#include "dlglib/dlglib.h"

namespace {

int windows_created;
LRESULT CALLBACK count_creations(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_CREATEWND) ++windows_created;
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

BOOL CALLBACK count_window(HWND, LPARAM counter) {
  ++*reinterpret_cast<int *>(counter);
  return TRUE;
}

int thread_windows() {
  int n = 0;
  EnumThreadWindows(GetCurrentThreadId(), count_window, reinterpret_cast<LPARAM>(&n));
  return n;
}

INT_PTR CALLBACK never_called(HWND dialog, UINT, WPARAM, LPARAM) {
  EndDialog(dialog, 99);
  return TRUE;
}

class Helpers : public ::testing::Test {
protected:
  void SetUp() override {
    dlglib_init(GetModuleHandleA(nullptr));
    dlglib_settings.title = "Vexlin PMV  calculator";
  }
  void TearDown() override {
    for (HWND w : windows)
      if (IsWindow(w)) DestroyWindow(w);
  }
  HWND popup(int x, int y, int w, int h, HWND owner = nullptr) {
    HWND win = CreateWindowExA(0, "STATIC", "", WS_POPUP, x, y, w, h, owner, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    windows.push_back(win);
    return win;
  }
  std::vector<HWND> windows;
};

RECT rect_of(HWND w) {
  RECT r;
  GetWindowRect(w, &r);
  return r;
}

// --- run_dialog --------------------------------------------------------------

TEST_F(Helpers, RunDialogWithoutProcedureReturns2AndCreatesNoWindow) {
  windows_created = 0;
  HHOOK hook = SetWindowsHookExA(WH_CBT, count_creations, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  const int before = thread_windows();
  EXPECT_EQ(run_dialog(nullptr, 101, nullptr), 2);
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(windows_created, 0);
  EXPECT_EQ(thread_windows(), before);
}

TEST_F(Helpers, RunDialogHandsBackThePlatformFailure) {
  // this test program has no dialog resources at all
  EXPECT_EQ(run_dialog(nullptr, 101, never_called), -1);
  EXPECT_EQ(run_dialog(nullptr, 0x10000 + 101, never_called), -1); // low 16 bits only
}

// --- the caches --------------------------------------------------------------

bool alive(HGDIOBJ object) { return GetObjectType(object) != 0; }

TEST_F(Helpers, ReleaseDeletesTheFirstCountEntriesAndEmptiesBothTables) {
  HGDIOBJ a = CreateSolidBrush(RGB(1, 2, 3));
  HGDIOBJ b = CreatePen(PS_SOLID, 1, RGB(4, 5, 6));
  HGDIOBJ c = CreateSolidBrush(RGB(7, 8, 9));
  HGDIOBJ beyond = CreateSolidBrush(RGB(10, 11, 12));
  ASSERT_TRUE(alive(a) && alive(b) && alive(c) && alive(beyond));
  gdi_cache1[0] = {a, 11};
  gdi_cache1[1] = {nullptr, 12}; // an empty slot among the used ones
  gdi_cache1[2] = {b, 13};
  gdi_cache1[3] = {beyond, 14}; // not counted: left alone
  gdi_cache1_count = 3;
  gdi_cache2[0] = {c, 21};
  gdi_cache2_count = 1;

  release_gdi_caches();
  EXPECT_FALSE(alive(a));
  EXPECT_FALSE(alive(b));
  EXPECT_FALSE(alive(c));
  EXPECT_TRUE(alive(beyond));
  EXPECT_EQ(gdi_cache1[0].object, nullptr);
  EXPECT_EQ(gdi_cache1[2].object, nullptr);
  EXPECT_EQ(gdi_cache2[0].object, nullptr);
  EXPECT_EQ(gdi_cache1[0].extra, 11u); // the second value is neither read nor changed
  EXPECT_EQ(gdi_cache1[2].extra, 13u);
  EXPECT_EQ(gdi_cache2[0].extra, 21u);
  EXPECT_EQ(gdi_cache1_count, 0);
  EXPECT_EQ(gdi_cache2_count, 0);

  release_gdi_caches(); // twice in a row: nothing more is deleted
  EXPECT_TRUE(alive(beyond));
  EXPECT_EQ(gdi_cache1[3].object, beyond);
  EXPECT_EQ(gdi_cache1_count, 0);
  EXPECT_EQ(gdi_cache2_count, 0);

  DeleteObject(beyond);
  gdi_cache1[3] = {nullptr, 0};
}

TEST_F(Helpers, ReleaseWithEmptyCachesDeletesNothing) {
  HGDIOBJ kept = CreateSolidBrush(RGB(1, 1, 1));
  gdi_cache1[0] = {kept, 0};
  gdi_cache2[0] = {kept, 0};
  gdi_cache1_count = 0;
  gdi_cache2_count = -3; // a count below zero skips its table and becomes 0
  for (int round = 0; round < 2; ++round) {
    release_gdi_caches();
    EXPECT_TRUE(alive(kept));
    EXPECT_EQ(gdi_cache1_count, 0);
    EXPECT_EQ(gdi_cache2_count, 0);
  }
  gdi_cache1[0] = {nullptr, 0};
  gdi_cache2[0] = {nullptr, 0};
  DeleteObject(kept);
}

TEST_F(Helpers, DeleteGdiObject) {
  delete_gdi_object(nullptr); // nothing to do, no failure
  HGDIOBJ brush = CreateSolidBrush(RGB(3, 3, 3));
  ASSERT_TRUE(alive(brush));
  delete_gdi_object(brush);
  EXPECT_FALSE(alive(brush));
}

// --- centring ----------------------------------------------------------------

TEST_F(Helpers, CentreWindowWithoutParentOnTheScreen) {
  const int sx = GetSystemMetrics(SM_CXSCREEN), sy = GetSystemMetrics(SM_CYSCREEN);
  HWND w = popup(5, 5, 300, 200);
  centre_window(w);
  const RECT r = rect_of(w);
  const ScreenPoint p = centre_position(ScreenRect{0, 0, 300, 200}, nullptr, sx, sy);
  EXPECT_EQ(r.left, p.x);
  EXPECT_EQ(r.top, p.y);
  EXPECT_EQ(r.right - r.left, 300); // size unchanged
  EXPECT_EQ(r.bottom - r.top, 200);
  if (sx == 1024 && sy == 768) { // the test prefix's virtual desktop
    EXPECT_EQ(r.left, 362);
    EXPECT_EQ(r.top, 274);
  }
}

TEST_F(Helpers, CentreWindowOnItsOwner) {
  HWND owner = popup(100, 100, 400, 300);
  HWND w = popup(0, 0, 200, 100, owner);
  ASSERT_EQ(GetParent(w), owner);
  centre_window(w);
  const RECT r = rect_of(w);
  EXPECT_EQ(r.left, 200);
  EXPECT_EQ(r.top, 200);
}

TEST_F(Helpers, CentreWindowPullsBackAtTheRightEdgeOnly) {
  const int sx = GetSystemMetrics(SM_CXSCREEN);
  HWND owner = popup(sx - 224, 100, 200, 200);
  HWND w = popup(0, 0, 300, 100, owner);
  centre_window(w);
  EXPECT_EQ(rect_of(w).left, sx - 302);

  HWND left_owner = popup(-50, -40, 100, 100);
  HWND v = popup(0, 0, 200, 150, left_owner);
  centre_window(v);
  EXPECT_EQ(rect_of(v).left, -100);
  EXPECT_EQ(rect_of(v).top, -65);
}

// Wine reorders windows on a move even with SWP_NOZORDER, so the z-order
// cannot be watched; the request itself is, in WM_WINDOWPOSCHANGING.
WINDOWPOS last_request;
LRESULT CALLBACK record_position(HWND w, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_WINDOWPOSCHANGING) last_request = *reinterpret_cast<WINDOWPOS *>(lparam);
  return DefWindowProcA(w, message, wparam, lparam);
}

TEST_F(Helpers, CentreWindowMovesWithoutSizingOrReordering) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = record_position;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "dlglib_record_position";
  RegisterClassA(&wc);
  HWND w = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 5, 5, 300, 200, nullptr, nullptr,
                           wc.hInstance, nullptr);
  windows.push_back(w);
  last_request = WINDOWPOS{};
  centre_window(w);
  EXPECT_EQ(last_request.hwnd, w);
  EXPECT_EQ(last_request.flags & (SWP_NOSIZE | SWP_NOZORDER), UINT(SWP_NOSIZE | SWP_NOZORDER));
  EXPECT_EQ(last_request.flags & (SWP_NOMOVE | SWP_SHOWWINDOW | SWP_HIDEWINDOW), 0u);
  EXPECT_EQ(last_request.x, rect_of(w).left);
  EXPECT_EQ(last_request.y, rect_of(w).top);
}

// --- focus -------------------------------------------------------------------

TEST_F(Helpers, FocusControlMovesTheFocusToAnExistingControlOnly) {
  HWND main = CreateWindowExA(0, "STATIC", "main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300,
                              200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  windows.push_back(main);
  HWND edit1 = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, main,
                               reinterpret_cast<HMENU>(5), GetModuleHandleA(nullptr), nullptr);
  HWND edit2 = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 30, 100, 20, main,
                               reinterpret_cast<HMENU>(6), GetModuleHandleA(nullptr), nullptr);
  SetForegroundWindow(main);
  SetFocus(edit2);
  ASSERT_EQ(GetFocus(), edit2);
  focus_control(main, 5);
  EXPECT_EQ(GetFocus(), edit1);
  focus_control(main, 77);
  EXPECT_EQ(GetFocus(), edit1);
}

} // namespace
