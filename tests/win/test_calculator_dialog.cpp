// The calculator dialog with its real procedure, created from the program's
// own template: modeless for most tests, driven with SetDlgItemTextA,
// WM_COMMAND and keys through IsDialogMessage; modal through
// run_main_dialog for the keys at opening. Message boxes are caught with a
// CBT hook, read, and closed with OK. Files go to a fresh folder per test.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "app/app_win.h"
#include "app/comfort_case.h"
#include "app/resource.h"
#include "dlglib/dlglib.h"
#include "model/comfort_model.h"
#include "tests/win/support.h"

namespace {

const char *const dialog_caption = "Vexlin PMV  calculator";
const char *const app_title = "Vexlin PMV calculator";

const int input_ids[] = {IDC_MET, IDC_CLO, IDC_TA, IDC_TR, IDC_VEL, IDC_RH};
const int field_ids[] = {IDC_MET, IDC_CLO, IDC_TA, IDC_TR, IDC_VEL, IDC_RH, IDC_PMV, IDC_PPD};

struct Box {
  HWND window;
  HWND owner;
  std::string caption;
  std::string text;
};
std::vector<Box> boxes;
HHOOK cbt_hook;
// The calculator dialog of a modal test, and what to press once it is up.
HWND modal_dialog;
WPARAM modal_key;

BOOL CALLBACK collect_static_text(HWND child, LPARAM out) {
  if (class_of(child) == "Static" && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) {
    std::string &text = *reinterpret_cast<std::string *>(out);
    text += window_text(child);
  }
  return TRUE;
}

// Ends a modal dialog that the key did not end, so that a fault fails the
// test instead of hanging it.
void CALLBACK watchdog(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  if (IsWindow(modal_dialog)) EndDialog(modal_dialog, 99);
}

// Records every message box when it is activated and answers it with OK;
// presses the key of a modal test when the calculator dialog comes up.
LRESULT CALLBACK cbt_proc(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_ACTIVATE) {
    const HWND window = reinterpret_cast<HWND>(wparam);
    const std::string caption = window_text(window);
    if (caption == dialog_caption) {
      if (modal_key != 0 && modal_dialog == nullptr) {
        modal_dialog = window;
        PostMessageA(window, WM_KEYDOWN, modal_key, 0);
        SetTimer(nullptr, 0, 5000, watchdog);
      }
    } else if (class_of(window) == "#32770" && (boxes.empty() || boxes.back().window != window)) {
      Box box{window, GetWindow(window, GW_OWNER), caption, ""};
      EnumChildWindows(window, collect_static_text, reinterpret_cast<LPARAM>(&box.text));
      boxes.push_back(box);
      PostMessageA(window, WM_COMMAND, IDOK, 0);
    }
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

std::string ini(const char *tr, const char *rh, const char *v, const char *met, const char *clo,
                const char *mrt, const char *pmv, const char *ppd) {
  return std::string("[LASTVALUES]\r\n") + "Tr=" + tr + "\r\nRH=" + rh + "\r\nv=" + v +
         "\r\nmet=" + met + "\r\nclo=" + clo + "\r\nmrt=" + mrt + "\r\npmv=" + pmv +
         "\r\nppd=" + ppd + "\r\n";
}

const std::string default_ini =
    ini("24.50", "50.00", "0.08", "1.00", "1.00", "24.50", "0.00", "95.00");

class CalculatorDialog : public ::testing::Test {
protected:
  std::string folder;
  HWND dialog = nullptr;

  void SetUp() override {
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    folder = std::string(temp) + "calculator_dialog_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    DeleteFileA(ini_path().c_str());
    DeleteFileA(report_path().c_str());

    std::memset(&app_context, 0, sizeof app_context);
    std::memcpy(app_context.title, app_title, std::strlen(app_title) + 1);
    std::snprintf(app_context.program_dir, path_size, "%s", folder.c_str());
    std::snprintf(app_context.settings_path, path_size, "%s", ini_path().c_str());
    dlglib_init(GetModuleHandleA(nullptr));
    dlglib_settings.title = app_context.title;
    report_started = false;
    comfort = ComfortCase{};
    boxes.clear();
    modal_dialog = nullptr;
    modal_key = 0;
    cbt_hook = SetWindowsHookExA(WH_CBT, cbt_proc, nullptr, GetCurrentThreadId());
    ASSERT_NE(cbt_hook, nullptr);
  }

  void TearDown() override {
    if (dialog != nullptr) DestroyWindow(dialog);
    UnhookWindowsHookEx(cbt_hook);
    DeleteFileA(ini_path().c_str());
    DeleteFileA(report_path().c_str());
    RemoveDirectoryA(folder.c_str());
  }

  std::string ini_path() const { return folder + "\\pmv_calc.ini"; }
  std::string report_path() const { return folder + "/pmv_data.txt"; }

  // Start-up as the program does it: the settings file, the last values,
  // then the dialog.
  void open(const std::string &settings = "") {
    write_bytes(ini_path(), settings);
    load_last_values();
    dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_CALCULATOR),
                                nullptr, calculator_dialog_proc, 0);
    ASSERT_NE(dialog, nullptr);
    ShowWindow(dialog, SW_SHOW);
    SetForegroundWindow(dialog);
    pump();
  }

