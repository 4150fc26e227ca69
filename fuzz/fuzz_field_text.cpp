// The reading of one dialog field from whatever the edit control holds, as
// GetDlgItemTextA leaves it in the cleared 60-byte buffer (at most 29
// characters), for each of the six input ranges: a value passes only inside
// its range and as strtod reads the trimmed text with commas turned into
// points; a refusal leaves the value alone; nothing is written behind the
// text.
#include <algorithm>

#include "app/comfort_case.h"
#include "app/field_text.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  if (size == 0) return 0;
  const CaseField &field = case_fields[data[0] % case_input_count];
  char *buffer = new char[field_buffer_size]();
  const std::size_t length = strnlen(reinterpret_cast<const char *>(data + 1),
                                     std::min<std::size_t>(size - 1, field_read_count - 1));
  std::memcpy(buffer, data + 1, length);
  std::string text = buffer;
  text.erase(text.find_last_not_of(' ') + 1);
  for (char &c : text)
    c = c == ',' ? '.' : c;

  double value = -777.25;
  const bool accepted = parse_field_text(buffer, field.minimum, field.maximum, &value) == 0;
  FUZZ_CHECK(accepted ? field.minimum <= value && value <= field.maximum
                      : same_bits(value, -777.25));
  FUZZ_CHECK(text == buffer);
  for (std::size_t i = length; i < field_buffer_size; ++i)
    FUZZ_CHECK(buffer[i] == '\0');
  if (strtod_can_judge(text.c_str())) {
    char *end = nullptr;
    const double expected = text.empty() ? 0.0 : std::strtod(text.c_str(), &end);
    const bool in_range = (text.empty() || end != text.c_str()) && field.minimum <= expected &&
                          expected <= field.maximum;
    FUZZ_CHECK(accepted == in_range && (!accepted || same_bits(value, expected)));
  }
  delete[] buffer;
  return 0;
}
