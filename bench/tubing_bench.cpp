// Cost of one tubing traverse at the default accuracy, per correlation, for
// the wells of tubing_cases.hpp. The counters give the steps and the fluid
// evaluations of a traverse; bench/tubing_instructions.sh counts instructions.
#include <benchmark/benchmark.h>

#include <array>

#include "tubing_cases.hpp"

namespace {

void run(benchmark::State& state, dlv::TraverseRequest request) {
  std::array<dlv::ProfileNode, 512> profile{};
  dlv::TraverseResult r;
  for (auto _ : state) {
    r = dlv::traverse(request, profile);
    benchmark::DoNotOptimize(r.end_pressure);
  }
  state.counters["steps"] = r.steps;
  state.counters["fluid_evaluations"] = r.fluid_evaluations;
  state.counters["ok"] = r.status == dlv::TraverseStatus::kOk ? 1 : 0;
}

const int registered = [] {
  for (bool oil : {true, false}) {
    for (dlv::Correlation c : oil ? std::span(tubing_cases::kOilCorrelations)
                                  : std::span(tubing_cases::kGasCorrelations)) {
      const dlv::TraverseRequest request =
          oil ? tubing_cases::oil_well(c) : tubing_cases::gas_well(c);
      benchmark::RegisterBenchmark(("BM_Tubing/" + tubing_cases::case_name(oil, c)).c_str(),
                                   [request](benchmark::State& s) { run(s, request); });
    }
  }
  return 0;
}();

}  // namespace
