#!/usr/bin/env python3
"""Times tarnwick-calc's batch of Form21 cases as text, as text with the checks
(--checks) and as JSON Lines (--json, which always carries the checks): CPU time
(user and system) of the whole process, best of three, per case.

usage: json_versus_text.py CALC CASES_FILE"""
import os
import subprocess
import sys


def best_cpu(argv, cases_file):
    best = float("inf")
    for _ in range(3):
        with open(cases_file) as cin, open(os.devnull, "w") as cout:
            child = subprocess.Popen(argv, stdin=cin, stdout=cout)
            _, status, usage = os.wait4(child.pid, 0)
        if os.waitstatus_to_exitcode(status) != 0:
            sys.exit(f"json_versus_text: {argv} failed")
        best = min(best, usage.ru_utime + usage.ru_stime)
    return best


def main():
    calc, cases_file = sys.argv[1:3]
    with open(cases_file) as f:
        cases = sum(1 for line in f if line.strip())
    per = {}
    for name, options in (("text", []), ("--checks", ["--checks"]), ("--json", ["--json"])):
        per[name] = best_cpu([calc, *options, "Form21", "-"], cases_file) / cases * 1e6
    ratio = per["--json"] / per["text"]
    print(f"batch of {cases} Form21 cases, CPU a case: text {per['text']:.2f} us, "
          f"--checks {per['--checks']:.2f} us, --json {per['--json']:.2f} us")
    print(f"--json against text: {ratio:.1f} times (target 2: {'met' if ratio <= 2 else 'NOT met'}); "
          f"against the text with the same checks: {per['--json'] / per['--checks']:.1f} times")


if __name__ == "__main__":
    main()
