// The portable parts of the dialog library: where a window is centred, and
// the in-memory message box's bytes, its buttons and width by the flags and
// the text included (the program never shows that box, so no test runs it).
// Single-byte conversion stands in for MultiByteToWideChar.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "dlglib/centre_position.h"
#include "dlglib/own_box/message_layout.h"
#include "dlglib/own_box/message_template.h"
#include "tests/unit/support.h"

namespace {

TEST(Dlglib, CentredPosition) {
  const ScreenRect owner{100, 100, 500, 400}, right{800, 100, 1000, 300}, left{-50, -40, 50, 60},
      low{100, 600, 500, 760}, edge{724, 548, 1024, 748};
  const struct {
    ScreenRect window;
    const ScreenRect *parent;
    int x, y;
  } rows[] = {
      {{100, 50, 400, 250}, nullptr, 362, 274}, // on the screen, 20 pixels kept at the bottom
      {{0, 0, 300, 200}, &edge, 724, 548},      // touching the right and bottom edges
      {{0, 0, 200, 100}, &owner, 200, 200},     // on the owner
      {{0, 0, 300, 100}, &right, 722, 150},     // pulled back at the right edge
      {{0, 0, 200, 150}, &left, -100, -65},     // never at the left or top edge
      {{0, 0, 1101, 100}, nullptr, -38, 324},   // truncated toward zero
      {{0, 0, 100, 500}, &low, 250, 246},       // pulled up from the bottom
  };
  for (const auto &r : rows) {
    const ScreenPoint p = centre_position(r.window, r.parent, 1024, 768);
    EXPECT_EQ(p.x, r.x);
    EXPECT_EQ(p.y, r.y);
  }
}

// The worked example, "Not enough memory!" under a 21-character title with one
// OK button, and a question with Yes, No and Cancel.
TEST(Dlglib, MessageBoxTemplateBytes) {
  const struct {
    const char *file, *text;
    unsigned flags;
  } boxes[] = {{"message_box_example.bin", "Not enough memory!", 64},
               {"message_box_three_buttons.bin", "Save the values?", 3}};
  for (const auto &box : boxes) {
    const std::string expected = data_file(box.file);
    unsigned char buffer[message_template_size] = {};
    EXPECT_EQ(build_message_template(buffer, message_template_size, "Vexlin PMV calculator",
                                     box.text, box.flags, single_byte_to_utf16),
              static_cast<int>(expected.size()));
    EXPECT_EQ(std::string(reinterpret_cast<char *>(buffer), expected.size() + 4),
              expected + std::string(4, '\0'));
  }
}

// A line of more than 32 characters widens the box, up to 200 units.
TEST(Dlglib, MessageBoxWidth) {
  for (const auto &[longest, width] : {std::pair{32, 120}, {33, 123}, {58, 198}, {59, 200}})
    EXPECT_EQ(message_box_width(1, longest), width) << longest;
}

} // namespace
