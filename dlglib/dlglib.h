// The dialog support library: settings and the Windows-side helpers that the
// application uses around its dialogs. Windows only; the portable pieces
// live in their own headers (trim.h, centre_position.h). The in-memory
// message box, which this program does not use, has a folder of its own:
// own_box/.
#ifndef PMV_DLGLIB_DLGLIB_H
#define PMV_DLGLIB_DLGLIB_H

#include <windows.h>

#include <cstdint>

struct DlgLibSettings {
  HINSTANCE instance;
  const char *title;         // not owned; the application points it at its title
  unsigned char use_own_box; // 1: messages use the in-memory box (own_box/)
};
extern DlgLibSettings dlglib_settings;

// Drawing objects the library may cache; released once at the end. Both
// tables always stay empty: nothing in this program caches a drawing object,
// and the release at the end is kept right for a caller that would.
struct GdiCacheEntry {
  HGDIOBJ object;
  uint32_t extra;
};
constexpr int gdi_cache_capacity = 16;
extern GdiCacheEntry gdi_cache1[gdi_cache_capacity];
extern GdiCacheEntry gdi_cache2[gdi_cache_capacity];
extern int16_t gdi_cache1_count;
extern int16_t gdi_cache2_count;

void dlglib_init(HINSTANCE instance);
void centre_window(HWND window);
INT_PTR run_dialog(HWND owner, int template_id, DLGPROC procedure);
void focus_control(HWND dialog, int control_id);
void delete_gdi_object(HGDIOBJ object);
void release_gdi_caches();

// Message box service: the id of the button that closed the box.
int message_box(HWND owner, const char *text, UINT flags);
int info_message(HWND owner, const char *text);

#endif
