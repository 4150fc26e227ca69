// The in-memory message box's template from any title, text, flags and
// buffer size, into a heap block of exactly that size, so that ASan sees a
// write past it. The template is walked as the dialog manager reads it:
// the item count, items at 4-aligned offsets with the class marker and a
// terminated text, ending where the builder says, the buttons whole; with
// the real 4000 bytes the message keeps at least 1000 characters.
#include <algorithm>
#include <string>

#include "dlglib/message_layout.h"
#include "dlglib/message_template.h"
#include "fuzz/fuzz_check.h"

namespace {

unsigned u16(const unsigned char *p) { return p[0] | static_cast<unsigned>(p[1]) << 8; }

// The units of the terminated text at `p`, none at or behind `end`.
int units(const unsigned char *p, const unsigned char *end) {
  int n = 0;
  for (; u16(p + 2 * n) != 0; ++n)
    FUZZ_CHECK(p + 2 * n + 4 <= end);
  return n;
}

} // namespace

// Input: flags, a size byte (0: the real 4000 bytes), repeat counts for the
// title and the text, so that long texts are cheap to reach, then the title,
// a NUL and the text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  if (size < 4) return 0;
  const int buffer_size = data[1] == 0 ? message_template_size : 200 + 16 * data[1];
  const std::string input(reinterpret_cast<const char *>(data + 4), size - 4);
  const std::size_t nul = std::min(input.find('\0'), input.size());
  std::string title, text;
  for (int i = 0; i <= data[2] % 32; ++i)
    title += input.substr(0, nul);
  for (int i = 0; i <= data[3] % 32; ++i)
    text += input.substr(std::min(nul + 1, input.size()));
  text.resize(std::strlen(text.c_str()));

  auto *buffer = new unsigned char[buffer_size]();
  const int end = build_message_template(buffer, buffer_size, title.c_str(), text.c_str(), data[0],
                                         single_byte_to_utf16);
  if (end < 0) { // only a buffer far smaller than the real one
    FUZZ_CHECK(buffer_size != message_template_size);
  } else {
    FUZZ_CHECK(end <= buffer_size && u16(buffer + 8) == static_cast<unsigned>(button_count + 1));
    const unsigned char *p = buffer + 22;
    p += 2 * units(p, buffer + end) + 2;
    for (int item = 0; item <= button_count; ++item) {
      p = buffer + ((p - buffer + 3) & ~3);
      FUZZ_CHECK(u16(p + 18) == 0xFFFF);
      const int n = units(p + 22, buffer + end);
      if (item == 0 && buffer_size == message_template_size)
        FUZZ_CHECK(n >= 1000 || static_cast<std::size_t>(n) == text.size());
      char caption[button_caption_size];
      if (item > 0) button_caption(button_ids[item - 1], caption);
      FUZZ_CHECK(item == 0 || n == static_cast<int>(std::strlen(caption)));
      p += 26 + 2 * n;
    }
    FUZZ_CHECK(p == buffer + end);
  }
  delete[] buffer;
  return 0;
}
