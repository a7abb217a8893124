#!/usr/bin/env python3
"""Reference figures for EqMathTest.cpp, computed apart from the C++ code.

Each figure is computed twice: with Python's own double arithmetic in the
order the curve prescribes (these are the literals pasted into the test, which
the C++ code must match bit for bit), and with mpmath at 50 digits straight
from the transfer function |H(e^jw)|^2 (which the double figures must match to
within rounding, proving the closed forms themselves).  Run it to print the
literals again: python3 tests/eq/eq_reference.py
"""
import math
import struct

import mpmath

mpmath.mp.dps = 50
TWO_PI_S = 6.2831854820251465  # 2 pi held in single precision
PI_S = 3.1415927410125732  # pi held in single precision


def f32(x):
    return struct.unpack("f", struct.pack("f", x))[0]


def design(f, g, q):
    A = 10.0 ** (g / 20.0)
    w0 = TWO_PI_S * f / 44100.0
    c, s = math.cos(w0), math.sin(w0)
    k = (2.0 * q * A - s) / (2.0 * q * A + s) if A < 1.0 else (2.0 * q - s) / (2.0 * q + s)
    b0 = ((1.0 + k) + A * (1.0 - k)) / 2.0
    b1 = -c * (1.0 + k)
    b2 = ((1.0 + k) - A * (1.0 - k)) / 2.0
    return (b0, -c * (1.0 + k), b1, k, b2)  # b0 a1 b1 a2 b2


def num_den(f, b0, a1, b1, a2, b2):
    c1 = math.cos(PI_S * f / 22050.0)
    c2 = math.cos(TWO_PI_S * f / 22050.0)
    N = b0 * b0 + b1 * b1 + b2 * b2 + 2.0 * b0 * b1 * c1 + 2.0 * b1 * b2 * c1 + 2.0 * b0 * b2 * c2
    D = 1.0 + a1 * a1 + a2 * a2 + 2.0 * a1 * c1 + 2.0 * a1 * a2 * c1 + 2.0 * a2 * c2
    return N, D


def magnitude_db(f, *coef):
    """None for the pole; 0 where the ratio is exactly 0."""
    N, D = num_den(f, *coef)
    if D == 0.0:
        return None
    return 0.0 if N == 0.0 else 10.0 * (math.log(N / D) / math.log(10.0))


def exact_db(f, b0, a1, b1, a2, b2):
    """10 log10 |H|^2 at 50 digits, from the transfer function itself, at the
    angle the curve uses (pi in single precision, as the double code does)."""
    w = mpmath.mpf(PI_S) * mpmath.mpf(f) / 22050
    z1 = mpmath.exp(-1j * w)
    z2 = mpmath.exp(-2j * w)
    num = abs(b0 + b1 * z1 + b2 * z2) ** 2
    den = abs(1 + a1 * z1 + a2 * z2) ** 2
    return 10 * mpmath.log10(num / den)


def curve_freq(i):
    return math.exp((math.log(20.0) / math.log(10.0) + 0.004918 * i) * math.log(10.0))


def gain(step):
    return (step - 200) * 0.099


print("// Designs: freq, gain, Q -> b0 a1 b1 a2 b2")
designs = [(40.3, gain(0), 0.4), (1000.0, gain(250), 1.4), (10000.0, gain(200), 10.0),
           (159.0, gain(250), 1.4)]
for f, g, q in designs:
    co = design(f, g, q)
    for x in (100.0, f, 5000.0):
        d = magnitude_db(x, *co)
        assert abs(d - float(exact_db(x, *co))) < 1e-6, (f, x)
    print(f"{{{f!r}, {g!r}, {q!r}, {{{', '.join(repr(v) for v in co)}}}}},")


print("// The 1000 Hz boost and the cut at curve points: point, Hz, boost dB, cut dB")
boost, cut = design(*designs[1]), design(*designs[0])
for i in (1, 150, 305, 433, 610):
    f = curve_freq(i)
    print(f"{{{i}, {f!r}, {magnitude_db(f, *boost)!r}, {magnitude_db(f, *cut)!r}}},")

print("// Band 3 alone (159 Hz, +4.95 dB, Q 1.4): point, single-precision sum")
b3 = design(*designs[3])
best = max(range(1, 611), key=lambda i: magnitude_db(curve_freq(i), *b3))
for i in (1, 100, best, 400, 610):
    print(f"{{{i}, {f32(magnitude_db(curve_freq(i), *b3))!r}f}},  // {curve_freq(i):.3f} Hz")
print("// peak point", best, "exact dB", float(exact_db(curve_freq(best), *b3)))

print("// A point at 1e-9 Hz: band 3, then row 11 (zero at 0 Hz), row 12 (double")
print("// pole and double zero at 0 Hz: exactly 0 / 0 there), row 13 as row 11")
dc_zero = (1.0, 0.0, -1.0, 0.0, 0.0)
dc_both = (1.0, -2.0, -2.0, 1.0, 1.0)
f0 = 1e-9
low = f0 - 0.05
assert num_den(f0, *dc_both) == (0.0, 0.0) and magnitude_db(low, *dc_both) == 0.0
first = f32(magnitude_db(f0, *b3))
first = f32(first + magnitude_db(f0, *dc_zero))  # rows before the pole: old frequency
first = f32(first + magnitude_db(low, *dc_both))
first = f32(first + magnitude_db(low, *dc_zero))
again = 0.0
for row in (b3, dc_zero, dc_both, dc_zero):
    again = f32(again + magnitude_db(low, *row))
print(f"lowered {low!r} first drawing {first!r}f next drawing {again!r}f")

print("// Rounding next to a pole or a zero: crafted rows at a point")
dc_pole = (1.0, -2.0, 0.0, 1.0, 0.0)
f = 0.03
N, D = num_den(f, *dc_pole)
assert D < 0.0
moves = 0
while num_den(f, *dc_pole)[1] <= 0.0:
    f -= 0.05
    moves += 1
print(f"D {D!r} below zero at 0.03 Hz: {moves} moves to {f!r}, adds {f32(magnitude_db(f, *dc_pole))!r}f")
N, D = num_den(0.03, 1.0, 0.0, -2.0, 0.0, 1.0)
print(f"N {N!r} below zero at 0.03 Hz for the double zero at 0 Hz")
stuck = 1125899944616929.8  # found by a search: cos(pi * f / 22050) is exactly -1
assert stuck - 0.05 == stuck and num_den(stuck, 1.0, 1.0, 0.0, 0.0, 0.0)[1] == 0.0
print(f"pole that no move of 0.05 Hz leaves: {stuck!r} Hz, row b0 1 a1 1")
