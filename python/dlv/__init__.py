"""Inflow performance curves of oil, gas and injection wells (the DLV library).

Two views of one calculation:

* the well file as a dict: ``dlv.calculate(well)`` returns a ``Result`` with
  numpy curves by name; a bad well raises ``dlv.WellError``;
* the host's view: ``dlv.Blocks()`` holds the argument blocks of ``dlv_cal``
  as numpy arrays with named fields; ``blocks.calculate()`` runs it.

Quick functions: ``vogel``, ``pi_line``, ``z_factor``, ``liquid_viscosity``.
Calls into the library are serialised by one lock in the compiled module.
"""

from ._blocks import Blocks
from ._quick import QuickCurve, Viscosities, liquid_viscosity, pi_line, vogel, z_factor

__all__ = [
    "Blocks",
    "QuickCurve",
    "Viscosities",
    "liquid_viscosity",
    "pi_line",
    "vogel",
    "z_factor",
]
