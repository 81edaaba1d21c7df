"""The Python package in a few lines (run from the repository root)."""

import numpy as np

import dlv

# A well file, or a dict in the same format, through the same checks as the dlv command.
r = dlv.calculate("examples/wells/three_layer_oil.json")
print(r)
print(r.rate.shape, r.units["rate"])  # per-layer curves: (layers, 25) arrays
print(np.round(r.well_curve.rate[-1]), r.well_curve.units["water_cut"])  # the composite curve
print(np.round(r.fluid_properties.oil_viscosity, 3))  # one value per layer, cp
frame = r.to_dataframe()  # every curve point, one row each (pandas)
print(frame.groupby("curve").size().to_dict())

try:
    dlv.calculate({"mode": "oil_production", "method": "vogle", "layers": [{}]})
except dlv.WellError as e:
    print(e.path, "|", e.message)

# The host's view: the blocks of dlv_cal as numpy arrays with named fields.
b = dlv.Blocks()
b.well.method_code = 6  # int32 and flag fields are properties
b.well.layer_count = 1
b.well.reservoir_pressure[0] = 3000  # array fields are views into the block
b.well.productivity_index = 2.5
b.calculate()
print(b.summary.rate[:3], b.summary.pressure[:3])

# Quick curves and element-wise correlations over numpy arrays.
print(round(dlv.vogel(2400, 1000, 1800, 1900).max_rate, 1))
print(np.round(dlv.z_factor(180.0, np.array([500.0, 2000.0, 5000.0]), 0.7), 4))
