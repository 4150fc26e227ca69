// What the fuzz targets share: a check that stops the run with the failed
// condition, so that libFuzzer saves the input as a crash.
#ifndef PMV_FUZZ_CHECK_H
#define PMV_FUZZ_CHECK_H

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#define FUZZ_CHECK(cond)                                                                           \
  do {                                                                                             \
    if (!(cond)) {                                                                                 \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond);                \
      std::abort();                                                                                \
    }                                                                                              \
  } while (0)

// Equal to the bit, so that 0.0 and -0.0 differ.
inline bool same_bits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// glibc's strtod also takes hexadecimal forms, infinities and NaN, which our
// reader refuses on purpose; texts without these letters are plain decimal
// to both, so strtod can judge them.
inline bool strtod_can_judge(const char *text) { return std::strpbrk(text, "xXnNiI") == nullptr; }

#endif
