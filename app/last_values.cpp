// Value texts of "pmv_calc.ini" through our own number text, so that the file
// reads and writes the same on every C runtime and in every locale.
#include "app/last_values.h"

#include "app/numtext.h"

bool parse_last_value(const char *text, double *value) { return read_number(text, value); }

int format_last_value(char *dst, double value) {
  // The shortest form of a double is at most 24 characters, so this never
  // fails with 50 bytes.
  return format_number(dst, last_value_size, value, 0, 2);
}

void apply_last_value(ComfortCase &comfort_case, int field, const char *text) {
  parse_last_value(text, &(comfort_case.*case_fields[field].member));
}
