// The message box service through the platform's box: what the
// user sees (caption and text), task-modality without an owner, the owner
// disabled with one, and the focus given back afterwards. A WH_CBT hook
// finds the box at HCBT_ACTIVATE; under Wine that can come before the box's
// WM_INITDIALOG has filled in the text (when another window was active), so
// the box is read from a thread timer, inside its modal loop, once it is
// shown, and then closed with a posted command.
#include <gtest/gtest.h>

#include <string>

#include "dlglib/dlglib.h"
#include "dlglib/message_layout.h"
#include "tests/win/support.h"

namespace {

const char title[] = "Vexlin PMV  calculator";

struct Seen {
  int boxes = 0;
  HWND box = nullptr;
  std::string caption, text, ok_caption;
  HWND box_owner = nullptr;
  bool bystander_enabled = false; // another top-level window of the thread
  bool owner_enabled = false;
};
Seen seen;
HWND bystander, owner_window;
HHOOK hook;
UINT_PTR timer;
int answer = IDOK; // the command that closes the box

std::string item_text(HWND dialog, int id) {
  char buf[512] = "";
  GetDlgItemTextA(dialog, id, buf, sizeof buf);
  return buf;
}

bool shown_button(HWND dialog, int id) {
  HWND b = GetDlgItem(dialog, id);
  return b != nullptr && IsWindowVisible(b);
}

void CALLBACK read_and_close(HWND, UINT, UINT_PTR, DWORD) {
  HWND w = seen.box;
  if (!IsWindowVisible(w)) return; // not up yet: next tick
  KillTimer(nullptr, timer);
  seen.caption = window_text(w);
  seen.text = item_text(w, 0xFFFF);
  seen.ok_caption = shown_button(w, IDOK) ? item_text(w, IDOK) : "";
  seen.box_owner = GetWindow(w, GW_OWNER);
  seen.bystander_enabled = IsWindowEnabled(bystander) != 0;
  seen.owner_enabled = owner_window != nullptr && IsWindowEnabled(owner_window) != 0;
  PostMessageA(w, WM_COMMAND, static_cast<WPARAM>(answer), 0);
}

LRESULT CALLBACK watch_box(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_ACTIVATE) {
    HWND w = reinterpret_cast<HWND>(wparam);
    if (is_message_box(w) && w != seen.box) {
      ++seen.boxes;
      seen.box = w;
      timer = SetTimer(nullptr, 0, 1, read_and_close);
    }
  }
  return CallNextHookEx(hook, code, wparam, lparam);
}

class PlatformBox : public ::testing::Test {
protected:
  void SetUp() override {
    dlglib_init(GetModuleHandleA(nullptr));
    dlglib_settings.title = title;
    dlglib_settings.use_own_box = 0;
    seen = Seen();
    answer = IDOK;
    bystander = top_level("bystander");
    owner_window = nullptr;
    hook = SetWindowsHookExA(WH_CBT, watch_box, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
  }
  void TearDown() override {
    KillTimer(nullptr, timer);
    UnhookWindowsHookEx(hook);
    DestroyWindow(bystander);
    if (owner_window != nullptr) DestroyWindow(owner_window);
  }
};

TEST_F(PlatformBox, InfoMessageShowsTheTextUnderTheTitle) {
  for (const char *text : {"Not enough memory!", "10.00 ... 30.00 !"}) {
    seen = Seen();
    EXPECT_EQ(info_message(nullptr, text), IDOK);
    EXPECT_EQ(seen.boxes, 1);
    EXPECT_EQ(seen.caption, title);
    EXPECT_EQ(seen.text, text);
  }
}

TEST_F(PlatformBox, WithoutOwnerTheBoxIsTaskModal) {
  // 0x2040: the thread's other top-level windows are disabled meanwhile
  ASSERT_TRUE(IsWindowEnabled(bystander));
  info_message(nullptr, "task-modal");
  EXPECT_EQ(seen.boxes, 1);
  EXPECT_FALSE(seen.bystander_enabled);
  EXPECT_EQ(seen.box_owner, nullptr);
  EXPECT_TRUE(IsWindowEnabled(bystander)); // and enabled again afterwards
}

TEST_F(PlatformBox, ProbeSeesABoxThatIsNotTaskModal) {
  // the probe above can fail: a plain box without owner leaves others enabled
  MessageBoxA(nullptr, "not task-modal", title, MB_OK | MB_ICONINFORMATION);
  EXPECT_EQ(seen.boxes, 1);
  EXPECT_TRUE(seen.bystander_enabled);
}

TEST_F(PlatformBox, WithOwnerOnlyTheOwnerIsDisabled) {
  // 64: application-modal on the owner, other windows keep taking input
  owner_window = top_level("owner");
  EXPECT_EQ(info_message(owner_window, "owned"), IDOK);
  EXPECT_EQ(seen.boxes, 1);
  EXPECT_EQ(seen.box_owner, owner_window);
  EXPECT_FALSE(seen.owner_enabled);
  EXPECT_TRUE(seen.bystander_enabled);
  EXPECT_EQ(seen.caption, title);
  EXPECT_EQ(seen.text, "owned");
  EXPECT_TRUE(IsWindowEnabled(owner_window));
}

TEST_F(PlatformBox, MessageBoxPassesTheButtonTypeOn) {
  answer = IDNO;
  EXPECT_EQ(message_box(nullptr, "question", MB_YESNO | MB_ICONQUESTION), IDNO);
  EXPECT_EQ(seen.boxes, 1);
  EXPECT_EQ(seen.text, "question");
  EXPECT_EQ(seen.ok_caption, ""); // Yes and No, no OK button shown
}

TEST_F(PlatformBox, NoTemplateIsBuiltWithTheSwitchAtZero) {
  button_count = 0;
  info_message(nullptr, "platform");
  EXPECT_EQ(button_count, 0);        // the in-memory box chose no buttons
  EXPECT_NE(seen.ok_caption, "&Ok"); // the platform's own caption
  EXPECT_FALSE(seen.ok_caption.empty());
}

// --- the focus -----------------------------------------------------------------

struct FocusWindows {
  HWND main, edit;
  FocusWindows() {
    main = top_level("main");
    edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, main,
                           reinterpret_cast<HMENU>(5), GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(main);
    SetFocus(edit);
  }
  ~FocusWindows() { DestroyWindow(main); }
};

TEST_F(PlatformBox, FocusIsGivenBackAfterTheBox) {
  FocusWindows w;
  ASSERT_EQ(GetFocus(), w.edit);
  info_message(nullptr, "focus");
  EXPECT_EQ(seen.boxes, 1);
  EXPECT_EQ(GetFocus(), w.edit);
  info_message(w.main, "focus with owner");
  EXPECT_EQ(seen.boxes, 2);
  EXPECT_EQ(GetFocus(), w.edit);
}

TEST_F(PlatformBox, ProbeSeesTheFocusMovedByAPlainBox) {
  // without the service the focus does not come back to the field
  FocusWindows w;
  ASSERT_EQ(GetFocus(), w.edit);
  MessageBoxA(nullptr, "focus", title, MB_OK | MB_TASKMODAL);
  EXPECT_EQ(seen.boxes, 1);
  EXPECT_NE(GetFocus(), w.edit);
}

} // namespace