  void pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (dialog == nullptr || !IsDialogMessageA(dialog, &msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
    }
  }

  // A key as the dialog's message loop would see it.
  void key(WPARAM vk) {
    MSG msg{GetFocus(), WM_KEYDOWN, vk, 0, 0, {}};
    if (!IsDialogMessageA(dialog, &msg)) DispatchMessageA(&msg);
    pump();
  }

  void command(int id) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    pump();
  }

  void type(int id, const char *text) { SetDlgItemTextA(dialog, id, text); }

  void type_inputs(const char *met, const char *clo, const char *ta, const char *tr,
                   const char *vel, const char *rh) {
    const char *texts[] = {met, clo, ta, tr, vel, rh};
    for (int i = 0; i < 6; ++i)
      type(input_ids[i], texts[i]);
  }

  std::string shown(int id) const { return window_text(GetDlgItem(dialog, id)); }

  std::vector<std::string> all_shown() const {
    std::vector<std::string> texts;
    for (const int id : field_ids)
      texts.push_back(shown(id));
    return texts;
  }

  bool ended() const { return !IsWindowVisible(dialog); }
  int focused_id() const { return GetDlgCtrlID(GetFocus()); }

  // Whole text selected.
  bool all_selected(int id) const {
    DWORD start = 1, end = 0;
    SendDlgItemMessageA(dialog, id, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                        reinterpret_cast<LPARAM>(&end));
    return start == 0 && end == shown(id).size();
  }
};

const std::vector<std::string> defaults_shown = {" 1.0", " 1.0", "24.5", "24.5",
                                                 "0.08", "50.0", "0.00", "95.0"};

TEST_F(CalculatorDialog, OpensWithTheDefaultsCentredAndFocusOnClose) {
  open();
  EXPECT_EQ(window_text(dialog), dialog_caption);
  EXPECT_EQ(all_shown(), defaults_shown);
  EXPECT_EQ(focused_id(), IDC_CLOSE);
  // "Close" is the default button while it has the focus.
  EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_CLOSE, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON,
            DLGC_DEFPUSHBUTTON);

  RECT r;
  GetWindowRect(dialog, &r);
  const int w = r.right - r.left;
  const int h = r.bottom - r.top;
  EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - w) / 2);
  EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 20 - h) / 2);
  EXPECT_TRUE(boxes.empty());
}

TEST_F(CalculatorDialog, EnterAtOnceAfterOpeningPressesClose) {
  open();
  key(VK_RETURN);
  EXPECT_TRUE(ended());
  EXPECT_EQ(read_bytes(ini_path()), default_ini);
  EXPECT_TRUE(boxes.empty());
}

TEST_F(CalculatorDialog, TabSelectsAFieldAndEnterThereDoesNothing) {
  open();
  key(VK_TAB);
  EXPECT_EQ(focused_id(), IDC_MET);
  EXPECT_TRUE(all_selected(IDC_MET));
  key(VK_RETURN);
  EXPECT_FALSE(ended());
  EXPECT_EQ(read_bytes(ini_path()), "");
  EXPECT_EQ(read_bytes(report_path()), "<missing>");
}

