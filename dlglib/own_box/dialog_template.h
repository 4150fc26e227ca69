// Writing a dialog template into memory, field by field. Portable: the bytes
// are built without a platform call, so that tests compare them natively byte
// for byte; only the ANSI to UTF-16 conversion differs between the Windows
// build (MultiByteToWideChar, see dlglib.h) and the tests, so it is passed in.
// One ANSI character gives one UTF-16 unit in a single-byte code page; the
// sizes are taken from what the conversion reports, never from assumptions.
//
// Layout (little-endian, offsets in bytes, positions and sizes in dialog
// units): DLGTEMPLATE without font fields, then DLGITEMTEMPLATE items.
//
//   header, at 0                       item, at a multiple of 4
//    0  4  style                         0  4  style
//    4  4  extended style (0)            4  4  extended style (0)
//    8  2  number of items               8  2  x
//   10  2  x                            10  2  y
//   12  2  y                            12  2  cx
//   14  2  cx                           14  2  cy
//   16  2  cy                           16  2  id
//   18  2  menu (0: none)               18  2  0xFFFF: a class atom follows
//   20  2  window class (0: dialog)     20  2  class atom (0x0082 static,
//   22 2n  title, n UTF-16 units                   0x0080 button)
//   22+2n 2 title terminator (0)        22 2m  text, m UTF-16 units
//   = 24 + 2n bytes                     22+2m 2 text terminator (0)
//                                       24+2m 2 creation data size (0)
//                                       = 26 + 2m bytes
//
// The terminators and the extended styles are not written: they are the
// zeros of the buffer, which the caller clears before the first write. Both
// functions take the buffer size, count the terminator in, and cut a text
// rather than write past it; the buffer must be aligned to 4 bytes.
#ifndef PMV_DLGLIB_OWN_BOX_DIALOG_TEMPLATE_H
#define PMV_DLGLIB_OWN_BOX_DIALOG_TEMPLATE_H

#include <cstdint>

// Converts `count` bytes of ANSI text into at most `capacity` UTF-16LE units
// at `dest` (2-byte aligned); returns the number of units written, 0 on
// failure.
using AnsiToUtf16 = int (*)(const char *text, int count, unsigned char *dest, int capacity);

// Each byte becomes the unit of the same value: right for ISO 8859-1 text
// and for ASCII in every single-byte code page. For tests and fuzzing.
int single_byte_to_utf16(const char *text, int count, unsigned char *dest, int capacity);

constexpr int dialog_header_fixed_size = 24; // with the title terminator
constexpr int dialog_item_fixed_size = 26;   // with terminator and creation data
constexpr int dialog_title_max_chars = 2000;
constexpr uint16_t static_class_atom = 0x0082;
constexpr uint16_t button_class_atom = 0x0080;

// Writes the header; the title is cut at dialog_title_max_chars and to what
// fits in `size`. Returns the bytes the header takes (24 + 2n), or -1 without
// writing anything when `size` has not room for a header with an empty title.
int write_dialog_header(unsigned char *buffer, uint32_t style, int items, int x, int y, int cx,
                        int cy, const char *title, int size, AnsiToUtf16 convert);

// Writes an item at `offset` raised to a multiple of 4; the text is cut only
// where it would not fit in `size`. Returns the offset just behind the item,
// or -1 without writing anything when not even an empty item fits.
int write_dialog_item(unsigned char *buffer, int offset, uint16_t class_atom, int id,
                      uint32_t style, int x, int y, int cx, int cy, const char *text, int size,
                      AnsiToUtf16 convert);

#endif
