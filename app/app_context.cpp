// The application context and the path arithmetic of start-up, kept apart
// from the platform: the program file's path is a text here, and whether a
// settings candidate exists is asked through a function the caller gives,
// so the search order and the length rules are tested natively.
#include "app/app_context.h"

#include <cwchar>

AppContext app_context;

namespace {

// The directory is cut in a bounded work copy of the path. 398 characters
// are more than any path the platform gives (max_path), so the bound never
// shortens a real path; it only keeps a longer text within the copy.
constexpr std::size_t directory_work_size = 400;
constexpr std::size_t directory_kept_chars = directory_work_size - 2;

} // namespace

void directory_of(wchar_t *dst, const wchar_t *src) {
  wchar_t work[directory_work_size];
  std::size_t n = 0;
  while (n < directory_kept_chars && src[n] != L'\0') {
    work[n] = src[n];
    ++n;
  }
  work[n] = L'\0';
  if (n == 0) {
    dst[0] = L'\0';
    return;
  }
  // Index 0 is never examined: "\calc.exe" has no directory.
  std::size_t i = n - 1;
  while (i > 0 && work[i] != L'\\')
    --i;
  work[i] = L'\0';
  // Only a source beyond the platform's 260 characters can give a longer
  // directory; it becomes the empty text rather than overrun `dst`.
  if (i >= path_size) {
    dst[0] = L'\0';
    return;
  }
  std::wmemcpy(dst, work, i + 1);
}

bool join_path(wchar_t *dst, const wchar_t *dir, wchar_t separator, const wchar_t *name) {
  const std::size_t a = std::wcslen(dir);
  const std::size_t b = std::wcslen(name);
  if (a + 1 + b + 1 > max_path) {
    dst[0] = L'\0';
    return false;
  }
  std::wmemcpy(dst, dir, a);
  dst[a] = separator;
  std::wmemcpy(dst + a + 1, name, b + 1);
  return true;
}

int16_t search_settings_file(wchar_t *dst, const wchar_t *name, const AppContext &context,
                             PathExists exists) {
  const wchar_t *const dirs[3] = {context.program_dir, context.extra_dir1, context.extra_dir2};
  wchar_t candidate[path_size];
  for (const wchar_t *dir : dirs) {
    if (!join_path(candidate, dir, L'\\', name)) continue;
    if (exists(candidate)) {
      std::wmemcpy(dst, candidate, std::wcslen(candidate) + 1);
      return 0;
    }
  }
  dst[0] = L'\0';
  return -1;
}
