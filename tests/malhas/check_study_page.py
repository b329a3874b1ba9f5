#!/usr/bin/env python3
"""Opens estudo.html of two studies in headless Chromium and checks what a reader gets: every
chart and table there, every link within the page leading somewhere and every other link to a file
of the study's folder, nothing loaded from anywhere, a body no wider than 1280 px that nothing
sticks out of (a wide table scrolls in its own box), and
the numbers of the summary equal to those of malhas.csv and extrapolacoes.csv (each as the
tables round it), for the meshes the summary says it reads; the estimators' summaries equal to
estimadores_resumo.csv and their tables of meshes to estimadores.csv; the convergence type of
every mesh as malhas.csv gives it. The guide's sections the page names must be headings of
LEIAME.md.

The studies: the default one of examples/uds2, and examples/uds with L = 1.0 and N = 3, both
schemes on 14 meshes (the widest tables).

usage: check_study_page.py ALETA_MALHAS SOURCE_FOLDER
"""
import csv
import html
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile

# The page is read in a window wider than the body may be: the body must keep to 1280 px, and
# nothing may stick out of it.
WINDOW = 1600
WIDEST_BODY = 1280
LARGEST_PAGE = 1 << 20

PROBE = """<script>
window.addEventListener("load", () => {
  const root = document.documentElement;
  const within = (id) => document.getElementById(id);
  const figures = [...document.querySelectorAll("figure[id^=grafico-]")];
  // A table's last heading row and its body rows, as the texts of their cells.
  const cells = (row) => [...row.children].map(c => c.textContent);
  const readTable = (t) => ({heading: cells(t.querySelector("thead tr:last-child")),
                             rows: [...t.querySelectorAll("tbody tr")].map(cells)});
  // The tables after a heading of a scheme and quantity, up to the next heading.
  const tablesAfter = (h) => {
    const found = [];
    for (let e = h.nextElementSibling; e && !/^H[1-4]$/.test(e.tagName); e = e.nextElementSibling) {
      found.push(...e.querySelectorAll("table"));
    }
    return found;
  };
  const subject = (e) => ({esquema: e.dataset.esquema, quantidade: e.dataset.quantidade});
  const report = {
    charts: figures.map(f => {
      const svg = f.querySelector(":scope > svg");
      const box = svg ? svg.getBoundingClientRect() : null;
      return {id: f.id, drawn: !!box && box.width > 0 && box.height > 0,
              inside: !!box && box.right <= f.getBoundingClientRect().right + 0.5};
    }),
    meshTables: within("tabelas").querySelectorAll("table").length,
    levelTables: within("extrapolacao").querySelectorAll("table").length,
    anchors: [...document.querySelectorAll("h4[id^=tabela-]")].map(h => h.id),
    brokenLinks: [...document.querySelectorAll("a[href^='#']")]
        .map(a => a.getAttribute("href").slice(1)).filter(id => !within(id)),
    resources: performance.getEntriesByType("resource").map(r => r.name),
    pageWidth: root.scrollWidth, windowWidth: root.clientWidth,
    bodyWidth: document.body.getBoundingClientRect().width,
    bodyContentWidth: document.body.scrollWidth, bodyInnerWidth: document.body.clientWidth,
    numbers: [...document.querySelectorAll(".cartao .v")].map(v => {
      const card = v.closest(".cartao");
      return {esquema: card.dataset.esquema, quantidade: card.dataset.quantidade,
              col: v.dataset.col, n: v.dataset.n, nivel: v.dataset.nivel || null,
              aritmetica: v.dataset.aritmetica || null, text: v.textContent};
    }),
    cards: document.querySelectorAll(".cartao").length,
    meshTableColumns: [...document.querySelectorAll("#tabelas h4[id^=tabela-]")].map(h =>
        Object.assign(subject(h), {tables: tablesAfter(h).map(readTable)})),
    estimators: [...document.querySelectorAll("#estimadores div.estimadores")].map(d =>
        Object.assign(subject(d), {tables: d.querySelectorAll("table").length,
          summary: [...d.querySelectorAll("td[data-contra]")].map(c => ({
              estimador: c.dataset.estimador, contra: c.dataset.contra, malhas: c.dataset.malhas,
              col: c.dataset.col, text: c.textContent})),
          meshes: [...d.querySelectorAll("td[data-col]:not([data-contra])")].map(c => {
              const row = c.closest("tr");
              return {n: row.cells[0].textContent, convergencia: row.cells[1].textContent,
                      estimador: c.dataset.estimador, col: c.dataset.col, text: c.textContent};
          })})),
    guide: [...document.querySelectorAll("cite.secao-guia")].map(c => c.textContent),
  };
  const out = document.createElement("pre");
  out.id = "page-probe";
  out.textContent = JSON.stringify(report);
  document.body.appendChild(out);
});
</script>"""

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def chromium_report(page):
    browser = shutil.which("chromium") or shutil.which("chromium-browser")
    if not browser:
        raise SystemExit("chromium is needed for the page's test (Debian package chromium)")
    with open(page, encoding="utf-8") as f:
        text = f.read()
    probed = os.path.join(os.path.dirname(page), ".probed.html")
    with open(probed, "w", encoding="utf-8") as f:
        f.write(text.replace("</body>", PROBE + "</body>"))
    with tempfile.TemporaryDirectory() as profile:
        dom = subprocess.run(
            [browser, "--headless", "--no-sandbox", "--disable-gpu",
             "--disable-background-networking", "--disable-component-update", "--disable-sync",
             "--no-first-run", "--user-data-dir=" + profile, "--virtual-time-budget=10000",
             "--window-size=%d,1000" % WINDOW, "--dump-dom", "file://" + probed],
            capture_output=True, timeout=120).stdout.decode("utf-8", "replace")
    os.remove(probed)
    found = re.search(r'<pre id="page-probe">(.*?)</pre>', dom, re.S)
    if not found:
        raise SystemExit("%s did not finish loading in the browser" % page)
    return json.loads(html.unescape(found.group(1)))


