// Number text of our own, so that what the user types and what the files
// hold read and print the same on every C runtime and in every locale:
// msvcrt, ucrt and glibc disagree on "nan", "inf", hex input and on the
// rounding of "%0.2lf".
#ifndef PMV_APP_NUMTEXT_H
#define PMV_APP_NUMTEXT_H

#include <cstddef>

// Reads a decimal number the way "%lf" does in the "C" locale: leading white
// space, optional sign, digits with an optional point and fraction (at least
// one digit), optional exponent. Stops at the first character that cannot
// continue the number. No infinities, NaN or hexadecimal forms. Correctly
// rounded; too large gives the signed infinity, too small the signed zero.
// Returns true and sets *value when a number was read; otherwise *value is
// untouched. *end, when given, receives the position after the number.
bool read_number(const char *text, double *value, const char **end = nullptr);

// "%*.*lf": fixed point, `decimals` digits after the point, the exact binary
// value correctly rounded (half to even on exact ties), right-aligned to
// `width` with blanks. Infinities print as "inf" and "-inf", a NaN as "nan",
// or "-nan" when its sign bit is set, as glibc prints them. Writes at most
// size - 1 characters and the terminator. Returns the length, or -1 when the
// text does not fit; dst is then the empty text. Decimals are held to
// 0..max_fixed_decimals and a negative width counts as 0: the program needs
// 0..2.
int format_fixed(char *dst, std::size_t size, double value, int width, int decimals);
constexpr int max_fixed_decimals = 40;
// Holds every text of format_fixed without its padding: the longest, a sign,
// 309 integer digits, the point and max_fixed_decimals decimals, is 351
// characters.
constexpr std::size_t fixed_text_size = 400;
static_assert(fixed_text_size > 1 + 309 + 1 + max_fixed_decimals);

// The shortest text that reads back as the same double ("1e+300",
// "2.5e-07"). Same result convention as format_fixed.
int format_shortest(char *dst, std::size_t size, double value);

// format_fixed where it fits, otherwise format_shortest: a bounded text that
// still reads back as the value. Returns the length, or -1 (size too small
// even for the shortest form; dst is then empty).
int format_number(char *dst, std::size_t size, double value, int width, int decimals);

#endif
