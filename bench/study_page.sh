#!/bin/sh
# study_page.sh [ALETA_MALHAS [RUNS]]: the page of the default study of examples/uds2 (estudo.html)
# in headless Chromium, RUNS times (default 3). Printed: the page's size, and for each run the
# time the browser took for the page itself (from the start of its navigation to the end of its
# load event, by the browser's own clock) and the whole browser run, beside a run on an empty
# page. Targets: at most 1 MB, opened in under 2 s.
set -eu
malhas=$(realpath "${1:-build/aleta-malhas}")
runs=${2:-3}
examples=$(realpath "$(dirname "$0")/../examples")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$examples/uds2"/entradas_*.ent "$work"
(cd "$work" && "$malhas" >/dev/null)
page="$work/estudo_malhas/estudo.html"
echo "estudo.html: $(wc -c <"$page") bytes"

probe='<script>addEventListener("load",()=>setTimeout(()=>{const t=performance.getEntriesByType("navigation")[0];const p=document.createElement("pre");p.id="load";p.textContent=Math.round(t.loadEventEnd);document.body.appendChild(p)}))</script></body>'
sed "s#</body>#$probe#" "$page" >"$work/estudo_malhas/probed.html"
echo '<!DOCTYPE html><html><body></body></html>' | sed "s#</body>#$probe#" >"$work/empty.html"

# One headless run on FILE: the page's own load time in ms and the whole run in s.
open_once() {  # FILE
  start=$(date +%s.%N)
  load=$(chromium --headless --no-sandbox --disable-gpu --disable-background-networking \
    --disable-component-update --disable-sync --no-first-run --user-data-dir="$work/profile" \
    --window-size=1280,1000 --dump-dom "file://$1" 2>/dev/null | sed -n 's/.*<pre id="load">\([0-9]*\)<.*/\1/p')
  end=$(date +%s.%N)
  echo "$load ms page, $(awk "BEGIN { printf \"%.2f\", $end - $start }") s browser run"
}

i=0
while [ "$i" -lt "$runs" ]; do
  echo "estudo.html: $(open_once "$work/estudo_malhas/probed.html")"
  echo "empty page:  $(open_once "$work/empty.html")"
  i=$((i + 1))
done
