"""Tubing from Python: a published traverse and point gradient, operating points and lift
tables (Guo's spreadsheet point among them) on one process, two and an executor, the deck
file, the pictures, units and the refusals of bad points, wells and axes."""

import concurrent.futures
import json
import math
import pathlib
import re

import numpy as np
import pytest

import dlv
from dlv.__main__ import main
from conftest import BAR_PER_PSI, GUO, TUBING_WELLS, example

# Takacs, Gas Lift Manual: a point of 0.170 psi/ft in intermittent flow by Beggs and Brill.
TAKACS = json.loads((pathlib.Path(__file__).parent / "data" / "takacs_point.json").read_text())


def test_published_point_and_bad_points_and_wells():
    g = dlv.tubing_gradient("beggs_brill", **TAKACS, payne=False)  # no Payne correction
    assert g.ok and g.flow_pattern == "intermittent"
    assert (g.total, g.holdup, g.no_slip_holdup) == pytest.approx((0.170, 0.465, 0.290), abs=6e-4)
    with pytest.raises(ValueError):  # a gas correlation for a point with liquid
        dlv.tubing_gradient("cullender_smith", **TAKACS)
    assert not dlv.tubing_gradient("gray", **{**TAKACS, "superficial_gas_velocity": math.nan}).ok
    with pytest.raises(dlv.WellError) as err:  # a well without tubing
        dlv.traverse(example("pi_line_oil"), rate=100)
    assert err.value.path == "tubing"


def test_guo_point_a_family_and_a_well_that_does_not_flow():
    # Guo et al. (2007)'s published point (the C++ suites check its values) with 200 psia
    # at the wellhead, on the well's straight line of 3985.3 psig less q / 0.8683.
    trav = dlv.traverse(GUO, rate=758)
    assert trav.lifted and trav.measured_depth[-1] == pytest.approx(9700)
    assert trav.pressure[0] == pytest.approx(185.3)
    point = dlv.nodal(GUO)
    assert point.flows and point.converged and abs(point.residual) < 0.01
    assert point.bottomhole_pressure == pytest.approx(3985.3 - point.rate / 0.8683, abs=0.01)
    assert point.oil_rate == pytest.approx(0.9 * point.rate)  # water cut 0.1
    assert point.traverse["pressure"][-1] == pytest.approx(point.bottomhole_pressure, abs=0.01)
    assert isinstance(point.tubing_pressure, np.ndarray) and len(point.tubing_rate) == 38
    points = dlv.nodal(GUO, vary={"wellhead_pressure": [100, 400, 2400]})
    assert [p.value for p in points] == [100, 400, 2400]
    assert points[0].rate > points[1].rate > 0
    # The liquid column alone outweighs the reservoir from 2400 psig at the wellhead.
    assert not points[2].flows and points[2].rate == 0 and points[2].traverse is None
    assert "does not flow" in points[2].message


@pytest.mark.parametrize("well, vary, words", [
    (GUO, {"choke": [1]}, "unknown field"),
    (example("pi_line_oil"), None, "tubing"),
])
def test_refusals(well, vary, words):
    with pytest.raises(dlv.WellError, match=words):
        dlv.nodal(well, vary=vary)


def test_pictures(tmp_path):
    dlv.nodal(example("nodal_oil")).plot(path=str(tmp_path / "one.png"))
    dlv.plot_nodal(dlv.nodal(GUO, vary={"inside_diameter": [1.5, 1.995, 2.441]}),
                   path=str(tmp_path / "family.png"))
    assert main(["nodal", GUO, "--vary", "wellhead_pressure=100,300", "-o",
                 str(tmp_path / "cli.png")]) == 0
    for name in ("one", "family", "cli"):
        assert (tmp_path / f"{name}.png").stat().st_size > 10000
    assert main(["nodal", str(example("pi_line_oil")), "-o", str(tmp_path / "no.png")]) == 2


