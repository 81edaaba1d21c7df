"""python3 -m dlv plot WELL.json [WELL.json ...] -o ipr.png|DIR"""

import argparse
import os
import sys

from ._plot import save_plot
from ._wells import WellError, calculate


def main(argv=None):
    parser = argparse.ArgumentParser(prog="python3 -m dlv", description=__doc__.split("\n")[0])
    commands = parser.add_subparsers(dest="command", required=True)
    plot = commands.add_parser("plot", help="draw the inflow curves of well files")
    plot.add_argument("wells", nargs="+", help="well file (JSON)")
    plot.add_argument("-o", "--output", required=True,
                      help="picture file (PNG); a directory when several wells are given")
    plot.add_argument("--dpi", type=int, default=100, help="resolution (default 100)")
    args = parser.parse_args(argv)

    several = len(args.wells) > 1 or os.path.isdir(args.output)
    if several:
        os.makedirs(args.output, exist_ok=True)
    status = 0
    for well in args.wells:
        target = args.output
        if several:
            name = os.path.splitext(os.path.basename(well))[0] + ".png"
            target = os.path.join(args.output, name)
        try:
            save_plot(calculate(well), target, dpi=args.dpi)
        except WellError as exc:
            print(exc, file=sys.stderr)
            status = 2
            continue
        except OSError as exc:
            print(f"{well}: {exc}", file=sys.stderr)
            status = 1
            continue
        print(target)
    return status


if __name__ == "__main__":
    sys.exit(main())
