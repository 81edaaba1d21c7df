// dlv: inflow performance curves from a well file or from options.
//   dlv run WELL.json... [--format table|csv|sections|json] [-o FILE] [--log FILE]
//   [--allow-fallbacks] dlv vogel --reservoir-pressure P --test-rate Q --test-pressure PWF
//   [--bubble-point PB] dlv pi --reservoir-pressure P --productivity-index J dlv traverse WELL.json
//   --rate Q [--from wellhead|bottom] [--start-pressure P] [--format ...] dlv schema [--markdown]
//   dlv blocks WELL.json
//   dlv nodal WELL.json [--vary FIELD=V1,V2,...] [--format table|csv|json] [-o FILE]
//   [--allow-fallbacks]
//   --units field|metric: the unit system of the output (run, traverse: the well file's own by
//   default) and of the options (vogel, pi: field by default)
//   dlv vfp WELL.json --rates Q... --wellhead-pressures THP... [--water-cuts ... | --gors ...]
//   [--flo OIL|LIQ|GAS|WAT] [--table-number N] [--datum-depth D] [--units field|metric] [-o FILE]
//   dlv --version
// Exit status: 0 computed, 2 bad input (nothing computed), 1 a file could not be read or
// written, 3 computed with fall-backs (dlv run without --allow-fallbacks).
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "dlv/dlv.h"
#include "render.hpp"
#include "wellfile/nodal_run.hpp"
#include "wellfile/run_outcome.hpp"
#include "wellfile/tubing_run.hpp"
#include "wellfile/units_table.hpp"
#include "wellfile/vfp_run.hpp"
#include "wellfile/wellfile.hpp"

namespace wf = dlv::wellfile;

namespace {

constexpr int kBadInput = 2;
constexpr int kFileError = 1;
constexpr int kFallbacks = 3;

// Reads a whole file ("-": standard input); on failure returns false with the reason in why.
bool read_file(const std::string& path, std::string& text, std::string& why) {
  if (path == "-") {
    std::ostringstream ss;
    ss << std::cin.rdbuf();
    if (std::cin.bad()) {
      why = "cannot read standard input";
      return false;
    }
    text = ss.str();
    return true;
  }
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    why = "is a directory, not a well file";
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    why = "cannot read the file";
    return false;
  }
  std::ostringstream ss;
  ss << in.rdbuf();
  if (in.bad()) {
    why = "cannot read the file";
    return false;
  }
  text = ss.str();
  return true;
}

// Flushes standard output; a write that failed is a file error.
int finish_output() {
  std::cout.flush();
  const bool failed = !std::cout || std::fflush(stdout) != 0 || std::ferror(stdout);
  if (!failed) return 0;
  std::cerr << "dlv: cannot write to standard output\n";
  return kFileError;
}

int report(const std::string& source, const std::vector<wf::Problem>& problems) {
  for (const wf::Problem& p : problems) std::cerr << source << ": " << p.text() << "\n";
  std::cerr << source << ": nothing computed (" << problems.size()
            << (problems.size() == 1 ? " problem" : " problems") << ")\n";
  return kBadInput;
}

// Reads and checks a well file; returns 0 with doc filled, or the exit status.
int load(const std::string& path, wf::json& doc, const std::string& source) {
  std::string text, why;
  if (!read_file(path, text, why)) {
    std::cerr << source << ": " << why << "\n";
    return kFileError;
  }
  std::vector<wf::Problem> problems = wf::parse_well_text(text, doc);
  if (problems.empty()) problems = wf::validate_well(doc);
  return problems.empty() ? 0 : report(source, problems);
}

std::string render(const wf::json& result, const std::string& format) {
  const bool traverse = result.contains("kind") && result["kind"] == "traverse";
  if (format == "json") return result.dump(2) + "\n";
  if (traverse)
    return format == "csv" ? dlv::cli::render_traverse_csv(result)
                           : dlv::cli::render_traverse_table(result);
  if (format == "sections") return dlv::cli::render_sections(result);
  if (format != "csv") return dlv::cli::render_table(result);
  // The tidy table holds only the curve points: its notes go to standard error.
  if (result.contains("notes"))
    for (const wf::json& n : result["notes"]) std::cerr << "note: " << n.get<std::string>() << "\n";
  return wf::render_csv(result);
}

