// The report's text, apart from files and the clipboard: the report path, the
// expansion of one line with our own number text, and the whole text that
// the file holds for a case, for when only the clipboard can have it.
#ifndef PMV_APP_REPORT_H
#define PMV_APP_REPORT_H

#include <cstdarg>
#include <cstddef>

#include "app/comfort_case.h"

constexpr const char *report_header = "Vexlin PMV calculator (2003.02)";
constexpr const wchar_t *report_file_name = L"pmv_data.txt";
constexpr std::size_t report_line_size = 500; // one formatted line and its terminator
// The longest report: an empty line, then nine lines of at most 499
// characters, each with CR LF, and the terminator.
constexpr std::size_t report_text_size = 2 + 9 * (report_line_size - 1 + 2) + 1;

// "%s/pmv_data.txt" of `program_dir` into `dst` (path_size characters); an
// empty program_dir gives "/pmv_data.txt". False, `dst` empty, when the path
// would not fit the platform's limit.
bool build_report_path(wchar_t *dst, const wchar_t *program_dir);

// Expands `format` into `dst` (`size` bytes): every "%0.2lf" takes a double
// from `args` and prints it with format_fixed (correctly rounded, point as
// separator); everything else is copied.
// The text is cut to size - 1 characters if longer; returns its length.
int format_report_line_v(char *dst, std::size_t size, const char *format, va_list args);
int format_report_line(char *dst, std::size_t size, const char *format, ...);

// The bytes the report file holds for `comfort_case` (CR LF line ends),
// starting with an empty line when `leading_empty_line`, as every report
// after the first of a process does. Returns the length.
int compose_report(char *dst, std::size_t size, const ComfortCase &comfort_case,
                   bool leading_empty_line);

#endif
