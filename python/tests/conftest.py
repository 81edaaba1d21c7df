import ctypes
import os
import pathlib

import matplotlib
import pytest

matplotlib.use("Agg")

import dlv  # noqa: E402

SOURCE_DIR = pathlib.Path(__file__).resolve().parents[2]
PACKAGE_DIR = pathlib.Path(dlv.__file__).resolve().parent


def _library_path():
    """libDLV.so beside the installed package, or at the root of the build tree."""
    for candidate in (PACKAGE_DIR / "libDLV.so", PACKAGE_DIR.parents[1] / "libDLV.so"):
        if candidate.exists():
            return candidate
    pytest.skip("libDLV.so not found next to the dlv package")


@pytest.fixture(scope="session")
def clib():
    """The shared library loaded a second time, as a C host would, through ctypes."""
    lib = ctypes.CDLL(str(_library_path()))
    d = ctypes.POINTER(ctypes.c_double)
    i = ctypes.POINTER(ctypes.c_int32)
    lib.dlvCalcVogel.argtypes = [d, d, d, d]
    lib.dlvCalcVogel.restype = ctypes.c_double
    lib.dlvCalcPI.argtypes = [d, d]
    lib.dlvCalcPI.restype = ctypes.c_double
    lib.dlvGetResultRate_PrsArrays.argtypes = [d, d]
    lib.dlvGetResultRate_PrsArrays.restype = ctypes.c_double
    lib.zfachy.argtypes = [d, d, d, d]
    lib.zfachy.restype = None
    dv = ctypes.c_double
    lib.liqvis.argtypes = [dv, d, dv, dv, dv, d, d, d, i, i]
    lib.liqvis.restype = None
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
