// The part of reading one dialog field that needs no window: the text as
// GetDlgItemTextA left it becomes a value, or a refusal with its message.
#ifndef PMV_APP_FIELD_TEXT_H
#define PMV_APP_FIELD_TEXT_H

#include <cstddef>
#include <cstdint>

// Bounds of the texts that pass between the dialog and the values.
constexpr std::size_t field_buffer_size = 60; // read buffer, cleared to zeros
constexpr int field_read_count = 30;          // GetDlgItemTextA count: 29 characters
constexpr std::size_t value_text_size = 64;   // a shown value: 63 characters
constexpr int field_typing_limit = 16;        // EM_LIMITTEXT on every field
constexpr int field_width = 4;                // "%*.*lf" width of every shown value

// Cuts trailing blanks in place, turns commas into points, then reads the
// text (empty text is 0.0) and tests minimum <= value <= maximum.
// 0 and *value set when the value passes; -1 otherwise, *value untouched.
int16_t parse_field_text(char *text, double minimum, double maximum, double *value);

// "%0.2lf ... %0.2lf !" for a range, bounded by size.
void format_range_message(char *dst, std::size_t size, double minimum, double maximum);

#endif
