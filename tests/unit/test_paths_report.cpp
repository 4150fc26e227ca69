// Where the program looks for its settings and writes its report, and how
// long the report's lines may grow.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <string>

#include "app/app_context.h"
#include "app/report.h"

namespace {

TEST(Paths, DirectoryOfTheProgram) {
  const std::wstring d258(258, L'd');
  const std::pair<std::wstring, std::wstring> rows[] = {
      {L"C:\\Tools\\Comfort\\calc.exe", L"C:\\Tools\\Comfort"},
      {L"C:\\calc.exe", L"C:"},
      {L"C:\\Tools\\", L"C:\\Tools"},
      {L"calc.exe", L""},
      {L"\\calc.exe", L""}, // index 0 is never examined
      {L"C:/Tools/calc.exe", L""},
      {L"", L""},
      // U+015C and U+5C5C hold the backslash's byte, and separate nothing.
      {L"C:\\\u30bd\\\u015c\u5c5c.exe", L"C:\\\u30bd"},
      {d258 + L"\\e", d258}};
  for (const auto &r : rows) {
    wchar_t dst[path_size]; // exactly: AddressSanitizer sees a write past it
    directory_of(dst, r.first.c_str());
    EXPECT_EQ(dst, r.second) << r.first.size();
  }
}

std::wstring tried;
bool exists(const wchar_t *path) {
  tried += std::wstring(path) + L"|";
  return std::wcslen(path) == 259;
}

// A settings candidate beside the program that the platform could not open
// (260 characters or more) is not tried, only the root (twice: the two empty
// extra folders); one of 259 is found and copied whole. Which place wins
// where both exist is seen end to end.
TEST(Paths, SettingsCandidateUpTo259Characters) {
  AppContext context{};
  wchar_t found[path_size] = L"x";
  std::wmemset(context.program_dir, L'd', 247); // 247 + 13 = 260
  EXPECT_EQ(search_settings_file(found, L"pmv_calc.ini", context, exists), -1);
  EXPECT_EQ(std::wstring(found), L"");
  EXPECT_EQ(tried, L"\\pmv_calc.ini|\\pmv_calc.ini|");
  context.program_dir[246] = L'\0';
  EXPECT_EQ(search_settings_file(found, L"pmv_calc.ini", context, exists), 0);
  EXPECT_EQ(found, std::wstring(246, L'd') + L"\\pmv_calc.ini");
}

TEST(Report, PathBesideTheProgram) {
  wchar_t path[path_size];
  ASSERT_TRUE(build_report_path(path, L"C:\\Tools\\Comfort"));
  EXPECT_EQ(std::wstring(path), L"C:\\Tools\\Comfort/pmv_data.txt");
  ASSERT_TRUE(build_report_path(path, L""));
  EXPECT_EQ(std::wstring(path), L"/pmv_data.txt");
  EXPECT_TRUE(build_report_path(path, std::wstring(246, L'd').c_str())); // 259 characters
  EXPECT_FALSE(build_report_path(path, std::wstring(247, L'd').c_str()));
  EXPECT_EQ(std::wstring(path), L"");
}

// The largest doubles make the longest lines; none passes its 500 bytes, and
// none is cut: eight values of 309 digits, each line to its unit.
TEST(Report, LinesStayInTheirBuffer) {
  char text[report_text_size + 1] = {};
  const ComfortCase huge{1.7e308, -1.7e308, 1.7e308, 1.7e308, -1.7e308, 1.7e308, 1e308, 1e308};
  const std::string all(text, compose_report(text, report_text_size, huge, true));
  EXPECT_TRUE(std::count(all.begin(), all.end(), ']') == 8 && all.size() > 8 * 309);
  EXPECT_EQ(format_report_line(text, 12, "ab%0.2lf", 1e308), 11);
  EXPECT_EQ(format_report_line(text, 1, "ab"), 0);
  EXPECT_STREQ(text, "");
}

} // namespace
