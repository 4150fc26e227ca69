// The in-memory message box on the real dialog manager, with
// use_own_box set: what the box shows (caption, static text, captions, the
// stock ANSI variable font), which commands close it, the focus afterwards,
// and a long title with a long message that still gives a working box. A
// WH_CBT hook finds the box when it is activated; a thread timer then reads
// it once it is shown (activation can come before WM_INITDIALOG under Wine)
// and acts on it, one step per tick, from inside the box's own modal loop.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "dlglib/centre_position.h"
#include "dlglib/dlglib.h"
#include "dlglib/message_layout.h"
#include "dlglib/message_template.h"
#include "tests/win/support.h"

namespace {

const char title21[] = "Vexlin PMV calculator"; // 21 characters, as in the worked example

enum class Act { command, click, escape };
struct Step {
  Act act;
  int id;
};

struct Seen {
  int boxes = 0;
  HWND box = nullptr;
  std::string caption, text;
  int caption_length = 0, text_length = 0;
  std::vector<int> button_ids;       // present among ids 1 to 7, in x order
  std::vector<std::string> captions; // of those buttons
  bool stock_fonts = false;
  HWND box_owner = nullptr;
  bool owner_enabled = true;
  RECT box_rect{};
  int focus_id = 0; // control with the focus once shown
  bool read = false;
  std::vector<bool> open_after_step; // box still shown after each step
};

Seen seen;
std::vector<Step> plan;
std::size_t next_step;
HHOOK hook;
UINT_PTR step_timer, watchdog_timer;
bool watchdog_fired;

void read_box(HWND w) {
  seen.caption = window_text(w);
  seen.caption_length = GetWindowTextLengthA(w);
  HWND text = GetDlgItem(w, 100);
  seen.text = window_text(text);
  seen.text_length = GetWindowTextLengthA(text);
  const HGDIOBJ stock = GetStockObject(ANSI_VAR_FONT);
  seen.stock_fonts = reinterpret_cast<HGDIOBJ>(SendMessageA(text, WM_GETFONT, 0, 0)) == stock;
  std::vector<std::pair<int, int>> by_x;
  for (int id : {1, 2, 3, 4, 5, 6, 7}) {
    HWND b = GetDlgItem(w, id);
    if (b == nullptr) continue;
    RECT r;
    GetWindowRect(b, &r);
    by_x.emplace_back(r.left, id);
    if (reinterpret_cast<HGDIOBJ>(SendMessageA(b, WM_GETFONT, 0, 0)) != stock)
      seen.stock_fonts = false;
  }
  std::sort(by_x.begin(), by_x.end());
  for (const auto &p : by_x) {
    seen.button_ids.push_back(p.second);
    seen.captions.push_back(window_text(GetDlgItem(w, p.second)));
  }
  seen.box_owner = GetWindow(w, GW_OWNER);
  if (seen.box_owner != nullptr) seen.owner_enabled = IsWindowEnabled(seen.box_owner) != 0;
  GetWindowRect(w, &seen.box_rect);
  seen.focus_id = GetDlgCtrlID(GetFocus());
}

void CALLBACK run_step(HWND, UINT, UINT_PTR, DWORD) {
  HWND box = seen.box;
  if (!seen.read) {
    if (!IsWindowVisible(box)) return; // not up yet: next tick
    read_box(box);
    seen.read = true;
  }
  if (next_step >= plan.size() || !IsWindowVisible(box)) {
    KillTimer(nullptr, step_timer);
    return;
  }
  const Step s = plan[next_step++];
  switch (s.act) {
  case Act::command:
    SendMessageA(box, WM_COMMAND, static_cast<WPARAM>(s.id), 0);
    break;
  case Act::click:
    SendMessageA(GetDlgItem(box, s.id), BM_CLICK, 0, 0);
    break;
  case Act::escape: // through the modal loop's IsDialogMessage, as a key press
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    PostMessageA(GetFocus(), WM_KEYUP, VK_ESCAPE, 0xC0010001);
    break;
  }
  seen.open_after_step.push_back(s.act == Act::escape || IsWindowVisible(box) != 0);
}

BOOL CALLBACK close_dialog(HWND w, LPARAM) {
  if (is_message_box(w)) EndDialog(w, 1000);
  return TRUE;
}

void CALLBACK watchdog(HWND, UINT, UINT_PTR, DWORD) { // a box left open ends the test
  watchdog_fired = true;
  KillTimer(nullptr, watchdog_timer);
  EnumThreadWindows(GetCurrentThreadId(), close_dialog, 0);
}

LRESULT CALLBACK watch_box(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_ACTIVATE) {
    HWND w = reinterpret_cast<HWND>(wparam);
    if (is_message_box(w) && w != seen.box) {
      ++seen.boxes;
      seen.box = w;
      step_timer = SetTimer(nullptr, 0, 1, run_step);
    }
  }
  return CallNextHookEx(hook, code, wparam, lparam);
}

