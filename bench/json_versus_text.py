#!/usr/bin/env python3
"""Times tarnwick-calc's batch of Form21 cases as text, as text with the checks
(--checks), as JSON Lines (--json, which carries the checks) and as JSON Lines
without them (--json --no-checks): CPU time (user and system) of the whole
process, best of three, per case. Each JSON form is set against the text of the
same content: --json --no-checks against the text, --json against --checks.

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
    variants = (("text", []), ("--checks", ["--checks"]), ("--json", ["--json"]),
                ("--json --no-checks", ["--json", "--no-checks"]))
    for name, options in variants:
        per[name] = best_cpu([calc, *options, "Form21", "-"], cases_file) / cases * 1e6
    print(f"batch of {cases} Form21 cases, CPU a case: "
          + ", ".join(f"{name} {per[name]:.2f} us" for name, _ in variants))
    for json_form, text_form in (("--json --no-checks", "text"), ("--json", "--checks")):
        ratio = per[json_form] / per[text_form]
        print(f"{json_form} against {text_form} (the same content): {ratio:.1f} times "
              f"(target 2: {'met' if ratio <= 2 else 'NOT met'})")
    print(f"--json (with its checks) against the plain text: "
          f"{per['--json'] / per['text']:.1f} times")


if __name__ == "__main__":
    main()
