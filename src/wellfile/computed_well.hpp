// A validated well after its call, before its result document is built: what
// run_well's result tree and run_well_text's compact text are both made from.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "wellfile/coupling_document.hpp"
#include "wellfile/units_table.hpp"
#include "wellfile/wellfile.hpp"

namespace dlv::wellfile {

// What the result document holds beside the layer curves.
struct ResultShape {
  int mode;
  int layers;
  bool gas, completion, traverse, fractured;
};

struct ComputedWell {
  Blocks b{Blocks::Unsized{}};  // after the call
  ResultShape shape{};
  std::optional<CouplingTubing> coupling;
  std::vector<Note> notes;             // the replaced inputs, in the output's units
  std::vector<std::string> fallbacks;  // as RunOutcome::fallbacks
};

// The unit of every column of a result in field units, by the mode's code.
json result_units(int mode);

// The result document of a computed well as compact text, byte for byte
// compact_text of run_well's result in the same unit system.
std::string result_text(const json& doc, const ComputedWell& c, UnitSystem output);

}  // namespace dlv::wellfile