class OwnBox : public ::testing::Test {
protected:
  void SetUp() override {
    dlglib_init(GetModuleHandleA(nullptr));
    dlglib_settings.title = title21;
    dlglib_settings.use_own_box = 1;
    seen = Seen();
    plan.clear();
    next_step = 0;
    watchdog_fired = false;
    hook = SetWindowsHookExA(WH_CBT, watch_box, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    watchdog_timer = SetTimer(nullptr, 0, 10000, watchdog);
  }
  void TearDown() override {
    KillTimer(nullptr, watchdog_timer);
    KillTimer(nullptr, step_timer);
    UnhookWindowsHookEx(hook);
    dlglib_settings.use_own_box = 0;
    for (HWND w : windows)
      DestroyWindow(w);
    EXPECT_FALSE(watchdog_fired) << "a box stayed open";
  }
  HWND window(const char *name, int x = 50, int y = 50, int w = 400, int h = 300) {
    windows.push_back(top_level(name, x, y, w, h));
    return windows.back();
  }
  std::vector<HWND> windows;
};

TEST_F(OwnBox, InfoMessageShowsTitleTextAndOkInTheStockFont) {
  plan = {{Act::click, 1}};
  EXPECT_EQ(info_message(nullptr, "Not enough memory!"), 1);
  EXPECT_EQ(seen.boxes, 1);
  EXPECT_EQ(seen.caption, title21);
  EXPECT_EQ(seen.text, "Not enough memory!");
  EXPECT_EQ(seen.button_ids, std::vector<int>({1}));
  EXPECT_EQ(seen.captions, std::vector<std::string>({"&Ok"}));
  EXPECT_TRUE(seen.stock_fonts);
  EXPECT_EQ(seen.box_owner, nullptr);
  EXPECT_FALSE(IsWindow(seen.box)); // gone once the call returns
}

TEST_F(OwnBox, FocusStartsOnTheLeftmostButton) {
  plan = {{Act::command, 2}};
  EXPECT_EQ(message_box(nullptr, "three buttons", MB_YESNOCANCEL), 2);
  EXPECT_EQ(seen.button_ids, std::vector<int>({6, 7, 2}));
  EXPECT_EQ(seen.captions, std::vector<std::string>({"&Yes", "&No", "&Cancel"}));
  EXPECT_TRUE(seen.stock_fonts);
  EXPECT_EQ(seen.focus_id, 6);
}

TEST_F(OwnBox, ButtonSetsFromTheLowThreeBits) {
  struct Row {
    UINT flags;
    std::vector<int> ids;
  };
  const Row rows[] = {{0, {1}},    {1, {1, 2}}, {2, {1}},       {3, {6, 7, 2}}, {4, {6, 7}},
                      {5, {6, 7}}, {6, {6, 7}}, {7, {6, 7, 2}}, {0x2040, {1}}};
  for (const Row &row : rows) {
    seen = Seen();
    next_step = 0;
    plan = {{Act::click, row.ids.back()}};
    EXPECT_EQ(message_box(nullptr, "buttons", row.flags), row.ids.back()) << row.flags;
    EXPECT_EQ(seen.button_ids, row.ids) << row.flags;
  }
}

TEST_F(OwnBox, ThreeFourFiveLeaveItOpenOneTwoSixSevenCloseIt) {
  for (int close : {1, 2, 6, 7}) {
    seen = Seen();
    next_step = 0;
    plan = {{Act::command, 3}, {Act::command, 4}, {Act::command, 5}, {Act::command, close}};
    EXPECT_EQ(info_message(nullptr, "commands"), close);
    EXPECT_EQ(seen.open_after_step, std::vector<bool>({true, true, true, false})) << close;
  }
}

TEST_F(OwnBox, EscapeEndsTheBoxWith2) {
  plan = {{Act::escape, 0}};
  EXPECT_EQ(info_message(nullptr, "escape"), 2);
}

TEST_F(OwnBox, CentredOnTheScreenWithoutOwner) {
  plan = {{Act::click, 1}};
  info_message(nullptr, "centred");
  const RECT r = seen.box_rect;
  const ScreenPoint p =
      centre_position(ScreenRect{0, 0, r.right - r.left, r.bottom - r.top}, nullptr,
                      GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(r.left, p.x);
  EXPECT_EQ(r.top, p.y);
}

TEST_F(OwnBox, OwnedBoxIsCentredOnItsOwnerWhichIsDisabledMeanwhile) {
  HWND owner = window("owner", 200, 150, 500, 400);
  RECT o;
  GetWindowRect(owner, &o);
  plan = {{Act::click, 1}};
  EXPECT_EQ(info_message(owner, "owned"), 1);
  EXPECT_EQ(seen.box_owner, owner);
  EXPECT_FALSE(seen.owner_enabled);
  EXPECT_TRUE(IsWindowEnabled(owner));
  const RECT r = seen.box_rect;
  const ScreenRect owner_rect{o.left, o.top, o.right, o.bottom};
  const ScreenPoint p =
      centre_position(ScreenRect{0, 0, r.right - r.left, r.bottom - r.top}, &owner_rect,
                      GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(r.left, p.x);
  EXPECT_EQ(r.top, p.y);
}

TEST_F(OwnBox, FocusGoesBackToTheFocusedWindow) {
  HWND main = window("main");
  HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, main,
                              reinterpret_cast<HMENU>(5), GetModuleHandleA(nullptr), nullptr);
  SetForegroundWindow(main);
  SetFocus(edit);
  ASSERT_EQ(GetFocus(), edit);
  plan = {{Act::click, 1}};
  info_message(nullptr, "no owner");
  EXPECT_EQ(GetFocus(), edit);
  seen = Seen();
  next_step = 0;
  info_message(main, "with owner");
  EXPECT_EQ(seen.boxes, 1);
  EXPECT_EQ(GetFocus(), edit);
}

TEST_F(OwnBox, FocusGoesToTheOwnerWhenNoneWasFocused) {
  HWND owner = window("owner");
  SetForegroundWindow(owner);
  SetFocus(nullptr);
  ASSERT_EQ(GetFocus(), nullptr);
  plan = {{Act::click, 1}};
  info_message(owner, "owner gets the focus");
  EXPECT_EQ(GetFocus(), owner);
}

TEST_F(OwnBox, NoFocusAndNoOwnerLeavesNoFocus) {
  SetFocus(nullptr);
  ASSERT_EQ(GetFocus(), nullptr);
  plan = {{Act::click, 1}};
  info_message(nullptr, "SetFocus(NULL)");
  EXPECT_EQ(seen.boxes, 1);
  EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(OwnBox, LongTitleAndLongMessageStillGiveAWorkingBox) {
  const std::string title(3000, 'T');
  std::string text;
  for (int i = 0; i < 250; ++i)
    text += "A long message line of some forty characters.\r\n";
  dlglib_settings.title = title.c_str();
  plan = {{Act::command, 3}, {Act::click, 1}};
  EXPECT_EQ(info_message(nullptr, text.c_str()), 1);
  EXPECT_EQ(seen.boxes, 1);
  EXPECT_EQ(seen.caption_length, 957);
  EXPECT_EQ(seen.text_length, 1000);
  EXPECT_EQ(seen.text, text.substr(0, 1000));
  EXPECT_EQ(seen.button_ids, std::vector<int>({1}));
  EXPECT_EQ(seen.open_after_step, std::vector<bool>({true, false}));

  seen = Seen();
  next_step = 0;
  plan = {{Act::click, 7}};
  EXPECT_EQ(message_box(nullptr, text.c_str(), MB_YESNOCANCEL), 7);
  EXPECT_EQ(seen.caption_length, 918);
  EXPECT_EQ(seen.button_ids, std::vector<int>({6, 7, 2}));
}

TEST_F(OwnBox, UnsetTitleGivesAnEmptyCaption) {
  dlglib_settings.title = nullptr; // a title that was never set shows as empty
  plan = {{Act::click, 1}};
  EXPECT_EQ(info_message(nullptr, "untitled"), 1);
  EXPECT_EQ(seen.caption, "");
  EXPECT_EQ(seen.text, "untitled");
}

// --- the template through MultiByteToWideChar ---------------------------------

TEST(OwnBoxTemplate, RealConversionGivesTheSameBytesForAsciiText) {
  std::vector<unsigned char> real(message_template_size, 0), portable(message_template_size, 0);
  const int a = build_message_template(real.data(), message_template_size, title21,
                                       "Not enough memory!", 64, ansi_to_utf16);
  const int b = build_message_template(portable.data(), message_template_size, title21,
                                       "Not enough memory!", 64, single_byte_to_utf16);
  EXPECT_EQ(a, 164);
  EXPECT_EQ(a, b);
  EXPECT_EQ(real, portable);
}

TEST(OwnBoxTemplate, DegreeSignInCodePage1252) {
  if (GetACP() != 1252) GTEST_SKIP() << "ANSI code page " << GetACP();
  std::vector<unsigned char> buf(64, 0);
  EXPECT_EQ(write_dialog_header(buf.data(), 0, 0, 0, 0, 0, 0, "22\xB0\x80", 64, ansi_to_utf16), 32);
  EXPECT_EQ(buf[26] | (buf[27] << 8), 0x00B0);
  EXPECT_EQ(buf[28] | (buf[29] << 8), 0x20AC); // the euro sign of 1252
}

} // namespace
