// The loading of a last-values file from arbitrary bytes, through the part
// of the load that needs no platform call. The profile service hands over
// one value text per key, cut to the 49 characters of its 50-byte buffer;
// here every line of the input is the text of the next key, in the file's
// key order. Every text must load as strtod reads it (or leave its field as
// it was), touch no other field, and store back into 50 bytes as a text
// that loads again to the same stored text.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/comfort_case.h"
#include "app/last_values.h"
#include "app/numtext.h"
#include "fuzz/fuzz_check.h"

namespace {

constexpr std::size_t value_chars = last_value_size - 1;

double field_of(const ComfortCase &c, int field) { return c.*case_fields[field].member; }

// Stores `value` into a heap block of exactly last_value_size bytes and
// checks the text; returns it in `out` (last_value_size bytes).
void store(double value, char *out) {
  char *text = new char[last_value_size];
  std::memset(text, 'Z', last_value_size);
  const int n = format_last_value(text, value);
  FUZZ_CHECK(n > 0 && static_cast<std::size_t>(n) <= value_chars);
  FUZZ_CHECK(std::strlen(text) == static_cast<std::size_t>(n));

  char expected[512];
  const int m = std::snprintf(expected, sizeof expected, "%0.2f", value);
  if (m > 0 && static_cast<std::size_t>(m) <= value_chars) {
    FUZZ_CHECK(std::strcmp(text, expected) == 0);
  } else if (!std::isnan(value) && !std::isinf(value)) {
    // Too long for two decimals: a form that reads back as the same double.
    double back = 0.0;
    const char *end = nullptr;
    FUZZ_CHECK(parse_last_value(text, &back));
    FUZZ_CHECK(read_number(text, &back, &end) && end == text + n);
    FUZZ_CHECK(same_bits(back, value));
  }
  std::memcpy(out, text, last_value_size);
  delete[] text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  ComfortCase loaded{};
  std::size_t pos = 0;
  for (int k = 0; k < case_field_count && pos <= size; ++k) {
    // The next line, cut at a NUL and at 49 characters as the buffer cuts it.
    std::size_t line_end = pos;
    while (line_end < size && data[line_end] != '\n')
      ++line_end;
    std::size_t len = 0;
    while (len < line_end - pos && len < value_chars && data[pos + len] != 0)
      ++len;
    char *text = new char[len + 1];
    std::memcpy(text, data + pos, len);
    text[len] = '\0';
    pos = line_end + 1;

    const int field = ini_field_order[k];
    const ComfortCase before = loaded;
    apply_last_value(loaded, field, text);
    for (int f = 0; f < case_field_count; ++f) {
      if (f != field) FUZZ_CHECK(same_bits(field_of(loaded, f), field_of(before, f)));
    }
    const double value = field_of(loaded, field);
    FUZZ_CHECK(!std::isnan(value));

    double parsed = -1.5;
    const bool ok = parse_last_value(text, &parsed);
    FUZZ_CHECK(same_bits(value, ok ? parsed : field_of(before, field)));
    if (strtod_can_judge(text)) {
      char *end = nullptr;
      const double expected = std::strtod(text, &end);
      FUZZ_CHECK(ok == (end != text));
      if (ok) FUZZ_CHECK(same_bits(value, expected));
    }
    delete[] text;
  }

  // What "Close" then stores, and what the next start makes of it.
  for (int f = 0; f < case_field_count; ++f) {
    const double value = field_of(loaded, f);
    char first[last_value_size];
    store(value, first);
    if (std::isinf(value)) continue; // stored as "inf", which no start reads
    ComfortCase next{};
    apply_last_value(next, f, first);
    char second[last_value_size];
    store(field_of(next, f), second);
    FUZZ_CHECK(std::strcmp(first, second) == 0);
  }
  return 0;
}