int write_text(const std::string& text, const std::string& out_path) {
  if (out_path.empty()) {
    std::cout << text;
    return finish_output();
  }
  std::ofstream out(out_path, std::ios::binary);
  out << text;
  out.close();
  if (!out) {
    std::cerr << out_path << ": cannot write the file\n";
    return kFileError;
  }
  return 0;
}

// The output system of a well: the one asked for with --units, else the document's own.
wf::UnitSystem output_units(const std::string& asked, const wf::json& doc) {
  const auto system = wf::unit_system_from_name(asked);
  return system ? *system : wf::document_unit_system(doc);
}

// Lists the fall-backs of a computed well on standard error.
void list_fallbacks(const std::string& source, const char* what,
                    const std::vector<std::string>& fallbacks, bool allow_fallbacks) {
  std::cerr << source << ": " << what << " with fall-backs"
            << (allow_fallbacks ? "" : " (exit status 3; --allow-fallbacks accepts them)") << ":\n";
  for (const std::string& f : fallbacks) std::cerr << source << ":   " << f << "\n";
}

// What `dlv run` and `dlv traverse` ask besides the wells.
struct RunCommand {
  std::string format, out_path, log_path, units;
  bool allow_fallbacks = false;
};

// Reads, checks and runs one well; status 0 with the outcome filled, or the
// exit status of a well that could not be read or checked (reported).
int run_one_well(const std::string& path, const std::string& source, const RunCommand& c,
                 wf::RunOutcome& outcome) {
  wf::json doc;
  const int status = load(path, doc, source);
  if (status != 0) return status;
  outcome = wf::run_well(doc, output_units(c.units, doc),
                         c.log_path.empty() ? nullptr : c.log_path.c_str());
  return outcome.problems.empty() ? 0 : report(source, outcome.problems);
}

// What the wells of one run came to: the exit status is the gravest of all
// wells', bad input (2), then an unreadable file (1), then fall-backs (3).
struct RunTally {
  bool bad = false, unreadable = false, fallbacks = false;
  void count(int status) {
    bad = bad || status == kBadInput;
    unreadable = unreadable || status == kFileError;
  }
  int exit_status(int write_status, bool allow_fallbacks) const {
    if (bad) return kBadInput;
    if (unreadable || write_status) return kFileError;
    return fallbacks && !allow_fallbacks ? kFallbacks : 0;
  }
};

// Runs every well; a well that cannot be read or checked is reported and skipped.
int run_wells(const std::vector<std::string>& paths, const RunCommand& c) {
  const bool several = paths.size() > 1;
  const bool json_list = c.format == "json" && several;
  std::string text;
  wf::json list = wf::json::array();
  RunTally tally;
  for (const std::string& path : paths) {
    const std::string source = path == "-" ? "(standard input)" : path;
    wf::RunOutcome outcome;
    const int status = run_one_well(path, source, c, outcome);
    tally.count(status);
    if (status != 0) {
      list.push_back(nullptr);
      continue;
    }
    if (!outcome.fallbacks.empty()) {
      tally.fallbacks = true;
      list_fallbacks(source, "computed", outcome.fallbacks, c.allow_fallbacks);
    }
    if (json_list)
      list.push_back(outcome.result);
    else
      text += (several ? "==> " + source + " <==\n" : std::string()) +
              render(outcome.result, c.format) + (several ? "\n" : "");
  }
  if (json_list) text = list.dump(2) + "\n";
  return tally.exit_status(text.empty() ? 0 : write_text(text, c.out_path), c.allow_fallbacks);
}

// What `dlv vfp` asks: the axes as given and the table's types by name.
struct VfpCommand {
  std::string well;
  wf::VfpAxes axes;
  std::vector<double> water_cuts, water_oil_ratios, water_gas_ratios, gors, glrs, ogrs;
  std::string flo, units = "field";
  wf::VfpOptions options;
  double datum_depth = 0;
};

