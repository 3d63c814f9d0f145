#!/usr/bin/env python3
"""Times tarnwick-calc's batch mode against the scipy brentq reference script on
the same cases: whole processes, best of three runs each, by CPU time (user and
system; on a shared machine wall time also counts the waits for a core) and by
wall time. The script's time includes starting Python and importing scipy; the
time of its solving loop alone is printed as well. Both must have solved the
same cases: the depths they report must agree (within 1 cm; the program's
search stops once the discharge is within 0.0001 m³/s).

usage: batch_versus_brentq.py CALC CASES_FILE WORK_DIR"""
import os
import re
import subprocess
import sys
import time


def run(argv, cases_file, out_file):
    """Best CPU and wall seconds of three runs, the output and the standard error."""
    best_cpu = best_wall = float("inf")
    for _ in range(3):
        with open(cases_file) as cin, open(out_file, "w") as cout:
            start = time.perf_counter()
            child = subprocess.Popen(argv, stdin=cin, stdout=cout, stderr=subprocess.PIPE)
            err = child.stderr.read()
            _, status, usage = os.wait4(child.pid, 0)
            wall = time.perf_counter() - start
        if os.waitstatus_to_exitcode(status) != 0:
            sys.exit(f"batch_versus_brentq: {argv} failed: {err.decode()}")
        best_cpu = min(best_cpu, usage.ru_utime + usage.ru_stime)
        best_wall = min(best_wall, wall)
    with open(out_file, encoding="utf-8") as f:
        return best_cpu, best_wall, f.read(), err


def main():
    calc, cases_file, work = sys.argv[1:4]
    here = os.path.dirname(os.path.abspath(__file__))
    with open(cases_file) as f:
        cases = sum(1 for line in f if line.strip())
    calc_cpu, calc_wall, calc_out, _ = run([calc, "Form21", "-"], cases_file, f"{work}/calc.txt")
    # The solver runs on one thread; the linear-algebra library scipy loads need not start more.
    os.environ["OPENBLAS_NUM_THREADS"] = "1"
    script = [sys.executable, os.path.join(here, "flat_bottom_brentq.py")]
    py_cpu, py_wall, py_out, loop_ns = run(script, cases_file, f"{work}/py.txt")
    loop = int(loop_ns) / 1e9
    ours = [float(h) for h in re.findall(r"正常水深H= (\S+)", calc_out)]
    theirs = [float(line.split()[0]) for line in py_out.splitlines()]
    worst = max(abs(a - b) for a, b in zip(ours, theirs))
    print(f"batch of {cases} flat-bottom cases ({len(ours)} reports, "
          f"depths within {worst:.6f} m of brentq's):")
    print(f"  tarnwick-calc Form21 -  {calc_cpu * 1e3:7.1f} ms CPU {calc_wall * 1e3:7.1f} ms wall")
    print(f"  scipy brentq script     {py_cpu * 1e3:7.1f} ms CPU {py_wall * 1e3:7.1f} ms wall"
          f"  (its solving loop alone {loop * 1e3:.1f} ms)")
    print(f"batch ratio: {py_cpu / calc_cpu:.1f} times faster by CPU time, "
          f"{py_wall / calc_wall:.1f} by wall time (target 10); "
          f"{loop / calc_cpu:.1f} times the script's solving loop alone")
    if len(ours) != cases or len(theirs) != cases or worst > 1e-2:
        sys.exit("batch_versus_brentq: the two batch runs disagree")


if __name__ == "__main__":
    main()
