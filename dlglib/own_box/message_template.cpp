// Assembles the in-memory message box template from its fixed values.
// The template buffer would let a title of dialog_title_max_chars and an
// uncut message overrun it; here the room is shared out before anything
// is written (see message_template.h), so the box always gets its buttons
// and a text cut short still shows as a working box.
#include "dlglib/own_box/message_template.h"

#include <cstring>

#include "dlglib/own_box/message_layout.h"

namespace {

constexpr int align_slack = 2; // an item may start 2 bytes after the last one

int item_room(int chars) { return align_slack + dialog_item_fixed_size + 2 * chars; }

} // namespace

int build_message_template(unsigned char *buffer, int size, const char *title, const char *text,
                           uint32_t flags, AnsiToUtf16 convert) {
  if (text == nullptr) text = "";
  const int count = select_buttons(flags);
  const int width = message_box_width(count, longest_line(text));

  char captions[max_message_buttons][button_caption_size];
  int buttons_room = 0;
  for (int i = 0; i < count; ++i) {
    button_caption(button_ids[i], captions[i]);
    buttons_room += item_room(static_cast<int>(std::strlen(captions[i])));
  }
  const std::size_t text_length = std::strlen(text);
  const int kept = text_length < static_cast<std::size_t>(message_text_kept_chars)
                       ? static_cast<int>(text_length)
                       : message_text_kept_chars;
  const int items_end = size - buttons_room; // the text item ends before this

  int offset = write_dialog_header(buffer, message_box_style, count + 1, 10, 15, width, 62, title,
                                   items_end - item_room(kept), convert);
  offset = write_dialog_item(buffer, offset, static_class_atom, message_text_id, message_text_style,
                             6, 8, width - 12, 32, text, items_end, convert);
  const int row = button_row_start(width, count);
  for (int i = 0; i < count; ++i)
    offset = write_dialog_item(buffer, offset, button_class_atom, button_ids[i],
                               message_button_style, row + button_step * i, button_row_top,
                               button_width, button_height, captions[i], size, convert);
  return offset;
}
