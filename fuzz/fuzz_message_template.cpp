// The template of the in-memory message box from arbitrary titles, texts,
// flags and buffer sizes, and the two template writers on their own at
// arbitrary offsets. Buffers are heap blocks of exactly the size passed, so
// that ASan sees any write past them. Every template is walked as the
// platform reads it: header, items at 4-aligned offsets, class marker and
// atom, terminated texts, creation data, item count, nothing behind the end.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "dlglib/dialog_template.h"
#include "dlglib/message_layout.h"
#include "dlglib/message_template.h"
#include "fuzz/fuzz_check.h"

namespace {

// Input layout: 4 bytes of flags; an options byte (bits 0-1: converter,
// bit 6: the writers on their own, bit 7: a size other than 4000); 2 bytes
// of size; 2 bytes of offset; a repeat count for the title and one for the
// text, so that texts of thousands of characters are cheap to reach; then
// the title, a NUL, and the text.
struct Params {
  std::uint8_t flags[4];
  std::uint8_t options;
  std::uint8_t size_lo, size_hi;
  std::uint8_t offset_lo, offset_hi;
  std::uint8_t title_repeat;
  std::uint8_t text_repeat;
};

constexpr std::size_t max_text = 9000;

// Converters: the single-byte one of the tests; one that turns every two
// bytes into one unit, as a double-byte code page may; one that fails.
int double_byte_to_utf16(const char *text, int count, unsigned char *dest, int capacity) {
  int n = 0;
  for (int i = 0; i < count && n < capacity; i += 2, ++n) {
    dest[2 * n] = static_cast<unsigned char>(text[i]);
    dest[2 * n + 1] = i + 1 < count ? static_cast<unsigned char>(text[i + 1]) : 1;
  }
  return n;
}

int failing_to_utf16(const char *, int, unsigned char *, int) { return 0; }

const AnsiToUtf16 converters[] = {single_byte_to_utf16, double_byte_to_utf16, failing_to_utf16,
                                  single_byte_to_utf16};

std::string repeated(const std::uint8_t *data, std::size_t len, int times) {
  std::string s;
  for (int i = 0; i < times && s.size() < max_text; ++i)
    s.append(reinterpret_cast<const char *>(data), len);
  if (s.size() > max_text) s.resize(max_text);
  return s;
}

// Reads of the template, each checked to lie before its end.
struct Reader {
  const unsigned char *buf;
  int end;
  unsigned u16(int off) const {
    FUZZ_CHECK(off >= 0 && off + 2 <= end);
    return buf[off] | static_cast<unsigned>(buf[off + 1]) << 8;
  }
  std::uint32_t u32(int off) const {
    return u16(off) | static_cast<std::uint32_t>(u16(off + 2)) << 16;
  }
  // Units of the terminated text at `off`; checks them against `expected`
  // (the ANSI text as the single-byte conversion gives it) when given.
  int text(int off, const char *expected) const {
    int n = 0;
    while (u16(off + 2 * n) != 0) {
      if (expected) FUZZ_CHECK(u16(off + 2 * n) == static_cast<unsigned char>(expected[n]));
      ++n;
    }
    return n;
  }
};

bool all_zero(const unsigned char *buf, int from, int to) {
  for (int i = from; i < to; ++i) {
    if (buf[i] != 0) return false;
  }
  return true;
}

// The box width for a text, worked out from the rules on their own.
int expected_width(int buttons, const char *text, std::size_t len) {
  int longest = 0;
  int count = 0;
  for (std::size_t i = 0; i < len; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == 13) {
      if (count > longest) longest = count;
      count = 0;
    } else if (c >= 32) {
      ++count;
    }
  }
  if (count > longest) longest = count;
  int width = buttons == 3 ? 136 : 120;
  if (longest > 32) {
    const int candidate = longest >= 59 ? 200 : 3 * longest + 24;
    if (candidate > width) width = candidate;
  }
  return width;
}

