// Start-up of the application context: the title for every message, the
// library's settings, the program's directory from the module file name, and
// the settings file "pmv_calc.ini" beside the program or in the root of the
// current drive. The search itself is portable (app_context.cpp); only the
// existence test and the module file name come from the platform here.
#include <io.h>

#include <cstring>

#include "app/app_context.h"
#include "app/app_win.h"
#include "dlglib/dlglib.h"

namespace {

constexpr const char *app_title = "Vexlin PMV calculator";
constexpr const char *settings_file_name = "pmv_calc.ini";

// Existence only, not access: a directory of that name counts as found.
bool path_exists(const char *path) { return _access(path, 0) == 0; }

} // namespace

int16_t find_settings_file(char *dst, const char *name) {
  return search_settings_file(dst, name, app_context, path_exists);
}

void app_init(HINSTANCE instance) {
  std::memset(&app_context, 0, sizeof app_context);
  std::memcpy(app_context.title, app_title, std::strlen(app_title) + 1);
  dlglib_init(instance);
  dlglib_settings.title = app_context.title;

  // One byte more than the size passed, so the text is terminated even where
  // the platform does not terminate a cut path. A cut path (length 261) names
  // no real file; it is treated like no module file name.
  char module_path[path_size + 1] = {};
  const DWORD length = GetModuleFileNameA(instance, module_path, path_size);
  if (length > 0 && length < path_size) directory_of(app_context.program_dir, module_path);

  find_settings_file(app_context.settings_path, settings_file_name);
}
