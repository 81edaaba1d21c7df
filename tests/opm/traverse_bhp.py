#!/usr/bin/python3
"""The bottom-hole pressure of one traverse of a well file's tubing, in psia.

Usage: traverse_bhp.py DLV WELL.json FLO THP WCT GOR ALQ
FLO liquid rate (stb/d), THP wellhead pressure (psia), WCT water cut, GOR
Mscf/stb, ALQ 0: the well file is given that water cut and producing GOR and
that wellhead pressure, and `dlv traverse` runs it from the wellhead down at
that rate. The lift table is checked against this single traverse, which goes
through the well file and not through the table's own conversions.
"""
import json
import subprocess
import sys
import tempfile

ATMOSPHERE = 14.7  # psia of 0 psi gauge


def main():
    if len(sys.argv) != 8:
        sys.exit(__doc__)
    dlv, well_path = sys.argv[1:3]
    flo, thp, wct, gor, alq = (float(v) for v in sys.argv[3:])
    if alq != 0:
        sys.exit("the tubing takes no lift gas: ALQ must be 0")
    with open(well_path) as f:
        well = json.load(f)
    well["layers"][0]["water_cut"] = wct
    well["layers"][0]["producing_gor"] = 1000 * gor
    well["tubing"]["wellhead_pressure"] = thp - ATMOSPHERE
    with tempfile.NamedTemporaryFile("w", suffix=".json") as f:
        json.dump(well, f)
        f.flush()
        run = subprocess.run([dlv, "traverse", f.name, "--rate", repr(flo), "--format", "json"],
                             capture_output=True, text=True)
    if run.returncode != 0:
        sys.exit(run.stderr)
    result = json.loads(run.stdout)
    if result["status"] != "ok":
        sys.exit(result["message"])
    print(repr(result["bottomhole_pressure"] + ATMOSPHERE))


if __name__ == "__main__":
    main()
