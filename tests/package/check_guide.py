"""Checks of the guide as a package ships it: LEIAME.html as a browser shows it and LEIAME.txt as
Notepad shows it. Each function returns a list of failures, empty when all is well."""
import base64
import html.parser
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

PROBE = """<script>
window.addEventListener("load", () => {
  const images = [...document.images];
  const broken = images.filter(i => !i.complete || i.naturalWidth === 0).length;
  const math = [...document.querySelectorAll("math")];
  const laidOut = math.filter(m => m.getBoundingClientRect().height > 0).length;
  const mark = document.createElement("div");
  mark.id = "guide-probe";
  mark.textContent = `images ${images.length} broken ${broken} math ${math.length} shown ${laidOut}`;
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
    """LEIAME.html renders, holds `formulas` MathML formulas with some height on the page, no
    TeX in its visible text, links within the page that lead somewhere, and images that are
    embedded SVG and load."""
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
    probe = re.search(r'id="guide-probe">images (\d+) broken (\d+) math (\d+) shown (\d+)<', dom)
    if not probe:
        return failures + ["%s: the page did not finish loading in the browser" % label]
    images, broken, math, shown = (int(n) for n in probe.groups())
    if images != len(parsed.images) or broken:
        failures.append("%s: %d of %d images did not load" % (label, broken, images))
    if math != formulas or shown != formulas:
        failures.append("%s: %d MathML formulas, %d laid out, for the guide's %d" %
                        (label, math, shown, formulas))
    return failures


def check_text(path):
    """LEIAME.txt: UTF-8 with a byte-order mark, CR LF ends, no TeX, no Markdown links or pipe
    tables, and nothing wider than 100 columns but the quoted output of the programs (indented
    by four spaces)."""
    label = os.path.basename(os.path.dirname(path)) + "/LEIAME.txt"
    with open(path, "rb") as f:
        raw = f.read()
    if not raw.startswith(b"\xef\xbb\xbf"):
        return ["%s: no UTF-8 byte-order mark" % label]
    if raw.count(b"\n") != raw.count(b"\r\n"):
        return ["%s: a line that does not end with CR LF" % label]
    failures = []
    for number, line in enumerate(raw[3:].decode("utf-8").split("\r\n"), 1):
        where = "%s line %d" % (label, number)
        quoted = line.startswith("    ")
        if TEX_COMMAND.search(line) or "$$" in line or (not quoted and "$" in line):
            failures.append("%s: TeX: %s" % (where, line.strip()))
        if re.search(r"\]\(|\(#|^\s*\|.*\|\s*$|\|\s*-{3,}", line):
            failures.append("%s: Markdown link or table: %s" % (where, line.strip()))
        if len(line) > 100 and (not quoted or set(line.strip()) <= {"-", " "}):
            failures.append("%s: %d columns wide" % (where, len(line)))
    return failures
