// Where the program lives and where its settings file is, fixed at start-up.
#ifndef PMV_APP_APP_CONTEXT_H
#define PMV_APP_APP_CONTEXT_H

#include <cstddef>
#include <cstdint>

constexpr std::size_t path_size = 261; // 260 characters and the terminator
constexpr std::size_t title_size = 40;

struct AppContext {
  char title[title_size];
  char program_dir[path_size];
  char settings_path[path_size];
  char extra_dir1[path_size];
  char extra_dir2[path_size];
};
extern AppContext app_context;

// The directory part of `src` (only the backslash separates), into `dst` of
// path_size bytes.
void directory_of(char *dst, const char *src);

// Searches program_dir, extra_dir1, extra_dir2 for `name`; 0 and the path in
// `dst` (path_size bytes) when found, -1 and the empty text otherwise.
int16_t find_settings_file(char *dst, const char *name);

#endif
