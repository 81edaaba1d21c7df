#!/usr/bin/env python3
"""Counts lines of production code and of tests, the same way every time.

A counted line is a line with something on it other than white space and
comments (// and /* */ in C, C++ and C#; # in Python). Production code is
every source of src, include, cli, python/src, python/dlv and ptrav; tests are
every source under tests (support, fuzz targets and the C# host included) and
python/tests. Fuzz corpora and data files (JSON, CSV, golden outputs) are not
sources and are not counted.

    /usr/bin/python3 tools/count_test_lines.py [--limit PERCENT]

Prints both counts, their ratio and the count of each test folder; exits 1
when the tests exceed the limit (33 % of the code by default).
"""
import argparse
import pathlib
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
CODE_DIRS = ["src", "include", "cli", "python/src", "python/dlv", "ptrav"]
TEST_DIRS = ["tests", "python/tests"]
SUFFIXES = {".c", ".h", ".cpp", ".hpp", ".py", ".cs"}
SKIPPED_PARTS = {"corpus", "tubing_corpus", "golden", "__pycache__"}


def c_like_lines(text):
    """Lines of C, C++ or C# text that hold code outside comments."""
    counted = set()
    line = 0
    i = 0
    n = len(text)
    in_block = False
    while i < n:
        ch = text[i]
        if ch == "\n":
            line += 1
            i += 1
            continue
        if in_block:
            if text.startswith("*/", i):
                in_block = False
                i += 2
            else:
                i += 1
            continue
        if text.startswith("//", i):
            end = text.find("\n", i)
            i = n if end < 0 else end
            continue
        if text.startswith("/*", i):
            in_block = True
            i += 2
            continue
        if ch.isspace():
            i += 1
            continue
        counted.add(line)
        if text.startswith('R"', i) and (i == 0 or not (text[i - 1].isalnum() or text[i - 1] == "_")):
            open_paren = text.find("(", i)
            delimiter = ")" + text[i + 2 : open_paren] + '"'
            end = text.find(delimiter, open_paren)
            end = n if end < 0 else end + len(delimiter)
            for k in range(text.count("\n", i, end)):
                counted.add(line + k + 1)
            line += text.count("\n", i, end)
            i = end
            continue
        if ch in "\"'":
            j = i + 1
            while j < n and text[j] != ch and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            i = j + 1
            continue
        i += 1
    return len(counted)


def python_lines(text):
    """Lines of Python text that hold more than a comment."""
    return sum(1 for s in text.splitlines() if s.strip() and not s.strip().startswith("#"))


def count_file(path):
    text = path.read_text(encoding="utf-8", errors="replace")
    return python_lines(text) if path.suffix == ".py" else c_like_lines(text)


def sources(dirs):
    for d in dirs:
        for path in sorted((ROOT / d).rglob("*")):
            rel = path.relative_to(ROOT)
            if path.is_file() and path.suffix in SUFFIXES and not SKIPPED_PARTS & set(rel.parts):
                yield rel, path


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--limit", type=float, default=33.0, help="percent of the code")
    limit = parser.parse_args().limit

    code = sum(count_file(p) for _, p in sources(CODE_DIRS))
    folders = {}
    for rel, path in sources(TEST_DIRS):
        folder = "/".join(rel.parts[:2]) if len(rel.parts) > 2 else rel.parts[0]
        folders[folder] = folders.get(folder, 0) + count_file(path)
    tests = sum(folders.values())

    for folder in sorted(folders):
        print(f"  {folder:<24} {folders[folder]:6d}")
    ratio = 100.0 * tests / code if code else 0.0
    print(f"code lines {code}, test lines {tests}, tests {ratio:.1f} % of the code "
          f"(at most {limit:g} %)")
    if ratio > limit:
        print(f"too many test lines: at most {int(code * limit / 100)} for this code")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
