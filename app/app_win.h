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
void reset_report_file(const wchar_t *path);
void append_report_line(const wchar_t *path, const char *format, ...);

// Results of the copies to the clipboard.
constexpr int copy_done = 0;
constexpr int copy_busy = -1;       // another program held the clipboard, or it refused the text
constexpr int copy_unreadable = -2; // the file could not be opened for reading
constexpr int copy_empty = -3;      // the file is empty, or its length unknown
constexpr int copy_no_memory = -4;  // "Not enough memory!" has been shown
// What the user is told when the clipboard stayed busy.
constexpr const char *clipboard_busy_message = "The clipboard is busy: this case was not copied!";

int copy_file_to_clipboard(HWND owner, const wchar_t *path);
// `length` bytes of `text` and four zero bytes as CF_TEXT; copy_done,
// copy_busy or copy_no_memory.
int copy_text_to_clipboard(HWND owner, const char *text, std::size_t length);
// copy_done or copy_busy. A clipboard that another program holds is tried
// again for about a second.
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
