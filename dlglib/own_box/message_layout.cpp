// Buttons, captions and width of the in-memory message box, by its rules.
// The button set depends on the three lowest flag bits only, so
// the abort/retry types fall back to the sets the library has captions for.
#include "dlglib/own_box/message_layout.h"

#include <cstring>

int32_t button_ids[max_message_buttons];
int32_t button_count;

namespace {

constexpr int id_ok = 1, id_cancel = 2, id_yes = 6, id_no = 7;

const char captions[4][button_caption_size] = {"&Ok", "&Cancel", "&Yes", "&No"};

constexpr int min_box_width = 120;
constexpr int max_box_width = 200;
constexpr int unwidened_line = 32; // counted characters that never widen the box
// A longer line asks for width_per_char units a character and a margin,
// up to the widest box, which a line of full_width_line characters reaches.
constexpr int width_per_char = 3;
constexpr int line_margin = 24;
constexpr int full_width_line = (max_box_width - line_margin) / width_per_char + 1;

int row_width(int buttons) { return button_step * buttons - button_gap; }

void set_buttons(int count, int32_t a, int32_t b, int32_t c) {
  const int32_t ids[max_message_buttons] = {a, b, c};
  for (int i = 0; i < count; ++i)
    button_ids[i] = ids[i];
  button_count = count;
}

} // namespace

int select_buttons(uint32_t flags) {
  if ((flags & 3u) == 3u)
    set_buttons(3, id_yes, id_no, id_cancel);
  else if ((flags & 4u) != 0)
    set_buttons(2, id_yes, id_no, 0);
  else if ((flags & 1u) != 0)
    set_buttons(2, id_ok, id_cancel, 0);
  else
    set_buttons(1, id_ok, 0, 0);
  return button_count;
}

char *button_caption(int id, char *caption) {
  const char *text = captions[0];
  if (id == id_yes)
    text = captions[2];
  else if (id == id_no)
    text = captions[3];
  else if (id == id_cancel)
    text = captions[1];
  std::memcpy(caption, text, std::strlen(text) + 1);
  return caption;
}

int longest_line(const char *text) {
  int longest = 0;
  int count = 0;
  for (const unsigned char *p = reinterpret_cast<const unsigned char *>(text); *p != 0; ++p) {
    if (*p == 13) {
      if (count > longest) longest = count;
      count = 0;
    } else if (*p >= 32) {
      ++count;
    }
  }
  return count > longest ? count : longest;
}

int message_box_width(int buttons, int longest) {
  int width = row_width(buttons) + 2 * button_gap;
  if (width < min_box_width) width = min_box_width;
  if (longest > unwidened_line) {
    // Tested before the product is formed, which a huge count would overflow.
    const int candidate =
        longest < full_width_line ? width_per_char * longest + line_margin : max_box_width;
    if (candidate > width) width = candidate;
  }
  return width;
}

int button_row_start(int width, int buttons) { return width / 2 - row_width(buttons) / 2; }
