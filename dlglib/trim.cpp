// Trailing blanks are cut from every field before it is parsed, so that a
// value typed with blanks after it reads like the value alone. The counter
// is 16-bit by design; dialog texts are far shorter.
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
  const int16_t n = trimmed_length(text, static_cast<int>(len < 32767 ? len : 32767));
  text[n] = '\0';
  return n;
}
