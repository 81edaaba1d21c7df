#!/usr/bin/python3
"""The lift table read and run by OPM Flow.

Writes lift table 1 with the given command and checks its structure (no
missing, repeated or short row); OPM's EclipseState and Schedule must accept
the one-producer deck that INCLUDEs it and refuse a table with a missing or a
short row. Flow runs the deck; the well
must stay on wellhead-pressure control (WMCTL 6), and flow's bottom-hole
pressure at its reported rate, water cut and GOR must equal, within 0.5 %, the
table's value interpolated multilinearly and (with --bhp-command) the pressure
the table was computed from at those conditions, which a table with rows under
the wrong indices fails.

Usage: check_flow.py --work-dir DIR [--bhp-command CMD] -- WRITER [ARGS...]
WRITER ARGS... TABLE_FILE writes a FIELD VFPPROD table 1 (LIQ, WCT, GOR, no
lift); CMD FLO THP WCT GOR ALQ (table units) prints the bottom-hole pressure in
psia. Exit 77 (skipped) when flow or opm.io is missing.
"""
import argparse
import os
import re
import shutil
import subprocess
import sys
import time

import numpy as np  # a dependency of opm.io

SKIPPED = 77
HERE = os.path.dirname(os.path.abspath(__file__))
DECK = "ONE_PRODUCER.DATA"
TABLE = "vfp_table.inc"
TOLERANCE = 0.005
THP_CONTROL = 6  # WMCTL of a producer on wellhead-pressure control


def skip(reason, word="SKIPPED", code=SKIPPED):
    print(f"{word}: {reason}")
    sys.exit(code)


def fail(reason):
    skip(reason, "FAILED", 1)


def parse_vfpprod(text):
    """The header, the five axes and the pressures (THP, WFR, GFR, ALQ, FLO) of a VFPPROD
    keyword; fails on a missing, repeated, short or out-of-range row."""
    *records, rest = [re.findall(r"'[^']*'|\S+", r) for r in re.sub(r"--.*", "", text).split("/")]
    if not records or records[0][:1] != ["VFPPROD"] or rest:
        fail(f"the table does not start with VFPPROD or ends inside a record: {rest}")
    records[0] = records[0][1:]
    if len(records) < 7:
        fail(f"{len(records)} records; a VFPPROD table has at least 7")
    header = [t.strip("'") for t in records[0]]
    axes = [np.array([float(v) for v in r]) for r in records[1:6]]  # FLO THP WFR GFR ALQ
    for name, a in zip(("FLO", "THP", "WFR", "GFR", "ALQ"), axes):
        if len(a) == 0 or np.any(np.diff(a) <= 0):
            fail(f"{name} axis is empty or not ascending: {a}")
    axes = axes[1:] + axes[:1]  # THP WFR GFR ALQ FLO, the order of the pressures
    bhp = np.full(shape := tuple(len(a) for a in axes), np.nan)
    for r in records[6:]:
        if len(r) != 4 + shape[4]:
            fail(f"row {r[:4]} has {len(r) - 4} pressures for {shape[4]} rates")
        idx = tuple(int(v) - 1 for v in r[:4])
        if any(not 0 <= i < n for i, n in zip(idx, shape)):
            fail(f"row {r[:4]} indexes beyond an axis {shape[:4]}")
        if not np.all(np.isnan(bhp[idx])):
            fail(f"row {r[:4]} repeated")
        bhp[idx] = [float(v) for v in r[4:]]
    if np.any(np.isnan(bhp)):
        fail("rows missing: " + str(np.argwhere(np.isnan(bhp[..., 0])) + 1))
    return header, tuple(axes), bhp


def interpolate(axes, bhp, point):
    """Multilinear interpolation of the pressures at point (THP, WFR, GFR, ALQ, FLO): linear
    along one axis at a time."""
    value = bhp
    for a, x in zip(axes, point):
        i = int(np.clip(np.searchsorted(a, x) - 1, 0, max(len(a) - 2, 0)))
        t = (x - a[i]) / (a[i + 1] - a[i]) if len(a) > 1 else 0.0
        value = (1 - t) * value[i] + (t * value[i + 1] if t else 0.0)
    return value


def source_bhp(command, point):
    """The bottom-hole pressure the bhp command gives at point (THP, WFR, GFR, ALQ, FLO)."""
    thp, wfr, gfr, alq, flo = point
    args = command.split() + [repr(float(v)) for v in (flo, thp, wfr, gfr, alq)]
    run = subprocess.run(args, capture_output=True, text=True)
    if run.returncode != 0:
        fail(f"the bhp command failed at {point}: {run.stderr.strip()}")
    return float(run.stdout)


