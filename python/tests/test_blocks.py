"""The host's view: block sizes, named fields at their documented positions, dlv_cal."""

import json

import numpy as np
import pytest

import dlv

SIZES = {
    "fluids": 1426, "tables": 5625, "separator": 2, "layer_curves": 3750, "well": 2008,
    "completion": 402, "completion_curves": 3750, "traverse_curves": 3750, "traverse": 1611,
    "summary": 150, "results": 250,
}


def test_twelve_blocks_of_their_exact_sizes():
    b = dlv.Blocks()
    arrays = b.arrays()
    assert len(arrays) == 12
    assert arrays[5].dtype == np.int32 and arrays[5].size == 1
    for name, size in SIZES.items():
        block = getattr(b, name).array
        assert (block.dtype, block.size) == (np.float64, size), name


def _bytes(block):
    return block.array.view(np.uint8)


# (block, field, index or None for a property, value, documented byte offset, stored type)
WRITES = [
    ("well", "reservoir_pressure", 0, 2400.0, 303 * 8, "<f8"),
    ("well", "test_rate", 1, 750.0, 409 * 8, "<f8"),
    ("well", "ratetest_water_rates", 24, 5.0, 2006 * 8, "<f8"),
    ("well", "method_code", None, 7, 0, "<i4"),
    ("well", "water_injection_method", None, 2, 12, "<i4"),
    ("well", "test_count", None, 5, 407 * 8, "<i4"),
    ("well", "ratetest_row_count", None, 9, 2007 * 8, "<i4"),
    ("well", "backpressure_c_given", None, 1, 2007 * 8 + 4, "u1"),
    ("well", "backpressure_n", None, 0.8, 711 * 8, "<f8"),
    ("fluids", "fluid_type", None, 2, 0, "<i4"),
    ("fluids", "bubble_point_given", 3, 1, 875 * 8 + 12, "<i4"),
    ("fluids", "viscosity_correlation", 49, 2, 1175 * 8 + 196, "<i4"),
    ("separator", "separator_temperature", None, 60.0, 8, "<f8"),
    ("completion", "completion_model", None, 3, 0, "<i4"),
    ("completion", "perforation_length", 1, 12.0, 353 * 8, "<f8"),
    ("traverse", "suppress_fluid_errors", None, 1, 2737 * 4, "<i4"),
    ("tables", "use_table", 6, 1, 5620 * 8 + 24, "<i4"),
    ("results", "flow_regime_flag", 1, 1, 25 * 8 + 4, "<i4"),
]


@pytest.mark.parametrize("block,field,index,value,offset,stored", WRITES)
def test_named_field_writes_its_documented_position(block, field, index, value, offset, stored):
    b = dlv.Blocks()
    view = getattr(b, block)
    if index is None:
        setattr(view, field, value)
        assert getattr(view, field) == pytest.approx(value)
    else:
        getattr(view, field)[index] = value
    raw = _bytes(view)
    width = np.dtype(stored).itemsize
    assert raw[offset:offset + width].view(stored)[0] == pytest.approx(value)
    # Nothing else in the block changed.
    raw[offset:offset + width] = 0
    assert not raw.any()


def test_multidimensional_views_follow_the_block_layout():
    b = dlv.Blocks()
    b.layer_curves.pressure[2, 7] = 1.0            # layer 2, point 7 of the pressure table
    b.completion_curves.drawdown[49, 24] = 2.0
    b.tables.values[3, 4, 5] = 3.0                 # table 3, pressure row 4, temperature 5
    b.tables.pressures[9, 49] = 4.0
    b.tables.pressure_count[1] = 6                 # second int32 of the counts slot of table 1
    b.well.injection_coefficients[2, 1] = 5.0
    b.well.skin = np.arange(50.0)                  # whole-field assignment
    assert b.layer_curves.array[1250 + 2 * 25 + 7] == 1.0
    assert b.completion_curves.array[2500 + 49 * 25 + 24] == 2.0
    assert b.tables.array[3 * 562 + 60 + 4 * 10 + 5] == 3.0
    assert b.tables.array[9 * 562 + 10 + 49] == 4.0
    assert b.tables.array.view(np.int32)[(562 + 560) * 2 + 1] == 6
    assert b.well.array[1548 + 5] == 5.0
    assert b.well.array[253 + 49] == 49.0
    with pytest.raises(AttributeError):
        b.well.no_such_field = 1


def _vogel_blocks(bubble_point):
    b = dlv.Blocks()
    b.mode = 0
    b.well.method_code = 2
    b.well.layer_count = 1
    b.well.test_count = 1
    b.well.reservoir_pressure[0] = 2400
    b.well.test_rate[0] = 1000
    b.well.test_pressure[0] = 1800
    b.fluids.bubble_point[0] = bubble_point
    b.fluids.bubble_point_given[0] = 1
    return b


def test_calculate_writes_results_into_the_blocks():
    b = _vogel_blocks(1900)
    assert b.calculate() == 1
    quick = dlv.vogel(2400, 1000, 1800, 1900)
    np.testing.assert_array_equal(b.summary.rate, quick.rate)
    np.testing.assert_array_equal(b.summary.pressure, quick.pressure)
    np.testing.assert_array_equal(b.layer_curves.rate[0], quick.rate)
    assert not b.layer_curves.rate[1:].any()


def test_a_read_only_block_is_refused_before_anything_is_written():
    b = _vogel_blocks(1900)
    b.summary.array.flags.writeable = False
    with pytest.raises(ValueError, match="read-only"):
        b.calculate()
    assert not b.layer_curves.array.any() and b.summary.array[24] == 0.0


def test_calculate_writes_the_log_file_it_is_given(tmp_path):
    b = _vogel_blocks(1900)
    b.fluids.fluid_type = 1
    b.fluids.api_gravity[0] = 200  # out of range: the correlations log it
    log = tmp_path / "dlv.log"
    b.calculate(log_path=str(log))
    assert log.read_bytes().endswith(b"\r\n")


def _field(blocks, name):
    """The input block view that has a field of this name."""
    inputs = ("fluids", "tables", "separator", "well", "completion", "traverse")
    (view,) = [getattr(blocks, b) for b in inputs if name in type(getattr(blocks, b)).fields]
    return view


def test_fields_named_as_in_the_well_file_fill_what_the_mapping_fills(example_wells):
    path = [p for p in example_wells if p.name == "vogel_oil.json"][0]
    well = json.loads(path.read_text())
    b = dlv.Blocks()
    b.mode, b.well.method_code, b.fluids.fluid_type = 0, 2, 1  # oil production, Vogel, correlations
    b.well.layer_count, b.well.test_count = len(well["layers"]), len(well["tests"])
    b.completion.shot_density_factor = 1.0  # the well file's default
    for group in ("layers", "tests"):
        for k, entry in enumerate(well[group]):
            for name, value in entry.items():
                getattr(_field(b, name), name)[k] = value
    for name, value in well["separator"].items():
        setattr(b.separator, name, value)
    mapped = dlv.Blocks.from_well(path)
    for name, mine, theirs in zip(dlv._blocks.BLOCK_NAMES, b.arrays(), mapped.arrays()):
        np.testing.assert_array_equal(mine, theirs, err_msg=name)
