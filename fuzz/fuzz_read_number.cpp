// The number reader on any text: it stays inside the text, a failed read
// leaves the value alone, and it agrees with glibc's strtod in the "C"
// locale (which rounds correctly) on value and length wherever strtod can
// judge the text.
#include <cerrno>

#include "app/numtext.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  char *text = text_of(data, size);
  double value = 12345.678;
  const char *end = nullptr;
  const bool read = read_number(text, &value, &end);
  if (read) FUZZ_CHECK(end > text && end <= text + std::strlen(text));
  if (!read) FUZZ_CHECK(same_bits(value, 12345.678));
  if (strtod_can_judge(text)) {
    char *strtod_end = nullptr;
    errno = 0;
    const double expected = std::strtod(text, &strtod_end);
    FUZZ_CHECK(read == (strtod_end != text));
    FUZZ_CHECK(!read || (same_bits(value, expected) && end == strtod_end));
  }
  delete[] text;
  return 0;
}
