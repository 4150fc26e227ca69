// The Fanger comfort model of ISO 7730: PMV from the six physical inputs of
// one comfort case, PPD from PMV. Pure functions on doubles, no state.
//
// Units (same as the fields of the comfort case):
//   clo  clothing insulation, clo      (1 clo = 0.155 m²·K/W)
//   met  metabolic rate, met           (1 met = 58.15 W/m²)
//   wme  external work, met
//   ta   air temperature, °C
//   tr   mean radiant temperature, °C
//   vel  air velocity, m/s
//   rh   relative humidity, %
#ifndef PMV_MODEL_COMFORT_MODEL_H
#define PMV_MODEL_COMFORT_MODEL_H

#include <cstdint>

// in: t, °C. out: saturation pressure of water vapour, kPa.
double sat_vapour_pressure(double t);

// in: ta, °C; rh, %. out: partial pressure of water vapour, Pa.
double partial_vapour_pressure(double ta, double rh);

// 0 when PMV was written to `pmv`; -1 when the clothing temperature did not
// settle before the last iteration allowed, and then `pmv` is left as it was.
int16_t calc_pmv(double clo, double met, double wme, double ta, double tr, double vel, double rh,
                 double &pmv);

// in: PMV. out: PPD, % (5 at PMV 0, never above 100).
double calc_ppd(double pmv);

// Most iterations the clothing-temperature loop may take. A result must
// settle in fewer: one that settles only in the last counts as a failure.
constexpr int pmv_max_iterations = 150;

// What the tests read of one PMV computation: the iterations taken and the
// values of the first one.
struct PmvTrace {
  int iterations;
  double xf, hcn, hc, xn; // K/100, W/m²K, W/m²K, K/100
};

// calc_pmv, with `trace` filled in when it is not null. calc_pmv is this with
// a null trace.
int16_t calc_pmv_traced(double clo, double met, double wme, double ta, double tr, double vel,
                        double rh, double &pmv, PmvTrace *trace);

#endif
