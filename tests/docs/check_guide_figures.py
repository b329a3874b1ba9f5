#!/usr/bin/env python3
"""Every figure LEIAME.md quotes from a run of the programs, against a run of them made here: the
report lines it quotes, its excerpt of malhas.txt, and each number of its prose, written from the
run's files as the guide writes it (decimal comma, ·10⁻ⁿ) and looked for in the guide's text.

Values are read from the run's files by column name and row (scheme, N, quantity, level), so that
a column the study adds, or a line the report moves, changes nothing here: a check fails only when
a figure the guide states is no longer what the programs give. The message shows the text the
guide should hold.

usage: check_guide_figures.py ALETA ALETA_MALHAS
"""
import csv
import math
import os
import re
import shutil
import subprocess
import sys
import tempfile

SOURCE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
EXAMPLES = os.path.join(SOURCE, "examples")

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


# ---- Running the programs ------------------------------------------------------------------------

# The lines of entradas_geral.ent and entradas_uds.ent, numbered as in the guide's section 4.
GENERAL_LINE = {"Tb": 2, "Tinf": 3, "N": 9}
ITERATION_LINE = {"itmax": 1, "T0": 3}


def case_folder(scratch, case, **values):
    """A folder with the example's input files, the named values replaced."""
    folder = tempfile.mkdtemp(dir=scratch)
    for name in os.listdir(os.path.join(EXAMPLES, case)):
        if name.endswith(".ent"):
            shutil.copy(os.path.join(EXAMPLES, case, name), folder)
    for file_name, lines in (("entradas_geral.ent", GENERAL_LINE),
                             ("entradas_uds.ent", ITERATION_LINE)):
        edits = {lines[k]: v for k, v in values.items() if k in lines}
        if edits:
            path = os.path.join(folder, file_name)
            with open(path, "rb") as f:
                text = f.read().split(b"\r\n")
            for line, value in edits.items():
                text[line - 1] = str(value).encode()
            with open(path, "wb") as f:
                f.write(b"\r\n".join(text))
    return folder


def run(command, folder):
    # tools/notepad returns at once without a terminal: the editor steps open nothing.
    env = dict(os.environ, PATH=os.path.join(SOURCE, "tools") + os.pathsep + os.environ["PATH"])
    for variable in ("VISUAL", "EDITOR"):
        env.pop(variable, None)
    done = subprocess.run(command, cwd=folder, env=env, stdin=subprocess.DEVNULL,
                          capture_output=True)
    if done.returncode != 0:
        raise SystemExit("%s in %s: exit %d, %r" % (command, folder, done.returncode, done.stderr))


def report(aleta, scratch, case, **values):
    """The report of a run of aleta, as text lines."""
    folder = case_folder(scratch, case, **values)
    run([aleta], folder)
    name = "relatorio_%s.txt" % case
    with open(os.path.join(folder, name), encoding="cp1252", newline="") as f:
        return f.read().split("\r\n")


class Report:
    """The values of a report, found by their labels."""

    def __init__(self, lines):
        self.lines = lines

    def labelled(self, label):
        """The number before "= label" on its line, as in "2.5E+01   = h:"."""
        for line in self.lines:
            if re.search(r"=\s*" + re.escape(label) + r"(\s|$)", line):
                return float(line.split()[0])
        raise SystemExit("no %r in the report" % label)

    def after(self, label):
        """The numbers on the line that begins with `label`, as in "Taxa ... (DDS-1):  1.5E+00"."""
        for line in self.lines:
            if line.strip().startswith(label):
                return [float(v) for v in line[line.index(label) + len(label):].split()
                        if re.match(r"^-?\d", v)]
        raise SystemExit("no %r in the report" % label)

    def tip_fields(self):
        """x, T_N, Ta(L) and the error as printed, from the line below the "Posição" header."""
        header = next(i for i, line in enumerate(self.lines) if "Posição" in line)
        return self.lines[header + 1].split()

    def tip(self):
        return [float(v) for v in self.tip_fields()]

    def initial_norm(self, norm):
        """The norm ("L1", "L2", "L-infinito") of the initial field's residual."""
        return self.after("Norma %s com base no campo inicial de temperaturas:" % norm)[0]

    def iteration_norms(self):
        """The L1(it)/L1(0) column of the iteration table."""
        return [float(l.split()[1]) for l in self.lines if re.match(r"^\s+\d+\s+\S+\s+\S+\s+\S+$", l)]


