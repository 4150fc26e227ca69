#include "app/numtext.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <system_error>

namespace {

// Holds every shortest form of a double: the longest, such as
// "-2.2250738585072014e-308", is 24 characters.
constexpr std::size_t shortest_text_size = 64;

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// White space as isspace() sees it in the "C" locale.
bool is_space(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

int copy_out(char *dst, std::size_t size, const char *src, std::size_t len) {
  if (size == 0) return -1;
  if (len + 1 > size) {
    dst[0] = '\0';
    return -1;
  }
  std::memcpy(dst, src, len);
  dst[len] = '\0';
  return static_cast<int>(len);
}

// The text of an infinity or a NaN; null for a finite value.
const char *non_finite_text(double value) {
  if (std::isnan(value)) return std::signbit(value) ? "-nan" : "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  return nullptr;
}

} // namespace

bool read_number(const char *text, double *value, const char **end) {
  const char *p = text;
  while (is_space(*p))
    ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') {
    negative = *p == '-';
    ++p;
  }
  const char *mantissa = p;
  int int_digits = 0;
  int lead_zeros = 0; // leading zeros of the integer part
  bool nonzero_seen = false;
  while (is_digit(*p)) {
    if (*p != '0') nonzero_seen = true;
    if (!nonzero_seen) ++lead_zeros;
    ++int_digits;
    ++p;
  }
  int frac_digits = 0;
  int frac_lead_zeros = 0; // zeros after the point before the first non-zero
  if (*p == '.') {
    const char *q = p + 1;
    while (is_digit(*q)) {
      if (*q != '0') nonzero_seen = true;
      if (!nonzero_seen) ++frac_lead_zeros;
      ++frac_digits;
      ++q;
    }
    if (int_digits + frac_digits > 0) p = q;
  }
  if (int_digits + frac_digits == 0) return false;

  // The exponent belongs to the number only when it has digits.
  long long exponent = 0;
  if (*p == 'e' || *p == 'E') {
    const char *q = p + 1;
    bool exp_negative = false;
    if (*q == '+' || *q == '-') {
      exp_negative = *q == '-';
      ++q;
    }
    if (is_digit(*q)) {
      while (is_digit(*q)) {
        if (exponent < 100000000) exponent = exponent * 10 + (*q - '0');
        ++q;
      }
      if (exp_negative) exponent = -exponent;
      p = q;
    }
  }
  if (end) *end = p;

  // The text from `mantissa` to `p` is now known to be plain decimal, which
  // from_chars converts correctly rounded without looking at the locale.
  double result = 0.0;
  const std::from_chars_result r = std::from_chars(mantissa, p, result, std::chars_format::general);
  if (r.ec == std::errc::result_out_of_range) {
    // Decide between overflow and underflow by the decimal exponent of the
    // first significant digit, as strtod would.
    long long magnitude;
    if (int_digits - lead_zeros > 0) {
      magnitude = int_digits - lead_zeros - 1 + exponent;
    } else {
      magnitude = -(frac_lead_zeros + 1) + exponent;
    }
    result = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (r.ec != std::errc() || r.ptr != p) {
    return false; // cannot happen for text that passed the checks above
  }
  *value = negative ? -result : result;
  return true;
}

int format_fixed(char *dst, std::size_t size, double value, int width, int decimals) {
  if (size == 0) return -1;
  if (decimals < 0) decimals = 0;
  if (decimals > max_fixed_decimals) decimals = max_fixed_decimals;
  char text[fixed_text_size];
  std::size_t len;
  if (const char *s = non_finite_text(value)) {
    len = std::strlen(s);
    std::memcpy(text, s, len);
  } else {
    const std::to_chars_result r =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    if (r.ec != std::errc()) {
      dst[0] = '\0';
      return -1;
    }
    len = static_cast<std::size_t>(r.ptr - text);
  }
  std::size_t pad = width > 0 && static_cast<std::size_t>(width) > len
                        ? static_cast<std::size_t>(width) - len
                        : 0;
  if (pad + len + 1 > size) {
    dst[0] = '\0';
    return -1;
  }
  std::memset(dst, ' ', pad);
  std::memcpy(dst + pad, text, len);
  dst[pad + len] = '\0';
  return static_cast<int>(pad + len);
}

int format_shortest(char *dst, std::size_t size, double value) {
  if (size == 0) return -1;
  if (const char *s = non_finite_text(value)) return copy_out(dst, size, s, std::strlen(s));
  char text[shortest_text_size];
  const std::to_chars_result r = std::to_chars(text, text + sizeof text, value);
  if (r.ec != std::errc()) {
    dst[0] = '\0';
    return -1;
  }
  return copy_out(dst, size, text, static_cast<std::size_t>(r.ptr - text));
}

int format_number(char *dst, std::size_t size, double value, int width, int decimals) {
  const int n = format_fixed(dst, size, value, width, decimals);
  if (n >= 0) return n;
  return format_shortest(dst, size, value);
}
