// The result text written straight from the blocks against the result tree
// put through compact_text: every example well in both unit systems, and the
// examples with their numbers scaled at random (a fixed seed), which reach
// emptied completion rows, values that are not numbers and refused wells.
// A batch runs the same wells one after another on one set of blocks and one
// log, and must give each the text of a well run alone.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>

#include "support/open_descriptors.hpp"
#include "wellfile/run_outcome.hpp"
#include "wellfile/units_table.hpp"
#include "wellfile_support.hpp"

namespace wf = dlv::wellfile;
using namespace wellfile_test;

namespace {

// Scales about a third of the numbers of a document by a factor from 0.22 to 4.5.
void scale_some(json& j, std::mt19937_64& rng) {
  std::uniform_real_distribution<double> u(0, 1);
  if (j.is_structured()) {
    for (json& v : j) scale_some(v, rng);
  } else if (j.is_number_float() && u(rng) < 0.3) {
    j = j.get<double>() * std::exp((u(rng) - 0.5) * 3);
  }
}

TEST(ResultText, IsTheCompactTextOfTheResultTree) {
  std::vector<json> wells;
  for (const auto& e : fs::directory_iterator(kSource / "examples/wells"))
    wells.push_back(read_json(e.path()));
  const json tables = read_json("tests/wellfile/data/property_tables.json")["tables"];
  std::mt19937_64 rng(42);
  const int descriptors = test_support::open_descriptors();
  auto batch = std::make_unique<wf::WellBatch>();  // keeps one descriptor, on its log
  int computed = 0, emptied = 0, not_numbers = 0, logged = 0, tabled = 0;
  for (int round = 0; round < 25; ++round)
    for (const json& example : wells) {
      json doc = example;
      if (round > 0) scale_some(doc, rng);
      // Some wells give property tables, which the batch must not carry to the next well.
      if (round % 4 == 1) doc["fluid"]["tables"] = tables;
      for (const wf::UnitSystem units : {wf::UnitSystem::field, wf::UnitSystem::metric}) {
        const wf::RunOutcome tree = wf::run_well(doc, units);
        const wf::WellText text = wf::run_well_text(doc, units);
        const wf::WellText batched = batch->run(doc, units);
        ASSERT_EQ(text.problems.size(), tree.problems.size()) << wf::compact_text(doc);
        ASSERT_EQ(batched.problems.size(), tree.problems.size()) << wf::compact_text(doc);
        if (!tree.problems.empty()) continue;
        const std::string want = wf::compact_text(tree.result);
        ASSERT_EQ(text.text, want) << wf::compact_text(doc);
        ASSERT_EQ(batched.text, want) << wf::compact_text(doc);
        ++computed;
        tabled += round % 4 == 1;
        logged += want.find("library log") != std::string::npos;
        emptied += want.find("below 0 psi gauge") != std::string::npos;
        not_numbers += want.find("not numbers") != std::string::npos;
      }
    }
  EXPECT_GE(computed, 500);
  EXPECT_GT(emptied, 0);
  EXPECT_GT(not_numbers, 0);
  EXPECT_GT(logged, 0);
  EXPECT_GT(tabled, 20);
  batch.reset();
  EXPECT_EQ(test_support::open_descriptors(), descriptors);
}

}  // namespace
