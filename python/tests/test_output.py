"""What a result says: one tidy table, empty where nothing is described, pictures that answer."""

import copy
import io
import subprocess
import sys

import numpy as np
import pytest

import dlv
from test_plot import _png_size
from test_wells import VOGEL_WELL


def _run(dlv_command, path, fmt):
    return subprocess.run([dlv_command, "run", str(path), "--format", fmt],
                          capture_output=True, text=True, check=True)


# Columns by hand from the units of each mode: the layer curve's rate, pressure and drawdown,
# the completion loss where a completion model runs, then the well curve's fluid columns.
TIDY_COLUMNS = {
    "three_layer_oil": ["curve", "layer", "point", "rate_stb_per_d", "pressure_psig",
                        "drawdown_psi", "water_cut_fraction", "gas_oil_ratio_scf_per_stb",
                        "water_sg"],
    "perforated_gas": ["curve", "layer", "point", "rate_mscf_per_d", "pressure_psig",
                       "drawdown_psi", "completion_loss_psi", "water_cut_fraction",
                       "producing_gor_scf_per_stb", "water_sg"],
}


@pytest.mark.parametrize("name", sorted(TIDY_COLUMNS))
def test_csv_is_one_table_pandas_reads_in_one_call(dlv_command, name):
    pd = pytest.importorskip("pandas")
    path = next(p for p in _wells() if p.stem == name)
    text = _run(dlv_command, path, "csv").stdout
    assert text.isascii()
    frame = pd.read_csv(io.StringIO(text))
    assert list(frame.columns) == TIDY_COLUMNS[name]
    curves = frame.groupby("curve", sort=False).size()
    layers = 3 if name == "three_layer_oil" else 1
    completion = 1 if name == "perforated_gas" else 0
    assert dict(curves) == {"layer": 25 * layers, **({"completion": 25} if completion else {}),
                            "well": 25}
    well = frame[frame.curve == "well"]
    assert well.layer.isna().all()
    # Nothing to describe is empty: the completion columns on other curves, the well
    # curve's drawdown of a multilayer well, a water gravity where there is no water.
    if completion:
        assert frame[frame.curve != "completion"].completion_loss_psi.isna().all()
        assert np.isnan(frame[frame.curve == "completion"].pressure_psig.iloc[24])
    else:
        assert well.drawdown_psi.isna().all()
        assert np.isnan(well.water_sg.iloc[0]) and well.water_cut_fraction.iloc[0] == 0
    # Python's table is the command's table.
    result = dlv.calculate(path)
    pd.testing.assert_frame_equal(result.to_dataframe(), frame.astype({"layer": "Int64"}),
                                  check_dtype=False)


def _wells():
    from conftest import SOURCE_DIR

    return sorted((SOURCE_DIR / "examples" / "wells").glob("*.json"))


def test_numbers_are_written_in_their_shortest_round_trip_form(dlv_command):
    # 0.72 is not exactly representable; %.17g would write 0.71999999999999997.
    text = subprocess.run([dlv_command, "pi", "--reservoir-pressure", "1000",
                           "--productivity-index", "0.72", "--format", "csv"],
                          capture_output=True, text=True, check=True).stdout
    assert "well,,24,720,0\n" in text and "9999999" not in text


def test_layer_drawdown_is_the_reservoir_pressure_minus_the_printed_pressure():
    path = next(p for p in _wells() if p.stem == "three_layer_oil")
    r = dlv.calculate(path)
    pr = np.array([layer["reservoir_pressure"] for layer in r.well["layers"]])
    np.testing.assert_allclose(r.drawdown, pr[:, None] - r.pressure, rtol=0, atol=1e-9)


FLUID_NONE = {
    "mode": "oil_production", "method": "pi_line", "fluid": {"fluid_type": "none"},
    "layers": [{"reservoir_pressure": 2000}], "well": {"productivity_index": 1.0},
}

