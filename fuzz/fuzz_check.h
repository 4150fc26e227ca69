// What the fuzz targets share: a check that stops the run with the failed
// condition, so that libFuzzer saves the input as a crash, and the text of
// an input in a heap block of exactly its size, so that ASan sees a read
// past its terminator.
#ifndef PMV_FUZZ_CHECK_H
#define PMV_FUZZ_CHECK_H

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

inline void fuzz_check(bool ok, const char *condition, int line) {
  if (ok) return;
  std::fprintf(stderr, "line %d: check failed: %s\n", line, condition);
  std::abort();
}
#define FUZZ_CHECK(cond) fuzz_check(cond, #cond, __LINE__)

// Equal to the bit, so that 0.0 and -0.0 differ.
inline bool same_bits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// glibc's strtod also takes hexadecimal forms, infinities and NaN, which our
// reader refuses on purpose; texts without those letters it can judge.
inline bool strtod_can_judge(const char *text) { return std::strpbrk(text, "xXnNiI") == nullptr; }

// The bytes up to the first NUL as a text in a block of its exact size.
inline char *text_of(const std::uint8_t *data, std::size_t size) {
  const std::size_t len = strnlen(reinterpret_cast<const char *>(data), size);
  char *text = new char[len + 1];
  std::memcpy(text, data, len);
  text[len] = '\0';
  return text;
}

#endif