def check_source(label, text, folder):
    """Nothing in the page's own text that would load or run anything; every other link a file
    beside it."""
    for tag in ("script", "link", "img", "iframe", "object", "embed", "base"):
        check(not re.search(r"<%s\b" % tag, text), "%s: a <%s> element" % (label, tag))
    check("@import" not in text, "%s: a CSS @import" % label)
    for target in re.findall(r'url\(\s*([^)]*)\)', text):
        check(target.startswith("#"), "%s: url(%s), not a part of the page" % (label, target))
    for target in re.findall(r'(?:href|src)="([^"#][^"]*)"', text):
        check("/" not in target and "\\" not in target and ":" not in target and
              os.path.isfile(os.path.join(folder, target)),
              "%s: a link to %s, not a file of the study's folder" % (label, target))
    check("<?xml" not in text, "%s: an XML declaration inside the page" % label)


def read_rows(path):
    with open(path, newline="", encoding="utf-8") as f:
        return list(csv.DictReader(f))


def within_resolution(row, column):
    """The bound x of a cell the CSV leaves empty because it is within the reference's
    resolution: its note names the column, "...: abaixo da resolução da referência (< x)"; None
    for a cell empty for another reason or not empty."""
    if row[column] != "":
        return None
    for note in row["observacoes"].split("; "):
        names, _, reason = note.partition(": ")
        bound = re.fullmatch(r"abaixo da resolução da referência \(< (\S+)\)", reason)
        if bound and column in names.split(", "):
            return bound.group(1)
    return None


def shown(row, column):
    """The cell of the CSV as the tables of people write it."""
    cell = row[column]
    bound = within_resolution(row, column)
    if bound is not None:
        return "< " + bound
    if cell == "":
        return "-"
    if column == "valor":
        return cell
    if column.startswith("p_"):
        return "%.3f" % float(cell)
    return "%.3e" % float(cell)


