// Shared by the tests of both tiers: the documented example case and its
// report bytes, and a buffer with guard bytes behind it for overrun checks.
#ifndef PMV_TESTS_UNIT_SUPPORT_H
#define PMV_TESTS_UNIT_SUPPORT_H

#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

#include "app/comfort_case.h"
#include "model/comfort_model.h"

inline const char example_report[] = "Vexlin PMV calculator (2003.02)\r\n"
                                     "Metabolic rate\t1.20\t[met]\r\n"
                                     "Clothing\t0.50\t[clo]\r\n"
                                     "Air temperature\t22.00\t[\xB0"
                                     "C]\r\n"
                                     "Mean radiant temperature\t22.00\t[\xB0"
                                     "C]\r\n"
                                     "Air velocity\t0.10\t[m/s]\r\n"
                                     "Relative humidity\t50.00\t[percent]\r\n"
                                     "PMV\t-0.80\t[]\r\n"
                                     "PPD\t18.58\t[percent]\r\n";

// The example's inputs with the results the model gives for them.
inline ComfortCase example_case() {
  ComfortCase c{};
  c.met = 1.2;
  c.clo = 0.5;
  c.ta = 22.0;
  c.tr = 22.0;
  c.vel = 0.1;
  c.rh = 50.0;
  EXPECT_EQ(calc_pmv(c.clo, c.met, 0.0, c.ta, c.tr, c.vel, c.rh, c.pmv), 0);
  c.ppd = calc_ppd(c.pmv);
  return c;
}

// `size` bytes for the code under test, then guard bytes it must not touch.
constexpr std::size_t guard_size = 16;
inline std::vector<char> guarded(std::size_t size) {
  return std::vector<char>(size + guard_size, 'X');
}
inline bool guard_intact(const std::vector<char> &buf, std::size_t size) {
  for (std::size_t i = size; i < buf.size(); ++i)
    if (buf[i] != 'X') return false;
  return true;
}

#endif
