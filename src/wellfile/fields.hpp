// The one table of named fields: where each lives in the blocks, its unit,
// range and default, and the names of modes, methods and other codes.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "blocks/field_access.hpp"
#include "wellfile/units_table.hpp"

namespace dlv::wellfile {

enum class BlockId { layer_fluids, fluid_tables, separator, well_record, completion, traverse };
const char* block_name(BlockId b);

// Where a field sits in a well file.
enum class Group {
  well,        // "well": scalars and short arrays of the well record
  layer,       // "layers[i]": one element of a per-layer array
  test,        // "tests[i]": one element of a 100-element test array
  rate_test,   // "rate_test": a 25-element column
  fluid,       // "fluid": fluid_type, viscosity_mixing_rule
  separator,   // "separator"
  completion,  // "completion": completion_model, shot_density_factor
  traverse     // "traverse": int32 fields of the traverse record
};

enum class Kind {
  real,     // double at a slot
  integer,  // int32 at a byte offset (per-layer: + 4 per layer)
  named     // int32 at a byte offset, given by name (see NameSet)
};

// When from_blocks writes a field back into a document.
enum class Emit {
  when_not_default,  // its value differs from the default
  always,            // every element the document holds
  when_given,        // its given-flag is set
  // where a back-pressure fit computes it, when its given-flag is set;
  // otherwise when its value differs from the default
  when_given_unless_fitted,
};

// How an array field of "well" is written: a list of elements, or a list of
// [below, above] pairs.
enum class Shape { list, pairs };

// The texts of an array field of pairs (Shape::pairs), each pair read by its own method.
struct PairShape {
  const char* elements;                // what the two numbers of a pair are: "below, above"
  const char* split_by;                // the field dividing them: "break_pressure"
  std::span<const char* const> names;  // what each pair is, in order
};

// A field whose metric unit depends on the value of another field of its object.
struct UnitPartner {
  const char* field;   // "backpressure_n"
  const char* symbol;  // its symbol in the unit text: "n"
};

struct NamedCode {
  const char* name;
  int code;
};

struct Field {
  const char* name;
  Group group;
  BlockId block;
  Kind kind;
  std::size_t pos;    // slot (real) or byte offset (integer, named)
  int count;          // elements of a "well" array field (1 = scalar)
  Quantity quantity;  // its unit in each system, from the units table
  double min, max;
  double default_value;
  const char* meaning;
  std::span<const NamedCode> names = {};  // for Kind::named
  // The mapping between a document and the blocks: how the blocks record
  // that the file gave the field (the flag sits in the field's own block, at
  // given_pos), when from_blocks writes it back, and its array shape.
  GivenFlag given_flag = GivenFlag::none;
  std::size_t given_pos = 0;
  Emit emit = Emit::when_not_default;
  Shape shape = Shape::list;
  // Read by the document checks and the unit conversion: the texts of a
  // pairs field, the field a metric value needs beside it, and whether a
  // method reading tests or the rate test needs the field in each entry.
  const PairShape* pair_shape = nullptr;
  const UnitPartner* unit_partner = nullptr;
  bool every_entry = false;
};

std::span<const Field> all_fields();

// The fields of the C field map that a well file does not name, each with why:
// block and field as in DLV_FIELDS (the two parts of DLV_<BLOCK>_<FIELD>).
struct HostOnlyField {
  const char* block;
  const char* field;
  const char* reason;
};
std::span<const HostOnlyField> host_only_fields();
// The unit text of a field in a unit system ("" for a pure number).
const char* field_unit(const Field& f, UnitSystem s = UnitSystem::field);
// The range of a field in a unit system: the field range converted, for a rate
// in the mode's rate (a code of mode_names(), or -1 for liquid). The
// coefficients whose conversion depends on other values keep their range.
struct FieldRange {
  double min, max;
};
FieldRange field_range(const Field& f, UnitSystem s, int mode = -1);
// The key of a group in a well document ("well", "layers", "tests", ...).
std::string group_key(Group g);
const Field* find_field(Group g, std::string_view name);

// Names of modes and, per mode, of its methods.
std::span<const NamedCode> mode_names();
std::span<const NamedCode> method_names(int mode);
std::span<const NamedCode> table_property_names();
const char* code_name(std::span<const NamedCode> names, int code);         // nullptr when unknown
int name_code(std::span<const NamedCode> names, const std::string& name);  // -1 when unknown

// What one method reads.
struct MethodNeeds {
  int mode, method;
  bool per_layer;  // true: every layer computes a curve; false: one curve from layer 0
  std::vector<const char*> layer_fields;
  std::vector<const char*> well_fields;
  int min_tests;            // entries of "tests"
  int min_rate_rows;        // rows of "rate_test"
  const char* rate_column;  // the rate-test column the mode reads, or nullptr
  // Read by the document checks:
  int pair = -1;                         // the pair of a pairs field the method reads, or -1
  std::vector<const char*> fitted = {};  // well values the method fits when none is given
  int min_tests_fitting = 0;             // tests it needs then
};
const MethodNeeds& method_needs(int mode, int method);

// Layer values a choice of a named field asks for, beside those of the method.
struct ChoiceNeeds {
  Group group;
  const char* choice;      // the named field
  std::vector<int> codes;  // the choices that ask
  int mode;                // the mode they ask in, or -1 for every mode
  bool method_layers;      // only the layers the method computes (else every layer)
  std::vector<const char*> layer_fields;
  std::vector<const char*> either;  // one of these at least; the first is reported
  const char* why;                  // the reason given, or nullptr: "required by CHOICE NAME"
};
std::span<const ChoiceNeeds> choice_needs();

// Unit and range of the values of a fluid table's property. A range whose low
// end is open holds only numbers above it.
struct TableValues {
  const char* property;
  Quantity quantity;
  double min, max;
  bool above_min;
};
// nullptr for a property the tables do not hold.
const TableValues* table_values(const std::string& property);

// Rate unit of a mode: "STB/d" or "Mscf/d".
const char* rate_unit(int mode);

// Slot of element i of a real field, or byte offset for an int32 field.
std::size_t element_pos(const Field& f, int i);

}  // namespace dlv::wellfile
