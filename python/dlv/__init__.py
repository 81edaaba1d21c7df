"""Inflow performance curves of oil, gas and injection wells (the DLV library).

Two views of one calculation:

* the well file as a dict: ``dlv.calculate(well)`` returns a ``Result`` with
  numpy curves by name; a bad well raises ``dlv.WellError``;
* the host's view: ``dlv.Blocks()`` holds the argument blocks of ``dlv_cal``
  as numpy arrays with named fields; ``blocks.calculate()`` runs it.

Quick functions: ``vogel``, ``pi_line``, ``z_factor``, ``liquid_viscosity``.
Tubing: ``traverse(well, rate=...)`` returns a ``Traverse`` profile;
``tubing_gradient(correlation, ...)`` the gradient of a correlation at a point.
Calls into the library are serialised by one lock in the compiled module.
"""

from ._blocks import Blocks
from ._many import calculate_many
from ._quick import QuickCurve, Viscosities, liquid_viscosity, pi_line, vogel, z_factor
from ._result import Columns, Result
from ._tubing import Gradient, Traverse, traverse, tubing_gradient
from ._wells import WellError, calculate, well_schema

__all__ = [
    "Blocks",
    "Columns",
    "Result",
    "WellError",
    "calculate",
    "calculate_many",
    "well_schema",
    "QuickCurve",
    "Viscosities",
    "liquid_viscosity",
    "pi_line",
    "vogel",
    "z_factor",
    "Gradient",
    "Traverse",
    "traverse",
    "tubing_gradient",
]
