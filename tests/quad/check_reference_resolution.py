#!/usr/bin/python3
"""Checks the resolution the mesh study gives its quadruple-precision reference, a bound of the
reference's own round-off (malhas/verification/reference_resolution.h), against that round-off
measured here: the quadruple values of quad_cases against this script's computation of the same
discrete system with mpmath at 60 digits, 2 + dx^2*m^2 taken exactly (check_quad_cases.py rounds
it as the program does, to check the solve; here its rounding is part of what is measured).

    check_reference_resolution.py QUAD_CASES_PROGRAM EXAMPLES_FOLDER

A part of the error budget is a difference of the exact value and a discrete value, both in
quadruple precision; what the reference adds to it is the error of that difference,
|(Phi_quad - phi_quad) - (Phi - phi)|, for T(N), qdds1 and qdds2. For the examples' fin and the
same fin with L = 1.0 (a long fin, whose coarse meshes have 2 + dx^2*m^2 far above 2), both
schemes and N from 3 to 10241, it must be below the resolution: the bound holds. On the
examples' fin from N = 161 on, where the round-off that grows with N^2 rules, it must also be
above a tenth of the resolution (it is about a fifth): the bound is not loose, and hides no
digits the reference has.
The program is run through $ALETA_TEST_RUNNER when it is set (wine, for the Windows build).
"""
import os
import subprocess
import sys

from mpmath import mp, mpf

from check_quad_cases import discrete_solution, example_inputs, exact_solution

mp.dps = 60
EXAMPLE_MESHES = [3, 5, 9, 21, 41, 161, 641, 1281, 5121, 10241]
LONG_FIN_MESHES = [3, 9, 33, 129, 1025, 4097]
TIGHT_FROM = 161
LOOSEST = 10
QUANTITIES = ["T(N)", "qdds1", "qdds2"]


def check_fin(program, words, meshes, tight):
    """Failures, and the smallest and largest error/resolution, for one fin."""
    fin = [mpf(float(w)) for w in words]
    runner = os.environ.get("ALETA_TEST_RUNNER", "").split()
    out = subprocess.run(runner + [program] + words + [str(N) for N in meshes],
                         check=True, capture_output=True, text=True).stdout
    failures, shares = [], []
    Ta, qa = exact_solution(fin)
    for line in out.splitlines():
        scheme, N, *texts = line.split()
        N = int(N)
        values = [mpf(t) for t in texts[:5]]
        resolutions = [mpf(t) for t in texts[5:8]]
        exact = discrete_solution(fin, N, scheme, round_coefficient=False)
        for i, name in enumerate(QUANTITIES):
            Phi_quad, Phi = (values[3], Ta) if i == 0 else (values[4], qa)
            error = abs((Phi_quad - values[i]) - (Phi - exact[i]))
            share = error / resolutions[i]
            where = f"L = {words[6]} {scheme} N = {N} {name}"
            shares.append((share, where))
            if not share < 1:
                failures.append(f"{where}: the reference is off by {mp.nstr(error, 3)}, "
                                f"beyond its resolution {mp.nstr(resolutions[i], 3)}")
            if tight and N >= TIGHT_FROM and not share * LOOSEST > 1:
                failures.append(f"{where}: the resolution {mp.nstr(resolutions[i], 3)} is more than "
                                f"{LOOSEST} times the reference's error {mp.nstr(error, 3)}")
    if len(shares) != 2 * len(meshes) * len(QUANTITIES):
        failures.append(f"L = {words[6]}: expected {2 * len(meshes)} lines, got:\n{out}")
    return failures, shares


def main():
    program, examples = sys.argv[1], sys.argv[2]
    words = example_inputs(os.path.join(examples, "uds2"))
    failures, shares = check_fin(program, words, EXAMPLE_MESHES, tight=True)
    long_failures, long_shares = check_fin(program, words[:6] + ["1.0"], LONG_FIN_MESHES, tight=False)
    for failure in failures + long_failures:
        print(failure)
    for label, found in (("examples' fin", shares), ("L = 1.0", long_shares)):
        if found:
            print(f"{label}: error / resolution from {mp.nstr(min(found)[0], 3)} ({min(found)[1]}) "
                  f"to {mp.nstr(max(found)[0], 3)} ({max(found)[1]})")
    print(f"{len(failures) + len(long_failures)} failures")
    return 1 if failures or long_failures else 0


if __name__ == "__main__":
    sys.exit(main())