def study(aleta_malhas, scratch, case, *arguments):
    """malhas.csv rows by (esquema, N, quantidade), the extrapolacoes.csv rows and malhas.txt."""
    folder = case_folder(scratch, case)
    run([aleta_malhas] + list(arguments), folder)
    output = os.path.join(folder, "estudo_malhas")
    with open(os.path.join(output, "malhas.csv"), encoding="utf-8", newline="") as f:
        rows = {(r["esquema"], int(r["N"]), r["quantidade"]): r for r in csv.DictReader(f)}
    with open(os.path.join(output, "extrapolacoes.csv"), encoding="utf-8", newline="") as f:
        levels = list(csv.DictReader(f))
    with open(os.path.join(output, "malhas.txt"), encoding="cp1252", newline="") as f:
        text = f.read().split("\r\n")
    return rows, levels, text


def number(cell):
    """A table's number; a value below what the reference resolves ("< x") is that bound."""
    cell = cell.strip()
    return float(cell[1:]) if cell.startswith("<") else float(cell)


# ---- Numbers as the guide writes them ------------------------------------------------------------

SUPERSCRIPTS = str.maketrans("-0123456789", "⁻⁰¹²³⁴⁵⁶⁷⁸⁹")


def signed(text, value, plus):
    return ("−" if value < 0 else "+" if plus else "") + text


def fixed(value, places, plus=False):
    """69,06: `places` decimals, a decimal comma and a true minus sign."""
    return signed(("%.*f" % (places, abs(value))).replace(".", ","), value, plus)


def significant(value, digits, plus=False):
    """0,00044: `digits` significant digits, in fixed notation."""
    places = max(0, digits - 1 - math.floor(math.log10(abs(value))))
    return fixed(value, places, plus)


def power(value, digits, plus=False):
    """−6,5·10⁻¹⁰: `digits` significant digits times a power of ten."""
    mantissa, exponent = ("%.*e" % (digits - 1, abs(value))).split("e")
    return signed("%s·10%s" % (mantissa.replace(".", ","), str(int(exponent)).translate(SUPERSCRIPTS)),
                  value, plus)


# ---- The guide -----------------------------------------------------------------------------------

with open(os.path.join(SOURCE, "LEIAME.md"), encoding="utf-8") as f:
    GUIDE_LINES = f.read().split("\n")
GUIDE = re.sub(r"\s+", " ", "\n".join(GUIDE_LINES))


def says(phrase):
    """The guide holds the phrase, lines broken anywhere."""
    phrase = re.sub(r"\s+", " ", phrase)
    check(phrase in GUIDE, "LEIAME.md should say: " + phrase)


def block_after(marker):
    """The non-blank lines of the first code block (indented by four spaces, at the top level of
    the text) after the line holding `marker`, without those four spaces."""
    start = next(i for i, line in enumerate(GUIDE_LINES) if marker in line)
    lines = GUIDE_LINES[start + 1:]
    first = next(i for i, line in enumerate(lines) if line.startswith("    ") and line.strip())
    block = []
    for line in lines[first:]:
        if line.strip() and not line.startswith("    "):
            break
        block.append(line[4:])
    return [line for line in block if line.strip()]


def without_time(line):
    return re.sub(r"(Tempo de processamento \(em segundos\):\s+)\S+", r"\1", line)


def check_quoted_report(marker, lines, label):
    """Each line of the guide's block is a line of the report, in the report's order."""
    report_lines = [without_time(l) for l in lines]
    position = 0
    for line in block_after(marker):
        try:
            position = report_lines.index(without_time(line), position) + 1
        except ValueError:
            failures.append("%s: the guide quotes a line the report does not hold: %s" %
                            (label, line.strip()))


def columns(header):
    """(name, end) of each column of a right-aligned table, from its header line."""
    return [(m.group(), m.end()) for m in re.finditer(r"\S+(?: \S+)*", header)]


def cells(header, row):
    """A row of a right-aligned table as {column name: cell}."""
    found, start = {}, 0
    for name, end in columns(header):
        found[name] = row[start:end].strip()
        start = end
    return found


