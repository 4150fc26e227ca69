// Shared by the end-to-end helper programs: reading a control id or a
// coordinate, and finding a visible top-level window by its exact caption.
#ifndef PMV_TESTS_E2E_TOOLS_FIND_WINDOW_H
#define PMV_TESTS_E2E_TOOLS_FIND_WINDOW_H

#include <windows.h>

#include <cstring>

// A number in decimal up to 0xFFFF and a bit; -1 for anything else.
inline int parse_id(const char *text) {
  int id = 0;
  if (*text == '\0') return -1;
  for (; *text != '\0'; ++text) {
    if (*text < '0' || *text > '9' || id > 0xFFFF) return -1;
    id = id * 10 + (*text - '0');
  }
  return id;
}

struct CaptionSearch {
  const char *caption;
  HWND found;
};

inline BOOL CALLBACK match_caption(HWND window, LPARAM data) {
  auto *search = reinterpret_cast<CaptionSearch *>(data);
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  if (IsWindowVisible(window) && std::strcmp(text, search->caption) == 0) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

inline HWND find_window(const char *caption) {
  CaptionSearch search{caption, nullptr};
  EnumWindows(match_caption, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

#endif
