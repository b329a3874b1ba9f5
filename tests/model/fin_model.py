"""An independent model of aleta, for checking its reports on many random cases.

Written from the description of the computation and of the report, not from the program's
code: the arithmetic is Python's (IEEE doubles, the C library's sinh and cosh), each operation
checked for the faults the program traps, and the numbers rendered from their exact values
with Python's fractions.
"""
import math
from fractions import Fraction


class Fault(Exception):
    """An arithmetic fault the program traps: 'invalid', 'divide by zero' or 'overflow'."""


def _finite(r):
    if math.isinf(r):
        raise Fault("overflow")
    return r


def add(a, b):
    return _finite(a + b)


def sub(a, b):
    return _finite(a - b)


def mul(a, b):
    return _finite(a * b)


def div(a, b):
    if b == 0:
        raise Fault("invalid" if a == 0 else "divide by zero")
    return _finite(a / b)


def sqrt(a):
    if a < 0:
        raise Fault("invalid")
    return math.sqrt(a)


def _hyperbolic(f, x):
    try:
        return f(x)
    except OverflowError:
        raise Fault("hyperbolic overflow")


# ---------------------------------------------------------------- number rendering

def _seventeen_digits(x):
    """S and N of the description: |x| = 0.S x 10^N, S the exact value rounded to 17 digits
    (from its 18 truncated digits, halves away from zero), trailing zeros removed."""
    f = Fraction(abs(x))
    n = len(str(f.numerator)) - len(str(f.denominator))
    while Fraction(10) ** n <= f:
        n += 1
    while Fraction(10) ** (n - 1) > f:
        n -= 1
    scaled = f * Fraction(10) ** (18 - n)
    t = scaled.numerator // scaled.denominator
    s = t // 10 + (1 if t % 10 >= 5 else 0)
    if s == 10 ** 17:
        s //= 10
        n += 1
    return str(s).rstrip("0") or "0", n


def _round(s, n, negative, p):
    if len(s) <= p:
        return s, n, negative
    if p <= 0 or s[p] >= "5":
        if p <= 0:
            return ("1", n + 1, negative) if s[0] >= "5" else ("", n, False)
        digits = list(s[:p])
        i = p - 1
        while i >= 0 and digits[i] == "9":
            digits[i] = "0"
            i -= 1
        if i < 0:
            return "1", n + 1, negative
        digits[i] = str(int(digits[i]) + 1)
        return "".join(digits), n, negative
    kept = s[:p]
    return kept, n, negative and kept.strip("0") != ""


def e25_15(x):
    if x == 0:
        return "    0.000000000000000E+00"
    s, n = _seventeen_digits(x)
    s, n, negative = _round(s, n, x < 0, 16)
    s = s.ljust(16, "0")
    e = n - 1
    exponent = ("E%s%02d" if -99 <= e <= 99 else "%s%03d") % ("-" if e < 0 else "+", abs(e))
    text = ("-" if negative else "") + s[0] + "." + s[1:16] + exponent
    return text.rjust(25)


def f15_3(x):
    if x == 0:
        return "           .000"
    s, n = _seventeen_digits(x)
    if n < -3:
        return "           .000"
    s, n, negative = _round(s, n, x < 0, n + 3)
    whole = s[:n].ljust(n, "0") if n > 0 else ""
    fraction = ("0" * -n + s) if n < 0 else s[n:] if n > 0 else s
    text = ("-" if negative else "") + whole + "." + fraction.ljust(3, "0")[:3]
    return text.rjust(15) if len(text) <= 15 else "*" * 15


def i10(v):
    text = str(v)
    return text.rjust(10) if len(text) <= 10 else "*" * 10


# ---------------------------------------------------------------- the computation

class Case:
    def __init__(self, saida, Tb, Tinf, h, k, Ab, P, L, N, scheme, itmax=0, tol=0.0, T0=0.0):
        self.saida, self.Tb, self.Tinf, self.h, self.k = saida, Tb, Tinf, h, k
        self.Ab, self.P, self.L, self.N, self.scheme = Ab, P, L, N, scheme
        self.itmax, self.tol, self.T0 = itmax, tol, T0


