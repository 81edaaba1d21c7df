import ctypes
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

VOGEL_WELL = {
    "description": "One-layer oil well, Vogel curve from one test",
    "mode": "oil_production",
    "method": "vogel",
    "layers": [{"reservoir_pressure": 2400, "layer_temperature": 180, "api_gravity": 35,
                "gas_sg": 0.7, "water_sg": 1.05, "water_cut": 0.2, "producing_gor": 500}],
    "tests": [{"test_rate": 1000, "test_pressure": 1800}],
    "separator": {"separator_pressure": 100, "separator_temperature": 80},
}


def example(name):
    """The path of an example well by its name."""
    return SOURCE_DIR / "examples" / "wells" / f"{name}.json"


def _library_path():
    """libDLV.so beside the installed package, or at the root of the build tree."""
    for candidate in (PACKAGE_DIR / "libDLV.so", PACKAGE_DIR.parents[1] / "libDLV.so"):
        if candidate.exists():
            return candidate
    pytest.skip("libDLV.so not found next to the dlv package")


@pytest.fixture(scope="session")
def clib():
    """The shared library loaded a second time, as a C host would, through ctypes (the
    arguments as ctypes values; the double results declared)."""
    lib = ctypes.CDLL(str(_library_path()))
    for name in ("dlvCalcVogel", "dlvCalcPI", "dlvGetResultRate_PrsArrays"):
        getattr(lib, name).restype = ctypes.c_double
    return lib


@pytest.fixture(scope="session")
def example_wells():
    wells = sorted((SOURCE_DIR / "examples" / "wells").glob("*.json"))
    if not wells:
        pytest.skip("no example well files")
    return wells


@pytest.fixture(scope="session")
def dlv_command():
    path = os.environ.get("DLV_COMMAND")
    if not path or not os.access(path, os.X_OK):
        pytest.skip("the dlv command is not built (set DLV_COMMAND)")
    return path
