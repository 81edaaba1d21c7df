// Traverses by name: the tubing object's defaults, the published tubing cases
// run from well files, end pressures against the sources' values; a rate the
// tubing cannot lift is an answer that says where; a well without tubing is
// refused. (Bad tubing objects are among the cases of data/refusals.json.)
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "wellfile/run_outcome.hpp"
#include "wellfile/tubing_document.hpp"
#include "wellfile/tubing_run.hpp"
#include "wellfile_support.hpp"

namespace wf = dlv::wellfile;
using namespace wellfile_test;

namespace {

wf::TraverseAsk at(double rate) {
  wf::TraverseAsk ask;
  ask.rate = rate;
  return ask;
}

}  // namespace

TEST(TraverseByName, PublishedCasesFromWellFiles) {
  for (const json& c : data_file("published.json")["traverses"]) {
    SCOPED_TRACE(c["source"].get<std::string>());
    const wf::RunOutcome out = wf::run_traverse(read_well(c["file"]), at(c["rate"]));
    ASSERT_TRUE(out.problems.empty()) << out.problems[0].text();
    EXPECT_EQ(out.result["status"], "ok");
    EXPECT_NEAR(out.result["bottomhole_pressure"].get<double>() + 14.7, c["bhp"].get<double>(),
                c["tolerance"].get<double>());
  }
}

TEST(TraverseByName, DownThenUpReturnsTheWellheadPressure) {
  // Marched by pressure-averaged steps both ways (the spreadsheet's explicit
  // steps are not reversible).
  json doc = read_well("guo_hagedorn_brown.json");
  doc["tubing"]["correlation"] = "beggs_brill";
  const wf::RunOutcome down = wf::run_traverse(doc, at(758));
  wf::TraverseAsk up{758, dlv::TraverseStart::kNode, down.result["bottomhole_pressure"]};
  const wf::RunOutcome back = wf::run_traverse(doc, up);
  EXPECT_NEAR(back.result["wellhead_pressure"].get<double>(), 185.3, 0.5);
}

TEST(TraverseByName, ARateTheTubingCannotLiftSaysWhere) {
  json doc = read_well("guo_hagedorn_brown.json");
  doc["tubing"]["correlation"] = "hagedorn_brown";
  wf::TraverseAsk up{20000, dlv::TraverseStart::kNode, 300.0};
  const wf::RunOutcome out = wf::run_traverse(doc, up);
  ASSERT_TRUE(out.problems.empty());
  EXPECT_EQ(out.result["status"], "cannot_lift");
  EXPECT_TRUE(out.result["wellhead_pressure"].is_null());
  EXPECT_GT(out.result["stopped_at"]["measured_depth"].get<double>(), 0.0);
  EXPECT_NE(out.result["message"].get<std::string>().find("cannot lift"), std::string::npos);
}

TEST(TraverseByName, AWellWithoutTubingOrWithABadRateIsRefused) {
  json doc = read_well("guo_hagedorn_brown.json");
  EXPECT_EQ(wf::run_traverse(doc, at(-5)).problems.at(0).path, "rate");
  doc.erase("tubing");
  EXPECT_EQ(wf::run_traverse(doc, at(758)).problems.at(0).path, "tubing");
}

TEST(TraverseByName, ATubingObjectLeftShortTakesTheDefaults) {
  const auto tubing = wf::read_tubing(refusals()["wells"]["tubing_vogel"]);
  ASSERT_TRUE(tubing.has_value());
  EXPECT_EQ(tubing->correlation, dlv::Correlation::kHagedornBrown);
  EXPECT_EQ(tubing->roughness, 0.0006);  // new steel tubing
  EXPECT_TRUE(tubing->payne);
  EXPECT_FALSE(tubing->surface_tension.has_value());
}