def check_summary(label, report, folder):
    meshes = read_rows(os.path.join(folder, "malhas.csv"))
    levels = read_rows(os.path.join(folder, "extrapolacoes.csv"))
    subjects = {(r["esquema"], r["quantidade"]) for r in meshes}
    check(report["cards"] == len(subjects), "%s: %d summary cards for %d schemes and quantities" %
          (label, report["cards"], len(subjects)))
    for (scheme, quantity) in sorted(subjects):
        rows = [r for r in meshes if (r["esquema"], r["quantidade"]) == (scheme, quantity)]
        numbers = [n for n in report["numbers"]
                   if (n["esquema"], n["quantidade"]) == (scheme, quantity)]
        where = "%s: %s %s" % (label, scheme, quantity)
        finest = max((r for r in rows if r["valor"]), key=lambda r: int(r["N"]))
        unmarked = [r for r in rows if r["valor"] and r["p_E"] and not r["arredondamento"]
                    and not r["iteracao"]]
        read_at = {"valor": finest, "erro": finest}
        if finest["E_discretizacao"]:
            read_at.update({"E_discretizacao": finest, "E_iteracao": finest,
                            "E_arredondamento": finest})
        if finest["p_E_disc"]:
            read_at["p_E_disc"] = finest
        if unmarked:
            read_at["p_E"] = read_at["p_U"] = max(unmarked, key=lambda r: int(r["N"]))
        mesh_numbers = [n for n in numbers if n["nivel"] is None]
        check(sorted(n["col"] for n in mesh_numbers) == sorted(read_at),
              "%s: the summary reads %s" % (where, sorted(n["col"] for n in mesh_numbers)))
        for n in mesh_numbers:
            row = read_at.get(n["col"])
            if row is None:
                continue
            check(n["n"] == row["N"], "%s: %s read on N = %s, not %s" % (where, n["col"], n["n"], row["N"]))
            check(n["text"] == shown(row, n["col"]), "%s: %s = %s, the CSV's %s" %
                  (where, n["col"], n["text"], row[n["col"]]))
        check_best(where, [n for n in numbers if n["nivel"] is not None], finest, levels,
                   scheme, quantity)


def check_best(where, numbers, finest, levels, scheme, quantity):
    """The best extrapolated value: the level of smallest |erro| on the finest mesh, from the
    quadruple-precision rows when there are any (level 0 being E_discretizacao), else the double
    ones (level 0 being erro)."""
    check(len(numbers) == 2, "%s: %d numbers of the best extrapolated value" % (where, len(numbers)))
    if len(numbers) != 2:
        return
    rows = [r for r in levels if (r["esquema"], r["quantidade"]) == (scheme, quantity)
            and r["N"] == finest["N"]]
    arithmetic = "quadrupla" if any(r["aritmetica"] == "quadrupla" for r in rows) else "dupla"
    # An error within its level's resolution x counts as x: noise picks no level.
    def size(row, column):
        bound = within_resolution(row, column)
        return float(bound) if bound is not None else abs(float(row[column]))
    candidates = [(size(r, "erro"), int(r["nivel"]), r) for r in rows
                  if r["aritmetica"] == arithmetic]
    level0 = size(finest, "E_discretizacao" if arithmetic == "quadrupla" else "erro")
    best = min(candidates + [(level0, 0, None)], key=lambda c: (c[0], c[1]))
    for n in numbers:
        check(n["aritmetica"].replace("á", "a") == arithmetic and n["n"] == finest["N"] and
              int(n["nivel"]) == best[1], "%s: best level %s (%s) on N = %s; the CSV's is %d" %
              (where, n["nivel"], n["aritmetica"], n["n"], best[1]))
        if best[2] is not None:
            check(n["text"] == shown(best[2], n["col"]), "%s: best %s = %s, the CSV's %s" %
                  (where, n["col"], n["text"], best[2][n["col"]]))


