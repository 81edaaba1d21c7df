"""Inflow performance curves of oil, gas and injection wells (the DLV library).

Two views of one calculation:

* the well file as a dict, a file path or (``json=``) a JSON text:
  ``dlv.calculate(well)`` returns a ``Result`` with numpy curves by name; a
  well that cannot be read or computed raises ``dlv.WellError``; a result
  that carries the library's fall-back values warns with
  ``dlv.FallbackWarning`` and has ``result.fallbacks`` set;
* the host's view: ``dlv.Blocks()`` holds the argument blocks of ``dlv_cal``
  as numpy arrays with named fields; ``blocks.calculate()`` runs it.

Quick functions: ``vogel``, ``pi_line``, ``z_factor``, ``liquid_viscosity``.
Tubing: ``traverse(well, rate=...)`` returns a ``Traverse`` profile;
``tubing_gradient(correlation, ...)`` the gradient of a correlation at a point.
Lift tables: ``vfp_table(well, rates=..., wellhead_pressures=...)`` returns a
``VfpTable`` (``.write``, ``.to_xarray``, ``.plot``); ``vfp_tables`` many wells'.
Calls into the library are serialised by one lock in the compiled module.
"""

from . import _dlv
from ._blocks import Blocks
from ._many import calculate_many
from ._nodal import OperatingPoint, nodal, plot_nodal
from ._quick import QuickCurve, Viscosities, liquid_viscosity, pi_line, vogel, z_factor
from ._result import Columns, Result
from ._tubing import Gradient, Traverse, traverse, tubing_gradient
from ._vfp import VfpTable, vfp_table, vfp_tables
from ._wells import FallbackWarning, WellError, calculate, well_schema

__version__: str = _dlv.__version__

__all__ = [
    "Blocks",
    "Columns",
    "FallbackWarning",
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
    "OperatingPoint",
    "nodal",
    "plot_nodal",
    "VfpTable",
    "vfp_table",
    "vfp_tables",
]
