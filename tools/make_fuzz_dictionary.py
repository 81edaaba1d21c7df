"""Writes the libFuzzer dictionary of the well-file target from the JSON Schema
of a well file: every key and every named value, quoted as in a document.

Usage: dlv schema | python3 tools/make_fuzz_dictionary.py > tests/fuzz/wellfile.dict
"""
import json
import sys


def words(node, found):
    if isinstance(node, dict):
        found.update(node.get("properties", {}).keys())
        found.update(v for v in node.get("enum", []) if isinstance(v, str))
        for value in node.values():
            words(value, found)
    elif isinstance(node, list):
        for value in node:
            words(value, found)
    return found


print("# Keys and named values of a well file, from its JSON Schema (tools/make_fuzz_dictionary.py).")
for word in sorted(words(json.load(sys.stdin), set())):
    print(json.dumps(json.dumps(word)))
