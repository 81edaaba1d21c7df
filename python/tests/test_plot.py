"""Pictures of the inflow curves."""

import copy
import struct
import subprocess
import sys

import matplotlib
import pytest

import dlv
from dlv._plot import bubble_points, measured_points

from test_wells import VOGEL_WELL


def _png_size(path):
    data = path.read_bytes()
    assert data[:8] == b"\x89PNG\r\n\x1a\n"
    return struct.unpack(">II", data[16:24])


def test_plot_draws_layers_tests_and_bubble_point():
    assert matplotlib.get_backend().lower() == "agg"
    well = copy.deepcopy(VOGEL_WELL)
    well["layers"][0]["bubble_point"] = 1900
    r = dlv.calculate(well)
    ax = r.plot()
    labels = [line.get_label() for line in ax.get_lines()]
    assert "inflow curve" in labels and "test points" in labels
    assert any(label.startswith("bubble point") for label in labels)
    assert "STB/d" in ax.get_xlabel() and "psi" in ax.get_ylabel()
    rates, pressures = measured_points(r)
    assert list(rates) == [1000] and list(pressures) == [1800]
    assert bubble_points(r) == [(0, 1900)]


def test_no_bubble_point_line_above_the_reservoir_pressure():
    r = dlv.calculate(VOGEL_WELL)  # the correlations put it above 2400 psig
    assert r.fluid_properties.bubble_point[0] > 2400
    assert bubble_points(r) == []


def test_no_bubble_point_for_a_straight_line():
    well = {k: v for k, v in VOGEL_WELL.items() if k != "tests"}
    well["method"] = "pi_line"
    well["well"] = {"productivity_index": 1.5}
    assert bubble_points(dlv.calculate(well)) == []


@pytest.mark.parametrize("several", [False, True])
def test_command_writes_pngs_of_the_right_size(tmp_path, example_wells, several):
    wells = example_wells if several else example_wells[:1]
    out = tmp_path / "plots" if several else tmp_path / "ipr.png"
    subprocess.run([sys.executable, "-m", "dlv", "plot", *map(str, wells), "-o", str(out)],
                   check=True, capture_output=True)
    for png in [out / f"{w.stem}.png" for w in wells] if several else [out]:
        assert png.stat().st_size > 10_000
        assert _png_size(png) == (800, 550)


def test_command_reports_a_bad_well(tmp_path):
    bad = tmp_path / "bad.json"
    bad.write_text('{"mode": "oil_production"}')
    run = subprocess.run([sys.executable, "-m", "dlv", "plot", str(bad), "-o",
                          str(tmp_path / "x.png")], capture_output=True, text=True)
    assert run.returncode == 2 and str(bad) in run.stderr
    assert not (tmp_path / "x.png").exists()
