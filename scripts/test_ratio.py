#!/usr/bin/env python3
"""Size of the test suite against the code it tests.

Counts non-blank lines that are not only a comment, in the program's code and
in tests/, and prints both and their ratio. The project keeps the tests at a
quarter to a third of the code. The first line weighs the tests of the
program proper (core, store, platform, ui, app, cli: all of tests/ but
tests/ical and tests/tools) against it; the second all of tests/ against all
the code, ical/ and tools/ included.

    scripts/test_ratio.py            # the totals and the ratio
    scripts/test_ratio.py --files    # and each test file's count, largest first
"""
import re
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
PROGRAM = ["core", "store", "platform", "ui", "app", "cli"]
CODE = PROGRAM + ["ical", "tools"]
TESTS = ["tests"]
NOT_PROGRAM_TESTS = ["tests/ical", "tests/tools"]
SUFFIXES = {".cpp", ".h", ".sh", ".py"}


def count(path):
    n = 0
    in_block = False
    for line in path.read_text(errors="replace").splitlines():
        s = line.strip()
        if in_block:
            if "*/" in s:
                in_block = False
                s = s.split("*/", 1)[1].strip()
            else:
                continue
        if s.startswith("/*"):
            if "*/" not in s:
                in_block = True
            continue
        if not s or s.startswith("//") or (path.suffix in {".sh", ".py"} and s.startswith("#")):
            continue
        n += 1
    return n


def files(dirs):
    for d in dirs:
        for p in sorted((ROOT / d).rglob("*")):
            if p.is_file() and p.suffix in SUFFIXES:
                yield p


program = sum(count(p) for p in files(PROGRAM))
code = sum(count(p) for p in files(CODE))
per_test = sorted(((count(p), p.relative_to(ROOT)) for p in files(TESTS)), reverse=True)
tests = sum(n for n, _ in per_test)
program_tests = sum(
    n for n, p in per_test if not any(str(p).startswith(d + "/") for d in NOT_PROGRAM_TESTS))
if "--files" in sys.argv:
    for n, p in per_test:
        print(f"{n:6} {p}")
print(f"program {program}  its tests {program_tests}  ratio {100.0 * program_tests / program:.1f}%")
print(f"with ical/ and tools/ {code}  tests {tests}  ratio {100.0 * tests / code:.1f}%")
