// The calculator dialog, and running it as the program's main loop.
#ifndef PMV_APP_CALCULATOR_DIALOG_WIN_H
#define PMV_APP_CALCULATOR_DIALOG_WIN_H

#include <windows.h>

#include <cstdint>

// How the inputs are read: "Execute" tells the user of a refused field (a
// beep, the range message, the focus on the field); "Close" reads silently.
constexpr int16_t read_with_messages = 1;
constexpr int16_t read_silently = 0;

INT_PTR CALLBACK calculator_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
void show_all_values(HWND dialog);
void show_value(HWND dialog, int control_id, double value, int width, int decimals);
// The control id of the first input refused, or 0 when all six were stored.
int16_t read_all_inputs(HWND dialog, int16_t with_messages);
int read_input_field(HWND dialog, int control_id, double *destination, double minimum,
                     double maximum, int16_t with_messages);
void select_field(HWND dialog, int16_t control_id);
// 0 when PMV and PPD were computed and stored; -1 when the model did not
// converge, and then the case keeps its earlier PMV and PPD.
int16_t run_calculation();

INT_PTR run_main_dialog(HWND owner);

#endif
