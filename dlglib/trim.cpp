// Trailing blanks are cut from every field before it is parsed, so that a
// value typed with blanks after it reads like the value alone. The length
// is a signed 16-bit value, as the program's small results are: dialog
// texts are far shorter than INT16_MAX, and a longer text is cut where the
// counter stops.
#include "dlglib/trim.h"

#include <cstdint>
#include <cstring>

int16_t trimmed_length(const char *text, int length) {
  if (text[0] == '\0') return 0;
  if (length > INT16_MAX) length = INT16_MAX; // the counter must not wrap
  int16_t i = 0;
  while (i < length) {
    ++i;
    if (text[i] == '\0') break;
  }
  if (i > length) i = static_cast<int16_t>(length);
  while (i > 0 && (text[i - 1] == ' ' || text[i - 1] == '\0'))
    --i;
  return i;
}

int trim_trailing_blanks(char *text) {
  const std::size_t len = std::strlen(text);
  const int16_t n = trimmed_length(text, len < INT16_MAX ? static_cast<int>(len) : INT16_MAX);
  text[n] = '\0';
  return n;
}
