// Wells the methods cannot compute are refused with their JSON path (the
// cases are in data/refusals.json); results that carry the library's floors,
// sentinels or log messages say so.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "wellfile/run_outcome.hpp"
#include "wellfile_support.hpp"

namespace wf = dlv::wellfile;
using namespace wellfile_test;

namespace {

const json& refusals() {
  static const json data = read_json("tests/wellfile/data/refusals.json");
  return data;
}

json patched(const std::string& well, const json& patch) {
  json doc = refusals()["wells"][well];
  merge(doc, patch);
  return doc;
}

// Correlations with no producing GOR: Rs = 0, below the range of Beggs and Robinson.
json no_gor() {
  return patched("two_test", json::parse(R"({"fluid": null, "layers": [{"layer_temperature": 175,
      "api_gravity": 36, "gas_sg": 0.72, "bubble_point": 2100}]})"));
}

}  // namespace

TEST(InconsistentWells, AreRefusedAtTheirPathWithTheReason) {
  for (const auto& [name, well] : refusals()["wells"].items()) {
    EXPECT_EQ(problems_text(wf::validate_well(well)), "") << name;
  }
  for (const json& c : refusals()["inconsistent_wells"]) {
    SCOPED_TRACE(c.dump());
    const wf::RunOutcome out = wf::run_well(patched(c["well"], c["patch"]));
    ASSERT_FALSE(out.problems.empty());
    EXPECT_EQ(out.problems[0].path, c["path"]) << out.problems[0].text();
    EXPECT_NE(out.problems[0].message.find(c["message"].get<std::string>()), std::string::npos)
        << out.problems[0].text();
  }
}

TEST(Fallbacks, ResultsOnTheLibrarysFloorsAndLogSaySo) {
  const struct {
    const char* what;
    json doc;
    const char* note;  // part of a fall-back note
  } cases[] = {
      // Vogel with water cut 1: q (1 - 1) / V = 0, floored at 0.01.
      {"Vogel maximum floored",
       patched("vogel", json::parse(R"({"layers": [{"bubble_point": 2000, "water_cut": 1}]})")),
       "Vogel's maximum oil rate floored at 0.01 STB/d"},
      {"the library's log", no_gor(),
       "layers[0] fluid properties, library log: Solution gas/oil ratio out of range for Beggs "
       "and Robinson in liqvis()"},
      // A fracture of low conductivity in stabilized flow keeps the wellbore radius, and the
      // skin -8 against ln(0.472 * 1490 / 0.354) = 7.594 gives Darcy-Vogel's invalid curve.
      {"invalid curve sentinel",
       patched("fractured", json::parse(R"({"layers": [{"permeability": 1000,
           "production_time": 10000, "skin": -8}]})")),
       "layers[0].curve.rate: -9999.9"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const wf::RunOutcome out = wf::run_well(c.doc);
    ASSERT_TRUE(out.problems.empty()) << out.problems[0].text();
    std::string all;
    for (const std::string& f : out.fallbacks) all += f + "\n";
    EXPECT_NE(all.find(c.note), std::string::npos) << all;
    EXPECT_EQ(out.result["fallbacks"].size(), out.fallbacks.size());
  }
  EXPECT_TRUE(wf::run_well(refusals()["wells"]["vogel"]).fallbacks.empty());
}

TEST(Fallbacks, TheLogFileOfTheCallerKeepsItsTextAndGetsTheMessages) {
  const auto path = std::filesystem::temp_directory_path() / "dlv_trust_log.txt";
  std::ofstream(path) << "earlier text\n";
  const wf::RunOutcome out = wf::run_well(no_gor(), path.string().c_str());
  ASSERT_EQ(out.fallbacks.size(), 1u);  // the earlier text is not this call's
  std::ifstream in(path);
  std::string first;
  std::getline(in, first);
  EXPECT_EQ(first, "earlier text");
  std::filesystem::remove(path);
}
