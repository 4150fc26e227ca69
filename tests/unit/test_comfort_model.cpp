// The comfort model against its worked cases and documented intermediate
// values. PMV and PPD are compared as the two-decimal texts a user sees, and
// the raw values within tolerances that a one-step change of any constant
// would exceed.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "app/comfort_case.h"
#include "app/numtext.h"
#include "model/comfort_model.h"

namespace {

std::string two_decimals(double v) {
  char buf[400];
  format_fixed(buf, sizeof buf, v, 0, 2);
  return buf;
}

struct WorkedCase {
  const char *name;
  double met, clo, ta, tr, vel, rh;
  bool sweating;
  int iterations;
  const char *pmv;
  const char *ppd;
};

const WorkedCase worked_cases[] = {
    {"start-up defaults", 1.0, 1.0, 24.5, 24.5, 0.08, 50, false, 5, "0.38", "7.98"},
    {"office, light clothing", 1.2, 0.5, 22.0, 22.0, 0.10, 60, true, 5, "-0.74", "16.65"},
    {"cool", 1.0, 1.0, 18.0, 18.0, 0.10, 50, false, 6, "-1.42", "46.42"},
    {"cold", 1.0, 0.5, 15.0, 15.0, 0.20, 50, false, 6, "-4.68", "100.00"},
    {"warm", 1.2, 0.5, 28.0, 28.0, 0.10, 50, true, 5, "1.00", "26.03"},
    {"no clothing", 1.0, 0.0, 28.0, 28.0, 0.10, 50, false, 12, "-0.42", "8.61"},
    {"still air", 1.0, 1.0, 22.0, 22.0, 0.00, 50, false, 5, "-0.31", "7.00"},
    {"high activity", 3.0, 0.5, 20.0, 20.0, 0.30, 50, true, 7, "0.89", "21.79"},
    {"hot radiant surfaces", 1.0, 0.5, 25.0, 40.0, 0.20, 50, false, 7, "1.91", "72.53"},
    {"dry air", 1.0, 1.0, 24.5, 24.5, 0.08, 1, false, 5, "-0.02", "5.01"},
    {"lower limits", 0.8, 0.0, 10.0, 10.0, 0.00, 1, false, 13, "-17.30", "100.00"},
    {"lower limits, v 1.0", 0.8, 0.0, 10.0, 10.0, 1.00, 1, false, 13, "-31.40", "100.00"},
    {"upper limits, still air", 4.0, 2.0, 30.0, 40.0, 0.00, 100, true, 4, "4.72", "100.00"},
    // The report example of the file format.
    {"report example", 1.2, 0.5, 22.0, 22.0, 0.10, 50, true, 5, "-0.80", "18.58"},
};

TEST(ComfortModel, WorkedCases) {
  for (const WorkedCase &c : worked_cases) {
    SCOPED_TRACE(c.name);
    double pmv = 12345.0;
    PmvTrace trace;
    ASSERT_EQ(calc_pmv_traced(c.clo, c.met, 0.0, c.ta, c.tr, c.vel, c.rh, pmv, &trace), 0);
    EXPECT_EQ(trace.iterations, c.iterations);
    EXPECT_EQ(trace.sweating > 0.0, c.sweating);
    EXPECT_EQ(two_decimals(pmv), c.pmv);
    EXPECT_EQ(two_decimals(calc_ppd(pmv)), c.ppd);
    double plain = 0.0;
    ASSERT_EQ(calc_pmv(c.clo, c.met, 0.0, c.ta, c.tr, c.vel, c.rh, plain), 0);
    EXPECT_EQ(plain, pmv) << "tracing must not change the result";
  }
}

TEST(ComfortModel, StartUpDefaultsIntermediateValues) {
  double pmv = 0.0;
  PmvTrace t;
  ASSERT_EQ(calc_pmv_traced(1.0, 1.0, 0.0, 24.5, 24.5, 0.08, 50, pmv, &t), 0);
  EXPECT_NEAR(t.pa, 1537.08, 0.005);
  EXPECT_NEAR(t.icl, 0.155, 1e-15);
  EXPECT_NEAR(t.fcl, 1.149975, 1e-12);
  EXPECT_NEAR(t.hcf, 3.4224, 0.00005);
  EXPECT_DOUBLE_EQ(t.taa, 297.65);
  EXPECT_DOUBLE_EQ(t.tra, 297.65);
  EXPECT_NEAR(t.tcla, 300.5078, 0.00005);
  // Table of the five iterations: xf, hcn, xn (hc is forced in each).
  const double rows[5][3] = {{3.005078, 3.0945, 3.021612},
                             {3.013345, 3.2974, 3.017662},
                             {3.015503, 3.3447, 3.016625},
                             {3.016064, 3.3566, 3.016355},
                             {3.016210, 3.3597, 3.016285}};
  ASSERT_EQ(t.iterations, 5);
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(i + 1);
    EXPECT_NEAR(t.xf[i], rows[i][0], 0.0000005);
    EXPECT_NEAR(t.hcn[i], rows[i][1], 0.00005);
    EXPECT_EQ(t.hc[i], t.hcf);
    EXPECT_NEAR(t.xn[i], rows[i][2], 0.0000005);
  }
  EXPECT_NEAR(std::fabs(t.xn[4] - t.xf[4]), 0.0000755, 0.00000005);
  EXPECT_NEAR(t.tcl, 28.6285, 0.00005);
  EXPECT_NEAR(t.diffusion, 11.5578, 0.00005);
  EXPECT_EQ(t.sweating, 0.0);
  EXPECT_NEAR(t.latent_respiration, 4.2803, 0.00005);
  EXPECT_NEAR(t.dry_respiration, 0.7734, 0.00005);
  EXPECT_NEAR(t.radiation, 19.4976, 0.00005);
  EXPECT_NEAR(t.convection, 16.2485, 0.00005);
  EXPECT_NEAR(t.ts, 0.065350, 0.0000005);
  EXPECT_NEAR(pmv, 0.3785, 0.00005);
  EXPECT_NEAR(calc_ppd(pmv), 7.98, 0.005);
}

