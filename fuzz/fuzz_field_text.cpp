// The reading of one dialog field from whatever text the edit control holds:
// the bytes are put into a zeroed 60-byte read buffer with at most 29
// characters, as GetDlgItemTextA with a count of 30 leaves it. A value may
// only pass inside its range, a refusal must leave the value alone, and
// nothing may be written behind the text.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "app/comfort_case.h"
#include "app/field_text.h"
#include "fuzz/fuzz_check.h"

namespace {

// What the field should give, worked out independently with strtod where
// strtod can judge the text: 1 accepted, 0 refused, -1 unknown.
int expected_result(const char *original, double minimum, double maximum, double *expected) {
  char text[field_buffer_size];
  std::memcpy(text, original, field_buffer_size);
  std::size_t len = std::strlen(text);
  while (len > 0 && text[len - 1] == ' ')
    text[--len] = '\0';
  for (std::size_t i = 0; i < len; ++i) {
    if (text[i] == ',') text[i] = '.';
  }
  double v = 0.0;
  if (len > 0) {
    if (!strtod_can_judge(text)) return -1;
    char *end = nullptr;
    v = std::strtod(text, &end);
    if (end == text) return 0;
  }
  *expected = v;
  return minimum <= v && v <= maximum ? 1 : 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  if (size == 0) return 0;
  // First byte: one of the six input ranges, or else any range given by
  // the next 16 bytes (NaN and reversed ranges included).
  double minimum = 0.0;
  double maximum = 0.0;
  std::size_t pos = 1;
  if (data[0] < case_input_count) {
    minimum = case_fields[data[0]].minimum;
    maximum = case_fields[data[0]].maximum;
  } else {
    if (size < 17) return 0;
    std::memcpy(&minimum, data + 1, sizeof minimum);
    std::memcpy(&maximum, data + 9, sizeof maximum);
    pos = 17;
  }

  char *buffer = static_cast<char *>(std::calloc(field_buffer_size, 1));
  std::size_t len = 0;
  while (pos + len < size && len < static_cast<std::size_t>(field_read_count - 1) &&
         data[pos + len] != 0) {
    buffer[len] = static_cast<char>(data[pos + len]);
    ++len;
  }
  char original[field_buffer_size];
  std::memcpy(original, buffer, field_buffer_size);

  const double untouched = -777.25;
  double value = untouched;
  const int status = parse_field_text(buffer, minimum, maximum, &value);
  FUZZ_CHECK(status == 0 || status == -1);
  if (status == 0) {
    FUZZ_CHECK(!std::isnan(value));
    FUZZ_CHECK(minimum <= value && value <= maximum);
  } else {
    FUZZ_CHECK(same_bits(value, untouched));
  }

  // The text may only get shorter; the zeros behind it stay.
  const std::size_t after = std::strlen(buffer);
  FUZZ_CHECK(after <= len);
  for (std::size_t i = len; i < field_buffer_size; ++i)
    FUZZ_CHECK(buffer[i] == '\0');
  FUZZ_CHECK(std::memchr(buffer, ',', after) == nullptr);
  FUZZ_CHECK(after == 0 || buffer[after - 1] != ' ');

  double expected = 0.0;
  const int judged = expected_result(original, minimum, maximum, &expected);
  if (judged == 1) {
    FUZZ_CHECK(status == 0);
    FUZZ_CHECK(same_bits(value, expected));
  } else if (judged == 0) {
    FUZZ_CHECK(status == -1);
  }

  std::free(buffer);
  return 0;
}
