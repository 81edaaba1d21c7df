// The result document as text: a null prints as a dash in the table and as an
// empty field in both CSV forms; the tidy table names each column by its key
// and unit and writes the shortest text that reads back as the same double.
#include "render.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

#include "wellfile/wellfile.hpp"

namespace wf = dlv::wellfile;
using wf::json;

namespace {

TEST(TidyCsv, ColumnNamesCarryTheirUnitInAscii) {
  const struct {
    const char *key, *unit, *name;
  } cases[] = {
      {"rate", "STB/d", "rate_stb_per_d"},
      {"rate", "Mscf/d", "rate_mscf_per_d"},
      {"pressure", "psi gauge", "pressure_psig"},
      {"drawdown", "psi", "drawdown_psi"},
      {"water_cut", "fraction of liquid", "water_cut_fraction"},
      {"liquid_gas_ratio", "bbl/Mscf", "liquid_gas_ratio_bbl_per_mscf"},
      {"water_sg", "water=1", "water_sg"},
      {"point", "", "point"},
  };
  for (const auto& c : cases) EXPECT_EQ(wf::csv_column_name(c.key, c.unit), c.name) << c.key;
}

// One layer curve and a well curve of 25 points, the rate of point i i * 0.1 as a double holds
// it (0.30000000000000004 at point 3); point 3 of the well's water gravity is null.
json small_result() {
  std::ifstream in(DLV_SOURCE_DIR "/tests/cli/data/small_result.json");
  return json::parse(in);
}

TEST(TidyCsv, OneRowPerPointEmptyWhereNothingIsDescribed) {
  const std::string csv = wf::render_csv(small_result());
  EXPECT_EQ(csv.substr(0, csv.find('\n')),
            "curve,layer,point,rate_stb_per_d,pressure_psig,water_sg");
  // The layer curve has no water_sg; the well curve has no layer.
  EXPECT_NE(csv.find("\nlayer,0,1,0.1,960,\n"), std::string::npos) << csv;
  EXPECT_NE(csv.find("\nwell,,3,0.30000000000000004,880,\n"), std::string::npos) << csv;
  EXPECT_NE(csv.find("\nwell,,4,0.4,840,1.05\n"), std::string::npos) << csv;
  std::size_t lines = 0;
  for (char c : csv) lines += c == '\n';
  EXPECT_EQ(lines, 1u + 2 * 25);
  for (unsigned char c : csv) EXPECT_LT(c, 128);
}

TEST(ResultText, NullIsADashInTheTableAndEmptyInTheSections) {
  const json r = small_result();
  const std::string table = dlv::cli::render_table(r);
  EXPECT_NE(table.find("gas_z_factor: \u2014"), std::string::npos) << table;
  const std::string sections = dlv::cli::render_sections(r);
  EXPECT_NE(sections.find("\n3,0.30000000000000004,880,\n"), std::string::npos) << sections;
  EXPECT_NE(sections.find("\n0,\n"), std::string::npos) << sections;  // layer 0's z
}

}  // namespace
