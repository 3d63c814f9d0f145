#!/usr/bin/env python3
"""The reference for the batch benchmark: the normal depth of each flat-bottom case
on standard input (B, M, n, D, Q as tarnwick-calc Form21 - reads them), found
with scipy's brentq on Manning's formula between the dry bed and 1000 m, printed
as the depth and the discharge Q1 at it. The time of the loop that solves and
prints goes to standard error, so the cost of starting Python and importing
scipy can be told apart."""
import math
import sys
import time

from scipy.optimize import brentq


def discharge(h, b, m, n, i):
    area = h * (b + m * h)
    perimeter = b + math.sqrt(m * m + 1.0) * (h * 2.0)
    radius = area / perimeter
    return area * radius ** (2.0 / 3.0) * math.sqrt(i) / n


def main():
    cases = []
    for line in sys.stdin:
        if line.strip():
            b, m, n, d, q = (float(f) for f in line.split(","))
            cases.append((b, m, n, 1.0 / d, q))
    start = time.perf_counter()
    out = []
    for b, m, n, i, q in cases:
        h = brentq(lambda x: discharge(x, b, m, n, i) - q, 0.0, 1000.0)
        out.append(f"{h:.5f} {discharge(h, b, m, n, i):.5f}\n")
    sys.stdout.write("".join(out))
    sys.stdout.flush()
    elapsed = time.perf_counter() - start
    print(f"{elapsed * 1e9:.0f}", file=sys.stderr)  # nanoseconds


if __name__ == "__main__":
    main()
