// The outcome of a run of the well-file layer (run_well, the quick curves,
// the traverse and the operating point): either the problems of the document
// or the result document with its notes and fall-backs.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "wellfile/wellfile.hpp"

namespace dlv::wellfile {

struct RunOutcome {
  std::vector<Problem> problems;  // non-empty: nothing was computed
  json result;                    // the result document (format_version, curves, ...)
  std::vector<Note> notes;
  Blocks blocks{Blocks::Unsized{}};  // the blocks after the call; empty when nothing was computed
  // Where the library replaced a computation by a floor or a sentinel, and
  // every message it wrote to its diagnostic log during the call: "WHERE: WHAT".
  // Also in the result document as "fallbacks".
  std::vector<std::string> fallbacks;
};

}  // namespace dlv::wellfile
