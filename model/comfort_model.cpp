// The coefficients are those of ISO 7730:2005: equation (1) for PMV,
// (2) for the clothing surface temperature, (3) for the convective heat
// transfer coefficient, (4) for the clothing surface area factor, (5) for
// PPD; the iteration, its start value, its tolerance and the vapour
// pressure follow the computer program of Annex D.
#include "model/comfort_model.h"

#include <cmath>

namespace {

// Unit conversions of ISO 7730.
constexpr double watts_per_met = 58.15; // W/m² per met
constexpr double icl_per_clo = 0.155;   // m²K/W per clo
constexpr double kelvin_offset = 273.15;
// The clothing temperature is brought back to °C with 273, not 273.15: the
// published worked cases depend on it.
constexpr double tcl_kelvin_offset = 273.0;
// The loop stops when successive estimates (K/100) differ by at most this
// (Annex D).
constexpr double tolerance = 0.00015;

} // namespace

// Annex D's fit for the saturation pressure over water.
double sat_vapour_pressure(double t) { return std::exp(16.6536 - 4030.183 / (t + 235.0)); }

double partial_vapour_pressure(double ta, double rh) {
  // kPa times percent to Pa: rh / 100 * 1000.
  return sat_vapour_pressure(ta) * rh * 10.0;
}

int16_t calc_pmv(double clo, double met, double wme, double ta, double tr, double vel, double rh,
                 double &pmv) {
  return calc_pmv_traced(clo, met, wme, ta, tr, vel, rh, pmv, nullptr);
}

int16_t calc_pmv_traced(double clo, double met, double wme, double ta, double tr, double vel,
                        double rh, double &pmv, PmvTrace *trace) {
  const double pa = partial_vapour_pressure(ta, rh);
  const double icl = icl_per_clo * clo;
  const double m = watts_per_met * met;
  const double w = watts_per_met * wme;
  const double mw = m - w;
  const double fcl = icl < 0.078 ? 1.00 + 1.29 * icl : 1.05 + 0.645 * icl; // (4)
  const double hcf = 12.1 * std::sqrt(vel);                                // (3), forced
  const double taa = ta + kelvin_offset;
  const double tra = tr + kelvin_offset;
  // Annex D's first estimate of the clothing temperature, K.
  const double tcla = taa + (35.5 - ta) / (3.5 * (6.45 * icl + 0.1));

  // Equation (2) solved for the clothing temperature in K/100, as Annex D
  // iterates it: xn = (fixed_terms + convection_air * hc - radiation_factor
  // * xf^4) / (100 + convection_factor * hc). The terms that depend neither
  // on xf nor on hc are named after their place in it. 3.96 is the
  // radiation coefficient 3.96e-8 of (1) and (2) with temperatures in K/100;
  // 308.7 is (2)'s 35.7 °C plus 273, and 0.028 its factor of M - W.
  const double tra100 = tra / 100.0;
  const double tra4 = (tra100 * tra100) * (tra100 * tra100);
  const double icl_fcl = icl * fcl;
  const double radiation_factor = icl_fcl * 3.96;
  const double convection_factor = icl_fcl * 100.0;
  const double convection_air = icl_fcl * taa;
  const double fixed_terms = 308.7 - 0.028 * mw + radiation_factor * tra4;

  double xn = tcla / 100.0;
  double xf = xn;
  double hc = 0.0;
  int n = 0;
  for (;;) {
    xf = (xf + xn) / 2.0;
    // (3), natural convection. Fourth root as two square roots: exact for 0
    // and cheaper than pow.
    const double hcn = 2.38 * std::sqrt(std::sqrt(std::fabs(100.0 * xf - taa)));
    hc = hcf > hcn ? hcf : hcn;
    n = n + 1;
    const double xf2 = xf * xf;
    xn = (fixed_terms + convection_air * hc - radiation_factor * (xf2 * xf2)) /
         (100.0 + convection_factor * hc);
    if (trace) {
      if (n == 1) *trace = PmvTrace{n, xf, hcn, hc, xn};
      trace->iterations = n;
    }
    // Settling only in the last allowed iteration counts as a failure too.
    if (n >= pmv_max_iterations) return -1;
    if (std::fabs(xn - xf) <= tolerance) break;
  }

  // The heat losses of equation (1), W/m², in its order: diffusion through
  // the skin (its 3.05e-3 written 0.00305), sweating, latent and dry
  // respiration, radiation, convection.
  const double tcl = 100.0 * xn - tcl_kelvin_offset;
  const double diffusion = 0.00305 * (5733.0 - 6.99 * mw - pa);
  const double sweating = mw > watts_per_met ? 0.42 * (mw - watts_per_met) : 0.0;
  const double latent_respiration = 0.000017 * m * (5867.0 - pa);
  const double dry_respiration = 0.0014 * m * (34.0 - ta);
  const double xn2 = xn * xn;
  const double radiation = 3.96 * fcl * (xn2 * xn2 - tra4);
  const double convection = fcl * hc * (tcl - ta);
  const double ts = 0.303 * std::exp(-0.036 * m) + 0.028; // (1), the thermal sensation factor

  pmv = ts *
        (mw - diffusion - sweating - latent_respiration - dry_respiration - radiation - convection);
  return 0;
}

// Equation (5).
double calc_ppd(double pmv) {
  const double pmv2 = pmv * pmv;
  return 100.0 - 95.0 * std::exp(-0.03353 * pmv2 * pmv2 - 0.2179 * pmv2);
}