// A bar on standard error for long tables, drawn only on a terminal.
wf::VfpProgress progress_bar(std::size_t total) {
  constexpr std::size_t kLongTable = 200;
  if (total < kLongTable || !isatty(fileno(stderr))) return {};
  return [last = std::size_t{0}](std::size_t done, std::size_t all) mutable {
    const std::size_t percent = 100 * done / all;
    if (percent == last && done != all) return;
    last = percent;
    const std::size_t width = 40, filled = width * done / all;
    std::fprintf(stderr, "\r[%s%s] %3zu %% (%zu/%zu)", std::string(filled, '#').c_str(),
                 std::string(width - filled, ' ').c_str(), percent, done, all);
    if (done == all) std::fprintf(stderr, "\r%*s\r", 70, "");
    std::fflush(stderr);
  };
}

// One of several options that give the same axis, with the table type it sets.
template <typename E>
struct AxisChoice {
  const char* option;
  const std::vector<double>* values;
  E type;
};

// The type of the one option given (its values into axis); nothing when none
// is given; a problem when several are.
template <typename E>
std::optional<E> pick_axis(const CLI::App& cmd, const char* what,
                           std::initializer_list<AxisChoice<E>> choices, std::vector<double>& axis,
                           std::vector<wf::Problem>& problems) {
  std::optional<E> type;
  std::string names;
  int given = 0;
  for (const AxisChoice<E>& choice : choices) {
    names += (names.empty() ? "" : ", ") + std::string(choice.option);
    if (cmd.count(choice.option) == 0) continue;
    ++given;
    axis = *choice.values;
    type = choice.type;
  }
  if (given > 1) problems.push_back({what, "give one of " + names + ", not several", ""});
  return type;
}

int run_vfp(VfpCommand& c, const CLI::App& cmd, const std::string& out_path) {
  wf::json doc;
  if (const int status = load(c.well, doc, c.well)) return status;
  wf::VfpOptions& o = c.options;
  std::vector<wf::Problem> problems;
  using WfrChoice = AxisChoice<wf::VfpWfr>;
  using GfrChoice = AxisChoice<wf::VfpGfr>;
  o.wfr =
      pick_axis(cmd, "water fraction",
                {WfrChoice{"--water-cuts", &c.water_cuts, wf::VfpWfr::water_cut},
                 WfrChoice{"--water-oil-ratios", &c.water_oil_ratios, wf::VfpWfr::water_oil_ratio},
                 WfrChoice{"--water-gas-ratios", &c.water_gas_ratios, wf::VfpWfr::water_gas_ratio}},
                c.axes.wfr, problems);
  o.gfr = pick_axis(cmd, "gas fraction",
                    {GfrChoice{"--gors", &c.gors, wf::VfpGfr::gas_oil_ratio},
                     GfrChoice{"--glrs", &c.glrs, wf::VfpGfr::gas_liquid_ratio},
                     GfrChoice{"--ogrs", &c.ogrs, wf::VfpGfr::oil_gas_ratio}},
                    c.axes.gfr, problems);
  if (!problems.empty()) return report(c.well, problems);
  if (c.flo == "OIL") o.flo = wf::VfpFlo::oil;
  if (c.flo == "LIQ") o.flo = wf::VfpFlo::liquid;
  if (c.flo == "GAS") o.flo = wf::VfpFlo::gas;
  if (c.flo == "WAT") o.flo = wf::VfpFlo::water;
  if (cmd.count("--datum-depth") > 0) o.datum_depth = c.datum_depth;
  o.units = c.units == "metric" ? wf::VfpUnits::metric : wf::VfpUnits::field;
  std::size_t total = 1;
  for (const auto* a : {&c.axes.flo, &c.axes.thp, &c.axes.wfr, &c.axes.gfr})
    total *= std::max<std::size_t>(a->size(), 1);
  o.progress = progress_bar(total);
  const wf::VfpBuild built = wf::build_vfp_table(doc, c.axes, o);
  if (!built.problems.empty()) return report(c.well, built.problems);
  const std::string text = wf::vfp_deck_text(built.table);
  if (const int status = write_text(text, out_path)) return status;
  const wf::VfpTable& t = built.table;
  std::cerr << c.well << ": table " << t.table_number << ", " << t.value_count()
            << " bottom-hole pressures at " << t.datum_depth << " ft vertical; "
            << t.value_count() - built.filled.size() << " traversed, " << built.filled.size()
            << " filled where the tubing cannot carry the rate\n";
  for (const wf::VfpIndex& i : built.filled)
    std::cerr << "  filled: " << wf::vfp_index_text(t, i) << "\n";
  for (const wf::VfpIndex& i : built.falls)
    std::cerr << "  bottom-hole pressure falls as the wellhead pressure rises: "
              << wf::vfp_index_text(t, i) << "\n";
  return 0;
}

