"""The unit systems of the library: field (oilfield, its own) and metric.

The factors come from the library's one table of quantities
(``quantity_table()``): metric = field * factor + offset.
"""

from __future__ import annotations

from typing import Any

from . import _dlv

SYSTEMS = ("field", "metric")


def unit_system(units: str | None) -> str:
    """The unit system named (None is field); any other name is a ValueError naming the choices."""
    if units is None:
        return "field"
    if units not in SYSTEMS:
        raise ValueError(f"unknown unit system {units!r}: field or metric")
    return units


def quantity_table() -> dict[str, tuple[str, str, float, float]]:
    """{quantity: (field unit, metric unit, factor, offset)}; factor 0 where other values decide."""
    return {name: (field, metric, factor, offset)
            for name, field, metric, factor, offset in _dlv.quantity_table()}


def to_field(quantity: str, value: Any, units: str | None) -> Any:
    """A value (number or numpy array) of a quantity in the given system, in field units."""
    if unit_system(units) == "field":
        return value
    _, _, factor, offset = quantity_table()[quantity]
    return (value - offset) / factor


def from_field(quantity: str, value: Any, units: str | None) -> Any:
    """A value of a quantity in field units, in the given system."""
    if unit_system(units) == "field":
        return value
    _, _, factor, offset = quantity_table()[quantity]
    return value * factor + offset


def unit(quantity: str, units: str | None) -> str:
    """The unit text of a quantity in a system."""
    field, metric, _, _ = quantity_table()[quantity]
    return metric if unit_system(units) == "metric" else field
