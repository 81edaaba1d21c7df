#!/usr/bin/python3
"""The bottom-hole pressure of one traverse of a well file's tubing, in psia.

Usage: traverse_bhp.py DLV WELL.json FLO THP WCT GOR ALQ (table units: stb/d, psia,
fraction, Mscf/stb, 0). The well file takes that water cut, producing GOR and wellhead
pressure, and `dlv traverse` runs it from the wellhead down at that rate: a check of the
lift table that goes through the well file, not through the table's own conversions.
"""
import json
import subprocess
import sys
import tempfile

ATMOSPHERE = 14.7  # psia of 0 psi gauge

if len(sys.argv) != 8 or float(sys.argv[7]) != 0:
    sys.exit(__doc__)
dlv, well_path = sys.argv[1:3]
flo, thp, wct, gor = (float(v) for v in sys.argv[3:7])
with open(well_path) as f:
    well = json.load(f)
well["layers"][0].update(water_cut=wct, producing_gor=1000 * gor)
well["tubing"]["wellhead_pressure"] = thp - ATMOSPHERE
with tempfile.NamedTemporaryFile("w", suffix=".json") as f:
    json.dump(well, f)
    f.flush()
    run = subprocess.run([dlv, "traverse", f.name, "--rate", repr(flo), "--format", "json"],
                         capture_output=True, text=True)
result = json.loads(run.stdout) if run.returncode == 0 else {"status": "", "message": run.stderr}
if result["status"] != "ok":
    sys.exit(result["message"])
print(repr(result["bottomhole_pressure"] + ATMOSPHERE))
