// Number text must be the same on glibc, msvcrt and ucrt: these tables run
// in the native build and, unchanged, in the Windows build under Wine.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "app/field_text.h"
#include "app/numtext.h"

namespace {

struct ReadRow {
  const char *text;
  bool ok;
  double value;
  int consumed; // characters taken, when ok
};

// More edges, with the text read back, are in the fuzz regression tables.
const ReadRow read_rows[] = {
    {"2.0", true, 2.0, 3},
    {"  2.0  ", true, 2.0, 5},
    {"2.0abc", true, 2.0, 3},
    {"1e1", true, 10.0, 3},
    {"1E+2x", true, 100.0, 4},
    {"\t\n 7", true, 7.0, 4},
    {"abc", false, 0, 0},
    {"-", false, 0, 0},
    {".", false, 0, 0},
    {"-.", false, 0, 0},
    {"", false, 0, 0},
    {"   ", false, 0, 0},
    {"nan", false, 0, 0},
    {"inf", false, 0, 0},
    {"-infinity", false, 0, 0},
    {"0x10", true, 0.0, 1},
    {"1e", true, 1.0, 1},
    {"1e+", true, 1.0, 1},
    {"1e-x", true, 1.0, 1},
    {"+.5", true, 0.5, 3},
    {"-0", true, -0.0, 2},
    {"0.1", true, 0.1, 3},
    {"24,5", true, 24.0, 2},
    {"2.45e1", true, 24.5, 6},
    {"1.7976931348623157e308", true, 1.7976931348623157e308, 22},
    {"1e400", true, std::numeric_limits<double>::infinity(), 5},
    {"-1e400", true, -std::numeric_limits<double>::infinity(), 6},
    {"123456789e305", true, std::numeric_limits<double>::infinity(), 13},
    {"1e-400", true, 0.0, 6},
    {"4.9e-324", true, 4.9e-324, 8},
    {"1e999999999999", true, std::numeric_limits<double>::infinity(), 14},
    // Correct rounding on a classic hard case and a long mantissa.
    {"2.2250738585072011e-308", true, 2.2250738585072011e-308, 23},
    {"0.30000000000000000000000000000000001", true, 0.3, 37},
};

TEST(ReadNumber, Table) {
  for (const ReadRow &r : read_rows) {
    SCOPED_TRACE(r.text);
    double v = 99.0;
    const char *end = nullptr;
    EXPECT_EQ(read_number(r.text, &v, &end), r.ok);
    if (r.ok) {
      EXPECT_EQ(v, r.value);
      EXPECT_EQ(std::signbit(v), std::signbit(r.value));
      EXPECT_EQ(end - r.text, r.consumed);
    } else {
      EXPECT_EQ(v, 99.0) << "a failed read leaves the value alone";
    }
  }
}

struct FormatRow {
  double value;
  int width, decimals;
  const char *text;
};

const FormatRow format_rows[] = {
    {1.0, 4, 1, " 1.0"},
    {24.5, 4, 1, "24.5"},
    {100.0, 4, 1, "100.0"},
    {0.08, 4, 2, "0.08"},
    {-0.53, 4, 2, "-0.53"},
    {0.0, 4, 2, "0.00"},
    {95.0, 4, 1, "95.0"},
    {0.125, 0, 2, "0.12"}, // exact tie: to even
    {0.375, 0, 2, "0.38"},
    {2.675, 0, 2, "2.67"}, // 2.67499999... in binary
    {1.005, 0, 2, "1.00"},
    {-0.004, 0, 2, "-0.00"},
    {-0.1234, 0, 2, "-0.12"},
    {24.5, 0, 2, "24.50"},
    {1.26, 4, 1, " 1.3"},
    {0.79, 4, 1, " 0.8"},
    {0.05, 4, 1, " 0.1"}, // 0.05000000000000000277
    {0.25, 4, 1, " 0.2"},
    {0.35, 4, 1, " 0.3"}, // 0.34999999999999997780
    {-0.0, 0, 2, "-0.00"},
    {1e21, 0, 2, "1000000000000000000000.00"},
    {std::numeric_limits<double>::infinity(), 4, 1, " inf"},
    {-std::numeric_limits<double>::infinity(), 0, 2, "-inf"},
    {std::nan(""), 0, 2, "nan"},
};

TEST(FormatFixed, Table) {
  for (const FormatRow &r : format_rows) {
    SCOPED_TRACE(r.text);
    char buf[64];
    EXPECT_EQ(format_fixed(buf, sizeof buf, r.value, r.width, r.decimals),
              static_cast<int>(std::strlen(r.text)));
    EXPECT_STREQ(buf, r.text);
  }
}

TEST(FormatFixed, NeverWritesPastTheBuffer) {
  char guard[80];
  for (double v : {1e300, -1e300, 1.7976931348623157e308, 1e59, 123.456}) {
    for (std::size_t size : {std::size_t{1}, std::size_t{4}, std::size_t{50}, std::size_t{64}}) {
      std::memset(guard, 'X', sizeof guard);
      const int n = format_fixed(guard, size, v, 4, 2);
      if (n < 0) {
        EXPECT_EQ(guard[0], '\0');
      } else {
        EXPECT_LT(static_cast<std::size_t>(n), size);
        EXPECT_EQ(guard[n], '\0');
      }
      for (std::size_t i = size; i < sizeof guard; ++i)
        ASSERT_EQ(guard[i], 'X');
    }
  }
  EXPECT_EQ(format_fixed(guard, 0, 1.0, 4, 1), -1);
}

// The fallback forms and the bounds are in the fuzz regression tables.
TEST(FormatNumber, FixedWhileItFits) {
  char buf[64];
  EXPECT_EQ(format_number(buf, sizeof buf, 1e59, 4, 1), 61); // one decimal still fits 63
  EXPECT_EQ(std::strchr(buf, 'e'), nullptr);
  EXPECT_EQ(format_number(buf, 50, 1e45, 0, 2), 48);
  ASSERT_EQ(format_number(buf, sizeof buf, 1e300, 4, 1), 6);
  EXPECT_STREQ(buf, "1e+300");
}

struct FieldRow {
  const char *text;
  double minimum, maximum;
  int status;
  double value;
};

const FieldRow field_rows[] = {
    {"1,5", 0.0, 2.0, 0, 1.5},    {"  2.0  ", 0.0, 2.0, 0, 2.0},   {"2.0abc", 0.0, 2.0, 0, 2.0},
    {"1e1", 10.0, 30.0, 0, 10.0}, {"", 0.0, 2.0, 0, 0.0},          {"    ", 0.0, 1.0, 0, 0.0},
    {"", 0.8, 4.0, -1, 0},        {"abc", 0.0, 2.0, -1, 0},        {"-", 0.0, 2.0, -1, 0},
    {".", 0.0, 2.0, -1, 0},       {"nan", 0.0, 2.0, -1, 0},        {"inf", 0.0, 2.0, -1, 0},
    {"0.79", 0.8, 4.0, -1, 0},    {"0.8", 0.8, 4.0, 0, 0.8},       {"4", 0.8, 4.0, 0, 4.0},
    {"0", 1.0, 100.0, -1, 0},     {"100.0", 1.0, 100.0, 0, 100.0}, {"0.5", 1.0, 100.0, -1, 0},
    {"1e2", 10.0, 30.0, -1, 0},   {"1.0\t", 0.0, 2.0, 0, 1.0}, // a tab is no blank, but ends the
                                                               // number
    {"1e400", 0.0, 2.0, -1, 0},   {"-0", 0.0, 1.0, 0, -0.0},
};

TEST(ParseFieldText, Table) {
  for (const FieldRow &r : field_rows) {
    SCOPED_TRACE(r.text);
    char buf[field_buffer_size] = {};
    std::strncpy(buf, r.text, field_read_count - 1);
    double v = 77.0;
    EXPECT_EQ(parse_field_text(buf, r.minimum, r.maximum, &v), r.status);
    EXPECT_EQ(v, r.status == 0 ? r.value : 77.0);
  }
}

TEST(RangeMessage, Texts) {
  const struct {
    double lo, hi;
    const char *text;
  } rows[] = {{0.8, 4.0, "0.80 ... 4.00 !"},     {0.0, 2.0, "0.00 ... 2.00 !"},
              {10.0, 30.0, "10.00 ... 30.00 !"}, {10.0, 40.0, "10.00 ... 40.00 !"},
              {0.0, 1.0, "0.00 ... 1.00 !"},     {1.0, 100.0, "1.00 ... 100.00 !"}};
  for (const auto &r : rows) {
    char buf[field_buffer_size];
    format_range_message(buf, sizeof buf, r.lo, r.hi);
    EXPECT_STREQ(buf, r.text);
  }
  char small[8] = "xxxxxxx";
  format_range_message(small, sizeof small, 0.8, 4.0);
  EXPECT_STREQ(small, "");
}

} // namespace
