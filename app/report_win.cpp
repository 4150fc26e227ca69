// The report file "pmv_data.txt" in the program's directory, rewritten line by
// line through text-mode streams (a line feed is stored as CR LF), then copied
// to the clipboard. `report_started` makes the first line that the process
// writes truncate the file, so the first report of a process starts with its
// header and every later one with the empty line of reset_report_file.
// A report that could not be written completely is not read back: the file
// may still hold an earlier report (another program has it open for reading
// only, say). The clipboard then gets this case's text composed in memory,
// the bytes the file would have held, so that what the user pastes is always
// the case on screen.
#include <cstdio>

#include "app/app_context.h"
#include "app/app_win.h"
#include "app/report.h"

bool report_started = false;

namespace {

// Set by every line of the current report that could not be written.
bool report_write_failed = false;

void finish_line(std::FILE *stream) {
  if (std::ferror(stream)) report_write_failed = true;
  if (std::fclose(stream) != 0) report_write_failed = true;
}

} // namespace

void reset_report_file(const char *path) {
  std::FILE *stream = std::fopen(path, "w+t");
  if (stream == nullptr) {
    report_write_failed = true;
    return;
  }
  std::fputs("\n", stream);
  finish_line(stream);
}

void append_report_line(const char *path, const char *format, ...) {
  // After a failed line, and above all after a failed truncation, nothing
  // more is written: a file another program maps refuses to be truncated
  // but not to be appended to, and would collect every later report.
  if (report_write_failed) return;
  char line[report_line_size];
  va_list args;
  va_start(args, format);
  format_report_line_v(line, sizeof line, format, args);
  va_end(args);

  std::FILE *stream = nullptr;
  if (report_started) stream = std::fopen(path, "a+t");
  if (stream == nullptr) {
    stream = std::fopen(path, "w+t");
    // A stream that failed to open is never written through, and a line
    // that was not written does not count as the process's first.
    if (stream == nullptr) {
      report_write_failed = true;
      return;
    }
    report_started = true;
  }
  std::fputs(line, stream);
  std::fputs("\n", stream);
  finish_line(stream);
}

int16_t write_report(HWND owner, const ComfortCase &comfort_case) {
  // The empty line that this report starts with, if it is not the first.
  const bool later_report = report_started;
  char path[path_size];
  // A program directory too long for the path: no file, as if it could not
  // be opened.
  report_write_failed = !build_report_path(path, app_context.program_dir);
  if (!report_write_failed) {
    reset_report_file(path);
    append_report_line(path, report_header);
    for (const CaseField &field : case_fields) {
      append_report_line(path, field.report_format, comfort_case.*field.member);
    }
  }
  if (!report_write_failed) {
    const int copied = copy_file_to_clipboard(owner, path);
    // Only a file that could not be read back is replaced by the memory copy;
    // a busy clipboard or a lack of memory would fail again.
    if (copied != -2 && copied != -3) return copied >= 0 ? 0 : -1;
  }
  char text[report_text_size];
  const int length = compose_report(text, sizeof text, comfort_case, later_report);
  return copy_text_to_clipboard(owner, text, static_cast<std::size_t>(length)) >= 0 ? 0 : -1;
}
