// The dialog template writer (layout in dialog_template.h). Values are stored
// byte by byte in little-endian order, so the template is the same on any
// host; the conversion writes its UTF-16 units in that order too.
// Every length is checked against the buffer size before anything is
// written: a long text is cut, a buffer without room is refused.
#include "dlglib/own_box/dialog_template.h"

#include <cstring>

namespace {

void put16(unsigned char *p, int value) {
  const unsigned v = static_cast<unsigned>(value) & 0xFFFFu;
  p[0] = static_cast<unsigned char>(v & 0xFFu);
  p[1] = static_cast<unsigned char>(v >> 8);
}

void put32(unsigned char *p, uint32_t value) {
  for (int i = 0; i < 4; ++i)
    p[i] = static_cast<unsigned char>((value >> (8 * i)) & 0xFFu);
}

// Position and size, as the header and every item hold them.
void put_rect(unsigned char *p, int x, int y, int cx, int cy) {
  put16(p + 0, x);
  put16(p + 2, y);
  put16(p + 4, cx);
  put16(p + 6, cy);
}

// Converts at most `max_chars` characters of `text` to UTF-16 at `at`
// (2-byte aligned) and returns the number of units written.
int put_text(unsigned char *at, const char *text, int max_chars, AnsiToUtf16 convert) {
  if (text == nullptr || max_chars <= 0) return 0;
  const std::size_t length = std::strlen(text);
  const int count =
      length < static_cast<std::size_t>(max_chars) ? static_cast<int>(length) : max_chars;
  if (count == 0) return 0;
  const int written = convert(text, count, at, count);
  if (written < 0) return 0;
  return written > count ? count : written;
}

} // namespace

int single_byte_to_utf16(const char *text, int count, unsigned char *dest, int capacity) {
  const int n = count < capacity ? count : capacity;
  for (int i = 0; i < n; ++i) {
    dest[2 * i] = static_cast<unsigned char>(text[i]);
    dest[2 * i + 1] = 0;
  }
  return n < 0 ? 0 : n;
}

int write_dialog_header(unsigned char *buffer, uint32_t style, int items, int x, int y, int cx,
                        int cy, const char *title, int size, AnsiToUtf16 convert) {
  if (size < dialog_header_fixed_size) return -1;
  int room = (size - dialog_header_fixed_size) / 2;
  if (room > dialog_title_max_chars) room = dialog_title_max_chars;
  put32(buffer + 0, style);
  put16(buffer + 8, items);
  put_rect(buffer + 10, x, y, cx, cy);
  put16(buffer + 18, 0); // no menu
  put16(buffer + 20, 0); // the platform's dialog class
  const int n = put_text(buffer + 22, title, room, convert);
  return dialog_header_fixed_size + 2 * n;
}

int write_dialog_item(unsigned char *buffer, int offset, uint16_t class_atom, int id,
                      uint32_t style, int x, int y, int cx, int cy, const char *text, int size,
                      AnsiToUtf16 convert) {
  if (offset < 0) return -1;
  const int start = (offset + 3) & ~3; // DWORD-aligned: an even offset gains 0 or 2
  if (start > size - dialog_item_fixed_size) return -1;
  unsigned char *item = buffer + start;
  put32(item + 0, style);
  put_rect(item + 8, x, y, cx, cy);
  put16(item + 16, id);
  put16(item + 18, 0xFFFF);
  put16(item + 20, class_atom);
  const int m = put_text(item + 22, text, (size - start - dialog_item_fixed_size) / 2, convert);
  put16(item + 24 + 2 * m, 0); // creation data size, behind the terminator
  return start + dialog_item_fixed_size + 2 * m;
}
