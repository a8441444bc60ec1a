#!/usr/bin/env python3
"""Plants each fault of faults.tsv alone in the source tree, builds, runs the
suite and puts the source back; prints which faults the suite caught.

  scripts/fault-planting/run.py [--build DIR] [--only NAME ...] [--out FILE] [--every]

A fault is caught when a test fails; the suite stops at the first failure, so
the tests named are those that failed first. With --every the whole suite runs
for each fault and every failing test is named: the map of which tests catch
what, to check before a test is folded or dropped. A fault that does not build is
reported apart: such a row is a mistake in the table. Configure the build
directory with -DSOLFARA_BENCH=OFF to leave the benchmarks out of every build. The tree must be clean
of other changes to the planted files; each file is restored byte for byte.

Only the tests a fault can reach are run: those whose program the build relinked, and
every test that starts the programs or runs a script, whatever was rebuilt. A test
program the build left alone runs the very code it ran before the fault.
"""
import argparse
import json
import os
import pathlib
import re
import subprocess
import sys

root = pathlib.Path(__file__).resolve().parents[2]


def faults(table):
    for line in table.read_text().splitlines():
        if not line or line.startswith("#"):
            continue
        name, path, old, new = line.split("\t")
        yield name, path, old.replace("⏎", "\n"), new.replace("⏎", "\n")


# Test programs that start solfara or beatwise themselves: they run changed code
# even when they were not relinked.
starts_programs = ("process", "startup", "end_to_end")


def test_programs(build, env):
    listing = subprocess.run(["ctest", "--show-only=json-v1"], cwd=build, env=env,
                             capture_output=True, text=True).stdout
    return {t["name"]: t["command"][0] for t in json.loads(listing)["tests"] if "command" in t}


def stamps(programs):
    return {p: os.stat(p).st_mtime_ns for p in set(programs.values()) if os.path.exists(p)}


def reachable(programs, before, build):
    tests_dir = str(build / "tests")
    return [name for name, program in programs.items()
            if not program.startswith(tests_dir) or any(w in program for w in starts_programs)
            or before.get(program) != (os.stat(program).st_mtime_ns if os.path.exists(program) else None)]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", default="build")
    parser.add_argument("--only", nargs="*")
    parser.add_argument("--out")
    parser.add_argument("--every", action="store_true")
    args = parser.parse_args()
    build = (root / args.build).resolve()
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", JACK_NO_START_SERVER="1")
    rows = []
    programs = {name: program for name, program in test_programs(build, env).items()
                if not name.startswith("layer_probe_")}
    for name, path, old, new in faults(pathlib.Path(__file__).with_name("faults.tsv")):
        if args.only and name not in args.only:
            continue
        file = root / path
        original = file.read_bytes()
        text = original.decode()
        if text.count(old) != 1:
            rows.append((name, "not planted: the text is not in the file once"))
            print(rows[-1], flush=True)
            continue
        try:
            before = stamps(programs)
            file.write_text(text.replace(old, new))
            built = subprocess.run(["cmake", "--build", str(build), "-j2"], capture_output=True,
                                   text=True)
            if built.returncode != 0:
                verdict = "does not build"
            else:
                stop = [] if args.every else ["--stop-on-failure"]
                chosen = reachable(programs, before, build)
                pattern = "^(" + "|".join(re.escape(n) for n in chosen) + ")$"
                tests = subprocess.run(
                    ["ctest", "-j2", "--timeout", "180", *stop, "-R", pattern],
                    cwd=build, env=env, capture_output=True, text=True)
                failed = [l.split(" - ", 1)[1].split(" (")[0].strip()
                          for l in tests.stdout.splitlines() if l.strip()[:1].isdigit()
                          and " - " in l and ("(Failed)" in l or "(Timeout)" in l
                                              or "(SEGFAULT)" in l or "Exception" in l)]
                verdict = f"caught by {len(failed)}: " + ", ".join(failed if args.every else failed[:4]) if failed \
                    else ("MISSED" if tests.returncode == 0 else "caught (suite failed)")
        finally:
            file.write_bytes(original)
        rows.append((name, verdict))
        print(rows[-1], flush=True)
    caught = sum(1 for _, v in rows if v.startswith("caught"))
    planted = sum(1 for _, v in rows if not v.startswith("not planted") and v != "does not build")
    summary = f"{caught} of {planted} planted faults caught"
    print(summary)
    if args.out:
        pathlib.Path(args.out).write_text(
            "".join(f"{n}\t{v}\n" for n, v in rows) + summary + "\n")
    # Leave the build matching the restored sources.
    subprocess.run(["cmake", "--build", str(build), "-j2"], capture_output=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
