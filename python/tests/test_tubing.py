"""Tubing from Python: a traverse of a published case, a point gradient of a
textbook example, and the errors of wells that cannot be traversed."""

import math
import os

import pytest

import dlv

WELLS = os.path.join(os.path.dirname(__file__), "..", "..", "tests", "wellfile", "tubing_wells")


def test_guo_hagedorn_brown_spreadsheet_from_python():
    # Guo et al. (2007): 3127 psia published at 9700 ft; pressures are psi gauge here.
    trav = dlv.traverse(os.path.join(WELLS, "guo_hagedorn_brown.json"), rate=758)
    assert trav.lifted and len(trav.pressure) == 30
    assert abs(trav.bottomhole_pressure - (3127 - 14.7)) < 1.0
    assert trav.pressure[0] == pytest.approx(185.3)
    assert trav.measured_depth[-1] == pytest.approx(9700)
    assert set(trav.flow_pattern) <= {"slug", "bubble"}


def test_takacs_beggs_brill_point():
    # Takacs, Gas Lift Manual: 0.170 psi/ft, intermittent flow, no Payne correction.
    g = dlv.tubing_gradient("beggs_brill", inside_diameter=2.441, roughness=0.0006,
                            inclination=90, superficial_liquid_velocity=0.79,
                            superficial_gas_velocity=1.93, liquid_density=49.9, gas_density=1.79,
                            liquid_viscosity=3, gas_viscosity=0.02, surface_tension=8,
                            pressure=361.3, payne=False)
    assert g.ok and g.flow_pattern == "intermittent"
    assert g.total == pytest.approx(0.170, abs=0.0005)
    assert g.holdup == pytest.approx(0.465, abs=0.001)
    assert g.no_slip_holdup == pytest.approx(0.290, abs=0.001)


def test_bad_points_and_wells_raise():
    with pytest.raises(ValueError):
        dlv.tubing_gradient("cullender_smith", inside_diameter=2, roughness=0, inclination=90,
                            superficial_liquid_velocity=1, superficial_gas_velocity=1,
                            liquid_density=50, gas_density=1, liquid_viscosity=1,
                            gas_viscosity=0.01, surface_tension=20, pressure=500)
    bad = dlv.tubing_gradient("gray", inside_diameter=2, roughness=0, inclination=90,
                              superficial_liquid_velocity=1, superficial_gas_velocity=math.nan,
                              liquid_density=50, gas_density=1, liquid_viscosity=1,
                              gas_viscosity=0.01, surface_tension=20, pressure=500)
    assert not bad.ok
    well = {"mode": "oil_production", "method": "pi_line", "well": {"productivity_index": 1},
            "fluid": {"fluid_type": "none"}, "layers": [{"reservoir_pressure": 2000}]}
    with pytest.raises(dlv.WellError) as err:
        dlv.traverse(well, rate=100)
    assert err.value.path == "tubing"
