// The number reader on arbitrary text: it must stay inside the text, never
// produce NaN, read back its own shortest output, and agree with glibc's
// strtod in the "C" locale (which is correctly rounded) on value and length.
#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "app/numtext.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  // The text ends at the first NUL, and so does its allocation: a read past
  // the terminator is a heap overflow that ASan reports.
  const void *nul = std::memchr(data, 0, size);
  const std::size_t len =
      nul ? static_cast<std::size_t>(static_cast<const std::uint8_t *>(nul) - data) : size;
  char *text = new char[len + 1];
  std::memcpy(text, data, len);
  text[len] = '\0';

  const double untouched = 12345.678;
  double value = untouched;
  const char *end = nullptr;
  const bool ok = read_number(text, &value, &end);
  if (ok) {
    FUZZ_CHECK(end > text && end <= text + len);
    FUZZ_CHECK(!std::isnan(value));
    // The last character taken is a digit or the point of "5.".
    FUZZ_CHECK((end[-1] >= '0' && end[-1] <= '9') || end[-1] == '.');

    double again = untouched;
    FUZZ_CHECK(read_number(text, &again));
    FUZZ_CHECK(same_bits(again, value));

    char shortest[64];
    const int n = format_shortest(shortest, sizeof shortest, value);
    FUZZ_CHECK(n > 0 && static_cast<std::size_t>(n) == std::strlen(shortest));
    if (std::isinf(value)) {
      FUZZ_CHECK(std::strcmp(shortest, value < 0 ? "-inf" : "inf") == 0);
    } else {
      double back = untouched;
      const char *back_end = nullptr;
      FUZZ_CHECK(read_number(shortest, &back, &back_end));
      FUZZ_CHECK(back_end == shortest + n);
      FUZZ_CHECK(same_bits(back, value));
    }
  } else {
    FUZZ_CHECK(same_bits(value, untouched));
  }

  if (strtod_can_judge(text)) {
    char *strtod_end = nullptr;
    errno = 0;
    const double expected = std::strtod(text, &strtod_end);
    if (strtod_end == text) {
      FUZZ_CHECK(!ok);
    } else {
      FUZZ_CHECK(ok);
      FUZZ_CHECK(same_bits(value, expected));
      FUZZ_CHECK(end == strtod_end);
    }
  }

  delete[] text;
  return 0;
}
