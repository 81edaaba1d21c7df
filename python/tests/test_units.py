"""Unit systems: the library's factors against pint's registry, metric twins of
example wells against their field wells, and the units= keyword."""

import math

import numpy as np
import pytest

import dlv
from dlv import _units

from conftest import SOURCE_DIR

pint = pytest.importorskip("pint")
ureg = pint.UnitRegistry()

# The table's unit texts in pint's words. Gauge and absolute pressures scale
# alike; the acre is the international one (pint's acre is the US survey acre).
PINT = {
    "psi gauge": "psi", "psia": "psi", "psi": "psi",
    "bar gauge": "bar", "bar absolute": "bar", "bar": "bar",
    "degF": "degF", "degC": "degC", "ft": "ft", "m": "m", "in": "inch", "mm": "mm",
    "acre": "43560 * ft**2", "m2": "m**2", "md": "millidarcy", "mD": "millidarcy",
    "darcy": "darcy", "D": "darcy",
    "STB/d": "oil_barrel/day", "Mscf/d": "1000 * ft**3/day", "sm3/d": "m**3/day",
    "scf/STB": "ft**3/oil_barrel", "sm3/sm3": "m**3/m**3",
    "bbl/Mscf": "oil_barrel/(1000 * ft**3)", "bbl/MMscf": "oil_barrel/(1e6 * ft**3)",
    "sm3/1e6 sm3": "m**3/(1e6 * m**3)", "RB/STB": "oil_barrel/oil_barrel", "rm3/sm3": "m**3/m**3",
    "cp": "centipoise", "mPa.s": "mPa*s", "lbm/ft3": "lb/ft**3", "lb/ft3": "lb/ft**3",
    "kg/m3": "kg/m**3", "ft/s": "ft/s", "m/s": "m/s", "psi/ft": "psi/ft", "bar/m": "bar/m",
    "degR": "degR", "K": "K", "lbm/(ft s)": "lb/(ft*s)", "kg/(m s)": "kg/(m*s)",
    "dyn/cm": "dyn/cm", "mN/m": "mN/m", "1/psi": "1/psi", "1/bar": "1/bar",
    "STB/d/psi": "oil_barrel/day/psi", "sm3/d/bar": "m**3/day/bar",
    "shots/ft": "1/ft", "shots/m": "1/m", "d/Mscf": "day/(1000 * ft**3)", "d/sm3": "day/m**3",
    "psi per STB/d": "psi/(oil_barrel/day)", "psi per Mscf/d": "psi/(1000 * ft**3/day)",
    "bar per sm3/d": "bar/(m**3/day)",
}


def test_every_factor_of_the_table_matches_pint():
    checked = 0
    for name, (field, metric, factor, offset) in _units.quantity_table().items():
        if factor == 0 or field == metric:
            continue
        for value in (1.0, 250.0):
            assert value * factor + offset == pytest.approx(
                _pint_to_metric(value, field, metric), rel=1e-12), (name, value)
        checked += 1
    assert checked >= 25


def _pint_to_metric(values, field_unit, metric_unit):
    if field_unit == "degF":
        return ureg.Quantity(np.asarray(values), "degF").to("degC").magnitude
    f, m = ureg(PINT[field_unit]), ureg(PINT[metric_unit])
    return (np.asarray(values) * f.magnitude * f.units).to(m.units).magnitude / m.magnitude


@pytest.mark.parametrize("name, rate", [("vogel_oil", "STB/d"), ("darcy_gas", "Mscf/d")])
def test_metric_twin_gives_the_field_results_converted_by_pint(name, rate):
    wells = SOURCE_DIR / "examples" / "wells"
    field = dlv.calculate(wells / f"{name}.json")
    metric = dlv.calculate(wells / f"{name}_metric.json")
    assert field.units["rate"] == rate and metric.units["rate"] == "sm3/d"
    assert metric.units["pressure"] == "bar gauge"
    np.testing.assert_allclose(metric.rate, _pint_to_metric(field.rate, rate, "sm3/d"),
                               rtol=1e-9)
    np.testing.assert_allclose(metric.pressure,
                               _pint_to_metric(field.pressure, "psi gauge", "bar gauge"),
                               rtol=1e-9, atol=1e-12)
    # Round trip: the metric well asked for field units, the field well for metric.
    back = dlv.calculate(wells / f"{name}_metric.json", units="field")
    np.testing.assert_allclose(back.rate, field.rate, rtol=1e-9)
    np.testing.assert_allclose(back.pressure, field.pressure, rtol=1e-9, atol=1e-9)
    np.testing.assert_allclose(dlv.calculate(wells / f"{name}.json", units="metric").rate,
                               metric.rate, rtol=1e-9)


def test_an_unknown_unit_system_names_the_choices():
    with pytest.raises(ValueError, match="field or metric"):
        dlv.calculate(SOURCE_DIR / "examples" / "wells" / "vogel_oil.json", units="imperial")
    with pytest.raises(ValueError, match="field or metric"):
        dlv.vogel(2400, 1000, 1800, units="SI")
    with pytest.raises(dlv.WellError) as err:
        dlv.calculate({"units": "si", "mode": "oil_production", "method": "pi_line",
                       "well": {"productivity_index": 1}, "layers": [{"reservoir_pressure": 1}]})
    assert err.value.path == "units" and "field or metric" in err.value.expected


def test_quick_functions_take_metric_units():
    # 2400 psi gauge, 1000 STB/d, 1800 psi gauge in metric by pint.
    pr, pwf = _pint_to_metric([2400, 1800], "psi gauge", "bar gauge")
    q = _pint_to_metric(1000, "STB/d", "sm3/d")
    field, metric = dlv.vogel(2400, 1000, 1800), dlv.vogel(pr, q, pwf, units="metric")
    np.testing.assert_allclose(metric.rate, _pint_to_metric(field.rate, "STB/d", "sm3/d"),
                               rtol=1e-9)
    # z takes an absolute pressure: 2500 psia at 150 degF.
    t = ureg.Quantity(150, "degF").to("degC").magnitude
    p = ureg.Quantity(2500, "psi").to("bar").magnitude
    assert math.isclose(dlv.z_factor(t, p, 0.65, units="metric"), dlv.z_factor(150, 2500, 0.65),
                        rel_tol=1e-9)
