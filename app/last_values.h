// The texts of the last-values file, apart from the profile service: how a
// stored value text becomes a double and how a double becomes the text that
// is stored. The key order, keys and default texts are in comfort_case.h.
#ifndef PMV_APP_LAST_VALUES_H
#define PMV_APP_LAST_VALUES_H

#include <cstddef>

#include "app/comfort_case.h"

constexpr const wchar_t *last_values_section = L"LASTVALUES"; // for the UTF-16 profile calls
constexpr std::size_t last_value_size = 50;                   // value text buffer: 49 characters

// A stored text read as "%lf" reads it in the "C" locale: leading white space,
// then the longest number; the rest is ignored. True and *value set when the
// text begins with a number; otherwise false and *value untouched.
bool parse_last_value(const char *text, double *value);

// The text stored for a value, into `dst` of last_value_size bytes: "%0.2lf"
// (24.5 -> "24.50", -0.1234 -> "-0.12"). A value whose fixed text would not
// fit 49 characters (magnitudes from about 1e46 up) is stored in the
// shortest form that reads back as the same double ("1e+300"). Returns the
// length.
int format_last_value(char *dst, double value);

// Sets the field of `comfort_case` that case_fields[field] describes from a
// stored text; a text that does not begin with a number leaves it as it was.
void apply_last_value(ComfortCase &comfort_case, int field, const char *text);

#endif
