// The report file and its copy on the clipboard under Wine: the
// file's exact bytes through the text-mode streams, the empty first line of
// every report after the first of a process, the clipboard text read back
// with GetClipboardData(CF_TEXT), and the failures: another process holding
// the clipboard, a report that cannot be opened, a refused or missing block.
// Any message box is caught by a WH_CBT hook, recorded and closed, so no
// test waits for a user.
#include <gtest/gtest.h>

#include <windows.h>

#include <fcntl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "app/app_win.h"
#include "app/comfort_case.h"
#include "model/comfort_model.h"
#include "tests/win/support.h"

namespace {

const char program_dir[] = "C:\\pmvtest\\rep";
const char report_file[] = "C:\\pmvtest\\rep/pmv_data.txt";
const char holder_variable[] = "PMV_CLIPBOARD_HOLDER";

const char second_report[] = "Vexlin PMV calculator (2003.02)\r\n"
                             "Metabolic rate\t1.00\t[met]\r\n"
                             "Clothing\t1.00\t[clo]\r\n"
                             "Air temperature\t24.50\t[\xB0"
                             "C]\r\n"
                             "Mean radiant temperature\t24.50\t[\xB0"
                             "C]\r\n"
                             "Air velocity\t0.08\t[m/s]\r\n"
                             "Relative humidity\t50.00\t[percent]\r\n"
                             "PMV\t-0.50\t[]\r\n"
                             "PPD\t10.00\t[percent]\r\n";

ComfortCase second_case() { return ComfortCase{24.5, 50.0, 1.0, 1.0, 24.5, 0.08, -0.5, 10.0}; }

// What the code under test asks of the C runtime's files: the main module's
// imports of fopen and _open are replaced by recorders, which can also send
// one path elsewhere. Under Wine a path that starts with '/' names a file of
// the host (Z:), not the root of the current drive as on Windows; the
// redirection keeps the test of the empty program directory inside the prefix.
struct FileCall {
  std::string path;
  std::string mode; // the fopen mode, or "_open" with its flags
  bool operator==(const FileCall &o) const { return path == o.path && mode == o.mode; }
};
std::vector<FileCall> file_calls;
bool recording_files = false;
std::string redirect_from;
std::string redirect_to;

using FopenFunction = std::FILE *(__cdecl *)(const char *, const char *);
using OpenFunction = int(__cdecl *)(const char *, int, ...);
FopenFunction real_fopen = nullptr;
OpenFunction real_open = nullptr;

const char *redirected(const char *path) {
  return !redirect_from.empty() && redirect_from == path ? redirect_to.c_str() : path;
}

std::FILE *__cdecl recording_fopen(const char *path, const char *mode) {
  if (recording_files) file_calls.push_back({path, mode});
  return real_fopen(redirected(path), mode);
}

int __cdecl recording_open(const char *path, int flags, ...) {
  if (recording_files) file_calls.push_back({path, "_open " + std::to_string(flags)});
  return real_open(redirected(path), flags);
}

void install_file_recorders() {
  if (real_fopen != nullptr) return;
  real_fopen = reinterpret_cast<FopenFunction>(
      patch_import("fopen", reinterpret_cast<void *>(&recording_fopen)));
  real_open = reinterpret_cast<OpenFunction>(
      patch_import("_open", reinterpret_cast<void *>(&recording_open)));
}

// Waits for `object` while handling this thread's messages: the other process
// may ask the clipboard's owner (a window of this thread) for its data.
bool wait_pumping(HANDLE object, DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= timeout_ms) return false;
    const DWORD r = MsgWaitForMultipleObjects(1, &object, FALSE, timeout_ms - elapsed, QS_ALLINPUT);
    if (r == WAIT_OBJECT_0) return true;
    if (r != WAIT_OBJECT_0 + 1) return false;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
}

