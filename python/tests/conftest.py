import ctypes
import json
import os
import pathlib

import matplotlib
import pytest

matplotlib.use("Agg")

import dlv  # noqa: E402

SOURCE_DIR = pathlib.Path(__file__).resolve().parents[2]
PACKAGE_DIR = pathlib.Path(dlv.__file__).resolve().parent
TUBING_WELLS = SOURCE_DIR / "tests" / "wellfile" / "tubing_wells"
GUO = str(TUBING_WELLS / "guo_hagedorn_brown.json")  # Guo et al. (2007), Hagedorn and Brown
BAR_PER_PSI = 0.06894757293168  # 1 psi = 6894.757293168 Pa


def example(name):
    """The path of an example well by its name."""
    return SOURCE_DIR / "examples" / "wells" / f"{name}.json"


# One-layer oil well, Vogel curve from one test; the tests change copies of it.
VOGEL_WELL = json.loads(example("vogel_oil").read_text())


def _library_path():
    """libDLV.so beside the installed package, or at the root of the build tree."""
    for candidate in (PACKAGE_DIR / "libDLV.so", PACKAGE_DIR.parents[1] / "libDLV.so"):
        if candidate.exists():
            return candidate
    pytest.skip("libDLV.so not found next to the dlv package")


@pytest.fixture(scope="session")
def clib():
    """The shared library loaded a second time, as a C host would, through ctypes."""
    return ctypes.CDLL(str(_library_path()))


@pytest.fixture(scope="session")
def example_wells():
    return sorted((SOURCE_DIR / "examples" / "wells").glob("*.json"))


@pytest.fixture(scope="session")
def dlv_command():
    path = os.environ.get("DLV_COMMAND")
    if not path or not os.access(path, os.X_OK):
        pytest.skip("the dlv command is not built (set DLV_COMMAND)")
    return path
