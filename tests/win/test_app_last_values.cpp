// The last-values file on real files under Wine: what the profile
// service hands back for the documented stored texts, the exact bytes it writes,
// that other sections and keys stay, and that without a settings file
// nothing is written anywhere.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "app/app_win.h"
#include "app/comfort_case.h"
#include "tests/win/support.h"

namespace {

const char program_dir[] = "C:\\pmvtest\\lv";
const char settings_file[] = "C:\\pmvtest\\lv\\pmv_calc.ini";

// Names and sizes of the entries of a directory.
std::set<std::string> listing(const std::string &dir) {
  std::set<std::string> names;
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &data);
  if (h == INVALID_HANDLE_VALUE) return names;
  do {
    names.insert(std::string(data.cFileName) + " " + std::to_string(data.nFileSizeLow));
  } while (FindNextFileA(h, &data));
  FindClose(h);
  return names;
}

// The profile calls of the code under test, seen through the test program's
// imports of the two profile functions.
struct ProfileCall {
  std::string call;               // "get" or "write"
  std::string section, key, text; // text: the default, or the value written
  DWORD size;                     // the buffer size of "get"
  std::string file;
  bool operator==(const ProfileCall &o) const {
    return call == o.call && section == o.section && key == o.key && text == o.text &&
           size == o.size && file == o.file;
  }
};
std::vector<ProfileCall> profile_calls;

std::string text_of(const char *s) { return s != nullptr ? s : "<null>"; }

using GetProfileFunction = DWORD(WINAPI *)(LPCSTR, LPCSTR, LPCSTR, LPSTR, DWORD, LPCSTR);
using WriteProfileFunction = BOOL(WINAPI *)(LPCSTR, LPCSTR, LPCSTR, LPCSTR);
GetProfileFunction real_get_profile = nullptr;
WriteProfileFunction real_write_profile = nullptr;

DWORD WINAPI recording_get_profile(LPCSTR section, LPCSTR key, LPCSTR def, LPSTR buffer, DWORD size,
                                   LPCSTR file) {
  profile_calls.push_back(
      {"get", text_of(section), text_of(key), text_of(def), size, text_of(file)});
  return real_get_profile(section, key, def, buffer, size, file);
}

BOOL WINAPI recording_write_profile(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR file) {
  profile_calls.push_back(
      {"write", text_of(section), text_of(key), text_of(value), 0, text_of(file)});
  return real_write_profile(section, key, value, file);
}

const char saved_defaults[] = "[LASTVALUES]\r\n"
                              "Tr=24.50\r\n"
                              "RH=50.00\r\n"
                              "v=0.08\r\n"
                              "met=1.00\r\n"
                              "clo=1.00\r\n"
                              "mrt=24.50\r\n"
                              "pmv=0.00\r\n"
                              "ppd=95.00\r\n";

class LastValues : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(enter_scratch_folder(program_dir));
    remove_file(settings_file);
    std::memset(&app_context, 0, sizeof app_context);
    set_path(app_context.program_dir, program_dir);
    set_path(app_context.settings_path, settings_file);
    comfort = ComfortCase{}; // as at start-up
    if (real_get_profile == nullptr) {
      real_get_profile = reinterpret_cast<GetProfileFunction>(patch_import(
          "GetPrivateProfileStringA", reinterpret_cast<void *>(&recording_get_profile)));
      real_write_profile = reinterpret_cast<WriteProfileFunction>(patch_import(
          "WritePrivateProfileStringA", reinterpret_cast<void *>(&recording_write_profile)));
    }
    ASSERT_NE(real_get_profile, nullptr);
    ASSERT_NE(real_write_profile, nullptr);
    profile_calls.clear();
  }
  void TearDown() override {
    remove_file(settings_file);
    leave_scratch_folder();
  }
};

void expect_defaults() {
  EXPECT_EQ(comfort.ta, 24.5);
  EXPECT_EQ(comfort.rh, 50.0);
  EXPECT_EQ(comfort.vel, 0.08);
  EXPECT_EQ(comfort.met, 1.0);
  EXPECT_EQ(comfort.clo, 1.0);
  EXPECT_EQ(comfort.tr, 24.5);
  EXPECT_EQ(comfort.pmv, 0.0);
  EXPECT_EQ(comfort.ppd, 95.0);
}

