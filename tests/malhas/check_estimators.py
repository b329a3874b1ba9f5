#!/usr/bin/env python3
"""Runs aleta-malhas on three studies and checks estimadores.csv and estimadores_resumo.csv
against every uncertainty estimator computed here with mpmath at 40 digits from the double values
of malhas.csv and the estimators' equations:

- the convergence type of three meshes, from R = (phi_k - phi_{k-1}) / (phi_{k-1} - phi_{k-2});
- GCI(p_L) = 3 |phi_k - phi_{k-1}| / (r^p_L - 1), two meshes;
- GCI(p_U) = 1.25 |phi_k - phi_{k-1}| / (r^p_U - 1), p_U = ln(e32 / e21) / ln r > 0;
- GCI(osc) = 3 (max - min) of three meshes that oscillate (-1 < R < 0);
- FS = (1.6 P + 2.45 (1 - P)) |delta_RE| for P <= 1, (1.6 P + 14.8 (P - 1)) |delta_RE| above,
  P = p_U / p_L, delta_RE the Richardson estimate with p_U (Xing & Stern 2010);
- MQ, the least-squares procedure of Eca & Hoekstra (2014) over the finest n meshes up to each
  one: the fits phi_0 + a h^p, + a h, + a h^2, + a1 h + a2 h^2, unweighted and weighted by
  (1/h_i) / sum (1/h_j), their standard deviations, the choice, the safety factors and the
  data-range rule (README, "The uncertainty estimators");
- each estimator's u_num = U / 2, estimate of the exact value and effectivities U/|E| and
  U/|E_discretizacao|, and the summaries: meshes judged, meshes with U >= |E|, median U/|E|, over
  all meshes and over those whose p_E (p_E_disc) is within 10 % of p_L.

For the least squares the observed order is the least-sigma one in [0.01, 10], found here as
the root of the slope of the sum of squares: the program's order, U, phi_0 and the choice of fit
are held to those found here. A case within a hair of one of the procedure's thresholds is not
judged.

usage: check_estimators.py ALETA_MALHAS EXAMPLES_FOLDER
"""
import csv
import os
import shutil
import subprocess
import sys
import tempfile

import mpmath

mpmath.mp.dps = 40
RELATIVE = mpmath.mpf("1e-13")       # closed-form estimators, from the same double values
FIT_RELATIVE = mpmath.mpf("1e-10")    # the least squares, solved in double by the program
THRESHOLD_MARGIN = mpmath.mpf("1e-6")
LOWEST_ORDER, HIGHEST_ORDER, SCAN = mpmath.mpf("0.01"), mpmath.mpf(10), 120
NAMES = ["GCI(p_L)", "GCI(p_U)", "GCI(osc)", "FS", "MQ"]

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def close(a, b, relative):
    return abs(a - b) <= relative * max(abs(a), abs(b)) or a == b


def number(cell):
    return None if cell == "" else mpmath.mpf(float(cell))


def read_csv(path):
    with open(path, newline="", encoding="utf-8") as f:
        return list(csv.DictReader(f))


def run_study(program, examples, arguments, fin=None):
    """The rows of malhas.csv, estimadores.csv and estimadores_resumo.csv of a study of the UDS-2
    example's files, with the fin's lines replaced by `fin` ({line number: value})."""
    work = tempfile.mkdtemp()
    try:
        for name in ("entradas_geral.ent", "entradas_uds.ent"):
            shutil.copy(os.path.join(examples, "uds2", name), work)
        if fin:
            path = os.path.join(work, "entradas_geral.ent")
            with open(path, encoding="latin-1") as f:
                lines = f.read().split("\n")
            for at, value in fin.items():
                lines[at] = value + "   " + lines[at].split(None, 1)[1]
            with open(path, "w", encoding="latin-1") as f:
                f.write("\n".join(lines))
        run = subprocess.run([program] + arguments, cwd=work, capture_output=True)
        check(run.returncode == 0, "aleta-malhas %s ended with %d: %r" % (arguments, run.returncode, run.stderr))
        folder = os.path.join(work, "estudo_malhas")
        return (read_csv(os.path.join(folder, "malhas.csv")), read_csv(os.path.join(folder, "estimadores.csv")),
                read_csv(os.path.join(folder, "estimadores_resumo.csv")))
    finally:
        shutil.rmtree(work)


