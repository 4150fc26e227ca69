// "pmv_calc.ini", section "LASTVALUES", through the profile-file service: one
// call per key, in the file's key order. Without a settings file (an empty
// settings_path) no profile call is made at all: the load takes the default
// texts and the save writes nothing, because the service would resolve an
// empty or relative name in the Windows directory.
//
// The calls are the UTF-16 ones, since the file's name is UTF-16. Keys and
// values are ASCII, and the service writes a file that is not Unicode
// already in the ANSI code page, so the file's bytes are those the ANSI
// calls would write.
#include <windows.h>

#include "app/app_context.h"
#include "app/last_values.h"
#include "app/last_values_win.h"

namespace {

constexpr std::size_t key_size = 16; // every key and default text with room to spare

// An ASCII text of ours in UTF-16.
template <std::size_t N> void widen(wchar_t (&dst)[N], const char *text) {
  std::size_t i = 0;
  for (; i + 1 < N && text[i] != '\0'; ++i)
    dst[i] = static_cast<unsigned char>(text[i]);
  dst[i] = L'\0';
}

// A stored text for the number reader, which takes ASCII alone: any other
// character ends a number as "?" does.
void narrow(char *dst, const wchar_t *text, std::size_t size) {
  std::size_t i = 0;
  for (; i + 1 < size && text[i] != L'\0'; ++i)
    dst[i] = text[i] < 0x80 ? static_cast<char>(text[i]) : '?';
  dst[i] = '\0';
}

} // namespace

void load_last_values() {
  const wchar_t *file = app_context.settings_path;
  for (int place = 0; place < case_field_count; ++place) {
    const int field = ini_field_at(place);
    const CaseField &f = case_fields[field];
    if (file[0] == L'\0') {
      apply_last_value(comfort, field, f.ini_default);
      continue;
    }
    wchar_t key[key_size], default_text[key_size];
    widen(key, f.ini_key);
    widen(default_text, f.ini_default);
    wchar_t stored[last_value_size] = {};
    GetPrivateProfileStringW(last_values_section, key, default_text, stored,
                             static_cast<DWORD>(last_value_size), file);
    char text[last_value_size];
    narrow(text, stored, sizeof text);
    apply_last_value(comfort, field, text);
  }
}

void save_last_values() {
  const wchar_t *file = app_context.settings_path;
  if (file[0] == L'\0') return;
  for (int place = 0; place < case_field_count; ++place) {
    const int field = ini_field_at(place);
    const CaseField &f = case_fields[field];
    char text[last_value_size];
    format_last_value(text, comfort.*f.member);
    wchar_t key[key_size], value[last_value_size];
    widen(key, f.ini_key);
    widen(value, text);
    WritePrivateProfileStringW(last_values_section, key, value, file);
  }
}