TEST_F(LastValues, EmptyFileGivesTheDefaultsAndASaveWritesTheSection) {
  write_bytes(settings_file, "");
  load_last_values();
  expect_defaults();
  save_last_values();
  EXPECT_EQ(read_bytes(settings_file), saved_defaults);
}

TEST_F(LastValues, OneProfileCallPerKeyInTheFileOrder) {
  write_bytes(settings_file, "");
  load_last_values();
  save_last_values();
  const char *keys[] = {"Tr", "RH", "v", "met", "clo", "mrt", "pmv", "ppd"};
  const char *defaults[] = {"24.5", "50", "0.08", "1.0", "1.0", "24.5", "0.0", "95.0"};
  const char *values[] = {"24.50", "50.00", "0.08", "1.00", "1.00", "24.50", "0.00", "95.00"};
  std::vector<ProfileCall> expected;
  for (int i = 0; i < 8; ++i)
    expected.push_back({"get", "LASTVALUES", keys[i], defaults[i], 50, settings_file});
  for (int i = 0; i < 8; ++i)
    expected.push_back({"write", "LASTVALUES", keys[i], values[i], 0, settings_file});
  EXPECT_EQ(profile_calls, expected);
}

TEST_F(LastValues, MissingFileSectionOrKeyGivesTheDefault) {
  load_last_values(); // the file does not exist
  expect_defaults();
  EXPECT_FALSE(exists(settings_file)); // loading creates nothing
  write_bytes(settings_file, "[OTHER]\r\nTr=3\r\n[LASTVALUES]\r\nRH=40\r\n");
  comfort = ComfortCase{};
  load_last_values();
  EXPECT_EQ(comfort.ta, 24.5); // Tr of another section does not count
  EXPECT_EQ(comfort.rh, 40.0);
  EXPECT_EQ(comfort.ppd, 95.0);
}

TEST_F(LastValues, DocumentedStoredTexts) {
  write_bytes(settings_file, "[LASTVALUES]\r\n"
                             "Tr=50\r\n"
                             "RH=abc\r\n"
                             "v=0,15\r\n"
                             "met=55.5xyz\r\n"
                             "clo=2.45e1\r\n"
                             "mrt=\r\n"
                             "pmv=-0.12\r\n"
                             "ppd=24,5\r\n");
  load_last_values();
  EXPECT_EQ(comfort.ta, 50.0);  // out of range, loaded as it is; "Tr" is the air temperature
  EXPECT_EQ(comfort.tr, 0.0);   // "mrt=": present but empty, not the default
  EXPECT_EQ(comfort.rh, 0.0);   // no number
  EXPECT_EQ(comfort.vel, 0.0);  // the text up to the comma
  EXPECT_EQ(comfort.met, 55.5); // the rest ignored
  EXPECT_EQ(comfort.clo, 24.5);
  EXPECT_EQ(comfort.pmv, -0.12);
  EXPECT_EQ(comfort.ppd, 24.0); // no comma turned into a point here
}

TEST_F(LastValues, AtMost49CharactersAreRead) {
  // 60 digits stored: the value is that of the first 49.
  write_bytes(settings_file, "[LASTVALUES]\r\nTr=" + std::string(49, '1') + "999999999999\r\n");
  load_last_values();
  EXPECT_EQ(comfort.ta, 1111111111111111111111111111111111111111111111111.0);
}

