// The report's text, apart from files and the clipboard: the report path, the
// expansion of a line format with our own number text, and the whole text
// that the file holds for a case.
#ifndef PMV_APP_REPORT_H
#define PMV_APP_REPORT_H

#include <cstdarg>
#include <cstddef>

#include "app/comfort_case.h"

constexpr const char *report_header = "Vexlin PMV calculator (2003.02)";
constexpr const char *report_file_name = "pmv_data.txt";
constexpr std::size_t report_line_size = 500; // one formatted line and its terminator

// "%s/pmv_data.txt" of `program_dir` into `dst` (path_size bytes); an empty
// program_dir gives "/pmv_data.txt". False, `dst` empty, when the path would
// pass 260 characters.
bool build_report_path(char *dst, const char *program_dir);

// Expands `format` into `dst` (`size` bytes) the way printf would for the
// conversions a report line uses: "%[0][width][.precision][l]f" takes a double
// from `args` and prints it with format_fixed (correctly rounded, point as
// separator, "inf"/"nan" for the non-finite); "%%" is one percent sign. Any
// other '%' is copied as it stands and takes no argument. The text is cut to
// size - 1 characters if longer; returns its length.
int format_report_line_v(char *dst, std::size_t size, const char *format, va_list args);
int format_report_line(char *dst, std::size_t size, const char *format, ...);

#endif
