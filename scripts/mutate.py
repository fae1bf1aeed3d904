#!/usr/bin/env python3
"""Mutation testing of the engine (core/ and store/).

Applies one small fault at a time to the engine's sources (a flipped
comparison, an off-by-one, a swapped logical operator, a flipped boolean, a
removed call), rebuilds the engine-only tree and runs its tests. A mutant the
tests fail on (or time out on) is killed; one they pass is a survivor, a fault
the suite would let through. Mutants that do not compile are not counted.

    scripts/mutate.py                 # a fixed sample of 300 mutants
    scripts/mutate.py --sample 0      # every mutant (hours)
    scripts/mutate.py --list          # the mutants, without running them
    scripts/mutate.py --files core/Occurrence.cpp
    scripts/mutate.py --again before.log [--files ...]  # rerun what that run killed

The sample is the same from run to run for the same sources, so two runs of
the suite (before and after a change to the tests) can be compared. Survivors
are written to build-mut/survivors.txt. The sources are restored after every
mutant, also when the script is interrupted.
"""
import argparse
import os
import random
import re
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
BUILD = ROOT / "build-mut"
TEST_BINARIES = ["tests/core_tests", "tests/store_tests"]

# (name, pattern, replacement). Patterns are applied to code only: comments,
# string and character literals are blanked before matching. The formatter
# puts blanks around binary operators and none inside template brackets,
# which is how a comparison is told from a template argument list.
OPERATORS = [
    ("lt->le", r"(?<=\s)<(?=\s)", "<="),
    ("le->lt", r"<=", "<"),
    ("gt->ge", r"(?<=\s)>(?=\s)", ">="),
    ("ge->gt", r">=", ">"),
    ("eq->ne", r"==", "!="),
    ("ne->eq", r"!=", "=="),
    ("and->or", r"&&", "||"),
    ("or->and", r"\|\|", "&&"),
    ("plus1->minus1", r"\+ 1\b", "- 1"),
    ("minus1->plus1", r"- 1\b", "+ 1"),
    ("true->false", r"\btrue\b", "false"),
    ("false->true", r"\bfalse\b", "true"),
]
# A statement that is only a call: "Name(...);" or "obj.Name(...);".
CALL_LINE = re.compile(r"^\s*[A-Za-z_][\w:.>\-]*\s*\(.*\)\s*;\s*$")
SKIP_LINE = re.compile(r"^\s*(#|//|\*|/\*|template\b|static_assert\b)")


def blank_literals(line):
    """The line with comments and literals replaced by blanks of equal length."""
    out = []
    i = 0
    quote = None
    while i < len(line):
        c = line[i]
        if quote:
            if c == "\\":
                out.append("  ")
                i += 2
                continue
            out.append(" ")
            if c == quote:
                quote = None
        elif c in "\"'":
            quote = c
            out.append(" ")
        elif line.startswith("//", i):
            out.append(" " * (len(line) - i))
            break
        else:
            out.append(c)
        i += 1
    return "".join(out)


def mutants_of(path):
    rel = path.relative_to(ROOT).as_posix()
    lines = path.read_text().split("\n")
    found = []
    in_block_comment = False
    for n, line in enumerate(lines):
        stripped = line.strip()
        if in_block_comment:
            if "*/" in stripped:
                in_block_comment = False
            continue
        if stripped.startswith("/*"):
            in_block_comment = "*/" not in stripped
            continue
        if SKIP_LINE.match(line) or "operator" in line:
            continue
        code = blank_literals(line)
        for name, pattern, replacement in OPERATORS:
            for m in re.finditer(pattern, code):
                mutated = line[: m.start()] + replacement + line[m.end() :]
                found.append((rel, n, name, mutated))
        if CALL_LINE.match(code) and not re.match(r"^\s*(return|delete|throw)\b", code):
            found.append((rel, n, "remove-call", "/* removed */"))
    return found


def run(cmd, timeout=None):
    return subprocess.run(cmd, cwd=ROOT, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                          timeout=timeout).returncode


