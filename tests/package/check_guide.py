"""Checks of the guide as a package ships it: LEIAME.html as a browser shows it and LEIAME.txt as
Notepad shows it. Each function returns a list of failures, empty when all is well."""
import base64
import html
import html.parser
import json
import os
import re
import shutil
import subprocess
import tempfile

# What a formula written in TeX leaves behind when it was not converted: a command such as
# \frac or \theta, or a `$` delimiter. A Windows path (examples\uds2) is not one of them.
TEX_COMMAND = re.compile(
    r"\\(?:[A-Za-z]+\{|(?:frac|dfrac|sqrt|mathrm|text|left|right|qquad|quad|cdot|bigl|bigr|Big|"
    r"infty|theta|Delta|varphi|Phi|ln|sum|max|dots|ge|le|ll|approx|partial|eta|varepsilon|"
    r"cosh|sinh)(?![A-Za-z]))")

# Added to a copy of the page: once it has loaded, a hidden element holds, as JSON, what the
# browser laid out: the images and whether they loaded, the MathML formulas, which formulas run
# past the text column, and which preformatted blocks take more lines than their text has (a
# block whose long lines wrap instead of scrolling: each line box of its text starts a new top).
PROBE = """<script>
window.addEventListener("load", () => {
  const images = [...document.images];
  const math = [...document.querySelectorAll("math")];
  const body = document.body.getBoundingClientRect();
  const columnRight = body.right - parseFloat(getComputedStyle(document.body).paddingRight);
  const contentRight = element => {
    const range = document.createRange();
    range.selectNodeContents(element);
    return range.getBoundingClientRect().right;
  };
  const wrapped = [];
  for (const pre of document.querySelectorAll("pre")) {
    const lines = pre.textContent.split("\\n").filter(line => line.trim() !== "");
    const tops = new Set();
    const walker = document.createTreeWalker(pre, NodeFilter.SHOW_TEXT);
    for (let text = walker.nextNode(); text; text = walker.nextNode()) {
      const range = document.createRange();
      range.selectNodeContents(text);
      for (const box of range.getClientRects()) if (box.width > 0) tops.add(Math.round(box.top));
    }
    if (tops.size > lines.length) wrapped.push(`${lines[0].trim()} (${lines.length} lines, ${tops.size} drawn)`);
  }
  const mark = document.createElement("div");
  mark.id = "guide-probe";
  mark.hidden = true;
  mark.textContent = JSON.stringify({
    images: images.length,
    broken: images.filter(i => !i.complete || i.naturalWidth === 0).length,
    math: math.length,
    shown: math.filter(m => m.getBoundingClientRect().height > 0).length,
    wide: math.filter(m => contentRight(m) > columnRight + 0.5)
              .map(m => m.textContent.trim().slice(0, 40)),
    wrapped: wrapped,
    pageWidth: document.documentElement.scrollWidth,
    windowWidth: window.innerWidth,
  });
  document.body.appendChild(mark);
});
</script>"""


class VisibleText(html.parser.HTMLParser):
    """The text a reader sees outside code and MathML, the images' sources, the targets of the
    links within the page and the anchors there are."""

    SKIPPED = {"code", "pre", "math", "script", "style", "title"}

    def __init__(self):
        super().__init__()
        self.depth = 0
        self.text = []
        self.images = []
        self.targets = set()
        self.anchors = set()

    def handle_starttag(self, tag, attrs):
        if tag in self.SKIPPED:
            self.depth += 1
        attributes = dict(attrs)
        if tag == "img":
            self.images.append(attributes.get("src", ""))
        if attributes.get("href", "").startswith("#"):
            self.targets.add(attributes["href"][1:])
        if "id" in attributes:
            self.anchors.add(attributes["id"])

    def handle_endtag(self, tag):
        if tag in self.SKIPPED:
            self.depth -= 1

    def handle_data(self, data):
        if self.depth == 0:
            self.text.append(data)


def chromium(*arguments):
    browser = shutil.which("chromium") or shutil.which("chromium-browser")
    if not browser:
        raise SystemExit("chromium is needed for the guide's test (Debian package chromium)")
    return subprocess.run([browser, "--headless", "--no-sandbox", "--disable-gpu",
                           "--virtual-time-budget=10000"] + list(arguments),
                          capture_output=True, timeout=120)


