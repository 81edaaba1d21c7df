// Every example well through the named layer as dlv.calculate_many runs it
// (the JSON text parsed and checked, the blocks filled, dlv_cal, the result
// document as compact text), and dlv_cal alone on the same filled blocks; the
// difference per well is the layer's own cost. Items are wells.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "dlv/dlv.h"
#include "wellfile/units_table.hpp"
#include "wellfile/wellfile.hpp"

namespace {

namespace wf = dlv::wellfile;

std::vector<std::string> example_texts() {
  std::vector<std::filesystem::path> paths;
  for (const auto& e :
       std::filesystem::directory_iterator(std::string(DLV_SOURCE_DIR) + "/examples/wells"))
    if (e.path().extension() == ".json") paths.push_back(e.path());
  std::sort(paths.begin(), paths.end());
  std::vector<std::string> texts;
  for (const auto& p : paths) {
    std::ifstream in(p, std::ios::binary);
    texts.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return texts;
}

const std::vector<std::string>& texts() {
  static const std::vector<std::string> t = example_texts();
  return t;
}

void BM_LayerPerWell(benchmark::State& state) {
  wf::WellBatch batch;
  for (auto _ : state)
    for (const std::string& text : texts()) {
      wf::json doc;
      std::vector<wf::Problem> problems = wf::parse_well_text(text, doc);
      std::string result;
      if (problems.empty()) result = batch.run(doc, wf::document_unit_system(doc)).text;
      benchmark::DoNotOptimize(result);
    }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(texts().size()));
}

// dlv_cal on a copy of each well's filled blocks (the copy is the call's own
// input state, restored before every call).
void BM_CallPerWell(benchmark::State& state) {
  const wf::SharedLog log;
  std::vector<wf::Blocks> filled;
  for (const std::string& text : texts()) {
    wf::json doc;
    if (wf::parse_well_text(text, doc).empty() && wf::validate_well(doc).empty())
      filled.push_back(wf::to_blocks(doc));
  }
  std::vector<wf::Blocks> work = filled;
  for (auto _ : state)
    for (std::size_t k = 0; k < filled.size(); ++k) {
      state.PauseTiming();
      work[k] = filled[k];
      state.ResumeTiming();
      wf::Blocks& b = work[k];
      dlv_cal(b.layer_fluids.data(), b.fluid_tables.data(), b.separator.data(),
              b.layer_curves.data(), b.well_record.data(), &b.calc_mode, b.completion.data(),
              b.completion_curves.data(), b.traverse_curves.data(), b.traverse.data(),
              b.summary.data(), b.results.data(), b.changed_pressure_flag, log.path());
    }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(filled.size()));
}

BENCHMARK(BM_LayerPerWell)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CallPerWell)->Unit(benchmark::kMicrosecond);

}  // namespace
