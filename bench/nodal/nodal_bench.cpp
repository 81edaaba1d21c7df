// One operating point of each example well with tubing, as `dlv nodal`
// computes it: the inflow curve, the tubing curve on the search grid, the
// roots and the profile at the point. The counter gives the traverses.
#include <benchmark/benchmark.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

#include "wellfile/nodal_run.hpp"
#include "wellfile/run_outcome.hpp"

namespace {

namespace wf = dlv::wellfile;

void run(benchmark::State& state, const std::string& name, bool sensitivity) {
  std::ifstream in(std::string(DLV_SOURCE_DIR) + "/examples/wells/" + name + ".json");
  const wf::json doc = wf::json::parse(in);
  wf::NodalAsk ask;
  if (sensitivity)
    ask.vary =
        wf::NodalVary{"wellhead_pressure", {100, 200, 300, 400, 500, 600, 700, 800, 900, 1000}};
  wf::RunOutcome out;
  for (auto _ : state) {
    out = wf::run_nodal(doc, ask);
    benchmark::DoNotOptimize(out.result);
  }
  state.counters["traverses"] =
      sensitivity || !out.problems.empty() ? 0 : out.result["traverses"].get<double>();
}

const int registered = [] {
  for (const char* name : {"nodal_oil", "nodal_gas", "nodal_water_injector"}) {
    benchmark::RegisterBenchmark((std::string("BM_Nodal/") + name).c_str(),
                                 [name](benchmark::State& s) { run(s, name, false); })
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((std::string("BM_NodalTenWellheadPressures/") + name).c_str(),
                                 [name](benchmark::State& s) { run(s, name, true); })
        ->Unit(benchmark::kMillisecond);
  }
  return 0;
}();

}  // namespace
