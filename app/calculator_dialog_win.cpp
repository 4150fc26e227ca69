// The calculator dialog: shows the comfort case in its eight fields, reads
// and checks the six inputs, runs the comfort model, and hands the case on to
// the report ("Execute") and to the last-values file ("Close"). The dialog
// keeps no state of its own: values live in `comfort`, texts in the controls.
#include "app/calculator_dialog_win.h"
#include "app/comfort_case.h"
#include "app/field_names_win.h"
#include "app/field_text.h"
#include "app/last_values_win.h"
#include "app/numtext.h"
#include "app/report_win.h"
#include "app/resource.h"
#include "dlglib/dlglib.h"
#include "model/comfort_model.h"

namespace {

// The dialog ends the same way whichever button closed it.
constexpr INT_PTR dialog_end_code = 2;

void execute_command(HWND dialog) {
  const int16_t failed = read_all_inputs(dialog, read_with_messages);
  if (failed != 0) {
    select_field(dialog, failed);
    return;
  }
  // A model that did not converge leaves PMV and PPD as they were; showing
  // and reporting them again would pass old results off as new ones.
  if (run_calculation() != 0) return;
  show_all_values(dialog);
  write_report(dialog, comfort);
}

void close_command(HWND dialog) {
  // Silent: a refused field keeps its earlier value, and that is saved.
  read_all_inputs(dialog, read_silently);
  save_last_values();
  EndDialog(dialog, dialog_end_code);
}

} // namespace

INT_PTR CALLBACK calculator_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  switch (message) {
  case WM_INITDIALOG:
    centre_window(dialog);
    show_all_values(dialog);
    name_fields(dialog);
    // "Close" gets the focus through the dialog manager rather than by
    // returning TRUE: only then does it also become the default button, on
    // Wine as on Windows, so that Enter at once after opening presses it.
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_CLOSE)),
                 TRUE);
    return FALSE;
  case WM_COMMAND:
    // The notification code is not looked at: any command with a handled
    // identifier acts.
    switch (LOWORD(wparam)) {
    case IDCANCEL: // Escape, the close box, Alt+F4: nothing is read or saved
      EndDialog(dialog, dialog_end_code);
      break;
    case IDC_CLOSE:
      close_command(dialog);
      break;
    case IDC_EXECUTE: {
      execute_command(dialog);
      // A button clicked with the mouse keeps the focus; the dialog manager
      // makes it the default button only when it moves the focus itself, so
      // hand it the focus once more: then Enter repeats "Execute", whether
      // the button was reached by Tab or by a click.
      HWND button = GetDlgItem(dialog, IDC_EXECUTE);
      if (GetFocus() == button) {
        SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(button), TRUE);
      }
      break;
    }
    default: // IDOK from Enter outside a push button, edit notifications
      break;
    }
    return TRUE;
  default:
    return FALSE;
  }
}

void show_value(HWND dialog, int control_id, double value, int width, int decimals) {
  // A value loaded from the file is not range-checked and may be huge; the
  // formatter then falls back to a short exponent form that still fits and
  // that the next read refuses like any value out of range.
  char text[value_text_size];
  if (format_number(text, sizeof text, value, width, decimals) < 0) text[0] = '\0';
  SetDlgItemTextA(dialog, control_id, text);
  SendDlgItemMessageA(dialog, control_id, EM_LIMITTEXT, field_typing_limit, 0);
}

void show_all_values(HWND dialog) {
  for (const CaseField &field : case_fields) {
    show_value(dialog, field.control_id, comfort.*field.member, field_width, field.decimals);
  }
}

int read_input_field(HWND dialog, int control_id, double *destination, double minimum,
                     double maximum, int16_t with_messages) {
  char text[field_buffer_size] = {};
  GetDlgItemTextA(dialog, control_id, text, field_read_count);
  if (parse_field_text(text, minimum, maximum, destination) == 0) return 0;
  if (with_messages) {
    format_range_message(text, sizeof text, minimum, maximum);
    MessageBeep(0);
    info_message(dialog, text);
    focus_control(dialog, control_id);
  }
  return -1;
}

int16_t read_all_inputs(HWND dialog, int16_t with_messages) {
  for (int i = 0; i < case_input_count; ++i) {
    const CaseField &field = case_fields[i];
    if (read_input_field(dialog, field.control_id, &(comfort.*field.member), field.minimum,
                         field.maximum, with_messages) != 0) {
      return static_cast<int16_t>(field.control_id);
    }
  }
  return 0;
}

void select_field(HWND dialog, int16_t control_id) {
  SendDlgItemMessageA(dialog, control_id, EM_SETSEL, 0, -1);
  focus_control(dialog, control_id);
}

int16_t run_calculation() {
  double pmv = 0.0;
  if (calc_pmv(comfort.clo, comfort.met, 0.0, comfort.ta, comfort.tr, comfort.vel, comfort.rh,
               pmv) != 0) {
    return -1;
  }
  comfort.pmv = pmv;
  comfort.ppd = calc_ppd(pmv);
  return 0;
}
