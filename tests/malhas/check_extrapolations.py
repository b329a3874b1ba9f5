#!/usr/bin/env python3
"""Runs aleta-malhas on the shipped UDS-2 example (both schemes) and checks extrapolacoes.csv
against repeated Richardson extrapolation computed here with mpmath at 50 digits, from the double
values of malhas.csv and the equations: level j on mesh k is (r^p fine - coarse) / (r^p - 1) of
level j - 1 on meshes k - 1 and k, r = (N_k - 1) / (N_{k-1} - 1), p = p_L + j - 1.

Then the orders: on the meshes where double round-off has not yet taken over, the effective order
of level j must be near p_L + j, the order of the next term of the error.

The quadruple-precision rows (extrapolations of the converged discrete solution) are held against
the exact solution computed here from its equations: their errors, their orders for the first
three levels, and the best tip temperature of the UDS-2 example on the nine meshes 21 ... 5121,
which must lie within 1e-22 degC of the exact one.

usage: check_extrapolations.py ALETA_MALHAS EXAMPLES_FOLDER
"""
import csv
import os
import re
import shutil
import subprocess
import sys
import tempfile

import mpmath

mpmath.mp.dps = 50
UNIT_ROUNDOFF = mpmath.mpf(2) ** -53
MESHES = "3,5,9,17,33,65,129,257,513"
# A level's order is judged where its |erro| is at least this many times the round-off floor: the
# smallest |erro| of any level on the finest mesh.
ABOVE_FLOOR = 100
ORDER_TOLERANCE = 0.1
# T(N) under UDS-2: in double the effective order of level 2 stays near 4.7 until round-off takes
# over, so it is not held to 4 here; the quadruple-precision rows show it reaching 4 on finer
# meshes (check_quadruple).
NOT_JUDGED = {("UDS-2", "T(N)", 2)}

QUAD_MESHES = "21,41,81,161,321,641,1281,2561,5121"
QUAD_BEST_TIP = 1e-22
QUAD_UNIT_ROUNDOFF = mpmath.mpf(2) ** -113

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def read_csv(path):
    with open(path, newline="", encoding="utf-8") as f:
        return list(csv.DictReader(f))


def levels_mp(meshes, p_L):
    """{(level, N): value} from [(N, value)], coarsest first."""
    below = [mpmath.mpf(value) for _, value in meshes]
    table = {(0, N): v for (N, _), v in zip(meshes, below)}
    for j in range(1, len(meshes)):
        p = p_L + j - 1
        current = []
        for k in range(j, len(meshes)):
            r = mpmath.mpf(meshes[k][0] - 1) / (meshes[k - 1][0] - 1)
            coarse, fine = below[k - j], below[k - j + 1]
            current.append((r ** p * fine - coarse) / (r ** p - 1))
            table[(j, meshes[k][0])] = current[-1]
        below = current
    return table


def example_input(examples):
    """The fin of the UDS-2 example's entradas_geral.ent: Tb, Tinf, h, k, Ab, P, L, each the double
    the program reads."""
    with open(os.path.join(examples, "uds2", "entradas_geral.ent"), encoding="latin-1") as f:
        lines = f.read().splitlines()
    return [mpmath.mpf(float(line.split()[0])) for line in lines[1:8]]


def exact_values(examples):
    """{"T(N)": Ta(L), "qdds1": qa, "qdds2": qa} of the fin with a convective tip."""
    Tb, Tinf, h, k, Ab, P, L = example_input(examples)
    m = mpmath.sqrt(h * P / (k * Ab))
    ratio = h / (m * k)
    denominator = mpmath.cosh(m * L) + ratio * mpmath.sinh(m * L)
    tip = Tinf + (Tb - Tinf) / denominator
    rate = mpmath.sqrt(h * P * k * Ab) * (Tb - Tinf) * (mpmath.sinh(m * L) + ratio * mpmath.cosh(m * L)) / denominator
    return {"T(N)": tip, "qdds1": rate, "qdds2": rate}


def run_study(program, examples, arguments):
    """(malhas.csv rows, extrapolacoes.csv rows, its header line) of a study of the UDS-2 example."""
    work = tempfile.mkdtemp()
    try:
        for name in ("entradas_geral.ent", "entradas_uds.ent"):
            shutil.copy(os.path.join(examples, "uds2", name), work)
        run = subprocess.run([program] + arguments, cwd=work, capture_output=True)
        check(run.returncode == 0, "aleta-malhas ended with %d: %r" % (run.returncode, run.stderr))
        study = read_csv(os.path.join(work, "estudo_malhas", "malhas.csv"))
        rows = read_csv(os.path.join(work, "estudo_malhas", "extrapolacoes.csv"))
        with open(os.path.join(work, "estudo_malhas", "extrapolacoes.csv"), encoding="utf-8") as f:
            header = f.readline()
    finally:
        shutil.rmtree(work)
    return study, rows, header


