// The value texts of "pmv_calc.ini": what a stored text loads as,
// what a value is stored as, and the defaults in the file's key order. The
// profile calls themselves run in tests/win/test_app_last_values.cpp.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "app/comfort_case.h"
#include "app/last_values.h"

namespace {

double parsed(const char *text, double start = -777.0) {
  double v = start;
  parse_last_value(text, &v);
  return v;
}

std::string stored(double value) {
  char text[last_value_size + 16];
  std::memset(text, 0x55, sizeof text);
  const int n = format_last_value(text, value);
  for (std::size_t i = last_value_size; i < sizeof text; ++i)
    EXPECT_EQ(text[i], 0x55) << "overrun for " << value;
  EXPECT_EQ(n, static_cast<int>(std::strlen(text)));
  return text;
}

TEST(LastValueText, ReadLikePercentLf) {
  EXPECT_EQ(parsed("50"), 50.0);       // "Tr=50": loaded as it is, out of range
  EXPECT_EQ(parsed("abc"), -777.0);    // no number: the field keeps its value
  EXPECT_EQ(parsed("55.5xyz"), 55.5);  // the rest is ignored
  EXPECT_EQ(parsed("0,15"), 0.0);      // the comma ends the number
  EXPECT_EQ(parsed("24,5"), 24.0);     // not turned into a point here
  EXPECT_EQ(parsed(""), -777.0);       // "Tr=": present but empty
  EXPECT_EQ(parsed("2.45e1"), 24.5);   // hand-written forms
  EXPECT_EQ(parsed("  \t24.5"), 24.5); // leading white space
  EXPECT_EQ(parsed("-0.12"), -0.12);   // what -0.1234 was stored as
  EXPECT_EQ(parsed("+.5"), 0.5);
  EXPECT_EQ(parsed("1e+300"), 1e300); // the overlong form reads back
  EXPECT_EQ(parsed("nan"), -777.0);   // no C runtime extensions
  EXPECT_EQ(parsed("0x1A"), 0.0);     // hexadecimal is not read: "0" only
}

TEST(LastValueText, StoredWithTwoDecimals) {
  EXPECT_EQ(stored(24.5), "24.50");
  EXPECT_EQ(stored(50.0), "50.00");
  EXPECT_EQ(stored(0.08), "0.08");
  EXPECT_EQ(stored(1.0), "1.00");
  EXPECT_EQ(stored(0.0), "0.00");
  EXPECT_EQ(stored(95.0), "95.00");
  EXPECT_EQ(stored(-0.1234), "-0.12");
  EXPECT_EQ(stored(-0.8), "-0.80");
  EXPECT_EQ(stored(18.584), "18.58");
  EXPECT_EQ(stored(0.125), "0.12"); // an exact tie rounds to even
}

TEST(LastValueText, HugeValuesFitAndReadBack) {
  // The double nearest 1e46 has 46 integer digits: "%0.2lf" needs 49
  // characters and still fits; beyond that (or with a minus sign) the fixed
  // text would not fit and the shortest form is stored.
  EXPECT_EQ(stored(1e46), "9999999999999999931398190359470212947659194368.00");
  EXPECT_EQ(stored(-1e45), "-999999999999999929757289024535551219930759168.00");
  EXPECT_EQ(stored(1e47), "1e+47");
  EXPECT_EQ(stored(-1e46), "-1e+46");
  EXPECT_EQ(stored(-1.7976931348623157e308), "-1.7976931348623157e+308");
  for (int e = 40; e <= 308; ++e) {
    for (const double v : {std::pow(10.0, e), -3.3 * std::pow(10.0, e - 1)}) {
      if (!std::isfinite(v)) continue;
      const std::string text = stored(v);
      ASSERT_LE(text.size(), 49u);
      double back = 0.0;
      ASSERT_TRUE(parse_last_value(text.c_str(), &back)) << text;
      if (text.find('e') != std::string::npos) {
        EXPECT_EQ(back, v) << text;
      } else {
        EXPECT_EQ(text.substr(text.size() - 3), ".00") << text;
      }
    }
  }
}

TEST(LastValueText, NonFiniteValuesAreBounded) {
  EXPECT_EQ(stored(INFINITY), "inf");
  EXPECT_EQ(stored(-INFINITY), "-inf");
  EXPECT_EQ(stored(NAN), "nan");
}

TEST(LastValueText, DefaultsInTheFileOrder) {
  const char *keys[] = {"Tr", "RH", "v", "met", "clo", "mrt", "pmv", "ppd"};
  const char *defaults[] = {"24.5", "50", "0.08", "1.0", "1.0", "24.5", "0.0", "95.0"};
  for (int i = 0; i < case_field_count; ++i) {
    EXPECT_STREQ(case_fields[ini_field_order[i]].ini_key, keys[i]);
    EXPECT_STREQ(case_fields[ini_field_order[i]].ini_default, defaults[i]);
  }
  ComfortCase c{};
  for (const int field : ini_field_order)
    apply_last_value(c, field, case_fields[field].ini_default);
  EXPECT_EQ(c.ta, 24.5); // "Tr" holds the air temperature
  EXPECT_EQ(c.rh, 50.0);
  EXPECT_EQ(c.vel, 0.08);
  EXPECT_EQ(c.met, 1.0);
  EXPECT_EQ(c.clo, 1.0);
  EXPECT_EQ(c.tr, 24.5);
  EXPECT_EQ(c.pmv, 0.0);
  EXPECT_EQ(c.ppd, 95.0);
}

TEST(LastValueText, ApplyWritesOnlyItsField) {
  ComfortCase c{1, 2, 3, 4, 5, 6, 7, 8};
  const int tr_key = ini_field_order[0];
  apply_last_value(c, tr_key, "50");
  EXPECT_EQ(c.ta, 50.0);
  EXPECT_EQ(c.tr, 5.0);
  apply_last_value(c, ini_field_order[1], "abc"); // RH
  EXPECT_EQ(c.rh, 2.0);
  const ComfortCase expected{50, 2, 3, 4, 5, 6, 7, 8};
  EXPECT_EQ(std::memcmp(&c, &expected, sizeof c), 0);
}

} // namespace
