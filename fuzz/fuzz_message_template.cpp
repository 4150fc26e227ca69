// The in-memory message box's template from any title, text, flags and
// buffer size, into a heap block of exactly that size, so that ASan sees a
// write past it. The real 4000 bytes always give a template with the item
// count the buttons ask for, the message keeping at least 1000 characters.
#include <algorithm>
#include <string>

#include "dlglib/message_layout.h"
#include "dlglib/message_template.h"
#include "fuzz/fuzz_check.h"

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
  FUZZ_CHECK(end <= buffer_size && (end >= 0 || buffer_size != message_template_size));
  if (buffer_size == message_template_size) {
    FUZZ_CHECK(buffer[8] == button_count + 1);
    int at = 22;
    while (buffer[at] | buffer[at + 1]) // the title
      at += 2;
    at = ((at + 5) & ~3) + 22; // the message, in the first item
    int n = 0;
    while (buffer[at + 2 * n] | buffer[at + 2 * n + 1])
      ++n;
    FUZZ_CHECK(n >= 1000 || n == static_cast<int>(text.size()));
  }
  delete[] buffer;
  return 0;
}
