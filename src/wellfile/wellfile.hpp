// Well files: a well described by name (JSON) mapped onto the argument blocks
// of dlv_cal, the calculation run through the exported entry point, and the
// blocks mapped back to a result document.
//
// API, in the order a caller uses it:
//   parse_well_text(text, doc)   JSON text to a document; syntax errors with line and column
//   validate_well(doc)           every problem of a document, each with its JSON path, the
//                                message and the expected unit and range; empty when usable
//   to_blocks(doc)               a validated document into freshly zeroed blocks
//   from_blocks(blocks)          the blocks back into a well document (inverse of to_blocks)
//   run_well(doc, log_path)      validate, fill, call dlv_cal, build the result document
//   run_well_text(doc, units)    the same, the result document as compact text only
//   run_quick_vogel / run_quick_pi   the quick single curves, inputs checked
//   well_schema()                the JSON Schema of a well file (draft 2020-12)
//   fields_reference_markdown()  the same fields as a reference page
//   set_slots(blocks)            every non-zero input slot, by block, slot and field name
//   render_csv(result)           the result document as one tidy CSV table (the text table
//                                and the sectioned CSV are the dlv command's, cli/render.hpp)
// Nothing here computes a curve itself: the calculation is the shared library's.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string>
#include <vector>

#include "dlv/dlv.h"

namespace dlv::wellfile {

using json = nlohmann::ordered_json;

inline constexpr int kFormatVersion = 1;

// The argument blocks of one dlv_cal call, zero-filled at their full sizes.
struct Blocks {
  Blocks();
  // Blocks with no storage yet (a place a filled set is moved into).
  struct Unsized {};
  explicit Blocks(Unsized) {}
  std::vector<double> layer_fluids, fluid_tables, separator, layer_curves, well_record, completion,
      completion_curves, traverse_curves, traverse, summary, results;
  std::int32_t calc_mode = 0;
  std::int32_t changed_pressure_flag = 0;
};

// One reason a well document cannot be computed.
struct Problem {
  std::string path;      // JSON path, e.g. "layers[0].reservoir_pressure"
  std::string message;   // what is wrong
  std::string expected;  // expected type, unit and range ("" when not a value)
  // "PATH: MESSAGE (expected EXPECTED)", the line the dlv command prints.
  std::string text() const;
};

// An input that the library replaced during the run.
struct Note {
  std::string path;
  double before = 0, after = 0;
  std::string unit;
  std::string text() const;  // "layers[0].reservoir_pressure: 2000 → 2750 psi"
};

// Parses JSON text; on a syntax error returns one problem naming line and column.
std::vector<Problem> parse_well_text(const std::string& text, json& doc);
std::vector<Problem> validate_well(const json& doc);
// The document must have passed validate_well.
Blocks to_blocks(const json& doc);
// What blocks that a well ran on may hold besides zeros. The calculation
// only reads fluid_tables, and writes the curve blocks for the well's layers
// alone.
struct UsedBlocks {
  bool tables_zero = false;       // fluid_tables is all zeros
  int curve_layers = DLV_LAYERS;  // the curve blocks are zero from this layer on
};
// The same into blocks that held anything before (another well's): every
// slot is zeroed first, but for what `used` knows to be zero.
void refill_blocks(const json& doc, Blocks& b, const UsedBlocks& used = {});
// Whether filling the document's blocks writes fluid_tables.
bool fills_tables(const json& doc);
json from_blocks(const Blocks& blocks);

// What a run gives back: the problems, or the result document, the notes,
// the blocks after the call and the fall-backs (wellfile/run_outcome.hpp,
// which holds the whole JSON library; this header names documents only).
struct RunOutcome;
// log_path: a file the library's diagnostic messages are appended to; without
// one the call's messages go to a temporary file that is read back and removed.
// Either way they come back in fallbacks.
// The result is in the document's unit system ("units", default field), or in
// the system given.
RunOutcome run_well(const json& doc, const char* log_path = nullptr);
enum class UnitSystem;
RunOutcome run_well(const json& doc, UnitSystem output, const char* log_path = nullptr);

// run_well with only its problems and its result document as compact text
// (compact_text of run_well's result, byte for byte), written straight from
// the blocks without a document tree.
struct WellText {
  std::vector<Problem> problems;  // non-empty: nothing was computed
  std::string text;
};
WellText run_well_text(const json& doc, UnitSystem output, const char* log_path = nullptr);

// A temporary diagnostic log for a run of many wells, removed when the run
// ends: passed to every run_well of the run, it saves creating and removing a
// file per well; each well still gets only the messages of its own call.
class SharedLog {
 public:
  SharedLog();
  ~SharedLog();
  SharedLog(const SharedLog&) = delete;
  SharedLog& operator=(const SharedLog&) = delete;
  const char* path() const { return path_.c_str(); }

