#!/usr/bin/env python3
"""Mutation sample of the libraries: how many small faults do the tests catch?

Each mutant in mutants.txt names a source file, a snippet that occurs exactly once in it and
its replacement. For each mutant the script writes the fault into the file, rebuilds, runs
the tests (all but the installed-package checks) and restores the file, whatever happens.
A mutant is killed when the build still succeeds and a test fails or times out; a mutant
that does not compile is reported and left out of the score. Run by hand, not in CI:

    tests/mutation/run.py                  # every mutant, build dir build/mutation
    tests/mutation/run.py --only AudioTime,T2S # mutants whose name contains one of the texts
    tests/mutation/run.py --list           # check that every snippet still matches once

It configures build/mutation (default preset, no benchmarks or fuzzers) on first use. A
full run takes about half a minute per mutant on two cores.
"""

import argparse
import os
import pathlib
import subprocess
import sys
import time

ROOT = pathlib.Path(__file__).resolve().parents[2]
MUTANTS = pathlib.Path(__file__).resolve().with_name("mutants.txt")


def parse(path):
    """Blocks of 'name:', 'file:', 'find:', 'replace:' lines, separated by blank lines.
    A value may start with '|' and continue on lines that start with '|' (joined with line
    feeds), so that it can keep leading spaces."""
    mutants, current, key = [], {}, None
    for raw in path.read_text().splitlines() + [""]:
        if raw.startswith("#"):
            continue
        if not raw.strip():
            if current:
                mutants.append(current)
            current, key = {}, None
            continue
        if raw.startswith("|") and key:
            current[key] += "\n" + raw[1:]
            continue
        key, _, value = raw.partition(":")
        key = key.strip()
        value = value[1:] if value.startswith(" ") else value
        current[key] = value[1:] if value.startswith("|") else value
    for m in mutants:
        missing = {"name", "file", "find", "replace"} - m.keys()
        if missing:
            sys.exit(f"mutant {m.get('name', '?')}: missing {', '.join(sorted(missing))}")
    return mutants


def check(mutant):
    text = (ROOT / mutant["file"]).read_text()
    return text.count(mutant["find"])


def run(command, timeout, log):
    with open(log, "ab") as out:
        out.write(f"\n$ {' '.join(command)}\n".encode())
        out.flush()
        try:
            return subprocess.run(command, cwd=ROOT, stdout=out, stderr=subprocess.STDOUT, timeout=timeout).returncode
        except subprocess.TimeoutExpired:
            return "timeout"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build-dir", default="build/mutation")
    parser.add_argument("--only", default="", help="comma-separated texts; a mutant runs if its name contains one")
    parser.add_argument("--list", action="store_true")
    parser.add_argument("--test-timeout", type=int, default=120, help="seconds per test case")
    args = parser.parse_args()

    only = args.only.split(",")
    mutants = [m for m in parse(MUTANTS) if any(text in m["name"] for text in only)]
    stale = [m for m in mutants if check(m) != 1]
    for m in stale:
        print(f"stale: {m['name']}: snippet occurs {check(m)} times in {m['file']}")
    if args.list or stale:
        print(f"{len(mutants)} mutants, {len(stale)} stale")
        return 1 if stale else 0

    build = ROOT / args.build_dir
    log = build / "mutation.log"
    if not (build / "build.ninja").exists():
        subprocess.run(["cmake", "--preset", "default", "-B", str(build), "-DTIVREL_BUILD_BENCH=OFF",
                        "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache", "-DCMAKE_LINK_DEPENDS_NO_SHARED=ON"], cwd=ROOT, check=True)
    if run(["cmake", "--build", str(build), "-j2"], 3600, log) != 0:
        sys.exit(f"the unmutated tree does not build; see {log}")
    tests = ["ctest", "--test-dir", str(build), "-LE", "package|abi|docs", "-j2", "--timeout",
             str(args.test_timeout), "--stop-on-failure", "-Q"]
    if run(tests, 3600, log) != 0:
        sys.exit(f"the unmutated tree fails its tests; see {log}")

    results = {"killed": [], "lived": [], "no build": []}
    for i, m in enumerate(mutants, 1):
        path = ROOT / m["file"]
        original = path.read_text()
        started = time.time()
        try:
            path.write_text(original.replace(m["find"], m["replace"], 1))
            if run(["cmake", "--build", str(build), "-j2"], 1800, log) != 0:
                outcome = "no build"
            else:
                outcome = "lived" if run(tests, 3600, log) == 0 else "killed"
        finally:
            path.write_text(original)
        results[outcome].append(m["name"])
        print(f"[{i}/{len(mutants)}] {outcome:8} {m['name']} ({time.time() - started:.0f} s)", flush=True)

    run(["cmake", "--build", str(build), "-j2"], 3600, log)  # leave the build matching the tree
    scored = len(results["killed"]) + len(results["lived"])
    print(f"\ncaught {len(results['killed'])}/{scored} ({100.0 * len(results['killed']) / max(scored, 1):.1f}%)"
          f", {len(results['no build'])} did not build")
    for name in results["lived"]:
        print(f"  lived: {name}")
    for name in results["no build"]:
        print(f"  no build: {name}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
