// Fixed-point and shortest number text on arbitrary doubles, widths,
// decimals and buffer sizes. The buffer is a heap block of exactly the size
// passed, so that ASan sees any write past it. Where the fixed text fits it
// must equal glibc's "%*.*f" (glibc rounds the exact binary value
// correctly); format_number's text must read back.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/numtext.h"
#include "fuzz/fuzz_check.h"

namespace {

// Input layout: 8 bytes of double bits, signed width, signed decimals,
// 2 bytes of buffer size; any further bytes are a number text whose value
// is formatted as well (decimal ties such as 2.675 are hard to reach
// through raw bits).
struct Params {
  std::uint8_t bits[8];
  std::int8_t width;
  std::int8_t decimals;
  std::uint8_t size_lo, size_hi;
};

constexpr std::size_t max_size = 520;

void check_fixed(double value, int width, int decimals, std::size_t size) {
  char *dst = new char[size == 0 ? 1 : size];
  const int n = format_fixed(dst, size, value, width, decimals);
  FUZZ_CHECK(n >= -1);
  if (n >= 0) {
    FUZZ_CHECK(static_cast<std::size_t>(n) < size);
    FUZZ_CHECK(std::strlen(dst) == static_cast<std::size_t>(n));
  } else if (size > 0) {
    FUZZ_CHECK(dst[0] == '\0');
  }

  // Negative widths and precisions mean other things to printf.
  if (width >= 0 && decimals >= 0 && decimals <= 40) {
    char expected[1024];
    const int m = std::snprintf(expected, sizeof expected, "%*.*f", width, decimals, value);
    FUZZ_CHECK(m > 0 && static_cast<std::size_t>(m) < sizeof expected);
    if (static_cast<std::size_t>(m) + 1 <= size) {
      FUZZ_CHECK(n == m);
      FUZZ_CHECK(std::strcmp(dst, expected) == 0);
    } else {
      FUZZ_CHECK(n == -1);
    }
  }
  delete[] dst;
}

void check_number(double value, int width, int decimals, std::size_t size) {
  char *dst = new char[size == 0 ? 1 : size];
  const int n = format_number(dst, size, value, width, decimals);
  FUZZ_CHECK(n >= -1);
  if (n < 0) {
    if (size > 0) FUZZ_CHECK(dst[0] == '\0');
    // Only when even the shortest form does not fit.
    char shortest[64];
    const int s = format_shortest(shortest, sizeof shortest, value);
    FUZZ_CHECK(s > 0 && static_cast<std::size_t>(s) + 1 > size);
    delete[] dst;
    return;
  }
  FUZZ_CHECK(static_cast<std::size_t>(n) < size);
  FUZZ_CHECK(std::strlen(dst) == static_cast<std::size_t>(n));

  char fixed[max_size];
  const bool fits = format_fixed(fixed, size, value, width, decimals) >= 0;
  if (std::isnan(value)) {
    FUZZ_CHECK(std::strstr(dst, "nan") != nullptr);
  } else if (std::isinf(value)) {
    FUZZ_CHECK(std::strstr(dst, value < 0 ? "-inf" : "inf") != nullptr);
  } else {
    double back = 0.0;
    const char *end = nullptr;
    FUZZ_CHECK(read_number(dst, &back, &end));
    FUZZ_CHECK(end == dst + n);
    if (fits) {
      // Rounded to the decimals shown: off by at most half the last place.
      FUZZ_CHECK(std::strcmp(dst, fixed) == 0);
      const int d = decimals < 0 ? 0 : decimals > 40 ? 40 : decimals;
      const long double bound = 0.5L * std::pow(10.0L, -d) * (1.0L + 1e-15L) +
                                std::fabs(static_cast<long double>(value)) * 0x1p-52L;
      FUZZ_CHECK(std::fabs(static_cast<long double>(back) - value) <= bound);
      FUZZ_CHECK(std::signbit(back) == std::signbit(value));
    } else {
      FUZZ_CHECK(same_bits(back, value));
    }
  }
  delete[] dst;
}

void check_all(double value, const Params &p) {
  const std::size_t size = (p.size_lo | static_cast<std::size_t>(p.size_hi) << 8) % max_size;
  check_fixed(value, p.width, p.decimals, size);
  check_number(value, p.width, p.decimals, size);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  Params p{};
  std::memcpy(&p, data, size < sizeof p ? size : sizeof p);
  double value;
  static_assert(sizeof p.bits == sizeof value, "a double is 8 bytes");
  std::memcpy(&value, p.bits, sizeof value);
  check_all(value, p);

  if (size > sizeof p) {
    const std::size_t len = size - sizeof p;
    char *text = new char[len + 1];
    std::memcpy(text, data + sizeof p, len);
    text[len] = '\0';
    double read = 0.0;
    if (read_number(text, &read)) check_all(read, p);
    delete[] text;
  }
  return 0;
}
