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

// `dir`, `separator` and `name` into `dst` (path_size bytes). False, with
// `dst` the empty text, when the path would pass 260 characters.
bool join_path(char *dst, const char *dir, char separator, const char *name);

// Whether an entry (file or directory) of that path exists.
using PathExists = bool (*)(const char *path);

// The search of find_settings_file with the existence test given: the
// candidates "%s\%s" for program_dir, extra_dir1 and extra_dir2 of
// `context`, in that order; the first that exists is copied into `dst`.
// A candidate that would pass 260 characters is not tried.
int16_t search_settings_file(char *dst, const char *name, const AppContext &context,
                             PathExists exists);

#endif