def _thomas(ap, aw, ae, bp, n):
    P = [0.0] * (n + 1)
    Q = [0.0] * (n + 1)
    P[1] = div(ae[1], ap[1])
    Q[1] = div(bp[1], ap[1])
    for i in range(2, n + 1):
        d = sub(ap[i], mul(aw[i], P[i - 1]))
        P[i] = div(ae[i], d)
        Q[i] = div(add(mul(aw[i], Q[i - 1]), bp[i]), d)
    T = [0.0] * (n + 1)
    T[n] = Q[n]
    for i in range(n - 1, 0, -1):
        T[i] = add(mul(P[i], T[i + 1]), Q[i])
    return T


def _residuals(ap, aw, ae, bp, T, n):
    r = [add(sub(mul(ae[1], T[2]), mul(ap[1], T[1])), bp[1])]
    for i in range(2, n):
        r.append(add(add(sub(mul(ae[i], T[i + 1]), mul(ap[i], T[i])), mul(aw[i], T[i - 1])), bp[i]))
    r.append(add(sub(mul(aw[n], T[n - 1]), mul(ap[n], T[n])), bp[n]))
    return r


def _norms(ap, aw, ae, bp, T, n):
    r = _residuals(ap, aw, ae, bp, T, n)
    l1 = 0.0
    l2 = 0.0
    for v in r:
        l1 = add(l1, abs(v))
    for v in r:
        l2 = add(l2, mul(v, v))
    return l1, sqrt(l2), max(abs(v) for v in r)


def solve(c):
    """Everything the report shows, or raises Fault."""
    n = c.N
    dx = div(c.L, float(n - 1))
    m = sqrt(mul(div(c.P, mul(c.Ab, c.k)), c.h))
    x = [0.0] + [mul(float(i - 1), dx) for i in range(1, n + 1)]
    aw, ae, ap, bp = ([0.0] * (n + 1) for _ in range(4))
    ap[1], bp[1] = 1.0, c.Tb
    if n >= 3:
        a_p = add(mul(mul(mul(dx, dx), m), m), 2.0)
        b_p = mul(mul(mul(mul(c.Tinf, dx), dx), m), m)
        for i in range(2, n):
            aw[i], ae[i], ap[i], bp[i] = 1.0, 1.0, a_p, b_p
    T = [0.0] * (n + 1)
    history = None
    it = 0
    if c.scheme == 1:
        aw[n], ae[n] = c.k, 0.0
        ap[n] = add(mul(c.h, dx), c.k)
        bp[n] = mul(mul(c.h, c.Tinf), dx)
        T = _thomas(ap, aw, ae, bp, n)
    elif c.scheme == 2:
        T = [c.T0] * (n + 1)

        def tip():
            aw[n], ae[n] = mul(3.0, c.k), 0.0
            ap[n] = add(mul(3.0, c.k), mul(mul(c.h, dx), 2.0))
            bp[n] = add(mul(mul(mul(2.0, c.h), c.Tinf), dx), mul(c.k, sub(T[n - 1], T[n - 2])))

        tip()
        history = [_norms(ap, aw, ae, bp, T, n)]
        count = 1
        while count <= c.itmax:
            T = _thomas(ap, aw, ae, bp, n)
            tip()
            history.append(_norms(ap, aw, ae, bp, T, n))
            if div(history[count][0], history[0][0]) < c.tol:
                break
            count += 1
        it = min(c.itmax, count)
    mk = mul(m, c.k)
    mL = mul(m, c.L)
    dn = add(mul(div(_hyperbolic(math.sinh, mL), mk), c.h), _hyperbolic(math.cosh, mL))
    theta = sub(c.Tb, c.Tinf)
    Ta = [0.0] * (n + 1)
    for i in range(1, n + 1):
        z = mul(sub(c.L, x[i]), m)
        nm = add(mul(div(_hyperbolic(math.sinh, z), mk), c.h), _hyperbolic(math.cosh, z))
        Ta[i] = add(mul(div(nm, dn), theta), c.Tinf)
    M = sqrt(mul(mul(mul(c.Ab, c.P), c.k), c.h))
    ch, sh = _hyperbolic(math.cosh, mL), _hyperbolic(math.sinh, mL)
    dq = add(mul(div(sh, mk), c.h), ch)
    nq = add(mul(div(ch, mk), c.h), sh)
    qa = mul(mul(div(M, dq), nq), theta)
    qdds1 = -mul(mul(div(sub(T[2], T[1]), dx), c.Ab), c.k)
    qdds2 = -mul(mul(div(add(sub(mul(T[1], -3.0), T[3]), mul(T[2], 4.0)), mul(dx, 2.0)), c.Ab), c.k)
    return dict(x=x, T=T, Ta=Ta, qa=qa, qdds1=qdds1, qdds2=qdds2, history=history, it=it)