int print_schema(bool markdown) {
  if (markdown)
    std::cout << wf::fields_reference_markdown();
  else
    std::cout << wf::well_schema().dump(2) << "\n";
  return finish_output();
}

int print_blocks(const std::string& well_path) {
  wf::json doc;
  if (const int status = load(well_path, doc, well_path)) return status;
  const wf::Blocks b = wf::to_blocks(doc);
  std::printf("%-20s %6s  %-52s %s\n", "block", "slot", "field", "value");
  for (const wf::SlotEntry& e : wf::set_slots(b))
    std::printf("%-20s %6zu  %-52s %s\n", e.block.c_str(), e.slot, e.field.c_str(),
                e.value.c_str());
  return finish_output();
}

// What `dlv nodal` asks.
struct NodalCommand {
  std::string well, vary, format, out_path, units;
  bool allow_fallbacks = false;
};

// A well that does not flow is an answer (exit 0); fall-backs of the inflow
// curves are listed and exit 3 as for dlv run.
int run_nodal_command(const NodalCommand& c) {
  wf::json doc;
  if (const int status = load(c.well, doc, c.well)) return status;
  wf::NodalAsk nodal_ask;
  std::vector<wf::Problem> problems;
  if (!c.vary.empty()) {
    nodal_ask.vary = wf::parse_nodal_vary(c.vary, problems);
    if (!problems.empty()) return report(c.well, problems);
  }
  wf::RunOutcome solved = wf::run_nodal(doc, nodal_ask);
  if (!solved.problems.empty()) return report(c.well, solved.problems);
  if (output_units(c.units, doc) == wf::UnitSystem::metric)
    solved.result = wf::convert_result(solved.result, wf::UnitSystem::metric);
  if (!solved.fallbacks.empty())
    list_fallbacks(c.well, "inflow computed", solved.fallbacks, c.allow_fallbacks);
  const std::string text = c.format == "json"  ? solved.result.dump(2) + "\n"
                           : c.format == "csv" ? dlv::cli::render_nodal_csv(solved.result)
                                               : dlv::cli::render_nodal_table(solved.result);
  if (const int status = write_text(text, c.out_path)) return status;
  return solved.fallbacks.empty() || c.allow_fallbacks ? 0 : kFallbacks;
}

