// Start-up of the application: the context, the library's settings, the
// program's directory and the settings file.
#ifndef PMV_APP_APP_INIT_WIN_H
#define PMV_APP_APP_INIT_WIN_H

#include <windows.h>

#include <cstdint>

void app_init(HINSTANCE instance);

// Searches program_dir, extra_dir1, extra_dir2 for `name`; 0 and the path in
// `dst` (path_size characters) when found, -1 and the empty text otherwise.
int16_t find_settings_file(wchar_t *dst, const wchar_t *name);

#endif