TEST_F(LastValues, SaveWritesEveryFieldUnderItsKey) {
  write_bytes(settings_file, "");
  comfort = ComfortCase{21.0, 45.0, 1.2, 0.5, 23.0, 0.15, -0.8049, 18.584};
  save_last_values();
  EXPECT_EQ(read_bytes(settings_file), "[LASTVALUES]\r\n"
                                       "Tr=21.00\r\n"
                                       "RH=45.00\r\n"
                                       "v=0.15\r\n"
                                       "met=1.20\r\n"
                                       "clo=0.50\r\n"
                                       "mrt=23.00\r\n"
                                       "pmv=-0.80\r\n"
                                       "ppd=18.58\r\n");
  const ComfortCase saved = comfort;
  comfort = ComfortCase{};
  load_last_values();
  EXPECT_EQ(comfort.ta, saved.ta);
  EXPECT_EQ(comfort.tr, saved.tr);
  EXPECT_EQ(comfort.pmv, -0.80);
}

TEST_F(LastValues, OtherSectionsAndKeysAreUntouched) {
  const std::string before = "; comment\r\n"
                             "[General]\r\n"
                             "Tr=keep me\r\n"
                             "\r\n"
                             "[LASTVALUES]\r\n"
                             "extra=stays\r\n"
                             "RH=10\r\n"
                             "\r\n"
                             "[Tail]\r\n"
                             "b=2\r\n";
  write_bytes(settings_file, before);
  load_last_values();
  EXPECT_EQ(comfort.rh, 10.0);
  save_last_values();
  const std::string after = read_bytes(settings_file);
  // The profile service may drop blank lines between sections; every
  // section, key and comment stays.
  EXPECT_EQ(after.substr(0, 34), "; comment\r\n[General]\r\nTr=keep me\r\n") << after;
  EXPECT_NE(after.find("[LASTVALUES]\r\nextra=stays\r\nRH=10.00\r\n"), std::string::npos) << after;
  EXPECT_NE(after.find("[Tail]\r\nb=2\r\n"), std::string::npos) << after;
  EXPECT_NE(after.find("Tr=24.50\r\n"), std::string::npos) << after;
  EXPECT_NE(after.find("ppd=95.00\r\n"), std::string::npos) << after;
  // Keys that were missing are added in the file's key order.
  const char *keys[] = {"Tr=", "v=", "met=", "clo=", "mrt=", "pmv=", "ppd="};
  std::size_t at = after.find("[LASTVALUES]");
  for (const char *key : keys) {
    const std::size_t next = after.find(std::string("\r\n") + key, at);
    ASSERT_NE(next, std::string::npos) << key;
    EXPECT_LT(next, after.find("[Tail]")) << key;
    at = next + 1;
  }
}

TEST_F(LastValues, HugeValueIsStoredInAFormThatReadsBack) {
  write_bytes(settings_file, "");
  load_last_values();
  comfort.ppd = 1e300;
  comfort.ta = -1e46;
  save_last_values();
  const std::string text = read_bytes(settings_file);
  EXPECT_NE(text.find("\r\nppd=1e+300\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\r\nTr=-1e+46\r\n"), std::string::npos) << text;
  comfort = ComfortCase{};
  load_last_values();
  EXPECT_EQ(comfort.ppd, 1e300);
  EXPECT_EQ(comfort.ta, -1e46);
}

TEST_F(LastValues, NoSettingsFileGivesDefaultsAndWritesNothingAnywhere) {
  char windows_dir[MAX_PATH];
  GetWindowsDirectoryA(windows_dir, MAX_PATH);
  const std::string places[] = {program_dir, "C:\\", scratch_root, windows_dir};
  std::set<std::string> before[4];
  for (int i = 0; i < 4; ++i)
    before[i] = listing(places[i]);
  const std::string win_ini = read_bytes(std::string(windows_dir) + "\\win.ini");

  app_context.settings_path[0] = '\0';
  load_last_values();
  expect_defaults();
  comfort.ta = 12.0;
  save_last_values();

  EXPECT_TRUE(profile_calls.empty()); // no profile call with an empty name
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(listing(places[i]), before[i]) << places[i];
  EXPECT_FALSE(exists(settings_file));
  EXPECT_FALSE(exists("C:\\pmv_calc.ini"));
  EXPECT_FALSE(exists(std::string(windows_dir) + "\\pmv_calc.ini"));
  EXPECT_EQ(read_bytes(std::string(windows_dir) + "\\win.ini"), win_ini);
}

} // namespace