TEST_F(CalculatorDialog, EnterOnTheFocusedExecuteButtonRunsExecute) {
  open();
  key(VK_TAB);
  type_inputs("1.2", "0.5", "22", "22", "0.1", "50");
  for (int i = 0; i < 6; ++i)
    key(VK_TAB);
  ASSERT_EQ(focused_id(), IDC_EXECUTE);
  key(VK_RETURN);
  EXPECT_FALSE(ended());
  EXPECT_EQ(shown(IDC_PMV), "-0.80");
  EXPECT_EQ(read_bytes(report_path()), std::string(example_report));
}

TEST_F(CalculatorDialog, EscapeEndsWithoutSaving) {
  open();
  type(IDC_MET, "2.0");
  key(VK_ESCAPE);
  EXPECT_TRUE(ended());
  EXPECT_EQ(read_bytes(ini_path()), "");
  EXPECT_EQ(comfort.met, 1.0);
}

TEST_F(CalculatorDialog, CommandsActWhateverTheirNotificationCode) {
  open();
  // IDOK, which Enter sends outside a push button, does nothing; every
  // WM_COMMAND is answered TRUE, every other message FALSE.
  EXPECT_EQ(calculator_dialog_proc(dialog, WM_COMMAND, IDOK, 0), TRUE);
  EXPECT_EQ(calculator_dialog_proc(dialog, WM_COMMAND, MAKEWPARAM(IDC_MET, EN_CHANGE), 0), TRUE);
  EXPECT_EQ(calculator_dialog_proc(dialog, WM_COMMAND, 4711, 0), TRUE);
  EXPECT_EQ(calculator_dialog_proc(dialog, WM_USER, 0, 0), FALSE);
  EXPECT_FALSE(ended());
  EXPECT_EQ(read_bytes(ini_path()), "");
  EXPECT_EQ(read_bytes(report_path()), "<missing>");

  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_CLOSE, EN_SETFOCUS), 0);
  EXPECT_TRUE(ended());
  EXPECT_EQ(read_bytes(ini_path()), default_ini);
}

TEST_F(CalculatorDialog, ExecuteShowsResultsWritesTheReportAndCopiesIt) {
  open();
  set_clipboard_text("marker");
  type_inputs("1.2", "0,5", "22", "22", "0.1", "50");
  command(IDC_EXECUTE);
  EXPECT_TRUE(boxes.empty());
  const std::vector<std::string> expected = {" 1.2", " 0.5", "22.0",  "22.0",
                                             "0.10", "50.0", "-0.80", "18.6"};
  EXPECT_EQ(all_shown(), expected);
  const std::string first = std::string(example_report);
  EXPECT_EQ(read_bytes(report_path()), first);
  EXPECT_EQ(clipboard_text(), first);

  // The second report of the process starts with one empty line.
  command(IDC_EXECUTE);
  EXPECT_EQ(read_bytes(report_path()), "\r\n" + first);
  EXPECT_EQ(clipboard_text(), "\r\n" + first);
  EXPECT_FALSE(ended());
}

struct Reading {
  int id;
  const char *text;
  bool accepted;
  double value;        // when accepted
  const char *message; // when refused
};

// Which texts a field takes is tested natively; here, each way through the
// dialog: a value stored, or the range shown with the field selected.
const Reading readings[] = {
    {IDC_CLO, "1,5", true, 1.5, nullptr},
    {IDC_CLO, "  2.0  ", true, 2.0, nullptr},
    {IDC_CLO, "2.0abc", true, 2.0, nullptr},
    {IDC_TA, "1e1", true, 10.0, nullptr},
    {IDC_CLO, "", true, 0.0, nullptr},
    {IDC_VEL, "   ", true, 0.0, nullptr},
    {IDC_CLO, "0.0", true, 0.0, nullptr},
    {IDC_RH, "100.0", true, 100.0, nullptr},
    {IDC_MET, "4", true, 4.0, nullptr},
    {IDC_MET, "0.8", true, 0.8, nullptr},
    {IDC_VEL, "1.0", true, 1.0, nullptr},
    {IDC_VEL, "0", true, 0.0, nullptr},
    {IDC_TR, "40", true, 40.0, nullptr},
    {IDC_TR, "+10", true, 10.0, nullptr},
    {IDC_MET, "", false, 0, "0.80 ... 4.00 !"},
    {IDC_MET, "   ", false, 0, "0.80 ... 4.00 !"},
    {IDC_MET, "abc", false, 0, "0.80 ... 4.00 !"},
    {IDC_MET, "inf", false, 0, "0.80 ... 4.00 !"},
    {IDC_CLO, "0x1", true, 0.0, nullptr}, // no hexadecimal form: the 0 is read
    {IDC_MET, "0.79", false, 0, "0.80 ... 4.00 !"},
    {IDC_MET, "4.01", false, 0, "0.80 ... 4.00 !"},
    {IDC_CLO, "2.01", false, 0, "0.00 ... 2.00 !"},
    {IDC_CLO, "-0.1", false, 0, "0.00 ... 2.00 !"},
    {IDC_TA, "1e2", false, 0, "10.00 ... 30.00 !"},
    {IDC_TR, "40.01", false, 0, "10.00 ... 40.00 !"},
    {IDC_VEL, "1.01", false, 0, "0.00 ... 1.00 !"},
    {IDC_RH, "0", false, 0, "1.00 ... 100.00 !"},
    {IDC_RH, "0.5", false, 0, "1.00 ... 100.00 !"},
};

