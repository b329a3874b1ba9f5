#!/usr/bin/env python3
"""Runs aleta on random fin cases and compares every report, message and exit code with the
independent model in fin_model.py.

usage: check_reports.py ALETA [CASES [SEED]]

With ALETA_TEST_RUNNER set (wine), ALETA is the Windows program, started through that runner with
the stand-in editor ALETA_TEST_NOTEPAD; the report fields computed from sinh and cosh, which the
Windows C library may round differently in the last bit, then need only agree within a few units
in the last place.
"""
import math
import os
import random
import shutil
import subprocess
import sys
import tempfile

from fin_model import Case, Fault, report, solve

MESSAGES = {
    "invalid": "\r\nrun-time error M6101: MATH\r\n- floating-point error: invalid\r\n",
    "divide by zero": "\r\nrun-time error M6103: MATH\r\n- floating-point error: divide by zero\r\n",
    "overflow": "\r\nrun-time error M6104: MATH\r\n- floating-point error: overflow\r\n",
}
# A tip scheme other than 1 or 2 is refused as soon as the general input is read.
SCHEME_REFUSED = ("\r\nrun-time error F6100: READ(entradas_geral.ent)\r\n- scheme = %d out of range: "
                  "the tip scheme must be 1 or 2\r\n")


def random_case(rng):
    def log_uniform(low, high):
        return 10 ** rng.uniform(low, high)

    def sometimes_round(x):
        return float(round(x, rng.choice([0, 1, 2, 3]))) if rng.random() < 0.3 else x

    c = Case("relatorio.txt",
             Tb=sometimes_round(rng.uniform(-50, 500)), Tinf=sometimes_round(rng.uniform(-50, 300)),
             h=log_uniform(-1, 3.5), k=log_uniform(-0.5, 3), Ab=log_uniform(-6, -2),
             P=log_uniform(-3, -0.5), L=log_uniform(-3, 0.5),
             N=rng.choice([3, 3, 4, 5, 7, 10, 21, rng.randint(3, 400)]),
             scheme=rng.choice([1, 1, 2, 2, 2, 3]), itmax=rng.choice([0, 1, 5, 20, 60, 200]),
             tol=log_uniform(-14, 0.5), T0=sometimes_round(rng.uniform(-50, 500)))
    edge = rng.random()
    if edge < 0.03:
        c.h = 0.0
    elif edge < 0.05:
        c.L = 0.0
    elif edge < 0.07:
        c.N = 1
    elif edge < 0.09:
        c.Tinf = c.Tb
    elif edge < 0.11:
        c.tol = 0.0
    return c


def input_files(c):
    values = [c.saida] + [repr(v) for v in (c.Tb, c.Tinf, c.h, c.k, c.Ab, c.P, c.L)] + [str(c.N), str(c.scheme)]
    general = "".join(v + "   comentário\r\n" for v in values)
    iteration = "%d\r\n%r\r\n%r\r\n" % (c.itmax, c.tol, c.T0)
    return general.encode("cp1252"), iteration.encode("cp1252")


def without_time(report_bytes):
    head, sep, tail = report_bytes.rpartition(b"Tempo de processamento (em segundos):  ")
    return head + sep + b"@" * (len(tail) - 2) + tail[-2:] if sep else report_bytes


RUNNER = os.environ.get("ALETA_TEST_RUNNER", "")

# The records of the heat rates; the fields computed from sinh and cosh are Ta and Ta - T in the
# tip row (after the row of headings "Posição"), qa and the errors qa - qdds1, qa - qdds2.
RATES = "Taxa de transferência de calor (".encode("cp1252")


def _field(record, column):
    return record[column - 1:column + 24]


def _shape(text):
    return bytes(ord("d") if 48 <= b <= 57 else b for b in text)


def _close(a, b, scale):
    x, y = float(a), float(b)
    largest = max(abs(x), abs(y))
    printed_unit = 10.0 ** (math.floor(math.log10(largest)) - 15) if largest > 0 else 0.0
    return _shape(a) == _shape(b) and abs(x - y) <= 4 * math.ldexp(abs(scale), -52) + printed_unit


