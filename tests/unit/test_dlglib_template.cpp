// The in-memory message box as bytes: the worked example
// byte for byte, the button sets and positions for every button type, the
// width rule, the longest line, and the bounds that keep every write inside
// the 4000-byte buffer. Single-byte conversion stands in for
// MultiByteToWideChar; the Wine tests run the same bytes with the real one.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/resource.h"
#include "dlglib/dialog_template.h"
#include "dlglib/message_layout.h"
#include "dlglib/message_template.h"

static_assert(message_text_id == IDC_MESSAGE_TEXT, "the box's text id is IDC_MESSAGE_TEXT");

namespace {

// --- expected bytes, written out field by field -----------------------------

struct Bytes {
  std::vector<unsigned char> b;
  void u16(unsigned v) {
    b.push_back(static_cast<unsigned char>(v & 0xFF));
    b.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
  }
  void u32(unsigned long v) {
    u16(static_cast<unsigned>(v & 0xFFFF));
    u16(static_cast<unsigned>(v >> 16));
  }
  void text(const char *t) {
    for (; *t; ++t)
      u16(static_cast<unsigned char>(*t));
  }
  void align4() {
    while (b.size() % 4 != 0)
      b.push_back(0);
  }
};

// --- reading a template back -------------------------------------------------

unsigned get16(const unsigned char *p) { return p[0] | (p[1] << 8u); }
int get16s(const unsigned char *p) { return static_cast<short>(get16(p)); }
unsigned long get32(const unsigned char *p) { return get16(p) | (get16(p + 2) * 0x10000ul); }

struct Item {
  int offset;
  unsigned long style;
  int x, y, cx, cy, id;
  unsigned marker, atom;
  std::string text;
  int end;
};

std::string read_text(const unsigned char *p, int *units) {
  std::string s;
  int n = 0;
  while (get16(p + 2 * n) != 0) {
    s.push_back(static_cast<char>(get16(p + 2 * n) & 0xFF));
    ++n;
  }
  *units = n;
  return s;
}

struct Template {
  unsigned long style;
  int items, x, y, cx, cy;
  std::string title;
  int header_end;
  std::vector<Item> item;
};

Template parse(const unsigned char *buf) {
  Template t;
  t.style = get32(buf);
  t.items = get16s(buf + 8);
  t.x = get16s(buf + 10);
  t.y = get16s(buf + 12);
  t.cx = get16s(buf + 14);
  t.cy = get16s(buf + 16);
  int n = 0;
  t.title = read_text(buf + 22, &n);
  t.header_end = 24 + 2 * n;
  int offset = t.header_end;
  for (int i = 0; i < t.items; ++i) {
    Item it;
    it.offset = (offset + 3) & ~3;
    const unsigned char *p = buf + it.offset;
    it.style = get32(p);
    it.x = get16s(p + 8);
    it.y = get16s(p + 10);
    it.cx = get16s(p + 12);
    it.cy = get16s(p + 14);
    it.id = get16s(p + 16);
    it.marker = get16(p + 18);
    it.atom = get16(p + 20);
    int m = 0;
    it.text = read_text(p + 22, &m);
    EXPECT_EQ(get16(p + 24 + 2 * m), 0u) << "creation data size";
    it.end = it.offset + 26 + 2 * m;
    offset = it.end;
    t.item.push_back(it);
  }
  return t;
}

// A cleared 4000-byte template buffer followed by a guard zone.
struct Buffer {
  static constexpr int guard = 256;
  std::vector<unsigned char> bytes = std::vector<unsigned char>(message_template_size + guard, 0);
  Buffer() { std::memset(bytes.data() + message_template_size, 0xAA, guard); }
  unsigned char *data() { return bytes.data(); }
  bool guard_intact() const {
    for (int i = 0; i < guard; ++i)
      if (bytes[message_template_size + i] != 0xAA) return false;
    return true;
  }
  int build(const char *title, const char *text, uint32_t flags) {
    return build_message_template(data(), message_template_size, title, text, flags,
                                  single_byte_to_utf16);
  }
};

const char title21[] = "Vexlin PMV calculator"; // 21 characters

// --- the worked example ------------------------------------------------------

TEST(MessageTemplate, WorkedExampleByteForByte) {
  ASSERT_EQ(std::strlen(title21), 21u);
  Buffer buf;
  const int end = buf.build(title21, "Not enough memory!", 64);
  ASSERT_EQ(end, 164);

  Bytes e;
  e.u32(0x80C80080); // style
  e.u32(0);          // extended style
  e.u16(2);          // items: text and one button
  e.u16(10);         // x
  e.u16(15);         // y
  e.u16(120);        // cx
  e.u16(62);         // cy
  e.u16(0);          // menu
  e.u16(0);          // class
  e.text(title21);
  e.u16(0);
  ASSERT_EQ(e.b.size(), 66u); // the header
  e.align4();
  ASSERT_EQ(e.b.size(), 68u); // the static text
  e.u32(0x50000000);
  e.u32(0);
  e.u16(6);
  e.u16(8);
  e.u16(108);
  e.u16(32);
  e.u16(100);
  e.u16(0xFFFF);
  e.u16(0x0082);
  e.text("Not enough memory!");
  e.u16(0);
  e.u16(0); // creation data
  ASSERT_EQ(e.b.size(), 130u);
  e.align4();
  ASSERT_EQ(e.b.size(), 132u); // the button
  e.u32(0x50010000);
  e.u32(0);
  e.u16(40);
  e.u16(44);
  e.u16(40);
  e.u16(12);
  e.u16(1);
  e.u16(0xFFFF);
  e.u16(0x0080);
  e.text("&Ok");
  e.u16(0);
  e.u16(0);
  ASSERT_EQ(e.b.size(), 164u);

  for (int i = 0; i < 164; ++i)
    ASSERT_EQ(buf.bytes[i], e.b[i]) << "byte " << i;
  for (int i = 164; i < message_template_size; ++i)
    ASSERT_EQ(buf.bytes[i], 0) << "byte " << i;
  EXPECT_EQ(button_count, 1);
  EXPECT_EQ(button_ids[0], 1);
}

// --- button sets -------------------------------------------------------------

struct ButtonRow {
  uint32_t flags;
  int count;
  int ids[3];
  const char *captions[3];
  int xs[3];
};

const ButtonRow button_rows[] = {
    {0, 1, {1}, {"&Ok"}, {40}},
    {1, 2, {1, 2}, {"&Ok", "&Cancel"}, {18, 62}},
    {2, 1, {1}, {"&Ok"}, {40}},
    {3, 3, {6, 7, 2}, {"&Yes", "&No", "&Cancel"}, {4, 48, 92}},
    {4, 2, {6, 7}, {"&Yes", "&No"}, {18, 62}},
    {5, 2, {6, 7}, {"&Yes", "&No"}, {18, 62}},
    {6, 2, {6, 7}, {"&Yes", "&No"}, {18, 62}},
    {7, 3, {6, 7, 2}, {"&Yes", "&No", "&Cancel"}, {4, 48, 92}},
    {64, 1, {1}, {"&Ok"}, {40}},
    {0x2041, 2, {1, 2}, {"&Ok", "&Cancel"}, {18, 62}}, // only the low bits count
    {0x33, 3, {6, 7, 2}, {"&Yes", "&No", "&Cancel"}, {4, 48, 92}},
};

TEST(MessageTemplate, ButtonSetsAndPositionsByTheLowThreeBits) {
  for (const ButtonRow &row : button_rows) {
    SCOPED_TRACE(::testing::Message() << "flags " << row.flags);
    Buffer buf;
    const char *text = "Thirty-two counted characters!!!"; // 32: no widening
    ASSERT_EQ(std::strlen(text), 32u);
    ASSERT_GT(buf.build(title21, text, row.flags), 0);
    ASSERT_EQ(button_count, row.count);
    const Template t = parse(buf.data());
    ASSERT_EQ(t.items, row.count + 1);
    EXPECT_EQ(t.cx, row.count == 3 ? 136 : 120);
    EXPECT_EQ(t.item[0].id, 100);
    EXPECT_EQ(t.item[0].cx, t.cx - 12);
    for (int i = 0; i < row.count; ++i) {
      const Item &b = t.item[i + 1];
      EXPECT_EQ(button_ids[i], row.ids[i]);
      EXPECT_EQ(b.id, row.ids[i]);
      EXPECT_EQ(b.text, row.captions[i]);
      EXPECT_EQ(b.x, row.xs[i]);
      EXPECT_EQ(b.y, 44);
      EXPECT_EQ(b.cx, 40);
      EXPECT_EQ(b.cy, 12);
      EXPECT_EQ(b.style, 0x50010000ul);
      EXPECT_EQ(b.marker, 0xFFFFu);
      EXPECT_EQ(b.atom, 0x0080u);
      EXPECT_EQ(b.offset % 4, 0);
    }
    EXPECT_TRUE(buf.guard_intact());
  }
}

TEST(MessageLayout, EntriesBeyondTheCountKeepEarlierIds) {
  select_buttons(3);
  EXPECT_EQ(select_buttons(0), 1);
  EXPECT_EQ(button_ids[0], 1);
  EXPECT_EQ(button_ids[1], 7);
  EXPECT_EQ(button_ids[2], 2);
}

TEST(MessageLayout, ButtonCaptions) {
  char caption[button_caption_size];
  std::memset(caption, 'x', sizeof caption);
  EXPECT_EQ(button_caption(6, caption), caption);
  EXPECT_STREQ(caption, "&Yes");
  EXPECT_STREQ(button_caption(7, caption), "&No");
  EXPECT_STREQ(button_caption(2, caption), "&Cancel");
  EXPECT_STREQ(button_caption(1, caption), "&Ok");
  for (int id : {0, 3, 4, 5, 8, -1, 100})
    EXPECT_STREQ(button_caption(id, caption), "&Ok") << id;
}

// --- width -------------------------------------------------------------------

struct WidthRow {
  int longest;
  int one_button, three_buttons;
};

const WidthRow width_rows[] = {
    {0, 120, 136},  {18, 120, 136}, {32, 120, 136},  {33, 123, 136},
    {37, 135, 136}, {38, 138, 138}, {40, 144, 144},  {58, 198, 198},
    {59, 200, 200}, {60, 200, 200}, {500, 200, 200}, {100000, 200, 200},
};

TEST(MessageLayout, WidthRule) {
  for (const WidthRow &row : width_rows) {
    EXPECT_EQ(message_box_width(1, row.longest), row.one_button) << row.longest;
    EXPECT_EQ(message_box_width(2, row.longest), row.one_button) << row.longest;
    EXPECT_EQ(message_box_width(3, row.longest), row.three_buttons) << row.longest;
  }
}

TEST(MessageTemplate, WidthFromTheLongestLineOfTheText) {
  for (int longest : {32, 33, 40, 58, 59}) {
    // a longer line without CR before it would count; LF does not end lines
    const std::string text = std::string(20, 'a') + "\r\n" + std::string(longest, 'b') + "\r\n" +
                             std::string(longest - 1, 'c');
    Buffer buf;
    ASSERT_GT(buf.build(title21, text.c_str(), 0), 0);
    const Template t = parse(buf.data());
    const int expected = longest == 32 ? 120 : longest == 59 ? 200 : 3 * longest + 24;
    EXPECT_EQ(t.cx, expected) << longest;
    EXPECT_EQ(t.item[0].cx, expected - 12) << longest;
    EXPECT_EQ(t.item[1].x, expected / 2 - 20) << longest;
  }
}

// --- longest line ------------------------------------------------------------

TEST(LongestLine, CarriageReturnsEndLinesAndControlCodesDoNotCount) {
  std::string high; // bytes 128 to 255 count
  for (int c = 128; c <= 255; ++c)
    high.push_back(static_cast<char>(c));
  const struct {
    std::string text;
    int longest;
  } rows[] = {
      {"abc\r\ndefgh", 5}, // LF not counted
      {"abcdefgh\r\nxyz", 8},
      {"abcd\r", 4},
      {"\rab", 2},
      {"ab\r\r\rabc\r", 3},
      {"abc\ndefgh", 8}, // LF alone does not end a line
      {"a\nb\nc\nd\n", 4},
      {"ab\tc", 3},
      {"\x01\x1F\t\n", 0},
      {" ", 1}, // the space is code 32 and counts
      {high, 128},
      {"22\xB0"
       "C",
       4},
      {"", 0},
  };
  for (const auto &r : rows)
    EXPECT_EQ(longest_line(r.text.c_str()), r.longest) << r.text;
}

// --- the writers -------------------------------------------------------------

TEST(DialogTemplate, HeaderCutsTheTitleAt2000Characters) {
  std::vector<unsigned char> buf(6000, 0);
  const std::string title(2500, 'T');
  EXPECT_EQ(
      write_dialog_header(buf.data(), 1, 1, 0, 0, 0, 0, title.c_str(), 6000, single_byte_to_utf16),
      24 + 4000);
  EXPECT_EQ(buf[22 + 2 * 1999], 'T');
  EXPECT_EQ(buf[22 + 2 * 2000], 0);
}

TEST(DialogTemplate, HeaderCutsTheTitleToTheBufferAndRefusesWithoutRoom) {
  std::vector<unsigned char> buf(64, 0xAA);
  EXPECT_EQ(write_dialog_header(buf.data(), 1, 1, 0, 0, 0, 0, "abcdef", 23, single_byte_to_utf16),
            -1);
  for (unsigned char c : buf)
    ASSERT_EQ(c, 0xAA); // nothing written
  EXPECT_EQ(write_dialog_header(buf.data(), 1, 1, 0, 0, 0, 0, "abcdef", 31, single_byte_to_utf16),
            30); // 3 characters and the terminator's room
  EXPECT_EQ(buf[26], 'c');
  EXPECT_EQ(buf[28], 0xAA); // the terminator is left to the clearing
  EXPECT_EQ(buf[30], 0xAA);
}

TEST(DialogTemplate, ItemAlignsCutsAndRefuses) {
  std::vector<unsigned char> buf(128, 0xAA);
  // from offset 66 the item starts at 68; room for 2 of the 5 characters
  EXPECT_EQ(write_dialog_item(buf.data(), 66, 0x0080, 7, 0x50010000, 1, 2, 3, 4, "hello", 98,
                              single_byte_to_utf16),
            98);
  EXPECT_EQ(buf[66], 0xAA); // the padding is not written
  EXPECT_EQ(get32(&buf[68]), 0x50010000ul);
  EXPECT_EQ(get16(&buf[68 + 16]), 7u);
  EXPECT_EQ(get16(&buf[68 + 22]), unsigned('h'));
  EXPECT_EQ(get16(&buf[68 + 24]), unsigned('e'));
  EXPECT_EQ(buf[68 + 26], 0xAA);       // terminator left to the clearing
  EXPECT_EQ(get16(&buf[68 + 28]), 0u); // creation data size
  EXPECT_EQ(buf[98], 0xAA);            // nothing behind the item
  EXPECT_EQ(
      write_dialog_item(buf.data(), 66, 0x0080, 7, 0, 0, 0, 0, 0, "x", 93, single_byte_to_utf16),
      -1); // 68 + 26 > 93
  EXPECT_EQ(
      write_dialog_item(buf.data(), -1, 0x0080, 7, 0, 0, 0, 0, 0, "x", 128, single_byte_to_utf16),
      -1); // a refused write before it is passed on
}

TEST(DialogTemplate, ItemTextIsNotCutWhenItFits) {
  std::vector<unsigned char> buf(20000, 0);
  const std::string text(5000, 'm');
  EXPECT_EQ(write_dialog_item(buf.data(), 0, 0x0082, 100, 0, 0, 0, 0, 0, text.c_str(), 20000,
                              single_byte_to_utf16),
            26 + 10000);
}

TEST(DialogTemplate, SingleByteTextBecomesUnitsOfTheSameValue) {
  std::vector<unsigned char> buf(64, 0);
  EXPECT_EQ(
      write_dialog_header(buf.data(), 0, 0, 0, 0, 0, 0, "\xB0\x80\xFF", 64, single_byte_to_utf16),
      30);
  EXPECT_EQ(get16(&buf[22]), 0xB0u);
  EXPECT_EQ(get16(&buf[24]), 0x80u);
  EXPECT_EQ(get16(&buf[26]), 0xFFu);
}

// --- bounds of the whole template --------------------------------------------

TEST(MessageTemplate, EveryLengthFitsAndKeepsItsButtons) {
  // titles and messages around every boundary of the room sharing
  const int lengths[] = {0,    1,    2,    3,    500,  917,  918,  919,  957,  958,  999,  1000,
                         1001, 1500, 1900, 1911, 1912, 1970, 1999, 2000, 2001, 2500, 4000, 9000};
  for (int title_len : lengths) {
    for (int text_len : lengths) {
      const std::string title(title_len, 'T');
      const std::string text(text_len, 'm');
      for (uint32_t flags : {0u, 1u, 3u}) {
        Buffer buf;
        const int end = buf.build(title.c_str(), text.c_str(), flags);
        SCOPED_TRACE(::testing::Message()
                     << "title " << title_len << " text " << text_len << " flags " << flags);
        ASSERT_GT(end, 0);
        ASSERT_LE(end, message_template_size);
        ASSERT_TRUE(buf.guard_intact());
        const Template t = parse(buf.data());
        ASSERT_EQ(t.items, button_count + 1);
        ASSERT_EQ(t.item.back().end, end);
        const std::size_t kept_text = text_len < 1000 ? text_len : 1000;
        ASSERT_GE(t.item[0].text.size(), kept_text);
        // short texts are never cut
        if (title_len + text_len <= 1800) {
          ASSERT_EQ(t.title.size(), std::size_t(title_len));
          ASSERT_EQ(t.item[0].text.size(), std::size_t(text_len));
        }
      }
    }
  }
}

TEST(MessageTemplate, NullTextsAreEmpty) {
  std::vector<unsigned char> buf(200, 0);
  // header 24, text item 24 to 50, button 52 to 84
  EXPECT_EQ(build_message_template(buf.data(), 200, nullptr, nullptr, 0, single_byte_to_utf16), 84);
}

} // namespace