TEST(ComfortModel, StillAirUsesNaturalConvection) {
  double pmv = 0.0;
  PmvTrace t;
  ASSERT_EQ(calc_pmv_traced(1.0, 1.0, 0.0, 22.0, 22.0, 0.0, 50, pmv, &t), 0);
  EXPECT_EQ(t.hcf, 0.0);
  for (int i = 0; i < t.iterations; ++i)
    EXPECT_EQ(t.hc[i], t.hcn[i]);
  EXPECT_NEAR(t.tcl, 27.16, 0.005);
  EXPECT_NEAR(t.hc[t.iterations - 1], 3.5603, 0.00005);
}

TEST(ComfortModel, Thresholds) {
  struct Row {
    double met, clo;
    double fcl;
    double sweating;
  } rows[] = {
      {1.0, 0.5, 1.099975, 0.0},    // icl 0.0775 < 0.078
      {1.0, 0.51, 1.10098725, 0.0}, // icl 0.07905
      {1.1, 1.0, 1.149975, 2.4423}, // M - W = 63.965 > 58.15
      {1.0, 0.0, 1.0, 0.0},         // M - W exactly 58.15: no sweating
  };
  for (const Row &r : rows) {
    SCOPED_TRACE(testing::Message() << "met " << r.met << " clo " << r.clo);
    double pmv = 0.0;
    PmvTrace t;
    ASSERT_EQ(calc_pmv_traced(r.clo, r.met, 0.0, 24.5, 24.5, 0.1, 50, pmv, &t), 0);
    EXPECT_NEAR(t.fcl, r.fcl, 1e-12);
    EXPECT_NEAR(t.sweating, r.sweating, 1e-9);
  }
}

TEST(ComfortModel, NoClothingSettlesOnFixedSkinBalance) {
  // With clo 0 the balance gives tcl = 35.7 - 0.028 (M - W) regardless of
  // temperatures and air velocity; the iteration only halves the distance.
  for (double met : {0.8, 1.0, 2.5, 4.0}) {
    for (double ta : {10.0, 20.0, 30.0}) {
      for (double vel : {0.0, 0.3, 1.0}) {
        double pmv = 0.0;
        PmvTrace t;
        ASSERT_EQ(calc_pmv_traced(0.0, met, 0.0, ta, 25.0, vel, 50, pmv, &t), 0);
        EXPECT_EQ(t.fcl, 1.0);
        EXPECT_NEAR(t.tcl, 35.7 - 0.028 * 58.15 * met, 1e-9);
        EXPECT_GE(t.iterations, 11);
        EXPECT_LE(t.iterations, 13);
      }
    }
  }
}

