// The application's Win32 side where only a test in process sees it: the
// report's clipboard blocks (four zero bytes, terminated in memory that
// Windows does not clear, owner), the report composed in memory, the memory
// message, the awaited clipboard, the typing limit, the order of the reads,
// no profile call without a settings file, a field's own answer to a screen
// reader when its name cannot be given, and the dialog template's bytes.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <cwchar>
#include <string>
#include <utility>
#include <vector>

#include "app/app_context.h"
#include "app/app_init_win.h"
#include "app/calculator_dialog_win.h"
#include "app/clipboard_win.h"
#include "app/field_names_win.h"
#include "app/last_values_win.h"
#include "app/report_win.h"
#include "app/resource.h"
#include "tests/unit/support.h"
#include "tests/win/support.h"

namespace {

// Stand-ins that answer as Windows documents where Wine is more lenient:
// _wfopen refuses a mode it does not know, MultiByteToWideChar a length
// that is neither -1 nor positive, or a capacity without a buffer.
FILE *documented_wfopen(const wchar_t *path, const wchar_t *mode) {
  static const auto real = real_function<decltype(_wfopen)>("msvcrt.dll", "_wfopen");
  const bool known = std::wcschr(L"rwa", mode[0]) != nullptr && mode[0] != L'\0' &&
                     std::wcsspn(mode + 1, L"+tbcnNSRTD") == std::wcslen(mode + 1);
  if (!known) {
    errno = EINVAL;
    return nullptr;
  }
  return real(path, mode);
}

int WINAPI documented_mb_to_wc(UINT code_page, DWORD flags, LPCSTR text, int length, LPWSTR dest,
                               int capacity) {
  static const auto real =
      real_function<decltype(MultiByteToWideChar)>("kernel32.dll", "MultiByteToWideChar");
  if (length == 0 || length < -1 || capacity < 0 || (dest == nullptr && capacity != 0)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return real(code_page, flags, text, length, dest, capacity);
}

std::vector<DWORD> slept; // what Sleep was asked for; it returns at once
void WINAPI recorded_sleep(DWORD ms) { slept.push_back(ms); }

// Windows does not clear a block allocated without GMEM_ZEROINIT (Wine mostly
// does): junk in it, so that a text without its terminator shows.
HGLOBAL WINAPI junk_alloc(UINT flags, SIZE_T size) {
  static const auto real = real_function<decltype(GlobalAlloc)>("kernel32.dll", "GlobalAlloc");
  const HGLOBAL block = real(flags, size);
  void *memory = block != nullptr && (flags & GMEM_ZEROINIT) == 0 ? GlobalLock(block) : nullptr;
  if (memory != nullptr) std::memset(memory, 0xA5, size);
  if (memory != nullptr) GlobalUnlock(block);
  return block;
}

// The Unicode text as the program hands it over, up to its terminator within
// the block: the system would make one from the plain text in the same code
// page here, and hide its absence.
std::wstring placed_unicode;
HANDLE WINAPI recorded_set(UINT format, HANDLE data) {
  static const auto real =
      real_function<decltype(SetClipboardData)>("user32.dll", "SetClipboardData");
  if (format == CF_UNICODETEXT && data != nullptr) {
    const auto *text = static_cast<const wchar_t *>(GlobalLock(data));
    placed_unicode.assign(text, wcsnlen(text, GlobalSize(data) / sizeof(wchar_t)));
    GlobalUnlock(data);
  }
  return real(format, data);
}

class App : public ::testing::Test {
protected:
  void SetUp() override {
    app_init(GetModuleHandleA(nullptr));
    // The program's folder is not the working folder (a shortcut's "Start in").
    char dir[path_size];
    GetCurrentDirectoryA(path_size, dir);
    folder = std::string(dir) + "\\program";
    CreateDirectoryA(folder.c_str(), nullptr);
    std::copy(folder.c_str(), folder.c_str() + folder.size() + 1, app_context.program_dir);
    report = folder + "/pmv_data.txt";
    remove_report(); // also what a run that crashed left behind
    placed_unicode.clear();
    owner = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    report_started = false;
    box_calls.clear();
  }
  void TearDown() override {
    DestroyWindow(owner);
    remove_report();
    RemoveDirectoryA(folder.c_str());
  }
  void remove_report() {
    DeleteFileA(report.c_str());
    RemoveDirectoryA(report.c_str());
  }
  std::string folder, report;
  HWND owner = nullptr;
  const ImportPatch boxes{"MessageBoxA", record_box};
  const ImportPatch opens{"_wfopen", documented_wfopen};
  const ImportPatch conversions{"MultiByteToWideChar", documented_mb_to_wc};
  const ImportPatch fills{"GlobalAlloc", junk_alloc};
  const ImportPatch sets{"SetClipboardData", recorded_set};
};

TEST_F(App, ReportIsCopiedWithFourZeroBytesAndItsOwner) {
  const std::string expected = data_file("example_report.txt");
  ASSERT_EQ(write_report(owner, example_case()), 0);
  bool zero_tail = false;
  EXPECT_EQ(clipboard_text(&zero_tail), expected);
  EXPECT_TRUE(zero_tail);
  // Read as code page 1252: ASCII and the degree sign 0xB0, U+00B0.
  std::wstring unicode;
  for (const unsigned char c : expected)
    unicode += static_cast<wchar_t>(c);
  EXPECT_EQ(placed_unicode, unicode);
  EXPECT_EQ(GetClipboardOwner(), owner);
  const HANDLE alone = CreateFileA(report.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, 0);
  EXPECT_NE(alone, INVALID_HANDLE_VALUE) << "the report is still open";
  CloseHandle(alone);
  EXPECT_TRUE(box_calls.empty());
}

int open_fails(const wchar_t *, int, ...) { return -1; }

int append_opens;
FILE *third_append_fails(const wchar_t *path, const wchar_t *mode) {
  if (std::wcscmp(mode, L"a+t") == 0 && ++append_opens == 3) return nullptr;
  return documented_wfopen(path, mode);
}

// The report cannot be written (a directory has its name), or it was written
// but cannot be opened again to be read back, or not all of it was written:
// the clipboard still gets this case's report, composed in memory, and a
// report that was not written does not make the next one a later one.
TEST_F(App, ReportThatCannotBeWrittenOrReadIsCopiedFromMemory) {
  const std::string expected = data_file("example_report.txt");
  ASSERT_TRUE(CreateDirectoryA(report.c_str(), nullptr));
  copy_text_to_clipboard(owner, "old case", 8);
  EXPECT_EQ(write_report(owner, example_case()), 0);
  bool zero_tail = false;
  EXPECT_EQ(clipboard_text(&zero_tail), expected);
  EXPECT_TRUE(zero_tail);
  EXPECT_FALSE(report_started);
  remove_report();
  copy_text_to_clipboard(owner, "old case", 8);
  {
    const ImportPatch open("_wopen", open_fails);
    EXPECT_EQ(write_report(owner, example_case()), 0);
  }
  EXPECT_EQ(clipboard_text(), expected);
  EXPECT_EQ(data_file(report.c_str()), expected);
  // Mapped by a viewer, the file can be appended to but not truncated: it
  // stays as it was, and no line of the later report lands behind it.
  const HANDLE file = CreateFileA(report.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
  const HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
  const void *view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(write_report(owner, example_case()), 0);
  UnmapViewOfFile(view);
  CloseHandle(mapping);
  CloseHandle(file);
  EXPECT_EQ(clipboard_text(), "\r\n" + expected);
  EXPECT_EQ(data_file(report.c_str()), expected);
  // A later report whose third line will not open for appending (a backup
  // program holds the file for a moment): the whole case, never the file's
  // lines from the fourth on.
  copy_text_to_clipboard(owner, "old case", 8);
  {
    const ImportPatch open("_wfopen", third_append_fails);
    EXPECT_EQ(write_report(owner, example_case()), 0);
  }
  EXPECT_EQ(clipboard_text(), "\r\n" + expected);
  // The file keeps what was written before: the empty line, header, first input.
  EXPECT_EQ(data_file(report.c_str()), "\r\n" + expected.substr(0, expected.find("Clothing")));
  EXPECT_TRUE(box_calls.empty());
}

// Another program holds the clipboard for longer than the wait of about a
// second: the clipboard keeps its text, the block is freed, and the user is
// told that this case was not copied, since a paste would give the older one.
TEST_F(App, BusyClipboardIsAwaitedThenReported) {
  copy_text_to_clipboard(owner, "old case", 8);
  const HWND other =
      CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(OpenClipboard(other)); // another window has it open
  const ImportPatch sleeps("Sleep", recorded_sleep);
  EXPECT_EQ(write_report(owner, example_case()), -1);
  EXPECT_EQ(slept, std::vector<DWORD>(20, 50));
  ASSERT_EQ(box_calls.size(), 1u);
  EXPECT_EQ(box_calls[0].text, "The clipboard is busy: this case was not copied!");
  EXPECT_EQ(box_calls[0].owner, owner);
  EXPECT_EQ(box_calls[0].flags, static_cast<UINT>(MB_ICONINFORMATION));
  CloseClipboard();
  DestroyWindow(other);
  EXPECT_EQ(clipboard_text(), "old case");
}

LPVOID WINAPI lock_fails(HGLOBAL) { return nullptr; }

int allocs;
HGLOBAL WINAPI second_alloc_fails(UINT flags, SIZE_T size) {
  return ++allocs == 2 ? nullptr : junk_alloc(flags, size);
}

int WINAPI filling_fails(UINT code_page, DWORD flags, LPCSTR text, int length, LPWSTR dest,
                         int capacity) {
  return dest != nullptr ? 0 : documented_mb_to_wc(code_page, flags, text, length, dest, capacity);
}

// A block that cannot be locked is freed, and the user is told once, on the
// way through the file as on the way from memory. Without memory for the
// Unicode copy, or when it cannot be converted, the plain text alone goes on
// the clipboard, without a word.
TEST_F(App, NoMemoryIsShownOnce) {
  {
    const ImportPatch alloc("GlobalAlloc", second_alloc_fails);
    EXPECT_EQ(write_report(owner, example_case()), 0);
  }
  {
    const ImportPatch conversion("MultiByteToWideChar", filling_fails);
    EXPECT_EQ(write_report(owner, example_case()), 0);
  }
  EXPECT_EQ(allocs, 2);
  EXPECT_EQ(placed_unicode, L"");
  EXPECT_EQ(clipboard_text(), "\r\n" + data_file("example_report.txt"));
  EXPECT_TRUE(box_calls.empty());
  remove_report();
  for (const bool from_memory : {true, false}) {
    ASSERT_TRUE(!from_memory || CreateDirectoryA(report.c_str(), nullptr));
    box_calls.clear();
    {
      const ImportPatch lock("GlobalLock", lock_fails);
      EXPECT_EQ(write_report(owner, example_case()), -1);
    }
    remove_report();
    ASSERT_EQ(box_calls.size(), 1u) << from_memory;
    EXPECT_EQ(box_calls[0].text, "Not enough memory!");
    EXPECT_EQ(box_calls[0].owner, nullptr);
    EXPECT_EQ(box_calls[0].caption, "Vexlin PMV calculator");
    EXPECT_EQ(box_calls[0].flags, static_cast<UINT>(MB_ICONINFORMATION | MB_TASKMODAL));
  }
}

// Each beep's type, and the number of messages shown before it.
std::vector<std::pair<UINT, std::size_t>> beeps;
BOOL WINAPI recorded_beep(UINT type) {
  beeps.emplace_back(type, box_calls.size());
  return TRUE;
}

// A refused input beeps with the default sound, then shows its range; read
// silently, as "Close" reads, it does neither. The value stays either way.
TEST_F(App, RefusedInputBeepsOnlyWithItsMessage) {
  const ImportPatch beep("MessageBeep", recorded_beep);
  CreateWindowA("EDIT", "2,5", WS_CHILD, 0, 0, 50, 20, owner, reinterpret_cast<HMENU>(IDC_CLO),
                nullptr, nullptr);
  double clo = 0.5;
  EXPECT_EQ(read_input_field(owner, IDC_CLO, &clo, 0.0, 2.0, 0), -1);
  EXPECT_TRUE(beeps.empty() && box_calls.empty());
  EXPECT_EQ(read_input_field(owner, IDC_CLO, &clo, 0.0, 2.0, 1), -1);
  EXPECT_EQ(clo, 0.5);
  EXPECT_EQ(beeps, (std::vector<std::pair<UINT, std::size_t>>{{0, 0}}));
  ASSERT_EQ(box_calls.size(), 1u);
  EXPECT_EQ(box_calls[0].text, "0.00 ... 2.00 !");
  EXPECT_EQ(box_calls[0].owner, owner); // the dialog, disabled while it is up
  EXPECT_EQ(box_calls[0].flags, static_cast<UINT>(MB_ICONINFORMATION));
}

// A field takes 16 characters from the keyboard, set where its value is shown.
TEST_F(App, ShownFieldTakesSixteenTypedCharacters) {
  const HWND field = CreateWindowA("EDIT", "", WS_CHILD, 0, 0, 50, 20, owner,
                                   reinterpret_cast<HMENU>(IDC_TA), nullptr, nullptr);
  show_value(owner, IDC_TA, 22.0, 4, 1);
  EXPECT_EQ(SendMessageA(field, EM_GETLIMITTEXT, 0, 0), 16);
}

std::vector<int> reads;
UINT WINAPI recorded_read(HWND, int id, LPSTR text, int size) {
  static const char *const good[] = {"2", "1", "25", "26", "0.1", "45"}; // IDC_MET to IDC_RH
  reads.push_back(id);
  lstrcpynA(text, id >= IDC_MET && id <= IDC_RH ? good[id - IDC_MET] : "", size);
  return static_cast<UINT>(lstrlenA(text));
}

// The inputs are read in the dialog's order, metabolic rate first: the
// first refused one in that order is the one whose message is shown.
TEST_F(App, InputsAreReadInTheDialogsOrder) {
  const ImportPatch read("GetDlgItemTextA", recorded_read);
  EXPECT_EQ(read_all_inputs(owner, read_silently), 0);
  EXPECT_EQ(reads, (std::vector<int>{IDC_MET, IDC_CLO, IDC_TA, IDC_TR, IDC_VEL, IDC_RH}));
}

int library_loads;
HMODULE WINAPI no_library(LPCWSTR) {
  ++library_loads;
  SetLastError(ERROR_MOD_NOT_FOUND);
  return nullptr;
}
HRESULT WINAPI no_object(HWND, LONG, REFIID, void **object) {
  *object = nullptr;
  return E_OUTOFMEMORY;
}
LRESULT WINAPI no_answer(REFIID, WPARAM, LPUNKNOWN) { return E_OUTOFMEMORY; }
int own_answers; // the field's own procedure, asked for its object
LRESULT CALLBACK own_answer(HWND, UINT message, WPARAM, LPARAM) {
  own_answers += message == WM_GETOBJECT;
  return 0;
}

// Nothing is loaded before a screen reader asks. Without the library, or
// when the system makes no object or cannot hand it over, the field's own
// procedure answers, as it does for every object but the field's client
// area. The name asked through IDispatch is the label's too, and COM, which
// the request started, ends with the dialog.
TEST_F(App, FieldAnswersItselfWhenItCannotBeNamed) {
  const HWND field = CreateWindowA("EDIT", "", WS_CHILD, 0, 0, 50, 20, owner,
                                   reinterpret_cast<HMENU>(IDC_MET), nullptr, nullptr);
  CreateWindowA("STATIC", "Metabolic rate [met]", WS_CHILD, 0, 0, 50, 20, owner,
                reinterpret_cast<HMENU>(IDC_LABEL_MET), nullptr, nullptr);
  SetWindowLongPtrA(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own_answer));
  const auto ask = [field](LONG object) { return SendMessageA(field, WM_GETOBJECT, 0, object); };
  {
    const ImportPatch load("LoadLibraryW", no_library);
    name_fields(owner);
    EXPECT_EQ(library_loads, 0);
    EXPECT_EQ(ask(OBJID_CLIENT), 0);
    EXPECT_GT(library_loads, 0);
  }
  EXPECT_EQ(own_answers, 1);
  ask(OBJID_WINDOW);
  EXPECT_EQ(own_answers, 2);
  // Answered, and let go, so that the next request makes a new object.
  IAccessible *object = nullptr;
  ObjectFromLresult(ask(OBJID_CLIENT), __uuidof(IAccessible), 0,
                    reinterpret_cast<void **>(&object));
  ASSERT_NE(object, nullptr);
  VARIANT self, name;
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  VariantInit(&name);
  DISPPARAMS child = {&self, nullptr, 1, 0};
  object->Invoke(DISPID_ACC_NAME, IID_NULL, 0, DISPATCH_PROPERTYGET, &child, &name, nullptr,
                 nullptr);
  EXPECT_EQ(name.vt, VT_BSTR);
  EXPECT_STREQ(name.vt == VT_BSTR ? name.bstrVal : L"", L"Metabolic rate [met]");
  VariantClear(&name);
  object->Release();
  EXPECT_EQ(own_answers, 2);
  const auto create = access_api.create_std_object;
  access_api.create_std_object = no_object;
  EXPECT_EQ(ask(OBJID_CLIENT), 0);
  access_api.create_std_object = create;
  const auto hand_over = access_api.lresult_from_object;
  access_api.lresult_from_object = no_answer;
  EXPECT_EQ(ask(OBJID_CLIENT), 0);
  access_api.lresult_from_object = hand_over;
  EXPECT_EQ(own_answers, 4);
  end_field_names();
  EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK) << "COM was not ended";
  CoUninitialize();
}

int profile_calls;
DWORD WINAPI counted_get(LPCWSTR, LPCWSTR, LPCWSTR, LPWSTR, DWORD, LPCWSTR) {
  return ++profile_calls;
}
BOOL WINAPI counted_write(LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR) { return ++profile_calls; }

// The profile service would take an empty file name as a file in the
// Windows folder: without a settings file nothing is read or written.
TEST_F(App, NoProfileCallWithoutASettingsFile) {
  const ImportPatch get("GetPrivateProfileStringW", counted_get);
  const ImportPatch write("WritePrivateProfileStringW", counted_write);
  app_context.settings_path[0] = L'\0';
  load_last_values();
  save_last_values();
  EXPECT_EQ(profile_calls, 0);
}

std::string resource(int id, LPCSTR type) {
  const HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), type);
  const char *bytes = static_cast<const char *>(LockResource(LoadResource(nullptr, found)));
  return found != nullptr ? std::string(bytes, SizeofResource(nullptr, found)) : "";
}

// The resources as built: every text, id, style, position and the tab order
// of the calculator; the version texts Explorer shows; the manifest, which
// Windows reads before the program may start, with the build's processor.
// The data files hold the version number: a new version updates them.
TEST(Template, ResourcesByteForByte) {
  EXPECT_EQ(resource(IDD_CALCULATOR, RT_DIALOG), data_file("calculator_dialog.bin"));
  EXPECT_EQ(resource(1, RT_VERSION), data_file("version_resource.bin"));
  std::string manifest = data_file("pmv_calc_x86.manifest");
  if (sizeof(void *) == 8) manifest.replace(manifest.find("\"x86\""), 5, "\"amd64\"");
  EXPECT_EQ(resource(1, RT_MANIFEST), manifest);
}

} // namespace