 private:
  std::string path_;
};

// Many wells one after another, as a chunk of calculate_many runs them: one
// temporary diagnostic log and one set of blocks serve every well, so a well
// costs neither a log file nor fresh blocks of its own. The batch keeps one
// file descriptor, a reader on its log, from its making to its end.
class WellBatch {
 public:
  WellBatch();
  ~WellBatch();
  WellBatch(const WellBatch&) = delete;
  WellBatch& operator=(const WellBatch&) = delete;
  // run_well_text of one well of the batch.
  WellText run(const json& doc, UnitSystem output);

 private:
  SharedLog log_;
  std::unique_ptr<std::ifstream> log_reader_;  // finds the log's size after a call
  std::uintmax_t log_size_ = 0;                // the log's size after the last well
  Blocks blocks_;
  UsedBlocks used_;  // by the last well
};

// The quick single curves of the library (dlvCalcVogel, dlvCalcPI) with
// their inputs checked first; the result has the shape of run_well's with
// no layers.
// Without a bubble point the curve is Vogel's over the whole range (bubble
// point taken at the reservoir pressure), and a note says so.
RunOutcome run_quick_vogel(double reservoir_pressure, double test_rate, double test_pressure,
                           std::optional<double> bubble_point);
RunOutcome run_quick_pi(double reservoir_pressure, double productivity_index);
// The same with the inputs and the result in a unit system (metric: bar gauge,
// sm3/d, sm3/d/bar); the checks apply the field ranges to the converted inputs.
RunOutcome run_quick_vogel(double reservoir_pressure, double test_rate, double test_pressure,
                           std::optional<double> bubble_point, UnitSystem units);
RunOutcome run_quick_pi(double reservoir_pressure, double productivity_index, UnitSystem units);

// The document as compact JSON text that reads back to the same values as
// json::dump() (numbers in their shortest round-trip form, ".0" on whole
// floating-point numbers); several times faster than dump() on the result
// documents, whose text the Python package parses only on demand.
std::string compact_text(const json& doc);

json well_schema();
// The reference page of every well-file field (Markdown): group, name, block
// and slot, unit, range, default and meaning; then the modes and methods.
std::string fields_reference_markdown();

struct SlotEntry {
  std::string block;
  std::size_t slot;
  std::string field;  // "reservoir_pressure[0]", "method_code (int32, byte 0)"
  std::string value;
};
std::vector<SlotEntry> set_slots(const Blocks& blocks);

// One tidy CSV table: a row per curve point, columns curve, layer, point and
// each quantity with its unit in the name (pressure_psig); numbers in their
// shortest round-trip form, a null as an empty field, ASCII only.
std::string render_csv(const json& result);
// The tidy table's name of a column: the key, "_", the unit's ASCII suffix.
std::string csv_column_name(const std::string& key, const std::string& unit);
// The shortest text that reads back as the same double.
std::string shortest_text(double v);
// A number as people read it: the shortest-looking text of 10 significant digits.
std::string number_text(double v);

}  // namespace dlv::wellfile