void check_message_template(const Params &p, const std::string &title, const std::string &text) {
  const std::uint32_t flags = p.flags[0] | static_cast<std::uint32_t>(p.flags[1]) << 8 |
                              static_cast<std::uint32_t>(p.flags[2]) << 16 |
                              static_cast<std::uint32_t>(p.flags[3]) << 24;
  const int size = (p.options & 0x80) ? (p.size_lo | p.size_hi << 8) % 4400 : message_template_size;
  const int conversion = p.options & 3;
  const bool single_byte = converters[conversion] == single_byte_to_utf16;

  static const int button_sets[8][4] = {{1, 1},    {2, 1, 2}, {1, 1},    {3, 6, 7, 2},
                                        {2, 6, 7}, {2, 6, 7}, {2, 6, 7}, {3, 6, 7, 2}};
  const int *set = button_sets[flags & 7];
  const int count = set[0];

  unsigned char *buf = static_cast<unsigned char *>(std::calloc(size > 0 ? size : 1, 1));
  const int end =
      build_message_template(buf, size, title.c_str(), text.c_str(), flags, converters[conversion]);
  FUZZ_CHECK(button_count == count);
  for (int i = 0; i < count; ++i)
    FUZZ_CHECK(button_ids[i] == set[1 + i]);
  if (end < 0) {
    FUZZ_CHECK(end == -1);
    // Only a buffer far smaller than the real one may give no template.
    FUZZ_CHECK(size < message_template_size);
    std::free(buf);
    return;
  }
  FUZZ_CHECK(end <= size);
  FUZZ_CHECK(all_zero(buf, end, size));

  const Reader r{buf, end};
  FUZZ_CHECK(r.u32(0) == message_box_style);
  FUZZ_CHECK(r.u32(4) == 0);
  FUZZ_CHECK(r.u16(8) == static_cast<unsigned>(count + 1));
  FUZZ_CHECK(r.u16(10) == 10 && r.u16(12) == 15 && r.u16(16) == 62);
  FUZZ_CHECK(r.u16(18) == 0 && r.u16(20) == 0);
  const int width = static_cast<int>(r.u16(14));
  const int n = r.text(22, single_byte ? title.c_str() : nullptr);
  FUZZ_CHECK(n <= dialog_title_max_chars);

  int off = 24 + 2 * n;
  int m = 0;
  for (int k = 0; k <= count; ++k) {
    FUZZ_CHECK(off % 2 == 0);
    if (off % 4 != 0) off += 2;
    const int item = off;
    FUZZ_CHECK(r.u32(item + 4) == 0);
    FUZZ_CHECK(r.u16(item + 18) == 0xFFFF);
    int units;
    if (k == 0) {
      FUZZ_CHECK(r.u32(item) == message_text_style);
      FUZZ_CHECK(r.u16(item + 8) == 6 && r.u16(item + 10) == 8);
      FUZZ_CHECK(r.u16(item + 12) == static_cast<unsigned>(width - 12) && r.u16(item + 14) == 32);
      FUZZ_CHECK(r.u16(item + 16) == static_cast<unsigned>(message_text_id));
      FUZZ_CHECK(r.u16(item + 20) == static_cast<unsigned>(static_class_atom));
      units = m = r.text(item + 22, single_byte ? text.c_str() : nullptr);
    } else {
      const int id = set[k];
      const int row = width / 2 - (count == 3 ? 64 : count == 2 ? 42 : 20);
      FUZZ_CHECK(r.u32(item) == message_button_style);
      FUZZ_CHECK(r.u16(item + 8) == static_cast<unsigned>(row + 44 * (k - 1)));
      FUZZ_CHECK(r.u16(item + 10) == 44 && r.u16(item + 12) == 40 && r.u16(item + 14) == 12);
      FUZZ_CHECK(r.u16(item + 16) == static_cast<unsigned>(id));
      FUZZ_CHECK(r.u16(item + 20) == static_cast<unsigned>(button_class_atom));
      const char *caption = id == 6 ? "&Yes" : id == 7 ? "&No" : id == 2 ? "&Cancel" : "&Ok";
      units = r.text(item + 22, single_byte ? caption : nullptr);
      // A caption is never cut: every box keeps all its buttons.
      if (single_byte) FUZZ_CHECK(units == static_cast<int>(std::strlen(caption)));
    }
    FUZZ_CHECK(r.u16(item + 24 + 2 * units) == 0); // creation data size
    off = item + 26 + 2 * units;
  }
  FUZZ_CHECK(off == end);

  // The box is as wide as the longest line of the text it was asked to show
  // (or of the part of it that it shows) and holds its row of buttons.
  FUZZ_CHECK(width == expected_width(count, text.c_str(), text.size()) ||
             width == expected_width(count, text.c_str(), static_cast<std::size_t>(m)));
  const int row = width / 2 - (count == 3 ? 64 : count == 2 ? 42 : 20);
  FUZZ_CHECK(row >= 0 && row + 44 * count - 4 <= width);

  if (single_byte) {
    const int title_len = static_cast<int>(title.size());
    const int text_len = static_cast<int>(text.size());
    FUZZ_CHECK(n <= title_len && m <= text_len);
    // The real buffer keeps at least the first 1000 characters of a message.
    if (size == message_template_size)
      FUZZ_CHECK(m >= (text_len < message_text_kept_chars ? text_len : message_text_kept_chars));
    // Nothing is cut when everything fits, alignment included.
    int buttons_room = 0;
    for (int k = 1; k <= count; ++k)
      buttons_room += 2 + 26 + 2 * (set[k] == 2 ? 7 : set[k] == 1 || set[k] == 7 ? 3 : 4);
    if (title_len <= dialog_title_max_chars &&
        24 + 2 * title_len + 2 + 26 + 2 * text_len + buttons_room <= size) {
      FUZZ_CHECK(n == title_len && m == text_len);
    }
  }
  std::free(buf);
}