def check_study_excerpt(text):
    """The guide's excerpt of the T(N) block of malhas.txt: each of its cells is the cell of the
    same column and mesh in the run's malhas.txt."""
    start = next(i for i, line in enumerate(text) if line.startswith("T(N):"))
    header, run_rows = text[start + 1], {}
    for line in text[start + 2:]:
        if not line.strip():
            break
        run_rows[line.split()[0]] = cells(header, line)
    excerpt = block_after("Algumas colunas do bloco T(N)")
    for line in excerpt[1:]:
        quoted = cells(excerpt[0], line)
        mesh = run_rows.get(quoted["N"], {})
        for name, cell in quoted.items():
            check(mesh.get(name) == cell, "malhas.txt excerpt, N = %s, %s: the guide shows %r, "
                  "the study gives %r" % (quoted["N"], name, cell, mesh.get(name)))


# ---- The figures ---------------------------------------------------------------------------------

def check_reports(aleta, scratch):
    uds = Report(report(aleta, scratch, "uds"))
    uds2 = Report(report(aleta, scratch, "uds2"))
    check_quoted_report("**O que o relatório diz.**", uds2.lines, "section 1")
    check_quoted_report("Executado na pasta, o `aleta` grava `relatorio_uds.txt`", uds.lines,
                        "section 2")

    qa = uds.after("Taxa de transferência de calor (analítica):")[0]
    _, tip_uds, exact_tip, error_uds = uds.tip()
    _, tip_uds2, _, error_uds2 = uds2.tip()
    _, error1_uds = uds.after("Taxa de transferência de calor (DDS-1):")
    _, error2_uds = uds.after("Taxa de transferência de calor (DDS-2):")
    _, error1_uds2 = uds2.after("Taxa de transferência de calor (DDS-1):")
    _, error2_uds2 = uds2.after("Taxa de transferência de calor (DDS-2):")
    # Section 1.
    says("`%s` ≈ %s" % (uds2.tip_fields()[1], fixed(tip_uds2, 2)))
    says("a temperatura calculada é %s °C, e a exata também; o erro é de %s °C" %
         (fixed(tip_uds2, 2), significant(abs(error_uds2), 2)))
    check(fixed(exact_tip, 2) == fixed(tip_uds2, 2), "section 1: the exact tip temperature is "
          "not the computed one to two decimals")
    says("A aleta conduz %s W pela base" % fixed(qa, 3))
    check(abs(error2_uds2) < abs(error1_uds2), "section 1: DDS-2 errs less than DDS-1")
    # Section 2.
    says("está a %s °C pela solução numérica e a %s °C pela exata: o `UDS` superestima a "
         "temperatura da ponta em %s °C" % (fixed(tip_uds, 2), fixed(exact_tip, 2),
                                            fixed(abs(error_uds), 2)))
    check(error_uds < 0, "section 2: UDS overestimates the tip temperature")
    says("a aleta conduz qa ≈ %s W" % fixed(qa, 3))
    says("A DDS-1 subestima a taxa em %s W (%s %%), a DDS-2 em %s W (%s %%)" %
         (significant(error1_uds, 2), fixed(100 * error1_uds / qa, 1),
          significant(error2_uds, 2), fixed(100 * error2_uds / qa, 1)))
    check(error1_uds > 0 and error2_uds > 0, "section 2: both DDS rates underestimate qa")
    iterations = int(uds2.labelled("it:"))
    says("converge em %d iterações (`it` = %d, L1 adimensionalizada ≈ %s, menor que `tol`)" %
         (iterations, iterations, power(uds2.labelled("L1(it):"), 2)))
    says("o erro da temperatura da ponta cai de %s °C para %s °C, e o da DDS-2 de %s W para %s W; "
         "o da DDS-1 continua grande (%s W)" %
         (fixed(abs(error_uds), 2), significant(abs(error_uds2), 2), significant(error2_uds, 2),
          significant(error2_uds2, 2), significant(error1_uds2, 2)))
    # Section 5.
    says("o erro de T_N é cerca de %s °C com `UDS` e %s °C com `UDS-2`" %
         (fixed(error_uds, 2), significant(error_uds2, 2)))
    # Section 8.
    says("`itmax` = 200 sobra no exemplo, que converge em %d iterações" % iterations)
    theta = uds.labelled("Tb:") - uds.labelled("Tinf:")
    h, area, perimeter, length = (uds.labelled(n) for n in ("h:", "Ab:", "P:", "L:"))
    surface = perimeter * length + area
    says("θb = %s °C, a área que troca calor é P·L + Ab = %s m², η = %s / %s ≈ %s e ε = %s / %s "
         "≈ %s" % (fixed(theta, 0), significant(surface, 3), fixed(qa, 4),
                   fixed(h * surface * theta, 2), fixed(qa / (h * surface * theta), 3),
                   fixed(qa, 4), fixed(h * area * theta, 2), fixed(qa / (h * area * theta), 1)))


