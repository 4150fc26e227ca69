// Where the program lives and where its settings file is, fixed at start-up.
//
// The program's folder and the settings file are named in UTF-16, as the
// platform names them: an ANSI text cannot name every folder (a character
// the code page lacks, a double-byte character whose second byte is the
// backslash), so every file call takes the UTF-16 name. The texts the user
// sees stay ANSI.
#ifndef PMV_APP_APP_CONTEXT_H
#define PMV_APP_APP_CONTEXT_H

#include <cstddef>
#include <cstdint>

constexpr std::size_t path_size = 261; // 260 characters and the terminator
constexpr std::size_t title_size = 40;
// The platform's limit for a file name, its terminator included: a name of
// 260 characters or more cannot be opened (and Windows cannot start a
// program from such a path).
constexpr std::size_t max_path = 260;

struct AppContext {
  char title[title_size];
  wchar_t program_dir[path_size];
  wchar_t settings_path[path_size];
  // Always empty: nothing fills them. Searched after program_dir, each then
  // gives the candidate "\pmv_calc.ini", the file in the root of the current
  // drive; that is how the root is searched.
  wchar_t extra_dir1[path_size];
  wchar_t extra_dir2[path_size];
  // The module's name was too long to be a path: no folder is known, and
  // nothing is written in the root in its place.
  bool program_dir_unknown;
};
extern AppContext app_context;

// The directory part of `src` (only the backslash separates), into `dst` of
// path_size characters.
void directory_of(wchar_t *dst, const wchar_t *src);

// `dir`, `separator` and `name` into `dst` (path_size characters). False,
// with `dst` the empty text, when the name would not fit the platform's
// limit.
bool join_path(wchar_t *dst, const wchar_t *dir, wchar_t separator, const wchar_t *name);

// Whether an entry (file or directory) of that path exists.
using PathExists = bool (*)(const wchar_t *path);

// The search of find_settings_file with the existence test given: the
// candidates "%s\%s" for program_dir, extra_dir1 and extra_dir2 of
// `context`, in that order; the first that exists is copied into `dst`.
// A candidate that would not fit the platform's limit is not tried.
int16_t search_settings_file(wchar_t *dst, const wchar_t *name, const AppContext &context,
                             PathExists exists);

#endif
