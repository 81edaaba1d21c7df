"""Pictures of the inflow curves: what they mark and label, and the command that writes them."""

import struct
import subprocess
import sys

import matplotlib
import pytest

import dlv
from dlv._plot import bubble_points
from conftest import VOGEL_WELL, example

PI_WELL = {**{k: v for k, v in VOGEL_WELL.items() if k != "tests"}, "method": "pi_line",
           "well": {"productivity_index": 2.5},
           "layers": [dict(VOGEL_WELL["layers"][0], reservoir_pressure=3000)]}
GIVEN_BUBBLE_POINT = {**VOGEL_WELL, "layers": [dict(VOGEL_WELL["layers"][0], bubble_point=1900)]}

# (well, labels the picture carries, its bubble points drawn)
PICTURES = [
    (GIVEN_BUBBLE_POINT, ["bubble point", "test points", "inflow curve"], [(0, 1900)]),
    (VOGEL_WELL, ["\u2265 reservoir pressure"], []),  # the correlations put it above 2400 psig
    (PI_WELL, ["AOF 7,500 STB/d"], []),  # 2.5 STB/d/psi x 3000 psi
    (example("water_injection"), ["break pressure (4000 psig)", "max 20,000 STB/d"], []),
]


@pytest.mark.parametrize("well,labels,bubble", PICTURES)
def test_plot_marks_and_labels(well, labels, bubble):
    assert matplotlib.get_backend().lower() == "agg"
    r = dlv.calculate(well)
    ax = r.plot()
    texts = ([t.get_text().replace("\n", " ") for t in ax.get_legend().get_texts()]
             + [line.get_label() for line in ax.get_lines()] + [t.get_text() for t in ax.texts])
    for label in labels:
        assert any(label in text for text in texts), (label, texts)
    assert bubble_points(r) == bubble and "psi" in ax.get_ylabel()
    ax.figure.canvas.draw()  # the axes start at no flow; the legend stays off the curves
    assert ax.get_xlim()[0] == 0
    assert ax.get_legend().get_window_extent().x0 >= ax.get_window_extent().x1


def _plot(out, *wells):
    return subprocess.run([sys.executable, "-m", "dlv", "plot", *map(str, wells), "-o", str(out)],
                          capture_output=True, text=True)


def test_command_writes_one_picture_per_well_or_one_chart(tmp_path, example_wells):
    one, two, folder = tmp_path / "one.png", tmp_path / "two.png", tmp_path / "pictures"
    for out, wells, written in ((folder, example_wells, [folder / f"{w.stem}.png"
                                                         for w in example_wells]),
                                (one, example_wells[:1], [one]),
                                (two, [example("vogel_oil"), example("pi_line_oil")], [two])):
        run = _plot(out, *wells)
        assert run.returncode == 0, run.stderr
        for png in written:
            data = png.read_bytes()
            assert data[:8] == b"\x89PNG\r\n\x1a\n"
            assert struct.unpack(">II", data[16:24]) == (800, 550)
    bad = tmp_path / "bad.json"
    bad.write_text('{"mode": "oil_production"}')
    for wells in ([bad], [example("vogel_oil"), bad]):  # nothing drawn
        run = _plot(tmp_path / "out.png", *wells)
        assert run.returncode == 2 and str(bad) in run.stderr
        assert not (tmp_path / "out.png").exists()
