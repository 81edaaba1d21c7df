#!/usr/bin/python3
"""The lift table read and run by OPM Flow.

Writes lift table 1 with the given command, checks its structure, builds
OPM's EclipseState and Schedule from the one-producer deck that INCLUDEs it
(and checks that the same build refuses a table with a missing row or a short
row), runs flow on the deck, and reads the summary: the well must be on
wellhead-pressure control (WMCTL 6) and flow's bottom-hole pressure at its
reported liquid rate, water cut and GOR must equal the table's own value,
interpolated multilinearly in its axes, within 0.5 %; and, with --bhp-command,
the bottom-hole pressure the table was computed from at those conditions within
0.5 % (the table's interpolation error), which a table with rows under the
wrong indices fails.

Usage: check_flow.py --work-dir DIR [--bhp-command CMD] -- WRITER [ARGS...]
The writer is called as WRITER ARGS... TABLE_FILE and writes a FIELD VFPPROD
table 1 (LIQ, WCT, GOR, no lift) there; the bhp command as CMD FLO THP WCT GOR ALQ
(FIELD table units) and prints the bottom-hole pressure in psia. Exit 77
(skipped) when flow or opm.io is missing.
"""
import argparse
import os
import re
import shutil
import subprocess
import sys
import time

SKIPPED = 77
HERE = os.path.dirname(os.path.abspath(__file__))
DECK = "ONE_PRODUCER.DATA"
TABLE = "vfp_table.inc"
TOLERANCE = 0.005
THP_CONTROL = 6  # WMCTL of a producer on wellhead-pressure control


def skip(reason):
    print(f"SKIPPED: {reason}")
    sys.exit(SKIPPED)


def fail(reason):
    print(f"FAILED: {reason}")
    sys.exit(1)


def parse_vfpprod(text):
    """The header, the five axes and the pressures (THP, WFR, GFR, ALQ, FLO) of a VFPPROD
    keyword; fails on a missing, repeated, short or out-of-range row."""
    import numpy as np

    text = re.sub(r"--.*", "", text)
    tokens = re.findall(r"'[^']*'|/|[^\s/]+", text)
    if not tokens or tokens[0] != "VFPPROD":
        fail("the table does not start with VFPPROD")
    records, current = [], []
    for tok in tokens[1:]:
        if tok == "/":
            records.append(current)
            current = []
        else:
            current.append(tok)
    if current:
        fail(f"the table ends inside a record: {current}")
    if len(records) < 7:
        fail(f"{len(records)} records; a VFPPROD table has at least 7")
    header = [t.strip("'") for t in records[0]]
    axes = [np.array([float(v) for v in r]) for r in records[1:6]]  # FLO THP WFR GFR ALQ
    flo, thp, wfr, gfr, alq = axes
    for name, a in zip(("FLO", "THP", "WFR", "GFR", "ALQ"), axes):
        if len(a) == 0 or np.any(np.diff(a) <= 0):
            fail(f"{name} axis is empty or not ascending: {a}")
    shape = (len(thp), len(wfr), len(gfr), len(alq), len(flo))
    bhp = np.full(shape, np.nan)
    for r in records[6:]:
        if len(r) != 4 + len(flo):
            fail(f"row {r[:4]} has {len(r) - 4} pressures for {len(flo)} rates")
        idx = tuple(int(v) - 1 for v in r[:4])
        if any(not 0 <= i < n for i, n in zip(idx, shape)):
            fail(f"row {r[:4]} indexes beyond an axis {shape[:4]}")
        if not np.all(np.isnan(bhp[idx])):
            fail(f"row {r[:4]} repeated")
        bhp[idx] = [float(v) for v in r[4:]]
    if np.any(np.isnan(bhp)):
        fail("rows missing: " + str(np.argwhere(np.isnan(bhp[..., 0])) + 1))
    return header, (thp, wfr, gfr, alq, flo), bhp


def interpolate(axes, bhp, point):
    """Multilinear interpolation of the pressures at point (THP, WFR, GFR, ALQ, FLO)."""
    import itertools

    import numpy as np

    lower, weight = [], []
    for a, x in zip(axes, point):
        if len(a) == 1:
            lower.append(0)
            weight.append(0.0)
            continue
        i = int(np.clip(np.searchsorted(a, x) - 1, 0, len(a) - 2))
        lower.append(i)
        weight.append((x - a[i]) / (a[i + 1] - a[i]))
    value = 0.0
    for corner in itertools.product((0, 1), repeat=len(axes)):
        w = 1.0
        for c, t in zip(corner, weight):
            w *= t if c else 1 - t
        if w != 0:
            value += w * bhp[tuple(i + c for i, c in zip(lower, corner))]
    return value