// Another process that holds the clipboard open: this test program again,
// running only the disabled test ClipboardHolder.DISABLED_HoldOpen below.
class ClipboardHeldElsewhere {
public:
  ClipboardHeldElsewhere() {
    const std::string tag = std::to_string(GetCurrentProcessId());
    const std::string held_name = "pmv_clipboard_held_" + tag;
    const std::string release_name = "pmv_clipboard_release_" + tag;
    held_ = CreateEventA(nullptr, TRUE, FALSE, held_name.c_str());
    release_ = CreateEventA(nullptr, TRUE, FALSE, release_name.c_str());
    char exe[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string command = std::string("\"") + exe +
                          "\" --gtest_also_run_disabled_tests"
                          " --gtest_filter=ClipboardHolder.DISABLED_HoldOpen --gtest_brief=1";
    SetEnvironmentVariableA(holder_variable, (held_name + "|" + release_name).c_str());
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    started_ = CreateProcessA(exe, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              &startup, &process_) != 0;
    SetEnvironmentVariableA(holder_variable, nullptr);
    if (started_) {
      CloseHandle(process_.hThread);
      holding_ = wait_pumping(held_, 30000);
    }
  }
  ~ClipboardHeldElsewhere() { release(); }
  bool holding() const { return holding_; }
  // Lets the other process close the clipboard and end; its exit code.
  DWORD release() {
    if (!started_) return 1;
    SetEvent(release_);
    wait_pumping(process_.hProcess, 30000);
    DWORD code = 1;
    GetExitCodeProcess(process_.hProcess, &code);
    CloseHandle(process_.hProcess);
    CloseHandle(held_);
    CloseHandle(release_);
    started_ = false;
    return code;
  }

private:
  HANDLE held_ = nullptr;
  HANDLE release_ = nullptr;
  PROCESS_INFORMATION process_{};
  bool started_ = false;
  bool holding_ = false;
};

TEST(ClipboardHolder, DISABLED_HoldOpen) {
  char names[200] = {};
  ASSERT_GT(GetEnvironmentVariableA(holder_variable, names, sizeof names), 0u)
      << "only run by the report tests";
  const std::string both = names;
  const std::string held_name = both.substr(0, both.find('|'));
  const std::string release_name = both.substr(both.find('|') + 1);
  HANDLE held = OpenEventA(EVENT_MODIFY_STATE, FALSE, held_name.c_str());
  HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, release_name.c_str());
  ASSERT_NE(held, nullptr);
  ASSERT_NE(release, nullptr);
  ASSERT_TRUE(OpenClipboard(nullptr));
  SetEvent(held);
  EXPECT_EQ(WaitForSingleObject(release, 30000), WAIT_OBJECT_0);
  CloseClipboard();
}

class Report : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(enter_scratch_folder(program_dir));
    DeleteFileA(report_file);
    app_init(GetModuleHandleA(nullptr)); // the title for messages
    set_path(app_context.program_dir, program_dir);
    owner = CreateWindowA("STATIC", "report owner", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                          nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    seen_boxes.clear();
    hook = SetWindowsHookExA(WH_CBT, box_catcher, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    install_file_recorders();
    ASSERT_NE(real_fopen, nullptr);
    ASSERT_NE(real_open, nullptr);
    file_calls.clear();
    redirect_from.clear();
    recording_files = true;
    report_started = false; // a new process
  }
  void TearDown() override {
    recording_files = false;
    redirect_from.clear();
    UnhookWindowsHookEx(hook);
    DestroyWindow(owner);
    DeleteFileA(report_file);
    leave_scratch_folder();
  }
  HWND owner = nullptr;
  HHOOK hook = nullptr;
};

TEST_F(Report, FirstReportOfAProcessStartsWithTheHeader) {
  EXPECT_EQ(write_report(owner, example_case()), 0);
  EXPECT_EQ(read_bytes(report_file), example_report);
  EXPECT_TRUE(report_started);
  bool zero_tail = false;
  EXPECT_EQ(clipboard_text(&zero_tail), example_report);
  EXPECT_TRUE(zero_tail);
  EXPECT_EQ(GetClipboardOwner(), owner);
  EXPECT_TRUE(seen_boxes.empty());
}

TEST_F(Report, LaterReportsStartWithOneEmptyLine) {
  ASSERT_EQ(write_report(owner, example_case()), 0);
  EXPECT_EQ(write_report(owner, second_case()), 0);
  const std::string expected = std::string("\r\n") + second_report;
  EXPECT_EQ(read_bytes(report_file), expected);
  EXPECT_EQ(clipboard_text(), expected);
  // The report never accumulates: a third is again one empty line and one case.
  EXPECT_EQ(write_report(owner, example_case()), 0);
  EXPECT_EQ(read_bytes(report_file), std::string("\r\n") + example_report);
  EXPECT_EQ(clipboard_text(), std::string("\r\n") + example_report);
}