def schedule_refusal(deck_path, table_path, text):
    """Why OPM's parser, EclipseState and Schedule refuse the deck with this table, or None."""
    from opm.io.ecl_state import EclipseState
    from opm.io.parser import ParseContext, Parser
    from opm.io.schedule import Schedule

    with open(table_path, "w") as f:
        f.write(text)
    try:
        deck = Parser().parse(deck_path, ParseContext())
        Schedule(deck, EclipseState(deck))
    except Exception as e:  # noqa: BLE001 (opm.io raises RuntimeError and others)
        return str(e) or type(e).__name__
    return None


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--work-dir", required=True)
    parser.add_argument("--bhp-command", help="prints the BHP (psia) at FLO THP WCT GOR ALQ")
    parser.add_argument("writer", nargs=argparse.REMAINDER)
    args = parser.parse_args()
    writer = [w for w in args.writer if w != "--"]
    if not writer:
        parser.error("no writer command after --")

    if (flow := shutil.which("flow")) is None:
        skip("OPM Flow ('flow', Debian package libopm-simulators-bin) is not installed")
    try:
        from opm.io.ecl import ESmry
    except ImportError as e:
        skip(f"opm.io (Debian package python3-opm-common, for /usr/bin/python3) is missing: {e}")

    work = os.path.abspath(args.work_dir)
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    shutil.copy(os.path.join(HERE, DECK), work)
    deck_path, table_path = os.path.join(work, DECK), os.path.join(work, TABLE)

    run = subprocess.run(writer + [table_path], capture_output=True, text=True)
    if run.returncode != 0:
        fail(f"the writer failed ({run.returncode}): {run.stderr.strip()}")
    with open(table_path) as f:
        table_text = f.read()
    header, axes, bhp = parse_vfpprod(table_text)
    if header[:5] != ["1", "8025", "LIQ", "WCT", "GOR"] or header[7] != "FIELD":
        fail(f"the deck expects table 1 at 8025 ft, LIQ WCT GOR, FIELD; the header is {header}")
    falls = np.argwhere(np.diff(bhp, axis=0) < 0)
    if len(falls):
        fail(f"bottom-hole pressure falls as the wellhead pressure rises at {falls[:5] + 1} ...")
    print(f"table: {bhp.size} pressures, axes {bhp.shape} (THP WFR GFR ALQ FLO)")

    # OPM's schedule check refuses broken copies of the table and passes the table.
    lines = table_text.rstrip("\n").split("\n")
    last_row_start = max(i for i, line in enumerate(lines) if re.match(r"\s+\d+ \d+ \d+ \d+ ", line))
    broken = {
        "a missing row": "\n".join(lines[:last_row_start]) + "\n",
        "a short row": re.sub(r" [0-9.eE+-]+ /\n$", " /\n", table_text.rstrip("\n") + "\n"),
    }
    for what, text in broken.items():
        if schedule_refusal(deck_path, table_path, text) is None:
            fail(f"OPM's schedule check accepted a table with {what}: the check proves nothing")
    refusal = schedule_refusal(deck_path, table_path, table_text)
    if refusal is not None:
        fail(f"OPM's schedule check refused the table: {refusal}")
    print("schedule check: the table passes; a missing row and a short row are refused")

    env = dict(os.environ, OMP_NUM_THREADS="1")
    out_dir = os.path.join(work, "output")
    start = time.monotonic()
    run = subprocess.run([flow, deck_path, f"--output-dir={out_dir}"], cwd=work, env=env,
                         capture_output=True, text=True)
    seconds = time.monotonic() - start
    if run.returncode != 0:
        fail(f"flow failed ({run.returncode}):\n{run.stdout[-2000:]}\n{run.stderr[-2000:]}")
    print(f"flow: {seconds:.2f} s")

    summary = ESmry(os.path.join(out_dir, "ONE_PRODUCER.SMSPEC"))
    data = {k: np.asarray(summary[f"{k}:PROD"], dtype=float)
            for k in ("WBHP", "WTHP", "WLPR", "WWCT", "WGOR", "WMCTL")}
    if len(data["WBHP"]) < 2:
        fail("the summary has fewer than two steps")
    if np.any(data["WMCTL"] != THP_CONTROL):
        fail(f"the well is not on wellhead-pressure control throughout: WMCTL {data['WMCTL']}")
    worst = {"the table": 0.0, "the bhp command": 0.0}
    for k, flow_bhp in enumerate(data["WBHP"]):
        point = (data["WTHP"][k], data["WWCT"][k], data["WGOR"][k], 0.0, data["WLPR"][k])
        for name, a, x in zip(("THP", "WCT", "GOR", "ALQ", "LIQ rate"), axes, point):
            if not a[0] <= x <= a[-1]:
                fail(f"step {k}: {name} {x} lies outside the table's axis {a[0]}..{a[-1]}")
        expected = {"the table": interpolate(axes, bhp, point)}
        if args.bhp_command:
            expected["the bhp command"] = source_bhp(args.bhp_command, point)
        print(f"  step {k:2d}: THP {point[0]:7.2f}  WCT {point[1]:.4f}  GOR {point[2]:.4f}  "
              f"LIQ {point[4]:8.2f}  BHP flow {flow_bhp:8.2f}  " +
              "  ".join(f"{source} {value:8.2f}" for source, value in expected.items()))
        for source, value in expected.items():
            worst[source] = max(worst[source], abs(flow_bhp - value) / value)
            if abs(flow_bhp - value) / value > TOLERANCE:
                fail(f"step {k}: flow's BHP {flow_bhp:.2f} psia differs from {source}'s "
                     f"{value:.2f} psia by {100 * abs(flow_bhp - value) / value:.3f} %")
    print(f"PASSED: {len(data['WBHP'])} steps on wellhead-pressure control; largest difference "
          + ", ".join(f"from {s} {100 * w:.4f} %" for s, w in worst.items())
          + f" (limit {100 * TOLERANCE:g} %); flow {seconds:.2f} s")


if __name__ == "__main__":
    main()
