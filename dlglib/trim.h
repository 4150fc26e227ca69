// Cutting trailing blanks off dialog texts before they are parsed.
// A blank is the space character only; tabs and leading blanks stay.
#ifndef PMV_DLGLIB_TRIM_H
#define PMV_DLGLIB_TRIM_H

#include <cstdint>

// Length of the first `length` characters of `text` (or fewer, at its NUL)
// without trailing blanks. Texts must be shorter than 32,768 characters.
int16_t trimmed_length(const char *text, int length);

// Cuts `text` after its last non-blank character; returns the new length.
int trim_trailing_blanks(char *text);

#endif
