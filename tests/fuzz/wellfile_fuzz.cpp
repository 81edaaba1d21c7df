// libFuzzer target over the well files as the dlv command reads them: JSON
// text parsed (to nlohmann's own tree), checked, mapped to blocks and back,
// run through the library and the result rendered as text. A well with
// tubing also gets, by the input's length, its operating point, a traverse
// or a small lift table. Each step is held to what it promises: a refusal
// says what is wrong; a checked document maps to blocks that read back to the
// same blocks, and runs; the compact result text reads back to the result;
// no file descriptor is left open.
// Seeds: examples/wells; dictionary: wellfile.dict (tools/make_fuzz_dictionary.py).
#include <cstdio>
#include <cstring>
#include <nlohmann/json.hpp>
#include <string>

#include "fuzz_support.hpp"
#include "render.hpp"
#include "wellfile/nodal_run.hpp"
#include "wellfile/run_outcome.hpp"
#include "wellfile/tubing_run.hpp"
#include "wellfile/units_table.hpp"
#include "wellfile/vfp_run.hpp"
#include "wellfile/wellfile.hpp"

namespace {

namespace wf = dlv::wellfile;
using fuzz_support::fault;

bool refused(const std::vector<wf::Problem>& problems) {
  for (const wf::Problem& p : problems)
    if (p.message.empty() || p.text().empty()) fault("a problem that says nothing");
  return !problems.empty();
}

bool same_blocks(const wf::Blocks& a, const wf::Blocks& b) {
  const std::vector<double> wf::Blocks::*inputs[] = {
      &wf::Blocks::layer_fluids, &wf::Blocks::fluid_tables, &wf::Blocks::separator,
      &wf::Blocks::well_record,  &wf::Blocks::completion,   &wf::Blocks::traverse};
  for (const auto block : inputs)
    if (std::memcmp((a.*block).data(), (b.*block).data(), (a.*block).size() * sizeof(double)))
      return false;
  return a.calc_mode == b.calc_mode;
}

// The result's compact text reads back to the result, and every rendering writes something.
void check_result(const wf::RunOutcome& run,
                  std::initializer_list<std::string (*)(const wf::json&)> renderings) {
  if (refused(run.problems)) return;
  if (wf::json::parse(wf::compact_text(run.result)) != wf::json::parse(run.result.dump()))
    fault("the compact result text reads back to another document");
  for (const auto render : renderings)
    if (render(run.result).empty()) fault("an empty rendering");
}

void run_tubing(const wf::json& doc, std::size_t choice) {
  if (choice == 0) {
    check_result(wf::run_nodal(doc), {dlv::cli::render_nodal_table, dlv::cli::render_nodal_csv});
  } else if (choice == 1) {
    const wf::TraverseAsk ask{500.0, dlv::TraverseStart::kWellhead, std::nullopt};
    check_result(wf::run_traverse(doc, ask),
                 {dlv::cli::render_traverse_table, dlv::cli::render_traverse_csv});
  } else {
    const wf::VfpAxes axes{{100.0, 1000.0}, {100.0, 400.0}, {}, {}, {}};
    const wf::VfpBuild built = wf::build_vfp_table(doc, axes, wf::VfpOptions{});
    if (!refused(built.problems) && wf::vfp_deck_text(built.table).empty())
      fault("a lift table without deck text");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fuzz_support::DescriptorWatch descriptors;
  static const wf::SharedLog log;
  // A batch carries its blocks and log (and the one descriptor it keeps on
  // its log) from input to input; each well's text must still be the text of
  // its run alone.
  static wf::WellBatch batch;
  descriptors.before();
  const std::string text(reinterpret_cast<const char*>(data), size);
  wf::json doc;
  const bool read = !refused(wf::parse_well_text(text, doc));
  // Whichever parser read it, a text taken is nlohmann's own tree (its dump
  // tells 1 from 1.0 and 0.0 from -0.0).
  if (read) {
    const wf::json reference = wf::json::parse(text);
    if (doc != reference || doc.dump() != reference.dump())
      fault("a text read to another tree than nlohmann's");
  }
  if (read && !refused(wf::validate_well(doc))) {
    const wf::Blocks blocks = wf::to_blocks(doc);
    if (!same_blocks(blocks, wf::to_blocks(wf::from_blocks(blocks))))
      fault("a checked well's blocks do not read back to the same blocks");
    const auto units = size % 2 ? wf::UnitSystem::metric : wf::UnitSystem::field;
    const wf::RunOutcome run = wf::run_well(doc, units, log.path());
    if (!run.problems.empty()) fault("a checked well was refused by its run");
    check_result(run, {dlv::cli::render_table, wf::render_csv, dlv::cli::render_sections});
    if (batch.run(doc, units).text != wf::compact_text(run.result))
      fault("a batch's result text differs from the result of the run alone");
    if (doc.contains("tubing")) run_tubing(doc, size % 3);
  }
  std::remove(log.path());  // the log would otherwise grow without end
  descriptors.after();
  return 0;
}
