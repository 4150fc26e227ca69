// Dialog templates hold UTF-16 texts while the program's texts are ANSI in
// the system code page: MultiByteToWideChar with CP_ACP converts them. No
// flags: the precomposed forms are the default, and where the system code
// page is UTF-8 any flag makes the call fail and the box blank. The template
// writer gives a capacity of one unit per byte, which is always enough, and
// takes the count returned.
#include "dlglib/own_box/own_box.h"

int ansi_to_utf16(const char *text, int count, unsigned char *dest, int capacity) {
  if (count <= 0 || capacity <= 0) return 0;
  return MultiByteToWideChar(CP_ACP, 0, text, count, reinterpret_cast<LPWSTR>(dest), capacity);
}
