#!/usr/bin/env python3
"""Random flat-bottom channel cases for the batch benchmark, one line each in the
box order of Form21: bottom width B, side slope M, roughness n, slope denominator D
and design discharge Q, separated by commas. A fixed seed gives the same cases on
every run, so the program and the reference script solve the same ones."""
import random
import sys


def main():
    count = int(sys.argv[1]) if len(sys.argv) > 1 else 20000
    rng = random.Random(20000)
    out = []
    for _ in range(count):
        b = rng.uniform(0.5, 10.0)
        # A quarter of the sections are rectangles.
        m = 0.0 if rng.random() < 0.25 else rng.uniform(0.25, 3.0)
        n = rng.uniform(0.011, 0.035)
        d = rng.uniform(500.0, 10000.0)
        q = rng.uniform(0.1, 100.0)
        out.append(f"{b:.4f},{m:.4f},{n:.4f},{d:.1f},{q:.4f}\n")
    sys.stdout.write("".join(out))


if __name__ == "__main__":
    main()
