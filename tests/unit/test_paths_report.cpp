// Where the program looks for its settings and writes its report, and the
// report's bytes as the file and the clipboard hold them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "app/report.h"
#include "tests/unit/support.h"

namespace {

TEST(Paths, DirectoryOfTheProgram) {
  const struct {
    std::string path, directory;
  } rows[] = {
      {"C:\\Tools\\Comfort\\calc.exe", "C:\\Tools\\Comfort"},
      {"C:\\calc.exe", "C:"},
      {"C:\\Tools\\", "C:\\Tools"},
      {"calc.exe", ""},
      {"\\calc.exe", ""},
      {"C:/Tools/calc.exe", ""},
      {"", ""},
      {std::string(300, 'd') + "\\calc.exe", ""}, // beyond the platform's limit
      {"C:\\" + std::string(500, 'd'), "C:"},     // only the first 398 characters are looked at
  };
  for (const auto &r : rows) {
    char dst[path_size + 8];
    std::memset(dst, 'X', sizeof dst);
    directory_of(dst, r.path.c_str());
    EXPECT_EQ(dst, r.directory) << r.path;
    EXPECT_EQ(dst[path_size], 'X') << "written past the buffer";
  }
}

std::vector<std::string> candidates, existing;
bool exists(const char *path) {
  candidates.push_back(path);
  for (const std::string &e : existing)
    if (e == path) return true;
  return false;
}

// The program's folder first, then the root of the current drive (the two
// empty extra folders); a candidate longer than 260 characters is not tried.
TEST(Paths, SettingsSearchOrder) {
  AppContext context{};
  std::strcpy(context.program_dir, "C:\\Tools");
  const struct {
    std::vector<std::string> existing;
    int result;
    const char *found;
    std::size_t tried;
  } rows[] = {
      {{"C:\\Tools\\pmv_calc.ini", "\\pmv_calc.ini"}, 0, "C:\\Tools\\pmv_calc.ini", 1},
      {{"\\pmv_calc.ini"}, 0, "\\pmv_calc.ini", 2},
      {{}, -1, "", 3},
  };
  for (const auto &r : rows) {
    existing = r.existing;
    candidates.clear();
    char dst[path_size] = "x";
    EXPECT_EQ(search_settings_file(dst, "pmv_calc.ini", context, exists), r.result);
    EXPECT_STREQ(dst, r.found);
    const std::vector<std::string> all = {"C:\\Tools\\pmv_calc.ini", "\\pmv_calc.ini",
                                          "\\pmv_calc.ini"};
    EXPECT_EQ(candidates, std::vector<std::string>(all.begin(), all.begin() + r.tried));
  }
  std::memset(context.program_dir, 'd', 247); // 247 + 13 = 260: still tried
  candidates.clear();
  search_settings_file(context.settings_path, "pmv_calc.ini", context, exists);
  EXPECT_EQ(candidates.size(), 3u);
  context.program_dir[247] = 'd';
  candidates.clear();
  search_settings_file(context.settings_path, "pmv_calc.ini", context, exists);
  EXPECT_EQ(candidates.size(), 2u);
}

TEST(Report, PathBesideTheProgram) {
  char path[path_size];
  ASSERT_TRUE(build_report_path(path, "C:\\Tools\\Comfort"));
  EXPECT_STREQ(path, "C:\\Tools\\Comfort/pmv_data.txt");
  ASSERT_TRUE(build_report_path(path, ""));
  EXPECT_STREQ(path, "/pmv_data.txt");
  EXPECT_TRUE(build_report_path(path, std::string(247, 'd').c_str())); // 260 characters
  EXPECT_FALSE(build_report_path(path, std::string(248, 'd').c_str()));
  EXPECT_STREQ(path, "");
}

TEST(Report, TextOfTheFirstAndOfLaterReports) {
  const std::string expected = data_file("example_report.txt");
  ASSERT_EQ(expected.size(), 241u);
  char text[report_text_size];
  EXPECT_EQ(compose_report(text, sizeof text, example_case(), false), 241);
  EXPECT_EQ(text, expected);
  compose_report(text, sizeof text, example_case(), true);
  EXPECT_EQ(text, "\r\n" + expected);
  ComfortCase c{};
  c.pmv = -0.5;
  compose_report(text, sizeof text, c, false);
  EXPECT_NE(std::strstr(text, "\r\nPMV\t-0.50\t[]\r\n"), nullptr);
}

// The largest doubles make the longest lines; none passes its 500 bytes.
TEST(Report, LinesStayInTheirBuffer) {
  char line[report_line_size + 8];
  std::memset(line, 'X', sizeof line);
  EXPECT_EQ(format_report_line(line, report_line_size, "%0.2lf|%0.2lf", 1.7e308, -1.7e308), 499);
  EXPECT_EQ(line[report_line_size], 'X');
  const ComfortCase huge{1.7e308, -1.7e308, 1.7e308, 1.7e308, -1.7e308, 1.7e308, 1e308, 1e308};
  char text[report_text_size + 8];
  std::memset(text, 'X', sizeof text);
  const int n = compose_report(text, report_text_size, huge, true);
  EXPECT_EQ(n, static_cast<int>(std::strlen(text)));
  EXPECT_EQ(text[report_text_size], 'X');
}

} // namespace
