// Times one "Execute" of the calculator dialog, from the command to the
// report on the clipboard: the real dialog procedure on the real template,
// in a folder of its own, called as the dialog manager calls it. Checks
// that every timed command did put a new text on the clipboard. Built and
// run under Wine by bench/startup.sh.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "app/calculator_dialog_win.h"
#include "app/last_values_win.h"
#include "app/numtext.h"
#include "app/resource.h"
#include "dlglib/dlglib.h"

namespace {

constexpr int warm_up = 10;
constexpr int runs = 500;

double milliseconds(LONGLONG ticks, LONGLONG frequency) {
  return static_cast<double>(ticks) * 1000.0 / static_cast<double>(frequency);
}

// Numbers through the program's own formatter, as everywhere in it.
std::string number(double value, int decimals) {
  char text[64];
  format_fixed(text, sizeof text, value, 0, decimals);
  return text;
}

void print_ms(const char *label, double value) {
  std::printf("%s %s ms\n", label, number(value, 3).c_str());
}

} // namespace

int main() {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"pmv_execute_timing";
  CreateDirectoryW(folder.c_str(), nullptr);

  std::snprintf(app_context.title, title_size, "%s", "Vexlin PMV calculator");
  lstrcpynW(app_context.program_dir, folder.c_str(), static_cast<int>(path_size));
  dlglib_init(GetModuleHandleA(nullptr));
  dlglib_settings.title = app_context.title;
  load_last_values(); // no settings file: the defaults

  const HWND dialog =
      CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_CALCULATOR), nullptr,
                         calculator_dialog_proc, 0);
  if (dialog == nullptr) return 1;
  const int ids[] = {IDC_MET, IDC_CLO, IDC_TA, IDC_TR, IDC_VEL, IDC_RH};
  const char *texts[] = {"1.2", "0,5", "22", "22", "0.1", "50"};
  for (int i = 0; i < 6; ++i)
    SetDlgItemTextA(dialog, ids[i], texts[i]);

  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  std::vector<double> times;
  int missed = 0;
  for (int i = 0; i < warm_up + runs; ++i) {
    const DWORD clipboard_before = GetClipboardSequenceNumber();
    QueryPerformanceCounter(&start);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_EXECUTE, BN_CLICKED), 0);
    QueryPerformanceCounter(&end);
    if (GetClipboardSequenceNumber() == clipboard_before) ++missed;
    if (i >= warm_up)
      times.push_back(milliseconds(end.QuadPart - start.QuadPart, frequency.QuadPart));
  }
  DestroyWindow(dialog);
  DeleteFileW((folder + L"/pmv_data.txt").c_str());
  RemoveDirectoryW(folder.c_str());

  std::sort(times.begin(), times.end());
  double sum = 0.0;
  for (const double t : times)
    sum += t;
  std::printf("Execute, command to clipboard, %s runs after %s to warm up:\n",
              number(runs, 0).c_str(), number(warm_up, 0).c_str());
  print_ms("  min   ", times.front());
  print_ms("  median", times[times.size() / 2]);
  print_ms("  mean  ", sum / static_cast<double>(times.size()));
  print_ms("  p95   ", times[times.size() * 95 / 100]);
  print_ms("  max   ", times.back());
  if (missed != 0) {
    std::printf("  %s commands left the clipboard unchanged\n", number(missed, 0).c_str());
    return 1;
  }
  return 0;
}
