#include "wellfile/coupling_document.hpp"

#include <algorithm>
#include <nlohmann/json.hpp>

#include "dlv/dlv_layout.h"

namespace dlv::wellfile {

namespace {

using C = Correlation;

// The marched correlations a mode's coupling can name. The whole-well methods
// and the original Hagedorn-Brown (the spreadsheet's fixed steps over the
// whole well) are not offered: the coupling traverses short intervals between
// a layer and the reference depth.
std::vector<Correlation> coupling_correlations(int mode) {
  switch (mode) {
    case DLV_MODE_OIL_PRODUCTION:
      return {C::kNoSlip, C::kHagedornBrown, C::kBeggsBrill};
    case DLV_MODE_GAS_PRODUCTION:
      return {C::kNoSlip, C::kBeggsBrill, C::kGray};
    default:
      return {C::kNoSlip, C::kBeggsBrill};
  }
}

std::string choices(int mode) {
  std::string s = std::string("one of ") + kTraverseLibraryName;
  for (Correlation c : coupling_correlations(mode)) s += ", " + std::string(correlation_name(c));
  return s;
}

}  // namespace

std::vector<Problem> check_coupling(const json& doc, int mode) {
  if (!doc.is_object() || !doc.contains("traverse") || !doc["traverse"].is_object() ||
      !doc["traverse"].contains("correlation"))
    return {};
  const json& v = doc["traverse"]["correlation"];
  const std::string path = "traverse.correlation";
  if (!v.is_string()) return {{path, "wrong type: " + std::string(v.type_name()), choices(mode)}};
  const std::string name = v.get<std::string>();
  if (name == kTraverseLibraryName) return {};
  const std::optional<Correlation> c = correlation_from_name(name);
  if (!c) return {{path, "unknown correlation \"" + name + "\"", choices(mode)}};
  const std::vector<Correlation> allowed = coupling_correlations(mode);
  if (std::find(allowed.begin(), allowed.end(), *c) == allowed.end())
    return {{path, "\"" + name + "\" cannot refer this mode's layer curves", choices(mode)}};
  return {};
}

std::optional<CouplingTubing> coupling_tubing(const json& doc) {
  if (!doc.contains("traverse") || !doc["traverse"].contains("correlation")) return std::nullopt;
  const std::optional<Correlation> c =
      correlation_from_name(doc["traverse"]["correlation"].get<std::string>());
  if (!c) return std::nullopt;
  CouplingTubing tubing;
  tubing.correlation = *c;
  return tubing;
}

json coupling_schema() {
  json names = json::array({kTraverseLibraryName});
  for (Correlation c : {C::kNoSlip, C::kHagedornBrown, C::kBeggsBrill, C::kGray})
    names.push_back(std::string(correlation_name(c)));
  return {{"enum", names},
          {"default", kTraverseLibraryName},
          {"description",
           "model of the traverse coupling: ptrav (the traverse library) or a tubing "
           "correlation over the layer's own fluid"}};
}

std::string coupling_fields_markdown() {
  return "`traverse.correlation` (named layer only, in no block): the model that refers the "
         "layer curves to `reference_depth`. `ptrav` (default) is the traverse library's "
         "homogeneous model, exactly as the exported functions compute it. `no_slip`, "
         "`hagedorn_brown` (oil), `beggs_brill` or `gray` (gas production) refer each point "
         "by that correlation's traverse of the layer's own fluid, in a vertical tubing of "
         "2.441 in inside diameter and 0.0006 in roughness at 80 degF plus 0.015 degF/ft.\n";
}

}  // namespace dlv::wellfile