TEST(ComfortModel, PpdAndSaturationPressure) {
  EXPECT_EQ(calc_ppd(0.0), 5.0);
  const struct {
    double pmv;
    const char *ppd;
  } ppd_rows[] = {{0.5, "10.23"}, {1.0, "26.12"}, {2.0, "76.76"}, {3.0, "99.12"}};
  for (const auto &r : ppd_rows) {
    EXPECT_EQ(two_decimals(calc_ppd(r.pmv)), r.ppd);
    EXPECT_EQ(calc_ppd(-r.pmv), calc_ppd(r.pmv));
  }
  EXPECT_LE(calc_ppd(1e6), 100.0);
  EXPECT_EQ(calc_ppd(-40.0), 100.0);
  const struct {
    double t, kpa;
  } svp_rows[] = {{10, 1.2261}, {20, 2.3372}, {24.5, 3.0742}, {30, 4.2434}};
  for (const auto &r : svp_rows)
    EXPECT_NEAR(sat_vapour_pressure(r.t), r.kpa, 0.00005);
  EXPECT_NEAR(partial_vapour_pressure(24.5, 50), 1537.08, 0.005);
}

TEST(ComfortModel, NonConvergenceLeavesDestinationAlone) {
  // A NaN input never satisfies the tolerance, so the loop runs out.
  const double bad[][6] = {
      {1.0, 1.0, 20.0, std::nan(""), 0.1, 50}, // clo, met, ta, tr, vel, rh
      {1.0, 1.0, std::nan(""), 20.0, 0.1, 50},
  };
  for (const auto &b : bad) {
    double pmv = 42.0;
    PmvTrace t;
    EXPECT_EQ(calc_pmv_traced(b[0], b[1], 0.0, b[2], b[3], b[4], b[5], pmv, &t), -1);
    EXPECT_EQ(pmv, 42.0);
    EXPECT_EQ(t.iterations, pmv_max_iterations);
  }
}

// Without clothing the distance to the fixed point halves each iteration, so
// an absurd air temperature puts the end of the loop exactly where wanted.
TEST(ComfortModel, IterationLimitBoundary) {
  const struct {
    double ta;
    int status;
    bool tolerance_met_last;
  } rows[] = {
      {-0x1p+141, 0, true},   // settles in the 149th iteration: success
      {-0x1p+142, -1, true},  // settles only in the 150th: still a failure
      {-0x1p+143, -1, false}, // never settles
  };
  for (const auto &r : rows) {
    double pmv = 42.0;
    PmvTrace t;
    EXPECT_EQ(calc_pmv_traced(0.0, 1.0, 0.0, r.ta, 20.0, 0.1, 50, pmv, &t), r.status);
    EXPECT_EQ(t.iterations, r.status == 0 ? 149 : 150);
    const int last = t.iterations - 1;
    EXPECT_EQ(std::fabs(t.xn[last] - t.xf[last]) <= 0.00015, r.tolerance_met_last);
    if (r.status != 0) {
      EXPECT_EQ(pmv, 42.0);
    }
  }
}

// The whole input box at a grid: never a failure, at most 13 iterations.
TEST(ComfortModel, SweepOfTheInputBox) {
  int cases = 0;
  int most = 0;
  for (double met = 0.8; met <= 4.0001; met += 0.4) {
    for (double clo = 0.0; clo <= 2.0001; clo += 0.25) {
      for (double ta = 10.0; ta <= 30.0001; ta += 5.0) {
        for (double tr = 10.0; tr <= 40.0001; tr += 7.5) {
          for (double vel : {0.0, 0.05, 0.1, 0.3, 1.0}) {
            for (double rh : {1.0, 50.0, 100.0}) {
              double pmv = 0.0;
              PmvTrace t;
              ASSERT_EQ(calc_pmv_traced(clo, met, 0.0, ta, tr, vel, rh, pmv, &t), 0);
              ASSERT_TRUE(std::isfinite(pmv));
              if (t.iterations > most) most = t.iterations;
              ++cases;
            }
          }
        }
      }
    }
  }
  EXPECT_LE(most, 13);
  EXPECT_GT(cases, 10000);
}

} // namespace