def configure():
    if (BUILD / "build.ninja").exists():
        return
    subprocess.run(["cmake", "-S", ".", "-B", str(BUILD), "-G", "Ninja",
                    "-DCMAKE_BUILD_TYPE=Release", "-DCMAKE_CXX_FLAGS=-O1",
                    "-DTICKWELL_ENGINE_ONLY=ON", "-DTICKWELL_BENCH=OFF"],
                   cwd=ROOT, check=True, stdout=subprocess.DEVNULL)


def build():
    return run(["cmake", "--build", str(BUILD), "--target", "core_tests", "store_tests"]) == 0


def tests_pass(timeout):
    env_cmd = ["env", "TICKWELL_HOME=" + str(BUILD / "home")]
    (BUILD / "home").mkdir(exist_ok=True)
    for binary in TEST_BINARIES:
        try:
            if run(env_cmd + [str(BUILD / binary), "--gtest_brief=1", "--gtest_fail_fast"],
                   timeout=timeout) != 0:
                return False
        except subprocess.TimeoutExpired:
            return False
    return True


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--sample", type=int, default=300, help="mutants to run; 0 for all")
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--files", nargs="*", help="sources to mutate (default core/ and store/)")
    ap.add_argument("--list", action="store_true")
    ap.add_argument("--timeout", type=int, default=120, help="seconds per test binary")
    ap.add_argument("--again", metavar="LOG",
                    help="only the mutants an earlier run (same sources, sample and seed; "
                         "no --files) printed as killed, to see whether changed tests still kill them")
    args = ap.parse_args()

    engine = sorted(list((ROOT / "core").glob("*.cpp")) + list((ROOT / "store").glob("*.cpp")))
    files = [ROOT / f for f in args.files] if args.files else engine
    if args.again:
        mutants = [m for f in engine for m in mutants_of(f)]
    else:
        mutants = [m for f in files for m in mutants_of(f)]
    if args.sample and args.sample < len(mutants):
        mutants = sorted(random.Random(args.seed).sample(mutants, args.sample))
    if args.again:
        killed_before = set()
        for entry in Path(args.again).read_text().splitlines():
            m = re.match(r"^\[(\d+)/\d+\] (\S+) \S+: killed$", entry)
            if m:
                killed_before.add(int(m[1]))
        chosen = {f.relative_to(ROOT).as_posix() for f in files}
        mutants = [m for i, m in enumerate(mutants, 1)
                   if i in killed_before and m[0] in chosen]
    if args.list:
        for rel, n, name, text in mutants:
            print(f"{rel}:{n + 1}: {name}: {text.strip()}")
        print(f"{len(mutants)} mutants")
        return 0

    configure()
    if not build() or not tests_pass(args.timeout * 3):
        print("The unmutated tree does not build or its tests fail; fix that first.")
        return 2

    killed = survived = stillborn = 0
    survivors = []
    start = time.time()
    for i, (rel, n, name, text) in enumerate(mutants, 1):
        path = ROOT / rel
        original = path.read_text()
        lines = original.split("\n")
        lines[n] = text
        try:
            path.write_text("\n".join(lines))
            if not build():
                stillborn += 1
                verdict = "does not build"
            elif tests_pass(args.timeout):
                survived += 1
                survivors.append(f"{rel}:{n + 1}: {name}: {text.strip()}")
                verdict = "SURVIVED"
            else:
                killed += 1
                verdict = "killed"
        finally:
            path.write_text(original)
            os.utime(path)
        print(f"[{i}/{len(mutants)}] {rel}:{n + 1} {name}: {verdict}", flush=True)
    build()

    counted = killed + survived
    rate = 100.0 * killed / counted if counted else 0.0
    (BUILD / "survivors.txt").write_text("\n".join(survivors) + "\n")
    if args.again:
        print(f"\n{survived} of the {counted} mutants killed before survive now")
    print(f"\n{killed} killed, {survived} survived, {stillborn} did not build; "
          f"kill rate {rate:.1f}% of {counted} ({time.time() - start:.0f} s)")
    print(f"Survivors: {BUILD / 'survivors.txt'}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
