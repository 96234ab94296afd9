#!/usr/bin/env python3
"""Writes uncertainty_generated.tsv beside this file: the uncertainty figures of generated data
sets, from the textbook formulas in rationals, the t distribution from mpmath at 80 digits, and
with 2 degrees of freedom (t_c squared rational) every rounding decided exactly. A value within
1e-50 of a rounding midpoint any other way stops the generator instead of guessing.

    python3 uncertainty_oracle.py [COUNT]
"""
import os
import random
import sys
from fractions import Fraction as F
from math import floor, isqrt

import mpmath as mp

mp.mp.dps = 80
LEVELS = {90: F(9, 10), 95: F(19, 20), 99: F(99, 100)}
ORDER = "NU S R2 SEA SEB TA TB PA PB TC ALOW AHIGH BLOW BHIGH MEANLOW MEANHIGH NEWLOW NEWHIGH"


def fixed(negative, units, decimals):
    digits = str(units).rjust(decimals + 1, "0")
    return ("-" if negative else "") + digits[:-decimals] + "." + digits[-decimals:]


def round_rational(q, decimals):
    return fixed(q < 0, floor(abs(q) * 10**decimals + F(1, 2)), decimals)


def round_root(q, decimals, negative=False):
    # floor(sqrt(Q) + 1/2) = (floor(sqrt(4Q)) + 1) // 2
    units = (isqrt(floor(4 * q * 10 ** (2 * decimals))) + 1) // 2
    return fixed(negative and q != 0, units, decimals)


def round_real(x, decimals):
    scaled = abs(x) * mp.mpf(10) ** decimals
    units = int(mp.floor(scaled + mp.mpf(1) / 2))
    if abs(scaled - (units - mp.mpf(1) / 2)) < mp.mpf(10) ** -50 * max(1, scaled):
        raise ValueError("near a midpoint: %s" % mp.nstr(x, 60))
    return fixed(x < 0, units, decimals)


def round_root_sum(a, r, side, decimals):
    """a + side*sqrt(r) exactly, half away from zero."""
    def above(m):  # sign of value - m
        g = side * (m - a)
        return side if g <= 0 else side * ((r > g * g) - (r < g * g))
    unit = F(1, 10**decimals)
    guess = mp.mpf(a.numerator) / a.denominator + side * mp.sqrt(mp.mpf(r.numerator) / r.denominator)
    k = int(mp.nint(guess * 10**decimals))
    while True:
        high, low = (k + F(1, 2)) * unit, (k - F(1, 2)) * unit
        if above(high) > 0 or (above(high) == 0 and high > 0):
            k += 1
        elif above(low) < 0 or (above(low) == 0 and low < 0):
            k -= 1
        else:
            return fixed(k < 0 or (k == 0 and above(F(0)) < 0), abs(k), decimals)


def tail(nu, t2):
    x = mp.mpf(nu) / (nu + mp.mpf(t2.numerator) / t2.denominator)
    return mp.betainc(mp.mpf(nu) / 2, mp.mpf(1) / 2, 0, x, regularized=True)


CRITICAL = {}


def critical_t(nu, level):
    if (nu, level) not in CRITICAL:
        alpha = 1 - mp.mpf(level.numerator) / level.denominator
        f = lambda t: mp.betainc(mp.mpf(nu) / 2, mp.mpf(1) / 2, 0, nu / (nu + t * t),
                                 regularized=True) - alpha
        low, high = mp.mpf(1), mp.mpf(200)
        while high - low > mp.mpf(10) ** -12:
            middle = (low + high) / 2
            low, high = (middle, high) if f(middle) > 0 else (low, middle)
        CRITICAL[(nu, level)] = mp.findroot(f, low, tol=mp.mpf(10) ** -75)
    return CRITICAL[(nu, level)]


