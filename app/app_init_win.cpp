// Start-up of the application context: the title for every message, the
// library's settings, the program's directory from the module file name, and
// the settings file "pmv_calc.ini" beside the program or in the root of the
// current drive. The search itself is portable (app_context.cpp); only the
// existence test and the module file name come from the platform here.
//
// Every path of the program is an ANSI text. The module file name is taken
// in UTF-16 and turned into ANSI here, because GetModuleFileNameA puts "?"
// or a look-alike ("z" for a z with an acute) for a character that the ANSI code page
// lacks: the folder it names does not exist, or is another one. Such a path
// is taken in its short form instead, which is ASCII and names the same
// folder.
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

// `wide` in the ANSI code page, into `dst` of path_size bytes; false when it
// does not fit. A character the code page lacks becomes "?", never a
// look-alike, and `exact` is then false.
bool to_ansi(const wchar_t *wide, char *dst, bool *exact) {
  // A UTF-8 code page has every character, and takes neither the flag nor
  // the question.
  const bool utf8 = GetACP() == CP_UTF8;
  BOOL replaced = FALSE;
  const int n =
      WideCharToMultiByte(CP_ACP, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, wide, -1, dst,
                          static_cast<int>(path_size), nullptr, utf8 ? nullptr : &replaced);
  *exact = !replaced;
  return n > 0;
}

// The program file's path as an ANSI text that names it, into `dst` of
// path_size bytes; false when there is none. On a volume that keeps no short
// names the path keeps its "?": it names no folder, so no file is read or
// written there, and the clipboard still gets every report.
bool module_path(HINSTANCE instance, char *dst) {
  // One more than the size passed, so the text is terminated even where the
  // platform does not terminate a cut path. A cut path (length 261) names no
  // real file; it is treated like no module file name.
  wchar_t wide[path_size + 1] = {};
  const DWORD length = GetModuleFileNameW(instance, wide, path_size);
  if (length == 0 || length >= path_size) return false;
  bool exact = false;
  const bool fits = to_ansi(wide, dst, &exact);
  if (fits && exact) return true;
  // Also where the ANSI text is too long: double-byte characters take two.
  wchar_t short_form[path_size] = {};
  const DWORD short_length = GetShortPathNameW(wide, short_form, path_size);
  if (short_length > 0 && short_length < path_size && to_ansi(short_form, dst, &exact) && exact)
    return true;
  return fits && to_ansi(wide, dst, &exact);
}

} // namespace

int16_t find_settings_file(char *dst, const char *name) {
  return search_settings_file(dst, name, app_context, path_exists);
}

void app_init(HINSTANCE instance) {
  std::memset(&app_context, 0, sizeof app_context);
  std::memcpy(app_context.title, app_title, std::strlen(app_title) + 1);
  dlglib_init(instance);
  dlglib_settings.title = app_context.title;

  char program_path[path_size];
  if (module_path(instance, program_path)) directory_of(app_context.program_dir, program_path);

  find_settings_file(app_context.settings_path, settings_file_name);
}
