// The example wells against their golden outputs (1e-12 relative), the
// checked-in schema against the generated one, and the dlv command's exit
// statuses. tools/regen_wellfile_golden.sh regenerates the golden files.
#include <gtest/gtest.h>

#include <sstream>

#include "dlv/dlv.h"
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
  std::ifstream in(kSource / "docs/fields.md");
  std::stringstream ss;
  ss << in.rdbuf();
  EXPECT_EQ(ss.str(), wf::fields_reference_markdown());
}

TEST(DlvCommand, ExitStatuses) {
  const std::string wells = (kSource / "examples/wells").string();
  const fs::path tmp = fs::temp_directory_path() / "dlv_cli_test";
  fs::create_directories(tmp);
  {
    std::ofstream(tmp / "malformed.json") << "{\"mode\": \"oil_production\",\n \"layers\": [}";
    std::ofstream(tmp / "bad.json")
        << R"({"mode": "oil_production", "method": "pi_line", "fluid": {"fluid_type": "none"},
      "layers": [{"reservoir_pressure": 40000}], "wel": {}})";
    std::ofstream(tmp / "overflow.json") << R"({"mode": "oil_production", "method": "pi_line",
      "layers": [{"reservoir_pressure": 1e400}]})";
    fs::create_directories(tmp / "dir.json");
    // Vogel with water cut 1: the maximum oil rate is floored.
    std::ofstream(tmp / "floored.json") << R"({"mode": "oil_production", "method": "vogel",
      "fluid": {"fluid_type": "none"},
      "layers": [{"reservoir_pressure": 2000, "bubble_point": 2000, "water_cut": 1}],
      "tests": [{"test_rate": 500, "test_pressure": 1500}]})";
  }
  struct Case {
    std::string args;
    int status;
    std::string output;  // part of the output
  };
  const Case cases[] = {
      {"run " + wells + "/vogel_oil.json", 0, "pressure [psi gauge]"},
      {"run " + wells + "/two_layer_gas.json --format csv", 0,
       "curve,layer,point,rate_mscf_per_d,pressure_psig,drawdown_psi,"},
      {"run " + wells + "/two_layer_gas.json --format sections", 0, "liquid_gas_ratio [bbl/Mscf]"},
      {"run " + wells + "/two_test_oil.json", 0,
       "layers[0].reservoir_pressure: 2500 \u2192 2559.440491 psi gauge"},
      {"run " + (tmp / "malformed.json").string(), 2, "malformed JSON at line 2, column 13"},
      {"run " + (tmp / "bad.json").string(), 2, "did you mean \"well\""},
      {"run " + (tmp / "bad.json").string(), 2, "nothing computed (3 problems)"},
      {"run " + (tmp / "missing.json").string(), 1, "cannot read the file"},
      {"run " + (tmp / "dir.json").string(), 1, "is a directory, not a well file"},
      {"blocks " + (tmp / "dir.json").string(), 1, "is a directory"},
      {"run " + (tmp / "overflow.json").string(), 2, "unreadable JSON"},
      {"run " + (tmp / "overflow.json").string(), 2, "nothing computed (1 problem)"},
      {"run " + wells + "/vogel_oil.json --format xml", 2, "--format"},
      {"frobnicate", 2, ""},
      {"vogel --reservoir-pressure 2400 --test-rate 1000 --test-pressure 1800 --bubble-point "
       "1900 --format json",
       0, "\"format_version\": 1"},
      {"vogel --reservoir-pressure 2400 --test-rate 1000 --test-pressure 2500", 2,
       "test_pressure: value 2500 is out of range"},
      {"pi --reservoir-pressure 3000 --productivity-index 2.5 --format csv", 0,
       "well,,24,7500,0\n"},
      {"schema", 0, "https://json-schema.org/draft/2020-12/schema"},
      {"blocks " + wells + "/backpressure_gas.json", 0, "test_count (int32, byte 3256)"},
      {"blocks " + wells + "/backpressure_gas.json", 0, "test_rate[3]"},
      {"run " + (tmp / "floored.json").string(), 3, "computed with fall-backs (exit status 3"},
      {"run " + (tmp / "floored.json").string() + " --allow-fallbacks", 0, "floored at 0.01 STB/d"},
      {"run - < " + wells + "/pi_line_oil.json", 0, "method pi_line"},
      {"run " + wells + "/pi_line_oil.json " + wells + "/vogel_oil.json", 0,
       "==> " + wells + "/vogel_oil.json <=="},
      {"run " + wells + "/pi_line_oil.json " + (tmp / "bad.json").string(), 2, "==> "},
      {"vogel --reservoir-pressure 2400 --test-rate 1000 --test-pressure 1800", 0,
       "taken at the reservoir pressure"},
      {"--version", 0, DLV_VERSION_STRING},
  };
  for (const Case& c : cases) {
    const Command r = run_dlv(c.args);
    EXPECT_EQ(r.status, c.status) << c.args << "\n" << r.out;
    EXPECT_NE(r.out.find(c.output), std::string::npos) << c.args << "\n" << r.out;
  }
  for (const std::string& args :
       {std::string("pi --reservoir-pressure 3000 --productivity-index 2.5"), std::string("schema"),
        "run " + wells + "/vogel_oil.json", "blocks " + wells + "/vogel_oil.json"}) {
    const Command full = run_dlv(args, "2>&1 >/dev/full");
    EXPECT_EQ(full.status, 1) << args << "\n" << full.out;
    EXPECT_NE(full.out.find("cannot write to standard output"), std::string::npos) << full.out;
  }
  const Command json_out =
      run_dlv("run " + wells + "/darcy_gas.json --format json -o " + (tmp / "out.json").string());
  EXPECT_EQ(json_out.status, 0);
  expect_close(read_json(tmp / "out.json"),
               read_json(kSource / "tests/wellfile/golden/darcy_gas.json"), "");
  // Several wells in JSON: a list in the order given, null for a well not computed.
  const Command list = run_dlv("run " + wells + "/darcy_gas.json " + (tmp / "bad.json").string() +
                                   " --format json -o " + (tmp / "list.json").string(),
                               "2>/dev/null");
  EXPECT_EQ(list.status, 2);
  const json both = read_json(tmp / "list.json");
  ASSERT_EQ(both.size(), 2u);
  expect_close(both[0], read_json(kSource / "tests/wellfile/golden/darcy_gas.json"), "[0]");
  EXPECT_TRUE(both[1].is_null());
  fs::remove_all(tmp);
}
