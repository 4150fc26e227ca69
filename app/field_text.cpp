#include "app/field_text.h"

#include <cstring>

#include "app/numtext.h"
#include "dlglib/trim.h"

int16_t parse_field_text(char *text, double minimum, double maximum, double *value) {
  trim_trailing_blanks(text);
  for (char *p = text; *p; ++p) {
    if (*p == ',') *p = '.';
  }
  double v = 0.0;
  if (text[0] != '\0' && !read_number(text, &v)) return -1;
  // Written so that NaN fails as well.
  if (!(minimum <= v && v <= maximum)) return -1;
  *value = v;
  return 0;
}

void format_range_message(char *dst, std::size_t size, double minimum, double maximum) {
  if (size == 0) return;
  char lo[value_text_size];
  char hi[value_text_size];
  format_number(lo, sizeof lo, minimum, 0, 2);
  format_number(hi, sizeof hi, maximum, 0, 2);
  dst[0] = '\0';
  const std::size_t a = std::strlen(lo);
  const std::size_t b = std::strlen(hi);
  // lo " ... " hi " !"
  if (a + 5 + b + 2 + 1 > size) return;
  char *p = dst;
  std::memcpy(p, lo, a);
  p += a;
  std::memcpy(p, " ... ", 5);
  p += 5;
  std::memcpy(p, hi, b);
  p += b;
  std::memcpy(p, " !", 3);
}