def near(text, cell):
    """Whether the page's text of a number is the CSV's cell to the digits the page keeps: "-"
    for an empty cell, else within half a unit of the text's last significant digit."""
    if cell == "" or text == "-":
        return text == "-" and cell == ""
    digits = re.sub(r"[eE].*", "", text).lstrip("-").replace(".", "").lstrip("0")
    value = float(text)
    unit = abs(value) / float(digits) if value != 0 and digits else 0.0
    return abs(float(cell) - value) <= unit / 2 * (1 + 1e-9)


def check_estimators(label, report, folder):
    """The estimators' section: for each scheme and quantity its two tables, the summary's numbers
    those of estimadores_resumo.csv and every mesh's U and U/|E| those of estimadores.csv; and the
    tables of malhas.txt with the convergence type of malhas.csv."""
    summary = read_rows(os.path.join(folder, "estimadores_resumo.csv"))
    meshes = read_rows(os.path.join(folder, "estimadores.csv"))
    parts = report["estimators"]
    check(len(parts) == report["cards"], "%s: estimators of %d schemes and quantities" % (label, len(parts)))
    for part in parts:
        subject = (part["esquema"], part["quantidade"])
        where = "%s: estimators of %s %s" % ((label,) + subject)
        check(part["tables"] == 2, "%s: %d tables" % (where, part["tables"]))
        rows = {(r["estimador"], r["contra"], r["malhas"]): r for r in summary
                if (r["esquema"], r["quantidade"]) == subject}
        shown = {(c["estimador"], c["contra"], c["malhas"], c["col"]): c["text"] for c in part["summary"]}
        check(rows and len(shown) == 2 * len(rows), "%s: %d summary cells for %d rows of the CSV" %
              (where, len(shown), len(rows)))
        for key, row in rows.items():
            share = shown.get(key + ("conservadoras",), "")
            counts = re.match(r"(\d+)/(\d+)", share)
            check(counts and counts.groups() == (row["conservadoras"], row["julgadas"]),
                  "%s: %s U >= |E| on %s, the CSV's %s/%s" %
                  (where, key, share, row["conservadoras"], row["julgadas"]))
            if row["fracao_conservadora"]:
                percent = re.search(r"\((\d+) %\)", share)
                check(percent and int(percent.group(1)) == int(100 * float(row["fracao_conservadora"]) + 0.5),
                      "%s: %s share %s, the CSV's %s" % (where, key, share, row["fracao_conservadora"]))
            median = shown.get(key + ("mediana_U/|E|",), "")
            check(near(median, row["mediana_U/|E|"]), "%s: %s median %s, the CSV's %r" %
                  (where, key, median, row["mediana_U/|E|"]))
        by_mesh = {(r["estimador"], r["N"]): r for r in meshes
                   if (r["esquema"], r["quantidade"]) == subject and not r["observacoes"].startswith("falhou")}
        seen = set()
        for c in part["meshes"]:
            row = by_mesh.get((c["estimador"], c["n"]))
            if row is None:
                check(False, "%s: %s on N = %s, not in the CSV" % (where, c["estimador"], c["n"]))
                continue
            seen.add((c["estimador"], c["n"]))
            check(c["convergencia"] == (row["convergencia"] or "-"), "%s: N = %s converges %r, the CSV's %r" %
                  (where, c["n"], c["convergencia"], row["convergencia"]))
            expected = row[c["col"]]
            if c["col"] == "U":
                right = c["text"] == ("%.3e" % float(expected) if expected else "-")
            else:
                right = near(c["text"], expected)
            check(right, "%s: %s %s on N = %s is %s, the CSV's %r" %
                  (where, c["estimador"], c["col"], c["n"], c["text"], expected))
        check(seen == set(by_mesh), "%s: %s of the CSV not on the page" % (where, sorted(set(by_mesh) - seen)))
    types = read_rows(os.path.join(folder, "malhas.csv"))
    for block in report["meshTableColumns"]:
        subject = (block["esquema"], block["quantidade"])
        where = "%s: tables of %s %s" % ((label,) + subject)
        with_type = [t for t in block["tables"] if "convergência" in t["heading"]]
        check(len(with_type) == 1, "%s: %d tables with the convergence type" % (where, len(with_type)))
        if len(with_type) != 1:
            continue
        column = with_type[0]["heading"].index("convergência")
        expected = {r["N"]: r["convergencia"] or "-" for r in types
                    if (r["esquema"], r["quantidade"]) == subject and r["valor"]}
        shown = {row[0]: row[column] for row in with_type[0]["rows"] if len(row) > column}
        check(shown == expected, "%s: convergence types %s, the CSV's %s" % (where, shown, expected))