def check_iteration_runs(aleta, scratch):
    # Section 5: itmax = 25 reaches tol on the last iteration allowed.
    last = Report(report(aleta, scratch, "uds2", itmax=25))
    says("com `itmax` = 25, o exemplo `uds2` termina com `it` = %d = `itmax` e `L1(it)` = %s, "
         "abaixo de `tol`" % (last.labelled("it:"), power(last.labelled("L1(it):"), 3)))
    check(last.labelled("L1(it):") < last.labelled("tol:"), "section 5: itmax = 25 reaches tol")
    # Section 5: on a million nodes the normalised L1 norm stops at round-off.
    million = Report(report(aleta, scratch, "uds2", N=1000000, itmax=25))
    says("não desce abaixo de cerca de %s" % power(min(million.iteration_norms()), 1))
    # Section 8: with Tb = Tinf = T0 the initial field is the solution.
    still = Report(report(aleta, scratch, "uds2", Tb=20, Tinf=20, T0=20))
    says("a norma inicial é só arredondamento (cerca de %s)" %
         power(still.initial_norm("L1"), 1))
    check(still.labelled("it:") == still.labelled("itmax:"), "section 8: with T0 = Tb = Tinf the "
          "iteration runs to itmax")


def check_round_off_runs(aleta, scratch):
    # Section 5: the UDS example on 2001 and 2 000 001 nodes.
    coarse = Report(report(aleta, scratch, "uds", N=2001)).tip()[3]
    fine = Report(report(aleta, scratch, "uds", N=2000001)).tip()[3]
    says("com 2 000 001 nós, o erro de T_N (%s °C) já é maior que com 2001 nós (%s °C)" %
         (significant(fine, 2, plus=True), significant(coarse, 2)))
    check(abs(fine) > abs(coarse), "section 5: the error on 2 000 001 nodes exceeds 2001's")


def check_residual_definition(aleta, scratch):
    """Section 9 defines the residual as each equation as the program stores it: the interior
    rows as written there, the base T_1 = Tb, the UDS-2 tip row 2Δx times its condition. From a
    uniform field T0 = 30 (the example's Tinf is 20) the initial norms follow by hand."""
    start = Report(report(aleta, scratch, "uds2", T0=30))
    Tb, Tinf, h, k, Ab, P, L, N = (start.labelled(n) for n in
                                   ("Tb:", "Tinf:", "h:", "k:", "Ab:", "P:", "L:", "N:"))
    T0, dx = 30.0, L / (N - 1)
    m2 = h * P / (k * Ab)
    interior = (T0 + T0 + m2 * dx * dx * Tinf) - (2 + m2 * dx * dx) * T0
    tip_condition = -k * (3 * T0 - 4 * T0 + T0) / (2 * dx) - h * (T0 - Tinf)
    residuals = [Tb - T0] + [interior] * int(N - 2) + [2 * dx * tip_condition]
    expected = {"L1": sum(abs(r) for r in residuals),
                "L2": math.sqrt(sum(r * r for r in residuals)),
                "L-infinito": max(abs(r) for r in residuals)}
    for norm, value in expected.items():
        check(math.isclose(start.initial_norm(norm), value, rel_tol=1e-9),
              "section 9: the initial %s norm from T0 = 30 is %r, and %r by the guide's residual"
              % (norm, start.initial_norm(norm), value))


