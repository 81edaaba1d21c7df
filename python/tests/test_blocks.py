"""The host's view: block sizes, named fields at their documented positions, dlv_cal."""

import numpy as np
import pytest

import dlv

SIZES = dict(fluids=1426, tables=5625, separator=2, layer_curves=3750, well=2008, completion=402,
             completion_curves=3750, traverse_curves=3750, traverse=1611, summary=150, results=250)


def test_twelve_blocks_of_their_exact_sizes():
    arrays = dlv.Blocks().arrays()
    assert len(arrays) == 12 and (arrays[5].dtype, arrays[5].size) == (np.int32, 1)
    for name, size in SIZES.items():
        block = getattr(dlv.Blocks(), name).array
        assert (block.dtype, block.size) == (np.float64, size), name


# (block, field, index or None for a property, value, documented byte offset, stored type)
WRITES = [
    ("well", "reservoir_pressure", 0, 2400.0, 303 * 8, "<f8"),
    ("well", "method_code", None, 7, 0, "<i4"),
    ("well", "ratetest_row_count", None, 9, 2007 * 8, "<i4"),
    ("well", "backpressure_c_given", None, 1, 2007 * 8 + 4, "u1"),
    ("fluids", "bubble_point_given", 3, 1, 875 * 8 + 12, "<i4"),
    ("fluids", "viscosity_correlation", 49, 2, 1175 * 8 + 196, "<i4"),
    ("separator", "separator_temperature", None, 60.0, 8, "<f8"),
    ("completion", "perforation_length", 1, 12.0, 353 * 8, "<f8"),
    ("traverse", "suppress_fluid_errors", None, 1, 2737 * 4, "<i4"),
    ("tables", "use_table", 6, 1, 5620 * 8 + 24, "<i4"),
    ("layer_curves", "pressure", (2, 7), 1.0, (1250 + 2 * 25 + 7) * 8, "<f8"),  # layer, point
    ("completion_curves", "drawdown", (49, 24), 2.0, (2500 + 49 * 25 + 24) * 8, "<f8"),
    ("tables", "values", (3, 4, 5), 3.0, (3 * 562 + 60 + 4 * 10 + 5) * 8, "<f8"),  # table, p, T
    ("tables", "pressure_count", 1, 6, (562 + 560) * 8 + 4, "<i4"),  # table 1's second count
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
    raw = view.array.view(np.uint8)
    width = np.dtype(stored).itemsize
    assert raw[offset:offset + width].view(stored)[0] == pytest.approx(value)
    # Nothing else in the block changed.
    raw[offset:offset + width] = 0
    assert not raw.any()
    b.well.skin = np.arange(50.0)  # a whole field at once
    assert b.well.array[253 + 49] == 49.0
    with pytest.raises(AttributeError):
        b.well.no_such_field = 1


def _vogel_blocks(bubble_point):
    b = dlv.Blocks()
    b.mode, b.well.method_code, b.well.layer_count, b.well.test_count = 0, 2, 1, 1
    b.well.reservoir_pressure[0], b.well.test_rate[0], b.well.test_pressure[0] = 2400, 1000, 1800
    b.fluids.bubble_point[0], b.fluids.bubble_point_given[0] = bubble_point, 1
    return b


def test_calculate_writes_results_and_log_into_what_it_is_given(tmp_path):
    b = _vogel_blocks(1900)
    assert b.calculate() == 1
    quick = dlv.vogel(2400, 1000, 1800, 1900)
    np.testing.assert_array_equal(b.summary.rate, quick.rate)
    np.testing.assert_array_equal(b.summary.pressure, quick.pressure)
    np.testing.assert_array_equal(b.layer_curves.rate[0], quick.rate)
    assert not b.layer_curves.rate[1:].any()
    b.fluids.fluid_type = 1
    b.fluids.api_gravity[0] = 200  # out of range: the correlations log it
    b.calculate(log_path=str(tmp_path / "dlv.log"))
    assert (tmp_path / "dlv.log").read_bytes().endswith(b"\r\n")
    # A read-only block is refused before anything is written.
    b = _vogel_blocks(1900)
    b.summary.array.flags.writeable = False
    with pytest.raises(ValueError, match="read-only"):
        b.calculate()
    assert not b.layer_curves.array.any()
    assert not b.summary.array.any()
