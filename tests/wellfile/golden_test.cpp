// The example wells against their golden outputs (1e-12 relative), the
// checked-in schema against the generated one, and the dlv command's exit
// statuses. tools/regen_wellfile_golden.sh regenerates the golden files.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "dlv/dlv.h"
#include "wellfile/run_outcome.hpp"
#include "wellfile_support.hpp"

namespace wf = dlv::wellfile;
using namespace wellfile_test;

TEST(ExampleWells, MatchTheirGoldenOutputs) {
  int count = 0;
  for (const auto& e : fs::directory_iterator(kSource / "examples/wells")) {
    SCOPED_TRACE(e.path().filename().string());
    const json doc = read_json(e.path());
    ASSERT_TRUE(doc.contains("description"));
    const wf::RunOutcome out = wf::run_well(doc);
    ASSERT_TRUE(out.problems.empty()) << out.problems[0].text();
    expect_close(out.result, read_json(kSource / "tests/wellfile/golden" / e.path().filename()),
                 "");
    // Every example maps back to itself.
    EXPECT_EQ(wf::to_blocks(wf::from_blocks(wf::to_blocks(doc))).well_record,
              wf::to_blocks(doc).well_record);
    ++count;
  }
  EXPECT_GE(count, 15);
}

TEST(ExampleWells, SchemaFileIsTheGeneratedSchema) {
  EXPECT_EQ(read_json(kSource / "schema/well.schema.json"), wf::well_schema());
}

TEST(ExampleWells, FieldReferencePageIsTheGeneratedOne) {
  EXPECT_EQ(read_text("docs/fields.md"), wf::fields_reference_markdown());
}

TEST(DlvCommand, ExitStatuses) {
  const std::string wells = (kSource / "examples/wells").string();
  const fs::path tmp = fs::temp_directory_path() / "dlv_cli_test";
  fs::create_directories(tmp / "dir.json");
  auto filled = [&](std::string text) {
    for (const auto& [key, value] : {std::pair<std::string, std::string>{"{wells}", wells},
                                     {"{data}", (kSource / "tests/wellfile/data/command").string()},
                                     {"{tmp}", tmp.string()},
                                     {"{version}", DLV_VERSION_STRING}}) {
      for (std::size_t at; (at = text.find(key)) != std::string::npos;)
        text.replace(at, key.size(), value);
    }
    return text;
  };
  for (const json& c : data_file("commands.json")["cases"]) {
    const std::string args = filled(c["args"]), output = filled(c["output"]);
    const Command r = run_dlv(args, c.value("redirect", "2>&1"));
    EXPECT_EQ(r.status, c["status"].get<int>()) << args << "\n" << r.out;
    EXPECT_NE(r.out.find(output), std::string::npos) << args << "\n" << r.out;
  }
  // Several wells in JSON: a list in the order given, null for a well not computed.
  const Command list = run_dlv("run " + wells + "/darcy_gas.json " +
                                   (kSource / "tests/wellfile/data/command/bad.json").string() +
                                   " --format json -o " + (tmp / "list.json").string(),
                               "2>/dev/null");
  EXPECT_EQ(list.status, 2);
  const json both = read_json(tmp / "list.json");
  ASSERT_EQ(both.size(), 2u);
  expect_close(both[0], read_json(kSource / "tests/wellfile/golden/darcy_gas.json"), "[0]");
  EXPECT_TRUE(both[1].is_null());
  fs::remove_all(tmp);
}
