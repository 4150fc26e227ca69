// Start-up under Wine: app_init with the real module file name,
// and the search for "pmv_calc.ini" on real files, beside the program and in
// the root of the current drive. The working directory is a folder of the
// prefix's drive C: (C:\pmvtest), so that the drive root is C:\ and not the
// Linux root behind Z:. The program directory is set by the test where it
// must be a folder the test owns, since the module file name is the test's.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "app/app_context.h"
#include "app/app_win.h"
#include "dlglib/dlglib.h"
#include "tests/win/support.h"

namespace {

const char program_dir[] = "C:\\pmvtest\\prog";
const char beside[] = "C:\\pmvtest\\prog\\pmv_calc.ini";
const char drive_root_file[] = "C:\\pmv_calc.ini";

void make_file(const std::string &path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
  CloseHandle(h);
}

void remove_entry(const std::string &path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    RemoveDirectoryA(path.c_str());
  } else {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
  }
  ASSERT_FALSE(exists(path)) << path;
}

std::string module_directory() {
  char path[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s = path;
  return s.substr(0, s.rfind('\\'));
}

class SettingsSearch : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(enter_scratch_folder(program_dir));
    remove_entry(beside);
    remove_entry(drive_root_file);
    std::memset(&app_context, 0, sizeof app_context);
    set_path(app_context.program_dir, program_dir);
  }
  void TearDown() override {
    if (created_beside_exe) remove_entry(module_directory() + "\\pmv_calc.ini");
    remove_entry(beside);
    remove_entry(drive_root_file);
    leave_scratch_folder();
  }
  bool created_beside_exe = false; // removed again even when the test fails
};

TEST_F(SettingsSearch, FoundBesideTheProgram) {
  make_file(beside);
  make_file(drive_root_file); // not reached: the program's directory comes first
  char dst[path_size];
  EXPECT_EQ(find_settings_file(dst, "pmv_calc.ini"), 0);
  EXPECT_STREQ(dst, beside);
}

TEST_F(SettingsSearch, FoundInTheRootOfTheCurrentDrive) {
  make_file(drive_root_file);
  char dst[path_size];
  EXPECT_EQ(find_settings_file(dst, "pmv_calc.ini"), 0);
  EXPECT_STREQ(dst, "\\pmv_calc.ini");
  // That text names C:\pmv_calc.ini while the current drive is C:.
  char full[MAX_PATH];
  GetFullPathNameA(dst, MAX_PATH, full, nullptr);
  EXPECT_STREQ(full, drive_root_file);
}

TEST_F(SettingsSearch, NotFound) {
  char dst[path_size];
  std::memset(dst, 'x', sizeof dst);
  EXPECT_EQ(find_settings_file(dst, "pmv_calc.ini"), -1);
  EXPECT_STREQ(dst, "");
}

TEST_F(SettingsSearch, ADirectoryOfThatNameIsTaken) {
  ASSERT_TRUE(CreateDirectoryA(beside, nullptr));
  char dst[path_size];
  EXPECT_EQ(find_settings_file(dst, "pmv_calc.ini"), 0);
  EXPECT_STREQ(dst, beside);
}

TEST_F(SettingsSearch, OverlongProgramDirectoryIsSkipped) {
  // 248 characters plus "\pmv_calc.ini" would be 261: not tried, not cut.
  std::string dir = std::string(program_dir) + "\\";
  dir += std::string(248 - dir.size(), 'd');
  set_path(app_context.program_dir, dir.c_str());
  char dst[path_size];
  EXPECT_EQ(find_settings_file(dst, "pmv_calc.ini"), -1);
  make_file(drive_root_file);
  EXPECT_EQ(find_settings_file(dst, "pmv_calc.ini"), 0);
  EXPECT_STREQ(dst, "\\pmv_calc.ini");
}

TEST_F(SettingsSearch, AppInitFillsTheContext) {
  std::memset(&app_context, 'x', sizeof app_context);
  HINSTANCE instance = GetModuleHandleA(nullptr);
  app_init(instance);
  EXPECT_STREQ(app_context.title, "Vexlin PMV calculator");
  EXPECT_EQ(dlglib_settings.title, app_context.title); // points into the record
  EXPECT_EQ(dlglib_settings.instance, instance);
  EXPECT_EQ(app_context.program_dir, module_directory());
  EXPECT_STREQ(app_context.settings_path, "");
  EXPECT_STREQ(app_context.extra_dir1, "");
  EXPECT_STREQ(app_context.extra_dir2, "");
  // The rest of every buffer is cleared, not only the text.
  for (std::size_t i = std::strlen(app_context.title); i < title_size; ++i)
    ASSERT_EQ(app_context.title[i], '\0');
  for (std::size_t i = std::strlen(app_context.program_dir); i < path_size; ++i)
    ASSERT_EQ(app_context.program_dir[i], '\0');
}

TEST_F(SettingsSearch, AppInitFindsTheFileBesideTheRealProgram) {
  const std::string file = module_directory() + "\\pmv_calc.ini";
  ASSERT_FALSE(exists(file)) << "left over from an earlier run?";
  created_beside_exe = true;
  make_file(file);
  make_file(drive_root_file);
  app_init(GetModuleHandleA(nullptr));
  EXPECT_EQ(app_context.settings_path, file);
  remove_entry(file);
  // Without it, the root of the current drive.
  app_init(GetModuleHandleA(nullptr));
  EXPECT_STREQ(app_context.settings_path, "\\pmv_calc.ini");
}

} // namespace