def p_text(nu, t2):
    p = tail(nu, t2)
    if p == 1:
        return "1.000"
    e = int(mp.floor(mp.log10(p)))
    scaled = p * mp.mpf(10) ** (3 - e)
    units = int(mp.floor(scaled + mp.mpf(1) / 2))
    if abs(scaled - (units - mp.mpf(1) / 2)) < mp.mpf(10) ** -50:
        raise ValueError("p near a midpoint")
    if units == 10000:
        units, e = 1000, e + 1
    if e >= -3:
        return fixed(False, units, 3 - e)
    return "%d.%03dE%d" % (units // 1000, units % 1000, e)


def figures(rows, level, x0):
    used = [(F(x), F(y)) for x, y, on in rows if on]
    n = len(used)
    sx, sy = sum(x for x, _ in used), sum(y for _, y in used)
    sxx, syy = sum(x * x for x, _ in used), sum(y * y for _, y in used)
    sxy = sum(x * y for x, y in used)
    dx, dy, c = n * sxx - sx * sx, n * syy - sy * sy, n * sxy - sx * sy
    e = dx * dy - c * c
    nu = n - 2
    a = c / dx
    b = (sy - a * sx) / n
    out = {"NU": str(nu), "R2": round_rational(c * c / (dx * dy), 8)}
    if nu == 0:
        return out
    L = LEVELS[level]
    t2c = 2 * L * L / (1 - L * L)  # t_c squared when nu = 2
    tc = critical_t(nu, L)

    def end(est, var, side, decimals):
        if var == 0:
            return round_rational(est, decimals)
        if nu == 2:
            return round_root_sum(est, var * t2c, side, decimals)
        est_real = mp.mpf(est.numerator) / est.denominator
        return round_real(est_real + side * tc * mp.sqrt(mp.mpf(var.numerator) / var.denominator), decimals)

    s2 = e / (n * nu * dx)
    va = e / (nu * dx * dx)
    vb = va * sxx / n
    out["S"] = round_root(s2, 5)
    out["TC"] = round_root(t2c, 5) if nu == 2 else round_real(tc, 5)
    for name, est, var in (("A", a, va), ("B", b, vb)):
        out["SE" + name] = round_root(var, 8)
        if e != 0:
            out["T" + name] = round_root(est * est / var, 5, est < 0)
            out["P" + name] = p_text(nu, est * est / var)
        out[name + "LOW"], out[name + "HIGH"] = end(est, var, -1, 8), end(est, var, 1, 8)
    y0 = a * x0 + b
    h = F(1, n) + (n * x0 - sx) ** 2 / (n * dx)
    for name, var in (("MEAN", s2 * h), ("NEW", s2 * (1 + h))):
        out[name + "LOW"], out[name + "HIGH"] = end(y0, var, -1, 5), end(y0, var, 1, 5)
    return out


def text(q, decimals):
    """q (a Fraction) as a plain decimal text with `decimals` decimals."""
    units = round(q * 10**decimals)
    return fixed(units < 0, abs(units), decimals).rstrip("0").rstrip(".") if decimals else str(units)


def line_rows(rng, n, slope, intercept, noise, xd, yd, x_start=0, x_step=1):
    rows = []
    for i in range(n):
        x = F(x_start) + F(x_step) * i + F(rng.randint(-40, 40), 100) * F(x_step)
        x = F(text(x, xd)) if xd else F(round(x))
        y = slope * x + intercept + F(rng.randint(-10**6, 10**6), 10**6) * noise
        rows.append((text(x, xd), text(y, yd), True))
    return rows


def family(rng, kind):
    n = rng.choice([3, 4, 5, 6]) if kind in ("small", "tie") else rng.randint(3, 30)
    slope = F(rng.randint(-5000, 5000), 1000)
    intercept = F(rng.randint(-10**5, 10**5), 1000)
    if kind == "everyday" or kind == "small":
        return line_rows(rng, n, slope, intercept, F(rng.randint(1, 300), 100), 2, 3)
    if kind == "falling":
        return line_rows(rng, n, -abs(slope) - 1, intercept, F(1, 2), 1, 3)
    if kind == "near-perfect":
        return line_rows(rng, n, slope, intercept, F(1, 10**6), 3, 9)
    if kind == "tiny-p":
        return line_rows(rng, 30, slope + 3, intercept, F(1, 10**rng.randint(1, 9)), 0, 12)
    if kind == "large-offset":
        return line_rows(rng, n, slope, 10**7 + intercept, F(5), 1, 2, 10**6, F(1, 2))
    if kind == "perfect":
        return line_rows(rng, n, slope, intercept, F(0), 1, 4)
    if kind == "flat":  # symmetric Y: slope 0, t 0, p 1
        half = [text(F(rng.randint(0, 9999), 100), 2) for _ in range((n + 1) // 2)]
        ys = half + half[: n // 2][::-1]
        return [(str(i), y, True) for i, y in enumerate(ys)]
    raise KeyError(kind)


# Four rows whose 90 % intervals, shifted along the line, end exactly on a rounding midpoint.
TIE_BASES = [((6, 6, 5, 7), (30, 4, 9, 29), "A"), ((2, 3, 3, 4), (25, 13, 1, 10), "B")]


def tie_rows(xs, ys, which, nudge):
    """The base rows with Y shifted (by c·x for the slope, by c for the intercept) so that the
    interval's upper end lies on a midpoint (its width has 8 decimals: the lower one too), then
    nudged by `nudge`."""
    n, sx, sxx = 4, sum(xs), sum(x * x for x in xs)
    dx = n * sxx - sx * sx
    sy, sxy = sum(ys), sum(x * y for x, y in zip(xs, ys))
    syy = sum(y * y for y in ys)
    c = n * sxy - sx * sy
    e = dx * (n * syy - sy * sy) - c * c
    va = F(e, 2 * dx * dx)
    var = va if which == "A" else va * F(sxx, n)
    est = F(c, dx) if which == "A" else (sy - F(c, dx) * sx) / n
    L = LEVELS[90]
    square = var * 2 * L * L / (1 - L * L)
    width = F(isqrt(square.numerator), isqrt(square.denominator))
    end = est + width
    target = (floor(end * 10**8) + F(1, 2)) / 10**8 + nudge
    shift = target - end
    out = []
    for x, y in zip(xs, ys):
        out.append((str(x), text(y + shift * (x if which == "A" else 1), 70), True))
    return out


def edge_sets():
    worked = [("1", "2", True), ("2", "3", True), ("3", "5", True), ("4", "6", True)]
    yield "edge-worked-95", 95, worked, "2.5"
    yield "edge-worked-90", 90, worked, "2.5"
    yield "edge-worked-99", 99, worked, "2.5"
    yield "edge-two-rows", 95, worked[:2], "7"
    yield "edge-perfect", 95, [("1", "3", True), ("2", "5", True), ("4", "9", True)], "3"
    yield "edge-excluded", 95, worked + [("10", "-50", False), ("-3", "1e9", False)], "2.5"
    yield "edge-falling", 99, [("0", "10", True), ("1", "8.5", True), ("2", "6.1", True),
                               ("3", "4.4", True), ("5", "0.2", True)], "-1"


def generated_sets(count, rng):
    kinds = ["everyday", "small", "falling", "near-perfect", "tiny-p", "large-offset", "perfect",
             "flat"]
    index = 0
    for xs, ys, which in TIE_BASES:
        for digits in (None, 15, -15, 30, -30, 60, -60):
            nudge = F(0) if digits is None else F(1 if digits > 0 else -1, 10 ** abs(digits))
            index += 1
            yield "tie-%s-%d" % (which, index), 90, tie_rows(xs, ys, which, nudge), "5"
    while index < count:
        index += 1
        kind = kinds[index % len(kinds)]
        rows = family(rng, kind)
        xs = [F(x) for x, _, _ in rows]
        x0 = text(min(xs) + (max(xs) - min(xs)) * F(rng.randint(-50, 150), 100), 2)
        yield "%s-%d" % (kind, index), [90, 95, 99][index % 3], rows, x0


def main():
    count = int(sys.argv[1]) if len(sys.argv) > 1 else 1000
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, "uncertainty_generated.tsv"), "w") as out:
        out.write("# Written by uncertainty_oracle.py; do not edit.\n")
        out.write("# name\tlevel\trows (x:y, x:y:off unchecked)\tprediction X\t" + ORDER + "\n")
        sets = list(edge_sets()) + list(generated_sets(count, random.Random(21)))
        for name, level, rows, x0 in sets:
            f = figures(rows, level, F(x0))
            cells = " ".join(f.get(k, "undefined") for k in ORDER.split())
            tokens = " ".join("%s:%s%s" % (x, y, "" if on else ":off") for x, y, on in rows)
            out.write("%s\t%d\t%s\t%s\t%s\n" % (name, level, tokens, x0, cells))


if __name__ == "__main__":
    main()