// The writers on their own: a header or an item at any offset into any
// size; nothing is written outside the part they report.
void check_writers(const Params &p, const std::string &title, const std::string &text) {
  const int size = (p.size_lo | p.size_hi << 8) % 600;
  const int offset = static_cast<std::int16_t>(p.offset_lo | p.offset_hi << 8) % 640;
  const AnsiToUtf16 convert = converters[p.options & 3];
  const bool single_byte = convert == single_byte_to_utf16;
  unsigned char *buf = static_cast<unsigned char *>(std::calloc(size > 0 ? size : 1, 1));

  const int h =
      write_dialog_header(buf, 0xA5A5A5A5u, 0x1234, -1, 2, 3, 4, title.c_str(), size, convert);
  if (h < 0) {
    FUZZ_CHECK(h == -1 && size < dialog_header_fixed_size);
    FUZZ_CHECK(all_zero(buf, 0, size));
  } else {
    FUZZ_CHECK(h >= dialog_header_fixed_size && h <= size && h % 2 == 0);
    FUZZ_CHECK(all_zero(buf, h, size));
    const Reader r{buf, h};
    FUZZ_CHECK(r.u32(0) == 0xA5A5A5A5u && r.u32(4) == 0 && r.u16(8) == 0x1234);
    FUZZ_CHECK(r.u16(10) == 0xFFFF && r.u16(18) == 0 && r.u16(20) == 0);
    const int n = r.text(22, single_byte ? title.c_str() : nullptr);
    FUZZ_CHECK(h == dialog_header_fixed_size + 2 * n);
    if (single_byte) {
      int expected = static_cast<int>(title.size());
      if (expected > dialog_title_max_chars) expected = dialog_title_max_chars;
      if (expected > (size - dialog_header_fixed_size) / 2)
        expected = (size - dialog_header_fixed_size) / 2;
      FUZZ_CHECK(n == expected);
    }
  }

  std::memset(buf, 0, size > 0 ? size : 1);
  const int e = write_dialog_item(buf, offset, button_class_atom, 7, message_button_style, 1, 2, 3,
                                  4, text.c_str(), size, convert);
  const int start = (offset + 3) & ~3;
  if (e < 0) {
    FUZZ_CHECK(e == -1 && (offset < 0 || start + dialog_item_fixed_size > size));
    FUZZ_CHECK(all_zero(buf, 0, size));
  } else {
    FUZZ_CHECK(offset >= 0 && start % 4 == 0 && start - offset <= 3);
    FUZZ_CHECK(e >= start + dialog_item_fixed_size && e <= size);
    FUZZ_CHECK(all_zero(buf, 0, start) && all_zero(buf, e, size));
    const Reader r{buf, e};
    FUZZ_CHECK(r.u32(start) == message_button_style && r.u32(start + 4) == 0);
    FUZZ_CHECK(r.u16(start + 16) == 7 && r.u16(start + 18) == 0xFFFF);
    FUZZ_CHECK(r.u16(start + 20) == button_class_atom);
    const int m = r.text(start + 22, single_byte ? text.c_str() : nullptr);
    FUZZ_CHECK(e == start + dialog_item_fixed_size + 2 * m);
    if (single_byte) {
      // Cut only where the text would not fit.
      int expected = static_cast<int>(text.size());
      if (expected > (size - start - dialog_item_fixed_size) / 2)
        expected = (size - start - dialog_item_fixed_size) / 2;
      FUZZ_CHECK(m == expected);
    }
  }
  std::free(buf);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  Params p{};
  std::memcpy(&p, data, size < sizeof p ? size : sizeof p);
  const std::uint8_t *rest = data + (size < sizeof p ? size : sizeof p);
  const std::size_t rest_len = size - static_cast<std::size_t>(rest - data);
  const void *nul = std::memchr(rest, 0, rest_len);
  const std::size_t title_len =
      nul ? static_cast<std::size_t>(static_cast<const std::uint8_t *>(nul) - rest) : rest_len;
  const std::uint8_t *text_start = rest + (nul ? title_len + 1 : rest_len);
  const std::size_t text_room = rest_len - static_cast<std::size_t>(text_start - rest);
  const void *text_nul = std::memchr(text_start, 0, text_room);
  const std::size_t text_len =
      text_nul ? static_cast<std::size_t>(static_cast<const std::uint8_t *>(text_nul) - text_start)
               : text_room;

  const std::string title = repeated(rest, title_len, 1 + p.title_repeat);
  const std::string text = repeated(text_start, text_len, 1 + p.text_repeat);
  if (p.options & 0x40) {
    check_writers(p, title, text);
  } else {
    check_message_template(p, title, text);
  }
  return 0;
}
