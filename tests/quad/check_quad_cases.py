#!/usr/bin/python3
"""Checks the quadruple-precision fin solutions of both examples against this script's own
computation of the same discrete system at 50 digits with mpmath.

    check_quad_cases.py QUAD_CASES_PROGRAM EXAMPLES_FOLDER

The discrete system, from the fin equation with dx = L/(N-1) and m = sqrt(h*P/(k*Ab)):
  node 1:        T(1) = Tb
  nodes 2..N-1:  T(i-1) - (2 + dx^2*m^2)*T(i) + T(i+1) = -Tinf*dx^2*m^2
  UDS tip:       k*(T(N) - T(N-1))/dx + h*(T(N) - Tinf) = 0
  UDS-2 tip:     k*(3T(N) - 4T(N-1) + T(N-2))/(2dx) + h*(T(N) - Tinf) = 0
The one coefficient taken as the program holds it is 2 + dx^2*m^2: a quadruple real keeps 34
digits of the sum, so only about 27 of dx^2*m^2 at N = 1281, and that rounding alone moves the
heat rates by up to 4e-28 relative. It is rounded here to the 113 bits of a quadruple real;
everything else is exact to 50 digits. The system is solved by superposition, not elimination: every T(i) is affine in the
unknown T(2) through the interior recurrence, and the tip row fixes theta(2).
T(N), qdds1 = -k*Ab*(T(2) - T(1))/dx and qdds2 = -k*Ab*(-3T(1) + 4T(2) - T(3))/(2dx) must agree
within 1e-28 relative; the exact Ta(N) and qa within 1e-30.
The program is run through $ALETA_TEST_RUNNER when it is set (wine, for the Windows build).
"""
import os
import subprocess
import sys

from mpmath import mp, mpf, sqrt, cosh, sinh

mp.dps = 50
MESHES = [21, 161, 1281]
DISCRETE_TOLERANCE = mpf("1e-28")
EXACT_TOLERANCE = mpf("1e-30")
LARGEST = [mpf(0)]  # the largest relative difference of a discrete value, for the log


def example_inputs(folder):
    """Tb, Tinf, h, k, Ab, P, L of an example's entradas_geral.ent: the first word of lines 2-8."""
    with open(os.path.join(folder, "entradas_geral.ent"), encoding="latin-1") as f:
        lines = f.read().splitlines()
    return [line.split()[0] for line in lines[1:8]]


def discrete_solution(fin, N, scheme, round_coefficient=True):
    """T(N), qdds1, qdds2 of the discrete system; 2 + dx^2*m^2 rounded to a quadruple real as the
    program holds it, or exact."""
    Tb, Tinf, h, k, Ab, P, L = fin
    dx = L / (N - 1)
    m = sqrt(P / (Ab * k) * h)
    a = 2 + dx * dx * m * m
    if round_coefficient:
        with mp.workprec(113):
            a = +a  # rounded to the nearest quadruple real
    b = Tinf * dx * dx * m * m
    # T(i) = p(i) + s*q(i), with s = T(2), through T(i+1) = a*T(i) - T(i-1) - b.
    p = [None, Tb, mpf(0)]
    q = [None, mpf(0), mpf(1)]
    for i in range(2, N):
        p.append(a * p[i] - p[i - 1] - b)
        q.append(a * q[i] - q[i - 1])
    if scheme == "UDS":
        row = lambda t: k * (t[N] - t[N - 1]) / dx + h * (t[N] - Tinf)
    else:
        row = lambda t: k * (3 * t[N] - 4 * t[N - 1] + t[N - 2]) / (2 * dx) + h * (t[N] - Tinf)
    # row is affine in s: row(p) + s*(row(p + q) - row(p)) = 0.
    base = row(p)
    slope = row([None] + [p[i] + q[i] for i in range(1, N + 1)]) - base
    s = -base / slope
    T = [None] + [p[i] + s * q[i] for i in range(1, N + 1)]
    qdds1 = -((T[2] - T[1]) / dx * Ab * k)
    qdds2 = -((-3 * T[1] + 4 * T[2] - T[3]) / (2 * dx) * Ab * k)
    return T[N], qdds1, qdds2


def exact_solution(fin):
    Tb, Tinf, h, k, Ab, P, L = fin
    m = sqrt(h * P / (k * Ab))
    a = h / (m * k)
    denominator = cosh(m * L) + a * sinh(m * L)
    Ta_tip = Tinf + (Tb - Tinf) / denominator
    qa = sqrt(h * P * k * Ab) * (Tb - Tinf) * (sinh(m * L) + a * cosh(m * L)) / denominator
    return Ta_tip, qa


def relative(value, reference):
    return abs(value - reference) / abs(reference)


def check_example(program, folder):
    words = example_inputs(folder)
    # The program reads the decimal texts into doubles; so does float(), correctly rounded.
    fin = [mpf(float(w)) for w in words]
    runner = os.environ.get("ALETA_TEST_RUNNER", "").split()
    out = subprocess.run(runner + [program] + words + [str(N) for N in MESHES],
                         check=True, capture_output=True, text=True).stdout
    lines = out.splitlines()
    if len(lines) != 2 * len(MESHES):
        return [f"{folder}: expected {2 * len(MESHES)} lines, got {len(lines)}:\n{out}"]
    failures = []
    exact = exact_solution(fin)
    for line in lines:
        scheme, N, *texts = line.split()
        texts = texts[:5]  # the values; the resolutions after them are check_reference_resolution's
        for text in texts:
            mantissa = text.split("e")[0].lstrip("-").replace(".", "")
            if len(mantissa) != 36:
                failures.append(f"{folder} {scheme} {N}: {text} does not have 36 digits")
        values = [mpf(t) for t in texts]
        expected = discrete_solution(fin, int(N), scheme)
        for name, value, reference, tolerance in zip(
                ["T(N)", "qdds1", "qdds2", "Ta(N)", "qa"], values, expected + exact,
                [DISCRETE_TOLERANCE] * 3 + [EXACT_TOLERANCE] * 2):
            error = relative(value, reference)
            if tolerance == DISCRETE_TOLERANCE:
                LARGEST[0] = max(LARGEST[0], error)
            if not error <= tolerance:
                failures.append(f"{folder} {scheme} N={N} {name}: {value} against "
                                f"{mp.nstr(reference, 40)}, relative {mp.nstr(error, 3)}")
    return failures


def main():
    program, examples = sys.argv[1], sys.argv[2]
    failures = []
    for example in ["uds", "uds2"]:
        failures += check_example(program, os.path.join(examples, example))
    for failure in failures:
        print(failure)
    print(f"{len(failures)} failures; largest relative difference {mp.nstr(LARGEST[0], 3)}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
