// The report file "pmv_data.txt" and its copy on the clipboard.
#ifndef PMV_APP_REPORT_WIN_H
#define PMV_APP_REPORT_WIN_H

#include <windows.h>

#include <cstdint>

#include "app/comfort_case.h"

extern bool report_started;
int16_t write_report(HWND owner, const ComfortCase &comfort_case);
void reset_report_file(const wchar_t *path);
void append_report_line(const wchar_t *path, const char *format, ...);

#endif
