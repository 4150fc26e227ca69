// "pmv_calc.ini", section "LASTVALUES", through the profile-file service: one
// call per key, in the file's key order. Without a settings file (an empty
// settings_path) no profile call is made at all: the load takes the default
// texts and the save writes nothing, because the service would resolve an
// empty or relative name in the Windows directory.
#include "app/app_context.h"
#include "app/app_win.h"
#include "app/last_values.h"

void load_last_values() {
  const char *file = app_context.settings_path;
  for (const int field : ini_field_order) {
    const CaseField &f = case_fields[field];
    if (file[0] == '\0') {
      apply_last_value(comfort, field, f.ini_default);
      continue;
    }
    char text[last_value_size] = {};
    GetPrivateProfileStringA(last_values_section, f.ini_key, f.ini_default, text,
                             static_cast<DWORD>(sizeof text), file);
    apply_last_value(comfort, field, text);
  }
}

void save_last_values() {
  const char *file = app_context.settings_path;
  if (file[0] == '\0') return;
  for (const int field : ini_field_order) {
    const CaseField &f = case_fields[field];
    char text[last_value_size];
    format_last_value(text, comfort.*f.member);
    WritePrivateProfileStringA(last_values_section, f.ini_key, text, file);
  }
}
