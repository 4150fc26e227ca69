// The geometry and buttons of the in-memory message box, apart
// from the bytes of its template: which buttons the flags ask for, their
// captions, how wide the box is for its longest line, where the row of
// buttons starts. Portable, so every rule is tested natively.
#ifndef PMV_DLGLIB_OWN_BOX_MESSAGE_LAYOUT_H
#define PMV_DLGLIB_OWN_BOX_MESSAGE_LAYOUT_H

#include <cstdint>

constexpr int max_message_buttons = 3;
constexpr int button_caption_size = 32; // bytes, with the NUL

// The row of buttons, in dialog units: buttons 40 wide and 4 apart, so
// each next button stands 44 further right; the row sits 44 from the top.
constexpr int button_width = 40;
constexpr int button_gap = 4;
constexpr int button_step = button_width + button_gap;
constexpr int button_height = 12;
constexpr int button_row_top = 44;

// The buttons of the box being built, left to right; written by
// select_buttons, read by the dialog procedure when the box is created.
// Entries beyond button_count keep what an earlier message left there.
extern int32_t button_ids[max_message_buttons];
extern int32_t button_count;

// Chooses the buttons from the three lowest bits of `flags`, stores them in
// button_ids and button_count, and returns the count (1 to 3).
int select_buttons(uint32_t flags);

// Copies the caption of button `id` with its NUL into `caption` (at least
// 32 bytes): 6 "&Yes", 7 "&No", 2 "&Cancel", every other id "&Ok".
char *button_caption(int id, char *caption);

// Characters of code 32 and above in the longest line; a carriage return
// ends a line, line feeds and tabs neither count nor end one.
int longest_line(const char *text);

// Box width in dialog units: at least 120, and wide enough for the row of
// buttons with a gap on either side (136 for three); widened to
// 3 * longest + 24 (at most 200) for lines of more than 32 characters.
int message_box_width(int buttons, int longest);

// x of the leftmost button: the row of buttons centred on a box of `width`
// units.
int button_row_start(int width, int buttons);

#endif