# (well, layer, property, described?): which properties a layer has something to say about.
MEANINGFUL = [
    ("darcy_gas", 0, "gas_z_factor", True),
    ("darcy_gas", 0, "water_sg", False),  # a gas well without water
    ("darcy_gas", 0, "oil_viscosity", False),
    ("three_layer_oil", 1, "gas_z_factor", False),  # gas computed for layer 0 only
    ("three_layer_oil", 1, "bubble_point", True),
    ("water_injection", 0, "water_viscosity", True),
    ("water_injection", 0, "oil_sg", False),
    ("vogel", 0, "water_sg", True),  # water cut 0.2
    ("vogel", 0, "solution_gor", True),
    ("none", 0, "oil_sg", False),  # no API gravity: 141.5/131.5 would describe nothing
    ("none", 0, "water_viscosity", False),
    ("none", 0, "oil_fraction", True),
]


@pytest.mark.parametrize("well,layer,name,described", MEANINGFUL)
def test_properties_with_nothing_to_describe_are_empty(well, layer, name, described):
    source = {"vogel": VOGEL_WELL, "none": FLUID_NONE}.get(well)
    if source is None:
        source = next(p for p in _wells() if p.stem == well)
    r = dlv.calculate(source)
    value = r.document["layers"][layer]["fluid_properties"][name]
    assert (value is not None) == described
    assert np.isnan(r.fluid_properties[name][layer]) == (not described)


def test_table_prints_a_dash_and_completion_pressures_below_zero_are_reported(dlv_command):
    path = next(p for p in _wells() if p.stem == "perforated_gas")
    table = _run(dlv_command, path, "table").stdout
    assert "water_sg [water=1]: \u2014" in table
    assert "layers[0].completion_curve: 1 point below 0 psi gauge (lowest -9.5 psi gauge)" in table
    doc = dlv.calculate(path).document
    assert doc["layers"][0]["completion_curve"]["pressure"][24] is None
    assert doc["well_curve"]["pressure"][24] is None


def _legend(ax):
    return [t.get_text().replace("\n", " ") for t in ax.get_legend().get_texts()]


def test_plot_labels_the_aof_and_keeps_the_legend_off_the_curves():
    pytest.importorskip("matplotlib")
    well = {k: v for k, v in VOGEL_WELL.items() if k != "tests"}
    well.update(method="pi_line", well={"productivity_index": 2.5})
    well["layers"] = [dict(well["layers"][0], reservoir_pressure=3000)]
    ax = dlv.calculate(well).plot()
    texts = [t.get_text() for t in ax.texts]
    assert "AOF 7,500 STB/d" in texts  # 2.5 STB/d/psi x 3000 psi
    fig = ax.figure
    fig.canvas.draw()
    legend = ax.get_legend().get_window_extent()
    assert legend.x0 >= ax.get_window_extent().x1


def test_plot_explains_a_bubble_point_it_does_not_draw():
    ax = dlv.calculate(VOGEL_WELL).plot()  # the correlations put it above 2400 psig
    assert any("\u2265 reservoir pressure" in label for label in _legend(ax))


def test_injection_plot_starts_where_the_curve_does_and_marks_its_pressures():
    path = next(p for p in _wells() if p.stem == "water_injection")
    ax = dlv.calculate(path).plot()
    assert ax.get_xlim()[0] == 0
    assert 2000 < ax.get_ylim()[0] < 2500  # reservoir pressure 2500 psig
    labels = _legend(ax)
    assert "reservoir pressure (2500 psig)" in labels and "break pressure (4000 psig)" in labels
    assert any(t.get_text().startswith("max 20,000 STB/d") for t in ax.texts)


def test_command_draws_several_wells_on_one_chart_or_none(tmp_path):
    wells = [str(p) for p in _wells() if p.stem in ("vogel_oil", "pi_line_oil")]
    out = tmp_path / "out.png"
    run = subprocess.run([sys.executable, "-m", "dlv", "plot", *wells, "-o", str(out)],
                         capture_output=True, text=True)
    assert run.returncode == 0, run.stderr
    assert out.is_file() and _png_size(out) == (800, 550)
    bad = tmp_path / "bad.json"
    bad.write_text('{"mode": "oil_production"}')
    other = tmp_path / "other.png"
    run = subprocess.run([sys.executable, "-m", "dlv", "plot", wells[0], str(bad), "-o",
                          str(other)], capture_output=True, text=True)
    assert run.returncode == 2 and "no picture drawn" in run.stderr
    assert not other.exists()
