// Fixed-point and shortest number text on any double, width, decimals and
// buffer size, into a heap block of exactly that size. Where the fixed text
// fits it equals glibc's "%*.*f" (correctly rounded, ties to even);
// otherwise format_number falls back to a form that reads back bit for bit.
#include <cmath>

#include "app/numtext.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  // 8 bytes of double bits, width, decimals, two bytes of buffer size.
  std::uint8_t p[12] = {};
  std::memcpy(p, data, size < sizeof p ? size : sizeof p);
  double value;
  std::memcpy(&value, p, sizeof value);
  const int width = p[8] % 80, decimals = p[9] % 41;
  const std::size_t room = (p[10] | p[11] << 8) % 520;
  // Exactly the size the code is told, so that AddressSanitizer sees a write
  // past it.
  char *dst = new char[room];

  const int n = format_fixed(dst, room, value, width, decimals);
  char expected[1024];
  const int m = std::snprintf(expected, sizeof expected, "%*.*f", width, decimals, value);
  if (static_cast<std::size_t>(m) < room) {
    FUZZ_CHECK(n == m && std::strcmp(dst, expected) == 0);
  } else {
    FUZZ_CHECK(n == -1 && (room == 0 || dst[0] == '\0'));
  }

  if (n < 0 && std::isfinite(value) && format_number(dst, room, value, width, decimals) >= 0) {
    double back = 0.0;
    FUZZ_CHECK(read_number(dst, &back) && same_bits(back, value));
  }
  delete[] dst;
  return 0;
}