# The estimators, here.

def convergence_name(coarsest, middle, finest):
    coarse, fine = middle - coarsest, finest - middle
    if fine == 0:
        return "sem variação"
    if coarse == 0:
        return "divergência monotônica"
    R = fine / coarse
    if R >= 1:
        return "divergência monotônica"
    if R > 0:
        return "convergência monotônica"
    if R > -1:
        return "convergência oscilatória"
    return "divergência oscilatória"


def xing_stern(P):
    return 1.6 * P + 2.45 * (1 - P) if P <= 1 else 1.6 * P + 14.8 * (P - 1)


def three_mesh(phi, k, r, p_L):
    """{name: (U, estimate of the exact value, order, safety)} of the estimators of meshes <= k."""
    out = {}
    if k >= 1:
        d = phi[k] - phi[k - 1]
        g = r[k] ** p_L - 1
        out["GCI(p_L)"] = (3 * abs(d) / g, phi[k] + d / g, mpmath.mpf(p_L), mpmath.mpf(3))
    if k >= 2:
        e32, e21 = phi[k - 1] - phi[k - 2], phi[k] - phi[k - 1]
        if e32 != 0 and e21 != 0 and (e32 > 0) == (e21 > 0):
            p = mpmath.log(e32 / e21) / mpmath.log(r[k])
            if p > 0:
                delta = e21 / (r[k] ** p - 1)
                out["GCI(p_U)"] = (mpmath.mpf("1.25") * abs(delta), phi[k] + delta, p, mpmath.mpf("1.25"))
                P = p / p_L
                out["FS"] = (xing_stern(P) * abs(delta), phi[k] + delta, p, xing_stern(P))
        if convergence_name(phi[k - 2], phi[k - 1], phi[k]) == "convergência oscilatória":
            window = phi[k - 2:k + 1]
            out["GCI(osc)"] = (3 * (max(window) - min(window)), None, None, mpmath.mpf(3))
    return out


def coefficients_of(columns, y, w):
    """The weighted least-squares coefficients of y on the columns (the first all ones): for one
    more column the centred formulas of a weighted straight line, otherwise mpmath's Householder
    QR of the rows scaled by sqrt(w_i)."""
    n = len(y)
    if len(columns) == 2:
        x = columns[1]
        total = mpmath.fsum(w)
        x_mean = mpmath.fsum(w[i] * x[i] for i in range(n)) / total
        y_mean = mpmath.fsum(w[i] * y[i] for i in range(n)) / total
        slope = (mpmath.fsum(w[i] * (x[i] - x_mean) * (y[i] - y_mean) for i in range(n)) /
                 mpmath.fsum(w[i] * (x[i] - x_mean) ** 2 for i in range(n)))
        return [y_mean - slope * x_mean, slope]
    A = mpmath.matrix(n, len(columns))
    b = mpmath.matrix(n, 1)
    for i in range(n):
        root = mpmath.sqrt(w[i])
        b[i] = root * y[i]
        for j, column in enumerate(columns):
            A[i, j] = root * column[i]
    return list(mpmath.qr_solve(A, b)[0])


def fit(t, y, w, powers, extra_unknowns):
    """(phi_0 - phi_1, fit_1 - phi_1, sigma) of y = c0 + sum c_j t^powers_j by weights w."""
    n = len(t)
    columns = [[mpmath.mpf(1)] * n] + [[v ** q for v in t] for q in powers]
    c = coefficients_of(columns, y, w)
    fitted = [mpmath.fsum(c[j] * columns[j][i] for j in range(len(columns))) for i in range(n)]
    unknowns = len(columns) + extra_unknowns
    sigma = mpmath.sqrt(mpmath.fsum(n * w[i] * (y[i] - fitted[i]) ** 2 for i in range(n)) / (n - unknowns))
    return c[0], fitted[0], sigma