TEST_F(Report, NewRunStartsWithTheHeaderAgain) {
  ASSERT_EQ(write_report(owner, example_case()), 0);
  ASSERT_EQ(write_report(owner, second_case()), 0); // leaves "\r\n..." behind
  report_started = false;                           // the next run
  EXPECT_EQ(write_report(owner, second_case()), 0);
  EXPECT_EQ(read_bytes(report_file), second_report);
  EXPECT_EQ(clipboard_text(), second_report);
}

TEST_F(Report, AnotherProcessHoldsTheClipboard) {
  set_clipboard_text("held before", owner);
  ClipboardHeldElsewhere other;
  ASSERT_TRUE(other.holding());
  EXPECT_EQ(write_report(owner, example_case()), -1);
  EXPECT_EQ(read_bytes(report_file), example_report); // the file is written
  EXPECT_TRUE(seen_boxes.empty());                    // silently
  EXPECT_EQ(other.release(), 0u);
  EXPECT_EQ(clipboard_text(), "held before"); // the clipboard keeps its content
}

TEST_F(Report, StreamsAndModesOfOneReport) {
  const std::string path = report_file;
  const std::string open_flags = "_open " + std::to_string(_O_RDONLY | _O_BINARY);
  ASSERT_EQ(write_report(owner, example_case()), 0);
  // The first report: the reset, then the header truncates again.
  std::vector<FileCall> expected = {{path, "w+t"}, {path, "w+t"}};
  for (int i = 0; i < 8; ++i)
    expected.push_back({path, "a+t"});
  expected.push_back({path, open_flags});
  EXPECT_EQ(file_calls, expected);
  // A later one: the header is appended after the reset's line feed.
  file_calls.clear();
  ASSERT_EQ(write_report(owner, example_case()), 0);
  expected = {{path, "w+t"}};
  for (int i = 0; i < 9; ++i)
    expected.push_back({path, "a+t"});
  expected.push_back({path, open_flags});
  EXPECT_EQ(file_calls, expected);
}

TEST_F(Report, EmptyProgramDirectoryGivesSlashPmvData) {
  // On Windows "/pmv_data.txt" is in the root of the current drive; under
  // Wine it would be the host's root, so that one path is sent to a file of
  // the prefix and the test checks the path that the report asked for.
  const std::string stand_in = std::string(program_dir) + "\\root_report.txt";
  DeleteFileA(stand_in.c_str());
  redirect_from = "/pmv_data.txt";
  redirect_to = stand_in;
  app_context.program_dir[0] = '\0';
  EXPECT_EQ(write_report(owner, example_case()), 0);
  ASSERT_FALSE(file_calls.empty());
  for (const FileCall &call : file_calls)
    EXPECT_EQ(call.path, "/pmv_data.txt") << call.mode;
  EXPECT_EQ(file_calls.size(), 11u);
  EXPECT_EQ(read_bytes(stand_in), example_report);
  EXPECT_EQ(clipboard_text(), example_report);
  EXPECT_FALSE(exists(report_file));
  DeleteFileA(stand_in.c_str());
}

TEST_F(Report, ReportThatCannotBeOpenedIsNotWritten) {
  std::string overlong = std::string(program_dir) + "\\";
  overlong += std::string(248 - overlong.size(), 'd'); // 248 + "/pmv_data.txt" = 261
  for (const std::string &dir : {std::string("C:\\pmvtest\\no such folder"), overlong}) {
    set_clipboard_text("unchanged", owner);
    set_path(app_context.program_dir, dir.c_str());
    EXPECT_EQ(write_report(owner, example_case()), -1) << dir;
    EXPECT_FALSE(exists(dir));
    EXPECT_FALSE(report_started); // no line was written
    EXPECT_EQ(clipboard_text(), "unchanged");
    EXPECT_TRUE(seen_boxes.empty());
  }
}

TEST_F(Report, ResetAndAppendThroughTextStreams) {
  reset_report_file(report_file);
  EXPECT_EQ(read_bytes(report_file), "\r\n");
  append_report_line(report_file, "A\t%0.2lf\t[x]", 1.005); // the double below 1.005
  EXPECT_TRUE(report_started);
  EXPECT_EQ(read_bytes(report_file), "A\t1.00\t[x]\r\n"); // the first line truncates
  append_report_line(report_file, "B\t%0.2lf", -2.5);
  EXPECT_EQ(read_bytes(report_file), "A\t1.00\t[x]\r\nB\t-2.50\r\n");
  reset_report_file(report_file);
  append_report_line(report_file, "C");
  EXPECT_EQ(read_bytes(report_file), "\r\nC\r\n");
}

