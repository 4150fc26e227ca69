// The application's Windows-side operations.
#ifndef PMV_APP_APP_WIN_H
#define PMV_APP_APP_WIN_H

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "app/comfort_case.h"

// Start-up: context, library settings, program directory, settings file.
void app_init(HINSTANCE instance);

// The last-values file.
void load_last_values();
void save_last_values();

// The report file and its copy on the clipboard.
extern bool report_started;
int16_t write_report(HWND owner, const ComfortCase &comfort_case);
void reset_report_file(const char *path);
void append_report_line(const char *path, const char *format, ...);
int copy_file_to_clipboard(HWND owner, const char *path);
// `length` bytes of `text` and four zero bytes as CF_TEXT; the results of
// copy_file_to_clipboard (0, -1 clipboard busy, -4 no memory).
int copy_text_to_clipboard(HWND owner, const char *text, std::size_t length);
int set_clipboard_text(HWND owner, HGLOBAL block);
void *alloc_global_block(SIZE_T size, HGLOBAL *handle);

// The calculator dialog.
INT_PTR CALLBACK calculator_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
void show_all_values(HWND dialog);
void show_value(HWND dialog, int control_id, double value, int width, int decimals);
int16_t read_all_inputs(HWND dialog, int16_t with_messages);
int read_input_field(HWND dialog, int control_id, double *destination, double minimum,
                     double maximum, int16_t with_messages);
void select_field(HWND dialog, int16_t control_id);
// 0 when PMV and PPD were computed and stored; -1 when the model did not
// converge, and then the case keeps its earlier PMV and PPD.
int16_t run_calculation();

// The life of the process.
INT_PTR run_main_dialog(HWND owner);

#endif
