// Cost of one PMV and PPD evaluation over cases spread across the whole input
// box, as a user sweeping a design space would run them.
#include <benchmark/benchmark.h>

#include <vector>

#include "model/comfort_model.h"

namespace {

struct Inputs {
  double met, clo, ta, tr, vel, rh;
};

std::vector<Inputs> make_cases() {
  std::vector<Inputs> cases;
  for (double met = 0.8; met <= 4.0001; met += 0.8) {
    for (double clo = 0.0; clo <= 2.0001; clo += 0.5) {
      for (double ta = 10.0; ta <= 30.0001; ta += 5.0) {
        for (double tr = 10.0; tr <= 40.0001; tr += 10.0) {
          for (double vel : {0.0, 0.1, 0.3, 1.0}) {
            for (double rh : {20.0, 60.0})
              cases.push_back({met, clo, ta, tr, vel, rh});
          }
        }
      }
    }
  }
  return cases;
}

void BM_PmvAndPpd(benchmark::State &state) {
  const std::vector<Inputs> cases = make_cases();
  for (auto _ : state) {
    for (const Inputs &c : cases) {
      double pmv = 0.0;
      calc_pmv(c.clo, c.met, 0.0, c.ta, c.tr, c.vel, c.rh, pmv);
      double ppd = calc_ppd(pmv);
      benchmark::DoNotOptimize(ppd);
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long long>(cases.size()));
  state.counters["ns_per_case"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * static_cast<double>(cases.size()),
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_PmvAndPpd)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