TEST_F(Report, LineThatCannotBeOpenedLeavesTheFlag) {
  append_report_line(program_dir, "A"); // a directory: no stream opens
  EXPECT_FALSE(report_started);
  EXPECT_TRUE(seen_boxes.empty());
}

TEST_F(Report, CopyFileToClipboardKeepsTheBytes) {
  const std::string bytes = "a\nb\r\nc\xB0\td\r";
  write_bytes(report_file, bytes);
  EXPECT_EQ(copy_file_to_clipboard(owner, report_file), 0);
  EXPECT_EQ(clipboard_text(), bytes); // no translation of line ends
  EXPECT_EQ(GetClipboardOwner(), owner);
}

TEST_F(Report, CopyFileToClipboardFailures) {
  set_clipboard_text("unchanged", owner);
  EXPECT_EQ(copy_file_to_clipboard(owner, "C:\\pmvtest\\rep\\missing.txt"), -2);
  write_bytes(report_file, "");
  EXPECT_EQ(copy_file_to_clipboard(owner, report_file), -3);
  EXPECT_EQ(clipboard_text(), "unchanged");
  EXPECT_TRUE(seen_boxes.empty());
}

TEST_F(Report, ClipboardHeldElsewhereFreesTheBlock) {
  ClipboardHeldElsewhere other;
  ASSERT_TRUE(other.holding());
  HGLOBAL block = nullptr;
  ASSERT_NE(alloc_global_block(16, &block), nullptr);
  GlobalUnlock(block);
  EXPECT_EQ(set_clipboard_text(owner, block), -1);
  EXPECT_EQ(GlobalFlags(block), static_cast<UINT>(GMEM_INVALID_HANDLE));
  EXPECT_EQ(other.release(), 0u);
}

TEST_F(Report, RefusedBlockIsFreed) {
  // A discarded block (size 0): SetClipboardData refuses it under Wine.
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 0);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(set_clipboard_text(owner, block), -1);
  EXPECT_EQ(GlobalFlags(block), static_cast<UINT>(GMEM_INVALID_HANDLE));
  EXPECT_TRUE(seen_boxes.empty());
}

TEST_F(Report, SetClipboardTextHandsTheBlockOver) {
  HGLOBAL block = nullptr;
  char *p = static_cast<char *>(alloc_global_block(8, &block));
  ASSERT_NE(p, nullptr);
  std::memcpy(p, "xyz", 3);
  GlobalUnlock(block);
  EXPECT_EQ(set_clipboard_text(owner, block), 0);
  EXPECT_EQ(clipboard_text(), "xyz");
  EXPECT_EQ(GetClipboardOwner(), owner);
}

TEST_F(Report, AllocGlobalBlockIsLockedMovableAndZeroed) {
  HGLOBAL block = nullptr;
  unsigned char *p = static_cast<unsigned char *>(alloc_global_block(1000, &block));
  ASSERT_NE(p, nullptr);
  ASSERT_NE(block, nullptr);
  EXPECT_NE(static_cast<void *>(block),
            static_cast<void *>(p)); // movable: a handle, not the memory
  EXPECT_EQ(GlobalHandle(p), block);
  EXPECT_EQ(GlobalFlags(block) & GMEM_LOCKCOUNT, 1u);
  EXPECT_GE(GlobalSize(block), 1000u);
  for (int i = 0; i < 1000; ++i)
    ASSERT_EQ(p[i], 0) << i;
  GlobalUnlock(block);
  GlobalFree(block);
  EXPECT_TRUE(seen_boxes.empty());
}

TEST_F(Report, AllocationFailureIsShownOnce) {
  HGLOBAL block = reinterpret_cast<HGLOBAL>(1);
  EXPECT_EQ(alloc_global_block(0x7FFFFFF0, &block), nullptr);
  EXPECT_EQ(block, nullptr);
  ASSERT_EQ(seen_boxes.size(), 1u);
  EXPECT_EQ(seen_boxes[0].text, "Not enough memory!");
  EXPECT_EQ(seen_boxes[0].caption, "Vexlin PMV calculator");
}

} // namespace
