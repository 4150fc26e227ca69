// Number text: what a field or the settings file may hold and what it is
// read as, how values are shown and stored, and the range messages. These
// run under Wine too, so the Windows C runtime is held to the same texts.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "app/comfort_case.h"
#include "app/field_text.h"
#include "app/last_values.h"
#include "app/numtext.h"

namespace {

const double inf = std::numeric_limits<double>::infinity();

TEST(NumberText, Reading) {
  const struct {
    const char *text;
    bool read;
    double value;
  } rows[] = {{"0x10", true, 0.0}, {"1e", true, 1.0}, {"nan", false, 0}, {"inf", false, 0}};
  for (const auto &r : rows) {
    double value = -123.0;
    EXPECT_EQ(read_number(r.text, &value), r.read) << r.text;
    EXPECT_EQ(value, r.read ? r.value : -123.0) << r.text;
  }
}

std::string shown(double value, int width, int decimals, std::size_t size = value_text_size) {
  char buf[value_text_size + 8];
  std::memset(buf, 'X', sizeof buf);
  const int n = format_number(buf, size, value, width, decimals);
  EXPECT_EQ(buf[size], 'X') << "written past the buffer";
  EXPECT_EQ(n, n < 0 ? -1 : static_cast<int>(std::strlen(buf)));
  return buf;
}

// "%*.*lf" with width 4 as the dialog shows values, and the two-decimal text
// of the files: correctly rounded from the binary value, ties to even.
TEST(NumberText, Showing) {
  const struct {
    double value;
    int width, decimals;
    const char *text;
  } rows[] = {{1.0, 4, 1, " 1.0"},   {inf, 4, 1, " inf"},
              {NAN, 4, 1, " nan"},   {1e62, 4, 1, "1e+62"},
              {0.125, 0, 2, "0.12"}, {0.375, 0, 2, "0.38"}, // ties, to the even digit
              {2.675, 0, 2, "2.67"}}; // stored as 2.67499999999999982..., below the tie
  for (const auto &r : rows)
    EXPECT_EQ(shown(r.value, r.width, r.decimals), r.text) << r.text;
  EXPECT_EQ(shown(9.99999e60, 4, 1).size(), 63u); // 61 digits, the point, one decimal
}

TEST(FieldText, ReadingAndRefusing) {
  const struct {
    const char *text;
    double minimum, maximum;
    bool accepted;
    double value;
  } rows[] = {{"1,5", 0, 2, true, 1.5},  {"  2.0  ", 0, 2, true, 2.0}, {"1.5 m", 0, 2, true, 1.5},
              {"1.5x", 0, 2, true, 1.5}, {"", 0, 2, true, 0.0},        {"   ", 0, 1, true, 0.0},
              {"", 0.8, 4, false, 0},    {"abc", 0.8, 4, false, 0},    {"1", NAN, 2, false, 0},
              {"\t", 0, 2, false, 0}}; // a tab is no blank nor a number; a NaN end admits nothing
  for (const auto &r : rows) {
    char buffer[field_buffer_size] = {};
    std::memcpy(buffer, r.text, std::strlen(r.text));
    double value = -123.0;
    EXPECT_EQ(parse_field_text(buffer, r.minimum, r.maximum, &value), r.accepted ? 0 : -1)
        << r.text;
    EXPECT_EQ(value, r.accepted ? r.value : -123.0) << r.text;
  }
}

// The six input fields of the program's own table: each range's ends
// accepted exactly, the nearest doubles outside them refused, its message.
TEST(FieldText, LimitsAndRangeMessages) {
  const struct {
    double minimum, maximum;
    const char *message;
  } fields[] = {{0.8, 4.0, "0.80 ... 4.00 !"},     {0.0, 2.0, "0.00 ... 2.00 !"},
                {10.0, 30.0, "10.00 ... 30.00 !"}, {10.0, 40.0, "10.00 ... 40.00 !"},
                {0.0, 1.0, "0.00 ... 1.00 !"},     {1.0, 100.0, "1.00 ... 100.00 !"}};
  for (int i = 0; i < case_input_count; ++i) {
    const CaseField &f = case_fields[i];
    const double lo = fields[i].minimum, hi = fields[i].maximum;
    for (const double v : {lo, hi, std::nextafter(lo, -inf), std::nextafter(hi, inf)}) {
      char text[field_buffer_size] = {};
      std::to_chars(text, text + field_read_count, v); // the shortest text that reads back as v
      double value = -123.0;
      const bool inside = v == lo || v == hi;
      EXPECT_EQ(parse_field_text(text, f.minimum, f.maximum, &value), inside ? 0 : -1) << text;
      EXPECT_EQ(value, inside ? v : -123.0) << text;
    }
    char text[field_buffer_size];
    format_range_message(text, sizeof text, f.minimum, f.maximum);
    EXPECT_STREQ(text, fields[i].message);
  }
}

TEST(LastValues, StoredTexts) {
  const struct {
    double value;
    const char *text;
  } rows[] = {{1e46, "9999999999999999931398190359470212947659194368.00"}, // 49: the most
              {-1e46, "-1e+46"}};
  for (const auto &r : rows) {
    char text[last_value_size];
    EXPECT_EQ(format_last_value(text, r.value), static_cast<int>(std::strlen(r.text)));
    EXPECT_STREQ(text, r.text);
  }
}

} // namespace
