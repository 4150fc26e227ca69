// Where the program looks for its settings and writes its report, and how
// long the report's lines may grow.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/app_context.h"
#include "app/report.h"

namespace {

TEST(Paths, DirectoryOfTheProgram) {
  const std::string d258(258, 'd');
  const std::pair<std::string, std::string> rows[] = {
      {"C:\\Tools\\Comfort\\calc.exe", "C:\\Tools\\Comfort"},
      {"C:\\calc.exe", "C:"},
      {"C:\\Tools\\", "C:\\Tools"},
      {"calc.exe", ""},
      {"\\calc.exe", ""}, // index 0 is never examined
      {"C:/Tools/calc.exe", ""},
      {"", ""},
      {d258 + "\\e", d258},
      {std::string(300, 'd') + "\\e", ""}}; // longer than a path
  for (const auto &r : rows) {
    char dst[path_size]; // exactly: AddressSanitizer sees a write past it
    directory_of(dst, r.first.c_str());
    EXPECT_EQ(dst, r.second) << r.first.size();
  }
}

std::string tried;
bool exists(const char *path) {
  tried += std::string(path) + "|";
  return std::strlen(path) == 260;
}

// A settings candidate beside the program over 260 characters is not tried,
// only the root (twice: the two empty extra folders); one of 260 is found
// and copied whole. Which place wins where both exist is seen end to end.
TEST(Paths, SettingsCandidateUpTo260Characters) {
  AppContext context{};
  char found[path_size] = "x";
  std::memset(context.program_dir, 'd', 248); // 248 + 13 = 261
  EXPECT_EQ(search_settings_file(found, "pmv_calc.ini", context, exists), -1);
  EXPECT_STREQ(found, "");
  EXPECT_EQ(tried, "\\pmv_calc.ini|\\pmv_calc.ini|");
  context.program_dir[247] = '\0';
  EXPECT_EQ(search_settings_file(found, "pmv_calc.ini", context, exists), 0);
  EXPECT_EQ(found, std::string(247, 'd') + "\\pmv_calc.ini");
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

// The largest doubles make the longest lines; none passes its 500 bytes.
TEST(Report, LinesStayInTheirBuffer) {
  char text[report_text_size + 1] = {};
  const ComfortCase huge{1.7e308, -1.7e308, 1.7e308, 1.7e308, -1.7e308, 1.7e308, 1e308, 1e308};
  EXPECT_EQ(compose_report(text, report_text_size, huge, true), 2704);
  EXPECT_EQ(format_report_line(text, 12, "ab%0.2lf", 1e308), 11);
  EXPECT_EQ(format_report_line(text, 1, "ab"), 0);
  EXPECT_STREQ(text, "");
}

} // namespace