def observed_fit(t, y, w):
    """(p, sigma, at_end) of the observed-order fit of least sigma over p in [0.01, 10]: a
    geometric scan, then a golden-section search between the scan's neighbours of its best."""
    step = (HIGHEST_ORDER / LOWEST_ORDER) ** (mpmath.mpf(1) / (SCAN - 1))
    scan = [LOWEST_ORDER * step ** j for j in range(SCAN)]
    sigma_at = lambda p: fit(t, y, w, [p], 1)[2]
    sigmas = [sigma_at(p) for p in scan]
    best = min(range(SCAN), key=lambda j: sigmas[j])
    low, high = scan[max(best - 1, 0)], scan[min(best + 1, SCAN - 1)]
    golden = (mpmath.sqrt(5) - 1) / 2
    left, right = high - golden * (high - low), low + golden * (high - low)
    sigma_left, sigma_right = sigma_at(left), sigma_at(right)
    for _ in range(60):
        if sigma_left <= sigma_right:
            high, right, sigma_right = right, left, sigma_left
            left = high - golden * (high - low)
            sigma_left = sigma_at(left)
        else:
            low, left, sigma_left = left, right, sigma_right
            right = low + golden * (high - low)
            sigma_right = sigma_at(right)
    p = (low + high) / 2
    if 0 < best < SCAN - 1:
        # sigma is flat at its least: the root of the slope of the sum of squares fixes p, to the
        # digits of this arithmetic.
        p = mpmath.findroot(lambda q: slope(t, y, w, q), p)
    sigma = sigma_at(p)
    if sigmas[best] < sigma:
        p, sigma = scan[best], sigmas[best]
    return p, sigma, best in (0, SCAN - 1)


def slope(t, y, w, p):
    """Half the slope in p of sum w_i r_i^2 at the least squares of phi_0 + a t^p: with the
    coefficients at their least squares, only the partial derivative, -a sum w_i r_i t_i^p ln t_i."""
    columns = [[mpmath.mpf(1)] * len(t), [v ** p for v in t]]
    c = coefficients_of(columns, y, w)
    return -c[1] * mpmath.fsum(w[i] * (y[i] - c[0] - c[1] * columns[1][i]) * columns[1][i] * mpmath.log(t[i])
                               for i in range(len(t)))


def least_squares(h, phi, program_order):
    """The procedure on meshes finest first, at the program's observed order where it gives one.
    {U, limit (phi_0), fit (its name), order_ok (the program's order is a least-sigma one),
    at_end (the least sigma here is at an end of the search), near (a threshold within a hair)}."""
    t = [v / h[0] for v in h]
    y = [v - phi[0] for v in phi]
    n = len(t)
    weights = {False: [mpmath.mpf(1) / n] * n,
               True: [(1 / v) / mpmath.fsum(1 / u for u in t) for v in t]}
    found = {wgt: observed_fit(t, y, weights[wgt]) for wgt in (False, True)}
    weighted = min((False, True), key=lambda wgt: found[wgt][1])
    p_here, sigma_least, at_end = found[weighted]
    near = abs(found[True][1] - found[False][1]) <= THRESHOLD_MARGIN * sigma_least
    p = p_here
    observed = fit(t, y, weights[weighted], [p], 1)
    order_ok = program_order is None or at_end or close(program_order, p, FIT_RELATIVE)
    candidates = [("a h^p", weighted, observed)]
    if not (mpmath.mpf("0.5") <= p <= 2):
        shapes = [("a h", [1]), ("a h^2", [2])] + ([("a1 h + a2 h^2", [1, 2])] if p < 0.5 else [])
        candidates = [(name, wgt, fit(t, y, weights[wgt], powers, 0)) for name, powers in shapes
                      for wgt in (False, True)]
    name, chosen_weighted, (limit, at_finest, sigma) = min(candidates, key=lambda c: c[2][2])
    sigmas = sorted(c[2][2] for c in candidates)
    near = near or (len(sigmas) > 1 and sigmas[1] - sigmas[0] <= THRESHOLD_MARGIN * sigmas[1])
    data_range = (max(y) - min(y)) / (n - 1)
    eps, off = abs(at_finest - limit), abs(at_finest)
    for edge in (mpmath.mpf("0.5"), 2, mpmath.mpf("2.1")):
        near = near or abs(p - edge) <= THRESHOLD_MARGIN
    near = near or abs(sigma - data_range) <= THRESHOLD_MARGIN * data_range
    if sigma < data_range:
        safety = mpmath.mpf("1.25") if mpmath.mpf("0.5") <= p < mpmath.mpf("2.1") else 3
        U = safety * eps + sigma + off
    else:
        U = 3 * sigma / data_range * (eps + sigma + off)
    return {"U": U, "limit": phi[0] + limit, "fit": name + (", ponderado" if chosen_weighted else ""),
            "order_ok": order_ok, "at_end": at_end, "near": near, "p_here": p_here}


