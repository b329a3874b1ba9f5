#!/usr/bin/env python3
"""The charts the guide shows (docs/estudo/*.svg) must be those aleta-malhas draws today for the
study the guide reads: the default study of examples/uds2. With --update, copies them there.

usage: check_guide_charts.py ALETA_MALHAS [--update]
"""
import os
import shutil
import subprocess
import sys
import tempfile

SOURCE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
CHARTS = os.path.join(SOURCE, "docs", "estudo")


def main():
    if len(sys.argv) not in (2, 3) or sys.argv[2:] not in ([], ["--update"]):
        raise SystemExit(__doc__)
    with tempfile.TemporaryDirectory() as work:
        example = os.path.join(SOURCE, "examples", "uds2")
        for name in os.listdir(example):
            if name.endswith(".ent"):
                shutil.copy(os.path.join(example, name), work)
        subprocess.run([os.path.abspath(sys.argv[1])], cwd=work, check=True,
                       stdin=subprocess.DEVNULL)
        drawn = os.path.join(work, "estudo_malhas")
        charts = sorted(f for f in os.listdir(drawn) if f.endswith(".svg"))
        if sys.argv[2:] == ["--update"]:
            for chart in charts:
                shutil.copy(os.path.join(drawn, chart), CHARTS)
            return 0
        stale = sorted(set(charts) ^ set(f for f in os.listdir(CHARTS) if f.endswith(".svg")))
        for chart in charts:
            with open(os.path.join(drawn, chart), "rb") as new, \
                    open(os.path.join(CHARTS, chart), "rb") as shown:
                if chart not in stale and new.read() != shown.read():
                    stale.append(chart)
    for chart in stale:
        print("docs/estudo/%s is not the chart aleta-malhas draws for examples/uds2 "
              "(check_guide_charts.py ALETA_MALHAS --update)" % chart)
    return 1 if stale else 0


if __name__ == "__main__":
    sys.exit(main())
