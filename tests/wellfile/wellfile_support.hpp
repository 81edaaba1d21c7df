// What the well-file suites share: documents and texts read from the source tree,
// documents compared number by number, problems found by path and text, the
// wells and cases of data/refusals.json, the dlv command run with its output caught.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "wellfile/nodal_run.hpp"
#include "wellfile/run_outcome.hpp"
#include "wellfile/vfp_table.hpp"
#include "wellfile/wellfile.hpp"

namespace wellfile_test {

namespace fs = std::filesystem;
using dlv::wellfile::json;
using dlv::wellfile::Problem;

inline const fs::path kSource = DLV_SOURCE_DIR;

// A JSON document of the source tree (a path relative to it) or anywhere else.
inline json read_json(const fs::path& p) {
  std::ifstream in(p.is_absolute() ? p : kSource / p);
  return json::parse(in);
}

// A well of tests/wellfile/tubing_wells.
inline json read_well(const std::string& name) {
  return read_json(fs::path("tests/wellfile/tubing_wells") / name);
}

// The text of a file of the source tree.
inline std::string read_text(const fs::path& p) {
  std::ifstream in(kSource / p);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Numbers within tol relative of want, the same strings and structure
// elsewhere. A twin (a well given in another unit system) may differ in its
// description, its notes' text and in keys want does not have.
inline void expect_close(const json& got, const json& want, const std::string& path = "",
                         double tol = 1e-12, bool twin = false) {
  if (want.is_number() && got.is_number()) {
    const double a = got.get<double>(), b = want.get<double>();
    if (a == b) return;
    EXPECT_LE(std::fabs(a - b), tol * std::max(std::fabs(a), std::fabs(b)) + (twin ? 1e-12 : 0.0))
        << path << ": " << a << " vs " << b;
    return;
  }
  ASSERT_EQ(got.type(), want.type()) << path;
  if (want.is_object()) {
    if (!twin) {
      ASSERT_EQ(got.size(), want.size()) << path;
    }
    for (const auto& [k, v] : want.items()) {
      if (twin && k == "description") continue;
      ASSERT_TRUE(got.contains(k)) << path << "." << k;
      expect_close(got[k], v, path + "." + k, tol, twin);
    }
  } else if (want.is_array()) {
    ASSERT_EQ(got.size(), want.size()) << path;
    for (std::size_t i = 0; i < want.size(); ++i)
      expect_close(got[i], want[i], path + "[" + std::to_string(i) + "]", tol, twin);
  } else if (!twin || path.find("notes") == std::string::npos) {
    EXPECT_EQ(got, want) << path;
  }
}

inline std::string problems_text(const std::vector<Problem>& problems) {
  std::string s;
  for (const Problem& p : problems) s += "  " + p.text() + "\n";
  return s;
}

// Whether a problem at path has part in its message and expected in its expected text.
inline bool has_problem(const std::vector<Problem>& problems, const std::string& path,
                        const std::string& part, const std::string& expected = "") {
  for (const Problem& p : problems) {
    if (p.path == path && p.message.find(part) != std::string::npos &&
        p.expected.find(expected) != std::string::npos)
      return true;
  }
  return false;
}

// A JSON merge patch that merges arrays of objects element by element, so
// that {"layers": [{"skin": -10}]} changes one field of layer 0.
inline void merge(json& target, const json& patch) {
  if (patch.is_object() && target.is_object()) {
    for (const auto& [k, v] : patch.items()) {
      if (v.is_null())
        target.erase(k);
      else if (target.contains(k))
        merge(target[k], v);
      else
        target[k] = v;
    }
  } else if (patch.is_array() && target.is_array() && patch.size() == target.size() &&
             !patch.empty() && patch[0].is_object()) {
    for (std::size_t i = 0; i < patch.size(); ++i) merge(target[i], patch[i]);
  } else {
    target = patch;
  }
}

// A JSON file of tests/wellfile/data, read once.
inline const json& data_file(const std::string& name) {
  static std::map<std::string, json> read;
  const auto [at, added] = read.try_emplace(name);
  if (added) at->second = read_json("tests/wellfile/data/" + name);
  return at->second;
}

// The cases of data/refusals.json and the wells they patch.
inline const json& refusals() { return data_file("refusals.json"); }

// A case's well: a file of the source tree or a well of refusals.json
// (clean_vogel unless named), with the case's patch merged in.
inline json case_well(const json& c) {
  json doc = c.contains("file") ? read_json(c["file"].get<std::string>())
                                : refusals()["wells"][c.value("well", "clean_vogel")];
  if (c.contains("patch")) merge(doc, c["patch"]);
  return doc;
}

// A case's run: an operating point when it names a sensitivity, else the well.
inline dlv::wellfile::RunOutcome run_case(const json& c) {
  const json doc = case_well(c);
  if (!c.contains("vary")) return dlv::wellfile::run_well(doc);
  dlv::wellfile::NodalAsk ask;
  if (c["vary"].is_object())
    ask.vary = dlv::wellfile::NodalVary{c["vary"]["field"], c["vary"]["values"]};
  return dlv::wellfile::run_nodal(doc, ask);
}

// The lift-table cases of data/vfp_cases.json.
inline const json& vfp_cases() { return data_file("vfp_cases.json"); }

// A number of a data file, where "nan" and "inf" stand for those.
inline double number(const json& v) {
  return v.is_string() ? std::stod(v.get<std::string>()) : v.get<double>();
}

// A lift table's types from their deck words: "VFPPROD LIQ WCT GOR NONE".
inline void set_vfp_types(dlv::wellfile::VfpTable& t, const std::string& types) {
  namespace wf = dlv::wellfile;
  std::istringstream in(types);
  auto word = [&in](const std::vector<std::string>& names) {
    std::string w;
    in >> w;
    return static_cast<int>(std::find(names.begin(), names.end(), w) - names.begin());
  };
  t.kind = static_cast<wf::VfpKind>(word({"VFPPROD", "VFPINJ"}));
  t.flo = static_cast<wf::VfpFlo>(word({"OIL", "LIQ", "GAS", "WAT"}));
  t.wfr = static_cast<wf::VfpWfr>(word({"WCT", "WOR", "WGR"}));
  t.gfr = static_cast<wf::VfpGfr>(word({"GOR", "GLR", "OGR"}));
  t.alq = static_cast<wf::VfpAlq>(word({"NONE", "GRAT", "IGLR", "TGLR"}));
}

// The axes a case gives (flo, thp, wfr, gfr, alq) in place of a's.
inline void set_vfp_axes(dlv::wellfile::VfpAxes& a, const json& given) {
  const std::pair<const char*, std::vector<double>*> axes[] = {
      {"flo", &a.flo}, {"thp", &a.thp}, {"wfr", &a.wfr}, {"gfr", &a.gfr}, {"alq", &a.alq}};
  for (const auto& [name, axis] : axes) {
    if (!given.contains(name)) continue;
    axis->clear();
    for (const json& v : given[name]) axis->push_back(number(v));
  }
}

struct Command {
  int status;
  std::string out;
};

// Runs the dlv command with its messages caught; redirect says where standard output goes.
inline Command run_dlv(const std::string& args, const std::string& redirect = "2>&1") {
  const std::string cmd = std::string(DLV_CLI_PATH) + " " + args + " " + redirect;
  FILE* p = popen(cmd.c_str(), "r");
  std::string out;
  char buf[4096];
  for (std::size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
  const int raw = pclose(p);
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, out};
}

}  // namespace wellfile_test
