// The well file's choice of model for the traverse coupling:
// `traverse.correlation`. "ptrav" (the default) keeps the traverse library's
// homogeneous model, computed by the exported dlv_cal exactly as for any host;
// a correlation of the tubing room refers the layer curves through the
// tubing room instead.
//
// The choice lives in the well file only, not in a block. No slot of the
// blocks is set aside for it: the traverse record belongs to a traverse
// library that a host may replace with its own, which may use any byte of
// it, and the well record's unnamed slots are not promised to be zero by
// hosts that fill their blocks from other programs. A block field whose zero
// meant "the traverse library" could thus change the results of an existing
// host; a well-file field cannot.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "composite/tubing_referral.hpp"
#include "wellfile/wellfile.hpp"

namespace dlv::wellfile {

// The traverse library's name as the field's value (its default).
inline constexpr const char* kTraverseLibraryName = "ptrav";

// Problems of doc["traverse"]["correlation"] for a well of the given mode;
// empty when it is absent or usable.
std::vector<Problem> check_coupling(const json& doc, int mode);

// The tubing a checked document names for its coupling; nullopt for the
// traverse library.
std::optional<CouplingTubing> coupling_tubing(const json& doc);

// The field's schema and its section of the field page.
json coupling_schema();
std::string coupling_fields_markdown();

}  // namespace dlv::wellfile
