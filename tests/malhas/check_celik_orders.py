#!/usr/bin/env python3
"""Runs aleta-malhas on the shipped UDS-2 example, both schemes, on the 200 meshes N = 5, 9, ...,
801, whose refinement ratios change from each pair of meshes to the next (down to 1.0057), and
checks every apparent order p_U of malhas.csv against the root of the equation of Celik et al.
solved here with mpmath at 50 digits, from the double values of malhas.csv:

    g(p) = p ln r21 - ln|e32/e21| - ln((r21^p - s) / (r32^p - s)) = 0,   s = sign(e32/e21),

e32 = phi_2 - phi_1 and e21 = phi_3 - phi_2 on three consecutive meshes, r32 and r21 the ratios
of their spacings, (N_k - 1) / (N_{k-1} - 1). Where the two differences change sign the study
gives no order ("mudança de sinal"); elsewhere s = 1, the equation has a root (g runs from -inf
to +inf), and every row with two coarser meshes must have a p_U. It must lie as near the root
as the double arithmetic allows: the program's ratios and quotient are each rounded once, and its
g is evaluated with a rounding error of a few units in its terms, which moves the root by that
error over the slope of g there.

usage: check_celik_orders.py ALETA_MALHAS EXAMPLES_FOLDER
The environment variable ALETA_TEST_RUNNER (e.g. wine) names a command that runs the program.
"""
import csv
import os
import shutil
import subprocess
import sys
import tempfile

import mpmath

mpmath.mp.dps = 50
EPS = mpmath.mpf(2) ** -52
MESHES = ",".join(str(N) for N in range(5, 802, 4))
# Units of rounding allowed in each term of g, and in each of the program's inputs.
TERM_ROUNDINGS = 8
INPUT_ROUNDINGS = 2


def g(p, log_quotient, s, r21, r32):
    return p * mpmath.log(r21) - log_quotient - mpmath.log((r21 ** p - s) / (r32 ** p - s))


def root(log_quotient, s, r21, r32):
    start = log_quotient / mpmath.log(r21)
    return mpmath.findroot(lambda p: g(p, log_quotient, s, r21, r32), start, tol=mpmath.mpf(10) ** -40)


def tolerance(p, log_quotient, s, r21, r32):
    """How far the double root may be from the exact one."""
    slope = abs(mpmath.diff(lambda x: g(x, log_quotient, s, r21, r32), p))
    terms = abs(p * mpmath.log(r21)) + abs(log_quotient) + abs(mpmath.log(abs(r21 ** p - s))) + \
        abs(mpmath.log(abs(r32 ** p - s)))
    evaluation = TERM_ROUNDINGS * EPS * terms / slope
    # The roots of the equation for inputs each rounded by INPUT_ROUNDINGS units.
    moved = 0
    for dq, d21, d32 in [(1, 0, 0), (0, 1, 0), (0, 0, 1)]:
        bump = INPUT_ROUNDINGS * EPS
        other = root(log_quotient + dq * bump, s, r21 * (1 + d21 * bump), r32 * (1 + d32 * bump))
        moved += abs(other - p)
    return evaluation + moved + 2 * EPS * abs(p)


def main():
    program, examples = sys.argv[1], sys.argv[2]
    runner = os.environ.get("ALETA_TEST_RUNNER", "")
    work = tempfile.mkdtemp()
    failures = []
    try:
        for name in ("entradas_geral.ent", "entradas_uds.ent"):
            shutil.copy(os.path.join(examples, "uds2", name), work)
        command = ([runner] if runner else []) + [program, "-e", "ambos", "--sem-referencia",
                                                  "-l", MESHES, "-s", "o"]
        run = subprocess.run(command, cwd=work, capture_output=True)
        if run.returncode != 0:
            print("aleta-malhas failed:", run.stderr.decode(errors="replace"))
            return 1
        with open(os.path.join(work, "o", "malhas.csv"), newline="", encoding="utf-8") as f:
            rows = list(csv.DictReader(f))
    finally:
        shutil.rmtree(work, ignore_errors=True)
    series = {}
    for row in rows:
        series.setdefault((row["esquema"], row["quantidade"]), []).append(row)
    checked = 0
    for key, meshes in series.items():
        for k in range(2, len(meshes)):
            N = [int(m["N"]) for m in meshes[k - 2:k + 1]]
            # The doubles themselves: the 17 digits read back to them, not to their own value.
            phi = [mpmath.mpf(float(m["valor"])) for m in meshes[k - 2:k + 1]]
            e32, e21 = phi[1] - phi[0], phi[2] - phi[1]
            r32 = mpmath.mpf(N[1] - 1) / (N[0] - 1)
            r21 = mpmath.mpf(N[2] - 1) / (N[1] - 1)
            cell = meshes[k]["p_U"]
            where = "%s %s N = %d" % (key[0], key[1], N[2])
            if e32 == 0 or e21 == 0:
                continue
            if (e32 < 0) != (e21 < 0):
                # Differences of both signs shrink towards no limit: no order, whatever the ratios.
                if cell != "" or "p_U: mudança de sinal" not in meshes[k]["observacoes"]:
                    failures.append("%s: p_U = %r on a change of sign" % (where, cell))
                continue
            if cell == "":
                failures.append("%s: no p_U (%s)" % (where, meshes[k]["observacoes"]))
                continue
            log_quotient = mpmath.log(abs(e32 / e21))
            s = 1
            exact = root(log_quotient, s, r21, r32)
            allowed = tolerance(exact, log_quotient, s, r21, r32)
            if abs(mpmath.mpf(cell) - exact) > allowed:
                failures.append("%s: p_U = %s, root %s, allowed %s" % (
                    where, cell, mpmath.nstr(exact, 17), mpmath.nstr(allowed, 3)))
            checked += 1
    for failure in failures[:20]:
        print(failure)
    print("%d apparent orders checked, %d failures" % (checked, len(failures)))
    return 1 if failures or checked < 1000 else 0


if __name__ == "__main__":
    sys.exit(main())
