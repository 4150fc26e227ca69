// The program's entry point. There is no main window: the calculator dialog
// is the only one, and its modal loop is the program's main loop. The
// command line and the show command are not used.
#include "app/app_init_win.h"
#include "app/calculator_dialog_win.h"
#include "dlglib/dlglib.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  app_init(instance);
  // However the dialog ended, or if it could not be shown at all, the
  // process ends normally: every failure the user must know of has been
  // shown by then.
  run_main_dialog(nullptr);
  release_gdi_caches();
  return 0;
}
