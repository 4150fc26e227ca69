// Runs a modal dialog from a template in the module's resources. A missing
// procedure gives 2, the end code of Cancel, without showing anything, so a
// caller needs no special case; a failure of the platform (a missing
// template, say) is handed back unchanged.
#include "dlglib/dlglib.h"

INT_PTR run_dialog(HWND owner, int template_id, DLGPROC procedure) {
  if (procedure == nullptr) return IDCANCEL;
  return DialogBoxParamA(dlglib_settings.instance,
                         MAKEINTRESOURCEA(static_cast<WORD>(template_id & 0xFFFF)), owner,
                         procedure, 0);
}