def source_bhp(command, point):
    """The bottom-hole pressure the bhp command gives at point (THP, WFR, GFR, ALQ, FLO)."""
    thp, wfr, gfr, alq, flo = point
    args = command.split() + [repr(float(v)) for v in (flo, thp, wfr, gfr, alq)]
    run = subprocess.run(args, capture_output=True, text=True)
    if run.returncode != 0:
        fail(f"the bhp command failed at {point}: {run.stderr.strip()}")
    return float(run.stdout)


def schedule_check(deck_path):
    """OPM's own check of the deck: the parser, EclipseState and Schedule."""
    from opm.io.ecl_state import EclipseState
    from opm.io.parser import ParseContext, Parser
    from opm.io.schedule import Schedule

    deck = Parser().parse(deck_path, ParseContext())
    Schedule(deck, EclipseState(deck))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--work-dir", required=True)
    parser.add_argument("--bhp-command", help="command printing the BHP (psia) at FLO THP WCT GOR ALQ")
    parser.add_argument("writer", nargs=argparse.REMAINDER)
    args = parser.parse_args()
    writer = [w for w in args.writer if w != "--"]
    if not writer:
        parser.error("no writer command after --")

    flow = shutil.which("flow")
    if flow is None:
        skip("OPM Flow ('flow', Debian package libopm-simulators-bin) is not installed")
    try:
        import numpy as np
        from opm.io.ecl import ESmry
    except ImportError as e:
        skip(f"opm.io (Debian package python3-opm-common, for /usr/bin/python3) is missing: {e}")

    work = os.path.abspath(args.work_dir)
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    shutil.copy(os.path.join(HERE, DECK), work)
    deck_path = os.path.join(work, DECK)
    table_path = os.path.join(work, TABLE)

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

    # OPM's schedule check passes the table and refuses broken copies of it.
    try:
        schedule_check(deck_path)
    except Exception as e:  # noqa: BLE001 (opm.io raises RuntimeError and others)
        fail(f"OPM's schedule check refused the table: {e}")
    lines = table_text.rstrip("\n").split("\n")
    last_row_start = max(i for i, line in enumerate(lines) if re.match(r"\s+\d+ \d+ \d+ \d+ ", line))
    broken = {
        "a missing row": "\n".join(lines[:last_row_start]) + "\n",
        "a short row": re.sub(r" [0-9.eE+-]+ /\n$", " /\n", table_text.rstrip("\n") + "\n"),
    }
    for what, text in broken.items():
        with open(table_path, "w") as f:
            f.write(text)
        try:
            schedule_check(deck_path)
        except Exception:  # noqa: BLE001
            pass
        else:
            fail(f"OPM's schedule check accepted a table with {what}: the check proves nothing")
    with open(table_path, "w") as f:
        f.write(table_text)
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
    thp, wfr, gfr, alq, flo = axes
    worst = worst_source = 0.0
    for k in range(len(data["WBHP"])):
        point = (data["WTHP"][k], data["WWCT"][k], data["WGOR"][k], 0.0, data["WLPR"][k])
        for name, a, x in zip(("THP", "WCT", "GOR", "ALQ", "LIQ rate"), axes, point):
            if not a[0] <= x <= a[-1]:
                fail(f"step {k}: {name} {x} lies outside the table's axis {a[0]}..{a[-1]}")
        expected = interpolate(axes, bhp, point)
        error = abs(data["WBHP"][k] - expected) / expected
        worst = max(worst, error)
        print(f"  step {k:2d}: THP {point[0]:7.2f}  WCT {point[1]:.4f}  GOR {point[2]:.4f}  "
              f"LIQ {point[4]:8.2f}  BHP flow {data['WBHP'][k]:8.2f} table {expected:8.2f}")
        if error > TOLERANCE:
            fail(f"step {k}: flow's BHP {data['WBHP'][k]:.2f} psia differs from the table's "
                 f"{expected:.2f} psia by {100 * error:.3f} %")
        if args.bhp_command:
            ref = source_bhp(args.bhp_command, point)
            ref_error = abs(data["WBHP"][k] - ref) / ref
            worst_source = max(worst_source, ref_error)
            if ref_error > TOLERANCE:
                fail(f"step {k}: flow's BHP {data['WBHP'][k]:.2f} psia differs from the "
                     f"bhp command's {ref:.2f} psia by {100 * ref_error:.3f} %")
    against = f", from the bhp command {100 * worst_source:.4f} %" if args.bhp_command else ""
    print(f"PASSED: {len(data['WBHP'])} steps on wellhead-pressure control; largest difference "
          f"from the table {100 * worst:.4f} %{against} (limit {100 * TOLERANCE:g} %); "
          f"flow {seconds:.2f} s")


if __name__ == "__main__":
    main()
