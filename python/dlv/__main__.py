"""python3 -m dlv plot WELL.json [WELL.json ...] -o PICTURE|DIR
   python3 -m dlv nodal WELL.json [--vary FIELD=V1,V2,...] -o PICTURE"""

from __future__ import annotations

import argparse
import os
import sys
from collections.abc import Sequence
from typing import Any

from ._plot import picture_suffix, save_plot, save_plots
from ._wells import WellError, calculate

HELP_OUTPUT = (
    "a picture file (.png, .svg, .pdf, ...): every well on one chart; "
    "a directory (existing, or a name without a picture suffix): one PNG per well"
)


def main(argv: Sequence[str] | None = None) -> int:
    parser = argparse.ArgumentParser(prog="python3 -m dlv",
                                     description=(__doc__ or "").split("\n")[0])
    commands = parser.add_subparsers(dest="command", required=True)
    plot = commands.add_parser("plot", help="draw the inflow curves of well files")
    plot.add_argument("wells", nargs="+", help="well file (JSON)")
    plot.add_argument("-o", "--output", required=True, help=HELP_OUTPUT)
    plot.add_argument("--dpi", type=int, default=100, help="resolution (default 100)")
    nodal = commands.add_parser("nodal", help="draw the operating point of a well with tubing")
    nodal.add_argument("well", help="well file (JSON) with a tubing object")
    nodal.add_argument("--vary", help="FIELD=V1,V2,...: a family, one operating point per value")
    nodal.add_argument("-o", "--output", required=True, help="a picture file (.png, .svg, ...)")
    args = parser.parse_args(argv)
    if args.command == "nodal":
        return _nodal_picture(args)

    # Every well is computed first: a well that cannot be computed gives no picture.
    results: list[Any] = []
    status = 0
    for well in args.wells:
        try:
            results.append(calculate(well))
        except WellError as exc:
            print(exc, file=sys.stderr)
            status = 2
        except OSError as exc:
            print(f"{well}: {exc}", file=sys.stderr)
            status = max(status, 1)
    if status:
        print("no picture drawn", file=sys.stderr)
        return status

    names = [os.path.splitext(os.path.basename(w))[0] for w in args.wells]
    one_chart = not os.path.isdir(args.output) and picture_suffix(args.output)
    try:
        if one_chart and len(results) == 1:
            save_plot(results[0], args.output, dpi=args.dpi)
        elif one_chart:
            save_plots(results, names, args.output, dpi=args.dpi)
        else:
            os.makedirs(args.output, exist_ok=True)
            for result, name in zip(results, names):
                target = os.path.join(args.output, name + ".png")
                save_plot(result, target, dpi=args.dpi)
                print(target)
            return 0
    except ValueError as exc:  # wells that one chart cannot hold together
        print(f"{args.output}: {exc}", file=sys.stderr)
        return 2
    except OSError as exc:
        print(f"{args.output}: {exc}", file=sys.stderr)
        return 1
    print(args.output)
    return 0


def _nodal_picture(args: argparse.Namespace) -> int:
    """Draws one operating point, or the family of a --vary, into one picture."""
    from ._nodal import nodal, plot_nodal

    vary = None
    if args.vary:
        field, _, text = args.vary.partition("=")
        try:
            vary = {field: [float(v) for v in text.split(",")]}
        except ValueError:
            print(f"--vary {args.vary}: expected FIELD=V1,V2,... with numbers", file=sys.stderr)
            return 2
    try:
        points = nodal(args.well, vary=vary)
    except WellError as exc:
        print(exc, file=sys.stderr)
        return 2
    except OSError as exc:
        print(f"{args.well}: {exc}", file=sys.stderr)
        return 1
    try:
        plot_nodal(points if isinstance(points, list) else [points], path=args.output)
    except (OSError, ValueError) as exc:
        print(f"{args.output}: {exc}", file=sys.stderr)
        return 1
    print(args.output)
    return 0


if __name__ == "__main__":
    sys.exit(main())
