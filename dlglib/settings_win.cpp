// The library's settings: the module instance for loading dialog templates,
// the caption of every message, and the choice of message box.
#include "dlglib/dlglib.h"

DlgLibSettings dlglib_settings;

void dlglib_init(HINSTANCE instance) {
  dlglib_settings.instance = instance;
  dlglib_settings.title = nullptr;
}
