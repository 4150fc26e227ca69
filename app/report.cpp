// Report lines are expanded here rather than by the C runtime's printf, whose
// rounding of "%0.2lf" differs between msvcrt, ucrt and glibc: the report must
// hold the same digits as the native tests expect. The file and the text
// composed in memory go through the same line expansion, so the two can
// never differ.
#include "app/report.h"

#include <cstring>

#include "app/app_context.h"
#include "app/numtext.h"

namespace {

constexpr char value_conversion[] = "%0.2lf";
constexpr std::size_t value_conversion_length = sizeof value_conversion - 1;

// Appends `len` bytes of `text` to dst[*pos], keeping one byte for the
// terminator; what does not fit is dropped.
void put(char *dst, std::size_t size, std::size_t *pos, const char *text, std::size_t len) {
  const std::size_t room = size - 1 - *pos;
  if (len > room) len = room;
  std::memcpy(dst + *pos, text, len);
  *pos += len;
}

// One line of the report as the text-mode stream stores it: CR LF at the end.
void put_line(char *dst, std::size_t size, std::size_t *pos, const char *line) {
  put(dst, size, pos, line, std::strlen(line));
  put(dst, size, pos, "\r\n", 2);
}

} // namespace

bool build_report_path(wchar_t *dst, const wchar_t *program_dir) {
  return join_path(dst, program_dir, L'/', report_file_name);
}

int format_report_line_v(char *dst, std::size_t size, const char *format, va_list args) {
  if (size == 0) return 0;
  std::size_t pos = 0;
  for (const char *p = format; *p != '\0';) {
    if (std::strncmp(p, value_conversion, value_conversion_length) == 0) {
      char value[fixed_text_size];
      const int n = format_fixed(value, sizeof value, va_arg(args, double), 0, 2);
      put(dst, size, &pos, value, n > 0 ? static_cast<std::size_t>(n) : 0);
      p += value_conversion_length;
    } else {
      put(dst, size, &pos, p, 1);
      ++p;
    }
  }
  dst[pos] = '\0';
  return static_cast<int>(pos);
}

int format_report_line(char *dst, std::size_t size, const char *format, ...) {
  va_list args;
  va_start(args, format);
  const int n = format_report_line_v(dst, size, format, args);
  va_end(args);
  return n;
}

int compose_report(char *dst, std::size_t size, const ComfortCase &comfort_case,
                   bool leading_empty_line) {
  if (size == 0) return 0;
  std::size_t pos = 0;
  if (leading_empty_line) put_line(dst, size, &pos, "");
  char line[report_line_size];
  format_report_line(line, sizeof line, report_header);
  put_line(dst, size, &pos, line);
  for (const CaseField &field : case_fields) {
    format_report_line(line, sizeof line, field.report_format, comfort_case.*field.member);
    put_line(dst, size, &pos, line);
  }
  dst[pos] = '\0';
  return static_cast<int>(pos);
}
