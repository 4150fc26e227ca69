// The report file "pmv_data.txt" in the program's directory, rewritten line by
// line through text-mode streams (a line feed is stored as CR LF), then copied
// to the clipboard. `report_started` makes the first line that the process
// writes truncate the file, so the first report of a process starts with its
// header and every later one with the empty line of reset_report_file.
// A report that could not be written completely is not read back: the file
// may still hold an earlier report (another program has it open for reading
// only, say), or only part of this one. The clipboard then gets this case's
// text composed in memory, the bytes the file would have held, so that what
// the user pastes is always the case on screen.
#include <cstdio>

#include "app/app_context.h"
#include "app/clipboard_win.h"
#include "app/report.h"
#include "app/report_win.h"
#include "dlglib/dlglib.h"

bool report_started = false;

namespace {

// Set by every line of the current report that could not be written.
bool report_write_failed = false;

void finish_line(std::FILE *stream) {
  if (std::ferror(stream)) report_write_failed = true;
  if (std::fclose(stream) != 0) report_write_failed = true;
}

// Throws away the keyboard and mouse input queued for this thread.
void discard_queued_input() {
  MSG message;
  while (PeekMessageA(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
  }
  while (PeekMessageA(&message, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
  }
}

} // namespace

void reset_report_file(const wchar_t *path) {
  std::FILE *stream = _wfopen(path, L"w+t");
  if (stream == nullptr) {
    report_write_failed = true;
    return;
  }
  std::fputs("\n", stream);
  finish_line(stream);
}

void append_report_line(const wchar_t *path, const char *format, ...) {
  // After a failed line, and above all after a failed truncation, nothing
  // more is written: a file another program maps refuses to be truncated
  // but not to be appended to, and would collect every later report.
  if (report_write_failed) return;
  char line[report_line_size];
  va_list args;
  va_start(args, format);
  format_report_line_v(line, sizeof line, format, args);
  va_end(args);

  // Only the process's first line truncates. A later line whose file will
  // not open for appending (a backup or a virus scanner has it for a
  // moment) fails: truncating there would leave a report without its first
  // lines, header and inputs.
  std::FILE *stream = _wfopen(path, report_started ? L"a+t" : L"w+t");
  if (stream == nullptr) {
    report_write_failed = true;
    return;
  }
  report_started = true;
  std::fputs(line, stream);
  std::fputs("\n", stream);
  finish_line(stream);
}

int16_t write_report(HWND owner, const ComfortCase &comfort_case) {
  // The empty line that this report starts with, if it is not the first.
  const bool later_report = report_started;
  wchar_t path[path_size];
  // No known folder, or one too deep for the file's name: no file, as if it
  // could not be opened, and never one elsewhere in its place.
  report_write_failed =
      app_context.program_dir_unknown || !build_report_path(path, app_context.program_dir);
  if (!report_write_failed) {
    reset_report_file(path);
    append_report_line(path, report_header);
    for (const CaseField &field : case_fields) {
      append_report_line(path, field.report_format, comfort_case.*field.member);
    }
  }
  int copied = copy_unreadable;
  // Only a file that could not be read back is replaced by the memory copy;
  // a busy clipboard or a lack of memory would fail again.
  if (!report_write_failed) copied = copy_file_to_clipboard(owner, path);
  if (copied == copy_unreadable || copied == copy_empty) {
    char text[report_text_size];
    const int length = compose_report(text, sizeof text, comfort_case, later_report);
    copied = copy_text_to_clipboard(owner, text, static_cast<std::size_t>(length));
  }
  // The clipboard still holds an earlier case, which the user would paste
  // as this one. The keys and clicks made while the program waited for it
  // were meant for the calculator, not for the warning: an Enter typed
  // during the wait would close it, unseen, the moment it appeared.
  if (copied == copy_busy) {
    discard_queued_input();
    info_message(owner, clipboard_busy_message);
  }
  return copied >= 0 ? 0 : -1;
}
