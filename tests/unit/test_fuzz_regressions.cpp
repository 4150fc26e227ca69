// The inputs of the fuzz seed corpora (fuzz/corpus) that sit on an edge,
// and every crash input the fuzzers have found (fuzz/crashes), as fixed
// cases with the properties the fuzz targets check. They run in every build,
// natively and under Wine, so the edges hold on the Windows C runtime too,
// where no fuzzer runs.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "app/comfort_case.h"
#include "app/field_text.h"
#include "app/last_values.h"
#include "app/numtext.h"
#include "app/resource.h"
#include "dlglib/dialog_template.h"
#include "dlglib/message_layout.h"
#include "dlglib/message_template.h"
#include "tests/unit/support.h"

namespace {

const double inf = std::numeric_limits<double>::infinity();
const double max_double = std::numeric_limits<double>::max();
const double min_subnormal = 0x1p-1074;
const double max_subnormal = 0x0.fffffffffffffp-1022;

bool same_bits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// --- the number reader --------------------------------------------------

struct ReadEdge {
  std::string text;
  bool ok;
  double value;
  int consumed;
};

const ReadEdge read_edges[] = {
    // The halfway point of the smallest subnormal: below it 0, above it the subnormal.
    {"2.4703282292062327e-324", true, 0.0, 23},
    {"2.4703282292062328e-324", true, min_subnormal, 23},
    {"-2.4703282292062327e-324", true, -0.0, 24},
    {"2.2250738585072009e-308", true, max_subnormal, 23},
    {"0.000001e-320", true, 0.0, 13},
    {std::string(400, '0') + "1e-320", true, 1e-320, 406},
    // Up to the halfway point above the largest double it rounds down; then inf.
    {"1.7976931348623158e308", true, max_double, 22},
    {"1.7976931348623159e308", true, inf, 22},
    {"-1.7976931348623159e308", true, -inf, 23},
    // Ties at 2^53: to even, unless a digit far behind breaks the tie.
    {"9007199254740993", true, 9007199254740992.0, 16},
    {"9007199254740993.0000000000000000001", true, 9007199254740994.0, 36},
    {"1" + std::string(799, '0') + "e-799", true, 1.0, 805},
    {"0e999999", true, 0.0, 8},
    {"1e-999999999", true, 0.0, 12},
    {" \t\n\v\f\r-0", true, -0.0, 8},
    {"1E-5x", true, 1e-5, 4},
    {"5.", true, 5.0, 2},
    {"0x1p3", true, 0.0, 1},
    {"\xb0\xff"
     "1.5",
     false, 0, 0},
    {"-Infinity", false, 0, 0},
    {"NAN(123)", false, 0, 0},
    {"+", false, 0, 0},
};

TEST(FuzzRegressions, ReadNumberEdges) {
  for (const ReadEdge &r : read_edges) {
    SCOPED_TRACE(r.text.substr(0, 40));
    double v = 12345.678;
    const char *end = nullptr;
    ASSERT_EQ(read_number(r.text.c_str(), &v, &end), r.ok);
    if (!r.ok) {
      EXPECT_TRUE(same_bits(v, 12345.678)) << "a failed read leaves the value alone";
      continue;
    }
    EXPECT_TRUE(same_bits(v, r.value)) << v;
    EXPECT_EQ(end - r.text.c_str(), r.consumed);
    // What the reader gives, its own shortest text gives back.
    char text[64];
    const int n = format_shortest(text, sizeof text, v);
    ASSERT_GT(n, 0);
    if (std::isinf(v)) {
      EXPECT_STREQ(text, v < 0 ? "-inf" : "inf");
      continue;
    }
    double back = 0.0;
    const char *back_end = nullptr;
    ASSERT_TRUE(read_number(text, &back, &back_end)) << text;
    EXPECT_EQ(back_end, text + n);
    EXPECT_TRUE(same_bits(back, v)) << text;
  }
}

TEST(FuzzRegressions, ReadNumberStopsAtTheTerminator) {
  // Only "12" is the text; the digit behind the NUL is not.
  const char text[] = "12\0"
                      "3";
  double v = 0.0;
  const char *end = nullptr;
  ASSERT_TRUE(read_number(text, &v, &end));
  EXPECT_EQ(v, 12.0);
  EXPECT_EQ(end, text + 2);
}

// --- fixed and shortest number text ---------------------------------------

const char max_double_digits[] =
    "17976931348623157081452742373170435679807056752584499659891747680315726078002853876058955"
    "86327668781715404589535143824642343213268894641827684675467035375169860499105765512820762"
    "45490090389328944075868508455133942304583236903222948165808559332123348274797826204144723"
    "168738177180919299881250404026184124858368";

struct FormatEdge {
  bool shortest_allowed; // format_number rather than format_fixed
  double value;
  int width, decimals;
  std::size_t size;
  int length; // -1: does not fit
  std::string text;
};

const FormatEdge format_edges[] = {
    // The longest fixed text there is: 309 digits, the point and 40 decimals.
    {false, max_double, 0, 40, 351, 350,
     std::string(max_double_digits) + "." + std::string(40, '0')},
    {false, max_double, 0, 40, 350, -1, ""},
    {false, -max_double, 0, 0, 311, 310, std::string("-") + max_double_digits},
    {false, min_subnormal, 0, 40, 64, 42, "0." + std::string(40, '0')},
    {false, -min_subnormal, 0, 2, 64, 5, "-0.00"},
    {false, 3.5, 127, 2, 128, 127, std::string(123, ' ') + "3.50"},
    {false, 3.5, 127, 2, 127, -1, ""},
    {false, -std::nan(""), 4, 1, 64, 4, "-nan"},
    {false, std::nan(""), 5, 1, 64, 5, "  nan"},
    {false, 1.0, 4, 1, 0, -1, ""},
    {false, 1.0, 0, 0, 1, -1, ""},
    {false, 1.0, 0, 0, 2, 1, "1"},
    // Fixed while it fits, else the shortest form, else nothing.
    {true, 12.5, 0, 1, 5, 4, "12.5"},
    {true, 12.5, 0, 1, 4, -1, ""},
    {true, 1e300, 0, 2, 7, 6, "1e+300"},
    {true, 1e300, 0, 2, 6, -1, ""},
    // The largest fixed text that the 50 bytes of a stored value hold.
    {true, 1e46, 0, 2, 50, 49, "9999999999999999931398190359470212947659194368.00"},
    {true, 1e47, 0, 2, 50, 5, "1e+47"},
    {true, -2.5e47, 0, 2, 50, 8, "-2.5e+47"},
    {true, min_subnormal, 0, 2, 50, 4, "0.00"},
    {true, min_subnormal, 0, 2, 4, -1, ""},
    {true, min_subnormal, 0, 2, 3, -1, ""},
};

TEST(FuzzRegressions, FormatEdges) {
  for (const FormatEdge &r : format_edges) {
    SCOPED_TRACE(r.text.substr(0, 40));
    std::vector<char> buf = guarded(r.size);
    const int n = r.shortest_allowed
                      ? format_number(buf.data(), r.size, r.value, r.width, r.decimals)
                      : format_fixed(buf.data(), r.size, r.value, r.width, r.decimals);
    EXPECT_TRUE(guard_intact(buf, r.size)) << "written past the buffer";
    ASSERT_EQ(n, r.length);
    if (r.size > 0) {
      if (n < 0) {
        EXPECT_EQ(buf[0], '\0');
      } else {
        EXPECT_EQ(std::string(buf.data()), r.text);
      }
    }
  }
}

TEST(FuzzRegressions, FormatNumberReadsBack) {
  // The fixed text is within half a unit of its last decimal; the shortest
  // text is the same double.
  const struct {
    double value;
    std::size_t size;
    bool exact;
  } rows[] = {{1e45, 50, true},       {1e47, 50, true},           {-2.5e47, 50, true},
              {max_double, 50, true}, {min_subnormal, 50, false}, {0.125, 50, false},
              {-0.0, 50, true},       {2.675, 50, false}};
  for (const auto &r : rows) {
    SCOPED_TRACE(r.value);
    char text[64];
    const int n = format_number(text, r.size, r.value, 0, 2);
    ASSERT_GT(n, 0);
    double back = 1.0;
    const char *end = nullptr;
    ASSERT_TRUE(read_number(text, &back, &end)) << text;
    EXPECT_EQ(end, text + n);
    if (r.exact) {
      EXPECT_TRUE(same_bits(back, r.value)) << text;
    } else {
      EXPECT_LE(std::fabs(back - r.value), 0.005 + std::fabs(r.value) * 0x1p-52) << text;
    }
  }
}

// --- the reading of one dialog field --------------------------------------

struct FieldEdge {
  int control; // 0: the range below
  double minimum, maximum;
  const char *text;
  int status;
  double value;
};

const FieldEdge field_edges[] = {
    {IDC_MET, 0, 0, "0,8", 0, 0.8},
    {IDC_MET, 0, 0, "4.0000000000000001", 0, 4.0}, // rounds onto the limit
    {IDC_MET, 0, 0, "4.000000000000001", -1, 0},
    {IDC_TR, 0, 0, "40.000000000000000000001", 0, 40.0},
    {IDC_TA, 0, 0, "2,4,5", -1, 0},
    {IDC_VEL, 0, 0, " 1,5e-1 ", 0, 0.15},
    {IDC_VEL, 0, 0, ",5", 0, 0.5},
    {IDC_VEL, 0, 0, "1e-400", 0, 0.0},
    {IDC_RH, 0, 0, "1e2,1", 0, 100.0},
    {IDC_RH, 0, 0,
     "\xb0"
     "50",
     -1, 0},
    {IDC_RH, 0, 0, "100.00000000000001", -1, 0},
    {IDC_CLO, 0, 0, "-0,0", 0, -0.0},
    {0, std::nan(""), std::nan(""), "1", -1, 0},
    {0, 2.0, 1.0, "1.5", -1, 0},
    {0, -inf, inf, "1e400", 0, inf},
    {0, -inf, inf, "-1e400", 0, -inf},
    {0, -inf, inf, "nan", -1, 0},
};

TEST(FuzzRegressions, FieldEdges) {
  for (const FieldEdge &r : field_edges) {
    SCOPED_TRACE(r.text);
    double minimum = r.minimum;
    double maximum = r.maximum;
    if (r.control != 0) {
      const CaseField *f = find_case_field(r.control);
      ASSERT_NE(f, nullptr);
      minimum = f->minimum;
      maximum = f->maximum;
    }
    // As the dialog reads it: at most 29 characters into 60 cleared bytes.
    char buffer[field_buffer_size] = {};
    const std::size_t len = std::strlen(r.text);
    ASSERT_LT(len, static_cast<std::size_t>(field_read_count));
    std::memcpy(buffer, r.text, len);
    double v = -777.25;
    EXPECT_EQ(parse_field_text(buffer, minimum, maximum, &v), r.status);
    EXPECT_TRUE(same_bits(v, r.status == 0 ? r.value : -777.25)) << v;
    // The text only gets shorter; the zeros behind it stay.
    for (std::size_t i = len; i < sizeof buffer; ++i)
      ASSERT_EQ(buffer[i], '\0');
    EXPECT_EQ(std::strchr(buffer, ','), nullptr);
  }
}

// --- the last-values file: one stored text in, the stored text out ---------

struct LastValueEdge {
  std::string text; // as the profile service hands it over: at most 49 characters
  bool loads;
  double value;
  const char *stored;
};

const LastValueEdge last_value_edges[] = {
    {std::string(49, '1'), true, 1.1111111111111111e48, "1.1111111111111112e+48"},
    {std::string(45, '9') + ".999", true, 1e45, "999999999999999929757289024535551219930759168.00"},
    {"-" + std::string(45, '1') + ".5", true, -1.111111111111111e44,
     "-111111111111111107707930031296413335189192704.00"},
    {"-" + std::string(46, '1') + ".5", true, -1.1111111111111112e45, "-1.1111111111111112e+45"},
    {"0." + std::string(46, '0') + "1", true, 1e-47, "0.00"},
    {"1e300", true, 1e300, "1e+300"},
    {"-1e300", true, -1e300, "-1e+300"},
    {"1.7976931348623157e308", true, max_double, "1.7976931348623157e+308"},
    {"4.9e-324", true, min_subnormal, "0.00"},
    {"-0", true, -0.0, "-0.00"},
    {"-0.001", true, -0.001, "-0.00"},
    {"0.005", true, 0.005, "0.01"}, // 0.005000000000000000104
    {"0.015", true, 0.015, "0.01"}, // 0.014999999999999999445
    {"2.675", true, 2.675, "2.67"},
    {"0,15", true, 0.0, "0.00"},
    {"\t\v\f\r9", true, 9.0, "9.00"},
    {"inf", false, 0, "0.00"},
    {"NAN(1)", false, 0, "0.00"},
    {"\xff\xb0"
     "24",
     false, 0, "0.00"},
    {"", false, 0, "0.00"},
};

std::string stored_text(double value) {
  std::vector<char> buf = guarded(last_value_size);
  const int n = format_last_value(buf.data(), value);
  EXPECT_TRUE(guard_intact(buf, last_value_size)) << "written past the buffer";
  EXPECT_GT(n, 0);
  EXPECT_LT(n, static_cast<int>(last_value_size));
  return std::string(buf.data());
}

TEST(FuzzRegressions, LastValueEdges) {
  const int field = ini_field_order[0]; // "Tr", the air temperature
  for (const LastValueEdge &r : last_value_edges) {
    SCOPED_TRACE(r.text);
    ASSERT_LT(r.text.size(), last_value_size);
    ComfortCase loaded{};
    apply_last_value(loaded, field, r.text.c_str());
    const double v = loaded.*case_fields[field].member;
    EXPECT_TRUE(same_bits(v, r.loads ? r.value : 0.0)) << v;
    // Stored, and loaded again at the next start: the same text once more.
    const std::string stored = stored_text(v);
    EXPECT_EQ(stored, r.stored);
    ComfortCase next{};
    apply_last_value(next, field, stored.c_str());
    EXPECT_EQ(stored_text(next.*case_fields[field].member), stored);
  }
}

TEST(FuzzRegressions, AnInfiniteValueIsStoredAsTextNoStartReads) {
  // "1e400" loads as infinity; the stored "inf" is then no number, so the
  // next start keeps the field at 0.0.
  ComfortCase loaded{};
  apply_last_value(loaded, ini_field_order[0], "1e400");
  EXPECT_EQ(loaded.ta, inf);
  EXPECT_EQ(stored_text(loaded.ta), "inf");
  ComfortCase next{};
  apply_last_value(next, ini_field_order[0], "inf");
  EXPECT_EQ(next.ta, 0.0);
}

// --- the template of the in-memory message box ----------------------------

struct TemplateEdge {
  std::uint32_t flags;
  std::string title;
  std::string text;
  int size;
  int end;        // -1: no template
  int title_kept; // characters of each text in the template
  int text_kept;
  int width;
};

const std::string title21(21, 'T'); // a title of 21 characters
const std::string long_a(5000, 'a');
const std::string long_t(5000, 'T');

const TemplateEdge template_edges[] = {
    {0, title21, "Not enough memory!", 4000, 164, 21, 18, 120},
    // A long title alone, then with a long message: the message keeps its
    // first 1000 characters and every button stays.
    {0, long_t, "x", 4000, 3996, 1956, 1, 120},
    {0, long_t, long_a, 4000, 4000, 957, 1000, 200},
    {1, long_t, long_a, 4000, 3996, 936, 1001, 200},
    {4, long_t, long_a, 4000, 4000, 939, 1000, 200},
    {3, long_t, long_a, 4000, 3996, 918, 1001, 200},
    {0, title21, long_a, 4000, 4000, 21, 1936, 200},
    {3, "", "", 4000, 160, 0, 0, 136},
    // Far smaller buffers than the real one: cut texts, or no template.
    {3, title21, "Not enough memory!", 200, 196, 0, 18, 136},
    // The room set aside for the message comes first: no header, no template.
    {3, title21, "Not enough memory!", 180, -1, 0, 0, 0},
    {0, "", "", 86, 84, 0, 0, 120},
    {0, "", "", 85, -1, 0, 0, 0},
    {0, "", "", 0, -1, 0, 0, 0},
};

unsigned u16_at(const std::vector<unsigned char> &buf, int off) {
  return buf[off] | static_cast<unsigned>(buf[off + 1]) << 8;
}

TEST(FuzzRegressions, MessageTemplateEdges) {
  for (const TemplateEdge &r : template_edges) {
    SCOPED_TRACE(std::to_string(r.size) + " " + std::to_string(r.title.size()) + " " +
                 std::to_string(r.text.size()));
    std::vector<unsigned char> buf(static_cast<std::size_t>(r.size) + guard_size, 0);
    for (std::size_t i = r.size; i < buf.size(); ++i)
      buf[i] = 0xA5;
    const int end = build_message_template(buf.data(), r.size, r.title.c_str(), r.text.c_str(),
                                           r.flags, single_byte_to_utf16);
    for (std::size_t i = r.size; i < buf.size(); ++i)
      ASSERT_EQ(buf[i], 0xA5) << "written past the buffer";
    ASSERT_EQ(end, r.end);
    if (end < 0) continue;
    for (int i = end; i < r.size; ++i)
      ASSERT_EQ(buf[i], 0) << "written behind the template";
    EXPECT_EQ(u16_at(buf, 14), static_cast<unsigned>(r.width));
    // Walk: the title, then the items at 4-aligned offsets.
    int n = 0;
    while (u16_at(buf, 22 + 2 * n) != 0)
      ++n;
    EXPECT_EQ(n, r.title_kept);
    const int items = static_cast<int>(u16_at(buf, 8));
    EXPECT_EQ(items, button_count + 1);
    int off = 24 + 2 * n;
    for (int k = 0; k < items; ++k) {
      off = (off + 3) & ~3;
      EXPECT_EQ(u16_at(buf, off + 18), 0xFFFFu);
      EXPECT_EQ(u16_at(buf, off + 20), k == 0 ? 0x82u : 0x80u);
      int m = 0;
      while (u16_at(buf, off + 22 + 2 * m) != 0)
        ++m;
      if (k == 0) {
        EXPECT_EQ(m, r.text_kept);
      }
      EXPECT_EQ(u16_at(buf, off + 24 + 2 * m), 0u);
      off += 26 + 2 * m;
    }
    EXPECT_EQ(off, end);
  }
}

} // namespace