int run_traverse_command(const std::string& well_path, wf::TraverseAsk ask, const std::string& from,
                         std::optional<double> start_pressure, const RunCommand& c) {
  wf::json doc;
  if (const int status = load(well_path, doc, well_path)) return status;
  ask.start = from == "bottom" ? dlv::TraverseStart::kNode : dlv::TraverseStart::kWellhead;
  if (start_pressure) ask.start_pressure = *start_pressure;
  const wf::RunOutcome traversed = wf::run_traverse(doc, ask, output_units(c.units, doc));
  if (!traversed.problems.empty()) return report(well_path, traversed.problems);
  return write_text(render(traversed.result, c.format), c.out_path);
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"dlv: inflow performance curves of oil, gas and injection wells"};
  app.set_version_flag("--version", std::string("dlv ") + DLV_VERSION_STRING);
  app.require_subcommand(1);
  app.footer(
      "Exit status: 0 computed; 1 a file could not be read or written; 2 bad input, nothing "
      "computed; 3 (dlv run, dlv nodal) computed with the library's fall-back values, listed on "
      "standard "
      "error and under fallbacks (--allow-fallbacks exits 0).");
  std::string format = "table", out_path, log_path, well_path;
  // --units of a subcommand; empty when not given.
  std::string units;
  auto add_units = [&](CLI::App* cmd, const std::string& what) {
    cmd->add_option("--units", units, what)
        ->check(CLI::IsMember({"field", "metric"}).description("field or metric"));
  };

  auto add_output = [&](CLI::App* cmd) {
    cmd->add_option("--format", format,
                    "output format: table (default); csv, one tidy table of every curve point; "
                    "sections, a CSV section per curve with the summary, fluid properties and "
                    "notes; json, the result document")
        ->check(CLI::IsMember({"table", "csv", "sections", "json"}));
    cmd->add_option("-o,--output", out_path, "write to FILE instead of standard output");
  };

  CLI::App* run = app.add_subcommand("run", "compute the curves of a well file");
  std::vector<std::string> well_paths;
  bool allow_fallbacks = false;
  run->add_option("well", well_paths,
                  "well files (JSON); - reads standard input. Several wells: JSON output is a "
                  "list of results in the order given (null for a well not computed); table "
                  "and CSV output put a line \"==> FILE <==\" before each well's output and a "
                  "blank line after it")
      ->required();
  add_output(run);
  add_units(run, "unit system of the output: field or metric (default: the well file's own)");
  run->add_option("--log", log_path, "append the library's diagnostic messages to FILE");
  run->add_flag("--allow-fallbacks", allow_fallbacks,
                "exit 0 even when the result carries the library's fall-back values (they "
                "are still listed under fallbacks)");

  double pr = 0, q = 0, pwf = 0, pi = 0;
  std::optional<double> pb;
  CLI::App* vogel = app.add_subcommand("vogel", "quick Vogel curve from one test");
  vogel->add_option("--reservoir-pressure", pr, "psi gauge")->required();
  vogel->add_option("--test-rate", q, "STB/d")->required();
  vogel->add_option("--test-pressure", pwf, "flowing bottom-hole pressure, psi gauge")->required();
  vogel->add_option("--bubble-point", pb,
                    "psi gauge (default: the reservoir pressure, Vogel's curve over the whole "
                    "range; dlv pi draws a straight line)");
  add_output(vogel);
  add_units(vogel,
            "unit system of the options and the output: field (default; psi gauge, STB/d) or "
            "metric (bar gauge, sm3/d)");

  CLI::App* line = app.add_subcommand("pi", "quick straight-line curve from a productivity index");
  line->add_option("--reservoir-pressure", pr, "psi gauge")->required();
  line->add_option("--productivity-index", pi, "STB/d/psi")->required();
  add_output(line);
  add_units(line,
            "unit system of the options and the output: field (default; psi gauge, STB/d/psi) "
            "or metric (bar gauge, sm3/d/bar)");

  CLI::App* trav = app.add_subcommand("traverse", "pressure traverse of a well file's tubing");
  wf::TraverseAsk ask;
  std::string from = "wellhead";
  double start_pressure = 0;
  trav->add_option("well", well_path, "well file (JSON) with a tubing object")->required();
  trav->add_option("--rate", ask.rate, "STB/d of liquid (oil, water injection) or Mscf/d (gas)")
      ->required();
  trav->add_option("--from", from,
                   "wellhead: from the tubing's wellhead pressure down to the node; bottom: from "
                   "the node up, at the inflow pressure of the rate unless --start-pressure")
      ->check(CLI::IsMember({"wellhead", "bottom"}));
  CLI::Option* start_opt =
      trav->add_option("--start-pressure", start_pressure,
                       "start pressure, psi gauge (bar gauge in a metric well file)");
  add_output(trav);
  add_units(trav, "unit system of the output: field or metric (default: the well file's own)");

  CLI::App* nodal = app.add_subcommand(
      "nodal", "operating point: the well's inflow meets its tubing at the wellhead pressure");
  std::string vary_text;
  bool nodal_allow_fallbacks = false;
  nodal->add_option("well", well_path, "well file (JSON) with a tubing object")->required();
  nodal->add_option("--vary", vary_text,
                    "FIELD=V1,V2,...: one operating point per value of wellhead_pressure (psi "
                    "gauge), inside_diameter (in), water_cut (fraction), producing_gor (scf/STB) "
                    "or reservoir_pressure (psi gauge, every layer)");
  nodal
      ->add_option("--format", format,
                   "table (default); csv, one row per operating point; json, the result document")
      ->check(CLI::IsMember({"table", "csv", "json"}));
  nodal->add_option("-o,--output", out_path, "write to FILE instead of standard output");
  nodal->add_flag("--allow-fallbacks", nodal_allow_fallbacks,
                  "exit 0 even when an inflow curve carries the library's fall-back values");
  add_units(nodal, "unit system of the output: field or metric (default: the well file's own)");

  CLI::App* vfp = app.add_subcommand(
      "vfp", "lift table (VFPPROD, or VFPINJ for an injector) of a well file's tubing");
  VfpCommand vc;
  vfp->add_option("well", vc.well, "well file (JSON) with a tubing object")->required();
  auto axis = [&](const char* name, std::vector<double>& v, const char* help) {
    vfp->add_option(name, v, help)->delimiter(',')->expected(0, -1);
  };
  axis("--rates", vc.axes.flo, "rate axis: stb/d (OIL, LIQ, WAT) or Mscf/d (GAS), ascending");
  axis("--wellhead-pressures", vc.axes.thp,
       "wellhead pressures, psia (absolute, as the deck holds them), ascending");
  axis("--water-cuts", vc.water_cuts, "water cuts, fraction (default: the well's)");
  axis("--water-oil-ratios", vc.water_oil_ratios, "water-oil ratios, stb/stb");
  axis("--water-gas-ratios", vc.water_gas_ratios, "water-gas ratios, stb/Mscf (GAS rates)");
  axis("--gors", vc.gors,
       "gas-oil ratios, Mscf/stb as FIELD tables hold them (default: the well's)");
  axis("--glrs", vc.glrs, "gas-liquid ratios, Mscf/stb");
  axis("--ogrs", vc.ogrs, "oil-gas ratios, stb/Mscf (GAS rates)");
  axis("--alq", vc.axes.alq, "artificial-lift axis: 0 alone (the tubing takes no lift gas)");
  vfp->add_option("--flo", vc.flo,
                  "rate type (default: LIQ, GAS for gas wells, WAT for water "
                  "injectors)")
      ->check(CLI::IsMember({"OIL", "LIQ", "GAS", "WAT"}));
  vfp->add_option("--table-number", vc.options.table_number, "table number (default 1)");
  vfp->add_option("--datum-depth", vc.datum_depth,
                  "vertical depth of the pressures, ft (default: the tubing's node; make it the "
                  "well's reference depth in the deck)");
  vfp->add_option("--units", vc.units, "units the deck is written in (axes are given in FIELD)")
      ->check(CLI::IsMember({"field", "metric"}));
  vfp->add_option("-o,--output", out_path, "write to FILE instead of standard output");

  CLI::App* schema = app.add_subcommand("schema", "print the JSON Schema of a well file");
  bool markdown = false;
  schema->add_flag("--markdown", markdown, "print the field reference page instead");
  CLI::App* blocks = app.add_subcommand("blocks", "print every slot a well file sets");
  blocks->add_option("well", well_path, "well file (JSON)")->required();

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int status = app.exit(e);
    return status == 0 ? 0 : kBadInput;
  }

  if (*schema) return print_schema(markdown);
  if (*blocks) return print_blocks(well_path);
  const RunCommand rc{format, out_path, log_path, units, allow_fallbacks};
  if (*nodal)
    return run_nodal_command(
        {well_path, vary_text, format, out_path, units, nodal_allow_fallbacks});
  if (*vfp) return run_vfp(vc, *vfp, out_path);
  if (*run) return run_wells(well_paths, rc);
  if (*trav)
    return run_traverse_command(
        well_path, ask, from,
        start_opt->count() > 0 ? std::optional<double>(start_pressure) : std::nullopt, rc);
  const wf::UnitSystem quick_units = output_units(units, wf::json::object());
  const wf::RunOutcome outcome = *vogel ? wf::run_quick_vogel(pr, q, pwf, pb, quick_units)
                                        : wf::run_quick_pi(pr, pi, quick_units);
  if (!outcome.problems.empty()) return report("dlv", outcome.problems);
  return write_text(render(outcome.result, format), out_path);
}