# The checks.

def series(study):
    """{(scheme, quantity): [malhas.csv rows, coarsest first]}."""
    out = {}
    for row in study:
        out.setdefault((row["esquema"], row["quantidade"]), []).append(row)
    for rows in out.values():
        rows.sort(key=lambda row: int(row["N"]))
    return out


def check_study(label, study, estimators, summaries, least_squares_meshes):
    by_key = {(r["esquema"], r["quantidade"], r["estimador"], r["N"]): r for r in estimators}
    here, skipped = {}, set()
    for (scheme, quantity), rows in series(study).items():
        phi = [number(r["valor"]) for r in rows]
        N = [int(r["N"]) for r in rows]
        r_of = [None] + [mpmath.mpf(N[k] - 1) / (N[k - 1] - 1) for k in range(1, len(N))]
        p_L = int(rows[0]["p_L"])
        for k, row in enumerate(rows):
            where = "%s: %s %s N %d" % (label, scheme, quantity, N[k])
            E = number(row["exato"]) - phi[k]
            E_disc = number(row["E_discretizacao"])
            expected = three_mesh(phi, k, r_of, p_L)
            if k >= 2:
                check(row["convergencia"] == convergence_name(phi[k - 2], phi[k - 1], phi[k]),
                      where + ": convergencia " + row["convergencia"])
            ls_count = k + 1 if least_squares_meshes == "todas" else int(least_squares_meshes)
            ls_row = by_key[(scheme, quantity, "MQ", str(N[k]))]
            if k + 1 >= max(ls_count, 4):
                first = k + 1 - ls_count
                spacings = [number(rows[j]["dx"]) for j in range(k, first - 1, -1)]
                values = [phi[j] for j in range(k, first - 1, -1)]
                ls = least_squares(spacings, values, number(ls_row["ordem"]))
                check((ls_row["ordem"] == "") == ls["at_end"], where + ": MQ order at the end of its search")
                check(ls["order_ok"], "%s: MQ order %s is not a least-sigma one (here %s)" % (
                    where, ls_row["ordem"], mpmath.nstr(ls["p_here"], 10)))
                if ls["near"]:
                    skipped.add((scheme, quantity, "MQ"))
                else:
                    expected["MQ"] = (ls["U"], ls["limit"], None, None)
                    check(ls_row["ajuste"] == ls["fit"], "%s: MQ fit %s, here %s" % (where, ls_row["ajuste"], ls["fit"]))
            for name in NAMES:
                out = by_key[(scheme, quantity, name, str(N[k]))]
                at = where + " " + name
                if name not in expected:
                    if not (name == "MQ" and k + 1 >= max(ls_count, 4)):
                        check(out["U"] == "", at + ": U given where it has none")
                    continue
                U, exact, order, safety = expected[name]
                check(out["U"] != "", at + ": no U")
                if out["U"] == "":
                    continue
                relative = FIT_RELATIVE if name == "MQ" else RELATIVE
                check(close(number(out["U"]), U, relative), "%s: U %s, here %s" % (at, out["U"], mpmath.nstr(U, 17)))
                check(close(number(out["u_num"]), U / 2, relative), at + ": u_num")
                if exact is not None:
                    check(close(number(out["valor_estimado"]), exact, relative), at + ": valor_estimado")
                if order is not None:
                    check(close(number(out["ordem"]), order, RELATIVE), at + ": ordem")
                if safety is not None:
                    check(close(number(out["Fs"]), safety, RELATIVE), at + ": Fs")
                if E != 0:
                    check(close(number(out["U/|E|"]), U / abs(E), relative), at + ": U/|E|")
                    check(out["conservador"] == ("sim" if U >= abs(E) else "não") or close(U, abs(E), relative),
                          at + ": conservador")
                if E_disc is not None and E_disc != 0:
                    check(close(number(out["U/|E_disc|"]), U / abs(E_disc), relative), at + ": U/|E_disc|")
                here.setdefault((scheme, quantity, name), []).append(
                    (U, E, E_disc, number(row["p_E"]), number(row["p_E_disc"]), p_L))
    check_summaries(label, summaries, {key: judged for key, judged in here.items() if key not in skipped})


