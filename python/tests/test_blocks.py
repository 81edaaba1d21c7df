"""The host's view: block sizes, named fields at their documented positions, dlv_cal."""

import csv
import pathlib

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


def _write(row):
    """A row of data/block_writes.csv: the index (blank for a property, layer and point, or
    table, pressure and temperature), the value and the byte offset the layout documents."""
    index = tuple(int(i) for i in row["index"].split())
    value = (float if row["stored"] == "<f8" else int)(row["value"])
    return (row["block"], row["field"], index[0] if len(index) == 1 else index or None, value,
            eval(row["offset"], {}), row["stored"])


with open(pathlib.Path(__file__).parent / "data" / "block_writes.csv", newline="") as f:
    WRITES = [_write(row) for row in csv.DictReader(f)]


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
    np.testing.assert_array_equal([b.summary.rate, b.summary.pressure],
                                  [quick.rate, quick.pressure])
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
