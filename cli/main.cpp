// dlv: inflow performance curves from a well file or from options.
//   dlv run WELL.json [--format table|csv|sections|json] [-o FILE] [--log FILE]
//   dlv vogel --reservoir-pressure P --test-rate Q --test-pressure PWF [--bubble-point PB]
//   dlv pi --reservoir-pressure P --productivity-index J
//   dlv schema [--markdown]
//   dlv blocks WELL.json
// Exit status: 0 computed, 2 bad input (nothing computed), 1 a file could not be read or written.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "wellfile/wellfile.hpp"

namespace wf = dlv::wellfile;

namespace {

constexpr int kBadInput = 2;
constexpr int kFileError = 1;

// Reads a whole file; on failure returns false with the reason in why.
bool read_file(const std::string& path, std::string& text, std::string& why) {
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
int load(const std::string& path, wf::json& doc) {
  std::string text, why;
  if (!read_file(path, text, why)) {
    std::cerr << path << ": " << why << "\n";
    return kFileError;
  }
  std::vector<wf::Problem> problems = wf::parse_well_text(text, doc);
  if (problems.empty()) problems = wf::validate_well(doc);
  return problems.empty() ? 0 : report(path, problems);
}

int emit(const wf::json& result, const std::string& format, const std::string& out_path) {
  std::string text = format == "json"       ? result.dump(2) + "\n"
                     : format == "csv"      ? wf::render_csv(result)
                     : format == "sections" ? wf::render_sections(result)
                                            : wf::render_table(result);
  // The tidy table holds only the curve points: its notes go to standard error.
  if (format == "csv")
    for (const wf::json& n : result["notes"]) std::cerr << "note: " << n.get<std::string>() << "\n";
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

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"dlv: inflow performance curves of oil, gas and injection wells"};
  app.require_subcommand(1);
  std::string format = "table", out_path, log_path, well_path;

  auto add_output = [&](CLI::App* cmd) {
    cmd->add_option("--format", format,
                    "output format: table (default); csv, one tidy table of every curve point; "
                    "sections, a CSV section per curve with the summary, fluid properties and "
                    "notes; json, the result document")
        ->check(CLI::IsMember({"table", "csv", "sections", "json"}));
    cmd->add_option("-o,--output", out_path, "write to FILE instead of standard output");
  };

  CLI::App* run = app.add_subcommand("run", "compute the curves of a well file");
  run->add_option("well", well_path, "well file (JSON)")->required();
  add_output(run);
  run->add_option("--log", log_path, "append the library's diagnostic messages to FILE");

  double pr = 0, q = 0, pwf = 0, pb = 0, pi = 0;
  CLI::App* vogel = app.add_subcommand("vogel", "quick Vogel curve from one test");
  vogel->add_option("--reservoir-pressure", pr, "psi gauge")->required();
  vogel->add_option("--test-rate", q, "STB/d")->required();
  vogel->add_option("--test-pressure", pwf, "flowing bottom-hole pressure, psi gauge")->required();
  vogel->add_option("--bubble-point", pb, "psi gauge (default 0)");
  add_output(vogel);

  CLI::App* line = app.add_subcommand("pi", "quick straight-line curve from a productivity index");
  line->add_option("--reservoir-pressure", pr, "psi gauge")->required();
  line->add_option("--productivity-index", pi, "STB/d/psi")->required();
  add_output(line);

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

  if (*schema) {
    if (markdown)
      std::cout << wf::fields_reference_markdown();
    else
      std::cout << wf::well_schema().dump(2) << "\n";
    return finish_output();
  }
  if (*blocks) {
    wf::json doc;
    if (const int status = load(well_path, doc)) return status;
    const wf::Blocks b = wf::to_blocks(doc);
    std::printf("%-20s %6s  %-52s %s\n", "block", "slot", "field", "value");
    for (const wf::SlotEntry& e : wf::set_slots(b))
      std::printf("%-20s %6zu  %-52s %s\n", e.block.c_str(), e.slot, e.field.c_str(),
                  e.value.c_str());
    return finish_output();
  }
  wf::RunOutcome outcome;
  std::string source = "dlv";
  if (*run) {
    wf::json doc;
    if (const int status = load(well_path, doc)) return status;
    outcome = wf::run_well(doc, log_path.empty() ? nullptr : log_path.c_str());
    source = well_path;
  } else if (*vogel) {
    outcome = wf::run_quick_vogel(pr, q, pwf, pb);
  } else {
    outcome = wf::run_quick_pi(pr, pi);
  }
  if (!outcome.problems.empty()) return report(source, outcome.problems);
  return emit(outcome.result, format, out_path);
}