def test_metric_operating_point_is_the_field_one_converted():
    field, metric = dlv.nodal(example("nodal_gas")), dlv.nodal(example("nodal_gas"), units="metric")
    assert metric.units["bottomhole_pressure"] == "bar gauge"
    assert metric.bottomhole_pressure == pytest.approx(field.bottomhole_pressure * BAR_PER_PSI)


INJECTOR = str(TUBING_WELLS / "water_injector.json")
# Guo's Hagedorn-Brown well at its published point (758 STB/d, 200 psia,
# water cut 0.1, GOR 83.3 scf/STB) among other axis values; 200 000 STB/d is
# beyond what the tubing carries and is filled.
GUO_AXES = dict(rates=[500, 758, 200000], wellhead_pressures=[200, 400, 600],
                water_cuts=[0.1, 0.3], gors=[83.333333333333 / 1000, 0.5])


def test_published_point_sits_at_its_index_in_every_view(tmp_path):
    t = dlv.vfp_table(GUO, **GUO_AXES)
    two = dlv.vfp_table(GUO, processes=2, **GUO_AXES)  # the table of one process
    assert np.array_equal(t.bhp, two.bhp) and (t.filled, t.falls) == (two.filled, two.falls)
    assert t.bhp.shape == (3, 2, 2, 1, 3)
    # Guo et al. (2007), Hagedorn-Brown spreadsheet: 3127 psia at 9700 ft.
    assert t.bhp[0, 0, 0, 0, 1] == pytest.approx(3127, abs=1.0)
    assert t.datum_depth == 9700
    assert sorted({i[4] for i in t.filled}) == [2] and len(t.filled) == 12
    t.write(tmp_path / "table.inc", table_number=7)
    text = (tmp_path / "table.inc").read_text()
    assert "VFPPDIMS 3 3 2 2 1 7" in text
    rows = re.findall(r"^\s+(\d+) (\d+) (\d+) (\d+) ", text, flags=re.M)
    assert len(rows) == 12 and rows[-1] == ("3", "2", "2", "1")
    ax = t.plot(water=1, gas=1)
    assert len([line for line in ax.get_lines() if line.get_label().startswith("THP")]) == 3
    da = pytest.importorskip("xarray") and t.to_xarray()
    assert float(da.sel(wellhead_pressure=200, water=0.1, rate=758).isel(gas=0, lift=0)) == (
        t.bhp[0, 0, 0, 0, 1])


def test_many_wells_through_an_executor():
    bad = json.load(open(GUO))
    del bad["tubing"]
    wells = [GUO, INJECTOR, bad]
    axes = dict(rates=[500, 1000, 3000], wellhead_pressures=[200, 1500, 2500])
    here = dlv.vfp_tables(wells, errors="return", **axes)
    with concurrent.futures.ProcessPoolExecutor(2) as pool:
        pooled = dlv.vfp_tables(wells, executor=pool, errors="return", **axes)
    for a, b in zip(here[:2], pooled[:2]):
        assert np.array_equal(a.bhp, b.bhp)
    for tables in (here, pooled):
        assert isinstance(tables[2], dlv.WellError) and tables[2].path == "tubing"
    with pytest.raises(dlv.WellError):
        dlv.vfp_tables(wells, **axes)


@pytest.mark.parametrize("axes, path, words", [
    (dict(rates=[1000, 500], wellhead_pressures=[200, 400]), "rates[1]", "below"),
    (dict(rates=[500, 1000], wellhead_pressures=[200, 400], gors=[500, 800]), "gors[0]",
     "thousand"),
    (dict(rates=[500, float("nan")], wellhead_pressures=[200, 400]), "rates[1]", "finite"),
])
def test_bad_axes_raise_with_their_path(axes, path, words):
    with pytest.raises(dlv.WellError) as err:
        dlv.vfp_table(GUO, **axes)
    assert any(p == path and words in m for p, m, _ in err.value.problems), err.value
    with pytest.raises(ValueError, match="one of"):
        dlv.vfp_table(GUO, rates=[1, 2], wellhead_pressures=[200, 400], gors=[0.1], glrs=[0.1])
