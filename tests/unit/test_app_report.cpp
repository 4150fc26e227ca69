// The report's text: the exact bytes of the documented example, the
// empty first line of later reports, the expansion of the line formats with
// our own number text and its 500-byte bound, and the report path.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "app/app_context.h"
#include "app/comfort_case.h"
#include "app/report.h"
#include "model/comfort_model.h"
#include "tests/unit/support.h"

namespace {

// The report as the writer lays it out: an empty line for every report after
// the first of a process, the header, then one line per field of the table.
std::string report(const ComfortCase &c, bool later) {
  std::string text = later ? "\r\n" : "";
  text += report_header;
  text += "\r\n";
  for (const CaseField &field : case_fields) {
    char line[report_line_size];
    format_report_line(line, sizeof line, field.report_format, c.*field.member);
    text += line;
    text += "\r\n";
  }
  return text;
}

std::string line(const char *format, double value) {
  char text[report_line_size + 16];
  std::memset(text, 0x55, sizeof text);
  const int n = format_report_line(text, report_line_size, format, value);
  for (std::size_t i = report_line_size; i < sizeof text; ++i)
    EXPECT_EQ(text[i], 0x55) << "overrun";
  EXPECT_EQ(n, static_cast<int>(std::strlen(text)));
  return text;
}

TEST(ReportText, FirstReportOfTheExample) {
  EXPECT_EQ(report(example_case(), false), example_report);
}

TEST(ReportText, LaterReportStartsWithAnEmptyLine) {
  EXPECT_EQ(report(example_case(), true), std::string("\r\n") + example_report);
}

TEST(ReportText, EveryValueWithTwoDecimals) {
  ComfortCase c{};
  c.pmv = -0.5;
  c.ppd = 100.0;
  c.rh = 1e300; // far beyond any range: still one bounded line
  const std::string text = report(c, false);
  EXPECT_NE(text.find("\r\nPMV\t-0.50\t[]\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nPPD\t100.00\t[percent]\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nMetabolic rate\t0.00\t[met]\r\n"), std::string::npos);
  EXPECT_NE(
      text.find("\r\nRelative humidity\t1000000000000000052504760255204420248704468581108159154"),
      std::string::npos);
}

TEST(ReportLine, FormatsOfTheTableAndOtherConversionForms) {
  const struct {
    const char *format;
    double value;
    const char *text;
  } rows[] = {
      {"Metabolic rate\t%0.2lf\t[met]", 1.2, "Metabolic rate\t1.20\t[met]"},
      {"PMV\t%0.2lf\t[]", -0.8049, "PMV\t-0.80\t[]"},
      {"PMV\t%0.2lf\t[]", -0.001, "PMV\t-0.00\t[]"},
      {"%0.2lf", 2.675, "2.67"}, // the double below 2.675
      {"%0.2lf", 0.125, "0.12"}, // exact tie: even
      {"%0.2lf", 0.375, "0.38"},
      {"%0.2lf", 18.58499, "18.58"},
      {"%0.2lf", INFINITY, "inf"},
      {"%f", 1.5, "1.500000"},
      {"%.1f", 0.25, "0.2"},
      {"[%6.2lf]", -1.5, "[ -1.50]"},
      {"[%07.2lf]", -1.5, "[-001.50]"},
      {"[%07.2lf]", INFINITY, "[    inf]"},
      {"100%% %0.2lf", 5.0, "100% 5.00"},
      {"%d %0.2lf %", 5.0, "%d 5.00 %"}, // unknown: copied, no argument
  };
  for (const auto &r : rows)
    EXPECT_EQ(line(r.format, r.value), r.text) << r.format;
  char text[report_line_size];
  EXPECT_EQ(format_report_line(text, sizeof text, report_header), 31); // no conversions
  EXPECT_STREQ(text, "Vexlin PMV calculator (2003.02)");
}

TEST(ReportLine, NeverPassesTheBuffer) {
  // The largest double with 2 decimals is 312 characters; twice that is cut.
  char text[report_line_size + 8];
  std::memset(text, 0x55, sizeof text);
  const int n =
      format_report_line(text, report_line_size, "%0.2lf|%0.2lf|%0.2lf", 1.7e308, -1.7e308, 1.0);
  EXPECT_EQ(n, static_cast<int>(report_line_size - 1));
  EXPECT_EQ(text[report_line_size - 1], '\0');
  EXPECT_EQ(text[report_line_size], 0x55);
  // A long format text without conversions is cut as well.
  const std::string long_format(800, 'x');
  EXPECT_EQ(format_report_line(text, report_line_size, long_format.c_str()), 499);
  EXPECT_EQ(std::string(text), std::string(499, 'x'));
  // Huge widths and precisions stay bounded.
  EXPECT_EQ(format_report_line(text, report_line_size, "%99999.99999f", 1.0), 400);
  EXPECT_EQ(format_report_line(text, 1, "%0.2lf", 1.0), 0);
  EXPECT_STREQ(text, "");
}

TEST(ReportLine, LongestTableLineFitsWithTheLargestValue) {
  const std::string s = line("Mean radiant temperature\t%0.2lf\t[\xB0"
                             "C]",
                             -1.7976931348623157e308);
  EXPECT_EQ(s.size(), 25u + 313u + 5u);
  EXPECT_EQ(s.substr(s.size() - 8), ".00\t[\xB0"
                                    "C]");
}

TEST(ReportPath, ProgramDirectoryAndForwardSlash) {
  char path[path_size];
  ASSERT_TRUE(build_report_path(path, "C:\\Tools\\Comfort"));
  EXPECT_STREQ(path, "C:\\Tools\\Comfort/pmv_data.txt");
  ASSERT_TRUE(build_report_path(path, ""));
  EXPECT_STREQ(path, "/pmv_data.txt");
  const std::string dir(247, 'd'); // 247 + 1 + 12 = 260
  ASSERT_TRUE(build_report_path(path, dir.c_str()));
  EXPECT_EQ(std::strlen(path), 260u);
  EXPECT_FALSE(build_report_path(path, (dir + "d").c_str()));
  EXPECT_STREQ(path, "");
}

} // namespace
