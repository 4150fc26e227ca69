// Start-up of the application context: the title for every message, the
// library's settings, the program's directory from the module file name, and
// the settings file "pmv_calc.ini" beside the program or in the root of the
// current drive. The search itself is portable (app_context.cpp); only the
// existence test and the module file name come from the platform here.
// The module file name is taken in UTF-16, as every path of the program is
// (app_context.h says why).
#include <cstring>

#include "app/app_context.h"
#include "app/app_init_win.h"
#include "dlglib/dlglib.h"

namespace {

constexpr const char *app_title = "Vexlin PMV calculator";
constexpr const wchar_t *settings_file_name = L"pmv_calc.ini";

// Existence only, not access: a directory of that name counts as found.
bool path_exists(const wchar_t *path) {
  return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

int16_t find_settings_file(wchar_t *dst, const wchar_t *name) {
  return search_settings_file(dst, name, app_context, path_exists);
}

void app_init(HINSTANCE instance) {
  std::memset(&app_context, 0, sizeof app_context);
  std::memcpy(app_context.title, app_title, std::strlen(app_title) + 1);
  dlglib_init(instance);
  dlglib_settings.title = app_context.title;

  // One more than the size passed, so the text is terminated also where the
  // platform does not terminate a cut name (XP does not).
  wchar_t program_path[path_size + 1] = {};
  const DWORD length = GetModuleFileNameW(instance, program_path, path_size);
  // A name of the platform's limit or longer (a cut one among them) is no
  // path the program could have been started from: no folder is known, and
  // neither settings nor report are looked for beside it.
  if (length >= max_path)
    app_context.program_dir_unknown = true;
  else if (length > 0)
    directory_of(app_context.program_dir, program_path);

  find_settings_file(app_context.settings_path, settings_file_name);
}
