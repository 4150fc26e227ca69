// The path arithmetic of start-up: the directory of the program
// file, the candidate paths and the order of the settings search. The
// existence test is a fake here; tests/win/test_app_settings.cpp runs the
// same search on real files under Wine.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/app_context.h"

namespace {

std::string dir_of(const std::string &src) {
  // Sentinel bytes after the 261 that directory_of may write.
  char buffer[path_size + 64];
  std::memset(buffer, 0x55, sizeof buffer);
  directory_of(buffer, src.c_str());
  for (std::size_t i = path_size; i < sizeof buffer; ++i) {
    EXPECT_EQ(buffer[i], 0x55) << "byte " << i << " written for " << src.size() << " chars";
  }
  return buffer;
}

TEST(DirectoryOf, DocumentedPathsDropOnlyTheLastBackslash) {
  const char *const rows[][2] = {
      {"C:\\Tools\\Comfort\\calc.exe", "C:\\Tools\\Comfort"},
      {"C:\\calc.exe", "C:"},
      {"C:\\Tools\\", "C:\\Tools"},
      {"calc.exe", ""},
      {"\\calc.exe", ""},
      {"C:/Tools/calc.exe", ""},
      {"", ""},
      {"C:\\a\\\\b.exe", "C:\\a\\"},
      {"\\\\server\\share\\calc.exe", "\\\\server\\share"},
      {"\\", ""},   // index 0 is never examined
      {"x\\", "x"}, // a trailing backslash at index 1
  };
  for (const auto &r : rows)
    EXPECT_EQ(dir_of(r[0]), r[1]) << r[0];
}

TEST(DirectoryOf, LongestPlatformPathFits) {
  // 260 characters: C:\ + 250 a + \b.exe... the directory is 253 characters.
  std::string dir = "C:\\" + std::string(250, 'a');
  std::string path = dir + "\\b.exe";
  path += std::string(260 - path.size(), 'x');
  ASSERT_EQ(path.size(), 260u);
  EXPECT_EQ(dir_of(path), dir);
  // The directory may be the whole path but the last character.
  std::string full = std::string(258, 'd') + "\\e";
  EXPECT_EQ(dir_of(full), std::string(258, 'd'));
}

TEST(DirectoryOf, OverlongSourceNeverOverrunsTheDestination) {
  // Beyond the platform's limit: a directory longer than 260 characters is
  // not returned (it would not fit), and at most 398 characters are read.
  EXPECT_EQ(dir_of("C:\\" + std::string(300, 'a') + "\\b.exe"), "");
  EXPECT_EQ(dir_of(std::string(397, 'a') + "\\b"), "");
  EXPECT_EQ(dir_of("C:\\x\\" + std::string(500, 'a')), "C:\\x");
  EXPECT_EQ(dir_of("C:\\x\\" + std::string(393, 'a') + "\\b"), "C:\\x"); // '\' at 398
}

TEST(JoinPath, LimitIs260Characters) {
  char dst[path_size];
  const std::string name = "pmv_calc.ini"; // 12 characters
  std::string dir(247, 'd');               // 247 + 1 + 12 = 260
  ASSERT_TRUE(join_path(dst, dir.c_str(), '\\', name.c_str()));
  EXPECT_EQ(std::string(dst), dir + "\\" + name);
  dir += 'd';
  EXPECT_FALSE(join_path(dst, dir.c_str(), '\\', name.c_str()));
  EXPECT_STREQ(dst, "");
}

// The fake file system: the paths that exist, and the paths asked for.
std::vector<std::string> existing;
std::vector<std::string> asked;
bool fake_exists(const char *path) {
  asked.emplace_back(path);
  for (const std::string &e : existing) {
    if (e == path) return true;
  }
  return false;
}

class SettingsSearch : public ::testing::Test {
protected:
  void SetUp() override {
    std::memset(&context, 0, sizeof context);
    existing.clear();
    asked.clear();
    std::memset(dst, 'x', sizeof dst);
  }
  int16_t search() { return search_settings_file(dst, "pmv_calc.ini", context, fake_exists); }
  AppContext context;
  char dst[path_size];
};

TEST_F(SettingsSearch, BesideTheProgramThenTheRootOfTheCurrentDrive) {
  using Paths = std::vector<std::string>;
  const std::string beside = "C:\\Tools\\Comfort\\pmv_calc.ini";
  const std::string root = "\\pmv_calc.ini";
  const struct {
    const char *program_dir;
    Paths existing;
    int status;
    std::string found;
    Paths asked;
  } rows[] = {
      {"C:\\Tools\\Comfort", {beside, root}, 0, beside, {beside}},
      {"C:\\Tools\\Comfort", {root}, 0, root, {beside, root}},
      // extra_dir1 and extra_dir2 are empty: both give the drive root.
      {"C:\\Tools\\Comfort", {}, -1, "", {beside, root, root}},
      {"C:", {"C:\\pmv_calc.ini"}, 0, "C:\\pmv_calc.ini", {"C:\\pmv_calc.ini"}}, // a drive root
      {"", {root}, 0, root, {root}},
  };
  for (const auto &r : rows) {
    SetUp();
    std::strcpy(context.program_dir, r.program_dir);
    existing = r.existing;
    EXPECT_EQ(search(), r.status) << r.program_dir;
    EXPECT_EQ(std::string(dst), r.found) << r.program_dir;
    EXPECT_EQ(asked, r.asked) << r.program_dir;
  }
}

TEST_F(SettingsSearch, ExtraDirectoriesAreSearchedInOrder) {
  std::strcpy(context.program_dir, "A");
  std::strcpy(context.extra_dir1, "B");
  std::strcpy(context.extra_dir2, "C");
  existing = {"C\\pmv_calc.ini"};
  EXPECT_EQ(search(), 0);
  EXPECT_EQ(asked,
            (std::vector<std::string>{"A\\pmv_calc.ini", "B\\pmv_calc.ini", "C\\pmv_calc.ini"}));
}

TEST_F(SettingsSearch, OverlongCandidateIsNotTried) {
  // 248 + 1 + 12 = 261 characters: skipped, the drive root is still searched.
  std::memset(context.program_dir, 'd', 248);
  existing = {std::string(248, 'd') + "\\pmv_calc.ini", "\\pmv_calc.ini"};
  EXPECT_EQ(search(), 0);
  EXPECT_STREQ(dst, "\\pmv_calc.ini");
  EXPECT_EQ(asked, std::vector<std::string>{"\\pmv_calc.ini"});
  // 247 characters still fit.
  asked.clear();
  context.program_dir[247] = '\0';
  existing = {std::string(247, 'd') + "\\pmv_calc.ini"};
  EXPECT_EQ(search(), 0);
  EXPECT_EQ(std::strlen(dst), 260u);
}

TEST_F(SettingsSearch, ResultMayBeWrittenIntoTheContextItself) {
  std::strcpy(context.program_dir, "C:\\P");
  existing = {"C:\\P\\pmv_calc.ini"};
  EXPECT_EQ(search_settings_file(context.settings_path, "pmv_calc.ini", context, fake_exists), 0);
  EXPECT_STREQ(context.settings_path, "C:\\P\\pmv_calc.ini");
}

} // namespace