def judgement(pairs):
    """(meshes, conservative, median) of (U, E) pairs, E not 0, and whether a U is within a hair
    of |E| (the count may then go either way)."""
    ratios = [U / abs(E) for U, E in pairs if E is not None and E != 0]
    if not ratios:
        return 0, 0, None, False
    ratios.sort()
    half = len(ratios) // 2
    median = ratios[half] if len(ratios) % 2 else (ratios[half - 1] + ratios[half]) / 2
    hair = any(abs(q - 1) <= RELATIVE for q in ratios)
    return len(ratios), sum(1 for q in ratios if q >= 1), median, hair


def check_summaries(label, summaries, here):
    rows = {(r["esquema"], r["quantidade"], r["estimador"], r["contra"], r["malhas"]): r for r in summaries}
    for (scheme, quantity, name), judged in here.items():
        near = lambda order, p_L: order is not None and abs(order - p_L) <= mpmath.mpf("0.1") * p_L
        sets = {("E", "todas"): [(U, E) for U, E, _, _, _, _ in judged],
                ("E", "p_E a 10 % de p_L"): [(U, E) for U, E, _, pE, _, pL in judged if near(pE, pL)],
                ("E_discretizacao", "todas"): [(U, Ed) for U, _, Ed, _, _, _ in judged],
                ("E_discretizacao", "p_E_disc a 10 % de p_L"):
                    [(U, Ed) for U, _, Ed, _, pEd, pL in judged if near(pEd, pL)]}
        for (against, meshes), pairs in sets.items():
            row = rows[(scheme, quantity, name, against, meshes)]
            where = "%s: resumo %s %s %s %s %s" % (label, scheme, quantity, name, against, meshes)
            count, conservative, median, hair = judgement(pairs)
            check(int(row["julgadas"]) == count, "%s: julgadas %s, here %d" % (where, row["julgadas"], count))
            check(int(row["conservadoras"]) == conservative or hair,
                  "%s: conservadoras %s, here %d" % (where, row["conservadoras"], conservative))
            if median is None:
                check(row["mediana_U/|E|"] == "", where + ": a median of nothing")
            else:
                relative = FIT_RELATIVE if name == "MQ" else RELATIVE
                check(close(number(row["mediana_U/|E|"]), median, relative),
                      "%s: mediana %s, here %s" % (where, row["mediana_U/|E|"], mpmath.nstr(median, 12)))


def main():
    program, examples = sys.argv[1], sys.argv[2]
    studies = [
        ("uds2, -m 10", [], None, "4"),
        # UDS's L = 1.0 and N = 3 (lines 7 and 8 of entradas_geral.ent), both schemes, 14 meshes.
        ("L = 1.0, N = 3, -e ambos -m 14", ["-e", "ambos", "-m", "14"], {7: "1.0", 8: "3"}, "4"),
        ("uds2, -m 7 --malhas-mq todas", ["-m", "7", "--malhas-mq", "todas"], None, "todas"),
    ]
    for label, arguments, fin, least_squares_meshes in studies:
        study, estimators, summaries = run_study(program, examples, arguments, fin)
        check(len(estimators) == len(study) * len(NAMES), label + ": one row per mesh, quantity and estimator")
        check_study(label, study, estimators, summaries, least_squares_meshes)
    for failure in failures[:40]:
        print(failure)
    if failures:
        print("%d failures" % len(failures))
        return 1
    print("estimators of three studies agree with mpmath")
    return 0


if __name__ == "__main__":
    sys.exit(main())
