// Faults and limits in process, where the end-to-end tests cannot see the
// results: the report when another program holds "pmv_data.txt" in the middle
// of a run (what write_report returns, whether report_started moves), the
// reading of a field whose text is far longer than the 29 characters read,
// and the longest texts a value can show. Message boxes are caught by a
// WH_CBT hook and counted: none may appear.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "app/app_context.h"
#include "app/app_win.h"
#include "app/comfort_case.h"
#include "app/field_text.h"
#include "app/resource.h"
#include "dlglib/dlglib.h"
#include "tests/win/support.h"

namespace {

class Faults : public ::testing::Test {
protected:
  std::string folder;
  HWND window = nullptr;
  HHOOK hook = nullptr;

  void SetUp() override {
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    folder = std::string(temp) + "fault_limits_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    DeleteFileA(report_path().c_str());
    std::memset(&app_context, 0, sizeof app_context);
    std::snprintf(app_context.title, title_size, "%s", "Vexlin PMV calculator");
    std::snprintf(app_context.program_dir, path_size, "%s", folder.c_str());
    dlglib_init(GetModuleHandleA(nullptr));
    dlglib_settings.title = app_context.title;
    report_started = false;
    seen_boxes.clear();
    hook = SetWindowsHookExA(WH_CBT, box_catcher, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    // A window with the eight fields of the calculator, enough for the
    // field reader and the value display.
    window = CreateWindowA("STATIC", "fields", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr,
                           nullptr);
    ASSERT_NE(window, nullptr);
    for (const CaseField &f : case_fields) {
      CreateWindowA("EDIT", "", WS_CHILD | ES_AUTOHSCROLL, 0, 0, 60, 20, window,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(f.control_id)), nullptr, nullptr);
    }
  }

  void TearDown() override {
    DestroyWindow(window);
    UnhookWindowsHookEx(hook);
    DeleteFileA(report_path().c_str());
    RemoveDirectoryA(folder.c_str());
  }

  std::string report_path() const { return folder + "/pmv_data.txt"; }

  std::string shown(int id) const {
    char text[256] = {};
    GetDlgItemTextA(window, id, text, sizeof text);
    return text;
  }
};

// Another program has "pmv_data.txt" open with a share mode that shuts out
// writers: the report is not written, write_report says so, the clipboard
// keeps what it had, no message. The run goes on as before: the flag of the
// first report stays as it was, so the next report, once the file is free,
// is the first of the process or a later one exactly as without the fault.
TEST_F(Faults, ReportHeldByAnotherProgramIsLeftAsItWas) {
  const DWORD share_modes[] = {0, FILE_SHARE_READ, FILE_SHARE_WRITE};
  for (const bool started : {false, true}) {
    for (const DWORD share : share_modes) {
      SCOPED_TRACE("report_started " + std::to_string(started) + ", share " +
                   std::to_string(share));
      write_bytes(report_path(), "old report\r\n");
      set_clipboard_text("marker");
      report_started = started;
      const HANDLE held = CreateFileA(report_path().c_str(), GENERIC_READ, share, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
      ASSERT_NE(held, INVALID_HANDLE_VALUE);
      EXPECT_EQ(write_report(window, example_case()), -1);
      EXPECT_EQ(report_started, started);
      CloseHandle(held);
      EXPECT_EQ(read_bytes(report_path()), "old report\r\n");
      EXPECT_EQ(clipboard_text(), "marker");
      EXPECT_TRUE(seen_boxes.empty());

      EXPECT_EQ(write_report(window, example_case()), 0);
      const std::string expected = std::string(started ? "\r\n" : "") + example_report;
      EXPECT_EQ(read_bytes(report_path()), expected);
      EXPECT_EQ(clipboard_text(), expected);
    }
  }
}

struct LongText {
  const char *name;
  std::string text;
  bool accepted;
  double value; // when accepted
};

std::string repeat(char c, std::size_t n) { return std::string(n, c); }

// Text that another program put into a field past its typing limit: only
// the first 29 characters are read, whatever follows them.
TEST_F(Faults, OverlongFieldTextIsReadAsItsFirst29Characters) {
  const LongText cases[] = {
      {"29 characters, whole", repeat(' ', 28) + "2", true, 2.0},
      {"a digit in the 30th place is not read", repeat(' ', 28) + "2" + "5", true, 2.0},
      {"zeros then 25 at places 29 and 30", repeat('0', 28) + "25", true, 2.0},
      {"5000 characters", repeat(' ', 28) + "3" + repeat('9', 4971), true, 3.0},
      {"33000 characters", "1.5" + repeat('7', 32997), true, 1.57777777777777777777777777},
      {"a number starting at place 30", repeat(' ', 29) + "2", false, 0},
      {"33000 blanks", repeat(' ', 33000), false, 0},
  };
  for (const LongText &c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(SetDlgItemTextA(window, IDC_MET, c.text.c_str()));
    ASSERT_EQ(shown(IDC_MET).size(), c.text.size() < 255 ? c.text.size() : 255u);
    double met = -1.0;
    EXPECT_EQ(read_input_field(window, IDC_MET, &met, 0.8, 4.0, 0), c.accepted ? 0 : -1);
    EXPECT_EQ(met, c.accepted ? c.value : -1.0);
  }
  EXPECT_TRUE(seen_boxes.empty());
}

struct ShownValue {
  double value;
  int decimals;
  const char *text;
};

// A value loaded from a hand-edited file is shown without a range test: the
// fixed text is used up to 63 characters, beyond that the shortest text
// that reads back as the same double.
TEST_F(Faults, ShownValuesStayWithin63Characters) {
  const std::string digits61 = "9999990000000000384595735401786190299708179717572162786164736";
  const std::string digits60 = "999999000000000002778381222529622003513668735519837869047808";
  const ShownValue cases[] = {
      {9.99999e60, 1, nullptr}, // 61 digits + ".0": 63, the longest fixed text
      {9.99999e59, 2, nullptr}, // 60 digits + ".00": 63
      {-9.99999e60, 1, "-9.99999e+60"},
      {9.99999e60, 2, "9.99999e+60"},
      {9.99999e61, 1, "9.99999e+61"},
      {1.7976931348623157e308, 1, "1.7976931348623157e+308"},
      {-1.7976931348623157e308, 2, "-1.7976931348623157e+308"},
      {4.9406564584124654e-324, 2, "0.00"},
      {-0.0, 2, "-0.00"},
  };
  const std::string longest[] = {digits61 + ".0", digits60 + ".00"};
  for (const ShownValue &c : cases) {
    SCOPED_TRACE(std::to_string(c.value) + " decimals " + std::to_string(c.decimals));
    show_value(window, IDC_PPD, c.value, field_width, c.decimals);
    const std::string text = shown(IDC_PPD);
    EXPECT_LE(text.size(), 63u);
    EXPECT_EQ(text, c.text != nullptr ? c.text : longest[c.decimals - 1]);
    EXPECT_EQ(SendDlgItemMessageA(window, IDC_PPD, EM_GETLIMITTEXT, 0, 0), field_typing_limit);
  }
}

} // namespace