def guide_headings(source):
    with open(os.path.join(source, "LEIAME.md"), encoding="utf-8") as f:
        return {line.lstrip("#").strip().replace("`", "") for line in f if line.startswith("#")}


def check_page(label, folder, source):
    page = os.path.join(folder, "estudo.html")
    with open(page, encoding="utf-8") as f:
        text = f.read()
    check(len(text.encode("utf-8")) <= LARGEST_PAGE, "%s: %d bytes" % (label, len(text.encode("utf-8"))))
    check_source(label, text, folder)
    report = chromium_report(page)
    charts = sorted(f[:-4] for f in os.listdir(folder) if f.endswith(".svg"))
    check(sorted(c["id"] for c in report["charts"]) == ["grafico-" + c for c in charts],
          "%s: charts %s for the files %s" % (label, [c["id"] for c in report["charts"]], charts))
    for chart in report["charts"]:
        check(chart["drawn"] and chart["inside"], "%s: %s not drawn within the page" % (label, chart["id"]))
    subjects = len(report["anchors"])
    check(subjects == report["cards"] and subjects % 3 == 0, "%s: tables of %d schemes and quantities"
          % (label, subjects))
    check(report["meshTables"] == 2 * subjects, "%s: %d mesh tables" % (label, report["meshTables"]))
    check(report["levelTables"] == 2 * subjects, "%s: %d level tables" % (label, report["levelTables"]))
    check(not report["brokenLinks"], "%s: links to %s, nowhere on the page" % (label, report["brokenLinks"]))
    check(not report["resources"], "%s: loaded %s" % (label, report["resources"]))
    check(report["bodyWidth"] <= WIDEST_BODY, "%s: the body is %d px wide" % (label, report["bodyWidth"]))
    check(report["bodyContentWidth"] <= report["bodyInnerWidth"] and
          report["pageWidth"] <= report["windowWidth"],
          "%s: %d px of content in a body of %d" % (label, report["bodyContentWidth"], report["bodyInnerWidth"]))
    headings = guide_headings(source)
    check(report["guide"], "%s: no section of the guide named" % label)
    for section in report["guide"]:
        check(section in headings, "%s: the guide has no section %r" % (label, section))
    check_summary(label, report, folder)
    check_estimators(label, report, folder)


def study(program, source, example, arguments, changes={}):
    work = tempfile.mkdtemp()
    for name in ("entradas_geral.ent", "entradas_uds.ent"):
        origin = os.path.join(source, "examples", example, name)
        if not os.path.exists(origin):
            origin = os.path.join(source, "examples", "uds2", name)
        with open(origin, "rb") as f:
            lines = f.read().split(b"\n")
        if name == "entradas_geral.ent":
            for line, value in changes.items():
                lines[line] = value + b"   " + lines[line].split(b" ", 1)[-1]
        with open(os.path.join(work, name), "wb") as f:
            f.write(b"\n".join(lines))
    subprocess.run([program] + arguments, cwd=work, check=True, stdin=subprocess.DEVNULL)
    return work


def main():
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    program, source = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    cases = [("uds2", study(program, source, "uds2", [])),
             ("uds L = 1.0, N = 3, -e ambos -m 14",
              study(program, source, "uds", ["-e", "ambos", "-m", "14"], {7: b"1.0", 8: b"3"}))]
    for label, work in cases:
        check_page(label, os.path.join(work, "estudo_malhas"), source)
        shutil.rmtree(work)
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
