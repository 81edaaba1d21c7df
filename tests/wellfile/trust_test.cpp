// Results that carry the library's floors, sentinels or log messages say so
// (the cases are in data/refusals.json), and the wells the cases patch are
// clean.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "wellfile/run_outcome.hpp"
#include "wellfile_support.hpp"

namespace wf = dlv::wellfile;
using namespace wellfile_test;

TEST(Fallbacks, ResultsOnTheLibrarysFloorsAndLogSaySo) {
  for (const auto& [name, well] : refusals()["wells"].items()) {
    EXPECT_EQ(problems_text(wf::validate_well(well)), "") << name;
  }
  for (const json& c : refusals()["fallbacks"]) {
    SCOPED_TRACE(c["what"].get<std::string>());
    const wf::RunOutcome out = run_case(c);
    ASSERT_TRUE(out.problems.empty()) << out.problems[0].text();
    std::string all;
    for (const std::string& f : out.fallbacks) all += f + "\n";
    EXPECT_NE(all.find(c["note"].get<std::string>()), std::string::npos) << all;
    EXPECT_EQ(out.result["fallbacks"].size(), out.fallbacks.size());
  }
  EXPECT_TRUE(wf::run_well(refusals()["wells"]["vogel"]).fallbacks.empty());
}

TEST(Fallbacks, TheLogFileOfTheCallerKeepsItsTextAndGetsTheMessages) {
  const auto path = std::filesystem::temp_directory_path() / "dlv_trust_log.txt";
  std::ofstream(path) << "earlier text\n";
  const wf::RunOutcome out = wf::run_well(refusals()["wells"]["no_gor"], path.string().c_str());
  ASSERT_EQ(out.fallbacks.size(), 1u);  // the earlier text is not this call's
  std::ifstream in(path);
  std::string first;
  std::getline(in, first);
  EXPECT_EQ(first, "earlier text");
  std::filesystem::remove(path);
}
