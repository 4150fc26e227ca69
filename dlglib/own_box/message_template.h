// The whole template of the in-memory message box, everything that
// run_message_dialog does before it runs the dialog, built portably into a
// cleared buffer so that its bytes are tested natively; message_dialog_win.cpp
// runs it.
#ifndef PMV_DLGLIB_OWN_BOX_MESSAGE_TEMPLATE_H
#define PMV_DLGLIB_OWN_BOX_MESSAGE_TEMPLATE_H

#include <cstdint>

#include "dlglib/own_box/dialog_template.h"

constexpr int message_template_size = 4000; // bytes of the template buffer
constexpr int message_text_id = 100;        // the static text's control id
constexpr int message_text_kept_chars = 1000;
constexpr uint32_t message_box_style = 0x80C80080;  // WS_POPUP|WS_CAPTION|WS_SYSMENU|DS_MODALFRAME
constexpr uint32_t message_text_style = 0x50000000; // WS_CHILD|WS_VISIBLE, SS_LEFT
constexpr uint32_t message_button_style = 0x50010000; // WS_CHILD|WS_VISIBLE|WS_TABSTOP

// Selects the buttons (button_ids, button_count) and writes the header, the
// static text and the buttons into `buffer`, which must hold `size` cleared
// bytes. Texts are bounded so that nothing is written past `size` and every
// button is in the template: the buttons' room is set aside first; of the
// rest the message keeps at least its first message_text_kept_chars
// characters, the title gets at most dialog_title_max_chars of what that
// leaves, and the message then takes the remaining room. Returns the template's end offset, or -1
// when `size` has not room even for empty texts.
int build_message_template(unsigned char *buffer, int size, const char *title, const char *text,
                           uint32_t flags, AnsiToUtf16 convert);

#endif