# ---------------------------------------------------------------- the report

STARS = "*" * 104


def _titled(title):
    return title + "*" * (104 - len(title))


def report(c, r):
    """The report's bytes, with the processing time shown as .000."""
    lines = ["Difusão de Calor 1DP em Aleta Sujeita a Convecção na Extremidade", "",
             STARS, _titled("Parâmetros Físicos "), STARS, ""]
    labels = [("Tb", "temperatura da base [ºC]"), ("Tinf", "temperatura do fluido [ºC]"),
              ("h", "coeficiente de convecção [W/m2*K]"), ("k", "condutividade térmica [W/m*K]"),
              ("Ab", "área da base da aleta [m2]"), ("P", "perímetro da base da aleta [m]"),
              ("L", "comprimento da aleta [m]")]
    for name, label in labels:
        lines.append(e25_15(getattr(c, name)) + "    " + (" = " + name + ":").ljust(11) + label)
    lines += ["", "", STARS, _titled("Parâmetros Numéricos "), STARS, "",
              i10(c.N) + " " * 19 + " = N:      número de nós da malha"]
    if c.scheme == 1:
        lines += ["", "Condição de contorno na extremidade aplicada com UDS"]
    elif c.scheme == 2:
        h = r["history"]
        it = r["it"]
        lines += ["", "Condição de contorno na extremidade aplicada com UDS-2", "",
                  e25_15(c.T0) + "     = T0:     valor para o campo inicial de temperaturas",
                  i10(c.itmax) + " " * 19 + " = itmax:  número máximo de iterações a ser efetuada",
                  e25_15(c.tol) + "     = tol:    tolerância máxima admitida",
                  i10(it) + " " * 19 + " = it:     iterações realizadas",
                  e25_15(div(h[it][0], h[0][0])) +
                  "     = L1(it): norma L1 adimensionalizada na última iteração", "",
                  "Norma L1 com base no campo inicial de temperaturas:        " + e25_15(h[0][0]),
                  "Norma L2 com base no campo inicial de temperaturas:        " + e25_15(h[0][1]),
                  "Norma L-infinito com base no campo inicial de temperaturas:" + e25_15(h[0][2]),
                  "", "",
                  "  iteração    L1(it)/L1(0)             L2(it)/L2(0)             Linf(it)/Linf(0)",
                  i10(0) + e25_15(1.0) * 3]
        for i in range(1, it + 1):
            lines.append(i10(i) + "".join(e25_15(div(h[i][j], h[0][j])) for j in range(3)))
    n = c.N
    lines += ["", "", STARS, _titled("Soluções "), STARS, "",
              "    Posição                  Temp. numérica           Temp. analítica          Erro numérico",
              e25_15(r["x"][n]) + e25_15(r["T"][n]) + e25_15(r["Ta"][n]) +
              e25_15(sub(r["Ta"][n], r["T"][n])), "", "",
              "Taxa de transferência de calor (analítica): " + e25_15(r["qa"]),
              "Taxa de transferência de calor (DDS-1):     " + e25_15(r["qdds1"]) +
              "     Erro numérico: " + e25_15(sub(r["qa"], r["qdds1"])),
              "Taxa de transferência de calor (DDS-2):     " + e25_15(r["qdds2"]) +
              "     Erro numérico: " + e25_15(sub(r["qa"], r["qdds2"])), "", "",
              "Tempo de processamento (em segundos):  " + f15_3(0.0)]
    return ("\r\n".join(lines) + "\r\n").encode("cp1252")
