// Trailing blanks: only the space is a blank, leading blanks and
// tabs stay, and `length` limits what trimmed_length looks at.
#include <gtest/gtest.h>

#include <cstring>

#include "dlglib/trim.h"

namespace {

struct TrimRow {
  const char *text;
  const char *after;
  int length;
};

const TrimRow trim_rows[] = {
    {"12.5   ", "12.5", 4}, // the documented case
    {"   ", "", 0},         // spaces only
    {"", "", 0},            // empty
    {"1.5\t", "1.5\t", 4},  // a tab is not a blank
    {"  7", "  7", 3},      // leading blanks stay
    {"  7  ", "  7", 3},
    {"a b  ", "a b", 3}, // an inner blank stays
    {"x", "x", 1},
    {" \t ", " \t", 2},
};

TEST(TrimTrailingBlanks, CutsOnlyTrailingSpaces) {
  for (const TrimRow &row : trim_rows) {
    char text[32];
    std::strcpy(text, row.text);
    EXPECT_EQ(trim_trailing_blanks(text), row.length) << '"' << row.text << '"';
    EXPECT_STREQ(text, row.after) << '"' << row.text << '"';
  }
}

TEST(TrimTrailingBlanks, WritesNothingBehindTheNewEnd) {
  char text[] = "12.5   ";
  trim_trailing_blanks(text);
  EXPECT_EQ(text[4], '\0');
  EXPECT_EQ(text[5], ' '); // only the new terminator is written
  EXPECT_EQ(text[6], ' ');
}

TEST(TrimmedLength, LooksAtTheFirstLengthCharactersUpToTheTerminator) {
  const struct {
    const char *text;
    int length, trimmed;
  } rows[] = {
      {"12.5   ", 7, 4}, {"12.5   ", 5, 4}, {"12.5   ", 3, 3}, {"ab  cd", 4, 2}, {"abc", 0, 0},
      {"abc", 100, 3},   {"ab ", 100, 2},   {"", 100, 0},      {"ab\0cd", 5, 2},
  }; // nothing behind the NUL is looked at
  for (const auto &r : rows)
    EXPECT_EQ(trimmed_length(r.text, r.length), r.trimmed) << r.text << " " << r.length;
}

TEST(TrimmedLength, LongTextsUpToTheSixteenBitLimit) {
  static char text[32768];
  std::memset(text, 'x', 32767);
  text[32767] = '\0';
  EXPECT_EQ(trimmed_length(text, 32767), 32767);
  std::memset(text + 100, ' ', 32667);
  EXPECT_EQ(trim_trailing_blanks(text), 100);
}

} // namespace
