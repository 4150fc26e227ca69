// Report lines are expanded here rather than by the C runtime's printf, whose
// rounding of "%0.2lf" differs between msvcrt, ucrt and glibc: the report must
// hold the same digits as the native tests expect.
#include "app/report.h"

#include <cmath>
#include <cstring>

#include "app/app_context.h"
#include "app/numtext.h"

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Appends `len` bytes of `text` to dst[*pos], keeping one byte for the
// terminator; what does not fit is dropped.
void put(char *dst, std::size_t size, std::size_t *pos, const char *text, std::size_t len) {
  const std::size_t room = size - 1 - *pos;
  if (len > room) len = room;
  std::memcpy(dst + *pos, text, len);
  *pos += len;
}

// Reads a small decimal count (widths and precisions), capped at 400.
int read_count(const char **p) {
  int n = 0;
  while (is_digit(**p)) {
    if (n < 400) n = n * 10 + (**p - '0');
    ++*p;
  }
  return n > 400 ? 400 : n;
}

// One "%f" conversion into `out` (at least 800 bytes): the value at
// `decimals` (at most 40), padded to `width` (at most 400) with blanks, or
// with zeros after the sign when `zero_pad` and the value is finite.
std::size_t convert_fixed(char *out, double value, int width, int decimals, bool zero_pad) {
  char text[400];
  int n = format_fixed(text, sizeof text, value, 0, decimals > 40 ? 40 : decimals);
  if (n < 0) n = 0; // cannot happen: the longest fixed text is 351 characters
  const std::size_t len = static_cast<std::size_t>(n);
  const std::size_t pad = width > n ? static_cast<std::size_t>(width - n) : 0;
  std::size_t sign = 0;
  if (zero_pad && std::isfinite(value)) {
    sign = text[0] == '-' ? 1 : 0;
    std::memcpy(out, text, sign);
    std::memset(out + sign, '0', pad);
  } else {
    std::memset(out, ' ', pad);
  }
  std::memcpy(out + sign + pad, text + sign, len - sign);
  return pad + len;
}

} // namespace

bool build_report_path(char *dst, const char *program_dir) {
  return join_path(dst, program_dir, '/', report_file_name);
}

int format_report_line_v(char *dst, std::size_t size, const char *format, va_list args) {
  if (size == 0) return 0;
  std::size_t pos = 0;
  const char *p = format;
  while (*p != '\0') {
    if (*p != '%') {
      const char *q = p;
      while (*q != '\0' && *q != '%')
        ++q;
      put(dst, size, &pos, p, static_cast<std::size_t>(q - p));
      p = q;
      continue;
    }
    if (p[1] == '%') {
      put(dst, size, &pos, "%", 1);
      p += 2;
      continue;
    }
    // "%[0][width][.precision][l]f"
    const char *q = p + 1;
    bool zero_pad = false;
    while (*q == '0') {
      zero_pad = true;
      ++q;
    }
    const int width = read_count(&q);
    int decimals = 6;
    if (*q == '.') {
      ++q;
      decimals = read_count(&q);
    }
    if (*q == 'l') ++q;
    if (*q != 'f') {
      put(dst, size, &pos, "%", 1); // not a conversion we know: copied as text
      ++p;
      continue;
    }
    const double value = va_arg(args, double);
    char text[800];
    const std::size_t len = convert_fixed(text, value, width, decimals, zero_pad);
    put(dst, size, &pos, text, len);
    p = q + 1;
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