double *field_of(int id) { return &(comfort.*find_case_field(id)->member); }

TEST_F(CalculatorDialog, ReadsEachFieldTextAndRefusesWithTheRange) {
  open();
  for (const Reading &r : readings) {
    SCOPED_TRACE(std::to_string(r.id) + " \"" + r.text + "\"");
    boxes.clear();
    DeleteFileA(report_path().c_str());
    type_inputs("1.2", "0.5", "22", "22", "0.1", "50");
    command(IDC_EXECUTE); // a known case before each reading
    ASSERT_TRUE(boxes.empty());
    const double pmv_before = comfort.pmv;
    const std::vector<std::string> results_before = {shown(IDC_PMV), shown(IDC_PPD)};
    DeleteFileA(report_path().c_str());

    *field_of(r.id) = -123.0;
    type(r.id, r.text);
    command(IDC_EXECUTE);
    if (r.accepted) {
      EXPECT_TRUE(boxes.empty());
      EXPECT_EQ(*field_of(r.id), r.value);
      EXPECT_NE(read_bytes(report_path()), "<missing>");
    } else {
      ASSERT_EQ(boxes.size(), 1u);
      EXPECT_EQ(boxes[0].text, r.message);
      EXPECT_EQ(boxes[0].caption, app_title);
      EXPECT_EQ(boxes[0].owner, dialog);
      EXPECT_EQ(*field_of(r.id), -123.0) << "a refused field keeps its value";
      EXPECT_EQ(focused_id(), r.id);
      EXPECT_TRUE(all_selected(r.id));
      EXPECT_EQ(shown(r.id), r.text) << "the text stays as typed";
      EXPECT_EQ(comfort.pmv, pmv_before);
      const std::vector<std::string> results_after = {shown(IDC_PMV), shown(IDC_PPD)};
      EXPECT_EQ(results_after, results_before);
      EXPECT_EQ(read_bytes(report_path()), "<missing>");
    }
    EXPECT_FALSE(ended());
  }
}

TEST_F(CalculatorDialog, OnlyTheFirstBadFieldIsReportedAndCloseSavesTheOnesBefore) {
  open();
  type_inputs("2.0", "5", "20", "30", "0.5", "0");
  command(IDC_EXECUTE);
  ASSERT_EQ(boxes.size(), 1u) << "only the first bad field is reported";
  EXPECT_EQ(boxes[0].text, "0.00 ... 2.00 !");
  EXPECT_EQ(comfort.met, 2.0);
  EXPECT_EQ(comfort.clo, 1.0);
  EXPECT_EQ(comfort.ta, 24.5) << "fields after the bad one are not read";
  EXPECT_EQ(all_shown()[6], "0.00");
  EXPECT_EQ(read_bytes(report_path()), "<missing>");

  // "Close" is silent with the bad field and saves what the case holds.
  boxes.clear();
  command(IDC_CLOSE);
  EXPECT_TRUE(boxes.empty());
  EXPECT_TRUE(ended());
  EXPECT_EQ(read_bytes(ini_path()),
            ini("24.50", "50.00", "0.08", "2.00", "1.00", "24.50", "0.00", "95.00"));
}

