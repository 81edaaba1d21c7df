"""Operating points from Python: Guo's spreadsheet point, a family over the
wellhead pressure, a well that does not flow, refusals and the pictures."""

import os

import numpy as np
import pytest

import dlv
from dlv.__main__ import main

SOURCE = os.path.join(os.path.dirname(__file__), "..", "..")
GUO = os.path.join(SOURCE, "tests", "wellfile", "tubing_wells", "guo_hagedorn_brown.json")
EXAMPLES = os.path.join(SOURCE, "examples", "wells")


def test_guo_hagedorn_brown_point_on_both_curves():
    # Guo et al. (2007): 758 STB/d at 3127 psia with 200 psia at the wellhead.
    point = dlv.nodal(GUO)
    assert point.flows and point.converged
    assert point.rate == pytest.approx(758, rel=0.005)
    assert point.bottomhole_pressure + 14.7 == pytest.approx(3127, rel=0.005)
    assert abs(point.residual) < 0.01
    # The straight line of the well: 3985.3 psig less q / 0.8683.
    assert point.bottomhole_pressure == pytest.approx(3985.3 - point.rate / 0.8683, abs=0.01)
    assert point.oil_rate == pytest.approx(0.9 * point.rate)
    assert point.traverse["pressure"][-1] == pytest.approx(point.bottomhole_pressure, abs=0.01)
    assert isinstance(point.tubing_pressure, np.ndarray) and len(point.tubing_rate) == 38


def test_family_and_no_flow():
    points = dlv.nodal(GUO, vary={"wellhead_pressure": [100, 400, 2400]})
    assert [p.value for p in points] == [100, 400, 2400]
    assert points[0].rate > points[1].rate > 0
    # The liquid column alone outweighs the reservoir from 2400 psig at the wellhead.
    assert not points[2].flows and points[2].rate == 0 and points[2].traverse is None
    assert "does not flow" in points[2].message


@pytest.mark.parametrize("vary, words", [
    ({"choke": [1]}, "unknown field"),
    ({"water_cut": [1.5]}, "water_cut"),
    ({"wellhead_pressure": [-1]}, "psi gauge"),
])
def test_refusals(vary, words):
    with pytest.raises(dlv.WellError, match=words):
        dlv.nodal(GUO, vary=vary)
    with pytest.raises(dlv.WellError, match="tubing"):
        dlv.nodal(os.path.join(EXAMPLES, "pi_line_oil.json"))


def test_pictures(tmp_path):
    single = tmp_path / "nodal.png"
    dlv.nodal(os.path.join(EXAMPLES, "nodal_oil.json")).plot(path=str(single))
    assert single.stat().st_size > 10000
    family = tmp_path / "family.png"
    dlv.plot_nodal(dlv.nodal(GUO, vary={"inside_diameter": [1.5, 1.995, 2.441]}),
                   path=str(family))
    assert family.stat().st_size > 10000
    cli = tmp_path / "cli.png"
    assert main(["nodal", GUO, "--vary", "wellhead_pressure=100,300", "-o", str(cli)]) == 0
    assert cli.stat().st_size > 10000
    assert main(["nodal", os.path.join(EXAMPLES, "pi_line_oil.json"), "-o", str(cli)]) == 2


def test_metric_operating_point_is_the_field_one_converted():
    # 1 psi = 0.06894757293168 bar; 1 STB = 0.158987294928 m3.
    well = os.path.join(EXAMPLES, "nodal_gas.json")
    field, metric = dlv.nodal(well), dlv.nodal(well, units="metric")
    assert metric.units["rate"] == "sm3/d" and metric.units["bottomhole_pressure"] == "bar gauge"
    assert metric.bottomhole_pressure == pytest.approx(field.bottomhole_pressure * 0.06894757293168,
                                                       rel=1e-9)