def agree(got, want):
    """For the Windows program: byte for byte but the fields of sinh and cosh, within a few ulps."""
    mine, theirs = got.split(b"\r\n"), want.split(b"\r\n")
    if len(mine) != len(theirs):
        return False
    qa = 0.0
    for i, (a, b) in enumerate(zip(mine, theirs)):
        if i > 0 and theirs[i - 1].startswith("    Posição".encode("cp1252")):
            columns, scale = (51, 76), float(_field(b, 51))
        elif b.startswith(RATES + "analítica):".encode("cp1252")):
            columns, scale = (45,), float(_field(b, 45))
            qa = scale
        elif b.startswith(RATES + b"DDS-"):
            columns, scale = (90,), qa
        else:
            columns = ()
        for column in columns:
            if not _close(_field(a, column), _field(b, column), scale):
                return False
            a = a[:column - 1] + _field(b, column) + a[column + 24:]
        if a != b:
            return False
    return True


def failure_outcome(run, message):
    want = message.encode()
    if run.returncode != 1 or run.stderr != want:
        return "expected %r, got exit %d and %r" % (want, run.returncode, run.stderr)
    return "ok"


def check(aleta, c, work):
    general, iteration = input_files(c)
    for name in os.listdir(work):
        if name != "bin":
            os.remove(os.path.join(work, name))
    with open(os.path.join(work, "entradas_geral.ent"), "wb") as f:
        f.write(general)
    with open(os.path.join(work, "entradas_uds.ent"), "wb") as f:
        f.write(iteration)
    env = dict(os.environ, PATH=os.path.join(work, "bin") + ":" + os.environ["PATH"],
               WINEPATH=os.path.join(work, "bin"))
    run = subprocess.run([RUNNER, aleta] if RUNNER else [aleta], cwd=work, env=env,
                         capture_output=True)
    report_path = os.path.join(work, "relatorio.txt")
    if c.scheme not in (1, 2):
        return failure_outcome(run, SCHEME_REFUSED % c.scheme)
    try:
        expected = report(c, solve(c))
    except Fault as fault:
        if str(fault) == "hyperbolic overflow":
            return "skipped"
        return failure_outcome(run, MESSAGES[str(fault)])
    if run.returncode != 0 or run.stderr or run.stdout:
        return "expected a report, got exit %d and %r" % (run.returncode, run.stderr)
    got = open(report_path, "rb").read()
    if without_time(got) == without_time(expected):
        return "ok"
    if not (RUNNER and agree(without_time(got), without_time(expected))):
        got_lines = got.split(b"\r\n")
        want_lines = expected.split(b"\r\n")
        for i, (a, b) in enumerate(zip(got_lines, want_lines)):
            if a != b and not a.startswith(b"Tempo"):
                return "record %d differs:\n  got  %r\n  want %r" % (i + 1, a, b)
        return "reports differ in length: %d vs %d records" % (len(got_lines), len(want_lines))
    return "ok within ulps"


def main():
    aleta = os.path.abspath(sys.argv[1])
    cases = int(sys.argv[2]) if len(sys.argv) > 2 else 300
    rng = random.Random(int(sys.argv[3]) if len(sys.argv) > 3 else 1)
    outcomes = {}
    failures = 0
    with tempfile.TemporaryDirectory() as work:
        os.mkdir(os.path.join(work, "bin"))
        if RUNNER:
            shutil.copy(os.environ["ALETA_TEST_NOTEPAD"], os.path.join(work, "bin", "notepad.exe"))
        else:
            notepad = os.path.join(work, "bin", "notepad")
            with open(notepad, "w") as f:
                f.write("#!/bin/sh\nexit 0\n")
            os.chmod(notepad, 0o755)
        for n in range(cases):
            c = random_case(rng)
            result = check(aleta, c, work)
            kind = result if result in ("ok", "ok within ulps", "skipped") else "failed"
            outcomes[kind] = outcomes.get(kind, 0) + 1
            if kind == "failed":
                failures += 1
                if failures <= 5:
                    print("case %d %s:\n%s" % (n, vars(c), result))
    print(outcomes)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