TEST_F(CalculatorDialog, CloseSavesTheLastComputedResults) {
  open();
  type_inputs("1.2", "0.5", "22", "22", "0.1", "50");
  command(IDC_EXECUTE);
  type_inputs("1.5", "x", "22", "22", "0.1", "50");
  command(IDC_CLOSE);
  EXPECT_EQ(boxes.size(), 0u);
  EXPECT_TRUE(ended());
  EXPECT_EQ(read_bytes(ini_path()),
            ini("22.00", "50.00", "0.10", "1.50", "0.50", "22.00", "-0.80", "18.58"));
}

TEST_F(CalculatorDialog, EveryFieldTakesSixteenCharactersOfTyping) {
  open();
  for (const int id : field_ids) {
    EXPECT_EQ(SendDlgItemMessageA(dialog, id, EM_GETLIMITTEXT, 0, 0), 16) << id;
  }
  const HWND met = GetDlgItem(dialog, IDC_MET);
  SetWindowTextA(met, "");
  for (int i = 0; i < 17; ++i)
    SendMessageA(met, WM_CHAR, '1', 0);
  EXPECT_EQ(shown(IDC_MET), "1111111111111111");
}

TEST_F(CalculatorDialog, ExtraDecimalsCountUntilTheFieldIsShownAgain) {
  open();
  type_inputs("1.26", "0.5", "22", "22", "0.1", "50");
  command(IDC_EXECUTE);
  double pmv = 0.0;
  ASSERT_EQ(calc_pmv(0.5, 1.26, 0.0, 22.0, 22.0, 0.1, 50.0, pmv), 0);
  EXPECT_EQ(comfort.met, 1.26);
  EXPECT_EQ(comfort.pmv, pmv);
  EXPECT_EQ(shown(IDC_MET), " 1.3");

  command(IDC_EXECUTE);
  ASSERT_EQ(calc_pmv(0.5, 1.3, 0.0, 22.0, 22.0, 0.1, 50.0, pmv), 0);
  EXPECT_EQ(comfort.met, 1.3);
  EXPECT_EQ(comfort.pmv, pmv);
  EXPECT_EQ(comfort.ppd, calc_ppd(pmv));
}

TEST_F(CalculatorDialog, LoadedValuesAreShownRoundedAndCheckedWhenRead) {
  open("[LASTVALUES]\r\nTr=35\r\nmet=0.79\r\n");
  EXPECT_EQ(shown(IDC_TA), "35.0");
  EXPECT_EQ(shown(IDC_MET), " 0.8");
  command(IDC_EXECUTE);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "10.00 ... 30.00 !");
  EXPECT_EQ(comfort.met, 0.8) << "read as the text shown";
  EXPECT_EQ(comfort.ta, 35.0);
  EXPECT_EQ(focused_id(), IDC_TA);
}

TEST_F(CalculatorDialog, HugeLoadedValuesShowBoundedAndAreRefused) {
  open("[LASTVALUES]\r\nTr=1e62\r\nRH=1e61\r\npmv=-1e300\r\nppd=1e999\r\n");
  EXPECT_EQ(shown(IDC_TA), "1e+62");
  EXPECT_EQ(shown(IDC_RH).size(), 63u) << "the longest text a value may show";
  EXPECT_EQ(shown(IDC_PMV), "-1e+300");
  EXPECT_EQ(shown(IDC_PPD), " inf");
  command(IDC_EXECUTE);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "10.00 ... 30.00 !");
  type(IDC_TA, "20");
  boxes.clear();
  command(IDC_EXECUTE);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "1.00 ... 100.00 !");
}

// The modal road of the program: run_main_dialog loads the last values and
// runs the dialog until a key ends it.
struct ModalCase {
  WPARAM key;
  const char *saved;
};

TEST_F(CalculatorDialog, ModalDialogEndsWithTwoByEnterOrEscape) {
  const ModalCase cases[] = {{VK_RETURN, default_ini.c_str()}, {VK_ESCAPE, ""}};
  for (const ModalCase &c : cases) {
    SCOPED_TRACE(c.key);
    write_bytes(ini_path(), "");
    comfort = ComfortCase{};
    modal_dialog = nullptr;
    modal_key = c.key;
    EXPECT_EQ(run_main_dialog(nullptr), 2);
    EXPECT_NE(modal_dialog, nullptr);
    EXPECT_EQ(read_bytes(ini_path()), c.saved);
    EXPECT_EQ(comfort.rh, 50.0) << "loaded before the dialog opened";
    EXPECT_TRUE(boxes.empty());
  }
}

} // namespace
