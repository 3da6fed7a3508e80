#!/usr/bin/env python3
"""Reference results for the accuracy table of LeastSquaresTest.cpp.

Each input text is read as the nearest double (as the program reads it) and the
fit is then computed exactly: with rational arithmetic for the linear model, and
with 60-digit decimal logarithms for the two log models. Prints a, b and r to
17 significant digits.
"""
from decimal import Decimal, getcontext
from fractions import Fraction

getcontext().prec = 60

CASES = {
    "decimal line y = 3 + 0.1x with x offset 1e8": ("linear",
        [(str(100000000 + i), str(Decimal(3) + Decimal("0.1") * (100000000 + i)))
         for i in range(1, 9)]),
    "noisy line with x offset 1e8": ("linear",
        [("100000001", "10000003.113"), ("100000002", "10000003.179"),
         ("100000003", "10000003.307"), ("100000004", "10000003.396"),
         ("100000005", "10000003.518"), ("100000006", "10000003.589"),
         ("100000007", "10000003.702"), ("100000008", "10000003.791")]),
    "values from 1e-6 to 1e6": ("linear",
        [("1e-6", "3e-6"), ("1e-4", "2.5e-4"), ("1e-2", "0.031"), ("1", "2.9"),
         ("1e2", "305"), ("1e4", "29800"), ("1e6", "3.01e6")]),
    "Logaritmic, y from 1e-6 to 1e6": ("logaritmic",
        [("0", "1.1e-6"), ("1", "0.9e-4"), ("2", "1.05e-2"), ("3", "0.98"),
         ("4", "1.02e2"), ("5", "0.97e4"), ("6", "1.01e6")]),
    "Exponential, x from 1e-6 to 1e6": ("exponential",
        [("1e-6", "-39.4"), ("1e-4", "-25.7"), ("1e-2", "-11.9"), ("1", "2.05"),
         ("1e2", "15.8"), ("1e4", "29.5"), ("1e6", "43.6")]),
}


def exact(text):
    return Fraction(float(text))


def ln(q):
    return Fraction((Decimal(q.numerator) / Decimal(q.denominator)).ln())


def fit(model, points):
    us, vs = [], []
    for xt, yt in points:
        x, y = exact(xt), exact(yt)
        if model == "logaritmic":
            y = ln(y)
        if model == "exponential":
            x = ln(x)
        us.append(x)
        vs.append(y)
    n = len(us)
    mu, mv = sum(us) / n, sum(vs) / n
    quu = sum((u - mu) ** 2 for u in us)
    qvv = sum((v - mv) ** 2 for v in vs)
    quv = sum((u - mu) * (v - mv) for u, v in zip(us, vs))
    b = quv / quu
    offset = mv - mu * b
    a = Decimal(offset.numerator) / Decimal(offset.denominator)
    if model == "logaritmic":
        a = a.exp()
    r2 = quv * quv / (quu * qvv)
    r = (Decimal(r2.numerator) / Decimal(r2.denominator)).sqrt()
    if quv < 0:
        r = -r
    bd = Decimal(b.numerator) / Decimal(b.denominator)
    return a, bd, r


for name, (model, points) in CASES.items():
    a, b, r = fit(model, points)
    print(f"{name}: a={float(a)!r:} ({a:.20e}) b={float(b)!r} ({b:.20e}) r={float(r)!r} ({r:.20e})")