def check_quadruple(rows, exact):
    """Errors against the exact values; levels 1-3 tend to p_L + j above the quadruple floor."""
    by_quantity = {}
    for row in rows:
        by_quantity.setdefault((row["esquema"], row["quantidade"]), []).append(row)
    for (scheme, quantity), extrapolated in by_quantity.items():
        Phi = exact[quantity]
        p_L = int(extrapolated[0]["ordem_removida"])
        for row in extrapolated:
            where = "%s %s quadrupla level %s N %s" % (scheme, quantity, row["nivel"], row["N"])
            error = Phi - mpmath.mpf(row["valor"])
            if row["erro"] == "":
                # Within the resolution the notes give: no digits, and the error is below it.
                note = re.search(r"erro: abaixo da resolução da referência \(< ([0-9.e+-]+)\)",
                                 row["observacoes"])
                check(note is not None, "%s: empty erro without its note: %r" % (where, row["observacoes"]))
                if note:
                    check(abs(error) < mpmath.mpf(note.group(1)),
                          "%s: erro %s is not below %s" % (where, mpmath.nstr(error, 5), note.group(1)))
                continue
            check(abs(error - mpmath.mpf(row["erro"])) <= 4 * QUAD_UNIT_ROUNDOFF * abs(Phi),
                  "%s: erro %s, here %s" % (where, row["erro"], mpmath.nstr(error, 10)))
        for j in (1, 2, 3):
            level = [r for r in extrapolated if int(r["nivel"]) == j and r["p_E"] != ""
                     and r["erro"] != "" and abs(mpmath.mpf(r["erro"])) >= 1e-20 * abs(Phi)]
            where = "%s %s quadrupla level %d" % (scheme, quantity, j)
            check(len(level) >= 2, where + ": too few meshes above round-off")
            if level:
                check(abs(float(level[-1]["p_E"]) - (p_L + j)) <= ORDER_TOLERANCE,
                      "%s: p_E %s on N = %s, not near %d" % (where, level[-1]["p_E"], level[-1]["N"], p_L + j))


def main():
    program, examples = sys.argv[1], sys.argv[2]
    study, all_rows, header = run_study(program, examples, ["-e", "ambos", "-l", MESHES])
    check(header == "esquema,quantidade,aritmetica,N,nivel,ordem_removida,valor,erro,p_E,observacoes\n",
          "header of extrapolacoes.csv")
    rows = [r for r in all_rows if r["aritmetica"] == "dupla"]
    exact = exact_values(examples)
    _, quad_rows, _ = run_study(program, examples, ["-e", "ambos", "-l", QUAD_MESHES])
    check_quadruple([r for r in quad_rows if r["aritmetica"] == "quadrupla"], exact)
    tip = [r for r in quad_rows if r["aritmetica"] == "quadrupla" and r["esquema"] == "UDS-2"
           and r["quantidade"] == "T(N)" and r["N"] == "5121"]
    best = min(abs(exact["T(N)"] - mpmath.mpf(r["valor"])) for r in tip) if tip else mpmath.inf
    print("UDS-2 T(N) on 21 ... 5121: best extrapolated value within %s degC of the exact one"
          % mpmath.nstr(best, 3))
    check(best <= QUAD_BEST_TIP, "UDS-2 T(N) best extrapolation off by %s" % mpmath.nstr(best, 5))

    by_quantity = {}
    for row in rows:
        by_quantity.setdefault((row["esquema"], row["quantidade"]), []).append(row)
    check(len(by_quantity) == 6, "schemes and quantities: %s" % sorted(by_quantity))
    for (scheme, quantity), extrapolated in by_quantity.items():
        source = [r for r in study if r["esquema"] == scheme and r["quantidade"] == quantity]
        meshes = [(int(r["N"]), float(r["valor"])) for r in source]
        exact = float(source[0]["exato"])
        p_L = int(source[0]["p_L"])
        expected = levels_mp(meshes, p_L)
        largest = max(abs(v) for _, v in meshes)
        check(len(extrapolated) == len(expected) - len(meshes),
              "%s %s: %d rows" % (scheme, quantity, len(extrapolated)))
        errors = {}
        for row in extrapolated:
            j, N = int(row["nivel"]), int(row["N"])
            where = "%s %s level %d N %d" % (scheme, quantity, j, N)
            check(row["aritmetica"] == "dupla", where + ": aritmetica")
            check(int(row["ordem_removida"]) == p_L + j - 1, where + ": ordem_removida")
            value, error = float(row["valor"]), float(row["erro"])
            # Each level at most triples the rounding of the one below and adds a few of its own.
            bound = 8 * 3 ** j * UNIT_ROUNDOFF * largest
            check(abs(value - expected[(j, N)]) <= bound,
                  "%s: %r against %s" % (where, value, mpmath.nstr(expected[(j, N)], 20)))
            check(error == float(mpmath.mpf(exact) - mpmath.mpf(value)), where + ": erro")
            errors[(j, N)] = error
            previous = [n for n, _ in meshes if n < N]
            coarse_error = errors.get((j, previous[-1])) if previous else None
            if coarse_error is None or coarse_error * error <= 0:
                check(row["p_E"] == "", where + ": p_E without two errors of one sign")
                continue
            r = mpmath.mpf(N - 1) / (previous[-1] - 1)
            p_E = mpmath.log(mpmath.mpf(coarse_error) / error) / mpmath.log(r)
            check(abs(float(row["p_E"]) - p_E) <= 1e-13 * max(1, abs(p_E)), where + ": p_E")
        finest = meshes[-1][0]
        floor = min([abs(e) for (j, N), e in errors.items() if N == finest] + [abs(exact - meshes[-1][1])])
        for j in (1, 2):
            if (scheme, quantity, j) in NOT_JUDGED:
                continue
            judged = [r for r in extrapolated if int(r["nivel"]) == j and r["p_E"] != ""
                      and abs(float(r["erro"])) >= ABOVE_FLOOR * floor]
            where = "%s %s level %d" % (scheme, quantity, j)
            check(len(judged) >= 2, where + ": too few meshes above round-off")
            if judged:
                check(abs(float(judged[-1]["p_E"]) - (p_L + j)) <= ORDER_TOLERANCE,
                      "%s: p_E %s on N = %s, not near %d" % (where, judged[-1]["p_E"], judged[-1]["N"], p_L + j))

    for message in failures:
        print(message)
    print("%d rows checked, %d failures" % (len(rows), len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
