// The portable parts of the dialog library: where a window is centred, and
// the in-memory message box's layout and bytes.
// Single-byte conversion stands in for MultiByteToWideChar, which the Win32
// tests use with the same bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dlglib/centre_position.h"
#include "dlglib/message_layout.h"
#include "dlglib/message_template.h"
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

TEST(Dlglib, MessageBoxButtonsAndWidth) {
  const struct {
    unsigned flags;
    std::vector<int> ids;
    std::string captions;
  } sets[] = {{0, {1}, "&Ok"},        {1, {1, 2}, "&Ok&Cancel"},
              {2, {1}, "&Ok"},        {3, {6, 7, 2}, "&Yes&No&Cancel"},
              {4, {6, 7}, "&Yes&No"}, {5, {6, 7}, "&Yes&No"},
              {6, {6, 7}, "&Yes&No"}, {7, {6, 7, 2}, "&Yes&No&Cancel"},
              {64, {1}, "&Ok"}};
  for (const auto &s : sets) {
    ASSERT_EQ(select_buttons(s.flags), static_cast<int>(s.ids.size()));
    std::string captions;
    for (int i = 0; i < button_count; ++i) {
      EXPECT_EQ(button_ids[i], s.ids[i]) << s.flags;
      char caption[button_caption_size];
      captions += button_caption(button_ids[i], caption);
    }
    EXPECT_EQ(captions, s.captions);
  }
  const struct {
    const char *text;
    int longest;
  } lines[] = {{"", 0}, {"abc", 3}, {"ab\r\ncdef", 4}, {"a \nb\tc", 4}, {"\x80\xff\r", 2}};
  for (const auto &l : lines)
    EXPECT_EQ(longest_line(l.text), l.longest) << l.text;
  // Beyond the two boxes of the templates below: a line that passes the
  // box's greatest width.
  EXPECT_EQ(message_box_width(1, 59), 200);
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

// The writers on their own refuse a buffer short by one byte, and cut a text
// to the room there is.
TEST(Dlglib, TemplateWriters) {
  unsigned char b[64] = {};
  const AnsiToUtf16 same = single_byte_to_utf16;
  EXPECT_EQ(write_dialog_header(b, 1, 1, 0, 0, 0, 0, "title", 23, same), -1);
  EXPECT_EQ(write_dialog_header(b, 1, 1, 0, 0, 0, 0, "title", 24, same), 24);
  EXPECT_EQ(write_dialog_header(b, 1, 1, 0, 0, 0, 0, "title", 26, same), 26); // room for "t"
  EXPECT_EQ(write_dialog_item(b, -1, 0x80, 1, 0, 0, 0, 0, 0, "x", 64, same), -1);
  EXPECT_EQ(write_dialog_item(b, 32, 0x80, 1, 0, 0, 0, 0, 0, "", 57, same), -1);
  EXPECT_EQ(write_dialog_item(b, 32, 0x80, 1, 0, 0, 0, 0, 0, "", 58, same), 58);
  // A 3000-character title beside a long message keeps 957 characters.
  std::vector<unsigned char> t(message_template_size);
  build_message_template(t.data(), message_template_size, std::string(3000, 't').c_str(),
                         std::string(5000, 'm').c_str(), 0, same);
  EXPECT_EQ(std::count(t.begin(), t.end(), 't'), 957);
}

} // namespace
