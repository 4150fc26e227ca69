// The comfort model against its worked cases, the standard's Table D.1, and a
// sweep of the input box recorded from the native build, which holds every
// build, the Windows one under Wine included, to the same numbers.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "app/numtext.h"
#include "model/comfort_model.h"
#include "tests/unit/support.h"

namespace {

// met clo ta tr vel rh, iterations, PMV and PPD to two decimals.
struct Case {
  double met, clo, ta, tr, vel, rh;
  int iterations;
  double pmv, ppd;
};

TEST(Model, WorkedCases) {
  const Case cases[] = {{1.0, 1.0, 24.5, 24.5, 0.08, 50, 5, 0.38, 7.98},
                        {1.2, 0.5, 22, 22, 0.1, 60, 5, -0.74, 16.65},
                        {1.0, 1.0, 18, 18, 0.1, 50, 6, -1.42, 46.42},
                        {1.0, 0.5, 15, 15, 0.2, 50, 6, -4.68, 100.00},
                        {1.2, 0.5, 28, 28, 0.1, 50, 5, 1.00, 26.03},
                        {1.0, 0.0, 28, 28, 0.1, 50, 12, -0.42, 8.61},
                        {1.0, 1.0, 22, 22, 0.0, 50, 5, -0.31, 7.00},
                        {3.0, 0.5, 20, 20, 0.3, 50, 7, 0.89, 21.79},
                        {1.0, 0.5, 25, 40, 0.2, 50, 7, 1.91, 72.53},
                        {1.0, 1.0, 24.5, 24.5, 0.08, 1, 5, -0.02, 5.01},
                        {0.8, 0.0, 10, 10, 0.0, 1, 13, -17.30, 100.00},
                        {0.8, 0.0, 10, 10, 1.0, 1, 13, -31.40, 100.00},
                        {4.0, 2.0, 30, 40, 0.0, 100, 4, 4.72, 100.00},
                        {1.2, 0.5, 22, 22, 0.1, 50, 5, -0.80, 18.58},
                        {1.0, 0.504, 20, 20, 0.1, 50, 5, -2.26, 87.02}}; // icl just >= 0.078
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << c.met << " " << c.clo << " " << c.ta << " " << c.tr);
    double pmv = 0.0;
    PmvTrace trace;
    ASSERT_EQ(calc_pmv_traced(c.clo, c.met, 0.0, c.ta, c.tr, c.vel, c.rh, pmv, &trace), 0);
    EXPECT_EQ(trace.iterations, c.iterations);
    EXPECT_NEAR(pmv, c.pmv, 0.005);
    EXPECT_NEAR(calc_ppd(pmv), c.ppd, 0.005);
  }
  EXPECT_EQ(calc_ppd(0.0), 5.0);
  // The first iteration of the start-up defaults: xf, hcn, hc, xn.
  double pmv = 0.0;
  PmvTrace t;
  calc_pmv_traced(1.0, 1.0, 0.0, 24.5, 24.5, 0.08, 50, pmv, &t);
  const double rows[][2] = {{t.xf, 3.005078}, {t.hcn, 3.0945}, {t.hc, 3.4224}, {t.xn, 3.021612}};
  for (const auto &r : rows)
    EXPECT_NEAR(r[0], r[1], 0.00005);
}

// Without clothing the distance to the fixed point halves in each iteration,
// so an absurd air temperature ends the loop exactly where wanted: settling
// in the 149th iteration succeeds, in the 150th or never fails, and a
// failure leaves the destination alone.
TEST(Model, IterationLimit) {
  const struct {
    double ta;
    int status;
  } rows[] = {{-0x1p+141, 0}, {-0x1p+142, -1}, {-0x1p+143, -1}, {std::nan(""), -1}};
  for (const auto &r : rows) {
    double pmv = 42.0;
    PmvTrace t;
    EXPECT_EQ(calc_pmv_traced(0.0, 1.0, 0.0, r.ta, 20.0, 0.1, 50, pmv, &t), r.status) << r.ta;
    EXPECT_EQ(t.iterations, r.status == 0 ? 149 : 150);
    EXPECT_TRUE(r.status == 0 || pmv == 42.0) << "a failure writes nothing";
  }
}

// The rows of numbers of a tab-separated table; comments and column names
// are none. Every field of a row must read as a number.
std::vector<std::vector<double>> read_table(const char *name) {
  std::vector<std::vector<double>> rows;
  std::istringstream in(data_file(name));
  for (std::string line; std::getline(in, line);) {
    std::vector<double> row;
    const char *p = line.c_str();
    for (double v; read_number(p, &v, &p);)
      row.push_back(v);
    if (!row.empty()) rows.push_back(row);
    EXPECT_TRUE(row.empty() || *p == '\0') << line;
  }
  return rows;
}

// Table D.1 was computed with constants that differ slightly from the worked
// cases' (the largest gap is 0.035, run 10): PMV may be 0.04 away. PPD, a
// whole percent there, 0.5 for that rounding and 0.2 for the PMV gap in it
// (0.66 at run 5). Run 7's PMV is disputed among transcriptions (0.36 here);
// the model's 0.355 is within tolerance of either reading, so it is kept.
TEST(Model, StandardsTableD1) {
  const auto rows = read_table("iso7730_table_d1.tsv"); // run met clo ta tr vel rh pmv ppd
  ASSERT_EQ(rows.size(), 13u);
  for (const auto &r : rows) {
    double pmv = 0.0;
    ASSERT_EQ(calc_pmv(r[2], r[1], 0.0, r[3], r[4], r[5], r[6], pmv), 0);
    EXPECT_NEAR(pmv, r[7], 0.04) << "run " << r[0];
    EXPECT_NEAR(calc_ppd(pmv), r[8], 0.7) << "run " << r[0];
  }
}

// 3064 cases over the whole input box: the same iteration counts, PMV and PPD
// within a relative 1e-12 (MinGW's exp differs from glibc's by one ulp on rare
// arguments), so any change of a constant or a step shows. The table is this
// code's own earlier output: it pins the model against change but cannot find
// a fault that was there when it was recorded. The worked cases are the
// oracle.
TEST(Model, SameNumbersAsTheRecordedSweep) {
  const auto rows = read_table("model_sweep.tsv"); // met clo ta tr vel rh n pmv ppd
  ASSERT_EQ(rows.size(), 3064u);
  for (const auto &r : rows) {
    double pmv = 0.0;
    PmvTrace t;
    ASSERT_EQ(calc_pmv_traced(r[1], r[0], 0.0, r[2], r[3], r[4], r[5], pmv, &t), 0);
    EXPECT_EQ(t.iterations, static_cast<int>(r[6]));
    EXPECT_LE(std::fabs(pmv - r[7]), 1e-12 * std::fabs(r[7]) + 1e-300) << r[0] << " " << r[1];
    EXPECT_LE(std::fabs(calc_ppd(pmv) - r[8]), 1e-12 * r[8]);
  }
}

} // namespace
