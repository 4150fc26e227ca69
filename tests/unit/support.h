// Shared by the unit and Win32 tests: the example case, whose report is
// tests/data/example_report.txt, and the bytes of a data file.
#ifndef PMV_TESTS_UNIT_SUPPORT_H
#define PMV_TESTS_UNIT_SUPPORT_H

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "app/comfort_case.h"
#include "model/comfort_model.h"

// met 1.2, clo 0.5, ta 23, tr 26, v 0.1, RH 45 with the results of the model:
// no two inputs alike, so that a mix-up of any two shows.
inline ComfortCase example_case() {
  ComfortCase c{23.0, 45.0, 1.2, 0.5, 26.0, 0.1, 0.0, 0.0};
  calc_pmv(c.clo, c.met, 0.0, c.ta, c.tr, c.vel, c.rh, c.pmv);
  c.ppd = calc_ppd(c.pmv);
  return c;
}

// A file's bytes (the build copies tests/data into the working folder); a missing file fails.
inline std::string data_file(const char *name) {
  std::ifstream in(name, std::ios::binary);
  if (!in) ADD_FAILURE() << "no file " << name;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

#endif
