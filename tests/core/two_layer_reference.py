#!/usr/bin/env python3
"""Reference values for tst_soilmodel: the Wenner image series on two-layer soil summed
term by term (K^n as exp(-n ln(1/|K|)), math.fsum) until what is left cannot reach 1e-21,
with none of the program's tail estimates. Slow for |K| near 1: a minute or two.
    python3 tests/core/two_layer_reference.py
"""
import math


def bracket(y):
    s1, s2 = math.sqrt(1 + y * y), math.sqrt(4 + y * y)
    return 3 / (s1 * s2 * (s1 + s2))  # 1/s1 - 1/s2 without cancellation


def apparent(r1, r2, h, a):
    if r1 == r2:
        return r1
    k = (r2 - r1) / (r2 + r1)
    t = 2 * h / a
    alpha = math.log1p(2 * min(r1, r2) / abs(r2 - r1))
    sign = 1 if k > 0 else -1
    terms, n = [], 0
    while True:
        n += 1
        power = math.exp(-n * alpha) * sign ** n
        b = bracket(n * t)
        terms.append(power * b)
        if abs(power) * min(b / (1 - abs(k)), 1.5 / (t ** 3 * 2 * n * n)) < 1e-21:
            return r1 * (1 + 4 * math.fsum(terms))


CASES = [(100, 300, 2, 1), (100, 300, 2, 30), (100, 900, 1, 1), (100, 50, 3, 9),
         (10, 10000, 1, 10), (10, 10000, 5, 1), (10000, 10, 1, 10), (1e6, 1, 1e3, 1),
         (1, 1e6, 1e-3, 30), (100, 300, 1e3, 1), (100, 300, 1e-3, 30)]
SOUNDINGS = [((100, 300, 2), [1, 2, 4, 6, 9, 12, 18, 24, 30]),
             ((500, 50, 5), [1, 2, 4, 6, 9, 12, 18, 24, 30, 36, 42]),
             ((20, 2000, 1.5), [1, 2, 4, 6, 9, 12, 18, 24, 30]),
             ((100, 125, 15), [1, 2, 4, 6, 9, 12, 18, 24, 30, 36, 42])]

if __name__ == "__main__":
    for case in CASES:
        print(case, repr(apparent(*case)))
    for soil, spacings in SOUNDINGS:
        print(soil, [repr(apparent(*soil, a)) for a in spacings])