def check_html(path, formulas):
    """LEIAME.html renders, holds `formulas` MathML formulas with some height on the page, each
    within the text column and with its upright names upright, no TeX or escaped table bar in
    its text, links within the page that lead somewhere, images that are embedded SVG and load,
    and preformatted blocks that keep their lines (a wide one scrolls) on a page no wider than
    the window."""
    label = os.path.basename(os.path.dirname(path)) + "/LEIAME.html"
    failures = []
    with open(path, encoding="utf-8") as f:
        page = f.read()
    parsed = VisibleText()
    parsed.feed(page)
    visible = "".join(parsed.text)
    for leftover in sorted(set(TEX_COMMAND.findall(visible))) + (["$"] if "$" in visible else []):
        failures.append("%s: TeX left in the visible text: %r" % (label, leftover))
    if not parsed.images:
        failures.append("%s: no charts" % label)
    # Chromium ignores the mathvariant of an mstyle, which pandoc writes for \mathrm: the name
    # would be drawn in italics.
    if re.search(r"<mstyle[^>]*mathvariant", page):
        failures.append("%s: an upright name as an mstyle mathvariant, which Chromium draws in "
                        "italics (write \\text{} in LEIAME.md)" % label)
    if "\\|" in page:
        failures.append("%s: a table's escaped bar shown as \\|" % label)
    for target in sorted(parsed.targets - parsed.anchors):
        failures.append("%s: a link to #%s, which is nowhere on the page" % (label, target))
    for source in parsed.images:
        prefix = "data:image/svg+xml;base64,"
        if not source.startswith(prefix) or b"<svg" not in base64.b64decode(source[len(prefix):]):
            failures.append("%s: an image that is not an embedded SVG: %.60s" % (label, source))
    with tempfile.TemporaryDirectory() as scratch:
        probed = os.path.join(scratch, "probed.html")
        with open(probed, "w", encoding="utf-8") as f:
            f.write(page.replace("</body>", PROBE + "</body>"))
        picture = os.path.join(scratch, "guide.png")
        chromium("--screenshot=" + picture, "--window-size=900,2000", "file://" + probed)
        with open(picture, "rb") as f:
            if not f.read(8) == b"\x89PNG\r\n\x1a\n":
                failures.append("%s: the browser drew no picture" % label)
        dom = chromium("--dump-dom", "file://" + probed).stdout.decode("utf-8", "replace")
    probe = re.search(r'id="guide-probe"[^>]*>([^<]*)<', dom)
    if not probe:
        return failures + ["%s: the page did not finish loading in the browser" % label]
    laid_out = json.loads(html.unescape(probe.group(1)))
    if laid_out["images"] != len(parsed.images) or laid_out["broken"]:
        failures.append("%s: %d of %d images did not load" %
                        (label, laid_out["broken"], laid_out["images"]))
    if laid_out["math"] != formulas or laid_out["shown"] != formulas:
        failures.append("%s: %d MathML formulas, %d laid out, for the guide's %d" %
                        (label, laid_out["math"], laid_out["shown"], formulas))
    for formula in laid_out["wide"]:
        failures.append("%s: a formula runs past the text column: %s" % (label, formula))
    if laid_out["pageWidth"] > laid_out["windowWidth"]:
        failures.append("%s: the page is %d pixels wide in a window of %d" %
                        (label, laid_out["pageWidth"], laid_out["windowWidth"]))
    for block in laid_out["wrapped"]:
        failures.append("%s: a preformatted block wraps its lines: %s" % (label, block))
    return failures


def check_text(path):
    """LEIAME.txt: UTF-8 with a byte-order mark, CR LF ends, no TeX, no Markdown links or pipe
    tables, and nothing wider than 100 columns but the quoted output of the programs (indented
    by four spaces), about which the first lines tell how to read it in Notepad."""
    label = os.path.basename(os.path.dirname(path)) + "/LEIAME.txt"
    with open(path, "rb") as f:
        raw = f.read()
    if not raw.startswith(b"\xef\xbb\xbf"):
        return ["%s: no UTF-8 byte-order mark" % label]
    if raw.count(b"\n") != raw.count(b"\r\n"):
        return ["%s: a line that does not end with CR LF" % label]
    failures = []
    lines = raw[3:].decode("utf-8").split("\r\n")
    if max(len(line) for line in lines) > 100 and \
            not any("quebra automática de linha" in line for line in lines[:6]):
        failures.append("%s: lines over 100 columns, and no word on word wrap at the top" % label)
    for number, line in enumerate(lines, 1):
        where = "%s line %d" % (label, number)
        quoted = line.startswith("    ")
        if TEX_COMMAND.search(line) or "$$" in line or (not quoted and "$" in line):
            failures.append("%s: TeX: %s" % (where, line.strip()))
        if "\\|" in line:
            failures.append("%s: a table's escaped bar shown as \\|: %s" % (where, line.strip()))
        if re.search(r"\]\(|\(#|^\s*\|.*\|\s*$|\|\s*-{3,}", line):
            failures.append("%s: Markdown link or table: %s" % (where, line.strip()))
        if len(line) > 100 and (not quoted or set(line.strip()) <= {"-", " "}):
            failures.append("%s: %d columns wide" % (where, len(line)))
    return failures
