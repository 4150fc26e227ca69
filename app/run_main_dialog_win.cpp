// Runs the calculator: the last values first, so that the dialog shows them
// when it opens, then the dialog itself until the user ends it.
#include "app/calculator_dialog_win.h"
#include "app/field_names_win.h"
#include "app/last_values_win.h"
#include "app/resource.h"
#include "dlglib/dlglib.h"

INT_PTR run_main_dialog(HWND owner) {
  load_last_values();
  const INT_PTR end_code = run_dialog(owner, IDD_CALCULATOR, calculator_dialog_proc);
  end_field_names();
  return end_code;
}
