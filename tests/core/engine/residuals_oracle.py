#!/usr/bin/env python3
"""Writes residuals_generated.tsv beside this file: the residuals page of generated data sets,
from the centred textbook formulas in rationals, square roots rounded exactly by integer roots.

    python3 residuals_oracle.py [COUNT]
"""
import os
import random
import sys
from fractions import Fraction as F

from uncertainty_oracle import line_rows, round_rational, round_root, text


def mean(values):
    return sum(values) / len(values)


def page(rows):
    """'note;a;b;r' then one 'fitted;residual;standardized;leverage;cook;state' per row, '|' apart."""
    fit = [(F(x), F(y)) for x, y, on in rows if on]
    n = len(fit)
    mx, my = mean([x for x, _ in fit]), mean([y for _, y in fit])
    sxx = sum((x - mx) ** 2 for x, _ in fit)
    sxy = sum((x - mx) * (y - my) for x, y in fit)
    a = sxy / sxx
    b = my - a * mx
    sse = sum((y - a * x - b) ** 2 for x, y in fit)
    s2 = sse / (n - 2) if n > 2 and sse else None
    note = "dof" if n == 2 else "perfect" if sse == 0 else "-"
    cells = []
    for x, y, on in rows:
        x, y = F(x), F(y)
        e = y - a * x - b
        h = F(1, n) + (x - mx) ** 2 / sxx
        r2 = None if s2 is None or (on and h == 1) else e * e / (s2 * (1 - h if on else 1 + h))
        cook = None if r2 is None or not on else e * e * h / (2 * s2 * (1 - h) ** 2)
        marks = [w for w, hit in (("anomalo", r2 is not None and r2 > 4),
                                  ("influente", cook is not None and cook > F(4, n))) if hit]
        state = " e ".join(marks) or "in uso" if on else ", ".join(["esclusa"] + marks)
        shown = [round_rational(a * x + b, 5), round_rational(e, 5),
                 "-" if r2 is None else round_root(r2, 5, e < 0),
                 round_rational(h, 5) if on else "-", "-" if cook is None else round_rational(cook, 5)]
        cells.append(";".join(shown + [state]))
    return ";".join([note] + with_all(rows)) + "|" + "|".join(cells)


def with_all(rows):
    xs, ys = [F(x) for x, _, _ in rows], [F(y) for _, y, _ in rows]
    mx, my = mean(xs), mean(ys)
    sxx, syy = sum((x - mx) ** 2 for x in xs), sum((y - my) ** 2 for y in ys)
    sxy = sum((x - mx) * (y - my) for x, y in zip(xs, ys))
    if all(on for _, _, on in rows) or sxx == 0 or syy == 0:
        return ["-", "-", "-"]  # shown only with some row left out, and only when it has a line
    return [round_rational(sxy / sxx, 8), round_rational(my - sxy / sxx * mx, 8),
            round_root(sxy * sxy / (sxx * syy), 8, sxy < 0)]


def planted(rng, kind):
    n = 3 if kind == "three" else rng.randint(3, 10) if rng.random() < 0.85 else rng.randint(11, 30)
    slope, intercept = F(rng.randint(-5000, 5000), 1000), F(rng.randint(-10**5, 10**5), 1000)
    perfect = kind == "perfect"
    noise = F(rng.randint(1, 300), 100)
    rows = line_rows(rng, n, slope, intercept, 0 if perfect else noise, 1 + (not perfect), 4 - (not perfect))
    far = rng.sample(range(n), rng.randint(1, max(1, n // 4)))
    for i in far:
        x, y, _ = rows[i]
        if kind in ("outlier", "three", "perfect"):  # a Y far off the line, at times an X too
            x = text(F(x) + n * rng.choice([0, 0, 1, 2]), 2)
            y = text(slope * F(x) + intercept + rng.choice([-1, 1]) * noise * rng.randint(2, 12), 3)
        if kind == "leverage":  # an X far beyond the others, near or off the line
            x = text(F(x) * rng.randint(5, 40) + rng.randint(50, 500), 2)
            y = text(slope * F(x) + intercept + noise * rng.randint(-6, 6), 3)
        rows[i] = (x, y, not perfect)
    off = {"unchecked": n // 2, "two-left": n - 2, "same-x": n // 3}.get(kind, rng.randint(0, n // 3))
    for i in rng.sample(range(n), min(off, n - 2) if kind != "three" else 0):
        rows[i] = (rows[i][0], rows[i][1], False)
    if kind == "same-x":  # the unchecked rows share one X, sometimes a checked row's
        shared = rng.choice(rows)[0]
        rows = [(x if on else shared, y, on) for x, y, on in rows]
    return rows


def main():
    count = int(sys.argv[1]) if len(sys.argv) > 1 else 1000
    rng = random.Random(22)
    kinds = ["outlier", "leverage", "unchecked", "perfect", "three", "two-left", "same-x"]
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, "residuals_generated.tsv"), "w") as out:
        out.write("# Written by residuals_oracle.py; do not edit.\n")
        out.write("# name\trows (x:y, x:y:off unchecked)\tnote;a;b;r with all|fitted;residual;"
                  "standardized;leverage;cook;state per row, - undefined\n")
        written = 0
        while written < count:
            kind = kinds[written % len(kinds)]
            rows = planted(rng, kind)
            fit = [(F(x), F(y)) for x, y, on in rows if on]
            if len({x for x, _ in fit}) < 2 or len({y for _, y in fit}) < 2:
                continue  # no line: the statistics fail before this page
            written += 1
            tokens = " ".join("%s:%s%s" % (x, y, "" if on else ":off") for x, y, on in rows)
            out.write("%s-%d\t%s\t%s\n" % (kind, written, tokens, page(rows)))


if __name__ == "__main__":
    main()