def check_studies(aleta_malhas, scratch):
    rows, levels, text = study(aleta_malhas, scratch, "uds2")
    check_study_excerpt(text)
    meshes = sorted({n for (_, n, _) in rows})

    def cell(n, column, quantity="T(N)"):
        return rows[("UDS-2", n, quantity)][column]

    def value(n, column, quantity="T(N)"):
        return number(cell(n, column, quantity))

    says("(`aleta-malhas` na pasta `examples/uds2`, dez malhas de %d a %d nós)" %
         (meshes[0], meshes[-1]))
    says("As linhas passam de 400 colunas")
    check(max(len(line) for line in text) > 400, "section 6: no line of malhas.txt passes 400 "
          "columns")
    check(len(meshes) == 10, "section 6: the default study has %d meshes, not ten" % len(meshes))
    # Section 5: where tol = 1e-12 is no longer reached, and where round-off takes over.
    unconverged = [n for n in meshes if cell(n, "convergiu") != "sim"]
    says("não é atingida a partir de uns 10%s nós" %
         str(round(math.log10(unconverged[0]))).translate(SUPERSCRIPTS))
    marked = [n for (_, n, _), row in sorted(rows.items()) if row["arredondamento"] == "sim"]
    says("a virada vem antes, por volta de %d nós" % min(marked))

    # Section 6: the worked reading of the T(N) block.
    rising = [n for n in meshes if 21 < n <= 641]
    says("e p_E sobe para 2 (%s)" % ", ".join(fixed(value(n, "p_E"), 2) for n in rising))
    for n in rising:
        shrink = value(n - (n - 1) // 2, "erro") / value(n, "erro")
        check(3 < shrink < 4.5, "section 6: the error on %d nodes is not about a quarter of the "
              "one before (%.2f)" % (n, shrink))
    ratios = [value(n, "U(p_U)/E") for n in rising if cell(n, "U(p_U)/E")]
    says("U(p_U)/E, entre %s e %s" % (fixed(min(ratios), 2), fixed(max(ratios), 2)))
    check(min(ratios) >= 1, "section 6: U(p_U)/E below 1 up to 641 nodes")
    says("Com 161 nós, por exemplo, o GCI diz que T_N está a menos de %s °C do exato; o erro "
         "verdadeiro é %s °C" % (power(value(161, "GCI(p_U)"), 2),
                                 power(abs(value(161, "erro")), 2)))
    says("Com 1281 nós p_E já recua (%s)" % fixed(value(1281, "p_E"), 2))
    error, parts = value(2561, "erro"), [value(2561, "E_" + part) for part in
                                         ("discretizacao", "arredondamento", "iteracao")]
    says("Com 2561 nós, E = %s é a soma de E_discretizacao = %s, E_arredondamento = %s e "
         "E_iteracao = %s: as duas primeiras quase se anulam (somam %s)" %
         (power(error, 2), power(parts[0], 3), power(parts[1], 3, plus=True),
          power(parts[2], 3), power(parts[0] + parts[1], 2)))
    check(math.isclose(sum(parts), error, rel_tol=1e-3), "section 6: the budget of 2561 nodes "
          "does not add up to E")
    says("com %d %% de E. Daí o p_E = %s" % (round(100 * parts[2] / error),
                                             fixed(number(cell(2561, "p_E")), 1)))
    check(all(cell(n, "arredondamento") == "sim" for n in meshes if n >= 2561),
          "section 6: the meshes from 2561 nodes on are all marked for round-off")
    says("continua em 2 até a malha mais fina (%s)" %
         ", ".join(fixed(value(n, "p_E_disc"), 3) for n in meshes[-3:]))
    finest = meshes[-1]
    says("A malha de %d nós parou em `itmax` = %s com L1 = %s, acima de `tol`" %
         (finest, cell(finest, "iteracoes"), power(value(finest, "L1_final"), 3)))
    unresolved = re.search(r"E_iteracao: abaixo da resolução da referência \(< ([0-9.e+-]+)\)",
                           cell(finest, "observacoes"))
    check(cell(finest, "convergiu") != "sim" and not cell(finest, "iteracao") and
          not cell(finest, "E_iteracao") and unresolved is not None,
          "section 6: the finest mesh stops at itmax, with E_iteracao within the reference's "
          "resolution and no mark")
    says("E_iteracao fica abaixo da resolução da referência (< %s °C)" %
         power(float(unresolved.group(1)), 2))

    # Section 6: repeated extrapolation.
    def level(arithmetic, j, quantity="T(N)"):
        return sorted(((int(r["N"]), r) for r in levels if r["quantidade"] == quantity and
                       r["aritmetica"] == arithmetic and int(r["nivel"]) == j and
                       r["esquema"] == "UDS-2"), key=lambda pair: pair[0])

    top = [dict(level("quadrupla", j))[finest] for j in (1, 2, 3, 4)]
    says("chegam a p_E = %s, %s, %s e %s com %d nós, confirmando as ordens %s" %
         tuple([fixed(number(r["p_E"]), 2) for r in top] + [finest, ", ".join(
             str(int(r["ordem_removida"]) + 1) for r in top)]))
    resolved = [j for j in range(1, 10) if dict(level("quadrupla", j)).get(5121, {}).get("erro")]
    says("o erro cai de %s °C (5121 nós, sem extrapolar) para %s °C (nível %d, mesma malha)" %
         (power(abs(value(5121, "E_discretizacao")), 2),
          power(abs(number(dict(level("quadrupla", resolved[-1]))[5121]["erro"])), 2),
          resolved[-1]))
    within = re.search(r"\(< ([0-9.e+-]+)\)",
                       dict(level("quadrupla", resolved[-1] + 1))[5121]["observacoes"])
    says("dos níveis %d em diante fica abaixo da resolução da referência (< %s °C)" %
         (resolved[-1] + 1, power(float(within.group(1)), 2)))
    second = [number(r["p_E"]) for _, r in level("quadrupla", 2) if r["p_E"]]
    says("devagar: %s, … %s" % (", ".join(fixed(p, 2) for p in second[:3]), fixed(second[-1], 2)))
    check(all(a > b > 4 for a, b in zip(second, second[1:])), "section 6: the quadruple level 2 "
          "does not come down to 4 from above")
    double = level("dupla", 2)
    ordered = [(n, r) for n, r in double if r["p_E"]]
    after = [number(r["erro"]) for n, r in double if n > ordered[0][0]]
    says("só tem p_E numa malha, %s com %d nós: a partir de %d nós o seu erro, já de %s °C" %
         (fixed(number(ordered[0][1]["p_E"]), 2), ordered[0][0],
          next(n for n, _ in double if n > ordered[0][0]), power(abs(after[0]), 1)))
    check(len(ordered) == 1 and all(a * b < 0 for a, b in zip(after, after[1:])) and
          abs(after[-1]) > abs(after[0]), "section 6: the double level 2 has one order, then "
          "errors that change sign and grow")

    # Section 6: the UDS example needs more meshes to turn.
    rows, _, _ = study(aleta_malhas, scratch, "uds", "-m", "14")
    marked = [n for (_, n, _), row in rows.items() if row["arredondamento"] == "sim"]
    says("a virada só aparece por volta de %d nós: peça mais malhas (`-m 14` chega a %d nós)" %
         (min(marked), max(n for (_, n, _) in rows)))
    check(10 ** 4 < min(marked) < 10 ** 5, "section 5: UDS turns between 10^4 and 10^5 nodes")


def estimator_summary(output):
    """The rows of estimadores_resumo.csv against E over all meshes, by (quantidade, estimador)."""
    with open(os.path.join(output, "estimadores_resumo.csv"), encoding="utf-8", newline="") as f:
        return {(r["quantidade"], r["estimador"]): r for r in csv.DictReader(f)
                if r["contra"] == "E" and r["malhas"] == "todas"}


def check_estimator_reading(aleta_malhas, scratch):
    """Section 6: the guide's table of the effectivities U/|E| of T(N) in the default study of the
    UDS-2 example, as malhas.txt writes them (at most 4 significant digits, "–" where there is
    none), and the figures of its reading, against estimadores.csv and estimadores_resumo.csv;
    and the medians it gives for the default study of the UDS example."""
    folder = case_folder(scratch, "uds2")
    run([aleta_malhas], folder)
    output = os.path.join(folder, "estudo_malhas")
    with open(os.path.join(output, "estimadores.csv"), encoding="utf-8", newline="") as f:
        meshes = {(r["quantidade"], r["estimador"], int(r["N"])): r for r in csv.DictReader(f)}
    summary = estimator_summary(output)

    def effectivity(quantity, estimator, n):
        return number(meshes[(quantity, estimator, n)]["U/|E|"])

    def median(quantity, estimator, of=summary):
        return fixed(number(of[(quantity, estimator)]["mediana_U/|E|"]), 2)

    start = next(i for i, line in enumerate(GUIDE_LINES) if line.startswith("| N | convergência |"))
    names = [c.strip().strip("`") for c in GUIDE_LINES[start].strip("|").split("|")[2:]]
    quoted = 0
    for line in GUIDE_LINES[start + 2:]:
        if not line.startswith("|"):
            break
        cells = [c.strip() for c in line.strip("|").split("|")]
        n = int(cells[0])
        row = meshes[("T(N)", names[0], n)]
        check(cells[1] == (row["convergencia"] or "–"), "section 6, estimators on %d nodes: the "
              "guide shows %r, the study gives %r" % (n, cells[1], row["convergencia"]))
        for name, cell in zip(names, cells[2:]):
            given = meshes[("T(N)", name, n)]["U/|E|"]
            shown = "%.4g" % float(given) if given else "–"
            check(cell == shown, "section 6, %s on %d nodes: the guide shows %s, the study gives %s"
                  % (name, n, cell, shown))
        quoted += 1
    check(quoted >= 9, "section 6: the table of effectivities has %d meshes" % quoted)
    p_L = summary[("T(N)", "GCI(p_L)")]
    says("`GCI(p_L)` foi conservador em %s de %s malhas, os outros em todas; a mediana de U/|E| é "
         "%s para `GCI(p_U)`, %s para `FS`, %s para `MQ` e %s para `GCI(p_L)`" %
         (p_L["conservadoras"], p_L["julgadas"], median("T(N)", "GCI(p_U)"), median("T(N)", "FS"),
          median("T(N)", "MQ"), median("T(N)", "GCI(p_L)")))
    check(all(summary[("T(N)", e)]["conservadoras"] == summary[("T(N)", e)]["julgadas"]
              for e in ("GCI(p_U)", "GCI(osc)", "FS", "MQ")), "section 6: an estimator other than "
          "GCI(p_L) understated the error of T(N)")
    says("as efetividades são o próprio fator de cada um: %s, %s, %s e %s" %
         tuple(median("qdds1", e) for e in ("GCI(p_L)", "GCI(p_U)", "FS", "MQ")))
    says("com 5121 nós, o `GCI(p_U)` falha (%s)" % fixed(effectivity("qdds2", "GCI(p_U)", 5121), 2))
    says("O `FS` contém o erro (%s)" % fixed(effectivity("qdds2", "FS", 5121), 2))
    says("também (%s)" % fixed(effectivity("qdds2", "MQ", 5121), 2))

    # The default study of the UDS example: every estimator that applies holds everywhere.
    folder = case_folder(scratch, "uds")
    run([aleta_malhas], folder)
    uds = estimator_summary(os.path.join(folder, "estudo_malhas"))
    quantities = ("T(N)", "qdds1", "qdds2")
    check(all(r["conservadoras"] == r["julgadas"] for r in uds.values()) and
          all(uds[(q, "GCI(osc)")]["julgadas"] == "0" for q in quantities),
          "section 6: in the UDS example an estimator understated the error, or GCI(osc) applied")
    medians = {e: [median(q, e, uds) for q in quantities] for e in ("GCI(p_L)", "FS", "GCI(p_U)", "MQ")}
    check(set(medians["GCI(p_U)"] + medians["MQ"]) == {"1,25"}, "section 6: in the UDS example "
          "GCI(p_U) and MQ have the medians %s and %s" % (medians["GCI(p_U)"], medians["MQ"]))
    says("as medianas de U/|E| de T(N), qdds1 e qdds2 são o próprio fator de cada um: %s para "
         "`GCI(p_L)`, %s para `FS`, e 1,25 para `GCI(p_U)` e `MQ`" %
         (", ".join(medians["GCI(p_L)"][:2]) + " e " + medians["GCI(p_L)"][2],
          ", ".join(medians["FS"][:2]) + " e " + medians["FS"][2]))


def main():
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    aleta, aleta_malhas = (os.path.abspath(a) for a in sys.argv[1:])
    with tempfile.TemporaryDirectory() as scratch:
        check_reports(aleta, scratch)
        check_iteration_runs(aleta, scratch)
        check_round_off_runs(aleta, scratch)
        check_residual_definition(aleta, scratch)
        check_studies(aleta_malhas, scratch)
        check_estimator_reading(aleta_malhas, scratch)
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
